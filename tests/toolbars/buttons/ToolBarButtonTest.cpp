// Toolbar button objects: sizes, press tracking, inform codes, tool tips,
// and their drawing in the looks, checked at a few pixels.
#include "tests/support/MemoryBitmap.h"
#include "tests/toolbars/buttons/ButtonTestSupport.h"
#include "tests/toolbars/buttons/ToolBarButtonTestSupport.h"
#include "platform/theme/ThemeLib.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace buttontest;

namespace {

// A host window that also records the notifications it gets.
class NotifyHost : public kvtest::CHostWnd
{
public:
    std::vector<UINT> notifyCodes;
    std::vector<int> notifyItems;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const NMTOOLBARA* pNM = reinterpret_cast<const NMTOOLBARA*>(lParam);
            notifyCodes.push_back(pNM->hdr.code);
            notifyItems.push_back(pNM->iItem);
        }
        return kvtest::CHostWnd::WindowProc(message, wParam, lParam);
    }
};

class ToolBarButtonTest : public ::testing::Test
{
protected:
    NotifyHost host;
    FakeToolBar bar;
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(bar.CreateBar(&host));
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        host.DestroyWindow();
        kvtest::PumpMessages();
    }
};

// The look for the length of a test.
class Look
{
public:
    explicit Look(int nStyle) { UXSetVisualStyle(nStyle); }
    ~Look() { UXSetVisualStyle(UX_STYLE_PLATFORM); }
};

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST_F(ToolBarButtonTest, ButtonsTakeTheToolbarsSizesAndRaiseItsLargest)
{
    OZWStdBtn* pButton = bar.Add(57600);
    OZWStdBtn* pSeparator = bar.Add(0, TBB_SEPARATOR);
    EXPECT_EQ(CRect(0, 0, 23, 22), pButton->GetBtnRect());
    EXPECT_EQ(8, pSeparator->m_cx);
    EXPECT_EQ(22, pSeparator->m_cy);
    EXPECT_EQ(CSize(23, 22), bar.maxSize);
}

TEST_F(ToolBarButtonTest, PressTrackingCountsTheRightAndBottomEdgesAsInside)
{
    OZWStdBtn* pButton = bar.Add(57600, 0, 10, 5);
    struct Case
    {
        CPoint point;
        bool pressed;
    } cases[] = {
        {{10, 5}, true}, {{33, 27}, true}, {{33, 5}, true}, {{34, 10}, false}, {{20, 28}, false}, {{9, 10}, false},
    };
    ASSERT_TRUE(pButton->BtnPressDown(CPoint(12, 7)));
    for (const Case& c : cases) {
        pButton->BtnPressMouseMove(c.point);
        EXPECT_EQ(c.pressed, pButton->HasStyle(TBB_PRESSED)) << c.point.x << "," << c.point.y;
    }
    EXPECT_EQ(57600u, pButton->BtnPressUp(CPoint(33, 27)));
    EXPECT_FALSE(pButton->HasStyle(TBB_PRESSED));
    ASSERT_TRUE(pButton->BtnPressDown(CPoint(12, 7)));
    EXPECT_EQ(0u, pButton->BtnPressUp(CPoint(34, 27)));
}

TEST_F(ToolBarButtonTest, DisabledButtonsAndSeparatorsAreNeverPressed)
{
    OZWStdBtn* pDisabled = bar.Add(57600, TBB_DISABLED);
    OZWStdBtn* pSeparator = bar.Add(0, TBB_SEPARATOR);
    EXPECT_FALSE(pDisabled->BtnPressDown(CPoint(5, 5)));
    EXPECT_FALSE(pSeparator->BtnPressDown(CPoint(5, 5)));
    EXPECT_FALSE(pDisabled->HasStyle(TBB_PRESSED));
    EXPECT_FALSE(pSeparator->HasStyle(TBB_PRESSED));
}

TEST_F(ToolBarButtonTest, ADropDownButtonNotifiesInsteadOfTracking)
{
    bar.Add(57600);
    OZWStdBtn* pDropDown = bar.Add(57601, TBB_DROPDOWN, 23, 0);
    EXPECT_FALSE(pDropDown->BtnPressDown(CPoint(30, 5)));
    ASSERT_EQ(1u, host.notifyCodes.size());
    EXPECT_EQ((UINT)TBN_DROPDOWN, host.notifyCodes[0]);
    EXPECT_EQ(57601, host.notifyItems[0]);
    EXPECT_FALSE(pDropDown->HasStyle(TBB_PRESSED));
    EXPECT_EQ(1, bar.hotRefreshes);
    EXPECT_FALSE(OZWStdBtn::IsDropDownInProgress());
}

