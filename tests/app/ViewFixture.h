// The main view in the running program over a copy of the sample database:
// the application with every message box answered from a list of answers
// and recorded, and a fixture that starts the program on the copy with the
// options given, with the helpers the view's tests share.
#pragma once

#include "app/AppRes.h"
#include "app/KelvaronApp.h"
#include "app/KelvaronView.h"
#include "app/MainFrm.h"
#include "grids/core/GridTables.h"
#include "grids/window/GridWindow.h"
#include "grids/window/SideGrids.h"
#include "grids/window/TabWnd.h"
#include "tests/app/ProgramTestSupport.h"
#include "tests/app/ViewWidgets.h"
#include "tests/support/RegistryHelpers.h"
#include "tests/support/ScratchDatabase.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace viewtest {

using namespace kvgrid;

// The application, with every message box answered from a list of answers
// (the first button when the list is empty) and recorded.
class ViewApp : public CKelvaronApp
{
public:
    std::vector<std::string> messages;
    std::deque<int> answers;

    int Answer(LPCTSTR lpszText, UINT nType)
    {
        messages.push_back(lpszText != nullptr ? lpszText : "");
        if (!answers.empty()) {
            int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        UINT buttons = nType & MB_TYPEMASK;
        return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override { return Answer(lpszPrompt, nType); }
};

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        programtest::ClearSettings();
        m_profile = programtest::ProfilePath();
        ::DeleteFileA(m_profile.c_str());
        m_dir = kvtest::ScratchDir(kvtest::TestName());
        m_database = m_dir + "\\Sample.sqlite";
        ASSERT_TRUE(kvtest::CopyFileTo(kvtest::BinaryPath("bin/Database/Sample.sqlite"), m_database));
    }
    void TearDown() override
    {
        Stop();
        programtest::ClearSettings();
        ::DeleteFileA(m_profile.c_str());
    }

    // Starts the program on the database with the options given.
    void Start(DWORD options = 0)
    {
        Stop();
        kvtest::StoreText("", "KelVaron Settings", std::to_string(options));
        m_commandLine = "\"" + m_database + "\"";
        m_app = std::make_unique<ViewApp>();
        ASSERT_TRUE(programtest::Start(*m_app, m_commandLine));
        GRGetAppState()->m_pfnMessageBox = [this](HWND, LPCTSTR text, UINT type) { return m_app->Answer(text, type); };
        CMDIChildWnd* pChild = Frame()->MDIGetActive();
        ASSERT_NE(nullptr, pChild);
        m_pView = dynamic_cast<CKelvaronView*>(pChild->GetActiveView());
        ASSERT_NE(nullptr, m_pView);
        ASSERT_NE(nullptr, m_pView->GetGrid());
    }
    void Stop()
    {
        if (!m_app)
            return;
        programtest::Stop(*m_app);
        GRGetAppState()->m_pfnMessageBox = nullptr;
        m_app.reset();
        m_pView = nullptr;
        programtest::Pump();
    }

