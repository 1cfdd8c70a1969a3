// The rows of the common-control toolbar: wrapping for a width, the size of
// the wrapped buttons and the width found for a length, on button lists
// written as text: "B" a button, "S" a separator (width 8), "C" a separator
// holding a control (width 40), "h" a hidden button, "D" a drop-down button.
#include "frame/toolbarmodel/OZWToolBarRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ozwccbar::Metrics;

std::vector<TBBUTTON> Buttons(const std::string& text)
{
    std::vector<TBBUTTON> buttons;
    int nCommand = 100;
    for (char c : text) {
        TBBUTTON b = {};
        b.fsState = TBSTATE_ENABLED;
        switch (c) {
        case 'S':
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 8;
            break;
        case 'C':
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 40;
            b.idCommand = nCommand++;
            break;
        case 'h':
            b.fsState |= TBSTATE_HIDDEN;
            b.idCommand = nCommand++;
            break;
        case 'D':
            b.fsStyle = BTNS_DROPDOWN;
            b.idCommand = nCommand++;
            break;
        default:
            b.idCommand = nCommand++;
            break;
        }
        buttons.push_back(b);
    }
    return buttons;
}

// The buttons again as text, with "|" after each that ends a row.
std::string Rows(const std::vector<TBBUTTON>& buttons, const std::string& text)
{
    std::string rows;
    for (size_t i = 0; i < buttons.size(); i++) {
        rows += text[i];
        if (buttons[i].fsState & TBSTATE_WRAP)
            rows += '|';
    }
    return rows;
}

} // namespace

TEST(ToolBarRows, WrapToolBarEndsRowsAtSeparatorsElseBeforeTheButtonThatRunsOver)
{
    struct Case
    {
        const char* buttons;
        int nWidth;
        const char* rows;
        int nRows;
    };
    const Case cases[] = {
        { "BBBB", 200, "BBBB", 1 },
        // Four buttons of 23 need 92.
        { "BBBB", 91, "BBB|B", 2 },
        { "BBSBB", 80, "BBS|BB", 2 },
        // The separator that runs over is where the row ends.
        { "BBBSB", 72, "BBBS|B", 2 },
        // A control is no place to end a row: it starts the next one.
        { "BBCB", 80, "BB|CB", 2 },
        // Hidden buttons take no room and never end a row.
        { "BhBhB", 60, "BhB|hB", 2 },
        { "BBB", 0, "B|B|B", 3 },
        // A hidden separator is no place to end a row.
        { "BBhBB", 70, "BBhB|B", 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.buttons) + " at " + std::to_string(c.nWidth));
        std::vector<TBBUTTON> buttons = Buttons(c.buttons);
        if (std::string(c.buttons) == "BBhBB")
            buttons[2].fsStyle = TBSTYLE_SEP, buttons[2].iBitmap = 8, buttons[2].idCommand = 0;
        EXPECT_EQ(c.nRows, ozwccbar::WrapToolBar(buttons.data(), (int)buttons.size(), c.nWidth, Metrics()));
        EXPECT_EQ(c.rows, Rows(buttons, c.buttons));
    }
}

TEST(ToolBarRows, CalcSizeCountsRowsSeparatorGapsAndDropArrows)
{
    Metrics metrics;
    std::vector<TBBUTTON> buttons = Buttons("BBSBB");
    EXPECT_EQ(CSize(23 * 4 + 8, 22), CSize(ozwccbar::CalcSize(buttons.data(), 5, metrics)));

    // A wrapping separator leaves two thirds of its width below its row,
    // all of it on a flat control.
    buttons[2].fsState |= TBSTATE_WRAP;
    EXPECT_EQ(CSize(46, 22 + 5 + 22), CSize(ozwccbar::CalcSize(buttons.data(), 5, metrics)));
    metrics.bFlat = TRUE;
    EXPECT_EQ(CSize(46, 22 + 8 + 22), CSize(ozwccbar::CalcSize(buttons.data(), 5, metrics)));
    metrics.bFlat = FALSE;
    metrics.dwComCtlVersion = 0x40047;
    EXPECT_EQ(CSize(46, 22 + 8 + 22), CSize(ozwccbar::CalcSize(buttons.data(), 5, metrics)));

    // The drop arrow counts only where the control draws it.
    std::vector<TBBUTTON> drop = Buttons("BDh");
    metrics = Metrics();
    metrics.cxDropArrow = 14;
    EXPECT_EQ(CSize(46, 22), CSize(ozwccbar::CalcSize(drop.data(), 3, metrics)));
    metrics.bDrawDropArrows = TRUE;
    EXPECT_EQ(CSize(60, 22), CSize(ozwccbar::CalcSize(drop.data(), 3, metrics)));
}

TEST(ToolBarRows, SizeToolBarFindsTheWidthForALength)
{
    // Horizontally: as many rows as the length gives, at the narrowest
    // width that still gives them (two rows of five, not eight and two).
    std::vector<TBBUTTON> buttons = Buttons("BBBBBBBBBB");
    ozwccbar::SizeToolBar(buttons.data(), 10, 200, FALSE, Metrics());
    EXPECT_EQ("BBBBB|BBBBB", Rows(buttons, "BBBBBBBBBB"));
    ozwccbar::SizeToolBar(buttons.data(), 10, 100, FALSE, Metrics());
    EXPECT_EQ("BBBB|BBBB|BB", Rows(buttons, "BBBBBBBBBB"));
    // A length that fits them all keeps one row.
    ozwccbar::SizeToolBar(buttons.data(), 10, 500, FALSE, Metrics());
    EXPECT_EQ("BBBBBBBBBB", Rows(buttons, "BBBBBBBBBB"));

    // Vertically: the width whose rows come nearest a height of 50 from
    // below: two rows of five.
    ozwccbar::SizeToolBar(buttons.data(), 10, 50, TRUE, Metrics());
    EXPECT_EQ(CSize(115, 44), CSize(ozwccbar::CalcSize(buttons.data(), 10, Metrics())));
    // A tall length: one button a row.
    ozwccbar::SizeToolBar(buttons.data(), 10, 1000, TRUE, Metrics());
    EXPECT_EQ(CSize(23, 220), CSize(ozwccbar::CalcSize(buttons.data(), 10, Metrics())));
}
