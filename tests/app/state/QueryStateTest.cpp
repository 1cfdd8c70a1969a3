// The saved query the Query tab's text belongs to: the name its changes are
// saved under, and the title the combo's text names.
#include "app/state/QueryState.h"

#include <gtest/gtest.h>

TEST(QueryState, ChangesAreSavedUnderTheTypedNameElseTheTitle)
{
    CQueryState state;
    EXPECT_FALSE(state.IsModified());
    state.SetLoaded("Pumps");
    state.SetModified();
    EXPECT_TRUE(state.IsModified());
    EXPECT_EQ("Pumps", state.GetSaveName().str());
    state.SetTypedName("Big pumps");
    EXPECT_EQ("Big pumps", state.GetSaveName().str());
    state.SetLoaded("Valves");
    EXPECT_FALSE(state.IsModified());
    EXPECT_EQ("Valves", state.GetSaveName().str());
}

TEST(QueryState, TheComboNamesTheTitleOfAChangedQuery)
{
    struct Case
    {
        const char* title;
        const char* combo;
        const char* name;
    };
    const Case cases[] = {
        { "Pumps", "Pumps*", "Pumps" },
        { "Pumps", "Pumps", "Pumps" },
        { "Pumps", "Valves", "Valves" },
        { "Pumps", "Pumps**", "Pumps**" },
        { "", "*", "*" },
        { "", "Typed", "Typed" },
    };
    for (const Case& c : cases) {
        CQueryState state;
        state.SetLoaded(c.title);
        EXPECT_EQ(c.name, state.NameInCombo(c.combo).str()) << c.title << " / " << c.combo;
    }
}
