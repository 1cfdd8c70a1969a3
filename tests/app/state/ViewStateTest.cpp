// The view's working state without windows: which component commands each
// state allows with the main grid on a row, how a command switches the
// state, the tabs each state lets go, and the curve type of each tab.
#include "app/state/ViewState.h"
#include "grids/core/TableType.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace kvgrid;

namespace {

using C = ViewCommand;
using Commands = std::set<ViewCommand>;

const ViewCommand kCommands[] = {
    C::addComponent,  C::editComponent,      C::deleteComponent, C::newAssembly, C::editAssembly, C::addToAssembly,
    C::removeFromAssembly, C::finishAssembly, C::editNozzles,    C::addNozzle,   C::removeNozzle,
};

Commands Enabled(const CViewState& state, const CGridRow& row)
{
    Commands enabled;
    for (ViewCommand command : kCommands)
        if (state.IsEnabled(command, row))
            enabled.insert(command);
    return enabled;
}

CGridRow OnRecord(long nFlags = 0, const char* itemType = "   ")
{
    CGridRow row;
    row.bHasRecord = TRUE;
    row.nFlags = nFlags;
    row.strItemType = itemType;
    return row;
}

CGridRow OnAppendRow()
{
    CGridRow row;
    row.bOnAppendRow = TRUE;
    return row;
}

// A state on a tab, in a mode reached the way the view reaches it.
CViewState StateOn(int nTab, ViewMode mode = ViewMode::normal, BOOL bEditor = FALSE)
{
    CViewState state;
    if (mode == ViewMode::assembly) {
        state.SetCurrentTab(TABLE_VALVE);
        EXPECT_TRUE(state.Apply(C::editAssembly, OnRecord(1)));
    }
    else if (mode == ViewMode::nozzles) {
        state.SetCurrentTab(TABLE_OUTLET);
        EXPECT_TRUE(state.Apply(C::editNozzles, OnRecord(4, "FIX")));
    }
    state.SetCurrentTab(nTab);
    if (bEditor)
        EXPECT_TRUE(state.OpenEditor(nTab));
    return state;
}

const Commands kRowCommands = { C::addComponent, C::editComponent, C::deleteComponent };

Commands With(Commands set, std::initializer_list<ViewCommand> more)
{
    set.insert(more);
    return set;
}

} // namespace

