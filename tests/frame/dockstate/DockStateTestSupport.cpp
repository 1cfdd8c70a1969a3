#include "tests/frame/dockstate/DockStateTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {
CWinApp theApp("Dock State Tests");
}

IMPLEMENT_DYNCREATE(CTestBar, CControlBar)
IMPLEMENT_DYNCREATE(CPlainBar, CControlBar)
IMPLEMENT_DYNCREATE(CTitleInfoEx, OZWControlBarInfoEx)

BOOL CTestBar::CreateBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle, DWORD dwStyle)
{
    m_dwStyle = dwStyle;
    if (!Create(nullptr, lpszTitle, WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 24), pFrame, nID))
        return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
}

void CTestBar::GetBarInfoEx(OZWControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_dwStyle = m_dwStyle;
    pInfo->m_dwExStyle = m_dwExStyle;
    pInfo->m_fPctWidth = m_fShare;
    pInfo->m_bAutoHide = m_bAutoHide;
    pInfo->m_bAutoHidePinned = m_bPinned;
    pInfo->m_dwTypeID = m_dwTypeID;
    pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
    GetWindowText(pInfo->m_strWindowName);
}

void CTestBar::SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrame)
{
    CControlBar::SetBarInfo(pInfo, pFrame);
    m_fShare = pInfo->m_fPctWidth;
    m_bAutoHide = pInfo->m_bAutoHide;
    m_bPinned = pInfo->m_bAutoHidePinned;
    m_dwTypeID = pInfo->m_dwTypeID;
}

BOOL CTestBar::CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo)
{
    m_dwStyle = pInfo->m_dwStyle;
    return Create(nullptr, pInfo->m_strWindowName, WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 24), pParent,
                  pInfo->m_nBarID);
}

void CTitleInfoEx::Serialize(CArchive& ar, OZWDockState*)
{
    if (ar.IsStoring())
        ar << m_strTitle;
    else
        ar >> m_strTitle;
}

BOOL CTitleInfoEx::LoadState(OZWPersistentTreeNode* pNode)
{
    return pNode != nullptr && pNode->GetString("Title", m_strTitle, "") == 0;
}

BOOL CTitleInfoEx::LoadState(LPCTSTR lpszSection, OZWDockState*)
{
    m_strTitle = AfxGetApp()->GetProfileString(lpszSection, "Title", "");
    return TRUE;
}

BOOL CTitleInfoEx::SaveState(OZWPTNFactory*, OZWPersistentTreeNode* pNode)
{
    return pNode != nullptr && pNode->SetString("Title", m_strTitle, TRUE) == 0;
}

BOOL CTitleInfoEx::SaveState(LPCTSTR lpszSection)
{
    return AfxGetApp()->WriteProfileString(lpszSection, "Title", m_strTitle);
}

void ProfileTest::SetUp()
{
    m_file = kvtest::ScratchDir(std::string("dockstate_") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name())
             + "\\profile.ini";
    free(const_cast<char*>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _strdup(m_file.c_str());
}

void ProfileTest::TearDown()
{
    kvtest::PumpMessages();
}

std::string ProfileTest::Ini(const char* section, const char* key) const
{
    char buffer[1024];
    ::GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof(buffer), m_file.c_str());
    return buffer;
}

void ProfileTest::WriteIni(const char* section, const char* key, const char* value) const
{
    ::WritePrivateProfileStringA(section, key, value, m_file.c_str());
}
