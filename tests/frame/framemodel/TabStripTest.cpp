// The workbook tab strip's window-free rules: insets, tab width, the tab
// outline, its text rectangle, the parts to repaint, shortened texts.
#include <gtest/gtest.h>
#include "frame/framemodel/OZWTabStrip.h"

#include <string>

using namespace ozwframe;

TEST(TabStrip, InsetsByStyle)
{
    struct Case
    {
        BOOL show, flat;
        TabInsets expected;
    } cases[] = {
        {TRUE, FALSE, {13, 13, 13, 33}},
        {TRUE, TRUE, {3, 3, 5, 30}},
        {FALSE, FALSE, {0, 0, 0, 0}},
        {FALSE, TRUE, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const TabInsets got = TabStripInsets(c.show, c.flat);
        EXPECT_EQ(got.left, c.expected.left);
        EXPECT_EQ(got.top, c.expected.top);
        EXPECT_EQ(got.right, c.expected.right);
        EXPECT_EQ(got.bottom, c.expected.bottom);
    }
}

TEST(TabStrip, TabWidthSharesTheClientUpToTheMaximum)
{
    struct Case
    {
        int cx, sheets, expected;
    } cases[] = {
        {600, 10, 60}, // (600 + 5) / 10
        {600, 2, 90},  // the maximum, not 100
        {595, 7, 85},
        {100, 3, 35},
        {600, 0, 90},  // no sheets: nothing to share
    };
    for (const Case& c : cases)
        EXPECT_EQ(TabWidth(c.cx, c.sheets, 90), c.expected) << c.cx << " / " << c.sheets;
}

TEST(TabStrip, TabOutline)
{
    const RECT client = {10, 20, 610, 400};
    struct Case
    {
        BOOL flat, active;
        int slot;
        POINT expected[7];
    } cases[] = {
        // Classic, inactive, first place: hangs from client.bottom + 4.
        {FALSE, FALSE, 0, {{10, 404}, {10, 425}, {12, 427}, {108, 427}, {110, 425}, {110, 404}, {10, 404}}},
        // Classic, active: 2 further left, 2 deeper, 4 wider.
        {FALSE, TRUE, 0, {{8, 404}, {8, 425}, {10, 429}, {110, 429}, {112, 425}, {112, 404}, {8, 404}}},
        // Flat, active: deeper only.
        {TRUE, TRUE, 2, {{210, 404}, {210, 425}, {212, 429}, {308, 429}, {310, 425}, {310, 404}, {210, 404}}},
        // Flat, inactive, third place.
        {TRUE, FALSE, 2, {{210, 404}, {210, 425}, {212, 427}, {308, 427}, {310, 425}, {310, 404}, {210, 404}}},
    };
    for (const Case& c : cases) {
        TabMetrics m;
        m.bFlat = c.flat;
        POINT pts[7];
        TabPolygon(m, c.slot, c.active, client, pts);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(pts[i].x, c.expected[i].x) << "point " << i << " flat " << c.flat << " active " << c.active;
            EXPECT_EQ(pts[i].y, c.expected[i].y) << "point " << i << " flat " << c.flat << " active " << c.active;
        }
    }
}

TEST(TabStrip, TextRectangleLeavesRoomForTheIcon)
{
    TabMetrics m;
    POINT pts[7];
    TabPolygon(m, 1, FALSE, RECT{0, 0, 500, 300}, pts);
    const RECT withIcon = TabTextRect(pts, 16);
    EXPECT_EQ(withIcon.left, 102 + 16 + 3);
    EXPECT_EQ(withIcon.top, 304);
    EXPECT_EQ(withIcon.right, 200 - 2);
    EXPECT_EQ(withIcon.bottom, 327);
    EXPECT_EQ(TabTextRect(pts, 0).left, 105);
}

TEST(TabStrip, RepaintRectangles)
{
    TabMetrics m;
    m.nWidth = 60;
    const RECT client = {10, 20, 610, 400};
    const RECT tab = TabInvalidRect(m, 2, client, 800, FALSE);
    EXPECT_EQ(tab.left, 128);
    EXPECT_EQ(tab.top, 404);
    EXPECT_EQ(tab.right, 192);
    EXPECT_EQ(tab.bottom, 431);
    EXPECT_EQ(TabInvalidRect(m, 2, client, 800, TRUE).right, 800);
    m.bFlat = TRUE;
    EXPECT_EQ(TabInvalidRect(m, 2, client, 800, FALSE).top, 403);
    const RECT strip = TabStripInvalidRect(m, client, 800);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.top, 404);
    EXPECT_EQ(strip.right, 800);
    EXPECT_EQ(strip.bottom, 431);
}

TEST(TabStrip, TooWideTextsLoseCharactersAndEndInDots)
{
    // Each character 10 pixels wide (a UTF-8 character counts once).
    auto measure = [](const std::string& s) {
        int n = 0;
        for (unsigned char ch : s)
            if ((ch & 0xC0) != 0x80)
                ++n;
        return n * 10;
    };
    struct Case
    {
        const char* text;
        int cx;
        const char* expected;
    } cases[] = {
        {"Pipes", 50, "Pipes"},                 // fits
        {"Pipes", 49, "P..."},                  // "Pipe...", "Pip...", "Pi..." too wide
        {"Abc", 10, "Abc"},                     // three characters stay as they are
        {"Nozzles", 5, "..."},                  // down to the dots alone
        {"m\xC2\xB3/h flow", 60, "m\xC2\xB3/..."}, // a cut never splits a character
        {"", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitTabText(c.text, c.cx, measure), c.expected) << c.text << " in " << c.cx;
}
