// A bar's record of the layout in its three forms: the profile, the
// settings tree and the archive.
#include "frame/dockstate/OZWDockState.h"
#include "frame/dockstate/OZWControlBarManager.h"
#include "frame/settings/OZWPersistentTreeNode.h"
#include <algorithm>
#include <climits>
#include <cstdlib>

IMPLEMENT_DYNCREATE(OZWControlBarInfoEx, CObject)

void OZWControlBarInfoEx::Serialize(CArchive&, OZWDockState*) {}

BOOL OZWControlBarInfoEx::LoadState(OZWPersistentTreeNode* pNode)
{
    return pNode != nullptr;
}

BOOL OZWControlBarInfoEx::LoadState(LPCTSTR, OZWDockState*)
{
    return FALSE;
}

BOOL OZWControlBarInfoEx::SaveState(OZWPTNFactory*, OZWPersistentTreeNode* pNode)
{
    return pNode != nullptr;
}

BOOL OZWControlBarInfoEx::SaveState(LPCTSTR)
{
    return FALSE;
}

namespace ozwdockstate {

int ShareToText(float fShare)
{
    // Single-precision unit, widened, as the stored layouts count it.
    const double value = (double)fShare / (double)kShareUnit;
    if (!(value > (double)INT_MIN && value < (double)INT_MAX))
        return value > 0 ? INT_MAX : 0;
    return (int)value;
}

float ShareFromText(LPCTSTR lpszText)
{
    const float f = (float)(atoi(lpszText != nullptr ? lpszText : "") * (double)kShareUnit);
    return f < 0.0f ? 0.0f : f;
}

} // namespace ozwdockstate

namespace {

using namespace ozwdockstate;

CString Indexed(LPCTSTR lpszFormat, int n)
{
    CString s;
    s.Format(lpszFormat, n);
    return s;
}

BOOL IsDockBarID(UINT nID)
{
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_FLOAT;
}

// A stored size: a value of 0 or less is no size.
LONG PositiveOrZero(LONG v)
{
    return v > 0 ? v : 0;
}

// The profile of the application, read and written by section.
class Profile
{
public:
    Profile(CWinApp* pApp, const CString& section) : m_pApp(pApp), m_section(section) {}
    int Int(LPCTSTR key, int nDefault) const { return (int)m_pApp->GetProfileInt(m_section, key, nDefault); }
    CString String(LPCTSTR key) const { return m_pApp->GetProfileString(m_section, key, ""); }
    void Put(LPCTSTR key, int n) const { m_pApp->WriteProfileInt(m_section, key, n); }
    void Put(LPCTSTR key, LPCTSTR s) const { m_pApp->WriteProfileString(m_section, key, s); }

private:
    CWinApp* m_pApp;
    CString m_section;
};

} // namespace

OZWControlBarInfo::OZWControlBarInfo(OZWControlBarManager* pManager) : m_pManager(pManager)
{
    memset(&m_wpMDIChild, 0, sizeof(m_wpMDIChild));
}

OZWControlBarInfo::~OZWControlBarInfo()
{
    delete m_pBarInfoEx;
}

BOOL OZWControlBarInfo::IsLeftOut() const
{
    return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1
           && m_arrBarID.GetSize() <= 1;
}

void OZWControlBarInfo::MakeBarInfoEx()
{
    if (m_pManager == nullptr)
        return;
    delete m_pBarInfoEx;
    m_pBarInfoEx = nullptr;
    m_pBarInfoEx = m_pManager->CreateBarInfoEx(this);
}

/////////////////////////////////////////////////////////////////////////////
// Profile form

void OZWControlBarInfo::SaveExtraState(LPCTSTR lpszSection)
{
    // After the framework's keys, in the section it emptied.
    CWinApp* pApp = AfxGetApp();
    const Profile p(pApp, lpszSection);
    p.Put("Style", (int)m_dwStyle);
    p.Put("ExStyle", (int)m_dwExStyle);
    p.Put("PrevFloating", m_bPrevFloating ? 1 : 0);
    p.Put("MDIChild", m_bMDIChild ? 1 : 0);
    if (m_bMDIChild)
        pApp->WriteProfileBinary(lpszSection, "MDIChildWindowPlacement", reinterpret_cast<LPBYTE>(&m_wpMDIChild),
                                 sizeof(m_wpMDIChild));
    p.Put("PctWidth", Indexed("%d", ShareToText(m_fPctWidth)));
    p.Put("MRUFloatCX", m_szMRUFloat.cx);
    p.Put("MRUFloatCY", m_szMRUFloat.cy);
    p.Put("MRUHorzDockCX", m_szMRUHorzDock.cx);
    p.Put("MRUHorzDockCY", m_szMRUHorzDock.cy);
    p.Put("MRUVertDockCX", m_szMRUVertDock.cx);
    p.Put("MRUVertDockCY", m_szMRUVertDock.cy);
    p.Put("MRUDockingState", (int)m_dwMRUDockingState);
    p.Put("DockingStyle", (int)m_dwDockingStyle);
    p.Put("TypeID", (int)m_dwTypeID);
    p.Put("ClassName", m_strClassName);
    p.Put("WindowName", m_strWindowName);
    p.Put("ResourceID", (int)m_nResourceID);
    p.Put("AutoHide", m_bAutoHide ? 1 : 0);
    p.Put("AutoHidePinned", m_bAutoHidePinned ? 1 : 0);
    p.Put("LastAlignedDocking", (int)m_nLastAlignedDocking);
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->SaveState(lpszSection);
}

