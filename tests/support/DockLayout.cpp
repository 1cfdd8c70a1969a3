#include "tests/support/DockLayout.h"

namespace kvtest {

namespace {

template <typename F> void ForEachDockBar(CFrameWnd* pFrame, F f)
{
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && pBar->IsDockBar())
            f(static_cast<CDockBar*>(pBar));
    }
}

} // namespace

std::vector<int> DockBarListings(CFrameWnd* pFrame, CControlBar* pBar)
{
    std::vector<int> counts;
    ForEachDockBar(pFrame, [&](CDockBar* pDockBar) {
        int n = 0;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
            n += pDockBar->m_arrBars[i] == pBar ? 1 : 0;
        if (n > 0)
            counts.push_back(n);
    });
    return counts;
}

std::vector<int> FloatingFrameBars(CFrameWnd* pFrame)
{
    std::vector<int> counts;
    ForEachDockBar(pFrame, [&](CDockBar* pDockBar) {
        if (pDockBar->m_bFloating)
            counts.push_back(pDockBar->GetDockedCount());
    });
    return counts;
}

} // namespace kvtest
