// The base of the owner-drawn push buttons (colour-well button, bitmap and
// menu buttons). The platform's single owner-draw call becomes a fixed
// sequence of paint steps drawn off-screen: PreDrawItem, DrawFrame,
// DrawContent, DrawDisabled (disabled only), the copy to the screen,
// PostDrawItem, DrawFocus. The button tracks the mouse (hot), may look flat,
// calls OnClicked when it is released, and stands in as the dialog's default
// button while it has the focus (an owner-drawn button cannot carry the
// default-button style itself).
#pragma once

#include "platform/framework/Framework.h"

namespace dedaride {
namespace foundation {

// Bit 0 of the extra style: the button reports itself as the default push
// button while it has the focus.
const DWORD ODBS_DEFPUSHBUTTON = 0x0001;

class OZWOwnerDrawButton : public CButton
{
    DECLARE_DYNAMIC(OZWOwnerDrawButton)
public:
    OZWOwnerDrawButton();
    ~OZWOwnerDrawButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    // Subclasses a dialog's button; FALSE when that fails.
    virtual BOOL SubclassDlgItem(UINT nID, CWnd* pParent, DWORD dwExtraStyle = 0);
    using CButton::Create;
    // Creates the button, always owner-drawn.
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                        DWORD dwExtraStyle);
    // The button was released over itself, or Space or Enter came up.
    virtual void OnClicked();
    // Sets the style with BS_OWNERDRAW kept; repaints when it changed and
    // bRedraw is set. BM_SETSTYLE sent to the button comes here too.
    virtual LRESULT SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    virtual void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    virtual BOOL IsFlat() const { return m_bFlat; }

    BOOL IsHot() const { return m_bHot; }
    DWORD GetExtraStyle() const { return m_dwExtraStyle; }

    // The paint steps.
    virtual void PreDrawItem(CDC* pScreenDC, CDC* pDrawDC);
    // Draws the frame and leaves in rc the rectangle left for the content.
    virtual void DrawFrame(CRect& rc, CDC* pDC, LPDRAWITEMSTRUCT lpDIS);
    virtual void PostDrawItem(CDC* pScreenDC, CDC* pDrawDC);
    // The embossed grey look of a disabled button (classic drawing only).
    virtual void DrawDisabled(CDC* pDC, int cx, int cy);
    virtual void DrawFocusIndicator(CDC* pDC, CRect& rc) = 0;
    virtual void DrawFocus(CDC* pDC, LPDRAWITEMSTRUCT lpDIS);
    virtual void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, CRect& rcContent) = 0;

    // Button colours shared by every owner-drawn button, read again on a
    // system colour change.
    struct Colours
    {
        COLORREF shadow, highlight, face, shadow2, frame;
    };
    static const Colours& GetColours() { return s_colours; }
    static void RefreshColours();

protected:
    afx_msg void OnSysColorChange();
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);

    // The classic frame pieces.
    void DrawRoundedFrame(CDC* pDC, const CRect& rc);

    BOOL m_bNewLook;
    BOOL m_bFlat = FALSE;
    DWORD m_dwSavedDefId = 0;
    DWORD m_dwOldDefStyle = 0;
    DWORD m_dwExtraStyle = 0;
    BOOL m_bHot = FALSE;

    static Colours s_colours;

    DECLARE_MESSAGE_MAP()
};

} // namespace foundation
} // namespace dedaride
