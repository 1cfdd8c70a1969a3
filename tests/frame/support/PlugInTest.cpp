// The window plug-in in a host window that offers it every message and
// command first, as the frames do.
#include <gtest/gtest.h>
#include "frame/support/OZWWndPlugIn.h"
#include "tests/support/HostWindow.h"

using dedaride::foundation::OZWWndPlugIn;

namespace {

const UINT kSwallow = WM_APP + 1;   // the plug-in handles it and keeps it from the host
const UINT kPeek = WM_APP + 2;      // the plug-in handles it, the host too
const UINT kDefault = WM_APP + 3;   // the plug-in's handler asks for the default processing
const UINT kIgnored = WM_APP + 4;   // not in the plug-in's map
const UINT kCommand = 0x7101;

class TestPlugIn : public OZWWndPlugIn
{
public:
    int swallowed = 0, peeked = 0, commands = 0;
    BOOL callDefault = FALSE;
    LRESULT defaultResult = -1;

protected:
    afx_msg LRESULT OnSwallow(WPARAM, LPARAM)
    {
        ++swallowed;
        m_bExitHost = TRUE;
        return 55;
    }
    afx_msg LRESULT OnPeek(WPARAM wParam, LPARAM)
    {
        ++peeked;
        if (wParam == 1)
            SetReturn(3);
        return 0;
    }
    afx_msg LRESULT OnDefault(WPARAM, LPARAM)
    {
        m_bCallDefault = callDefault;
        defaultResult = DefWindowProc(WM_GETTEXTLENGTH, 0, 0);
        return 0;
    }
    afx_msg void OnCommandX()
    {
        ++commands;
        m_bExitHost = TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestPlugIn, OZWWndPlugIn)
    ON_MESSAGE(kSwallow, OnSwallow)
    ON_MESSAGE(kPeek, OnPeek)
    ON_MESSAGE(kDefault, OnDefault)
    ON_COMMAND(kCommand, OnCommandX)
END_MESSAGE_MAP()

// The host side of the contract: the plug-in sees each message first and
// may keep it from the host.
class PlugInHost : public kvtest::CHostWnd
{
public:
    OZWWndPlugIn* pPlugIn = nullptr;
    std::vector<UINT> processed;   // application messages the host processed itself

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (pPlugIn != nullptr) {
            LRESULT result = 0;
            const BOOL bHandled = pPlugIn->OnWndMsg(message, wParam, lParam, &result);
            if (pPlugIn->m_bExitHost || (message == WM_HELP && bHandled))
                return result;
        }
        if (message >= WM_APP)
            processed.push_back(message);
        return kvtest::CHostWnd::WindowProc(message, wParam, lParam);
    }
};

class PlugInTest : public ::testing::Test
{
protected:
    PlugInHost host;
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    void TearDown() override
    {
        host.pPlugIn = nullptr;
        if (::IsWindow(host.m_hWnd))
            host.DestroyWindow();
        kvtest::PumpMessages();
    }
};

} // namespace

TEST_F(PlugInTest, UnpluggedItHandlesNothing)
{
    TestPlugIn plugIn;
    EXPECT_FALSE(plugIn.IsPlugged());
    EXPECT_FALSE(plugIn.PlugInTo(nullptr));
    EXPECT_FALSE(plugIn.IsPlugged());
    LRESULT result = 1234;
    EXPECT_FALSE(plugIn.OnWndMsg(kSwallow, 0, 0, &result));
    EXPECT_EQ(result, 1234);
    EXPECT_EQ(plugIn.swallowed, 0);
    EXPECT_FALSE(plugIn.OnCmdMsg(kCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(plugIn.commands, 0);
}

TEST_F(PlugInTest, ItSeesTheHostsMessagesFirstAndMayKeepThemFromIt)
{
    TestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&host));
    EXPECT_TRUE(plugIn.IsPlugged());
    EXPECT_EQ(plugIn.m_hWnd, host.m_hWnd);
    host.pPlugIn = &plugIn;

    EXPECT_EQ(host.SendMessage(kSwallow), 55);
    EXPECT_EQ(plugIn.swallowed, 1);
    EXPECT_TRUE(host.processed.empty());

    host.SendMessage(kPeek);
    EXPECT_EQ(plugIn.peeked, 1);
    EXPECT_FALSE(plugIn.m_bExitHost);
    host.SendMessage(kIgnored);
    EXPECT_FALSE(plugIn.m_bExitHost);
    EXPECT_EQ(host.processed, (std::vector<UINT> { kPeek, kIgnored }));

    // The exit flag is cleared before every dispatch.
    host.SendMessage(kSwallow);
    EXPECT_TRUE(plugIn.m_bExitHost);
    host.SendMessage(kIgnored);
    EXPECT_FALSE(plugIn.m_bExitHost);
}

TEST_F(PlugInTest, SetReturnFixesOnlyTheCurrentDispatch)
{
    TestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&host));
    LRESULT result = 0;
    EXPECT_EQ(plugIn.OnWndMsg(kPeek, 1, 0, &result), 3);
    EXPECT_FALSE(plugIn.m_bReturnSet);
    EXPECT_EQ(plugIn.OnWndMsg(kPeek, 0, 0, &result), TRUE);
    EXPECT_EQ(plugIn.OnWndMsg(kIgnored, 0, 0, &result), FALSE);
}

TEST_F(PlugInTest, NoneOfTheWindowBaseHandlersRunForTheBorrowedHandle)
{
    TestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&host));
    LRESULT result = 77;
    // The window base would take WM_NCDESTROY for its own window.
    EXPECT_FALSE(plugIn.OnWndMsg(WM_NCDESTROY, 0, 0, &result));
    EXPECT_FALSE(plugIn.OnWndMsg(WM_PARENTNOTIFY, WM_CREATE, 0, &result));
    EXPECT_EQ(result, 77);
    EXPECT_TRUE(::IsWindow(host.m_hWnd));
}

TEST_F(PlugInTest, DefaultProcessingOnlyWhenTheHandlerAsksForIt)
{
    host.SetWindowText("Host");
    TestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&host));
    host.pPlugIn = &plugIn;
    host.SendMessage(kDefault);
    EXPECT_EQ(plugIn.defaultResult, 0);
    plugIn.callDefault = TRUE;
    host.SendMessage(kDefault);
    EXPECT_EQ(plugIn.defaultResult, 4);   // the host's text length, through the default procedure
}

TEST_F(PlugInTest, CommandsGoThroughItsOwnCommandMap)
{
    TestPlugIn plugIn;
    ASSERT_TRUE(plugIn.PlugInTo(&host));
    EXPECT_TRUE(plugIn.OnCmdMsg(kCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(plugIn.commands, 1);
    EXPECT_TRUE(plugIn.m_bExitHost);
    EXPECT_FALSE(plugIn.OnCmdMsg(kCommand + 1, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(plugIn.UnPlug());
    EXPECT_FALSE(plugIn.IsPlugged());
    EXPECT_EQ(plugIn.m_hWnd, nullptr);
    EXPECT_FALSE(plugIn.OnCmdMsg(kCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(plugIn.commands, 1);
}

TEST_F(PlugInTest, DestroyingAPluggedPlugInLeavesTheHostWorking)
{
    {
        auto* pPlugIn = new TestPlugIn;
        ASSERT_TRUE(pPlugIn->PlugInTo(&host));
        delete pPlugIn;
    }
    EXPECT_TRUE(::IsWindow(host.m_hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(host.m_hWnd), &host);
    host.SendMessage(kPeek);
    EXPECT_EQ(host.processed, std::vector<UINT> { kPeek });
}
