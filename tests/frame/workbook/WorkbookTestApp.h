// The application of the workbook and dockable frame tests, with a
// document template whose documents show in dockable frames.
#pragma once

#include "platform/framework/Framework.h"
#include "tests/frame/workbook/WorkbookTestRes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

class CDockTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CDockTestDoc)
};

class CDockTestView : public CView
{
    DECLARE_DYNCREATE(CDockTestView)
public:
    void OnDraw(CDC*) override {}
};

namespace wbtest {

// The template of the documents (its menu is IDR_WB_MENU_A).
CMultiDocTemplate* Template();

// Tests in a main frame of class TFrame, shown, the thread's main window
// while the test runs, destroyed after it.
template <class TFrame>
class MainFrameTest : public ::testing::Test
{
protected:
    TFrame* m_pFrame = nullptr;
    HWND m_hWnd = nullptr;
    CWinThread* m_pThread = AfxGetThread();
    CWnd* m_pOldMain = nullptr;

    void MakeFrame(int cx, int cy)
    {
        m_pOldMain = m_pThread->m_pMainWnd;
        m_pFrame = new TFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_WB_MAIN));
        m_hWnd = m_pFrame->m_hWnd;
        m_pThread->m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE);
        m_pFrame->ShowWindow(SW_SHOW);
        kvtest::PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
        kvtest::PumpMessages();
        m_pThread->m_pMainWnd = m_pOldMain;
    }
};

} // namespace wbtest
