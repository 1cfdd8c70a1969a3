// The menu button of a menu bar: its caption, mnemonic and size, the press
// that drops its menu, and the gradient helper.
#include <gtest/gtest.h>
#include "platform/theme/ThemeLib.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/toolbars/buttons/ToolBarButtonTestSupport.h"
#include "toolbars/menus/OZWTBMenuBtn.h"
#include "toolbars/model/ToolBarLayout.h"

#include <vector>

namespace {

// The stand-in toolbar with a menu font and a record of the drops asked for.
class MenuToolBar : public buttontest::FakeToolBar
{
public:
    MenuToolBar() { m_hFont = (HFONT)::GetStockObject(SYSTEM_FONT); }
    HFONT GetMenuFont() const override { return m_hFont; }
    void DropButtonMenu(OZWStdBtn* pButton) override { dropped.push_back(pButton); }
    std::vector<OZWStdBtn*> dropped;
    HFONT m_hFont;
};

class MenuButtonTest : public kvtest::HostedTest
{
protected:
    MenuToolBar bar;
    void SetUp() override
    {
        kvtest::HostedTest::SetUp();
        ASSERT_TRUE(bar.CreateBar(&host));
    }
    OZWTBMenuBtn* AddMenuButton(const char* caption, DWORD dwStyle = 0)
    {
        const UINT_PTR params[] = {7401, 2, (UINT_PTR)caption, 4, 0};
        return static_cast<OZWTBMenuBtn*>(bar.Add(0x80000001, dwStyle, 0, 0, OZWBTN_CLASS(OZWTBMenuBtn), params));
    }
};

} // namespace

TEST_F(MenuButtonTest, TheButtonTakesItsCaptionAndIsSizedFromIt)
{
    OZWTBMenuBtn* pButton = AddMenuButton("&Edit");
    EXPECT_EQ(pButton->m_nType, (int)OZWStdBtn::typeMenu);
    EXPECT_EQ(pButton->m_nMenuParam1, 7401u);
    EXPECT_EQ(pButton->m_nMenuParam2, 2u);
    EXPECT_EQ(pButton->m_nMenuParam4, 4u);
    EXPECT_STREQ((LPCSTR)pButton->m_strText, "&Edit");
    EXPECT_EQ(pButton->m_cMnemonic, 'E');
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, bar.m_hFont);
    RECT rect = {0, 0, 0, 0};
    ::DrawTextA(hdc, "&Edit", 5, &rect, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    EXPECT_EQ(pButton->m_cx, rect.right + 10);
    EXPECT_EQ(pButton->m_cy, rect.bottom + 6);
    EXPECT_GE(bar.maxSize.cx, pButton->m_cx);
    EXPECT_EQ(AddMenuButton("Plain")->m_cMnemonic, 0);
}

TEST_F(MenuButtonTest, APressDropsTheMenuUnlessTheButtonIsDisabled)
{
    OZWTBMenuBtn* pButton = AddMenuButton("&File");
    EXPECT_FALSE(pButton->BtnPressDown(CPoint(2, 2)));
    ASSERT_EQ(bar.dropped.size(), 1u);
    EXPECT_EQ(bar.dropped[0], pButton);
    EXPECT_NE(pButton->GetStyle() & TBB_PRESSED, 0u);

    OZWTBMenuBtn* pDisabled = AddMenuButton("&View", TBB_DISABLED);
    EXPECT_FALSE(pDisabled->BtnPressDown(CPoint(2, 2)));
    EXPECT_EQ(bar.dropped.size(), 1u);
    EXPECT_EQ(pDisabled->GetStyle() & TBB_PRESSED, 0u);
}

TEST_F(MenuButtonTest, AnOpenMenusButtonIsDrawnSunkenInTheClassicLook)
{
    UXSetVisualStyle(UX_STYLE_PLATFORM);
    OZWTBMenuBtn* pButton = AddMenuButton("&File", TBB_PRESSED);
    kvtest::MemoryBitmap bitmap(pButton->m_cx, pButton->m_cy);
    CRect rect(0, 0, pButton->m_cx, pButton->m_cy);
    int ix = 0, iy = 0;
    OZWBtnDrawData drawData;
    pButton->DrawFace(drawData, FALSE, rect, ix, iy, -1, bitmap.DC());
    if (!UXIsThemeActive()) {
        EXPECT_EQ(::GetPixel(bitmap.hdc(), 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(::GetPixel(bitmap.hdc(), pButton->m_cx - 1, pButton->m_cy - 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

TEST(MenuGradient, TwoHundredFiftyFiveBandsFromOneColourToTheOther)
{
    kvtest::MemoryBitmap bitmap(510, 4);
    FillGradient(bitmap.DC(), CRect(0, 0, 510, 4), RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
    for (int t : {0, 1, 100, 254}) {
        const COLORREF expected = RGB(255 * t / 255, 0, 255 - 255 * t / 255);
        EXPECT_EQ(::GetPixel(bitmap.hdc(), 2 * t, 1), expected) << t;
        EXPECT_EQ(::GetPixel(bitmap.hdc(), 2 * t + 1, 1), expected) << t;
    }
    kvtest::MemoryBitmap vertical(4, 255);
    FillGradient(vertical.DC(), CRect(0, 0, 4, 255), RGB(200, 200, 200), RGB(0, 0, 0), FALSE);
    EXPECT_EQ(::GetPixel(vertical.hdc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(vertical.hdc(), 1, 254), RGB(200 * 254 / 255, 200 * 254 / 255, 200 * 254 / 255));
}
