// A frame with docking on every side and a few bars of known sizes, the
// application object whose profile the saved layouts go to, and helpers to
// drive the drag loop with messages.
#pragma once

#include "platform/framework/Framework.h"
#include "tests/platform/framework/docking/DockingTestRes.h"
#include "tests/support/DockLayout.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowPoints.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

class CDockTestApp : public CWinApp
{
public:
    CDockTestApp() : CWinApp("Dock Test") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_prompts.push_back(lpszPrompt != nullptr ? lpszPrompt : "");
        return IDOK;
    }
    std::vector<std::string> m_prompts;
};

extern CDockTestApp theApp;

// A bar of one size along a horizontal side and another along a vertical one.
class CBlockBar : public CControlBar
{
public:
    CBlockBar(CSize sizeHorz, CSize sizeVert) : m_sizeHorz(sizeHorz), m_sizeVert(sizeVert) {}
    BOOL Create(CWnd* pParent, UINT nID, LPCTSTR lpszTitle, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    CSize m_sizeHorz;
    CSize m_sizeVert;
};

// A frame that counts the commands of the dialog bar's buttons and disables
// one of them.
class CDockTestFrame : public CFrameWnd
{
public:
    int m_nApplied = 0;
    afx_msg void OnApply() { m_nApplied++; }
    afx_msg void OnUpdateLocked(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateApply(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    BOOL m_bPaneOn = TRUE;
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bPaneOn); }
    DECLARE_MESSAGE_MAP()
};

namespace docktest {

// Handles every message waiting in the queue.
void Pump();
using kvtest::ChildRect;
using kvtest::PostMouse;
using kvtest::ScreenRect;
// The rows of a dock bar: the ids of its entries, a kept place as its id
// plus AFX_DOCKSTATE_PLACEHOLDER.
inline std::vector<std::vector<UINT>> RowsOf(const CDockBar* pDockBar)
{
    return kvtest::DockRows(pDockBar);
}
void PostKey(CWnd* pWnd, UINT nMsg, UINT nKey);

} // namespace docktest

// Each test gets a shown frame of 800 x 600 with dock bars on all four
// sides, a client window filling what they leave, three block bars (two
// along the top, one on the left) and a profile file of its own.
class DockingTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CDockBar* DockBar(UINT nID) const;
    CBlockBar* NewBar(UINT nID, LPCTSTR lpszTitle, CSize sizeHorz, CSize sizeVert);
    // The client window's rectangle: what the bars leave of the frame.
    CRect ClientArea() const;
    // The floating frame of a floating bar, null when it is docked.
    CMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar) const;
    // Every dock bar entry's bar points back at its dock bar and lives in
    // its window; no bar is held twice.
    void ExpectConsistent() const;

    CDockTestFrame* m_pFrame = nullptr;
    HWND m_hWndFrame = nullptr;
    CWnd* m_pClient = nullptr;
    CBlockBar* m_pTop1 = nullptr;
    CBlockBar* m_pTop2 = nullptr;
    CBlockBar* m_pLeft = nullptr;
    std::string m_profile;
};

enum : UINT
{
    ID_BAR_TOP1 = 0xE880,
    ID_BAR_TOP2 = 0xE881,
    ID_BAR_LEFT = 0xE882,
    ID_BAR_EXTRA = 0xE883,
};
