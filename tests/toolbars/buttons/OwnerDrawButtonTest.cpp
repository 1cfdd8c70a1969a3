// The owner-drawn push button: when it clicks, its style, its dialog code,
// the default-button role in a dialog, and its drawing at a few pixels.
#include "ButtonTestSupport.h"
#include "tests/support/MemoryBitmap.h"
#include "toolbars/buttons/ButtonTheme.h"
#include "toolbars/buttons/OwnerDrawButton.h"

#include <gtest/gtest.h>

using namespace dedaride::foundation;
using namespace buttontest;

namespace {

const COLORREF kContent = RGB(0, 0, 200);

// Fills its content with one colour and counts its clicks.
class CTestButton : public OZWOwnerDrawButton
{
public:
    int clicks = 0;
    int focusMarks = 0;
    void OnClicked() override { clicks++; }
    void DrawContent(CDC* pDC, LPDRAWITEMSTRUCT, CRect& rc) override { pDC->FillSolidRect(&rc, kContent); }
    void DrawFocusIndicator(CDC* pDC, CRect& rc) override
    {
        focusMarks++;
        pDC->DrawFocusRect(&rc);
    }
};

class OwnerDrawButtonTest : public HostedTest
{
protected:
    CTestButton button;

    void SetUp() override
    {
        HostedTest::SetUp();
        ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &host, 101, 0));
    }
    void TearDown() override
    {
        button.DestroyWindow();
        HostedTest::TearDown();
    }
    // Draws the button into a canvas as the platform would with this state.
    void Paint(kvtest::MemoryBitmap& canvas, UINT state, int cx = 100, int cy = 30)
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 101;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = canvas.hdc();
        dis.rcItem = CRect(0, 0, cx, cy);
        button.DrawItem(&dis);
    }
};

} // namespace

TEST_F(OwnerDrawButtonTest, ItClicksOnlyWhenReleasedOverItselfAfterAPress)
{
    EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetButtonStyle() & BS_TYPEMASK);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 5)));
    EXPECT_EQ(&button, CWnd::GetCapture());
    button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 5)));
    EXPECT_EQ(1, button.clicks);

    // Released outside.
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 5)));
    button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(300, 5)));
    EXPECT_EQ(1, button.clicks);
    // Released without a press (and so without the capture).
    button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 5)));
    EXPECT_EQ(1, button.clicks);
}

TEST_F(OwnerDrawButtonTest, SpaceAndEnterClickAndADoubleClickIsASecondPress)
{
    button.SendMessage(WM_KEYUP, VK_SPACE, 0);
    button.SendMessage(WM_KEYUP, VK_RETURN, 0);
    button.SendMessage(WM_KEYUP, 'A', 0);
    EXPECT_EQ(2, button.clicks);

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(CPoint(5, 5)));
    button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 5)));
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(CPoint(5, 5)));
    button.SendMessage(WM_LBUTTONUP, 0, At(CPoint(5, 5)));
    EXPECT_EQ(4, button.clicks);
}

TEST_F(OwnerDrawButtonTest, TheButtonStaysOwnerDrawnAndRepaintsOnlyOnAChange)
{
    button.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetButtonStyle() & BS_TYPEMASK);
    button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ((UINT)BS_OWNERDRAW, button.GetButtonStyle() & BS_TYPEMASK);

    CRect update;
    button.ValidateRect(nullptr);
    button.SetButtonStyle(button.GetButtonStyle(), TRUE);
    EXPECT_FALSE(button.GetUpdateRect(&update));

    // A dialog's plain push button becomes owner-drawn when subclassed, and
    // is repainted for it.
    HWND hPlain = ::CreateWindowA("BUTTON", "Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 60, 20,
                                  host.m_hWnd, (HMENU)102, nullptr, nullptr);
    ::ValidateRect(hPlain, nullptr);
    CTestButton subclassed;
    ASSERT_TRUE(subclassed.SubclassDlgItem(102, &host));
    EXPECT_EQ((UINT)BS_OWNERDRAW, subclassed.GetButtonStyle() & BS_TYPEMASK);
    EXPECT_TRUE(subclassed.GetUpdateRect(&update));
    subclassed.DestroyWindow();
    EXPECT_FALSE(CTestButton().SubclassDlgItem(999, &host));
}

