// The main view's command rules without a window: which component commands
// each working state allows, and the curve type of each tab.
#include "app/AppRes.h"
#include "app/KelvaronViewCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const UINT kCommands[] = {
    ID_ADD_COMPONENT,   ID_ADD_NOZZLE,     ID_ADD_TO_ASSEMBLY, ID_NEW_ASSEMBLY,    ID_DELETE_COMPONENT,
    ID_EDIT_ASSEMBLY,   ID_EDIT_COMPONENT, ID_EDIT_NOZZLES,    ID_FINISH_ASSEMBLY, ID_REMOVE_FROM_ASSEMBLY,
    ID_REMOVE_NOZZLE,
};

std::set<UINT> Enabled(const CViewCommandState& state)
{
    std::set<UINT> enabled;
    for (UINT id : kCommands)
        if (IsViewCommandEnabled(state, id))
            enabled.insert(id);
    return enabled;
}

CViewCommandState OnRecord(int nTab, long nFlags = 0, const char* itemType = "   ")
{
    CViewCommandState state;
    state.nTab = nTab;
    state.bHasRecord = TRUE;
    state.nFlags = nFlags;
    state.strItemType = itemType;
    return state;
}

} // namespace

TEST(ViewCommands, EachStateEnablesItsCommands)
{
    struct Case
    {
        const char* name;
        CViewCommandState state;
        std::set<UINT> enabled;
    };
    std::vector<Case> cases;
    const std::set<UINT> rowCommands = { ID_ADD_COMPONENT, ID_EDIT_COMPONENT, ID_DELETE_COMPONENT };
    auto with = [](std::set<UINT> set, std::initializer_list<UINT> more) {
        set.insert(more);
        return set;
    };

    cases.push_back({ "pipe", OnRecord(0), rowCommands });
    cases.push_back({ "tape", OnRecord(1, 2), rowCommands });
    cases.push_back({ "valve", OnRecord(2), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "valve assembly", OnRecord(2, 1), with(rowCommands, { ID_NEW_ASSEMBLY, ID_EDIT_ASSEMBLY }) });
    cases.push_back({ "pipe assembly", OnRecord(0, 1), with(rowCommands, { ID_EDIT_ASSEMBLY }) });
    cases.push_back({ "outlet connection", OnRecord(11), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "wire", OnRecord(12), rowCommands });
    cases.push_back({ "controller", OnRecord(13), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "miscellaneous", OnRecord(16), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "nozzle", OnRecord(17), rowCommands });
    cases.push_back({ "outlet", OnRecord(10, 4, "FIX"), with(rowCommands, { ID_NEW_ASSEMBLY, ID_EDIT_NOZZLES }) });
    cases.push_back({ "demand outlet", OnRecord(10, 0, "DEM"), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "demand outlet in lower case", OnRecord(10, 0, "dem"), with(rowCommands, { ID_NEW_ASSEMBLY }) });
    cases.push_back({ "outlet assembly", OnRecord(10, 5, "FIX"),
                      with(rowCommands, { ID_NEW_ASSEMBLY, ID_EDIT_ASSEMBLY }) });
    CViewCommandState append = OnRecord(10, 1);
    append.bHasRecord = FALSE;
    append.bOnAppendRow = TRUE;
    cases.push_back({ "append row", append, { ID_ADD_COMPONENT, ID_NEW_ASSEMBLY } });
    CViewCommandState query = OnRecord(18, 1);
    cases.push_back({ "query", query, {} });

    CViewCommandState editor = OnRecord(2, 1);
    editor.bEditorOpen = TRUE;
    cases.push_back({ "editor open", editor, {} });
    CViewCommandState editorInAssembly = editor;
    editorInAssembly.bAssemblyMode = TRUE;
    cases.push_back({ "editor open while building", editorInAssembly, {} });
    CViewCommandState assembly = OnRecord(0);
    assembly.bAssemblyMode = TRUE;
    cases.push_back({ "assembly", assembly, { ID_ADD_TO_ASSEMBLY, ID_FINISH_ASSEMBLY, ID_REMOVE_FROM_ASSEMBLY } });
    CViewCommandState nozzles = OnRecord(17);
    nozzles.bNozzleMode = TRUE;
    cases.push_back({ "nozzles on the nozzle tab", nozzles, { ID_ADD_NOZZLE, ID_EDIT_NOZZLES, ID_REMOVE_NOZZLE } });
    CViewCommandState nozzlesElsewhere = OnRecord(10, 4, "FIX");
    nozzlesElsewhere.bNozzleMode = TRUE;
    cases.push_back({ "nozzles on another tab", nozzlesElsewhere, { ID_EDIT_NOZZLES } });

    for (const Case& c : cases)
        EXPECT_EQ(c.enabled, Enabled(c.state)) << c.name;
}

TEST(ViewCommands, CurveTypeOfEachTab)
{
    const int expected[19] = { 0, 2, 4, 6, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 2, 0 };
    for (int tab = 0; tab < 19; tab++)
        EXPECT_EQ(expected[tab], CurveTypeOfTab(tab)) << tab;
    EXPECT_EQ(0, CurveTypeOfTab(-1));
}
