// The MDI frame offers every message its thread is about to dispatch to the
// frame or its children to its plug-in (a menu bar's keyboard access).
#include <gtest/gtest.h>
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/support/OZWWndPlugIn.h"
#include "tests/frame/mdi/MDITestRes.h"
#include "tests/support/TestSupport.h"

#include <vector>

namespace {

class KeyPlugIn : public dedaride::foundation::OZWWndPlugIn
{
public:
    std::vector<HWND> seen;
    BOOL PreTranslateHostMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_SYSKEYUP)
            return FALSE;
        seen.push_back(pMsg->hwnd);
        return pMsg->wParam == VK_MENU;
    }
};

class PlugInFrame : public OZWMDIFrameWnd
{
public:
    void Install(dedaride::foundation::OZWWndPlugIn* pPlugIn)
    {
        m_pPlugIn = pPlugIn;
        m_pPlugIn->PlugInTo(this);
    }
};

} // namespace

TEST(MDIFramePlugIn, MessagesForTheFramesChildrenReachThePlugInFirst)
{
    auto* pFrame = new PlugInFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_MDITEST_MAIN));
    const HWND hFrame = pFrame->m_hWnd;
    auto* pPlugIn = new KeyPlugIn; // the frame deletes it
    pFrame->Install(pPlugIn);
    MSG msg = {};
    msg.hwnd = pFrame->m_hWndMDIClient;
    msg.message = WM_SYSKEYUP;
    msg.wParam = VK_MENU;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&msg));
    msg.wParam = 'F';
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(pPlugIn->seen, std::vector<HWND>({pFrame->m_hWndMDIClient, pFrame->m_hWndMDIClient}));
    ::DestroyWindow(hFrame);
    kvtest::PumpMessages();
}
