// The buttons of the customisable toolbars. A button is a small object
// without a window of its own: the toolbar it sits on owns it, lays it out,
// routes the mouse to it and has it draw itself. It keeps its command, image,
// place, size and style bits (TBB_), answers hit tests and tool tips, takes
// inform codes, keeps data of its own for the saved layout, and draws itself
// through a fixed sequence of steps into an off-screen canvas
// (OZWBtnDrawData), in the look the theme services report.
//
// Kinds (m_nType): 0 plain, 1 text, 2 window button (OZWWndBtn), 3 menu
// button, 4 system-menu button, 5 caption button, 6 combo box (OZWComboBtn).
//
// What a button needs of its toolbar is OZWBtnHost, which the toolbar
// implements.
#pragma once

#include "platform/framework/Framework.h"
#include "toolbars/model/ToolBarLayout.h"

#include <uxtheme.h>

class OZWStdBtn;
class OZWBmpMgr;
class OZWBtnDrawData;

// What a toolbar button needs of the toolbar that holds it.
class OZWBtnHost
{
public:
    virtual ~OZWBtnHost() = default;

    // The toolbar's window.
    virtual CWnd* GetHostWnd() = 0;
    // The toolbar is being customised (buttons are dragged, not pressed).
    virtual BOOL IsConfigMode() const = 0;
    // The toolbar is laid out vertically.
    virtual BOOL IsVertical() const = 0;
    // The toolbar's extended bar style (0x100 cool look; 0x1000 with it:
    // transparent cool look).
    virtual DWORD GetExBarStyle() const = 0;
    // The toolbar's images.
    virtual OZWBmpMgr* GetBmpMgr() const = 0;
    // Image size (small or large as the toolbar shows them) and the sizes
    // derived from it.
    virtual int GetImageWidth() const = 0;
    virtual int GetImageHeight() const = 0;
    virtual int GetStdButtonWidth() const { return GetImageWidth() + 7; }
    virtual int GetStdButtonHeight() const { return GetImageHeight() + 7; }
    virtual int GetSeparatorWidth() const { return (GetImageWidth() + 8) / 3; }
    virtual int GetSeparatorHeight() const { return GetImageHeight() + 7; }
    // The largest button size seen; a button's size adjustment raises it.
    virtual void RaiseMaxButtonSize(int cx, int cy) = 0;
    // The index of a button on the toolbar, -1 when it is not there.
    virtual int FindButton(const OZWStdBtn* pButton) const = 0;
    // The window that gets the toolbar's notifications: its owner, else its
    // parent.
    virtual CWnd* GetNotifyOwner() = 0;
    // Passes an inform code to every button of command nID on this toolbar,
    // or (bAllBars) through the toolbar manager on every toolbar.
    virtual void InformBtn(UINT nID, int nCode, void* pData, BOOL bAllBars) = 0;
    // The button under the mouse is looked up again.
    virtual void RefreshHotButton() = 0;
    // The toolbar is the customise dialog's palette (its buttons are not
    // resized).
    virtual BOOL IsCustomizePalette() const { return FALSE; }
    // Tracks the right edge of a window button's window (rect in that
    // window's client coordinates) no narrower than nMinWidth; FALSE when
    // cancelled.
    virtual BOOL TrackButtonWidth(CWnd* pWnd, CRect& rect, int nMinWidth) = 0;
    // The toolbar's frame lays itself out again.
    virtual void RecalcHostLayout() = 0;
    // The font menu buttons measure and draw their captions with; null: the
    // toolbar window's own font.
    virtual HFONT GetMenuFont() const { return nullptr; }
    // A menu button asks to drop its menu: a toolbar that holds menu buttons
    // remembers it as the dropped one and has it notify its owner.
    virtual void DropButtonMenu(OZWStdBtn* pButton) {}
};

// The class record of a button class: its creation function.
struct OZWBtnClass
{
    OZWStdBtn* (*pfnCreate)();
    UINT_PTR reserved;
};

// One entry of a button map: the command nID is a button of class pClass
// with style dwStyle, initialised with params (their meaning is the class's).
// A table ends with an entry whose pClass is null.
struct OZWBtnMapEntry
{
    const OZWBtnClass* pClass;
    UINT nID;
    DWORD dwStyle;
    UINT_PTR params[5];
};

