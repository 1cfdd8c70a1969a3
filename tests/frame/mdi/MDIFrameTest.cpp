// The toolkit's MDI frame and MDI child: the message filters they hand
// their non-client input to, menus registered by id, the saved layout's
// main window, the context-help mode, the workspace commands, titles, and
// the destruction of a maximised child.
#include <gtest/gtest.h>
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "tests/frame/mdi/MDITestRes.h"
#include "tests/support/TestSupport.h"

#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
std::vector<UINT> g_filtered;   // messages the filters saw
UINT g_consume = 0;             // a message the filters consume
} // namespace

// Stands in for the caption-control filter of the frames (found by its
// class name): records what it sees, consumes g_consume.
class OZWCapConLstMDIMaxChildMsgFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(OZWCapConLstMDIMaxChildMsgFilter)
public:
    OZWMsgFilter* Clone() const override { return new OZWCapConLstMDIMaxChildMsgFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM, LPARAM, LRESULT*) override
    {
        g_filtered.push_back(message);
        return message == g_consume ? (UINT)Consumed : 0;
    }
};
IMPLEMENT_DYNCREATE(OZWCapConLstMDIMaxChildMsgFilter, OZWMsgFilter)

namespace {

class CMDITestApp : public CWinApp
{
public:
    CMDITestApp() : CWinApp("MDI Test") {}
};
CMDITestApp theApp;


// The frame with a record of what reached its default handling.
class CTestFrame : public OZWMDIFrameWnd
{
public:
    std::vector<UINT> defaults;
    int framesChanged = 0;
    int defaultHelpCommands = 0;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (nID == kDefaultHelpCommand && nCode == CN_COMMAND && pInfo == nullptr) {
            ++defaultHelpCommands;
            return TRUE;
        }
        return OZWMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        defaults.push_back(message);
        return OZWMDIFrameWnd::DefWindowProc(message, wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED) != 0)
            ++framesChanged;
        return OZWMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class MDIFrameTest : public ::testing::Test
{
protected:
    CTestFrame* m_pFrame = nullptr;
    HWND m_hWnd = nullptr;
    CWinThread* m_pThread = AfxGetThread();
    CWnd* m_pOldMain = nullptr;

    void SetUp() override
    {
        g_filtered.clear();
        g_consume = 0;
        m_pOldMain = m_pThread != nullptr ? m_pThread->m_pMainWnd : nullptr;
        m_pFrame = new CTestFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MDITEST_MAIN));
        m_hWnd = m_pFrame->m_hWnd;
        m_pFrame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
        m_pFrame->ShowWindow(SW_SHOW);
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        kvtest::PumpMessages();
        if (m_pThread != nullptr)
            m_pThread->m_pMainWnd = m_pOldMain;
    }
    OZWMDIChildWnd* NewChild(UINT nID = IDR_MDITEST_CHILD)
    {
        auto* pChild = new OZWMDIChildWnd;
        EXPECT_TRUE(pChild->LoadFrame(nID, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        kvtest::PumpMessages();
        return pChild;
    }
};

} // namespace

TEST_F(MDIFrameTest, TheFrameMakesItsCaptionFilterByClassName)
{
    OZWMsgFilter* pFilter = m_pFrame->GetMsgFilter()->FindFilter(OZWMDIFrameWnd::kCaptionControls, nullptr, -1);
    ASSERT_NE(pFilter, nullptr);
    EXPECT_TRUE(pFilter->IsKindOf(RUNTIME_CLASS(OZWCapConLstMDIMaxChildMsgFilter)));
    EXPECT_EQ(pFilter->GetWnd(), m_pFrame);
    // The extended system commands are off: no docking template.
    EXPECT_EQ(m_pFrame->GetMsgFilter()->FindFilter(OZWMDIFrameWnd::kSysCommand, nullptr, -1), nullptr);
}

TEST_F(MDIFrameTest, AConsumedNonClientClickSkipsTheDefaultHandling)
{
    for (BOOL consume : {FALSE, TRUE}) {
        g_consume = consume ? WM_NCLBUTTONDOWN : 0;
        g_filtered.clear();
        m_pFrame->defaults.clear();
        const LRESULT lResult = m_pFrame->SendMessage(WM_NCLBUTTONDOWN, HTNOWHERE, 0);
        ASSERT_EQ(g_filtered.size(), 1u);
        EXPECT_EQ(g_filtered[0], (UINT)WM_NCLBUTTONDOWN);
        const bool bDefault = std::find(m_pFrame->defaults.begin(), m_pFrame->defaults.end(),
                                        (UINT)WM_NCLBUTTONDOWN) != m_pFrame->defaults.end();
        EXPECT_EQ(bDefault, !consume);
        if (consume) {
            EXPECT_EQ(lResult, 1);
        }
    }
}