void OZWControlBarInfo::LoadExtraState(LPCTSTR lpszSection, CDockState* pDockState)
{
    // After the framework's keys, which it has read and whose positions it
    // has scaled (both coordinates) to this screen.
    CWinApp* pApp = AfxGetApp();
    const Profile p(pApp, lpszSection);
    m_dwStyle = (DWORD)p.Int("Style", 0);
    m_dwExStyle = (DWORD)p.Int("ExStyle", 0);
    m_bPrevFloating = p.Int("PrevFloating", 0) != 0;
    m_bMDIChild = p.Int("MDIChild", 0) != 0;
    if (m_bMDIChild) {
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        // A placement of another length is damage: it is not used.
        if (pApp->GetProfileBinary(lpszSection, "MDIChildWindowPlacement", &pData, &nBytes)
            && nBytes == sizeof(m_wpMDIChild))
            memcpy(&m_wpMDIChild, pData, sizeof(m_wpMDIChild));
        delete[] pData;
    }
    m_fPctWidth = ShareFromText(p.String("PctWidth"));
    m_szMRUFloat.cx = PositiveOrZero(p.Int("MRUFloatCX", 0));
    m_szMRUFloat.cy = PositiveOrZero(p.Int("MRUFloatCY", 0));
    m_szMRUHorzDock.cx = PositiveOrZero(p.Int("MRUHorzDockCX", 0));
    m_szMRUHorzDock.cy = PositiveOrZero(p.Int("MRUHorzDockCY", 0));
    m_szMRUVertDock.cx = PositiveOrZero(p.Int("MRUVertDockCX", 0));
    m_szMRUVertDock.cy = PositiveOrZero(p.Int("MRUVertDockCY", 0));
    m_dwMRUDockingState = (DWORD)p.Int("MRUDockingState", (int)m_dwMRUDockingState);
    m_dwDockingStyle = (DWORD)p.Int("DockingStyle", (int)m_dwDockingStyle);
    m_dwTypeID = (DWORD)p.Int("TypeID", 0);
    m_strClassName = p.String("ClassName");
    m_strWindowName = p.String("WindowName");
    m_nResourceID = (UINT)p.Int("ResourceID", (int)m_nResourceID);
    m_bAutoHide = p.Int("AutoHide", 0) != 0;
    m_bAutoHidePinned = p.Int("AutoHidePinned", 1) != 0;
    m_nLastAlignedDocking = (UINT)p.Int("LastAlignedDocking", 0);
    MakeBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->LoadState(lpszSection, DYNAMIC_DOWNCAST(OZWDockState, pDockState));
}

/////////////////////////////////////////////////////////////////////////////
// Tree form

BOOL OZWControlBarInfo::SaveState(OZWPTNFactory* pFactory, OZWPersistentTreeNode* pParent, int nIndex)
{
    if (pFactory == nullptr || pParent == nullptr || IsLeftOut())
        return FALSE;
    OZWPersistentTreeNode* pNode = pFactory->CreateNode(Indexed("Bar-%d", nIndex), pParent);
    if (pNode == nullptr)
        return FALSE;
    SaveBaseState(pFactory, pNode);
    SaveExtState(pFactory, pNode);
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->SaveState(pFactory, pNode);
    return TRUE;
}

BOOL OZWControlBarInfo::LoadState(OZWPersistentTreeNode* pNode, OZWDockState* pDockState)
{
    if (pNode == nullptr)
        return FALSE;
    LoadBaseState(pNode, pDockState);
    LoadExtState(pNode);
    MakeBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->LoadState(pNode);
    return TRUE;
}