// The class record of a button class.
#define OZWBTN_CLASS(cls) (&cls::s_btnClass)
#define DECLARE_OZWBTN_CLASS(cls)                                                                                  \
public:                                                                                                            \
    static const OZWBtnClass s_btnClass;                                                                           \
    static OZWStdBtn* CreateBtnObject();                                                                           \
    const OZWBtnClass* GetButtonClass() const override { return &s_btnClass; }
#define IMPLEMENT_OZWBTN_CLASS(cls)                                                                                \
    OZWStdBtn* cls::CreateBtnObject() { return new (std::nothrow) cls; }                                           \
    const OZWBtnClass cls::s_btnClass = {&cls::CreateBtnObject, 0};

// The data of inform code 257 for window buttons: a message sent to every
// hosted window of a command.
struct OZWInformMsg
{
    UINT reserved;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Inform codes.
enum
{
    OZWINFORM_STYLE = 1,    // data: DWORD[2] {bits to set, bits to clear}
    OZWINFORM_WNDMSG = 257, // data: OZWInformMsg (window buttons)
};

class OZWStdBtn
{
public:
    enum Type
    {
        typeStd = 0,
        typeText = 1,
        typeWnd = 2,
        typeMenu = 3,
        typeSysMenu = 4,
        typeCaption = 5,
        typeCombo = 6,
    };

    OZWStdBtn();
    virtual ~OZWStdBtn();
    OZWStdBtn(const OZWStdBtn&) = delete;
    OZWStdBtn& operator=(const OZWStdBtn&) = delete;

    virtual void SetMode(BOOL bVertical);
    virtual void SetStyle(DWORD dwStyle);
    virtual DWORD GetStyle() const { return m_nStyle; }
    virtual BOOL HasStyle(DWORD dwMask) const { return (m_nStyle & dwMask) == dwMask; }
    virtual void SetPos(int x, int y);
    // Invalidates the button's rectangle in the toolbar window.
    virtual void Invalidate(BOOL bErase = FALSE);
    // Takes the toolbar and sizes the button; params are the button map's.
    virtual void Init(OZWBtnHost* pToolBar, const UINT_PTR* pParams);
    // Whether the button may be dragged while the toolbar is customised.
    virtual BOOL IsCustomizable() const { return TRUE; }
    virtual void Draw(CDC* pDC, OZWBtnDrawData& drawData);

    // Mouse tracking while the toolbar holds the capture. BtnPressDown
    // answers whether tracking starts; BtnPressUp the command to send (0:
    // none).
    virtual BOOL BtnPressDown(CPoint point);
    virtual void BtnPressMouseMove(CPoint point);
    virtual void BtnPressCancel();
    virtual UINT BtnPressUp(CPoint point);

    // The hidden bit may have changed.
    virtual void UpdateShow() {}
    virtual void BarStyleChanged(DWORD) {}
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual void InformBtn(int nCode, void* pData);
    virtual void AdjustSize();
    // The button's own data for the saved layout: none here (size 0, no
    // data). Data returned is allocated with new[] and freed by the caller.
    virtual void GetBtnData(BYTE& nSize, BYTE*& pData) const;
    virtual void SetBtnData(BYTE nSize, const BYTE* pData);
    // A WM_NOTIFY to the toolbar's notification owner.
    virtual void SendNotify(UINT nCode, DWORD dwParam1, DWORD dwParam2);

    // The drawing steps. The rectangle is where the button lies on pDC (the
    // canvas at 0, 0, or the target at the button's place).
    virtual BOOL DrawFace(OZWBtnDrawData& drawData, BOOL bCustomizing, CRect& rect, int& ix, int& iy,
                          int nImageWidth, CDC* pDC);
    virtual void DrawDisabled(OZWBtnDrawData& drawData, const CRect& rect, int ix, int iy, CDC* pDC);
    virtual void DrawChecked(OZWBtnDrawData& drawData, const CRect& rect, int ix, int iy, CDC* pDC);
    virtual void DrawIndeterminate(OZWBtnDrawData& drawData, const CRect& rect, int ix, int iy, CDC* pDC);
    virtual void DrawDragFrame(CDC* pDC, const CRect& rect);
    virtual void SelectImage(OZWBtnDrawData& drawData);
    // Draws a separator on the target and answers TRUE; FALSE for other
    // buttons.
    virtual BOOL DrawSeparator(CDC* pDC, OZWBtnDrawData& drawData);
    virtual void DrawButton(OZWBtnDrawData& drawData, CRect rect, CDC* pDC);
    virtual void DrawImage(int ix, int iy, int cx, int cy, OZWBtnDrawData& drawData, int xSrc, int ySrc, CDC* pDC);
    virtual void DrawThemedMask(OZWBtnDrawData& drawData, CDC* pTarget);
    virtual void DrawSelection(OZWBtnDrawData& drawData, const CRect& rect, CDC* pDC);
    virtual void BlitToTarget(OZWBtnDrawData& drawData, CDC* pTarget);

