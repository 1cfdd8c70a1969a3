#include "tests/platform/framework/docking/DockingFixture.h"

#include <algorithm>
#include <set>

CDockTestApp theApp;

BOOL CBlockBar::Create(CWnd* pParent, UINT nID, LPCTSTR lpszTitle, DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const CRect rect(0, 0, 0, 0);
    return CWnd::Create(nullptr, lpszTitle, dwStyle & ~CBRS_ALL, rect, pParent, nID);
}

CSize CBlockBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? m_sizeHorz : m_sizeVert;
}

BEGIN_MESSAGE_MAP(CDockTestFrame, CFrameWnd)
    ON_COMMAND(IDC_DOCKTEST_APPLY, OnApply)
    ON_UPDATE_COMMAND_UI(IDC_DOCKTEST_APPLY, OnUpdateApply)
    ON_UPDATE_COMMAND_UI(IDC_DOCKTEST_LOCKED, OnUpdateLocked)
    ON_UPDATE_COMMAND_UI(IDS_DOCKTEST_PANE, OnUpdatePane)
END_MESSAGE_MAP()

namespace docktest {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!theApp.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void PostKey(CWnd* pWnd, UINT nMsg, UINT nKey)
{
    ::PostMessageA(pWnd->m_hWnd, nMsg, nKey, 1);
}

} // namespace docktest

void DockingTest::SetUp()
{
    m_profile = kvtest::ScratchDir("docking_profile") + "\\Dock.INI";
    free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(m_profile.c_str());
    theApp.m_prompts.clear();

    m_pFrame = new CDockTestFrame;
    ASSERT_TRUE(m_pFrame->Create(nullptr, "Dock Test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    m_hWndFrame = m_pFrame->m_hWnd;
    theApp.m_pMainWnd = m_pFrame;
    m_pClient = new CWnd;
    ASSERT_TRUE(m_pClient->Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                  AFX_IDW_PANE_FIRST));
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);

    m_pTop1 = NewBar(ID_BAR_TOP1, "First", CSize(120, 24), CSize(30, 90));
    m_pTop2 = NewBar(ID_BAR_TOP2, "Second", CSize(80, 30), CSize(36, 60));
    m_pLeft = NewBar(ID_BAR_LEFT, "Side", CSize(150, 20), CSize(40, 200));
    m_pFrame->DockControlBar(m_pTop1, AFX_IDW_DOCKBAR_TOP);
    // Dropped right of the first bar: the same row.
    CRect rect(CPoint(0, 0), CSize(80, 30));
    m_pFrame->RecalcLayout();
    const CRect rectFirst = docktest::ScreenRect(m_pTop1->m_hWnd);
    rect.OffsetRect(rectFirst.right + 5, rectFirst.top);
    m_pFrame->DockControlBar(m_pTop2, AFX_IDW_DOCKBAR_TOP, &rect);
    m_pFrame->DockControlBar(m_pLeft, AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    docktest::Pump();
}

void DockingTest::TearDown()
{
    if (::IsWindow(m_hWndFrame))
        ::DestroyWindow(m_hWndFrame);
    docktest::Pump();
    delete m_pClient;
    delete m_pTop1;
    delete m_pTop2;
    delete m_pLeft;
    theApp.m_pMainWnd = nullptr;
}

CBlockBar* DockingTest::NewBar(UINT nID, LPCTSTR lpszTitle, CSize sizeHorz, CSize sizeVert)
{
    CBlockBar* pBar = new CBlockBar(sizeHorz, sizeVert);
    EXPECT_TRUE(pBar->Create(m_pFrame, nID, lpszTitle));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

CDockBar* DockingTest::DockBar(UINT nID) const
{
    CControlBar* pBar = m_pFrame->GetControlBar(nID);
    return pBar != nullptr && pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
}

CRect DockingTest::ClientArea() const
{
    return docktest::ChildRect(m_pClient->m_hWnd);
}

CMiniDockFrameWnd* DockingTest::FloatingFrameOf(CControlBar* pBar) const
{
    if (!pBar->IsFloating() || pBar->m_pDockBar == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent(::GetParent(pBar->m_pDockBar->m_hWnd)));
}

void DockingTest::ExpectConsistent() const
{
    std::set<CControlBar*> seen;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar())
            continue;
        const CDockBar* pDockBar = static_cast<CDockBar*>(pBar);
        ASSERT_GT(pDockBar->m_arrBars.GetSize(), 0);
        EXPECT_EQ(pDockBar->m_arrBars[0], nullptr);
        EXPECT_EQ(pDockBar->m_arrBars[pDockBar->m_arrBars.GetSize() - 1], nullptr);
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i) {
            CControlBar* pHeld = pDockBar->GetDockedControlBar((int)i);
            if (pHeld == nullptr)
                continue;
            EXPECT_TRUE(seen.insert(pHeld).second) << "a bar held twice";
            EXPECT_EQ(pHeld->m_pDockBar, pDockBar);
            ASSERT_NE(pHeld->m_hWnd, nullptr);
            EXPECT_EQ(::GetParent(pHeld->m_hWnd), pDockBar->m_hWnd);
        }
    }
}
