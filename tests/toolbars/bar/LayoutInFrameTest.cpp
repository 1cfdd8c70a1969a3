// Where the toolbars lie in their frame: a docked row too short for its
// bars, the large buttons, and a toolbar in a rebar band.
#include "frame/bars/OZWReBar.h"
#include "tests/toolbars/bar/ToolBarTestSupport.h"

using namespace toolbartest;

namespace {

// The client area of a window in screen coordinates.
CRect ScreenClient(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetClientRect(&rect);
    pWnd->ClientToScreen(&rect);
    return rect;
}

// Every visible button of the bar lies inside rectOuter (screen
// coordinates) and inside the bar's own window.
void ExpectButtonsInside(OZWCustomToolBar* pBar, const CRect& rectOuter)
{
    const CRect rectBar = ScreenClient(pBar);
    for (int i = 0; i < pBar->GetButtonCount(); ++i) {
        if (pBar->GetButton(i)->IsHidden())
            continue;
        CRect rect;
        pBar->GetButtonRect(i, &rect);
        pBar->ClientToScreen(&rect);
        CRect common;
        common.IntersectRect(&rect, &rectOuter);
        EXPECT_EQ(rect, common) << "button " << i << " of bar " << pBar->GetDlgCtrlID() << " outside";
        common.IntersectRect(&rect, &rectBar);
        EXPECT_EQ(rect, common) << "button " << i << " of bar " << pBar->GetDlgCtrlID() << " past its bar";
    }
}

// Gives the frame a client area nWidth wide and lays it out.
void SetClientWidth(CFrameWnd* pFrame, int nWidth)
{
    CRect window, client;
    pFrame->GetWindowRect(&window);
    pFrame->GetClientRect(&client);
    pFrame->SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + nWidth, window.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
    kvtest::PumpMessages();
}

} // namespace

using LayoutInFrameTest = ToolBarTest;

TEST_F(LayoutInFrameTest, LargeButtonsLayTheDockedBarsOutAtOnce)
{
    MakeFrameWithToolBars();
    OZWCustomToolBar* pBar = Bar(IDW_TEST_BAR1);
    const CRect before = ScreenClient(pBar);
    // No idle time passes (a modal customise sheet keeps it from the frame).
    manager->EnableLargeBtns(TRUE);
    const CRect after = ScreenClient(pBar);
    EXPECT_GE(after.Height(), 39);
    EXPECT_GT(after.Height(), before.Height());
    ExpectButtonsInside(pBar, ScreenClient(frame));
    // The bar beside it moved along with its wider neighbour.
    CRect second;
    Bar(IDW_TEST_BAR2)->GetWindowRect(&second);
    EXPECT_GE(second.left, after.right);
}

TEST_F(LayoutInFrameTest, ADockedRowTooShortWrapsItsLastBarInsideTheFrame)
{
    MakeFrameWithToolBars();
    manager->EnableLargeBtns(TRUE);
    OZWCustomToolBar* pFirst = Bar(IDW_TEST_BAR1);
    OZWCustomToolBar* pSecond = Bar(IDW_TEST_BAR2);
    CRect first;
    pFirst->GetWindowRect(&first);
    // Room for the first bar and one large button of the second beside it.
    SetClientWidth(frame, first.Width() + 60);
    const CRect client = ScreenClient(frame);
    for (OZWCustomToolBar* pBar : {pFirst, pSecond})
        ExpectButtonsInside(pBar, client);
    // The second bar's two buttons are in two rows, in the same row of bars.
    EXPECT_GT(pSecond->GetButton(1)->m_y, pSecond->GetButton(0)->m_y);
    CRect second;
    pSecond->GetWindowRect(&second);
    pFirst->GetWindowRect(&first);
    EXPECT_EQ(first.top, second.top);
    // Given the room again, it is one row once more.
    SetClientWidth(frame, 600);
    EXPECT_EQ(pSecond->GetButton(1)->m_y, pSecond->GetButton(0)->m_y);
}

