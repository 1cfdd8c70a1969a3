// The main frame's stored window placement: only a whole placement that
// puts the window on a screen is used.
#include "app/MainFrm.h"

#include <gtest/gtest.h>

TEST(MainFramePlacement, OnlyAWholePlacementOnAScreenIsUsed)
{
    WINDOWPLACEMENT good = {};
    good.length = sizeof(good);
    good.showCmd = SW_SHOWNORMAL;
    good.rcNormalPosition = {10, 10, 610, 410};

    struct Case
    {
        const char* what;
        UINT nBytes;
        void (*change)(WINDOWPLACEMENT&);
        BOOL usable;
    } cases[] = {
        {"whole, on the screen", sizeof(WINDOWPLACEMENT), [](WINDOWPLACEMENT&) {}, TRUE},
        {"cut short", sizeof(WINDOWPLACEMENT) - 4, [](WINDOWPLACEMENT&) {}, FALSE},
        {"too long", sizeof(WINDOWPLACEMENT) + 4, [](WINDOWPLACEMENT&) {}, FALSE},
        {"wrong length field", sizeof(WINDOWPLACEMENT), [](WINDOWPLACEMENT& p) { p.length = 12; }, FALSE},
        {"empty rectangle", sizeof(WINDOWPLACEMENT),
         [](WINDOWPLACEMENT& p) { p.rcNormalPosition = {50, 50, 50, 80}; }, FALSE},
        {"off every screen", sizeof(WINDOWPLACEMENT),
         [](WINDOWPLACEMENT& p) { p.rcNormalPosition = {-30000, -30000, -29000, -29500}; }, FALSE},
    };
    for (const Case& c : cases) {
        WINDOWPLACEMENT stored = good;
        c.change(stored);
        std::vector<BYTE> bytes(c.nBytes, 0);
        memcpy(bytes.data(), &stored, std::min<size_t>(bytes.size(), sizeof(stored)));
        WINDOWPLACEMENT result = {};
        EXPECT_EQ(CMainFrame::IsUsablePlacement(bytes.data(), c.nBytes, &result), c.usable) << c.what;
        if (c.usable) {
            EXPECT_EQ(result.rcNormalPosition.right, 610) << c.what;
        }
    }
    EXPECT_FALSE(CMainFrame::IsUsablePlacement(nullptr, sizeof(WINDOWPLACEMENT), nullptr));
}