BOOL OZWControlBarInfo::SaveBaseState(OZWPTNFactory*, OZWPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    pNode->SetInt("BarID", (int)m_nBarID, TRUE);
    if (!m_bVisible)
        pNode->SetBool("Visible", FALSE, TRUE);
    if (m_bFloating) {
        pNode->SetBool("Horz", m_bHorz, TRUE);
        pNode->SetBool("Floating", TRUE, TRUE);
    }
    if (m_pointPos.x != -1)
        pNode->SetInt("XPos", m_pointPos.x, TRUE);
    if (m_pointPos.y != -1)
        pNode->SetInt("YPos", m_pointPos.y, TRUE);
    if (m_nMRUWidth != 32767)
        pNode->SetInt("MRUWidth", m_nMRUWidth, TRUE);
    if (m_bDocking) {
        pNode->SetBool("Docking", TRUE, TRUE);
        pNode->SetInt("MRUDockID", (int)m_uMRUDockID, TRUE);
        pNode->SetInt("MRUDockLeftPos", m_rectMRUDockPos.left, TRUE);
        pNode->SetInt("MRUDockTopPos", m_rectMRUDockPos.top, TRUE);
        pNode->SetInt("MRUDockRightPos", m_rectMRUDockPos.right, TRUE);
        pNode->SetInt("MRUDockBottomPos", m_rectMRUDockPos.bottom, TRUE);
        pNode->SetInt("MRUFloatStyle", (int)m_dwMRUFloatStyle, TRUE);
        pNode->SetInt("MRUFloatXPos", m_ptMRUFloatPos.x, TRUE);
        pNode->SetInt("MRUFloatYPos", m_ptMRUFloatPos.y, TRUE);
    }
    const int nBars = (int)m_arrBarID.GetSize();
    if (nBars > 1) {
        pNode->SetInt("Bars", nBars, TRUE);
        for (int i = 0; i < nBars; ++i)
            pNode->SetInt(Indexed("Bar#%d", i), (int)GetBarID(i), TRUE);
    }
    return TRUE;
}

BOOL OZWControlBarInfo::LoadBaseState(OZWPersistentTreeNode* pNode, OZWDockState* pDockState)
{
    if (pNode == nullptr || pDockState == nullptr)
        return FALSE;
    long x = -1, y = -1;
    pNode->GetUInt("BarID", &m_nBarID, 0);
    m_bDockBar = IsDockBarID(m_nBarID);
    pNode->GetBool("Visible", &m_bVisible, TRUE);
    pNode->GetBool("Horz", &m_bHorz, TRUE);
    pNode->GetBool("Floating", &m_bFloating, FALSE);
    pNode->GetLong("XPos", &x, -1);
    pNode->GetLong("YPos", &y, -1);
    m_pointPos = CPoint(x, y);
    UINT nMRUWidth = 32767;
    pNode->GetUInt("MRUWidth", &nMRUWidth, 32767);
    m_nMRUWidth = (int)nMRUWidth;
    pNode->GetBool("Docking", &m_bDocking, FALSE);
    if (m_bDocking) {
        long l = 0, t = 0, r = 0, b = 0, fx = 0, fy = 0;
        pNode->GetUInt("MRUDockID", &m_uMRUDockID, 0);
        pNode->GetLong("MRUDockLeftPos", &l, 0);
        pNode->GetLong("MRUDockTopPos", &t, 0);
        pNode->GetLong("MRUDockRightPos", &r, 0);
        pNode->GetLong("MRUDockBottomPos", &b, 0);
        m_rectMRUDockPos.SetRect(l, t, r, b);
        pNode->GetDWord("MRUFloatStyle", &m_dwMRUFloatStyle, 0);
        pNode->GetLong("MRUFloatXPos", &fx, 0);
        pNode->GetLong("MRUFloatYPos", &fy, 0);
        m_ptMRUFloatPos = CPoint(fx, fy);
    }
    ScaleToScreen(pDockState);
    int nBars = 0;
    pNode->GetInt("Bars", &nBars, 0);
    nBars = std::clamp(nBars, 0, kMaxBars);
    m_arrBarID.RemoveAll();
    for (int i = 0; i < nBars; ++i) {
        int nID = 0;
        pNode->GetInt(Indexed("Bar#%d", i), &nID, 0);
        AddBarID((UINT)nID);
    }
    return TRUE;
}

