// Colour wells: a grid of colour cells taken from a palette, chosen with the
// mouse or the keyboard, with an optional row holding a custom-colour cell
// and an "Other..." button that opens the colour dialog.
//
// OZWColorWell lives as a child window and tells its parent of each choice
// (0x465, wParam its control id, lParam the colour). OZWPopupColorWell drops
// from a button, tracks the mouse, tells its notify window of the choice
// (0x465, wParam 0) and closes itself; its "Other..." posts 0x466 there.
#pragma once

#include "platform/framework/Framework.h"
#include "toolbars/buttons/ColorWellGeometry.h"

namespace dedaride {
namespace foundation {

// The colour protocol of the wells and well buttons.
const UINT WM_OZW_COLORSELECTED = WM_USER + 101;   // 0x465: lParam the colour
const UINT WM_OZW_COLORDIALOG = WM_USER + 102;     // 0x466: open the colour dialog

// How SelectCell was reached.
enum { CWS_KEYBOARD = 0, CWS_MOUSEMOVE = 1, CWS_CHOICE = 2 };

// Style bit of a well: a raised border (and wider margins).
const DWORD CWS_RAISEDBORDER = 0x00000001;

class OZWColorWell;

// The "Other..." push button inside a well.
class OZWOtherButton : public CButton
{
    DECLARE_DYNAMIC(OZWOtherButton)
public:
    explicit OZWOtherButton(OZWColorWell* pWell) : m_pWell(pWell) {}

protected:
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    OZWColorWell* m_pWell;

    DECLARE_MESSAGE_MAP()
};

class OZWColorWell : public CWnd
{
    DECLARE_DYNAMIC(OZWColorWell)
public:
    OZWColorWell();
    ~OZWColorWell() override;

    using CWnd::Create;
    // Creates the well at (x, y) (dialog units of the parent with
    // bDialogUnits). A style with WS_POPUP makes a popup, any other a child.
    virtual BOOL Create(DWORD dwStyle, int x, int y, CWnd* pParent, UINT nID, BOOL bDialogUnits = FALSE,
                        BOOL bShowOther = TRUE, LPVOID lpParam = nullptr);
    virtual DWORD SetColorDialogFlags(DWORD dwFlags);
    DWORD GetColorDialogFlags() const { return m_dwColorDialogFlags; }
    virtual COLORREF* SetCustomColors(COLORREF* pColors);
    COLORREF* GetCustomColors() const { return m_pCustomColors; }
    // Clears the selection, margins and flags, the Other button and the palette.
    virtual void Reset();

    // Selects the first cell showing the colour, without telling anyone. A
    // colour no cell shows goes to the custom cell when the Other row
    // exists; without it nothing changes.
    void SetColor(COLORREF colour);
    // The selected cell's colour as RGB.
    COLORREF GetColor() const;
    void SetPaletteMode(BOOL bPaletteMode);
    BOOL GetPaletteMode() const { return m_bPaletteMode; }
    void SetSelectOnMove(BOOL bSelectOnMove) { m_bSelectOnMove = bSelectOnMove; }
    BOOL GetSelectOnMove() const { return m_bSelectOnMove; }

    int GetSelectedCol() const { return m_nSelCol; }
    int GetSelectedRow() const { return m_nSelRow; }
    const ColorWellGeometry& GetGeometry() const { return m_geometry; }
    CRect GetCellRect(int col, int row) const;
    BOOL HitTest(CPoint point, int& col, int& row) const;
    // The colour of the cell with this palette index (RGB).
    COLORREF GetCellColor(int nIndex) const;
    CButton* GetOtherButton() const { return m_pOtherBtn; }
    BOOL GetShowOther() const { return m_geometry.bShowOther; }
    BOOL IsCustomSet() const { return m_geometry.bCustomSet; }
    CPalette* GetPalette() { return &m_palette; }