TEST_F(LayoutInFrameTest, AToolBarInARebarGivesItsBandItsMinimumSize)
{
    MakeFrame();
    OZWReBar rebar;
    OZWReBar* pReBar = &rebar;
    ASSERT_TRUE(pReBar->Create(frame));
    OZWCustomToolBar* pBar = manager->CreateUserToolBar("In a band");
    ASSERT_NE(nullptr, pBar);
    pBar->SetButtons(g_bar1, 5);
    ASSERT_TRUE(pReBar->AddBar(pBar));
    SetClientWidth(frame, 400);

    auto band = [&] {
        REBARBANDINFOA rbbi = {};
        UINT nSize = 0;
        GetReBarBandInfoSize(nSize);
        rbbi.cbSize = nSize;
        rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
        EXPECT_TRUE(pReBar->SendMessage(RB_GETBANDINFOA, 0, (LPARAM)&rbbi));
        EXPECT_EQ(pBar->m_hWnd, rbbi.hwndChild);
        return rbbi;
    };
    // One row of buttons; the band's height is the bar's less the band's
    // 2-pixel inset.
    CSize size = pBar->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(pBar->GetButton(0)->m_y, pBar->GetButton(4)->m_y);
    EXPECT_EQ((UINT)size.cy, band().cyMinChild);
    EXPECT_GE(size.cy, 22 - 2);

    // Stretched to the rebar's width (less 12 for the band's own room), the
    // buttons wrap into rows that fit it, and the band's minimum width
    // follows the bar.
    pBar->ModifyExBarStyle(0, TBX_STRETCH, FALSE);
    SetClientWidth(frame, 80);
    size = pBar->CalcFixedLayout(FALSE, TRUE);
    EXPECT_GT(pBar->GetButton(4)->m_y, pBar->GetButton(0)->m_y);
    const REBARBANDINFOA info = band();
    EXPECT_EQ((UINT)size.cy, info.cyMinChild);
    EXPECT_EQ((UINT)size.cx, info.cxMinChild);
    EXPECT_LE(size.cx, 80 - 12);
}

// A vertical toolbar in a rebar on the left: stretched, it takes twice the
// width it needs, and a caption button at its end goes to the bottom-right
// corner; not stretched, it keeps its own width.
TEST_F(LayoutInFrameTest, AVerticalToolBarStretchedInARebarTakesTwiceItsWidth)
{
    MakeFrame();
    OZWReBar rebar;
    ASSERT_TRUE(rebar.Create(frame, RBS_BANDBORDERS | CCS_VERT,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT));
    OZWCustomToolBar* pBar = manager->CreateUserToolBar("Down the side");
    ASSERT_NE(nullptr, pBar);
    pBar->SetButtons(g_bar1, 5);
    ASSERT_TRUE(rebar.AddBar(pBar));
    SetClientWidth(frame, 400);

    const CSize plain = pBar->CalcFixedLayout(FALSE, FALSE);
    ASSERT_TRUE(pBar->IsVertical());
    ASSERT_GT(plain.cx, 0);

    // The last button is of the caption kind (the maximised child's
    // minimise, restore and close).
    OZWStdBtn* pLast = pBar->GetButton(4);
    pLast->m_nType = OZWStdBtn::typeCaption;
    const CRect plainLast = pLast->GetBtnRect();

    pBar->ModifyExBarStyle(0, TBX_STRETCH, FALSE);
    const CSize stretched = pBar->CalcFixedLayout(FALSE, FALSE);
    EXPECT_EQ(2 * (plain.cx + 2) - 2, stretched.cx);
    EXPECT_EQ(plain.cy, stretched.cy);
    // Its right and bottom edges are the bar's inside edges.
    CRect inside(0, 0, stretched.cx + 2, stretched.cy + 2);
    CRect borders(0, 0, 0, 0);
    pBar->CalcInsideRect(borders, FALSE);
    inside.left += borders.left;
    inside.top += borders.top;
    inside.right += borders.right;
    inside.bottom += borders.bottom;
    const CRect last = pLast->GetBtnRect();
    EXPECT_EQ(inside.right, last.right);
    EXPECT_EQ(inside.bottom, last.bottom);
    EXPECT_GT(last.left, plainLast.left);
    EXPECT_EQ(plainLast.Size(), last.Size());

    pBar->ModifyExBarStyle(TBX_STRETCH, 0, FALSE);
    EXPECT_EQ(plain, pBar->CalcFixedLayout(FALSE, FALSE));
}