TEST_F(MDIFrameTest, NonClientPaintReachesTheFiltersAfterTheDefaultPainting)
{
    m_pFrame->defaults.clear();
    g_filtered.clear();
    m_pFrame->SendMessage(WM_NCPAINT, 1, 0);
    ASSERT_EQ(g_filtered.size(), 1u);
    EXPECT_EQ(g_filtered[0], (UINT)WM_NCPAINT);
    EXPECT_NE(std::find(m_pFrame->defaults.begin(), m_pFrame->defaults.end(), (UINT)WM_NCPAINT),
              m_pFrame->defaults.end());
    // The custom caption cannot be switched on over a theme; without one it
    // can, and the painting then goes its own way.
    if (!::IsThemeActive()) {
        EXPECT_TRUE(m_pFrame->EnableCustomCaption(TRUE));
        g_filtered.clear();
        m_pFrame->SendMessage(WM_NCPAINT, 1, 0);
        EXPECT_TRUE(g_filtered.empty());
        EXPECT_TRUE(m_pFrame->EnableCustomCaption(FALSE));
    }
}

TEST_F(MDIFrameTest, MenusRegisteredByIdAnswerTheMenuRequest)
{
    const UINT ids[] = {IDR_MDITEST_MENU1, IDR_MDITEST_NOMENU, IDR_MDITEST_MENU2};
    EXPECT_FALSE(m_pFrame->RegisterMenus(3, ids));
    EXPECT_NE(m_pFrame->GetMenuForID(IDR_MDITEST_MENU1), nullptr);
    EXPECT_EQ(m_pFrame->GetMenuForID(IDR_MDITEST_MENU2), nullptr);
    HMENU hPopup = (HMENU)m_pFrame->SendMessage(OZWGetMenuRequestMessage(), IDR_MDITEST_MENU1, 0);
    ASSERT_NE(hPopup, nullptr);
    EXPECT_EQ(::GetMenuItemID(hPopup, 0), 100u);
    EXPECT_EQ(m_pFrame->SendMessage(OZWGetMenuRequestMessage(), IDR_MDITEST_MENU2, 0), 0);
}

TEST_F(MDIFrameTest, LoadingTheLayoutWithoutAMainWindowMakesTheFrameIt)
{
    ASSERT_NE(m_pThread, nullptr);
    m_pThread->m_pMainWnd = nullptr;
    m_pFrame->LoadBarState("MDITestLayout");
    EXPECT_EQ(m_pThread->m_pMainWnd, m_pFrame);
}

TEST_F(MDIFrameTest, WorkspaceCommandsAreEnabledAndDoNothing)
{
    for (UINT nID : {43007u, 43014u, 43031u, 43039u})
        EXPECT_TRUE(m_pFrame->OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr)) << nID;
    CCmdUI state;
    state.m_nID = 43008;
    state.m_pOther = nullptr;
    EXPECT_TRUE(m_pFrame->OnCmdMsg(43008, CN_UPDATE_COMMAND_UI, &state, nullptr));
}

TEST_F(MDIFrameTest, ContextHelpBeginsWithTheSecondCommandAndEscapeEndsIt)
{
    m_pFrame->SendMessage(WM_COMMAND, OZWMDIFrameWnd::kContextHelpCommand);
    EXPECT_EQ(m_pFrame->m_bHelpMode, CFrameWnd::HELP_ENTERING);
    // The posted command starts the mode; Escape, queued behind it, ends it
    // with no help shown.
    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->m_bHelpMode, CFrameWnd::HELP_INACTIVE);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(m_pFrame->defaultHelpCommands, 0);
}

TEST_F(MDIFrameTest, ChildTitleMenuAndDestructionWhileMaximised)
{
    OZWMDIChildWnd* pChild = NewChild();
    CString strTitle;
    pChild->GetWindowText(strTitle);
    EXPECT_EQ(std::string(strTitle), "Bar Window");
    EXPECT_EQ(pChild->m_nMenuID, 0u);   // no menu bar on the frame
    EXPECT_FALSE(pChild->m_bUseMenuID);

    OZWMDIChildWnd* pBare = NewChild(0);
    pBare->GetWindowText(strTitle);
    EXPECT_TRUE(strTitle.IsEmpty());

    m_pThread->m_pMainWnd = m_pFrame;
    pChild->MDIActivate();
    pChild->MDIMaximize();
    kvtest::PumpMessages();
    ASSERT_TRUE(pChild->GetStyle() & WS_MAXIMIZE);
    m_pFrame->framesChanged = 0;
    pChild->MDIDestroy();
    kvtest::PumpMessages();
    EXPECT_GE(m_pFrame->framesChanged, 1);
}

TEST_F(MDIFrameTest, ChildFiltersFollowTheOptionBits)
{
    OZWMDIChildWnd* pChild = NewChild();
    // The child's filter classes are not in this program: enabling makes
    // nothing, and the set-up still runs.
    pChild->EnableSysCommandEx(1);
    EXPECT_EQ(pChild->m_pMsgFilter->GetChildCount(), 0);
    pChild->SendMessage(WM_NCRBUTTONUP, HTCAPTION, 0);
}

TEST_F(MDIFrameTest, TheDefaultDockingPlacesRotate)
{
    UINT nID = 0;
    int placement[3];
    float fShare = 0;
    int nHeight = 0;
    m_pFrame->GetNextDockingPlace(nID, placement, fShare, nHeight);
    EXPECT_EQ(nID, 59422u);
    EXPECT_EQ(placement[2], 6);
    EXPECT_EQ(nHeight, 150);
    m_pFrame->GetNextDockingPlace(nID, placement, fShare, nHeight);
    EXPECT_EQ(nID, 59420u);
    EXPECT_EQ(placement[0], 1);
}
