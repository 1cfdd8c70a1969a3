// The line-width combo: an item drawn as thick as its data, and the mouse
// wheel moving the selection.
#include "PickerTestSupport.h"
#include "pickers/controls/LineWidthCombo.h"
#include "tests/support/MemoryBitmap.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

class LineWidthComboTest : public HostedTest
{
protected:
    CLineWidthCombo combo;
    void SetUp() override
    {
        HostedTest::SetUp();
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 CRect(10, 10, 210, 200), &host, 1300));
        for (int width : { 1, 3, 5 }) {
            char text[8];
            wsprintfA(text, "%d", width);
            combo.SetItemData(combo.AddString(text), (DWORD_PTR)width);
        }
    }
    void TearDown() override
    {
        combo.DestroyWindow();
        HostedTest::TearDown();
    }
};

} // namespace

TEST_F(LineWidthComboTest, TheWheelMovesTheSelectionByOneItem)
{
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0);
    EXPECT_EQ(-1, combo.GetCurSel());   // nothing selected: nothing happens
    combo.SetCurSel(0);
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0);
    EXPECT_EQ(1, combo.GetCurSel());
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0);
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0);
    EXPECT_EQ(2, combo.GetCurSel());
    combo.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(1, combo.GetCurSel());
}

TEST_F(LineWidthComboTest, AnItemIsALineAsThickAsItsData)
{
    kvtest::MemoryBitmap canvas(200, 24);
    ::SetBkColor(canvas.hdc(), RGB(255, 255, 255));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = 2;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hDC = canvas.hdc();
    dis.rcItem = CRect(0, 0, 200, 24);
    dis.itemData = 5;
    combo.DrawItem(&dis);
    COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    // A 5-pixel line around y = 12, from x = 3 to 196, under the centred text.
    EXPECT_EQ(ink, canvas.At(10, 10));
    EXPECT_EQ(ink, canvas.At(10, 14));
    EXPECT_NE(ink, canvas.At(10, 8));
    EXPECT_NE(ink, canvas.At(10, 16));
    EXPECT_EQ(ink, canvas.At(190, 12));
    EXPECT_NE(ink, canvas.At(198, 12));
}