    CMainFrame* Frame() { return dynamic_cast<CMainFrame*>(m_app->m_pMainWnd); }
    CGridWindow* Grid() { return m_pView->GetGrid(); }
    CGridState& State() { return m_pView->GetGridState(); }
    CTabCtrl& Tabs() { return viewwidgets::Tabs(m_pView); }
    CColorStatic& CaptionStatic() { return viewwidgets::CaptionStatic(m_pView); }
    CColorStatic& NameStatic() { return viewwidgets::NameStatic(m_pView); }
    CComboBox& QueryCombo() { return viewwidgets::QueryCombo(m_pView); }
    CQueryWnd* QueryPane() { return viewwidgets::QueryPane(m_pView); }
    CNozzleWnd* NozzleGrid() { return viewwidgets::SidePane<CNozzleWnd>(m_pView); }
    COutletWnd* OutletGrid() { return viewwidgets::SidePane<COutletWnd>(m_pView); }
    std::vector<std::string> TakeMessages()
    {
        std::vector<std::string> messages;
        messages.swap(m_app->messages);
        return messages;
    }
    void Command(UINT nID) { m_pView->SendMessage(WM_COMMAND, nID); }
    void Select(int nTab) { m_pView->SelectTab(nTab); }
    // Makes the row of a component current, as a click on it does.
    void GoTo(long nKey)
    {
        ROWCOL row = Grid()->FindKey(nKey);
        ASSERT_EQ(nKey, Grid()->GetCurrentKey());
        Grid()->SetCurrentCell(row, COL_DESCRIPTION);
    }
    std::vector<std::string> TabTitles()
    {
        std::vector<std::string> titles;
        CTabCtrl& tabs = Tabs();
        for (int i = 0; i < tabs.GetItemCount(); i++) {
            char text[64] = {};
            TCITEM item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            tabs.GetItem(i, &item);
            titles.push_back(text);
        }
        return titles;
    }
    std::vector<std::string> SidePanes()
    {
        std::vector<std::string> labels;
        CTabWnd* pTabs = viewwidgets::SideTabs(m_pView);
        for (int i = 0; i < pTabs->GetTabCount(); i++)
            labels.push_back(pTabs->GetTabLabel(i).str());
        return labels;
    }
    std::string ActivePane()
    {
        CTabWnd* pTabs = viewwidgets::SideTabs(m_pView);
        return pTabs->GetTabLabel(pTabs->GetActiveTab()).str();
    }
    static std::vector<long> Keys(CHeadGridWnd* pGrid)
    {
        std::vector<long> keys;
        for (ROWCOL row = 1; pGrid->IsDataRow(row); row++)
            keys.push_back(pGrid->GetRowKey(row));
        return keys;
    }
    std::vector<long> QueryKeys(const std::string& sql)
    {
        std::vector<long> keys;
        std::string rows = kvtest::QueryRows(m_database, sql);
        for (size_t start = 0; start < rows.size();) {
            size_t end = rows.find(';', start);
            keys.push_back(std::atol(rows.substr(start, end - start).c_str()));
            start = end == std::string::npos ? rows.size() : end + 1;
        }
        return keys;
    }
    long QueryLong(const std::string& sql) { return std::atol(kvtest::QueryRows(m_database, sql).c_str()); }
    // The component commands the view enables now.
    std::set<UINT> EnabledCommands()
    {
        std::set<UINT> enabled;
        for (UINT id : { ID_ADD_COMPONENT, ID_ADD_NOZZLE, ID_ADD_TO_ASSEMBLY, ID_NEW_ASSEMBLY, ID_DELETE_COMPONENT,
                         ID_EDIT_ASSEMBLY, ID_EDIT_COMPONENT, ID_EDIT_NOZZLES, ID_FINISH_ASSEMBLY,
                         ID_REMOVE_FROM_ASSEMBLY, ID_REMOVE_NOZZLE })
            if (m_pView->IsCommandEnabled(id))
                enabled.insert(id);
        return enabled;
    }
    // The component commands the frame's Component menu shows enabled.
    std::set<UINT> EnabledMenuCommands()
    {
        CMenu* pMenu = Frame()->GetMenu();
        CMenu* pComponent = nullptr;
        for (UINT i = 0; pMenu != nullptr && i < pMenu->GetMenuItemCount(); i++) {
            CString name;
            pMenu->GetMenuString(i, name, MF_BYPOSITION);
            if (name == "&Component")
                pComponent = pMenu->GetSubMenu((int)i);
        }
        std::set<UINT> enabled;
        if (pComponent == nullptr)
            return enabled;
        Frame()->SendMessage(WM_INITMENUPOPUP, (WPARAM)pComponent->GetSafeHmenu(), 3);
        for (UINT i = 0; i < pComponent->GetMenuItemCount(); i++) {
            UINT id = pComponent->GetMenuItemID((int)i);
            if (id != 0 && id != (UINT)-1 && id != ID_DELETE_ORPHAN_NOZZLES &&
                !(pComponent->GetMenuState(id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)))
                enabled.insert(id);
        }
        return enabled;
    }
    // The texts and states of the context menu a grid would show.
    std::vector<std::string> ContextMenu(CWnd* pGrid)
    {
        CMenu menu;
        CMenu* pPopup = nullptr;
        std::vector<std::string> items;
        if (!m_pView->PrepareContextMenu(pGrid, menu, pPopup))
            return items;
        for (UINT i = 0; i < pPopup->GetMenuItemCount(); i++) {
            CString text;
            pPopup->GetMenuString(i, text, MF_BYPOSITION);
            UINT state = pPopup->GetMenuState(i, MF_BYPOSITION);
            if (text.IsEmpty())
                continue;
            items.push_back(text.str() + ((state & MF_GRAYED) ? " (off)" : "") +
                            ((state & MF_CHECKED) ? " (checked)" : ""));
        }
        return items;
    }

    std::unique_ptr<ViewApp> m_app;
    CKelvaronView* m_pView = nullptr;
    std::string m_profile, m_dir, m_database, m_commandLine;
};

} // namespace viewtest
