// The main frame's toolbars in the running program: the four default bars
// with their buttons and images, their command state, the find box and its
// history, the context menu of the dock bars, the Customize sheet, and the
// arrangement kept across a restart.
#include "app/AppRes.h"
#include "frame/bars/OZWDockBar.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "platform/grid/GRApp.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TimerScript.h"
#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/bar/OZWToolBarManager.h"
#include "toolbars/buttons/WndBtn.h"
#include "toolbars/menus/OZWBmpMenuPlugIn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using programtest::Pump;

namespace {

class MainFrameToolBarsTest : public programtest::ProgramProfileFixture
{
protected:
    OZWToolBarManager* Manager() { return Frame()->GetToolBarManager(); }
    OZWCustomToolBar* Bar(UINT nID) { return Manager()->ToolBarFromID(nID); }
    std::vector<UINT> Ids(OZWCustomToolBar* pBar)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < pBar->GetButtonCount(); i++)
            ids.push_back(pBar->GetButtonID(i));
        return ids;
    }
    int IndexOf(OZWCustomToolBar* pBar, UINT nID)
    {
        for (int i = 0; i < pBar->GetButtonCount(); i++)
            if (pBar->GetButtonID(i) == nID)
                return i;
        return -1;
    }
    CComboBox* FindBox() { return static_cast<CComboBox*>(Bar(IDW_TOOLBAR_FIND)->GetDlgItem(IDC_FIND_BOX)); }
    std::vector<std::string> BoxEntries()
    {
        std::vector<std::string> entries;
        CComboBox* pBox = FindBox();
        for (int i = 0; i < pBox->GetCount(); i++) {
            CString text;
            pBox->GetLBText(i, text);
            entries.push_back((LPCTSTR)text);
        }
        return entries;
    }
    // Types the text into the find box and presses Enter there.
    void EnterInFindBox(const char* text)
    {
        CComboBox* pBox = FindBox();
        pBox->SetWindowText(text);
        Frame()->SendMessage(OZWGetToolBarWndNotifyMessage(), MAKEWPARAM(IDC_FIND_BOX, OZWWNDNOTIFY_RETURN),
                             (LPARAM)pBox->m_hWnd);
    }
    void IdleUpdate() { Frame()->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE); }
    void WriteProfile(const char* section, const char* entry, const char* value)
    {
        ::WritePrivateProfileStringA(section, entry, value, m_profile.c_str());
    }
    // Closes the program as the user does and starts it again on the same profile.
    void Restart()
    {
        Frame()->SendMessage(WM_CLOSE);
        Pump();
        Stop();
        ASSERT_TRUE(Start());
    }
};

const std::vector<UINT> kFile = { ID_FILE_NEW,   ID_FILE_OPEN,      ID_FILE_SAVE_COPY_AS, 0, ID_FILE_MERGE,
                                  0,             ID_EDIT_CUT,       ID_EDIT_COPY,         ID_EDIT_PASTE,
                                  0,             ID_COPY_COMPONENT, ID_PASTE_COMPONENT,   0, ID_APP_ABOUT };
const std::vector<UINT> kFind = { ID_EDIT_FIND, ID_FIND_PREVIOUS, ID_FIND_NEXT, ID_FIND_BOX };
const std::vector<UINT> kComponent = { ID_ADD_COMPONENT,        ID_EDIT_COMPONENT,  ID_DELETE_COMPONENT, 0,
                                       ID_NEW_ASSEMBLY,         ID_EDIT_ASSEMBLY,   ID_ADD_TO_ASSEMBLY,
                                       ID_REMOVE_FROM_ASSEMBLY, ID_FINISH_ASSEMBLY, 0,
                                       ID_EDIT_NOZZLES,         ID_ADD_NOZZLE,      ID_REMOVE_NOZZLE };
const std::vector<UINT> kQuery = { ID_EXECUTE_QUERY, ID_SAVE_QUERY, ID_DELETE_QUERY, ID_RELOAD_QUERIES };

} // namespace

