// A bar in an auto-hide strip is not dragged by a press on it.
#include <gtest/gtest.h>
#include "frame/support/OZWAutoHideBarDockContext.h"
#include "tests/support/TestSupport.h"

namespace {

class CStripBar : public CControlBar
{
public:
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(150, 26) : CSize(26, 150); }
};

} // namespace

TEST(AutoHideDockContext, PressingAndMovingOnTheBarStartsNoDrag)
{
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Strip", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 420)));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->ShowWindow(SW_SHOWNA);
    CStripBar bar;
    bar.m_dwStyle = CBRS_TOP;
    ASSERT_TRUE(bar.Create(nullptr, "Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 26), pFrame, 1001));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();

    // The strip gives its bars this context in place of the ordinary one.
    delete bar.m_pDockContext;
    bar.m_pDockContext = new OZWAutoHideBarDockContext(&bar);
    CWnd* pDockBar = bar.GetParent();
    CRect before;
    bar.GetWindowRect(&before);

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
    kvtest::PumpMessages();

    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(bar.GetParent(), pDockBar);
    EXPECT_FALSE(bar.IsFloating());
    CRect after;
    bar.GetWindowRect(&after);
    EXPECT_EQ(after, before);
    // Its other operations are the base's: the double-click toggle floats it.
    bar.m_pDockContext->ToggleDocking();
    EXPECT_TRUE(bar.IsFloating());

    bar.DestroyWindow();
    pFrame->DestroyWindow();
    kvtest::PumpMessages();
}