    virtual const OZWBtnClass* GetButtonClass() const { return &s_btnClass; }
    static const OZWBtnClass s_btnClass;
    static OZWStdBtn* CreateBtnObject();

    void GetBtnRect(CRect& rect) const { rect.SetRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    CRect GetBtnRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    void SetToolBar(OZWBtnHost* pToolBar);
    OZWBtnHost* GetToolBar() const { return m_pToolBar; }
    BOOL IsSeparator() const { return (m_nStyle & TBB_SEPARATOR) != 0; }
    BOOL IsHidden() const { return (m_nStyle & TBB_HIDDEN) != 0; }
    // A drop-down notification is being sent (program-wide).
    static BOOL IsDropDownInProgress() { return s_bDropDownInProgress; }

    UINT m_nID;
    int m_nImage;
    DWORD m_nStyle;
    int m_x;
    int m_y;
    int m_cx;
    int m_cy;
    int m_nType;
    OZWBtnHost* m_pToolBar;
    HTHEME m_hTheme;
    BOOL m_bMode;

protected:
    // The "Toolbar" theme of the button, opened on first use; null when the
    // program draws without a visual style.
    HTHEME GetTheme();
    BOOL IsCoolLook() const;
    BOOL IsTransparentLook() const;
    BOOL ContainsClosed(CPoint point) const;

    static BOOL s_bDropDownInProgress;
};

// The looks a button is drawn in, by the order the theme services are asked.
enum OZWBtnLook
{
    btnLookDotNet,
    btnLookOffice2003,
    btnLookVistaClassic,
    btnLookThemed,
    btnLookClassic,
};

// The look the theme services report now; hTheme is the button's theme
// (themed only when it is not null).
OZWBtnLook GetBtnLook(HTHEME hTheme);

// The drawing context the buttons draw through, one per toolbar manager (or
// per toolbar without one): a mask DC, an image DC holding the image strip,
// the button canvas, and a halftone brush of the face and highlight colours.
class OZWBtnDrawData
{
public:
    // Throws CResourceException when the DCs or the brush cannot be made.
    OZWBtnDrawData();
    virtual ~OZWBtnDrawData();
    OZWBtnDrawData(const OZWBtnDrawData&) = delete;
    OZWBtnDrawData& operator=(const OZWBtnDrawData&) = delete;

    // An explicit transparent colour of the images (bSet), or none.
    virtual void SetTransparentColor(COLORREF clr, BOOL bSet);
    // The explicit colour; else the top-left pixel of an image strip of 16
    // bits or more; else light grey.
    virtual COLORREF GetTransparentColor();

    // Makes the canvas and the mask at least cx by cy for a paint on pDC;
    // FALSE when they cannot be made.
    BOOL Prepare(CDC* pDC, int cx, int cy);
    // The paint is over: the canvas, mask and image strip are released.
    void Release();
    // Selects an image strip into the image DC (nothing when already there).
    void SelectImage(HBITMAP hBitmap);
    HBITMAP GetSelectedImage() const { return m_hSelected; }
    // Builds the halftone brush again from the current system colours.
    void RefreshColors();
    CSize GetCanvasSize() const { return m_sizeCanvas; }

    CDC m_dcMask;
    CDC m_dcImage;
    CDC m_dcButton;
    CBrush m_brHalftone;

protected:
    CBitmap m_bmCanvas;
    CBitmap m_bmMask;
    HGDIOBJ m_hOldCanvas = nullptr;
    HGDIOBJ m_hOldMask = nullptr;
    HGDIOBJ m_hOldImage = nullptr;
    HBITMAP m_hSelected = nullptr;
    CSize m_sizeCanvas;
    COLORREF m_clrTransparent = RGB(192, 192, 192);
    BOOL m_bTransparentSet = FALSE;
};