// File, Find and Component stand in one row on the top dock bar, in that
// order; Query is there too, hidden. Every button but the find box shows an
// image of its own, 16 x 16 on a 23 x 23 button.
TEST_F(MainFrameToolBarsTest, TheFourDefaultToolBarsDockAtTheTopInTheirOrder)
{
    ASSERT_TRUE(Start());
    struct Expected
    {
        UINT nID;
        const char* title;
        const std::vector<UINT>* ids;
        bool visible;
    };
    const Expected bars[] = { { IDW_TOOLBAR_FILE, "File", &kFile, true },
                              { IDW_TOOLBAR_FIND, "Find", &kFind, true },
                              { IDW_TOOLBAR_COMPONENT, "Component", &kComponent, true },
                              { IDW_TOOLBAR_QUERY, "Query", &kQuery, false } };
    CWnd* pTop = Frame()->GetDlgItem(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pTop);
    int nRight = INT_MIN, nRowTop = INT_MIN;
    for (const Expected& e : bars) {
        SCOPED_TRACE(e.title);
        OZWCustomToolBar* pBar = Bar(e.nID);
        ASSERT_NE(nullptr, pBar);
        CString title;
        pBar->GetWindowText(title);
        EXPECT_STREQ(e.title, title);
        EXPECT_EQ(*e.ids, Ids(pBar));
        EXPECT_EQ(e.visible, pBar->IsVisible() != FALSE);
        EXPECT_EQ(pTop, pBar->GetParent());
        for (UINT nID : *e.ids)
            if (nID != 0 && nID != ID_FIND_BOX)
                EXPECT_TRUE(Manager()->GetBmpMgr()->HasImage(nID)) << nID;
        if (!e.visible)
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        EXPECT_GE(rect.left, nRight);
        if (nRowTop != INT_MIN)
            EXPECT_EQ(nRowTop, rect.top);
        nRight = rect.right;
        nRowTop = rect.top;
    }
    CRect button;
    Bar(IDW_TOOLBAR_FILE)->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(23, 23), button.Size());
    EXPECT_EQ(CSize(16, 16), Manager()->GetImageSize());
    // The menus show the same images.
    auto* pPlugIn = dynamic_cast<OZWBmpMenuPlugIn*>(Frame()->GetPlugIn());
    ASSERT_NE(nullptr, pPlugIn);
    EXPECT_EQ(Manager()->GetBmpMgr(), pPlugIn->GetBmpMgr());
}

// The buttons follow the command state: the Component buttons are offered
// only with a database open, the find box only while the menu has Find.
// A pressed button's command reaches the program.
TEST_F(MainFrameToolBarsTest, ButtonsFollowTheCommandStateAndRunTheirCommands)
{
    ASSERT_TRUE(Start());
    OZWCustomToolBar* pComponent = Bar(IDW_TOOLBAR_COMPONENT);
    OZWCustomToolBar* pFind = Bar(IDW_TOOLBAR_FIND);
    IdleUpdate();
    EXPECT_NE(0u, pComponent->GetButtonStyle(IndexOf(pComponent, ID_ADD_COMPONENT)) & TBB_DISABLED);
    EXPECT_NE(0u, pFind->GetButtonStyle(IndexOf(pFind, ID_FIND_BOX)) & TBB_DISABLED);
    EXPECT_FALSE(FindBox()->IsWindowEnabled());

    CopyAndOpenSample("Parts.sqlite");
    ASSERT_NE(nullptr, ActiveView());
    IdleUpdate();
    EXPECT_EQ(0u, pComponent->GetButtonStyle(IndexOf(pComponent, ID_ADD_COMPONENT)) & TBB_DISABLED);
    EXPECT_EQ(0u, pFind->GetButtonStyle(IndexOf(pFind, ID_FIND_BOX)) & TBB_DISABLED);
    EXPECT_TRUE(FindBox()->IsWindowEnabled());

    // A toolbar command shows its bar.
    OZWCustomToolBar* pQuery = Bar(IDW_TOOLBAR_QUERY);
    EXPECT_FALSE(pQuery->IsVisible());
    Frame()->SendMessage(WM_COMMAND, IDW_TOOLBAR_QUERY);
    EXPECT_TRUE(pQuery->IsVisible());
}

