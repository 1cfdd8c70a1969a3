// The colour-well button: its colour, its drawing at a few pixels, the
// popup it drops, the colour chosen there or in the colour dialog, and its
// replaceable popup.
#include "ButtonTestSupport.h"
#include "tests/support/MemoryBitmap.h"
#include "toolbars/buttons/WellButton.h"

#include <gtest/gtest.h>

using namespace dedaride::foundation;
using namespace buttontest;

namespace {

class WellButtonTest : public HostedTest
{
protected:
    OZWWellButton button;

    void SetUp() override
    {
        HostedTest::SetUp();
        ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 80, 44), &host, 55, 0));
    }
    void TearDown() override
    {
        button.DestroyWindow();
        HostedTest::TearDown();
    }
    void Click()
    {
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 5)));
        button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 5)));
    }
    void Paint(kvtest::MemoryBitmap& canvas, UINT state)
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = canvas.hdc();
        dis.rcItem = CRect(0, 0, 60, 24);
        button.DrawItem(&dis);
    }
};

// A popup that tells when it is deleted.
class CTrackedPopup : public OZWPopupColorWell
{
public:
    explicit CTrackedPopup(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CTrackedPopup() override { *m_pDeleted = true; }

private:
    bool* m_pDeleted;
};

} // namespace

TEST_F(WellButtonTest, TheColourKeepsRedGreenAndBlueOnly)
{
    EXPECT_EQ(RGB(0, 0, 0), button.GetColor());
    button.SetColor(0xFF123456);
    EXPECT_EQ((COLORREF)0x123456, button.GetColor());

    COLORREF value = RGB(9, 8, 7);
    CDataExchange load(&host, FALSE);
    DDX_WellButtonColor(&load, button, value);
    EXPECT_EQ(RGB(9, 8, 7), button.GetColor());
    button.SetColor(RGB(1, 2, 3));
    CDataExchange save(&host, TRUE);
    DDX_WellButtonColor(&save, button, value);
    EXPECT_EQ(RGB(1, 2, 3), value);
}

TEST_F(WellButtonTest, DrawnSwatchArrowAndDivider)
{
    ClassicDrawing classic;
    const OZWOwnerDrawButton::Colours& colours = OZWOwnerDrawButton::GetColours();
    kvtest::MemoryBitmap canvas(60, 24);
    const COLORREF colour = RGB(200, 30, 90);
    button.SetColor(colour);
    // Content (2, 2, 57, 21): arrow from (50, 10), dividers at x 47 and 48,
    // swatch framed at (5, 4, 44, 19).
    Paint(canvas, 0);
    EXPECT_EQ(colour, canvas.At(20, 10));
    EXPECT_EQ(colour, canvas.At(6, 5));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(5, 10));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(51, 10));
    EXPECT_EQ(colours.shadow, canvas.At(47, 10));
    EXPECT_EQ(colours.highlight, canvas.At(48, 10));

    // Through the button's palette the same colour shows.
    button.SetPaletteMode(TRUE);
    canvas.Fill(RGB(255, 255, 255));
    Paint(canvas, 0);
    EXPECT_EQ(colour, canvas.At(20, 10));
    button.SetPaletteMode(FALSE);

    // Disabled: no swatch.
    Paint(canvas, ODS_DISABLED);
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 60, 24), colour));
}

TEST_F(WellButtonTest, APickInThePopupBecomesTheColourAndIsReportedWithTheButtonsId)
{
    Click();
    OZWPopupColorWell* pPopup = button.GetPopupWell();
    ASSERT_TRUE(pPopup->IsTracking());
    ASSERT_NE(nullptr, pPopup->GetSafeHwnd());
    EXPECT_EQ(&button, pPopup->GetNotifyWnd());
    CRect rcButton, rcPopup;
    button.GetWindowRect(&rcButton);
    pPopup->GetWindowRect(&rcPopup);
    EXPECT_EQ(rcButton.bottom, rcPopup.top);

    // A click on the button while the popup is open drops nothing more.
    Click();
    EXPECT_TRUE(pPopup->IsTracking());

    COLORREF chosen = pPopup->GetCellColor(6);
    pPopup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pPopup->GetCellRect(2, 1).CenterPoint()));
    EXPECT_FALSE(pPopup->IsTracking());
    EXPECT_EQ(chosen, button.GetColor());
    std::vector<Notice> colours = host.Received(WM_OZW_COLORSELECTED);
    ASSERT_EQ(1u, colours.size());
    EXPECT_EQ(55u, colours[0].wParam);
    EXPECT_EQ((LPARAM)chosen, colours[0].lParam);
}

TEST_F(WellButtonTest, OtherClosesThePopupAndOpensTheColourDialogOnTheCurrentColour)
{
    button.SetColor(RGB(10, 20, 30));
    Click();
    OZWPopupColorWell* pPopup = button.GetPopupWell();
    HWND hPopup = pPopup->GetSafeHwnd();
    ASSERT_NE(nullptr, pPopup->GetOtherButton());
    {
        DialogAnswerer answerer(IDOK, hPopup);
        pPopup->OnOther();
        Pump();
        EXPECT_EQ(1, answerer.Answered());
        EXPECT_TRUE(answerer.WindowWasGone());
    }
    std::vector<Notice> colours = host.Received(WM_OZW_COLORSELECTED);
    ASSERT_EQ(1u, colours.size());
    EXPECT_EQ(55u, colours[0].wParam);
    EXPECT_EQ((LPARAM)RGB(10, 20, 30), colours[0].lParam);

    // Cancelled: nothing changes, nothing is reported.
    {
        DialogAnswerer answerer(IDCANCEL);
        button.SendMessage(WM_OZW_COLORDIALOG);
        EXPECT_EQ(1, answerer.Answered());
    }
    EXPECT_EQ(1u, host.Received(WM_OZW_COLORSELECTED).size());
    EXPECT_EQ(RGB(10, 20, 30), button.GetColor());
}

TEST_F(WellButtonTest, AReplacedPopupIsDeletedAndTheNewOneDrops)
{
    bool firstDeleted = false, secondDeleted = false;
    button.SetPopupWell(new CTrackedPopup(&firstDeleted));
    CTrackedPopup* pSecond = new CTrackedPopup(&secondDeleted);
    button.SetPopupWell(pSecond);
    EXPECT_TRUE(firstDeleted);
    EXPECT_FALSE(secondDeleted);
    button.SetShowOther(FALSE);
    Click();
    EXPECT_TRUE(pSecond->IsTracking());
    EXPECT_EQ(nullptr, pSecond->GetOtherButton());
    pSecond->Close();
}
