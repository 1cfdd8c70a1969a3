// Colour wells in windows: the cells' colours, SetColor with the custom
// cell, the keyboard, and the popup's ways of choosing and closing.
#include "ButtonTestSupport.h"
#include "toolbars/buttons/ColorWell.h"

#include <gtest/gtest.h>

using namespace dedaride::foundation;
using namespace buttontest;

namespace {

// A plain well whose first two cells and last cell have the same colour.
class CTwinWell : public OZWColorWell
{
public:
    void FillPaletteEntries(PALETTEENTRY* pEntries, int nCount, int) override
    {
        pEntries[0] = pEntries[5] = pEntries[nCount - 1] = { 1, 2, 3, 0 };
    }
};

class ColorWellTest : public HostedTest
{
};

CPoint CellCentre(const OZWColorWell& well, int col, int row)
{
    return well.GetCellRect(col, row).CenterPoint();
}

} // namespace

TEST_F(ColorWellTest, CellsTakeTheDefaultPaletteAndSetColorSelectsTheFirstMatch)
{
    CTwinWell well;
    ASSERT_TRUE(well.Create(WS_VISIBLE, 5, 5, &host, 77, FALSE, TRUE));
    PALETTEENTRY stock[20] = {};
    ASSERT_EQ(20u, ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 20, stock));
    EXPECT_EQ(RGB(stock[3].peRed, stock[3].peGreen, stock[3].peBlue), well.GetCellColor(3));
    EXPECT_EQ(RGB(1, 2, 3), well.GetCellColor(0));
    EXPECT_EQ(RGB(0, 0, 0), well.GetCellColor(20));   // the custom entry starts black

    well.SetColor(well.GetCellColor(6));
    EXPECT_EQ(2, well.GetSelectedCol());
    EXPECT_EQ(1, well.GetSelectedRow());
    // In the grid three times: the first in row order.
    well.SetColor(RGB(1, 2, 3) | 0xFF000000);
    EXPECT_EQ(0, well.GetSelectedCol());
    EXPECT_EQ(0, well.GetSelectedRow());
    EXPECT_TRUE(host.Received(WM_OZW_COLORSELECTED).empty());   // SetColor tells nobody
}

TEST_F(ColorWellTest, CellsBeyondTheColoursSuppliedAreBlack)
{
    // 25 cells, and the default palette has 20 colours.
    class CBigWell : public OZWColorWell
    {
    public:
        void SetGridSize() override
        {
            m_geometry.nCols = 5;
            m_geometry.nRows = 5;
        }
    } well;
    ASSERT_TRUE(well.Create(WS_VISIBLE, 5, 5, &host, 79, FALSE, FALSE));
    for (int i = 20; i < 25; ++i)
        EXPECT_EQ(RGB(0, 0, 0), well.GetCellColor(i)) << i;
}

TEST_F(ColorWellTest, AColourNotInTheGridGoesToTheCustomCell)
{
    OZWColorWell well;
    ASSERT_TRUE(well.Create(WS_VISIBLE, 5, 5, &host, 77, FALSE, TRUE));
    ASSERT_NE(nullptr, well.GetOtherButton());
    CRect before;
    well.GetOtherButton()->GetWindowRect(&before);
    well.SetColor(RGB(10, 20, 30));
    EXPECT_TRUE(well.IsCustomSet());
    EXPECT_EQ(RGB(10, 20, 30), well.GetColor());
    EXPECT_EQ(5, well.GetSelectedRow());
    CRect after;
    well.GetOtherButton()->GetWindowRect(&after);
    EXPECT_EQ(before.Width() - (well.GetGeometry().cxCell + 2), after.Width());
    // A second custom colour does not narrow the button again.
    well.SetColor(RGB(11, 21, 31));
    CRect again;
    well.GetOtherButton()->GetWindowRect(&again);
    EXPECT_EQ(after.Width(), again.Width());
    EXPECT_EQ(RGB(11, 21, 31), well.GetColor());
    EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB), well.SendMessage(WM_GETDLGCODE));

    // Without the Other row nothing changes.
    OZWColorWell plain;
    ASSERT_TRUE(plain.Create(WS_VISIBLE, 5, 150, &host, 78, FALSE, FALSE));
    plain.SetColor(plain.GetCellColor(9));
    plain.SetColor(RGB(10, 20, 30));
    EXPECT_FALSE(plain.IsCustomSet());
    EXPECT_EQ(plain.GetCellColor(9), plain.GetColor());
    EXPECT_EQ(nullptr, plain.GetOtherButton());
    EXPECT_EQ((LRESULT)(DLGC_WANTARROWS | DLGC_WANTCHARS), plain.SendMessage(WM_GETDLGCODE));
}