// A click on Open runs File Open: the database chosen opens.
TEST_F(MainFrameToolBarsTest, AClickOnAButtonRunsItsCommand)
{
    ASSERT_TRUE(Start());
    const std::string path = m_data + "Clicked.sqlite";
    ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), path));
    m_app->chosenFile = path.c_str();
    OZWCustomToolBar* pFile = Bar(IDW_TOOLBAR_FILE);
    CRect rect;
    pFile->GetButtonRect(IndexOf(pFile, ID_FILE_OPEN), &rect);
    const CPoint centre = rect.CenterPoint();
    pFile->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    pFile->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    Pump();
    ASSERT_NE(nullptr, ActiveDocument());
    EXPECT_STRCASEEQ(path.c_str(), ActiveDocument()->GetPathName());
}

// The find box lists the saved find list in its bold font; Enter puts a new
// text at the top of the list and of every find box, a listed text is only
// selected, and the sixteenth text pushes the oldest out. Enter also makes
// the text the one the database window searches for.
TEST_F(MainFrameToolBarsTest, TheFindBoxKeepsTheFindListAndSearches)
{
    WriteProfile("FindList", "Item1", "Drip");
    WriteProfile("FindList", "Item2", "Valve");
    ASSERT_TRUE(Start());
    CopyAndOpenSample("Parts.sqlite");
    // A text the sample lacks is searched and reported as not found.
    std::vector<std::string> boxes;
    kvtest::MessageBoxWatcher watcher(&boxes);
    CComboBox* pBox = FindBox();
    ASSERT_NE(nullptr, pBox);
    EXPECT_EQ((std::vector<std::string>{ "Drip", "Valve" }), BoxEntries());
    EXPECT_EQ(0, pBox->GetCurSel());
    LOGFONT lf = {};
    ASSERT_NE(nullptr, pBox->GetFont());
    pBox->GetFont()->GetLogFont(&lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);

    EnterInFindBox("Pump");
    EXPECT_EQ((std::vector<std::string>{ "Pump", "Drip", "Valve" }), BoxEntries());
    EXPECT_EQ("Pump", Frame()->GetFindText(0));
    EXPECT_STREQ("Pump", GRGetAppState()->m_findReplace.strFind);

    EnterInFindBox("Valve");
    EXPECT_EQ((std::vector<std::string>{ "Pump", "Drip", "Valve" }), BoxEntries());
    EXPECT_EQ(2, pBox->GetCurSel());

    for (int i = 0; i < 13; i++)
        Frame()->AddFindText(("Text" + std::to_string(i)).c_str());
    ASSERT_EQ(15, pBox->GetCount());
    EXPECT_EQ("Drip", BoxEntries().back());
    EnterInFindBox("Last");
    const std::vector<std::string> entries = BoxEntries();
    ASSERT_EQ(15u, entries.size());
    EXPECT_EQ("Last", entries.front());
    EXPECT_EQ("Pump", entries.back());
    EXPECT_EQ(15, Frame()->GetFindTextCount());
    for (const std::string& box : boxes)
        EXPECT_EQ(0u, box.find("Cannot find")) << box;
    EXPECT_FALSE(boxes.empty());
}

// Right-clicking a dock bar lists every toolbar (Query unchecked) before
// Customize; elsewhere there is no menu.
TEST_F(MainFrameToolBarsTest, TheDockBarsMenuListsTheToolBars)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> items;
    std::vector<bool> checked;
    bool bShown = false;
    kvtest::TimerScript script([] { ::EndMenu(); });
    script.Add([&] {
        HWND hPopup = ::FindWindowA("#32768", nullptr);
        ASSERT_NE(nullptr, hPopup);
        bShown = true;
        HMENU hMenu = (HMENU)::SendMessageA(hPopup, MN_GETHMENU, 0, 0);
        for (int i = 0; i < ::GetMenuItemCount(hMenu); i++) {
            char text[64] = {};
            ::GetMenuStringA(hMenu, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back(text);
            checked.push_back((::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_CHECKED) != 0);
        }
        ::EndMenu();
    });
    script.Start();
    CWnd* pTop = Frame()->GetDlgItem(AFX_IDW_DOCKBAR_TOP);
    CRect rect;
    pTop->GetWindowRect(&rect);
    Frame()->SendMessage(WM_CONTEXTMENU, (WPARAM)pTop->m_hWnd, MAKELPARAM(rect.left + 2, rect.top + 2));
    Pump();
    ASSERT_TRUE(bShown);
    EXPECT_EQ((std::vector<std::string>{ "File", "Find", "Component", "Query", "", "&Customize..." }), items);
    EXPECT_EQ((std::vector<bool>{ true, true, true, false, false, false }), checked);

    // The frame's client area is no dock bar.
    bShown = false;
    kvtest::TimerScript none([] { ::EndMenu(); });
    none.Add([&] { bShown = ::FindWindowA("#32768", nullptr) != nullptr; });
    none.Start();
    Frame()->SendMessage(WM_CONTEXTMENU, (WPARAM)Frame()->m_hWndMDIClient, MAKELPARAM(100, 100));
    Pump();
    EXPECT_FALSE(bShown);
}