BOOL OZWControlBarInfo::SaveExtState(OZWPTNFactory*, OZWPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    pNode->SetInt("Style", (int)m_dwStyle, TRUE);
    pNode->SetInt("ExStyle", (int)m_dwExStyle, TRUE);
    pNode->SetBool("PrevFloating", m_bPrevFloating, TRUE);
    pNode->SetBool("MDIChild", m_bMDIChild, TRUE);
    if (m_bMDIChild)
        pNode->SetBinary("MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(&m_wpMDIChild),
                         sizeof(m_wpMDIChild), TRUE);
    pNode->SetBool("AutoHide", m_bAutoHide, TRUE);
    pNode->SetBool("AutoHidePinned", m_bAutoHidePinned, TRUE);
    pNode->SetInt("LastAlignedDocking", (int)m_nLastAlignedDocking, TRUE);
    pNode->SetString("PctWidth", Indexed("%d", ShareToText(m_fPctWidth)), TRUE);
    pNode->SetInt("MRUFloatCX", m_szMRUFloat.cx, TRUE);
    pNode->SetInt("MRUFloatCY", m_szMRUFloat.cy, TRUE);
    pNode->SetInt("MRUHorzDockCX", m_szMRUHorzDock.cx, TRUE);
    pNode->SetInt("MRUHorzDockCY", m_szMRUHorzDock.cy, TRUE);
    pNode->SetInt("MRUVertDockCX", m_szMRUVertDock.cx, TRUE);
    pNode->SetInt("MRUVertDockCY", m_szMRUVertDock.cy, TRUE);
    pNode->SetInt("MRUDockingState", (int)m_dwMRUDockingState, TRUE);
    pNode->SetInt("DockingStyle", (int)m_dwDockingStyle, TRUE);
    pNode->SetInt("TypeID", (int)m_dwTypeID, TRUE);
    pNode->SetString("ClassName", m_strClassName, TRUE);
    pNode->SetString("WindowName", m_strWindowName, TRUE);
    pNode->SetInt("ResourceID", (int)m_nResourceID, TRUE);
    return TRUE;
}

BOOL OZWControlBarInfo::LoadExtState(OZWPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    pNode->GetDWord("Style", &m_dwStyle, 0);
    pNode->GetDWord("ExStyle", &m_dwExStyle, 0);
    pNode->GetBool("PrevFloating", &m_bPrevFloating, FALSE);
    pNode->GetBool("MDIChild", &m_bMDIChild, FALSE);
    if (m_bMDIChild) {
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        if (pNode->GetBinary("MDIChildWindowPlacement", &pData, &nBytes) == 0 && nBytes == sizeof(m_wpMDIChild))
            memcpy(&m_wpMDIChild, pData, sizeof(m_wpMDIChild));
        delete[] pData;
    }
    pNode->GetBool("AutoHide", &m_bAutoHide, FALSE);
    pNode->GetBool("AutoHidePinned", &m_bAutoHidePinned, TRUE);
    pNode->GetUInt("LastAlignedDocking", &m_nLastAlignedDocking, 0);
    CString share;
    pNode->GetString("PctWidth", share, "");
    m_fPctWidth = ShareFromText(share);
    long v = 0;
    auto size = [&](LPCTSTR key) {
        pNode->GetLong(key, &v, 0);
        return PositiveOrZero(v);
    };
    m_szMRUFloat = CSize(size("MRUFloatCX"), size("MRUFloatCY"));
    m_szMRUHorzDock = CSize(size("MRUHorzDockCX"), size("MRUHorzDockCY"));
    m_szMRUVertDock = CSize(size("MRUVertDockCX"), size("MRUVertDockCY"));
    pNode->GetDWord("MRUDockingState", &m_dwMRUDockingState, m_dwMRUDockingState);
    pNode->GetDWord("DockingStyle", &m_dwDockingStyle, m_dwDockingStyle);
    pNode->GetDWord("TypeID", &m_dwTypeID, 0);
    pNode->GetString("ClassName", m_strClassName, "");
    pNode->GetString("WindowName", m_strWindowName, "");
    int nResource = (int)m_nResourceID;
    pNode->GetInt("ResourceID", &nResource, nResource);
    m_nResourceID = (UINT)nResource;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Archive form

void OZWControlBarInfo::SerializeExtra(CArchive& ar, CDockState* pDockState)
{
    OZWDockState* pOZWDockState = DYNAMIC_DOWNCAST(OZWDockState, pDockState);
    if (ar.IsStoring()) {
        ar << m_dwStyle << m_dwExStyle << (DWORD)m_bPrevFloating << (DWORD)m_bMDIChild;
        ar << Indexed("%d", ShareToText(m_fPctWidth));
        ar << m_szMRUFloat << m_szMRUHorzDock << m_szMRUVertDock;
        ar << m_dwMRUDockingState << m_dwDockingStyle << m_dwTypeID;
        if (m_pBarInfoEx != nullptr)
            m_pBarInfoEx->Serialize(ar, pOZWDockState);
        return;
    }
    DWORD dw = 0;
    ar >> m_dwStyle >> m_dwExStyle;
    ar >> dw;
    m_bPrevFloating = dw != 0;
    ar >> dw;
    m_bMDIChild = dw != 0;
    CString share;
    ar >> share;
    m_fPctWidth = ShareFromText(share);
    ar >> m_szMRUFloat >> m_szMRUHorzDock >> m_szMRUVertDock;
    ar >> m_dwMRUDockingState >> m_dwDockingStyle >> m_dwTypeID;
    MakeBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->Serialize(ar, pOZWDockState);
}
