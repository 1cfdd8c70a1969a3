// The frame, manager and profile of the toolbar tests: a framework frame
// with docking on every side and a few commands (handled and enabled,
// handled and disabled, unhandled, checked), its toolbar manager with the
// test images, and a fresh profile file per test.
#pragma once

#include "tests/support/TestSupport.h"
#include "tests/toolbars/bar/ToolBarTestRes.h"
#include "toolbars/bar/OZWCustomToolBar.h"
#include "toolbars/bar/OZWToolBarManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace toolbartest {

class CTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> commands;   // commands received, in order
    std::vector<std::pair<WPARAM, LPARAM>> barNotices;

    BOOL CreateFrame();

protected:
    afx_msg void OnCommandA() { commands.push_back(ID_TEST_A); }
    afx_msg void OnCommandB() { commands.push_back(ID_TEST_B); }
    afx_msg void OnCommandD() { commands.push_back(ID_TEST_D); }
    afx_msg void OnCommandBox() { commands.push_back(ID_TEST_BOX); }
    afx_msg void OnUpdateB(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateD(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

// A window that records "WM_BARNOTIFY".
class CNotifyWnd : public CWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> notices;
    BOOL CreateWnd() { return CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The ids of the test toolbars' buttons.
extern UINT g_bar1[5];   // A, B, separator, C, D
extern UINT g_bar2[2];   // A, D
extern UINT g_bar3[1];   // C

class ToolBarTest : public ::testing::Test
{
protected:
    CTestFrame* frame = nullptr;
    OZWToolBarManager* manager = nullptr;
    std::string profile;

    void SetUp() override;
    void TearDown() override;
    // The frame and its manager (with the images), none of the toolbars.
    void MakeFrame();
    // Also the three default toolbars (the third hidden).
    void MakeFrameWithToolBars();
    void DestroyFrame();
    OZWCustomToolBar* Bar(UINT nID) { return manager->ToolBarFromID(nID); }
    // The centre of a button in screen coordinates, and in its bar's client area.
    CPoint ScreenCentre(OZWCustomToolBar* pBar, int nIndex);
    CPoint ClientCentre(OZWCustomToolBar* pBar, int nIndex);
    // A click on a button: down and up at its centre.
    void Click(OZWCustomToolBar* pBar, int nIndex);
    // The command ids of a bar's buttons (0 for separators).
    std::vector<UINT> Ids(OZWCustomToolBar* pBar);
    // A value of the profile file ("<none>" when missing).
    std::string Ini(const char* section, const char* key) const;
    void WriteIni(const char* section, const char* key, const char* value) const;
};

} // namespace toolbartest
