// A toolbar button hosting a combo box (the main frame's find box is one).
// Enter in the box tells the toolbar's owner (code 513 of
// "WM_OZWTOOLBARWNDNOTIFY") and goes no further. The box's edit field is
// subclassed so that its mouse input reaches the button's hooks too (the
// button can be dragged by it while the toolbar is customised).
#pragma once

#include "toolbars/buttons/WndBtn.h"

class OZWComboBtn;

// The edit field of a combo box button.
class OZWComboBtnEdit : public CEdit
{
    DECLARE_DYNAMIC(OZWComboBtnEdit)
public:
    OZWComboBtnEdit() = default;
    ~OZWComboBtnEdit() override;
    OZWWndBtn* m_pButton = nullptr;

protected:
    // Offers a mouse message to the button (the point in the combo box's
    // client coordinates); FALSE when the edit field handles it.
    BOOL OfferToButton(UINT nMsg, UINT nFlags, CPoint point);
    // Mouse button messages go to OfferToButton first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};

class OZWComboBtn : public CComboBox, public OZWWndBtn
{
    DECLARE_DYNAMIC(OZWComboBtn)
    DECLARE_OZWBTN_CLASS(OZWComboBtn)
public:
    OZWComboBtn();
    ~OZWComboBtn() override;

    CWnd* GetWnd() override { return this; }
    // Creates the combo box (a drop-down list when the style names no type)
    // and subclasses its edit field.
    BOOL CreateWnd(CWnd* pParent, DWORD dwStyle, const RECT& rect, UINT nID) override;
    // The combo box's own small font, set with redraw.
    virtual void SetupFont();
    void AdjustSize() override;
    void SetMode(BOOL bVertical) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    OZWComboBtnEdit m_edit;
    CFont m_font;

protected:
    // Mouse button messages go to the button's mouse hook first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