TEST_F(OwnerDrawButtonTest, DialogCode)
{
    EXPECT_EQ((LRESULT)DLGC_BUTTON, button.SendMessage(WM_GETDLGCODE));
    button.SetFocus();
    ASSERT_EQ(&button, CWnd::GetFocus());
    EXPECT_EQ((LRESULT)DLGC_BUTTON, button.SendMessage(WM_GETDLGCODE));

    CTestButton defaulting;
    ASSERT_TRUE(defaulting.Create("Def", WS_CHILD | WS_VISIBLE, CRect(10, 50, 110, 80), &host, 102, ODBS_DEFPUSHBUTTON));
    EXPECT_EQ((LRESULT)DLGC_BUTTON, defaulting.SendMessage(WM_GETDLGCODE));
    defaulting.SetFocus();
    EXPECT_EQ((LRESULT)0x2010, defaulting.SendMessage(WM_GETDLGCODE));
    defaulting.DestroyWindow();
}

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// An empty modeless dialog built in memory.
HWND MakeDialog()
{
    struct
    {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } dialog = {};
    dialog.header.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    dialog.header.cx = 200;
    dialog.header.cy = 100;
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &dialog.header, nullptr, PlainDialogProc, 0);
}

} // namespace

TEST_F(OwnerDrawButtonTest, WhileFocusedItIsTheDialogsDefaultButton)
{
    HWND hDialog = MakeDialog();
    ASSERT_NE(nullptr, hDialog);
    HWND hOk = ::CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 10, 60, 20, hDialog,
                               (HMENU)IDOK, nullptr, nullptr);
    ::SendMessageA(hDialog, DM_SETDEFID, IDOK, 0);
    CTestButton owned;
    ASSERT_TRUE(owned.Create("Mine", WS_CHILD | WS_VISIBLE, CRect(10, 40, 70, 60), CWnd::FromHandle(hDialog), 1001, 0));

    owned.SetFocus();
    EXPECT_EQ(MAKELONG(1001, DC_HASDEFID), (LONG)::SendMessageA(hDialog, DM_GETDEFID, 0, 0));
    EXPECT_FALSE(::GetWindowLongA(hOk, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ((UINT)BS_OWNERDRAW, owned.GetButtonStyle() & BS_TYPEMASK);

    ::SetFocus(hOk);
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), (LONG)::SendMessageA(hDialog, DM_GETDEFID, 0, 0));
    EXPECT_TRUE(::GetWindowLongA(hOk, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ((UINT)BS_OWNERDRAW, owned.GetButtonStyle() & BS_TYPEMASK);

    // A dialog whose default id names no control: nothing to hand over.
    ::SendMessageA(hDialog, DM_SETDEFID, 4242, 0);
    owned.SetFocus();
    EXPECT_EQ(MAKELONG(4242, DC_HASDEFID), (LONG)::SendMessageA(hDialog, DM_GETDEFID, 0, 0));
    owned.DestroyWindow();
    ::DestroyWindow(hDialog);
}

TEST_F(OwnerDrawButtonTest, DrawnFrameContentAndDisabledLook)
{
    ClassicDrawing classic;
    const OZWOwnerDrawButton::Colours& colours = OZWOwnerDrawButton::GetColours();
    kvtest::MemoryBitmap canvas(100, 30);

    Paint(canvas, 0);
    EXPECT_EQ(colours.highlight, canvas.At(0, 0));
    EXPECT_EQ(colours.frame, canvas.At(99, 29));
    EXPECT_EQ(colours.shadow, canvas.At(98, 28));
    EXPECT_EQ(kContent, canvas.At(50, 15));
    EXPECT_EQ(kContent, canvas.At(1, 1));

    // Pressed: the frame is sunken and the content one pixel lower right.
    Paint(canvas, ODS_SELECTED);
    EXPECT_EQ(colours.frame, canvas.At(0, 0));
    EXPECT_EQ(colours.shadow, canvas.At(1, 1));
    EXPECT_EQ(kContent, canvas.At(2, 2));

    // Focused: a frame around it all, and the focus mark.
    button.focusMarks = 0;
    Paint(canvas, ODS_FOCUS);
    EXPECT_EQ(colours.frame, canvas.At(0, 0));
    EXPECT_EQ(colours.frame, canvas.At(99, 29));
    EXPECT_EQ(1, button.focusMarks);

    // Disabled: embossed in the shadow and highlight colours, no content colour.
    Paint(canvas, ODS_DISABLED);
    EXPECT_EQ(colours.shadow, canvas.At(50, 15));
    EXPECT_EQ(0, canvas.Count(CRect(0, 0, 100, 30), kContent));
}

TEST_F(OwnerDrawButtonTest, UnderAVisualStyleTheThemeDrawsTheFrameAndTheDisabledLook)
{
    if (!IsThemedDrawing())
        GTEST_SKIP() << "no visual style is active in this prefix";
    kvtest::MemoryBitmap canvas(100, 30);
    Paint(canvas, 0);
    EXPECT_NE(kContent, canvas.At(1, 1));
    EXPECT_EQ(kContent, canvas.At(2, 2));
    EXPECT_EQ(kContent, canvas.At(97, 27));
    // No emboss: the content keeps its colour.
    Paint(canvas, ODS_DISABLED);
    EXPECT_EQ(kContent, canvas.At(50, 15));
}
