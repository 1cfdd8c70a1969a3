// The application, bars and manager of the dock state tests. CTestBar stands
// in for the toolkit's control bar, which lies in a higher layer and gives
// the layout its records through IOZWDockStateBar.
#pragma once

#include "frame/dockstate/OZWControlBarManager.h"
#include "frame/dockstate/OZWDockState.h"
#include "frame/settings/OZWPersistentTreeNode.h"
#include <gtest/gtest.h>
#include <string>

class CTestBar : public CControlBar, public IOZWDockStateBar
{
    DECLARE_DYNCREATE(CTestBar)
public:
    BOOL CreateBar(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszTitle, DWORD dwStyle = CBRS_TOP);

    void GetBarInfoEx(OZWControlBarInfo* pInfo) override;
    void SetBarInfoEx(OZWControlBarInfo* pInfo, CFrameWnd* pFrame) override;
    void SetExtendedStyle(DWORD dwExStyle) override { m_dwExStyle = dwExStyle; }
    BOOL CreateFromInfo(CFrameWnd* pParent, OZWControlBarInfo* pInfo) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override { return bHorz ? CSize(120, 24) : CSize(24, 120); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

    DWORD m_dwExStyle = 0;
    float m_fShare = 1.0f;
    BOOL m_bAutoHide = FALSE;
    BOOL m_bPinned = TRUE;
    DWORD m_dwTypeID = 0;
};

// A bar of the framework only: the layout of the toolkit never records it.
class CPlainBar : public CControlBar
{
    DECLARE_DYNCREATE(CPlainBar)
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(50, 20); }
};

// An extra record that keeps a title with the bar, in every form.
class CTitleInfoEx : public OZWControlBarInfoEx
{
    DECLARE_DYNCREATE(CTitleInfoEx)
public:
    void Serialize(CArchive& ar, OZWDockState*) override;
    BOOL LoadState(OZWPersistentTreeNode* pNode) override;
    BOOL LoadState(LPCTSTR lpszSection, OZWDockState*) override;
    BOOL SaveState(OZWPTNFactory*, OZWPersistentTreeNode* pNode) override;
    BOOL SaveState(LPCTSTR lpszSection) override;
    CString m_strTitle;
};

// Gives bars of type 7 a title record.
class CTestManager : public OZWControlBarManager
{
public:
    explicit CTestManager(CFrameWnd* pFrame = nullptr) : OZWControlBarManager(pFrame) {}
    OZWControlBarInfoEx* CreateBarInfoEx(OZWControlBarInfo* pInfo) override
    {
        return pInfo->m_dwTypeID == 7 ? new CTitleInfoEx : nullptr;
    }
};

// The profile file of one test, fresh and empty.
class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // A value of the test's profile, "<none>" when it has none.
    std::string Ini(const char* section, const char* key) const;
    void WriteIni(const char* section, const char* key, const char* value) const;
    std::string m_file;
};
