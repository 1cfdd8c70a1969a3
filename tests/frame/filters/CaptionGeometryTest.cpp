// The window-free caption rules: where the caption lies for each kind of
// frame, and which standard buttons a window shows, disabled or not.
#include <gtest/gtest.h>
#include "frame/filters/CaptionGeometry.h"

using namespace ozwcaption;

namespace {

Metrics TestMetrics()
{
    Metrics m;
    m.cxSizeFrame = 4, m.cySizeFrame = 5;
    m.cxFixedFrame = 3, m.cyFixedFrame = 2;
    m.cxBorder = 1, m.cyBorder = 1;
    m.cyCaption = 19, m.cySmCaption = 15;
    return m;
}

WindowFacts Facts(DWORD style, DWORD exStyle = 0, BOOL iconic = FALSE, BOOL zoomed = FALSE)
{
    WindowFacts f;
    f.bWindow = TRUE;
    f.dwStyle = style;
    f.dwExStyle = exStyle;
    f.bIconic = iconic;
    f.bZoomed = zoomed;
    f.cxWindow = 200;
    return f;
}

} // namespace

TEST(CaptionGeometry, CaptionRectFollowsTheFrameAndCaptionStyles)
{
    struct Case
    {
        const char* name;
        WindowFacts facts;
        RECT expected;
    };
    const Case cases[] = {
        {"sizing frame", Facts(WS_OVERLAPPEDWINDOW), {4, 5, 196, 5 + 18}},
        {"dialog frame", Facts(WS_CAPTION | WS_SYSMENU), {3, 2, 197, 2 + 18}},
        {"border only", Facts(WS_BORDER | WS_THICKFRAME, 0, TRUE), {1, 1, 199, 1}},
        {"tool window", Facts(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW), {4, 5, 196, 5 + 14}},
        {"iconic sizing frame", Facts(WS_OVERLAPPEDWINDOW, 0, TRUE), {3, 2, 197, 2 + 18}},
        {"no caption or frame", Facts(WS_POPUP), {0, 0, 200, 0}},
    };
    for (const Case& c : cases) {
        const RECT r = CaptionRect(c.facts, TestMetrics());
        EXPECT_EQ(r.left, c.expected.left) << c.name;
        EXPECT_EQ(r.top, c.expected.top) << c.name;
        EXPECT_EQ(r.right, c.expected.right) << c.name;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.name;
    }
    WindowFacts none;
    const RECT r = CaptionRect(none, TestMetrics());
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0);
}

TEST(CaptionGeometry, StandardButtonsShownAndDisabledByStyleAndState)
{
    // Shown / disabled for close, minimise, maximise, restore, help.
    struct Case
    {
        const char* name;
        WindowFacts facts;
        const char* shown;    // one letter per button: s shown, d shown disabled, - hidden
    };
    WindowFacts closeGrey = Facts(WS_OVERLAPPEDWINDOW);
    closeGrey.bCloseDisabled = TRUE;
    const Case cases[] = {
        {"normal", Facts(WS_OVERLAPPEDWINDOW), "sss--"},
        {"zoomed", Facts(WS_OVERLAPPEDWINDOW, 0, FALSE, TRUE), "ss-s-"},
        {"iconic", Facts(WS_OVERLAPPEDWINDOW, 0, TRUE), "s-ss-"},
        {"no system menu", Facts(WS_OVERLAPPEDWINDOW & ~WS_SYSMENU), "-----"},
        {"maximise box only", Facts(WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX), "sds--"},
        {"minimise box only, zoomed", Facts(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, FALSE, TRUE), "ss-d-"},
        {"tool window", Facts(WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW), "s----"},
        {"context help", Facts(WS_CAPTION | WS_SYSMENU, WS_EX_CONTEXTHELP), "s---s"},
        {"context help beside boxes", Facts(WS_OVERLAPPEDWINDOW, WS_EX_CONTEXTHELP), "sss--"},
        {"close greyed", closeGrey, "dss--"},
    };
    const int ids[] = {kClose, kMinimize, kMaximize, kRestore, kHelp};
    for (const Case& c : cases) {
        std::string got;
        for (int id : ids) {
            BOOL disabled = TRUE;
            const BOOL shown = StandardButtonVisibility(id, c.facts, &disabled);
            got += shown ? (disabled ? 'd' : 's') : '-';
            if (!shown) {
                EXPECT_FALSE(disabled) << c.name << " " << id;
            }
        }
        EXPECT_EQ(got, c.shown) << c.name;
    }
    EXPECT_FALSE(StandardButtonVisibility(258, Facts(WS_OVERLAPPEDWINDOW), nullptr));
}

TEST(CaptionGeometry, SystemCommandsAndGaps)
{
    EXPECT_EQ(SystemCommandOf(kClose), (UINT)SC_CLOSE);
    EXPECT_EQ(SystemCommandOf(kMinimize), (UINT)SC_MINIMIZE);
    EXPECT_EQ(SystemCommandOf(kMaximize), (UINT)SC_MAXIMIZE);
    EXPECT_EQ(SystemCommandOf(kRestore), (UINT)SC_RESTORE);
    EXPECT_EQ(SystemCommandOf(kHelp), (UINT)SC_CONTEXTHELP);
    EXPECT_EQ(SystemCommandOf(5), 0u);
    EXPECT_EQ(GapAfter(kClose, FALSE), 2);
    EXPECT_EQ(GapAfter(kMinimize, FALSE), 2);
    EXPECT_EQ(GapAfter(kMaximize, TRUE), 0);
    EXPECT_EQ(GapAfter(kRestore, FALSE), 0);
    EXPECT_EQ(GapAfter(kRestore, TRUE), 2);
}
