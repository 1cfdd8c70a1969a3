// A main frame of the toolkit (MDI or SDI) made as at a start of the
// program, shown at 800 x 600 with docking on every side, and made the
// thread's main window; the bars a test makes are deleted after the frame.
#pragma once

#include <gtest/gtest.h>
#include "frame/bars/OZWAutoHideBar.h"
#include "frame/bars/OZWControlBar.h"
#include "frame/bars/OZWDockBar.h"
#include "frame/bars/OZWDockingFrame.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

template <class Frame>
class DockingFrameFixture : public ::testing::Test
{
protected:
    explicit DockingFrameFixture(UINT nResource) : m_nResource(nResource) {}

    Frame* m_pFrame = nullptr;
    HWND m_hWnd = nullptr;
    CWinThread* m_pThread = AfxGetThread();
    CWnd* m_pOldMain = nullptr;
    std::vector<OZWControlBar*> m_bars;

    void SetUp() override
    {
        m_pOldMain = m_pThread != nullptr ? m_pThread->m_pMainWnd : nullptr;
        NewFrame();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        kvtest::PumpMessages();
        for (OZWControlBar* pBar : m_bars)
            delete pBar;
        if (m_pThread != nullptr)
            m_pThread->m_pMainWnd = m_pOldMain;
    }
    // A frame of its own, as at a start of the program (the one before goes).
    void NewFrame()
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        kvtest::PumpMessages();
        m_pFrame = new Frame;
        ASSERT_TRUE(m_pFrame->LoadFrame(m_nResource));
        m_hWnd = m_pFrame->m_hWnd;
        if (m_pThread != nullptr)
            m_pThread->m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
    }
    // A bar of the toolkit on the frame, deleted by the fixture.
    OZWControlBar* NewBar(UINT nID, LPCTSTR lpszTitle, DWORD dwStyle, DWORD dwExStyle)
    {
        auto* pBar = new OZWControlBar;
        m_bars.push_back(pBar);
        EXPECT_TRUE(pBar->Create(m_pFrame, lpszTitle, WS_CHILD | WS_VISIBLE | dwStyle, dwExStyle, nID));
        pBar->m_nSlideTime = 0;
        return pBar;
    }
    OZWDockBar* DockBar(UINT nID) { return DYNAMIC_DOWNCAST(OZWDockBar, m_pFrame->GetControlBar(nID)); }
    int CountChildren(CRuntimeClass* pClass)
    {
        int n = 0;
        for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CWnd* pWnd = CWnd::FromHandlePermanent(h);
            if (pWnd != nullptr && pWnd->IsKindOf(pClass))
                ++n;
        }
        return n;
    }
    // The application's profile becomes a file of its own for the test.
    static void UseProfile(const char* lpszName)
    {
        CWinApp* pApp = AfxGetApp();
        const std::string profile = kvtest::ScratchDir(lpszName) + "\\profile.ini";
        free(const_cast<char*>(pApp->m_pszProfileName));
        pApp->m_pszProfileName = _strdup(profile.c_str());
    }
    // One toolkit dock bar per side, each holding its hidden strip; asking
    // for docking again makes nothing new.
    void ExpectOneDockBarAndHiddenStripPerSide()
    {
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        EXPECT_EQ(4, CountChildren(RUNTIME_CLASS(OZWDockBar)));
        const struct
        {
            UINT nDockBar;
            DWORD dwSide;
        } sides[] = { { AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP },
                      { AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM },
                      { AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT },
                      { AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT } };
        for (const auto& side : sides) {
            SCOPED_TRACE(side.nDockBar);
            ASSERT_NE(nullptr, DockBar(side.nDockBar));
            OZWAutoHideBar* pStrip = m_pFrame->GetAutoHideBar(side.dwSide);
            ASSERT_NE(nullptr, pStrip);
            ASSERT_NE(nullptr, pStrip->m_hWnd);
            EXPECT_FALSE(pStrip->IsWindowVisible());
            EXPECT_EQ(DockBar(side.nDockBar), pStrip->m_pDockBar);
        }
        EXPECT_EQ(nullptr, m_pFrame->GetAutoHideBar(0));
    }

private:
    UINT m_nResource;
};
