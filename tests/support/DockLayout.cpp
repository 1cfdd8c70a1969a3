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

std::vector<std::vector<UINT>> DockRows(const CDockBar* pDockBar)
{
    std::vector<std::vector<UINT>> rows;
    std::vector<UINT> row;
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
        void* pEntry = pDockBar->m_arrBars[i];
        if (pEntry == nullptr) {
            rows.push_back(row);
            row.clear();
        } else if (CDockBar::IsPlaceholder(pEntry)) {
            row.push_back(CDockBar::PlaceholderID(pEntry) | AFX_DOCKSTATE_PLACEHOLDER);
        } else {
            row.push_back((UINT)static_cast<CControlBar*>(pEntry)->GetDlgCtrlID());
        }
    }
    if (!row.empty())
        rows.push_back(row); // an unterminated row (never expected)
    return rows;
}

std::string DockRowsText(const CDockBar* pDockBar)
{
    std::string s;
    auto add = [&s](const std::string& token) { s += (s.empty() ? "" : " ") + token; };
    for (const std::vector<UINT>& row : DockRows(pDockBar)) {
        for (UINT nID : row) {
            if (nID & AFX_DOCKSTATE_PLACEHOLDER)
                add("#" + std::to_string(nID & ~AFX_DOCKSTATE_PLACEHOLDER));
            else
                add(std::to_string(nID));
        }
        add("|");
    }
    return s;
}

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