// Each state and row against every command.
TEST(ViewState, EachStateEnablesItsCommands)
{
    struct Case
    {
        const char* name;
        CViewState state;
        CGridRow row;
        Commands enabled;
    };
    const Case cases[] = {
        { "pipe", StateOn(TABLE_PIPE), OnRecord(), kRowCommands },
        { "tape", StateOn(TABLE_TAPE), OnRecord(2), kRowCommands },
        { "valve", StateOn(TABLE_VALVE), OnRecord(), With(kRowCommands, { C::newAssembly }) },
        { "valve assembly", StateOn(TABLE_VALVE), OnRecord(1),
          With(kRowCommands, { C::newAssembly, C::editAssembly }) },
        { "pipe assembly", StateOn(TABLE_PIPE), OnRecord(1), With(kRowCommands, { C::editAssembly }) },
        { "outlet connection", StateOn(TABLE_OUTLET_CONNECTION), OnRecord(), With(kRowCommands, { C::newAssembly }) },
        { "wire", StateOn(TABLE_WIRE), OnRecord(), kRowCommands },
        { "controller", StateOn(TABLE_CONTROLLER), OnRecord(), With(kRowCommands, { C::newAssembly }) },
        { "miscellaneous", StateOn(TABLE_COMPONENT), OnRecord(), With(kRowCommands, { C::newAssembly }) },
        { "nozzle", StateOn(TABLE_NOZZLE), OnRecord(), kRowCommands },
        { "outlet", StateOn(TABLE_OUTLET), OnRecord(4, "FIX"), With(kRowCommands, { C::newAssembly, C::editNozzles }) },
        { "demand outlet", StateOn(TABLE_OUTLET), OnRecord(0, "DEM"), With(kRowCommands, { C::newAssembly }) },
        { "demand outlet in lower case", StateOn(TABLE_OUTLET), OnRecord(0, " dem "),
          With(kRowCommands, { C::newAssembly }) },
        { "outlet assembly", StateOn(TABLE_OUTLET), OnRecord(5, "FIX"),
          With(kRowCommands, { C::newAssembly, C::editAssembly }) },
        { "append row", StateOn(TABLE_OUTLET), OnAppendRow(), { C::addComponent, C::newAssembly } },
        { "query", StateOn(TABLE_QUERY), OnRecord(1), {} },
        { "editor open", StateOn(TABLE_VALVE, ViewMode::normal, TRUE), OnRecord(1), {} },
        { "editor open while building", StateOn(TABLE_VALVE, ViewMode::assembly, TRUE), OnRecord(1), {} },
        { "assembly", StateOn(TABLE_PIPE, ViewMode::assembly), OnRecord(),
          { C::addToAssembly, C::finishAssembly, C::removeFromAssembly } },
        { "nozzles on the nozzle tab", StateOn(TABLE_NOZZLE, ViewMode::nozzles), OnRecord(),
          { C::addNozzle, C::editNozzles, C::removeNozzle } },
        { "nozzles on another tab", StateOn(TABLE_OUTLET, ViewMode::nozzles), OnRecord(4, "FIX"),
          { C::editNozzles } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.enabled, Enabled(c.state, c.row)) << c.name;
}

// A command switches the state it runs in: (state, command) -> (state
// after, commands enabled then). A command the state refuses changes
// nothing.
TEST(ViewState, CommandsSwitchTheState)
{
    struct Case
    {
        const char* name;
        CViewState state;
        ViewCommand command;
        CGridRow row;
        BOOL bApplied;
        ViewMode mode;
        int nAssemblyTab;
        Commands enabled;
    };
    const Commands assembly = { C::addToAssembly, C::finishAssembly, C::removeFromAssembly };
    const Case cases[] = {
        { "new assembly", StateOn(TABLE_VALVE), C::newAssembly, OnRecord(), TRUE, ViewMode::assembly, TABLE_VALVE,
          assembly },
        { "edit assembly", StateOn(TABLE_OUTLET), C::editAssembly, OnRecord(5, "FIX"), TRUE, ViewMode::assembly,
          TABLE_OUTLET, assembly },
        { "finish assembly", StateOn(TABLE_PIPE, ViewMode::assembly), C::finishAssembly, OnRecord(), TRUE,
          ViewMode::normal, -1, kRowCommands },
        { "add to assembly", StateOn(TABLE_PIPE, ViewMode::assembly), C::addToAssembly, OnRecord(), TRUE,
          ViewMode::assembly, TABLE_VALVE, assembly },
        { "edit nozzles", StateOn(TABLE_OUTLET), C::editNozzles, OnRecord(4, "FIX"), TRUE, ViewMode::nozzles, -1,
          { C::editNozzles } },
        { "finish editing nozzles", StateOn(TABLE_NOZZLE, ViewMode::nozzles), C::editNozzles, OnRecord(), TRUE,
          ViewMode::normal, -1, kRowCommands },
        { "add component", StateOn(TABLE_PIPE), C::addComponent, OnRecord(), TRUE, ViewMode::normal, -1,
          kRowCommands },
        // Refused: nothing changes.
        { "new assembly on pipes", StateOn(TABLE_PIPE), C::newAssembly, OnRecord(), FALSE, ViewMode::normal, -1,
          kRowCommands },
        { "edit nozzles of a demand point", StateOn(TABLE_OUTLET), C::editNozzles, OnRecord(0, "DEM"), FALSE,
          ViewMode::normal, -1, With(kRowCommands, { C::newAssembly }) },
        { "new assembly while nozzles are edited", StateOn(TABLE_OUTLET, ViewMode::nozzles), C::newAssembly,
          OnRecord(4, "FIX"), FALSE, ViewMode::nozzles, -1, { C::editNozzles } },
        { "edit nozzles while building", StateOn(TABLE_OUTLET, ViewMode::assembly), C::editNozzles,
          OnRecord(4, "FIX"), FALSE, ViewMode::assembly, TABLE_VALVE, assembly },
        { "finish assembly with an editor open", StateOn(TABLE_VALVE, ViewMode::assembly, TRUE), C::finishAssembly,
          OnRecord(), FALSE, ViewMode::assembly, TABLE_VALVE, {} },
        { "finish editing nozzles with an editor open", StateOn(TABLE_NOZZLE, ViewMode::nozzles, TRUE),
          C::editNozzles, OnRecord(), FALSE, ViewMode::nozzles, -1, {} },
    };
    for (Case c : cases) {
        EXPECT_EQ(c.bApplied, c.state.Apply(c.command, c.row)) << c.name;
        EXPECT_EQ(c.mode, c.state.GetMode()) << c.name;
        EXPECT_EQ(c.nAssemblyTab, c.state.GetAssemblyTab()) << c.name;
        EXPECT_EQ(c.enabled, Enabled(c.state, c.row)) << c.name;
    }
}

// The Nozzles tab cannot be left while an outlet's nozzles are edited on
// it; the Query tab is away while an assembly is built.
TEST(ViewState, TabsEachStateLetsGo)
{
    struct Case
    {
        const char* name;
        CViewState state;
        BOOL bCanLeave;
        BOOL bQueryTab;
    };
    const Case cases[] = {
        { "normal", StateOn(TABLE_NOZZLE), TRUE, TRUE },
        { "nozzles on the nozzle tab", StateOn(TABLE_NOZZLE, ViewMode::nozzles), FALSE, TRUE },
        { "nozzles on the outlet tab", StateOn(TABLE_OUTLET, ViewMode::nozzles), TRUE, TRUE },
        { "assembly", StateOn(TABLE_PIPE, ViewMode::assembly), TRUE, FALSE },
        { "editor open", StateOn(TABLE_PIPE, ViewMode::normal, TRUE), TRUE, TRUE },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.bCanLeave, c.state.CanLeaveTab()) << c.name;
        EXPECT_EQ(c.bQueryTab, c.state.ShowsQueryTab(TRUE)) << c.name;
        EXPECT_FALSE(c.state.ShowsQueryTab(FALSE)) << c.name;
    }
}