// Customize opens the sheet with the Toolbars and Commands pages; the
// Commands page offers the four toolbars' buttons as its categories.
TEST_F(MainFrameToolBarsTest, CustomizeShowsTheToolbarsAndCommandsPages)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> tabs, categories;
    kvtest::TimerScript script([] {
        if (HWND hSheet = ::FindWindowA(nullptr, "Customize"))
            ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
    });
    script.Add([&] {
        HWND hSheet = ::FindWindowA(nullptr, "Customize");
        ASSERT_NE(nullptr, hSheet);
        EXPECT_TRUE(Manager()->IsInCustomizeMode());
        CPropertySheet* pSheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(hSheet));
        ASSERT_NE(nullptr, pSheet);
        ASSERT_EQ(2, pSheet->GetPageCount());
        pSheet->SetActivePage(1);
        CListBox* pList = static_cast<CListBox*>(pSheet->GetActivePage()->GetDlgItem(43094));
        ASSERT_NE(nullptr, pList);
        for (int i = 0; i < pList->GetCount(); i++) {
            CString text;
            pList->GetText(i, text);
            categories.push_back((LPCTSTR)text);
        }
        ::PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
    });
    script.Start();
    Frame()->SendMessage(WM_COMMAND, ID_CUSTOMIZE);
    EXPECT_FALSE(script.Overran());
    EXPECT_FALSE(Manager()->IsInCustomizeMode());
    EXPECT_EQ((std::vector<std::string>{ "File", "Find", "Component", "Query" }), categories);
}

// The buttons' tips: Add, Edit and Delete name the kind of component the
// database window shows; other buttons, and those with no database open,
// have their command's own tip.
TEST_F(MainFrameToolBarsTest, ToolTipsNameTheKindOfComponentShown)
{
    ASSERT_TRUE(Start());
    // The request comes from a tip window (of control id 0).
    HWND hTip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, Frame()->m_hWnd, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, hTip);
    auto tip = [this, hTip](UINT nID) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = hTip;
        info.hdr.code = TTN_NEEDTEXTA;
        info.hdr.idFrom = nID;
        Frame()->SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
        return std::string(info.lpszText != nullptr ? info.lpszText : "<none>");
    };
    EXPECT_EQ("Add Item", tip(ID_ADD_COMPONENT));
    EXPECT_EQ("Open", tip(ID_FILE_OPEN));

    CopyAndOpenSample("Parts.sqlite");
    ASSERT_NE(nullptr, ActiveView());
    ASSERT_EQ(0, ActiveView()->GetCurrentTab());
    EXPECT_EQ("Add Pipe", tip(ID_ADD_COMPONENT));
    EXPECT_EQ("Edit Pipe", tip(ID_EDIT_COMPONENT));
    EXPECT_EQ("Delete Pipe", tip(ID_DELETE_COMPONENT));
    EXPECT_EQ("Edit Nozzle", tip(ID_EDIT_NOZZLES));
    // While the nozzles of an outlet are edited.
    ActiveView()->SelectTab(kvgrid::TABLE_OUTLET);
    CGridWindow* pGrid = ActiveView()->GetGrid();
    pGrid->SetCurrentCell(pGrid->FindKey(215), kvgrid::COL_DESCRIPTION);
    ActiveView()->SendMessage(WM_COMMAND, ID_EDIT_NOZZLES);
    ASSERT_TRUE(ActiveView()->GetViewState().IsNozzleMode());
    EXPECT_EQ("Finish Editing", tip(ID_EDIT_NOZZLES));
    EXPECT_EQ("Add Nozzle", tip(ID_ADD_COMPONENT));
    ActiveView()->SendMessage(WM_COMMAND, ID_EDIT_NOZZLES);
    EXPECT_EQ("Execute Query", tip(ID_EXECUTE_QUERY));
    ::DestroyWindow(hTip);
}

