// A top-level window that hosts controls in window tests and records what
// they tell it: commands, and the messages of WM_USER and above (a colour
// well's 0x465, say). A test fixture makes one before each test.
#pragma once

#include "platform/framework/Framework.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace kvtest {

// A mouse message's lParam for a point.
inline LPARAM PointParam(POINT pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

class CHostWnd : public CWnd
{
public:
    struct Notice
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Notice> notices;   // WM_COMMAND and WM_USER and above, in order
    // A registered message (0xC000 and above) to keep in notices too.
    UINT nRegisteredMessage = 0;
    int clicksSeen = 0;            // WM_LBUTTONDOWN on the host itself

    BOOL CreateHost(int x = 100, int y = 100, int cx = 500, int cy = 400);
    // The notices of one message.
    std::vector<Notice> Received(UINT message) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A test with a host window made before it and gone after it.
class HostedTest : public ::testing::Test
{
protected:
    CHostWnd host;
    void SetUp() override { ASSERT_TRUE(host.CreateHost()); }
    void TearDown() override
    {
        host.DestroyWindow();
        PumpMessages();
    }
};

} // namespace kvtest
