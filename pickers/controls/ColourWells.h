// The colour wells of the editors and the grids, on the program's palette:
// a popup of the 256 palette colours (16 by 16, entry 0 at the top left,
// row by row), a colour-well button that serves as a grid cell control, and
// one that sits on a customisable toolbar.
#pragma once

#include "platform/grid/GRControl.h"
#include "toolbars/buttons/WellButton.h"
#include "toolbars/buttons/WndBtn.h"

// The popup grid of the 256 colours of ColourPalette.
class OZU_PopupColorWell : public dedaride::foundation::OZWPopupColorWell
{
    DECLARE_DYNAMIC(OZU_PopupColorWell)
public:
    OZU_PopupColorWell();
    ~OZU_PopupColorWell() override;

    using OZWPopupColorWell::Create;
    // Drops the popup for pParent: a dialog is used as it is, another window
    // hands over its own parent.
    BOOL Create(DWORD dwStyle, const RECT* prcButton, CWnd* pParent, BOOL bShowOther = TRUE,
                LPVOID lpParam = nullptr) override;

    void SetGridSize() override;
    void FillPaletteEntries(PALETTEENTRY* pEntries, int nCount, int nFilled) override;
};

// A colour-well button as a grid cell control: the cell's value is the
// colour (a 32-bit colour value as a long). The button shows over the
// current cell while the cell is active; a click on the cell drops the
// palette popup, and the colour chosen is written into the cell.
class OZU_WellButton : public dedaride::foundation::OZWWellButton, public CGRControl
{
    DECLARE_DYNAMIC(OZU_WellButton)
    DECLARE_GRCONTROL_EXPORTED(OZU_WellButton)
public:
    explicit OZU_WellButton(CGRGridCore* pGrid = nullptr);
    ~OZU_WellButton() override;

    using CWnd::IsKindOf;
    using CGRControl::IsKindOf;

    // The cell being edited (found by the last click).
    ROWCOL GetEditRow() const { return m_nEditRow; }
    ROWCOL GetEditCol() const { return m_nEditCol; }

    // Grid control side.
    CWnd* GetWnd() override { return this; }
    void SetActive(BOOL bActive) override;
    void Hide() override;
    void SetControlFocus() override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGRStyle& style,
              const CGRStyle* pStandardStyle) override;
    BOOL LButtonUp(UINT nFlags, CPoint pt, UINT nHitState) override;

protected:
    // The button window, a hidden child of the grid window; made on first use.
    BOOL EnsureWindow();
    // Draws the button's look into a device context at a rectangle.
    void PaintInto(CDC* pDC, const CRect& rect);
    // The part of the grid's client area not under frozen rows or columns.
    CRect ScrollingArea();
    void ShowOver(const CRect& rect, BOOL bFocus);

    afx_msg LRESULT OnCellColorSelected(WPARAM wParam, LPARAM lParam);

    ROWCOL m_nEditRow = 0;
    ROWCOL m_nEditCol = 0;

    DECLARE_MESSAGE_MAP()
};

// A colour-well button on a customisable toolbar, made by the toolbar from
// its class record: black at first, on the palette popup without "Other...",
// as wide as a standard button of the toolbar. A colour chosen tells the
// toolbar's owner (code 514 of "WM_OZWTOOLBARWNDNOTIFY"), and so does Enter
// on the button (513). While the toolbar is customised the button's mouse
// input goes to the toolbar.
class OZU_WellBtn : public dedaride::foundation::OZWWellButton, public OZWWndBtn
{
    DECLARE_DYNAMIC(OZU_WellBtn)
    DECLARE_OZWBTN_CLASS(OZU_WellBtn)
public:
    OZU_WellBtn();
    ~OZU_WellBtn() override;

    CWnd* GetWnd() override { return this; }
    BOOL CreateWnd(CWnd* pParent, DWORD dwStyle, const RECT& rect, UINT nID) override;
    // The button's own small font (8 pixels, "MS Sans Serif"), set with redraw.
    virtual void SetupFont();
    void SetMode(BOOL bVertical) override;
    void AdjustSize() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CFont m_font;

protected:
    // The button's width (and its window's) is the toolbar's standard one.
    void FitToToolBar();

    // Mouse button, cursor and paint messages meet the toolbar's hooks
    // first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnColorChosen(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
