// OZWListCtrl: the list engine as a plain child window, for dialogs and
// frames. Created with Create, CreateEx or AttachDlgItem.
#pragma once

#include "listtree/list/ctrl/ListEngine.h"

class OZWListCtrl : public OZWListBaseC
{
    DECLARE_DYNAMIC(OZWListCtrl)
public:
    OZWListCtrl() = default;
    ~OZWListCtrl() override = default;

    LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam) override;

protected:
    DECLARE_MESSAGE_MAP()
};
