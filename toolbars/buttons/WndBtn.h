// A toolbar button that shows a child window of the toolbar (a combo box, a
// colour well) in its place. On a horizontal toolbar the window stands at
// the button's place with its own width ("window mode"); on a vertical one
// the window hides and the button is a plain image button. While the
// toolbar is customised the window's mouse input goes to the toolbar (so
// that the button can be dragged), and the selected button's window can be
// made wider or narrower by dragging its right edge. Events of the window
// reach the toolbar's owner as the registered message
// "WM_OZWTOOLBARWNDNOTIFY": wParam = code << 16 | the window's control id,
// lParam = the window.
//
// A concrete class derives from the window class it hosts and from this
// one, and supplies GetWnd and CreateWnd; its window calls the hooks from
// its message map (each answers non-zero when it took the message).
#pragma once

#include "toolbars/buttons/ButtonsRes.h"
#include "toolbars/buttons/ToolBarButton.h"

// The registered message of window buttons.
UINT OZWGetToolBarWndNotifyMessage();

// Codes of "WM_OZWTOOLBARWNDNOTIFY".
enum
{
    OZWWNDNOTIFY_CREATED = 257,  // the window was created
    OZWWNDNOTIFY_RETURN = 513,   // Enter was pressed in it
    OZWWNDNOTIFY_COLOR = 514,    // a colour was chosen (colour-well buttons)
};

class OZWWndBtn : public OZWStdBtn
{
public:
    OZWWndBtn();
    ~OZWWndBtn() override;

    // The hosted window.
    virtual CWnd* GetWnd() = 0;
    virtual BOOL CreateWnd(CWnd* pParent, DWORD dwStyle, const RECT& rect, UINT nID) = 0;
    // A press on the window (x, y in its client coordinates).
    virtual BOOL LButtonDown(UINT nFlags, int x, int y);

    void SetMode(BOOL bVertical) override;
    void SetStyle(DWORD dwStyle) override;
    void SetPos(int x, int y) override;
    void Invalidate(BOOL bErase = FALSE) override;
    // Params: control id, window style (WS_CHILD added), width in the low
    // and minimum width in the high word, height in the low word.
    void Init(OZWBtnHost* pToolBar, const UINT_PTR* pParams) override;
    void Draw(CDC* pDC, OZWBtnDrawData& drawData) override;
    void UpdateShow() override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // Code 257: the message of the OZWInformMsg goes to the window.
    void InformBtn(int nCode, void* pData) override;
    void AdjustSize() override;
    // Two bytes: the window's width, little-endian.
    void GetBtnData(BYTE& nSize, BYTE*& pData) const override;
    void SetBtnData(BYTE nSize, const BYTE* pData) override;

    // Hooks of the window's messages.
    // A mouse button message of the window (WM_LBUTTONDOWN ... WM_RBUTTONDBLCLK,
    // x and y in its client coordinates) to its hook; FALSE for other messages.
    BOOL MouseHook(UINT nMsg, UINT nFlags, int x, int y);
    BOOL LButtonUp(UINT nFlags, int x, int y);
    BOOL LButtonDblClk(UINT nFlags, int x, int y);
    BOOL RButtonDown(UINT nFlags, int x, int y);
    BOOL RButtonUp(UINT nFlags, int x, int y);
    BOOL RButtonDblClk(UINT nFlags, int x, int y);
    BOOL SetCursor();
    void PrePaint();
    void PostPaint();

    // Sends "WM_OZWTOOLBARWNDNOTIFY" with nCode to the toolbar's owner.
    void NotifyOwner(WORD nCode);

    BOOL IsWndMode() const { return m_bWndMode; }
    int GetWndWidth() const { return m_nWndWidth; }
    int GetMinWidth() const { return m_nMinWidth; }
    int GetWndHeight() const { return m_nWndHeight; }

protected:
    BOOL IsConfigMode() const;
    BOOL IsSelected() const { return (m_nStyle & TBB_SELECTED) != 0; }
    BOOL InResizeZone(int x) const { return x >= m_cx - 3 && x <= m_cx; }
    static BOOL IsAltDown() { return ::GetKeyState(VK_MENU) < 0; }

    BOOL m_bWndMode;
    int m_nWndWidth;
    int m_nMinWidth;
    int m_nWndHeight;
    int m_nWndActualHeight;
};
