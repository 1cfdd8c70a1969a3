// The MDI child window that holds one database's view.
#pragma once

#include "platform/framework/Framework.h"

class CChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame();
    ~CChildFrame() override;
};
