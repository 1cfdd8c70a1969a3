// The palette's colour wells: the 16 by 16 popup of the program's palette,
// a colour picked there through real messages, and the colour-well button
// as a grid cell control.
#include "PickerTestSupport.h"
#include "pickers/controls/ColourWells.h"
#include "pickers/core/Colour.h"
#include "platform/grid/GRGridWnd.h"
#include "tests/support/MemoryBitmap.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

class ColourWellsTest : public HostedTest
{
};

} // namespace

TEST_F(ColourWellsTest, ThePopupShowsThePaletteSixteenByASixteen)
{
    OZU_PopupColorWell popup;
    CRect cell(150, 150, 250, 170);
    ASSERT_TRUE(popup.Create(WS_VISIBLE, &cell, &host, FALSE));
    EXPECT_EQ(16, popup.GetGeometry().nCols);
    EXPECT_EQ(16, popup.GetGeometry().nRows);
    EXPECT_EQ(ColourPalette()[0].GetRGB(), popup.GetCellColor(0));
    EXPECT_EQ(ColourPalette()[17].GetRGB(), popup.GetCellColor(17));
    EXPECT_EQ(ColourPalette()[255].GetRGB(), popup.GetCellColor(255));
    // Entry 0 at the top left, entry 255 at the bottom right.
    int col = -1, row = -1;
    ASSERT_TRUE(popup.HitTest(popup.GetCellRect(0, 0).CenterPoint(), col, row));
    EXPECT_EQ(0, popup.GetGeometry().CellIndex(col, row));
    CRect client;
    popup.GetClientRect(&client);
    ASSERT_TRUE(popup.HitTest(CPoint(client.right - 6, client.bottom - 6), col, row));
    EXPECT_EQ(255, popup.GetGeometry().CellIndex(col, row));
    // A colour the palette does not have selects no cell of it.
    popup.SetColor(ColourPalette()[40].GetRGB());
    EXPECT_EQ(40, popup.GetGeometry().CellIndex(popup.GetSelectedCol(), popup.GetSelectedRow()));
    popup.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(40, popup.GetGeometry().CellIndex(popup.GetSelectedCol(), popup.GetSelectedRow()));
    popup.Close();
}

TEST_F(ColourWellsTest, AColourPickedInThePopupReachesTheNotifyWindow)
{
    // As the main view does it: reset, create at the cell, the cell's colour
    // as the current one, palette mode, the notify window.
    OZU_PopupColorWell popup;
    CRect cell(150, 150, 250, 170);
    popup.Reset();
    ASSERT_TRUE(popup.Create(WS_VISIBLE, &cell, &host, FALSE));
    popup.SetColor(ColourPalette()[3].GetRGB());
    popup.SetPaletteMode(TRUE);
    popup.SetNotifyWnd(&host);
    popup.UpdateWindow();
    // Entry 12 of the built-in palette is pure red: 255.
    CPoint at = popup.GetCellRect(12, 0).CenterPoint();
    popup.SendMessage(WM_MOUSEMOVE, 0, At(at));
    popup.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    std::vector<CHostWnd::Notice> colours = host.Received(dedaride::foundation::WM_OZW_COLORSELECTED);
    ASSERT_EQ(1u, colours.size());
    EXPECT_EQ(0u, colours[0].wParam);
    EXPECT_EQ(255, colours[0].lParam);
    EXPECT_EQ(nullptr, popup.GetSafeHwnd());
}

namespace {

const WORD kWellControl = 31001;

class WellGridTest : public ColourWellsTest
{
protected:
    CGRGridWnd grid;
    OZU_WellButton* pWell = nullptr;

    void SetUp() override
    {
        ColourWellsTest::SetUp();
        ASSERT_TRUE(grid.Create(WS_VISIBLE, CRect(0, 0, 400, 300), &host, 100));
        grid.Initialize();
        grid.SetRowCount(5);
        grid.SetColCount(3);
        pWell = new OZU_WellButton(&grid);
        grid.RegisterControl(kWellControl, pWell);
        grid.SetStyleRange(CGRRange(1, 2, 5, 2), CGRStyle().SetControl(kWellControl).SetValue((long)RGB(0, 0, 128)));
    }
    void TearDown() override
    {
        grid.DestroyWindow();
        ColourWellsTest::TearDown();
    }
    void ClickCell(ROWCOL row, ROWCOL col)
    {
        CPoint at = grid.CalcRectFromRowCol(row, col).CenterPoint();
        grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(at));
        grid.SendMessage(WM_LBUTTONUP, 0, At(at));
        Pump();
    }
};

} // namespace

TEST_F(WellGridTest, TheCellControlIsKnownToTheGridLibrary)
{
    EXPECT_TRUE(pWell->IsKindOf(&CGRControl::ctrlCGRControl));
    EXPECT_STREQ("OZU_WellButton", pWell->GetControlClass()->m_lpszClassName);
    EXPECT_EQ(&CGRControl::ctrlCGRControl, OZU_WellButton::ctrlOZU_WellButton.m_pfnGetBaseClass());
    using dedaride::foundation::OZWWellButton;
    EXPECT_TRUE(pWell->IsKindOf(RUNTIME_CLASS(OZWWellButton)));
}

TEST_F(WellGridTest, ACellIsDrawnAsTheButtonWithItsColour)
{
    CRect rc = grid.CalcRectFromRowCol(2, 2);
    kvtest::MemoryBitmap canvas(400, 300);
    grid.OnGridDraw(canvas.DC());
    // The swatch fills the left part of the cell.
    EXPECT_EQ(RGB(0, 0, 128), canvas.At(rc.left + 12, rc.CenterPoint().y));
    EXPECT_NE(RGB(0, 0, 128), canvas.At(rc.right - 5, rc.CenterPoint().y));
    // Another cell, another colour.
    grid.SetStyleRange(CGRRange(3, 2), CGRStyle().SetValue((long)RGB(0, 160, 0)));
    grid.OnGridDraw(canvas.DC());
    rc = grid.CalcRectFromRowCol(3, 2);
    EXPECT_EQ(RGB(0, 160, 0), canvas.At(rc.left + 12, rc.CenterPoint().y));
}

TEST_F(WellGridTest, AClickDropsThePaletteAndThePickIsWrittenToTheCell)
{
    // The click makes the cell current and is the control's click.
    ClickCell(3, 2);
    OZU_PopupColorWell* pPopup = dynamic_cast<OZU_PopupColorWell*>(pWell->GetPopupWell());
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->IsTracking());
    EXPECT_EQ(3u, pWell->GetEditRow());
    EXPECT_EQ(2u, pWell->GetEditCol());
    // It drops from the cell.
    CRect rcCell = grid.CalcRectFromRowCol(3, 2);
    grid.ClientToScreen(&rcCell);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_TRUE(rcPopup.top == rcCell.bottom || rcPopup.bottom == rcCell.top);

    CPoint at = pPopup->GetCellRect(12, 0).CenterPoint();
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    EXPECT_FALSE(pPopup->IsTracking());
    EXPECT_EQ(CString("255"), grid.GetValueRowCol(3, 2));
    EXPECT_EQ(CString(std::to_string((long)RGB(0, 0, 128)).c_str()), grid.GetValueRowCol(4, 2));
}
