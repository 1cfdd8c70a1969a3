// The line-style pickers: an item drawn into a bitmap, the combo's item
// data, sizes and tip, and the popup under a cell driven by real input.
#include "PickerTestSupport.h"
#include "pickers/controls/LineStylePickers.h"
#include "pickers/controls/PickerScale.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/TimerScript.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

const LineTypeArray kLineTypes = {
    { "Continuous", {} },
    { "Dashed", { 250, 250, 250 } },
    { "Spaced", { 1, 1000 } },
    { "Third", { 333, 333, 333 } },
};

// Draws item `data` with `text` into a canvas row 0..20 as not selected.
void DrawItem(kvtest::MemoryBitmap& canvas, long data, const char* text, int sample, UINT state = 0)
{
    canvas.Fill(RGB(255, 255, 255));
    ::SetBkColor(canvas.hdc(), RGB(255, 255, 255));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hDC = canvas.hdc();
    dis.rcItem = CRect(0, 0, 300, 20);
    dis.itemData = (ULONG_PTR)(LONG_PTR)data;
    DrawLineStyleItem(&dis, text, sample, kLineTypes);
}

bool IsInk(COLORREF c)
{
    return c == ::GetSysColor(COLOR_WINDOWTEXT);
}

} // namespace

TEST(LineStyleItem, TheSampleShowsTheDashes)
{
    kvtest::MemoryBitmap canvas(300, 20);
    // Dashed on a 100-pixel sample: dashes of 25 pixels from x = 3 (the item
    // rectangle less one pixel, the line 2 further in), along y = 10.
    DrawItem(canvas, 1, "", 100);
    EXPECT_TRUE(IsInk(canvas.At(10, 10)));
    EXPECT_TRUE(IsInk(canvas.At(26, 10)));
    EXPECT_FALSE(IsInk(canvas.At(40, 10)));   // the first gap
    EXPECT_TRUE(IsInk(canvas.At(60, 10)));
    EXPECT_FALSE(IsInk(canvas.At(10, 5)));
    EXPECT_FALSE(IsInk(canvas.At(150, 10)));   // beyond the sample

    // An empty pattern is a solid line.
    DrawItem(canvas, 0, "", 100);
    int inked = 0;
    for (int x = 3; x < 101; ++x)
        inked += IsInk(canvas.At(x, 10));
    EXPECT_EQ(98, inked);

    // Selected: the highlight behind it, the line still in the text colour.
    DrawItem(canvas, 1, "", 100, ODS_SELECTED);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.At(40, 10));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.At(200, 2));
}

TEST(LineStyleItem, NegativeOrUnknownItemsShowTheirTextOnly)
{
    kvtest::MemoryBitmap canvas(300, 20);
    for (long data : { -1L, 4L }) {
        DrawItem(canvas, data, "", 100);
        EXPECT_EQ(0, canvas.Count(CRect(0, 0, 300, 20), ::GetSysColor(COLOR_WINDOWTEXT))) << data;
        DrawItem(canvas, data, "<Unknown>", 100);
        // The text is centred in the sample's place, not after it.
        EXPECT_GT(canvas.Count(CRect(0, 0, 101, 20), ::GetSysColor(COLOR_WINDOWTEXT)), 0) << data;
        EXPECT_EQ(0, canvas.Count(CRect(106, 0, 300, 20), ::GetSysColor(COLOR_WINDOWTEXT))) << data;
    }
    // A known item's text goes right of the sample.
    DrawItem(canvas, 1, "Dashed", 100);
    EXPECT_GT(canvas.Count(CRect(106, 0, 300, 20), ::GetSysColor(COLOR_WINDOWTEXT)), 0);
}

namespace {

class LineStyleComboTest : public HostedTest
{
protected:
    ScopedLineTypes lineTypes{ kLineTypes };
    void Fill(CComboBox& combo)
    {
        for (size_t i = 0; i < LineTypeList().size(); ++i)
            combo.SetItemData(combo.AddString(LineTypeList()[i].name.c_str()), i);
    }
};

const DWORD kComboStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL;

} // namespace