TEST_F(ToolBarButtonTest, ReleasingACheckBoxTogglesEveryCopyOfItsCommand)
{
    OZWStdBtn* pFirst = bar.Add(57600, TBB_CHECKBOX | TBB_INDETERMINATE, 0, 0);
    OZWStdBtn* pCopy = bar.Add(57600, TBB_CHECKBOX | TBB_INDETERMINATE, 30, 0);
    ASSERT_TRUE(pFirst->BtnPressDown(CPoint(5, 5)));
    EXPECT_EQ(57600u, pFirst->BtnPressUp(CPoint(5, 5)));
    ASSERT_EQ(1u, bar.informs.size());
    EXPECT_TRUE(bar.informs[0].bAllBars);
    EXPECT_EQ(OZWINFORM_STYLE, bar.informs[0].nCode);
    for (OZWStdBtn* pButton : {pFirst, pCopy}) {
        EXPECT_TRUE(pButton->HasStyle(TBB_CHECKED));
        EXPECT_FALSE(pButton->HasStyle(TBB_INDETERMINATE));
    }
    // Released again: both unchecked.
    pFirst->BtnPressDown(CPoint(5, 5));
    pFirst->BtnPressUp(CPoint(5, 5));
    EXPECT_FALSE(pFirst->HasStyle(TBB_CHECKED));
    EXPECT_FALSE(pCopy->HasStyle(TBB_CHECKED));

    // A disabled check box sends its command without toggling.
    OZWStdBtn* pDisabled = bar.Add(57601, TBB_CHECKBOX | TBB_DISABLED, 60, 0);
    EXPECT_EQ(57601u, pDisabled->BtnPressUp(CPoint(65, 5)));
    EXPECT_EQ(2u, bar.informs.size());
    EXPECT_FALSE(pDisabled->HasStyle(TBB_CHECKED));
}

TEST_F(ToolBarButtonTest, InformCodeOneSetsAndClearsStyleBits)
{
    OZWStdBtn* pButton = bar.Add(57600, TBB_DISABLED | TBB_CHECKED);
    const DWORD bits[2] = {TBB_HOT, TBB_DISABLED};
    pButton->InformBtn(OZWINFORM_STYLE, (void*)bits);
    EXPECT_EQ(TBB_HOT | TBB_CHECKED, pButton->GetStyle());
    pButton->InformBtn(99, (void*)bits);
    EXPECT_EQ(TBB_HOT | TBB_CHECKED, pButton->GetStyle());
}

TEST_F(ToolBarButtonTest, ToolTipsAskForTheCommandsText)
{
    OZWStdBtn* pButton = bar.Add(57601, 0, 23, 0);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(57601, pButton->OnToolHitTest(CPoint(30, 5), &ti));
    EXPECT_EQ(bar.GetSafeHwnd(), ti.hwnd);
    EXPECT_EQ(57601u, ti.uId);
    EXPECT_EQ(CRect(23, 0, 46, 22), CRect(ti.rect));
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti.lpszText);
    EXPECT_EQ(57601, pButton->OnToolHitTest(CPoint(30, 5), nullptr));
}

TEST(ToolBarDrawData, TheTransparentColourIsExplicitOrTheStripsCornerOrLightGrey)
{
    OZWBtnDrawData data;
    EXPECT_EQ(RGB(192, 192, 192), data.GetTransparentColor());

    // A strip of fewer than 16 bits per pixel: light grey.
    CBitmap eightBit;
    std::vector<BYTE> bits(16 * 16, 0);
    ASSERT_TRUE(eightBit.CreateBitmap(16, 16, 1, 8, bits.data()));
    data.SelectImage((HBITMAP)eightBit.m_hObject);
    EXPECT_EQ(RGB(192, 192, 192), data.GetTransparentColor());

    // A deeper strip: its top-left pixel.
    HDC hScreen = ::GetDC(nullptr);
    CBitmap deep;
    deep.Attach(::CreateCompatibleBitmap(hScreen, 16, 16));
    ::ReleaseDC(nullptr, hScreen);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, deep.m_hObject);
    ::SetPixel(hdc, 0, 0, RGB(10, 20, 30));
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    data.SelectImage((HBITMAP)deep.m_hObject);
    EXPECT_EQ(RGB(10, 20, 30), data.GetTransparentColor());

    data.SetTransparentColor(RGB(1, 2, 3), TRUE);
    EXPECT_EQ(RGB(1, 2, 3), data.GetTransparentColor());
    data.Release();
}

