// Owner-drawn push buttons with a bitmap resource beside, above, below or in
// place of their caption, and a menu button: a bitmap button with an arrow
// that drops a popup menu.
#pragma once

#include "toolbars/buttons/OwnerDrawButton.h"

#include <string>

namespace dedaride {
namespace foundation {

// Where the bitmap goes.
enum
{
    BBA_LEFT = 0,     // left of the caption
    BBA_RIGHT = 1,    // right of it
    BBA_TOP = 2,      // above it
    BBA_BOTTOM = 3,   // below it
    BBA_ONLY = 4,     // the bitmap alone, centred
};

class OZWBitmapButton : public OZWOwnerDrawButton
{
    DECLARE_DYNAMIC(OZWBitmapButton)
public:
    OZWBitmapButton();
    ~OZWBitmapButton() override;

    // Subclass a dialog's button; FALSE (the button untouched) when the
    // bitmap resource is missing.
    virtual BOOL AttachButton(UINT nID, UINT nAlign, LPCTSTR lpszBitmap, CWnd* pParent, DWORD dwExtraStyle = 0);
    virtual BOOL AttachButton(UINT nID, UINT nAlign, UINT nBitmapID, CWnd* pParent, DWORD dwExtraStyle = 0);
    using OZWOwnerDrawButton::Create;
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, UINT nAlign, UINT nBitmapID, const RECT& rect,
                        CWnd* pParent, UINT nID, DWORD dwExtraStyle = 0);
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, UINT nAlign, LPCTSTR lpszBitmap, const RECT& rect,
                        CWnd* pParent, UINT nID, DWORD dwExtraStyle = 0);
    // Places the bitmap and the caption in the client area.
    virtual void RecalcLayout();

    // Another bitmap; on failure the previous one stays and FALSE.
    BOOL SetBitmap(LPCTSTR lpszBitmap);
    BOOL SetBitmap(UINT nBitmapID) { return SetBitmap(MAKEINTRESOURCE(nBitmapID)); }
    void SetMargins(int cx, int cy);
    CSize GetMargins() const { return CSize(m_cxMargin, m_cyMargin); }
    // Resizes the button to hold its bitmap and caption.
    void SizeToContent();

    UINT GetAlign() const { return m_nAlign; }
    const CRect& GetBitmapRect() const { return m_rcBitmap; }
    const CRect& GetTextRect() const { return m_rcText; }
    CBitmap* GetBitmap() { return &m_bitmap; }

    void DrawFocusIndicator(CDC* pDC, CRect& rc) override;
    void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT lpDIS, CRect& rc) override;

    // A filled triangle pointing down, corners (x, y), (x + w - 1, y) and
    // (x + (w - 1) / 2, y + h - 1).
    static void DrawTriangle(CDC* pDC, int x, int y, int w, int h, CPen* pPen, CBrush* pBrush);

protected:
    BOOL LoadBitmapResource(LPCTSTR lpszBitmap);
    void RememberBitmap(LPCTSTR lpszBitmap);
    LPCTSTR BitmapName() const;
    CFont* ButtonFont();

    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();

    // The bitmap's resource: an id, or a name kept here.
    UINT_PTR m_nBitmapId = 0;
    std::string m_strBitmapName;
    CBitmap m_bitmap;
    int m_cxMargin = 5;
    int m_cyMargin = 5;
    CRect m_rcBitmap;
    CRect m_rcText;
    UINT m_nAlign = BBA_LEFT;

    DECLARE_MESSAGE_MAP()
};

class OZWMenuButton : public OZWBitmapButton
{
    DECLARE_DYNAMIC(OZWMenuButton)
public:
    OZWMenuButton();
    ~OZWMenuButton() override;

    using OZWBitmapButton::AttachButton;
    using OZWBitmapButton::Create;
    // The menu stays the caller's: the button never destroys it.
    virtual BOOL AttachButton(UINT nID, CWnd* pParent, HMENU hMenu, BOOL bRight = FALSE, DWORD dwExtraStyle = 0);
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, HMENU hMenu,
                        BOOL bRight = FALSE, DWORD dwExtraStyle = 0);
    // Takes the menu and the side, sets the arrow bitmap's id; returns the
    // alignment: the arrow alone without a caption, else right of it.
    virtual UINT PrepareMenu(LPCTSTR lpszCaption, HMENU hMenu, BOOL bRight, UINT* pnBitmapID);

    void SetMenu(HMENU hMenu);
    HMENU GetMenuHandle() const { return m_menu.GetSafeHmenu(); }
    BOOL IsRight() const { return m_bRight; }
    BOOL IsTracking() const { return m_bTracking; }

    void OnClicked() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;

    CMenu m_menu;
    BOOL m_bRight = FALSE;
    BOOL m_bPaintEnabled = TRUE;
    BOOL m_bTracking = FALSE;
    BOOL m_bKeyClick = TRUE;
};

} // namespace foundation
} // namespace dedaride