TEST_F(LineStyleComboTest, SelectionByItemData)
{
    CLineStyleCombo combo;
    EXPECT_EQ(-1, combo.SelectByData(1));   // no window, no items
    ASSERT_TRUE(combo.Create(kComboStyle, CRect(10, 10, 210, 200), &host, 1200));
    EXPECT_EQ(-1, combo.SelectByData(1));
    EXPECT_EQ(-1, combo.GetSelectedData());
    Fill(combo);
    combo.SetCurSel(0);
    EXPECT_EQ(2, combo.SelectByData(2));
    EXPECT_EQ(2, combo.GetSelectedData());
    // A stored line type beyond the list: nothing selected anew.
    EXPECT_EQ(-1, combo.SelectByData(9));
    EXPECT_EQ(2, combo.GetSelectedData());
    // The drop-down is as wide as the widest name plus the combo.
    combo.ShowDropDown(TRUE);
    CClientDC dc(&combo);
    CFont* pOld = dc.SelectObject(combo.GetFont());
    int widest = 0;
    for (const LineTypeEntry& e : LineTypeList())
        widest = std::max(widest, (int)dc.GetTextExtent(e.name.c_str(), (int)e.name.size()).cx);
    dc.SelectObject(pOld);
    CRect client;
    combo.GetClientRect(&client);
    EXPECT_EQ(widest + client.Width(), combo.GetDroppedWidth());
    combo.ShowDropDown(FALSE);
    combo.DestroyWindow();
}

TEST_F(LineStyleComboTest, ItemHeightFollowsTheScaleSetting)
{
    struct Case
    {
        const char* stored;   // nullptr: no value
        int height;
    };
    HDC screen = ::GetDC(nullptr);
    int screenHeight = kvpickers::ItemHeightForScale(::GetDeviceCaps(screen, LOGPIXELSY) / 96.0f);
    ::ReleaseDC(nullptr, screen);
    const Case cases[] = {
        { "1.7500000000", 24 }, { "2.0000000000", 32 }, { "1.4999000000", 16 }, { "0.0000000000", screenHeight },
        { nullptr, screenHeight },
    };
    for (const Case& c : cases) {
        kvtest::DeleteProductSubKey("AppSettings");
        if (c.stored)
            kvtest::StoreText("AppSettings", "DPIScale", c.stored);
        CLineStyleCombo combo;
        EXPECT_EQ(c.height, combo.GetItemHeightSetting()) << (c.stored ? c.stored : "none");
        ASSERT_TRUE(combo.Create(kComboStyle, CRect(10, 10, 210, 200), &host, 1200));
        // The selection field is as high as in a combo given that height.
        CComboBox reference;
        ASSERT_TRUE(reference.Create(kComboStyle, CRect(10, 210, 210, 400), &host, 1201));
        reference.SetItemHeight(-1, (UINT)c.height);
        EXPECT_EQ(reference.GetItemHeight(-1), combo.GetItemHeight(-1)) << (c.stored ? c.stored : "none");
        reference.DestroyWindow();
        combo.DestroyWindow();
    }
    kvtest::DeleteProductSubKey("AppSettings");
}

TEST_F(LineStyleComboTest, ATipShowsTheSelectionWhileThePointerIsOverIt)
{
    CLineStyleCombo combo;
    ASSERT_TRUE(combo.Create(kComboStyle, CRect(10, 10, 210, 200), &host, 1200));
    Fill(combo);
    combo.SetCurSel(1);
    ASSERT_NE(nullptr, combo.GetToolTipWindow());
    combo.SendMessage(WM_MOUSEMOVE, 0, At(CPoint(20, 5)));
    EXPECT_TRUE(combo.IsTipShowing());
    // Over the drop button: no tip.
    CRect client;
    combo.GetClientRect(&client);
    combo.SendMessage(WM_MOUSEMOVE, 0, At(CPoint(client.right - 2, 5)));
    EXPECT_FALSE(combo.IsTipShowing());
    combo.DestroyWindow();
}

