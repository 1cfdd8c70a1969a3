// The coloured static: the colours it answers its parent's colour question
// with, and its font weight.
#include "PickerTestSupport.h"
#include "pickers/controls/ColorStatic.h"

#include <gtest/gtest.h>

using namespace pickertest;

namespace {

class ColorStaticTest : public HostedTest
{
protected:
    CColorStatic label;
    void SetUp() override
    {
        HostedTest::SetUp();
        ASSERT_TRUE(label.Create("Creating assembly:", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &host, 1450));
        label.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    }
    // What the static answers when its parent is asked its colours.
    struct Answer
    {
        COLORREF brush, background, text;
    };
    Answer Ask()
    {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HBRUSH hBrush = (HBRUSH)host.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)label.GetSafeHwnd());
        LOGBRUSH lb = {};
        ::GetObjectA(hBrush, sizeof(lb), &lb);
        Answer answer = { lb.lbColor, ::GetBkColor(hdc), ::GetTextColor(hdc) };
        ::DeleteDC(hdc);
        return answer;
    }
};

} // namespace

TEST_F(ColorStaticTest, ItAnswersItsOwnColours)
{
    Answer first = Ask();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), first.brush);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), first.background);
    EXPECT_EQ(RGB(0, 0, 0), first.text);

    label.SetBkColor(RGB(255, 255, 192));
    label.SetTextColor(RGB(255, 0, 0));
    Answer set = Ask();
    EXPECT_EQ(RGB(255, 255, 192), set.brush);
    EXPECT_EQ(RGB(255, 255, 192), set.background);
    EXPECT_EQ(RGB(255, 0, 0), set.text);
}

TEST_F(ColorStaticTest, ItsFontTakesTheWeightAndKeepsItsFace)
{
    LOGFONTA before = {};
    ::GetObjectA((HFONT)label.SendMessage(WM_GETFONT), sizeof(before), &before);
    label.SetFontWeight(FW_BOLD);
    LOGFONTA after = {};
    ::GetObjectA((HFONT)label.SendMessage(WM_GETFONT), sizeof(after), &after);
    EXPECT_EQ(FW_BOLD, after.lfWeight);
    EXPECT_STREQ(before.lfFaceName, after.lfFaceName);
    EXPECT_EQ(before.lfHeight, after.lfHeight);
}