// What the user changed comes back at the next start: a removed button, a
// shown bar, the large buttons; a bar whose saved buttons are damaged keeps
// its defaults while the others keep their changes.
TEST_F(MainFrameToolBarsTest, TheArrangementComesBackAtTheNextStart)
{
    ASSERT_TRUE(Start());
    OZWCustomToolBar* pFile = Bar(IDW_TOOLBAR_FILE);
    ASSERT_TRUE(pFile->RemoveButton(IndexOf(pFile, ID_APP_ABOUT)));
    Frame()->SendMessage(WM_COMMAND, IDW_TOOLBAR_QUERY);
    Manager()->EnableLargeBtns(TRUE);
    std::vector<UINT> file = kFile;
    file.resize(file.size() - 2);   // About and the separator before it
    EXPECT_EQ(file, Ids(pFile));

    Restart();
    EXPECT_EQ(file, Ids(Bar(IDW_TOOLBAR_FILE)));
    EXPECT_TRUE(Bar(IDW_TOOLBAR_QUERY)->IsVisible());
    EXPECT_TRUE(Manager()->IsLargeBtnsEnabled());
    CRect button;
    Bar(IDW_TOOLBAR_FILE)->GetButtonRect(0, &button);
    EXPECT_EQ(CSize(39, 39), button.Size());
    ASSERT_NE(nullptr, FindBox());

    // Damage the Component bar's saved buttons.
    Bar(IDW_TOOLBAR_COMPONENT)->RemoveButton(0);
    Frame()->SendMessage(WM_CLOSE);
    Pump();
    Stop();
    char sections[8192] = {};
    ::GetPrivateProfileSectionNamesA(sections, sizeof(sections), m_profile.c_str());
    bool bDamaged = false;
    for (const char* p = sections; *p != '\0'; p += strlen(p) + 1) {
        char title[64] = {};
        ::GetPrivateProfileStringA(p, "Title", "", title, sizeof(title), m_profile.c_str());
        if (strcmp(title, "Component") == 0) {
            WriteProfile(p, "Buttons", "ZZZZZZ");
            bDamaged = true;
        }
    }
    ASSERT_TRUE(bDamaged);
    ASSERT_TRUE(Start());
    EXPECT_EQ(kComponent, Ids(Bar(IDW_TOOLBAR_COMPONENT)));
    EXPECT_EQ(file, Ids(Bar(IDW_TOOLBAR_FILE)));
}

// A toolbar of the user's own, floating where the user left it, comes back
// shown at that place at the next start, the main window active.
TEST_F(MainFrameToolBarsTest, AFloatingToolBarOfTheUsersOwnComesBackShownInItsPlace)
{
    ASSERT_TRUE(Start());
    OZWCustomToolBar* pMine = Manager()->CreateUserToolBar("Mine");
    ASSERT_NE(nullptr, pMine);
    pMine->InsertButton(0, ID_FILE_OPEN);
    const UINT nID = pMine->GetDlgCtrlID();
    Frame()->FloatControlBar(pMine, CPoint(300, 260));
    Frame()->RecalcLayout();
    Pump();
    ASSERT_TRUE(pMine->IsFloating());
    ASSERT_TRUE(pMine->IsWindowVisible());
    CRect before;
    pMine->GetParentFrame()->GetWindowRect(&before);

    Restart();
    Pump();
    pMine = Bar(nID);
    ASSERT_NE(nullptr, pMine);
    EXPECT_EQ(std::vector<UINT>{ ID_FILE_OPEN }, Ids(pMine));
    EXPECT_TRUE(pMine->IsFloating());
    EXPECT_TRUE(pMine->IsVisible());
    EXPECT_TRUE(pMine->IsWindowVisible());
    CRect after;
    pMine->GetParentFrame()->GetWindowRect(&after);
    EXPECT_EQ(before.TopLeft(), after.TopLeft());

    EXPECT_EQ(Frame()->m_hWnd, ::GetActiveWindow());
}