TEST(LineStylePopupPlace, UnderTheCellOrAboveItNearTheBottom)
{
    const CSize screen(1024, 768);
    EXPECT_EQ(CRect(100, 220, 400, 462), PlaceLineStylePopup(CRect(100, 200, 200, 220), 300, 242, screen));
    EXPECT_EQ(CRect(100, 458, 400, 700), PlaceLineStylePopup(CRect(100, 700, 200, 720), 300, 242, screen));
    EXPECT_EQ(CRect(600, 220, 900, 462), PlaceLineStylePopup(CRect(800, 200, 900, 220), 300, 242, screen));
}

namespace {

class LineStylePopupTest : public HostedTest
{
protected:
    ScopedLineTypes lineTypes{ kLineTypes };
};

HWND PopupList()
{
    HWND hDialog = ::GetActiveWindow();
    return hDialog ? ::GetDlgItem(hDialog, 1357) : nullptr;
}

void Key(UINT vk)
{
    HWND hList = PopupList();
    if (hList)
        ::PostMessageA(hList, WM_KEYDOWN, vk, 0);
}

// Runs the steps from inside the popup's modal loop; a popup still open
// long after them is closed.
class PopupScript : public kvtest::TimerScript
{
public:
    explicit PopupScript(std::vector<std::function<void()>> steps)
        : TimerScript([] {
              HWND hDialog = ::GetActiveWindow();
              if (hDialog && ::GetDlgItem(hDialog, 1357))
                  ::PostMessageA(hDialog, WM_CLOSE, 0, 0);
          })
    {
        for (auto& step : steps)
            Add(std::move(step));
        Start();
    }
};

} // namespace

TEST_F(LineStylePopupTest, AClickPicksAndCloses)
{
    CLineStylePopup popup(100, 200, 200, 220, &host);
    popup.m_nChosen = 1;
    CRect rcPopup, rcItem;
    PopupScript script({ [&] {
        HWND hList = PopupList();
        ASSERT_NE(nullptr, hList);
        ::GetWindowRect(::GetParent(hList), &rcPopup);
        ::SendMessageA(hList, LB_GETITEMRECT, 2, (LPARAM)&rcItem);
        CPoint at = rcItem.CenterPoint();
        ::PostMessageA(hList, WM_MOUSEMOVE, 0, At(at));
        ::PostMessageA(hList, WM_LBUTTONDOWN, MK_LBUTTON, At(at));
        ::PostMessageA(hList, WM_LBUTTONUP, 0, At(at));
    } });
    popup.DoModal();
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ(2, popup.m_nChosen);
    EXPECT_EQ(CRect(100, 220, 100 + rcPopup.Width(), 220 + CLineStylePopup::kHeight), popup.GetPopupRect());
    EXPECT_EQ(popup.GetPopupRect(), rcPopup);
    EXPECT_EQ(96, popup.GetList().GetSampleWidth());
}

TEST_F(LineStylePopupTest, ArrowsMoveEnterCommitsAndEscapeKeepsTheLineType)
{
    CLineStylePopup committed(100, 200, 200, 220, &host);
    committed.m_nChosen = 0;
    {
        PopupScript script({ [] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_RETURN); } });
        committed.DoModal();
        EXPECT_FALSE(script.Overran());
    }
    EXPECT_EQ(2, committed.m_nChosen);

    CLineStylePopup cancelled(100, 200, 200, 220, &host);
    cancelled.m_nChosen = 1;
    PopupScript script({ [] { Key(VK_DOWN); }, [] { Key(VK_ESCAPE); } });
    EXPECT_EQ(IDCANCEL, cancelled.DoModal());
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ(1, cancelled.m_nChosen);
}

TEST_F(LineStylePopupTest, NearTheBottomItOpensUpward)
{
    int bottom = ::GetSystemMetrics(SM_CYSCREEN) - 10;
    CLineStylePopup popup(100, bottom - 20, 200, bottom, &host);
    PopupScript script({ [] { Key(VK_ESCAPE); } });
    popup.DoModal();
    EXPECT_FALSE(script.Overran());
    EXPECT_EQ(bottom - 20, popup.GetPopupRect().bottom);
    EXPECT_EQ(CLineStylePopup::kHeight, popup.GetPopupRect().Height());
}