TEST_F(ToolBarButtonTest, ClassicDrawing)
{
    ClassicDrawing classic;
    Look look(UX_STYLE_PLATFORM);
    const OZW_AUX_DATA* pSys = UXGetSysData();
    OZWBtnDrawData data;
    // The image's red square is at (4..11, 4..10) of its 16 x 15 cell; the
    // cell lies at (3, 3) of the 23 x 22 button, here at (10, 5).
    struct Case
    {
        const char* what;
        DWORD exStyle;
        DWORD style;
        POINT at;
        COLORREF expected;
    } cases[] = {
        {"raised frame, top left", 0, 0, {10, 5}, pSys->clrBtnHilite},
        {"raised frame, bottom right", 0, 0, {32, 26}, pSys->clrBtnDkShadow},
        {"image", 0, 0, {21, 15}, kRed},
        {"face round the image", 0, 0, {14, 9}, pSys->clrBtnFace},
        {"cool look, not hot: no frame", 0x100, 0, {10, 5}, pSys->clrBtnFace},
        {"cool look, hot: thin raised frame", 0x100, TBB_HOT, {10, 5}, pSys->clrBtnHilite},
        {"cool look, hot: its shadow", 0x100, TBB_HOT, {32, 26}, pSys->clrBtnShadow},
        {"pressed: sunken frame", 0, TBB_PRESSED, {10, 5}, pSys->clrBtnDkShadow},
        {"pressed: the image one pixel down and right", 0, TBB_PRESSED, {18, 13}, kRed},
        {"pressed: the image one pixel down and right, before it", 0, TBB_PRESSED, {17, 13}, pSys->clrBtnFace},
        {"disabled: the image in shadow", 0, TBB_DISABLED, {21, 15}, pSys->clrBtnShadow},
        {"disabled: the highlight below and right of it", 0, TBB_DISABLED, {25, 19}, pSys->clrBtnHilite},
    };
    for (const Case& c : cases) {
        kvtest::MemoryBitmap target(60, 40);
        target.Fill(kMagenta);
        bar.exStyle = c.exStyle;
        OZWStdBtn* pButton = bar.Add(57600, c.style, 10, 5);
        pButton->Draw(target.DC(), data);
        EXPECT_EQ(c.expected, target.At(c.at)) << c.what;
        EXPECT_EQ(kMagenta, target.At(9, 5)) << c.what << ": outside the button";
    }
    data.Release();
}

TEST_F(ToolBarButtonTest, TheSelectionFrameAndSeparators)
{
    ClassicDrawing classic;
    Look look(UX_STYLE_PLATFORM);
    const OZW_AUX_DATA* pSys = UXGetSysData();
    OZWBtnDrawData data;
    bar.exStyle = 0x100;

    kvtest::MemoryBitmap plain(60, 40);
    kvtest::MemoryBitmap selected(60, 40);
    plain.Fill(kMagenta);
    selected.Fill(kMagenta);
    bar.Add(57600, 0, 10, 5)->Draw(plain.DC(), data);
    bar.Add(57600, TBB_SELECTED, 10, 5)->Draw(selected.DC(), data);
    // The 3-pixel drag frame changes pixels of the border, none inside it.
    int changedOnFrame = 0;
    for (int x = 10; x < 33; ++x)
        changedOnFrame += plain.At(x, 6) != selected.At(x, 6) ? 1 : 0;
    EXPECT_GT(changedOnFrame, 0);
    EXPECT_EQ(plain.At(21, 15), selected.At(21, 15));

    // A separator of a cool-look bar: a shadow and a highlight line in its
    // middle; without cool look nothing.
    kvtest::MemoryBitmap sep(60, 40);
    sep.Fill(kMagenta);
    bar.Add(0, TBB_SEPARATOR, 40, 5)->Draw(sep.DC(), data);
    EXPECT_EQ(pSys->clrBtnShadow, sep.At(44, 10));
    EXPECT_EQ(pSys->clrBtnHilite, sep.At(45, 10));
    EXPECT_EQ(pSys->clrBtnFace, sep.At(41, 10));
    bar.exStyle = 0;
    sep.Fill(kMagenta);
    bar.buttons.back()->Draw(sep.DC(), data);
    EXPECT_EQ(kMagenta, sep.At(44, 10));
    data.Release();
}

TEST_F(ToolBarButtonTest, Office2003AndDotNetLooks)
{
    ClassicDrawing classic;
    OZWBtnDrawData data;
    bar.exStyle = 0x100;
    {
        Look look(UX_STYLE_OFFICE2003);
        kvtest::MemoryBitmap target(60, 40);
        target.Fill(kMagenta);
        bar.Add(57600, TBB_HOT, 10, 5)->Draw(target.DC(), data);
        // A black frame round a gradient from the hot colour.
        EXPECT_EQ(RGB(0, 0, 0), target.At(10, 5));
        EXPECT_EQ(RGB(0, 0, 0), target.At(32, 26));
        EXPECT_TRUE(Near(UXGetO2K3Color(3), target.At(12, 6)));
        EXPECT_EQ(kRed, target.At(21, 15));
        // Not hot: the bar's background is left as it is round the image.
        target.Fill(kMagenta);
        bar.Add(57600, 0, 10, 5)->Draw(target.DC(), data);
        EXPECT_EQ(kMagenta, target.At(10, 5));
        EXPECT_EQ(kMagenta, target.At(14, 9));
        EXPECT_EQ(kRed, target.At(21, 15));
        // Disabled: the image in a shade, never in its own colour.
        target.Fill(kMagenta);
        bar.Add(57600, TBB_DISABLED, 10, 5)->Draw(target.DC(), data);
        EXPECT_NE(kRed, target.At(21, 15));
        EXPECT_NE(kMagenta, target.At(21, 15));
    }
    {
        Look look(UX_STYLE_DOTNET);
        kvtest::MemoryBitmap target(60, 40);
        target.Fill(kMagenta);
        bar.Add(57600, TBB_HOT, 10, 5)->Draw(target.DC(), data);
        EXPECT_EQ(UXGetDNETColor(6), target.At(10, 5));
        EXPECT_EQ(UXGetDNETColor(5), target.At(12, 7));
    }
    data.Release();
}