// One editor at a time; ending an assembly gives back the tab it was
// started on; releasing the grids leaves every mode.
TEST(ViewState, EditorAndAssemblyEnd)
{
    CViewState state = StateOn(TABLE_PIPE, ViewMode::assembly);
    EXPECT_TRUE(state.OpenEditor(TABLE_PIPE));
    EXPECT_FALSE(state.OpenEditor(TABLE_VALVE));
    EXPECT_EQ(TABLE_PIPE, state.GetEditedTab());
    state.EndEditedTab();
    EXPECT_TRUE(state.IsEditorOpen());
    EXPECT_EQ(-1, state.GetEditedTab());
    state.CloseEditor();
    EXPECT_FALSE(state.IsEditorOpen());
    EXPECT_EQ(TABLE_VALVE, state.EndAssembly());
    EXPECT_EQ(-1, state.EndAssembly());
    EXPECT_EQ(ViewMode::normal, state.GetMode());

    CViewState nozzles = StateOn(TABLE_NOZZLE, ViewMode::nozzles);
    nozzles.SetPopupOpen(TRUE);
    nozzles.Reset();
    EXPECT_EQ(ViewMode::normal, nozzles.GetMode());
    EXPECT_FALSE(nozzles.IsPopupOpen());
    EXPECT_TRUE(nozzles.CanLeaveTab());
}

TEST(ViewState, CurveTypeOfEachTab)
{
    const int expected[19] = { 0, 2, 4, 6, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 2, 0 };
    for (int tab = 0; tab < 19; tab++) {
        EXPECT_EQ(expected[tab], CurveTypeOfTab(tab)) << tab;
        // Activating a window or showing the bar presets no outlet curve.
        EXPECT_EQ(tab == TABLE_OUTLET ? 0 : expected[tab], FrameCurveTypeOfTab(tab)) << tab;
    }
    EXPECT_EQ(0, CurveTypeOfTab(-1));
}
