// The saved layout's extra record of a customisable toolbar: its title and
// its exact button list, with the data buttons keep of their own (a window
// button's width). The dock state keeps one per toolbar, made through the
// toolbar manager, in three forms:
// - profile: "Title" (written only when not empty) and "Buttons" (the
//   button stream, toolbars/model/BtnInfo.h) in the bar's section;
// - settings tree: a child "ToolBarInfoEx" with the same two values;
// - archive: the title, a 4-byte count, then per button its 4-byte id, a
//   length byte and the data.
//
// A record read back that has no "Buttons" value, or whose stream is
// damaged, changes nothing of its toolbar: the toolbar keeps its buttons (a
// default toolbar its defaults). A present but empty value empties it.
#pragma once

#include "frame/dockstate/OZWDockState.h"
#include "toolbars/model/BtnInfo.h"

class OZWCustomToolBar;

class OZWCustomToolBarInfoEx : public OZWControlBarInfoEx
{
    DECLARE_DYNCREATE(OZWCustomToolBarInfoEx)
public:
    OZWCustomToolBarInfoEx();
    ~OZWCustomToolBarInfoEx() override;

    using OZWControlBarInfoEx::Serialize;
    // Damage in an archive being read raises CArchiveException.
    void Serialize(CArchive& ar, OZWDockState* pDockState) override;
    BOOL LoadState(OZWPersistentTreeNode* pParent) override;
    BOOL LoadState(LPCTSTR lpszSection, OZWDockState* pDockState) override;
    BOOL SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent) override;
    // FALSE (and no "Buttons" written) when a button's data cannot be kept.
    BOOL SaveState(LPCTSTR lpszSection) override;

    // The toolbar's title and buttons.
    void TakeFrom(OZWCustomToolBar* pToolBar);
    // Gives the toolbar the title and buttons (only when the record holds a
    // sound button list).
    void ApplyTo(OZWCustomToolBar* pToolBar) const;

    CString m_strTitle;
    OZWBtnInfoArray m_arrButtons;
    // The record holds a button list (read whole, or taken from a toolbar).
    BOOL m_bHasButtons = FALSE;

protected:
    // Parses a "Buttons" value into the list; a damaged one leaves none.
    void SetButtonsFrom(const BYTE* pData, UINT nSize);
};