    // The steps derived wells replace.
    virtual void DrawCell(CDC* pDC, const CRect& rcUpdate, const CRect& rcCells, int col, int row);
    virtual void DrawSelectedCell(CDC* pDC, const CRect& rcUpdate, const CRect& rcCells, int col, int row);
    virtual void NotifyColor();
    // nHow: CWS_KEYBOARD, CWS_MOUSEMOVE or CWS_CHOICE.
    virtual void SelectCell(int col, int row, int nHow);
    virtual BOOL CreatePalette();
    // The grid's size: 4 columns by 5 rows here.
    virtual void SetGridSize();
    // Puts a derived well's own colours into the first nCount entries;
    // nFilled of them hold the default colours.
    virtual void FillPaletteEntries(PALETTEENTRY* pEntries, int nCount, int nFilled);
    virtual UINT GetClassStyle() const { return 0; }
    virtual BOOL HasFocusFrame() const { return TRUE; }
    // The well's window rectangle at (x, y) for the parent; sets the cell size.
    virtual void CalcWindowRect(CRect* pRect, CWnd* pParent, int x, int y, BOOL bDialogUnits);
    using CWnd::CalcWindowRect;

    // Colours shared by every well, read again on a system colour change.
    struct Colours
    {
        COLORREF highlight, shadow, face, darkShadow, light, face2, frame;
    };
    static const Colours& GetColours() { return s_colours; }
    static void RefreshColours();

protected:
    friend class OZWOtherButton;

    // The margins a style gives (raised border, focus frame).
    void PrepareLayout(DWORD dwStyle, BOOL bShowOther);
    void InvalidateCell(int col, int row);
    void DrawWell(CDC* pDC, const CRect& rcUpdate);
    void FrameFocus(BOOL bFocus);
    void RunColorDialog();

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnSysColorChange();
    afx_msg void OnOtherButton();

    CPalette m_palette;
    ColorWellGeometry m_geometry;
    int m_nSelRow = 0;
    int m_nSelCol = 0;
    BOOL m_bHasFocus = FALSE;
    BOOL m_bSelectOnMove = FALSE;
    BOOL m_bPaletteMode = FALSE;
    DWORD m_dwColorDialogFlags = CC_RGBINIT | CC_FULLOPEN;
    COLORREF* m_pCustomColors = nullptr;
    CBrush m_brFace;
    OZWOtherButton* m_pOtherBtn = nullptr;

    static Colours s_colours;

    DECLARE_MESSAGE_MAP()
};

class OZWPopupColorWell : public OZWColorWell
{
    DECLARE_DYNAMIC(OZWPopupColorWell)
public:
    OZWPopupColorWell();
    ~OZWPopupColorWell() override;

    using OZWColorWell::Create;
    // Drops the well beside the button (screen rectangle), takes the focus
    // and the mouse. FALSE when the window cannot be made.
    virtual BOOL Create(DWORD dwStyle, const RECT* prcButton, CWnd* pParent, BOOL bShowOther = TRUE,
                        LPVOID lpParam = nullptr);
    // "Other...": asks the notify window for the colour dialog and closes.
    virtual void OnOther();

    void Reset() override;
    void NotifyColor() override;
    void SelectCell(int col, int row, int nHow) override;
    UINT GetClassStyle() const override { return CS_SAVEBITS; }
    BOOL HasFocusFrame() const override { return FALSE; }

    void SetNotifyWnd(CWnd* pWnd) { m_pNotifyWnd = pWnd; }
    CWnd* GetNotifyWnd() const { return m_pNotifyWnd; }
    // The popup is open.
    BOOL IsTracking() const { return m_bTracking; }
    // Closes the popup without a choice.
    void Close();

protected:
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);

    CWnd* m_pNotifyWnd = nullptr;
    BOOL m_bTracking = FALSE;
    BOOL m_bClosing = FALSE;

    DECLARE_MESSAGE_MAP()
};

// Runs the platform colour dialog on a colour, its flags ored with dwFlags,
// with the custom colours given (null: the dialog's own). TRUE, and the
// colour chosen, on OK.
BOOL RunColourDialog(COLORREF& colour, DWORD dwFlags, COLORREF* pCustomColors);

void AFXAPI DDX_ColorWellColor(CDataExchange* pDX, OZWColorWell& well, COLORREF& value);

// The work area of the monitor nearest the program's main window (else the
// given window); the primary screen without monitor information.
CRect PopupWorkArea(CWnd* pNear);

} // namespace foundation
} // namespace dedaride
