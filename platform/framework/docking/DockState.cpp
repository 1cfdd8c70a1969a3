// The saved layout of a frame's bars: the records of the bars and dock bars
// (CControlBarInfo), taken from and given back to the bars, and the whole
// layout (CDockState) in the profile and in archives.
#include "platform/framework/Framework.h"
#include "platform/framework/docking/BarDockingSupport.h"

#include <algorithm>
#include <vector>

namespace {

// More bars than any frame holds: counts beyond it are damage.
constexpr int kMaxSavedBars = 1024;

CString SectionName(LPCTSTR lpszProfileName, int nIndex)
{
    CString strSection;
    strSection.Format("%s-Bar%d", lpszProfileName != nullptr ? lpszProfileName : "", nIndex);
    return strSection;
}

CString SummaryName(LPCTSTR lpszProfileName)
{
    CString strSection;
    strSection.Format("%s-Summary", lpszProfileName != nullptr ? lpszProfileName : "");
    return strSection;
}

// Dock bars are known by their ids (the frame's four sides and the floating one).
BOOL IsDockBarID(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

int ReadInt(CWinApp* pApp, LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    return (int)pApp->GetProfileInt(lpszSection, lpszEntry, nDefault);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// CControlBarInfo

CControlBarInfo::CControlBarInfo() : m_pointPos(-1, -1), m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(0, 0)
{
}

void CControlBarInfo::ScaleToScreen(CDockState* pDockState)
{
    if (pDockState == nullptr)
        return;
    if (m_pointPos != CPoint(-1, -1)) {
        // A floating frame's place is on the screen; a docked bar's lies in
        // its dock bar.
        if (m_bFloating) {
            pDockState->ScalePoint(m_pointPos);
        } else {
            CRect rect(m_pointPos, CSize(0, 0));
            pDockState->ScaleRectPos(rect);
            m_pointPos = rect.TopLeft();
        }
    }
    if (m_bDocking) {
        pDockState->ScaleRectPos(m_rectMRUDockPos);
        pDockState->ScalePoint(m_ptMRUFloatPos);
    }
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    // A docked dock bar with nothing in it tells nothing worth keeping.
    if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
        m_arrBarID.GetSize() <= 1)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;

    const CString strSection = SectionName(lpszProfileName, nIndex);
    // What an earlier layout left in the section goes first.
    pApp->WriteProfileString(strSection, nullptr, nullptr);
    pApp->WriteProfileInt(strSection, "BarID", (int)m_nBarID);
    if (!m_bVisible)
        pApp->WriteProfileInt(strSection, "Visible", 0);
    if (m_bFloating) {
        pApp->WriteProfileInt(strSection, "Horz", m_bHorz ? 1 : 0);
        pApp->WriteProfileInt(strSection, "Floating", 1);
    }
    if (m_pointPos.x != -1)
        pApp->WriteProfileInt(strSection, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        pApp->WriteProfileInt(strSection, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        pApp->WriteProfileInt(strSection, "MRUWidth", m_nMRUWidth);
    if (m_bDocking) {
        pApp->WriteProfileInt(strSection, "Docking", 1);
        pApp->WriteProfileInt(strSection, "MRUDockID", (int)m_uMRUDockID);
        pApp->WriteProfileInt(strSection, "MRUDockLeftPos", m_rectMRUDockPos.left);
        pApp->WriteProfileInt(strSection, "MRUDockTopPos", m_rectMRUDockPos.top);
        pApp->WriteProfileInt(strSection, "MRUDockRightPos", m_rectMRUDockPos.right);
        pApp->WriteProfileInt(strSection, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
        pApp->WriteProfileInt(strSection, "MRUFloatStyle", (int)m_dwMRUFloatStyle);
        pApp->WriteProfileInt(strSection, "MRUFloatXPos", m_ptMRUFloatPos.x);
        pApp->WriteProfileInt(strSection, "MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    const int nBars = (int)m_arrBarID.GetSize();
    if (nBars > 1) {
        pApp->WriteProfileInt(strSection, "Bars", nBars);
        for (int i = 0; i < nBars; ++i) {
            CString strEntry;
            strEntry.Format("Bar#%d", i);
            pApp->WriteProfileInt(strSection, strEntry, (int)GetBarID(i));
        }
    }
    SaveExtraState(strSection);
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    const CString strSection = SectionName(lpszProfileName, nIndex);

    m_nBarID = (UINT)ReadInt(pApp, strSection, "BarID", 0);
    m_bDockBar = IsDockBarID(m_nBarID);
    m_bVisible = ReadInt(pApp, strSection, "Visible", TRUE) != 0;
    m_bHorz = ReadInt(pApp, strSection, "Horz", TRUE) != 0;
    m_bFloating = ReadInt(pApp, strSection, "Floating", FALSE) != 0;
    m_pointPos = CPoint(ReadInt(pApp, strSection, "XPos", -1), ReadInt(pApp, strSection, "YPos", -1));
    m_nMRUWidth = ReadInt(pApp, strSection, "MRUWidth", 32767);
    m_bDocking = ReadInt(pApp, strSection, "Docking", FALSE) != 0;
    if (m_bDocking) {
        m_uMRUDockID = (UINT)ReadInt(pApp, strSection, "MRUDockID", 0);
        m_rectMRUDockPos.left = ReadInt(pApp, strSection, "MRUDockLeftPos", 0);
        m_rectMRUDockPos.top = ReadInt(pApp, strSection, "MRUDockTopPos", 0);
        m_rectMRUDockPos.right = ReadInt(pApp, strSection, "MRUDockRightPos", 0);
        m_rectMRUDockPos.bottom = ReadInt(pApp, strSection, "MRUDockBottomPos", 0);
        m_dwMRUFloatStyle = (DWORD)ReadInt(pApp, strSection, "MRUFloatStyle", 0);
        m_ptMRUFloatPos = CPoint(ReadInt(pApp, strSection, "MRUFloatXPos", 0),
                                 ReadInt(pApp, strSection, "MRUFloatYPos", 0));
    }
    ScaleToScreen(pDockState);
    m_arrBarID.RemoveAll();
    const int nBars = std::clamp(ReadInt(pApp, strSection, "Bars", 0), 0, kMaxSavedBars);
    for (int i = 0; i < nBars; ++i) {
        CString strEntry;
        strEntry.Format("Bar#%d", i);
        AddBarID((UINT)ReadInt(pApp, strSection, strEntry, 0));
    }
    LoadExtraState(strSection, pDockState);
    return m_nBarID != 0;
}

BOOL CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    const DWORD dwVersion = pDockState != nullptr ? pDockState->GetVersion() : 2;
    if (ar.IsStoring()) {
        ar << (DWORD)m_nBarID << (DWORD)m_bVisible << (DWORD)m_bFloating << (DWORD)m_bHorz;
        ar << m_pointPos;
        if (dwVersion > 1) {
            ar << (DWORD)m_nMRUWidth << (DWORD)m_bDocking;
            if (m_bDocking) {
                ar << (DWORD)m_uMRUDockID << m_rectMRUDockPos << m_dwMRUFloatStyle << m_ptMRUFloatPos;
            }
        }
        SerializeExtra(ar, pDockState);
        ar << (DWORD)m_arrBarID.GetSize();
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
            ar << (DWORD)GetBarID((int)i);
        return TRUE;
    }

    DWORD dw = 0;
    ar >> dw;
    m_nBarID = dw;
    m_bDockBar = IsDockBarID(m_nBarID);
    ar >> dw;
    m_bVisible = dw != 0;
    ar >> dw;
    m_bFloating = dw != 0;
    ar >> dw;
    m_bHorz = dw != 0;
    ar >> m_pointPos;
    if (dwVersion > 1) {
        ar >> dw;
        m_nMRUWidth = (int)dw;
        ar >> dw;
        m_bDocking = dw != 0;
        if (m_bDocking) {
            ar >> dw;
            m_uMRUDockID = dw;
            ar >> m_rectMRUDockPos >> m_dwMRUFloatStyle >> m_ptMRUFloatPos;
        }
        ScaleToScreen(pDockState);
    }
    SerializeExtra(ar, pDockState);
    DWORD nBars = 0;
    ar >> nBars;
    if (nBars > (DWORD)kMaxSavedBars)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    m_arrBarID.RemoveAll();
    for (DWORD i = 0; i < nBars; ++i) {
        ar >> dw;
        AddBarID(dw);
    }
    return TRUE;
}

void CControlBarInfo::SaveExtraState(LPCTSTR) {}

void CControlBarInfo::LoadExtraState(LPCTSTR, CDockState*) {}

void CControlBarInfo::SerializeExtra(CArchive&, CDockState*) {}

/////////////////////////////////////////////////////////////////////////////
// CDockState

IMPLEMENT_SERIAL(CDockState, CObject, 0)

CDockState::CDockState()
{
    // This screen: the whole virtual desktop; positions are kept where a
    // frame's caption stays within it.
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN), cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cx <= 0 || cy <= 0) {
        cx = ::GetSystemMetrics(SM_CXSCREEN);
        cy = ::GetSystemMetrics(SM_CYSCREEN);
    }
    m_rectDevice.SetRect(x, y, x + cx, y + cy);
    m_rectClip.left = x + ::GetSystemMetrics(SM_CXFRAME);
    m_rectClip.top = y + ::GetSystemMetrics(SM_CYSMCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
    m_rectClip.right = m_rectClip.left - ::GetSystemMetrics(SM_CXSMICON) + cx;
    m_rectClip.bottom = m_rectClip.top - ::GetSystemMetrics(SM_CYSMICON) - ::GetSystemMetrics(SM_CYFRAME) + cy;
    m_sizeLogical = m_rectDevice.Size();
}

CDockState::~CDockState()
{
    Clear();
}

CControlBarInfo* CDockState::NewBarInfo()
{
    return new CControlBarInfo;
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize()
{
    return m_rectDevice.Size();
}

void CDockState::SetScreenSize(CSize& size)
{
    m_sizeLogical = size;
    // Nothing to scale from a screen of no size (a layout that never said).
    m_bScaling = size.cx > 0 && size.cy > 0 && size != m_rectDevice.Size();
}

void CDockState::ScalePoint(CPoint& pt)
{
    if (!m_bScaling)
        return;
    const CSize sizeDevice = m_rectDevice.Size();
    pt.x = ::MulDiv(pt.x, sizeDevice.cx, m_sizeLogical.cx);
    pt.y = ::MulDiv(pt.y, sizeDevice.cy, m_sizeLogical.cy);
    pt.x = std::max(std::min(pt.x, m_rectClip.right), m_rectClip.left);
    pt.y = std::max(std::min(pt.y, m_rectClip.bottom), m_rectClip.top);
}

void CDockState::ScaleRectPos(CRect& rect)
{
    if (!m_bScaling)
        return;
    const CSize sizeDevice = m_rectDevice.Size();
    const CPoint pt(::MulDiv(rect.left, sizeDevice.cx, m_sizeLogical.cx),
                    ::MulDiv(rect.top, sizeDevice.cy, m_sizeLogical.cy));
    rect.OffsetRect(pt - rect.TopLeft());
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString strSummary = SummaryName(lpszProfileName);
    const int nOld = std::clamp(ReadInt(pApp, strSummary, "Bars", 0), 0, kMaxSavedBars);

    int nIndex = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        if (static_cast<CControlBarInfo*>(m_arrBarInfo[i])->SaveState(lpszProfileName, nIndex))
            ++nIndex;
    }
    // Sections of a longer earlier layout go.
    for (int i = nIndex; i < nOld; ++i)
        pApp->WriteProfileString(SectionName(lpszProfileName, i), nullptr, nullptr);

    const CSize size = GetScreenSize();
    pApp->WriteProfileInt(strSummary, "Bars", nIndex);
    pApp->WriteProfileInt(strSummary, "ScreenCX", size.cx);
    pApp->WriteProfileInt(strSummary, "ScreenCY", size.cy);
}

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString strSummary = SummaryName(lpszProfileName);
    const int nBars = std::clamp(ReadInt(pApp, strSummary, "Bars", 0), 0, kMaxSavedBars);
    CSize size(ReadInt(pApp, strSummary, "ScreenCX", 0), ReadInt(pApp, strSummary, "ScreenCY", 0));
    SetScreenSize(size);
    for (int i = 0; i < nBars; ++i) {
        CControlBarInfo* pInfo = NewBarInfo();
        if (pInfo->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(pInfo);
        else
            delete pInfo; // a section that names no bar
    }
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dwVersion;
        if (m_dwVersion > 1) {
            const CSize size = GetScreenSize();
            ar << size.cx << size.cy;
        }
        ar << (WORD)m_arrBarInfo.GetSize();
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            static_cast<CControlBarInfo*>(m_arrBarInfo[i])->Serialize(ar, this);
        return;
    }

    Clear();
    ar >> m_dwVersion;
    if (m_dwVersion > 1) {
        CSize size;
        ar >> size.cx >> size.cy;
        SetScreenSize(size);
    }
    WORD nCount = 0;
    ar >> nCount;
    for (WORD i = 0; i < nCount; ++i) {
        // Kept in the array first, so that a damaged archive leaves nothing behind.
        CControlBarInfo* pInfo = NewBarInfo();
        m_arrBarInfo.Add(pInfo);
        pInfo->Serialize(ar, this);
    }
    m_dwVersion = 2;
}

/////////////////////////////////////////////////////////////////////////////
// Records from bars and back

void CBarDockingSupport::GetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo)
{
    if (pInfo == nullptr || pBar->m_hWnd == nullptr)
        return;
    pInfo->m_pBar = pBar;
    pInfo->m_nBarID = (UINT)pBar->GetDlgCtrlID();
    pInfo->m_bVisible = pBar->IsVisible();
    pInfo->m_nMRUWidth = pBar->m_nMRUWidth;
    pInfo->m_bHorz = (pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_arrBarID.RemoveAll();
    pInfo->m_pointPos = CPoint(-1, -1);

    if (pBar->IsDockBar()) {
        const CDockBar* pDockBar = static_cast<const CDockBar*>(pBar);
        pInfo->m_bDockBar = TRUE;
        pInfo->m_bFloating = pDockBar->m_bFloating;
        pInfo->m_bDocking = FALSE;
        if (pDockBar->m_bFloating) {
            // The floating frame's client area starts where the dock bar does.
            CRect rect;
            pBar->GetWindowRect(&rect);
            pInfo->m_pointPos = rect.TopLeft();
        }
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i) {
            void* pEntry = pDockBar->m_arrBars[i];
            if (pEntry == nullptr) {
                pInfo->AddBarID(0);
            } else if (CDockBar::IsPlaceholder(pEntry)) {
                pInfo->AddBarID(CDockBar::PlaceholderID(pEntry) | AFX_DOCKSTATE_PLACEHOLDER);
            } else {
                CControlBar* pDocked = static_cast<CControlBar*>(pEntry);
                if (pDocked->m_hWnd != nullptr)
                    pInfo->AddBarID((UINT)pDocked->GetDlgCtrlID());
            }
        }
        return;
    }

    pInfo->m_bDockBar = FALSE;
    pInfo->m_bFloating = pBar->IsFloating();
    if (pBar->m_pDockBar != nullptr && !pBar->m_pDockBar->m_bFloating) {
        // Where it lies in its row.
        CRect rect;
        pBar->GetWindowRect(&rect);
        pBar->m_pDockBar->ScreenToClient(&rect);
        pInfo->m_pointPos = rect.TopLeft();
    }
    pInfo->m_bDocking = pBar->m_pDockContext != nullptr;
    if (pBar->m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = pBar->m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = pBar->m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = pBar->m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = pBar->m_pDockContext->m_ptMRUFloatPos;
    }
}

void CBarDockingSupport::SetBarInfo(CControlBar* pBar, CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (pInfo == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pBar->IsDockBar()) {
        if (pFrameWnd != nullptr)
            static_cast<CDockBar*>(pBar)->TakeBars(pInfo, pFrameWnd);
        return;
    }
    // Shown or hidden at the next layout of its frame.
    pBar->DelayShow(pInfo->m_bVisible);
    pBar->m_nMRUWidth = pInfo->m_nMRUWidth > 0 ? pInfo->m_nMRUWidth : 32767;
    if (pBar->m_pDockContext != nullptr && pInfo->m_bDocking) {
        pBar->m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        pBar->m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        pBar->m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        pBar->m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // Its place along its row (the dock bar's layout keeps it when it can).
    if (pInfo->m_pointPos.x != -1 && pInfo->m_pointPos.y != -1 && !pBar->IsFloating())
        pBar->SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDockBar::TakeBars(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    // The rows as saved, with the bars the frame has.
    std::vector<void*> entries{ nullptr };
    std::vector<CControlBar*> taken;
    auto holds = [&entries](void* p) { return std::find(entries.begin(), entries.end(), p) != entries.end(); };
    for (INT_PTR i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        const UINT nEntry = pInfo->GetBarID((int)i);
        if (nEntry == 0) {
            if (entries.back() != nullptr)
                entries.push_back(nullptr);
            continue;
        }
        if (nEntry & AFX_DOCKSTATE_PLACEHOLDER) {
            // A place kept for a floating bar (only docked dock bars keep them).
            const UINT nID = nEntry & 0xFFFF;
            if (!m_bFloating && nID != 0 && (nEntry & ~(AFX_DOCKSTATE_PLACEHOLDER | 0xFFFF)) == 0 &&
                !holds(MakePlaceholder(nID)))
                entries.push_back(MakePlaceholder(nID));
            continue;
        }
        if (nEntry > 0xFFFF)
            continue; // not an id
        CControlBar* pBar = pFrameWnd->GetControlBar(nEntry);
        if (pBar == nullptr || pBar->IsDockBar() || pBar->m_hWnd == nullptr || holds(pBar))
            continue;
        entries.push_back(pBar);
        taken.push_back(pBar);
    }
    // A bar that is here keeps no place of its own as well.
    for (CControlBar* pBar : taken) {
        auto it = std::find(entries.begin(), entries.end(), MakePlaceholder((UINT)pBar->GetDlgCtrlID()));
        if (it != entries.end())
            entries.erase(it);
    }
    // Bars here now that the layout does not name stay, in a last row.
    bool bRowOpen = false;
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar((int)i);
        if (pBar == nullptr || holds(pBar) || pBar->m_pDockBar != this)
            continue;
        if (!bRowOpen && entries.back() != nullptr)
            entries.push_back(nullptr);
        bRowOpen = true;
        entries.push_back(pBar);
    }

    // The bars named here leave the dock bars they are in.
    for (CControlBar* pBar : taken) {
        CDockBar* pOld = pBar->m_pDockBar;
        if (pOld != nullptr && pOld != this) {
            const int nPos = pOld->FindBar(pBar);
            if (nPos > 0)
                pOld->RemoveEntry(nPos);
            if (pOld->m_hWnd != nullptr && !pOld->m_bFloating) {
                if (CFrameWnd* pOldFrame = pOld->GetParentFrame())
                    pOldFrame->DelayRecalcLayout();
            }
        }
        pBar->m_pDockBar = nullptr;
    }

    m_arrBars.RemoveAll();
    for (void* pEntry : entries)
        m_arrBars.Add(pEntry);
    NormaliseArray();

    for (CControlBar* pBar : taken)
        AdoptBar(pBar, nullptr);
}

/////////////////////////////////////////////////////////////////////////////
// The frame's layout back from a saved one

void CFrameWnd::SetDockState(const CDockState& state)
{
    // The bar of each record: a new floating frame for a floating dock bar,
    // else the frame's bar of that id; records of no bar are left out.
    struct Applied
    {
        CControlBarInfo* pInfo;
        CMiniDockFrameWnd* pNewFrame;
    };
    std::vector<Applied> dockBars, bars;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bDockBar && pInfo->m_bFloating) {
            CMiniDockFrameWnd* pFrame = nullptr;
            try {
                pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            } catch (CException* e) {
                e->Delete();
                continue;
            }
            pInfo->m_pBar = &pFrame->m_wndDockBar;
            dockBars.push_back({ pInfo, pFrame });
            continue;
        }
        // A record must fit its bar: a docked dock bar's for a docked dock
        // bar, a bar's for a bar.
        CControlBar* pBar = GetControlBar(pInfo->m_nBarID);
        if (pBar == nullptr || pBar->m_hWnd == nullptr)
            continue;
        if ((pBar->IsDockBar() != FALSE) != (pInfo->m_bDockBar != FALSE))
            continue;
        if (pBar->IsDockBar() && pBar->IsFloating())
            continue;
        pInfo->m_pBar = pBar;
        (pInfo->m_bDockBar ? dockBars : bars).push_back({ pInfo, nullptr });
    }

    // The rows first, then each bar's own state.
    for (const Applied& applied : dockBars)
        applied.pInfo->m_pBar->SetBarInfo(applied.pInfo, this);
    for (const Applied& applied : bars)
        applied.pInfo->m_pBar->SetBarInfo(applied.pInfo, this);

    // New floating frames at their places, shown while they hold a shown bar.
    for (const Applied& applied : dockBars) {
        CMiniDockFrameWnd* pFrame = applied.pNewFrame;
        if (pFrame == nullptr)
            continue;
        if (pFrame->m_wndDockBar.GetDockedCount() == 0) {
            applied.pInfo->m_pBar = nullptr;
            pFrame->DestroyWindow();
            continue;
        }
        CRect rect(applied.pInfo->m_pointPos, CSize(10, 10));
        pFrame->CalcWindowRect(&rect);
        pFrame->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout(TRUE);
        pFrame->KeepOnWorkArea();
        if (pFrame->m_wndDockBar.GetDockedVisibleCount() > 0)
            pFrame->ShowWindow(SW_SHOWNA);
    }

    // Floating frames that lost all their bars to the saved layout go; one
    // whose bars are all hidden now hides.
    std::vector<HWND> emptyFrames;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (!pBar->IsDockBar() || !pBar->IsFloating() || pBar->m_hWnd == nullptr)
            continue;
        CDockBar* pDockBar = static_cast<CDockBar*>(pBar);
        CFrameWnd* pFrame = pDockBar->GetParentFrame();
        if (pFrame == nullptr || pFrame == this)
            continue;
        if (pDockBar->GetDockedCount() == 0) {
            emptyFrames.push_back(pFrame->m_hWnd);
        } else {
            pFrame->RecalcLayout(TRUE);
            if (pDockBar->GetDockedVisibleCount() == 0)
                pFrame->ShowWindow(SW_HIDE);
        }
    }
    for (HWND hFrame : emptyFrames) {
        if (::IsWindow(hFrame))
            ::DestroyWindow(hFrame);
    }
    RecalcLayout();
}
