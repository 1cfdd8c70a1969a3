// Where a dragged button lands on a toolbar, by the drop rules alone.
#include "tests/toolbars/model/ModelFixture.h"
#include "toolbars/model/DropRules.h"

#include <gtest/gtest.h>

using namespace ozwtb;

namespace {

// The steps as text: "-2" remove here (":n" without a new layout), "o"
// remove the other bar's selection, "|3" a separator at 3, "+4" the button
// at 4.
std::string Steps(const std::vector<DropStep>& steps)
{
    std::string text;
    for (const DropStep& s : steps) {
        if (!text.empty())
            text += ' ';
        switch (s.kind) {
        case DropStep::removeHere:
            text += "-" + std::to_string(s.nIndex) + (s.bNoRecalc ? ":n" : "");
            break;
        case DropStep::removeOther:
            text += "o";
            break;
        case DropStep::insertSeparator:
            text += "|" + std::to_string(s.nIndex);
            break;
        case DropStep::insertButton:
            text += "+" + std::to_string(s.nIndex);
            break;
        }
    }
    return text;
}

RECT At(int left, int top = 3)
{
    return RECT{left, top, left + 23, top + 22};
}

} // namespace

TEST(ToolBarDropRules, DropsOnARowOfButtons)
{
    // "BB|BBB" laid out from (8, 3): 8, 31, separator 54, 62, 85, 108.
    struct Case
    {
        const char* what;
        RECT drop;
        BOOL bCopy;
        int selected;
        BOOL other;
        const char* steps;
    } cases[] = {
        {"selected button one pixel to the right", At(63), FALSE, 3, FALSE, ""},
        {"selected button a few pixels right, after a button", At(90), FALSE, 4, FALSE, "|4"},
        {"selected button a few pixels left, after a separator", At(57), FALSE, 3, FALSE, "-2"},
        {"selected button a few pixels left, after a button", At(80), FALSE, 4, FALSE, "|5"},
        {"selected button one pixel to the left", At(84), FALSE, 4, FALSE, ""},
        {"selected button moved along the row", At(100), FALSE, 0, FALSE, "-0:n +4"},
        {"copy from elsewhere", At(100), TRUE, -1, FALSE, "+5"},
        {"move from another bar", At(100), FALSE, -1, TRUE, "o +5"},
        {"copy over a separator takes its place", At(45), TRUE, -1, FALSE, "-2:n +2"},
        {"left of the inside area", At(2), TRUE, -1, FALSE, "+0"},
        {"entirely above the buttons", RECT{40, -20, 63, 3}, FALSE, 1, FALSE, "|0 +0"},
        {"entirely below the buttons", RECT{40, 25, 63, 47}, TRUE, -1, FALSE, "|6 +7"},
    };
    for (const Case& c : cases) {
        DropInput in;
        in.buttons = modeltest::LaidOut("BB|BBB", 8, 3);
        in.rcInside = RECT{8, 3, 131, 25};
        in.rcDrop = c.drop;
        in.bCopy = c.bCopy;
        in.nSelected = c.selected;
        in.bOtherSelection = c.other;
        EXPECT_EQ(c.steps, Steps(PlanDrop(in))) << c.what;
    }
}

TEST(ToolBarDropRules, EmptyBarsAndLoneButtons)
{
    DropInput empty;
    empty.rcInside = RECT{8, 3, 20, 25};
    empty.rcDrop = At(10);
    empty.bOtherSelection = TRUE;
    EXPECT_EQ("o +0", Steps(PlanDrop(empty)));
    empty.bCopy = TRUE;
    EXPECT_EQ("+0", Steps(PlanDrop(empty)));

    // The only button of a bar moved within it stays.
    DropInput lone;
    lone.buttons = modeltest::LaidOut("B", 8, 3);
    lone.rcInside = RECT{8, 3, 31, 25};
    lone.rcDrop = At(20);
    lone.nSelected = 0;
    EXPECT_EQ("", Steps(PlanDrop(lone)));
}

TEST(ToolBarDropRules, TheRowIsTheOneUnderTheDropsCentre)
{
    // "BB|BB" in two rows: 0..22, a band of 5, then 27..49.
    DropInput in;
    in.buttons = modeltest::Bar("BB|BB");
    std::vector<RowInfo> rows;
    WrapButtons(in.buttons, 60, rows);
    SetRowEnds(in.buttons, rows);
    PositionButtons(in.buttons, 0, 0, FALSE, in.metrics);
    in.rcInside = RECT{0, 0, 46, 49};
    in.bCopy = TRUE;
    in.rcDrop = At(30, 27);
    EXPECT_EQ("+5", Steps(PlanDrop(in)));
    in.rcDrop = At(10, 0);
    EXPECT_EQ("+1", Steps(PlanDrop(in)));
}

TEST(ToolBarDropRules, AMoveCountsTheSeparatorsItsRemovalTakesAway)
{
    // Moving the middle button of "B|B|BB" between the last two: taking it
    // out doubles the separators, one goes, and the button still lands
    // between the last two buttons.
    DropInput in;
    in.buttons = modeltest::LaidOut("B|B|BB", 0, 0);
    in.rcInside = RECT{0, 0, 108, 22};
    in.rcDrop = At(70, 0);
    in.nSelected = 2;
    EXPECT_EQ("-2:n +3", Steps(PlanDrop(in)));
}