TEST_F(ColorWellTest, APlainWellReportsEveryMoveToItsParent)
{
    OZWColorWell well;
    ASSERT_TRUE(well.Create(WS_VISIBLE, 5, 5, &host, 77, FALSE, FALSE));
    well.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    well.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CellCentre(well, 3, 4)));
    std::vector<Notice> colours = host.Received(WM_OZW_COLORSELECTED);
    ASSERT_EQ(2u, colours.size());
    EXPECT_EQ(77u, colours[0].wParam);
    EXPECT_EQ((LPARAM)well.GetCellColor(1), colours[0].lParam);
    EXPECT_EQ((LPARAM)well.GetCellColor(19), colours[1].lParam);
}

namespace {

class PopupTest : public ColorWellTest
{
protected:
    OZWPopupColorWell popup;
    CRect button = CRect(150, 150, 200, 170);

    void Drop(BOOL bShowOther = FALSE)
    {
        popup.Reset();
        ASSERT_TRUE(popup.Create(WS_VISIBLE, &button, &host, bShowOther));
        popup.SetNotifyWnd(&host);
        ASSERT_TRUE(popup.IsTracking());
        ASSERT_EQ(&popup, CWnd::GetCapture());
    }
};

} // namespace

TEST_F(PopupTest, ItOpensUnderTheButtonAndArrowsMoveWithoutReporting)
{
    Drop();
    CRect rc;
    popup.GetWindowRect(&rc);
    EXPECT_EQ(CPoint(150, 170), rc.TopLeft());
    popup.SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
    popup.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(1, popup.GetSelectedCol());
    EXPECT_EQ(1, popup.GetSelectedRow());
    EXPECT_TRUE(host.Received(WM_OZW_COLORSELECTED).empty());
    // Enter reports the colour once, with wParam 0, and closes.
    popup.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(1u, host.Received(WM_OZW_COLORSELECTED).size());
    EXPECT_EQ(0u, host.Received(WM_OZW_COLORSELECTED)[0].wParam);
    EXPECT_EQ((LPARAM)popup.GetCellColor(5), host.Received(WM_OZW_COLORSELECTED)[0].lParam);
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
    EXPECT_FALSE(popup.IsTracking());
    EXPECT_EQ(nullptr, CWnd::GetCapture());

    // Space and a click choose too.
    Drop();
    popup.SendMessage(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(2u, host.Received(WM_OZW_COLORSELECTED).size());
    Drop();
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CellCentre(popup, 2, 3)));
    ASSERT_EQ(3u, host.Received(WM_OZW_COLORSELECTED).size());
    EXPECT_EQ((LPARAM)popup.GetCellColor(14), host.Received(WM_OZW_COLORSELECTED)[2].lParam);
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
}

TEST_F(PopupTest, EscapeAndLosingTheFocusCloseWithoutReporting)
{
    Drop();
    popup.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
    Drop();
    host.SetFocus();
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
    EXPECT_TRUE(host.Received(WM_OZW_COLORSELECTED).empty());
}

TEST_F(PopupTest, AClickOutsideClosesItAndReachesTheWindowUnderThePointer)
{
    CHostWnd other;
    ASSERT_TRUE(other.CreateHost(600, 100, 100, 100));
    Drop();
    // A click on the notify window leaves the popup open.
    CPoint onHost(120, 120);
    popup.ScreenToClient(&onHost);
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(onHost));
    EXPECT_NE(nullptr, popup.GetSafeHwnd());
    EXPECT_EQ(0, host.clicksSeen);

    CPoint onOther(650, 150);
    popup.ScreenToClient(&onOther);
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(onOther));
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
    EXPECT_EQ(1, other.clicksSeen);
    EXPECT_TRUE(host.Received(WM_OZW_COLORSELECTED).empty());
    other.DestroyWindow();
}

TEST_F(PopupTest, OtherAsksTheNotifyWindowForTheColourDialogAndCloses)
{
    Drop(TRUE);
    ASSERT_NE(nullptr, popup.GetOtherButton());
    CRect other;
    popup.GetOtherButton()->GetWindowRect(&other);
    popup.ScreenToClient(&other);
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(other.CenterPoint()));
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
    Pump();
    EXPECT_EQ(1u, host.Received(WM_OZW_COLORDIALOG).size());
    EXPECT_TRUE(host.Received(WM_OZW_COLORSELECTED).empty());
}
