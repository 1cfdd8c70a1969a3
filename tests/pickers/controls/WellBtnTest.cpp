// The colour-well button of a customisable toolbar, on a stand-in toolbar:
// how the toolbar makes it, its width, what it tells the toolbar's owner,
// and the presses it hands the toolbar while the toolbar is customised.
#include "PickerTestSupport.h"
#include "pickers/controls/ColourWells.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pickertest;
using dedaride::foundation::WM_OZW_COLORSELECTED;

namespace {

// The toolbar: 16 by 15 images, so its standard buttons are 23 by 22.
class CTestToolBar : public CWnd, public OZWBtnHost
{
public:
    BOOL config = FALSE;
    BOOL vertical = FALSE;
    std::vector<CPoint> presses;   // the presses the toolbar window got

    CWnd* GetHostWnd() override { return this; }
    BOOL IsConfigMode() const override { return config; }
    BOOL IsVertical() const override { return vertical; }
    DWORD GetExBarStyle() const override { return 0; }
    OZWBmpMgr* GetBmpMgr() const override { return nullptr; }
    int GetImageWidth() const override { return 16; }
    int GetImageHeight() const override { return 15; }
    void RaiseMaxButtonSize(int, int) override {}
    int FindButton(const OZWStdBtn*) const override { return 0; }
    CWnd* GetNotifyOwner() override { return GetParent(); }
    void InformBtn(UINT, int, void*, BOOL) override {}
    void RefreshHotButton() override {}
    BOOL TrackButtonWidth(CWnd*, CRect&, int) override { return FALSE; }
    void RecalcHostLayout() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN)
            presses.push_back(CPoint(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class WellBtnTest : public ::testing::Test
{
protected:
    kvtest::CHostWnd host;   // the toolbar's owner
    CTestToolBar bar;
    OZU_WellBtn* pWell = nullptr;

    void SetUp() override
    {
        host.nRegisteredMessage = OZWGetToolBarWndNotifyMessage();
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 50), &host,
                                 1234));
        // The button map gives the command, the control id and no size.
        const UINT_PTR params[5] = { 1500, 0, 0, 0, 0 };
        OZWStdBtn* pButton = OZWBTN_CLASS(OZU_WellBtn)->pfnCreate();
        ASSERT_TRUE(pButton);
        pButton->m_nID = 32900;
        pButton->Init(&bar, params);
        pButton->SetMode(FALSE);
        pButton->SetPos(40, 0);
        pWell = static_cast<OZU_WellBtn*>(static_cast<OZWWndBtn*>(pButton));
    }
    void TearDown() override
    {
        delete static_cast<OZWStdBtn*>(pWell);
        bar.DestroyWindow();
        host.DestroyWindow();
        Pump();
    }
    // The toolbar notifications the owner got (code and control id).
    std::vector<WPARAM> OwnerNotices()
    {
        std::vector<WPARAM> codes;
        for (const auto& n : host.Received(OZWGetToolBarWndNotifyMessage()))
            codes.push_back(n.wParam);
        return codes;
    }
    CRect WndRect()
    {
        CRect rc;
        pWell->GetWindowRect(&rc);
        bar.ScreenToClient(&rc);
        return rc;
    }
};

} // namespace

TEST_F(WellBtnTest, TheToolbarMakesABlackWellOnThePalette)
{
    ASSERT_NE(nullptr, pWell->GetSafeHwnd());
    EXPECT_EQ(&bar, pWell->GetParent());
    EXPECT_EQ(1500, pWell->GetDlgCtrlID());
    EXPECT_EQ(OZWStdBtn::typeWnd, pWell->m_nType);
    CString caption;
    pWell->GetWindowText(caption);
    EXPECT_TRUE(caption.IsEmpty());
    EXPECT_EQ(RGB(0, 0, 0), pWell->GetColor());
    EXPECT_TRUE(pWell->GetPaletteMode());
    EXPECT_FALSE(pWell->GetShowOther());
    ASSERT_TRUE(pWell->GetPopupWell());
    EXPECT_TRUE(pWell->GetPopupWell()->IsKindOf(RUNTIME_CLASS(OZU_PopupColorWell)));
    LOGFONTA lf = {};
    ::GetObjectA((HFONT)pWell->SendMessage(WM_GETFONT), sizeof(lf), &lf);
    EXPECT_EQ(8, lf.lfHeight);
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
    // Made: the toolbar's owner is told.
    EXPECT_EQ(std::vector<WPARAM>{ MAKEWPARAM(1500, OZWWNDNOTIFY_CREATED) }, OwnerNotices());
}

TEST_F(WellBtnTest, ItIsAsWideAsAStandardButton)
{
    EXPECT_EQ(23, pWell->m_cx);
    EXPECT_EQ(CRect(40, 0, 63, 22), WndRect());
    EXPECT_TRUE(pWell->IsWindowVisible());
    pWell->AdjustSize();
    EXPECT_EQ(23, pWell->m_cx);
    // On a vertical toolbar it is a plain button of the same width.
    pWell->SetMode(TRUE);
    EXPECT_EQ(23, pWell->m_cx);
    EXPECT_FALSE(pWell->IsWindowVisible());
    pWell->SetMode(FALSE);
    EXPECT_EQ(23, pWell->m_cx);
    EXPECT_EQ(23, WndRect().Width());
}

TEST_F(WellBtnTest, AColourChosenTellsTheToolbarAndItsOwner)
{
    pWell->SendMessage(WM_OZW_COLORSELECTED, 0, RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), pWell->GetColor());
    EXPECT_EQ((std::vector<WPARAM>{ MAKEWPARAM(1500, OZWWNDNOTIFY_CREATED), MAKEWPARAM(1500, OZWWNDNOTIFY_COLOR) }),
              OwnerNotices());
}

TEST_F(WellBtnTest, EnterTellsTheOwnerAndGoesNoFurther)
{
    MSG msg = { pWell->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001 };
    EXPECT_TRUE(pWell->PreTranslateMessage(&msg));
    EXPECT_EQ((std::vector<WPARAM>{ MAKEWPARAM(1500, OZWWNDNOTIFY_CREATED), MAKEWPARAM(1500, OZWWNDNOTIFY_RETURN) }),
              OwnerNotices());
    MSG other = { pWell->GetSafeHwnd(), WM_KEYDOWN, 'A', 0x001E0001 };
    EXPECT_FALSE(pWell->PreTranslateMessage(&other));
}

TEST_F(WellBtnTest, WhileTheToolbarIsCustomisedAPressGoesToTheToolbar)
{
    // Not customised: the button takes the press itself.
    pWell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    pWell->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(bar.presses.empty());

    bar.config = TRUE;
    pWell->SetCapture();
    pWell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(1u, bar.presses.size());
    EXPECT_EQ(CPoint(45, 5), bar.presses[0]);
    EXPECT_NE(pWell->GetSafeHwnd(), ::GetCapture());
}
