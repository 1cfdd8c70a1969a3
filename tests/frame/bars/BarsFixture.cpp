#include "tests/frame/bars/BarsFixture.h"

#include <string>

CBarsTestApp theApp;

OZWAutoHideBar* CBarsTestFrame::GetAutoHideBar(DWORD dwSide)
{
    switch (dwSide) {
    case CBRS_ALIGN_LEFT:
        return &m_strips[0];
    case CBRS_ALIGN_TOP:
        return &m_strips[1];
    case CBRS_ALIGN_RIGHT:
        return &m_strips[2];
    case CBRS_ALIGN_BOTTOM:
        return &m_strips[3];
    default:
        return nullptr;
    }
}

void CBarsTestFrame::EnableDocking(DWORD dwDockStyle)
{
    OZWAutoHideBar* strips[4] = { &m_strips[0], &m_strips[1], &m_strips[2], &m_strips[3] };
    OZWFrameDocking::EnableDocking(this, dwDockStyle, strips);
}

void CBarsTestFrame::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    OZWFrameDocking::FloatControlBar(this, pBar, point, dwStyle);
}

void CBarsTestFrame::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    OZWFrameDocking::ShowControlBar(this, pBar, bShow, bDelay);
}

void CBarsTestFrame::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    OZWFrameDocking::RedrawDockBars(this);
}

namespace barstest {

void Pump()
{
    kvtest::PumpMessages();
}

void Click(CWnd* pWnd, CPoint ptClient)
{
    pWnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
    pWnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
}

} // namespace barstest

namespace {

// A frame with a client window (deleted with the frame), docking on every side.
CBarsTestFrame* MakeFrame(CWnd** ppClient)
{
    CBarsTestFrame* pFrame = new CBarsTestFrame;
    if (!pFrame->Create(nullptr, "Bars Test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600))) {
        delete pFrame;
        return nullptr;
    }
    CWnd* pClient = new CWnd;
    pClient->Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST);
    *ppClient = pClient;
    pFrame->ShowWindow(SW_SHOWNORMAL);
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    return pFrame;
}

} // namespace

void BarsTest::SetUp()
{
    m_pFrame = MakeFrame(&m_pClient);
    ASSERT_NE(nullptr, m_pFrame);
    m_hWndFrame = m_pFrame->m_hWnd;
    theApp.m_pMainWnd = m_pFrame;
    Layout();
}

CBarsTestFrame* BarsTest::NewFrame()
{
    CWnd* pClient = nullptr;
    CBarsTestFrame* pFrame = MakeFrame(&pClient);
    if (pFrame != nullptr) {
        m_otherFrames.push_back(pFrame->m_hWnd);
        m_otherClients.push_back(pClient);
        pFrame->RecalcLayout();
        barstest::Pump();
    }
    return pFrame;
}

void BarsTest::TearDown()
{
    for (HWND hWnd : m_otherFrames)
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    m_otherFrames.clear();
    if (::IsWindow(m_hWndFrame))
        m_pFrame->DestroyWindow();
    barstest::Pump();
    theApp.m_pMainWnd = nullptr;
    for (OZWControlBar* pBar : m_bars)
        delete pBar;
    m_bars.clear();
    delete m_pClient;
    m_pClient = nullptr;
    for (CWnd* pClient : m_otherClients)
        delete pClient;
    m_otherClients.clear();
}

OZWDockBar* BarsTest::DockBar(UINT nID, CFrameWnd* pFrame) const
{
    return DYNAMIC_DOWNCAST(OZWDockBar, (pFrame != nullptr ? pFrame : m_pFrame)->GetControlBar(nID));
}

void BarsTest::Layout()
{
    m_pFrame->RecalcLayout();
    barstest::Pump();
}
