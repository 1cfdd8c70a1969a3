// A docked bar's gripper drawn into a memory bitmap and read back at a few
// pixels: the title bar in the classic look and in the Office 2003 look, the
// caption buttons' places and states.
#include "tests/frame/bars/BarsFixture.h"
#include "tests/support/MemoryBitmap.h"

#include "platform/theme/ThemeLib.h"

#include <cstdlib>

namespace {

const COLORREF kBackground = RGB(1, 2, 3);

bool Near(COLORREF a, COLORREF b, int nTolerance = 8)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// The look for one test, the platform's own again afterwards.
class LookScope
{
public:
    explicit LookScope(int nLook) { UXSetVisualStyle(nLook); }
    ~LookScope() { UXSetVisualStyle(0); }
};

} // namespace

class PaintTest : public BarsTest
{
protected:
    void SetUp() override
    {
        BarsTest::SetUp();
        // Docked on the right: a vertical bar, its title across its top.
        m_pBar = NewBar(100, "", SCBX_GRIPPER | SCBX_CLOSE_BUTTON | SCBX_EXPAND_BUTTON | SCBX_CAPTION | SCBX_BORDERS);
        m_pFrame->DockControlBarEx(m_pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 200);
        Layout();
    }
    // The gripper of a 200 x 150 bar on a plain background.
    void DrawGripper(kvtest::MemoryBitmap& bitmap)
    {
        bitmap.Fill(kBackground);
        m_pBar->DrawGripper(bitmap.DC(), CRect(0, 0, 200, 150));
    }
    OZWControlBar* m_pBar = nullptr;
};

TEST_F(PaintTest, TheButtonsSitAtTheRightEndOfTheSeventeenPixelTitle)
{
    kvtest::MemoryBitmap bitmap(200, 150);
    DrawGripper(bitmap);
    // The strip runs from y 1 to 18; the close button is 11 pixels square at
    // its right end (3 pixels in from the bar's edge), the expand button 2
    // pixels to its left.
    EXPECT_EQ(CRect(185, 3, 196, 14), m_pBar->m_rectCloseButton);
    EXPECT_EQ(CRect(172, 3, 183, 14), m_pBar->m_rectExpandButton);
    EXPECT_TRUE(m_pBar->m_rectPinButton.IsRectEmpty());
    // Without the bit for it a button is neither drawn nor laid out.
    m_pBar->ModifyExBarStyle(SCBX_EXPAND_BUTTON, 0, FALSE);
    DrawGripper(bitmap);
    EXPECT_TRUE(m_pBar->m_rectExpandButton.IsRectEmpty());
    EXPECT_EQ(CRect(185, 3, 196, 14), m_pBar->m_rectCloseButton);
}

TEST_F(PaintTest, TheClassicTitleIsButtonFaceWithCutCornersAndAGreyedExpandGlyph)
{
    LookScope look(0);
    kvtest::MemoryBitmap bitmap(200, 150);
    DrawGripper(bitmap);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(clrFace, bitmap.At(60, 9));        // inside the title
    EXPECT_EQ(clrShadow, bitmap.At(60, 2));      // its outline
    EXPECT_EQ(clrShadow, bitmap.At(2, 9));
    EXPECT_NE(clrShadow, bitmap.At(2, 2));       // a corner cut
    EXPECT_EQ(kBackground, bitmap.At(60, 30));   // below the title: untouched
    // Alone in its row, the bar's expand button is disabled: its glyph grey.
    EXPECT_FALSE(m_pBar->m_bExpandEnabled);
    EXPECT_GT(bitmap.Count(m_pBar->m_rectExpandButton, ::GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(0, bitmap.Count(m_pBar->m_rectExpandButton, ::GetSysColor(COLOR_BTNTEXT)));
    EXPECT_GT(bitmap.Count(m_pBar->m_rectCloseButton, ::GetSysColor(COLOR_BTNTEXT)), 0);

    // Pressed, the close button is sunken: shadow at its top left.
    m_pBar->m_bClosePressed = TRUE;
    DrawGripper(bitmap);
    EXPECT_EQ(UXGetSysData()->clrBtnShadow, bitmap.At(m_pBar->m_rectCloseButton.TopLeft()));
    EXPECT_EQ(UXGetSysData()->clrBtnHilite,
              bitmap.At(m_pBar->m_rectCloseButton.right - 1, m_pBar->m_rectCloseButton.bottom - 1));
    m_pBar->m_bClosePressed = FALSE;
}

TEST_F(PaintTest, TheOffice2003TitleIsAGradientWithAGripOfDots)
{
    LookScope look(1);
    kvtest::MemoryBitmap bitmap(200, 150);
    DrawGripper(bitmap);
    // From the first colour at the title's top to the second at its bottom.
    EXPECT_TRUE(Near(UXGetO2K3Color(0), bitmap.At(60, 1)));
    EXPECT_TRUE(Near(UXGetO2K3Color(1), bitmap.At(60, 17)));
    // Dots at x 1, every 4 pixels from y 4: black with a light shadow.
    EXPECT_EQ(RGB(0, 0, 0), bitmap.At(1, 4));
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), bitmap.At(3, 6));
    EXPECT_EQ(RGB(0, 0, 0), bitmap.At(1, 8));
    EXPECT_NE(RGB(0, 0, 0), bitmap.At(1, 12)); // no room for a third
    // The buttons let the gradient show through.
    const CRect& close = m_pBar->m_rectCloseButton;
    EXPECT_EQ(0, bitmap.Count(close, ::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(PaintTest, AnUnpinnedBarDrawsItsTitleAcrossTheTopWithThePinAfterTheButtons)
{
    m_pBar->SetAutoHideMode(TRUE);
    m_pBar->SetPinned(FALSE);
    Layout();
    ASSERT_TRUE(m_pBar->IsFloating());
    kvtest::MemoryBitmap bitmap(200, 150);
    DrawGripper(bitmap);
    EXPECT_EQ(CRect(185, 3, 196, 14), m_pBar->m_rectCloseButton);
    ASSERT_FALSE(m_pBar->m_rectPinButton.IsRectEmpty());
    EXPECT_LT(m_pBar->m_rectPinButton.right, m_pBar->m_rectExpandButton.left);
    // The close glyph of an unpinned bar is grey.
    EXPECT_GT(bitmap.Count(m_pBar->m_rectCloseButton, ::GetSysColor(COLOR_GRAYTEXT)), 0);
    // The same bar floating by itself shows no gripper.
    m_pBar->SetPinned(TRUE);
    m_pFrame->FloatControlBar(m_pBar, CPoint(200, 200), CBRS_ALIGN_TOP);
    Layout();
    ASSERT_TRUE(m_pBar->IsFloating());
    DrawGripper(bitmap);
    EXPECT_EQ(bitmap.Count(CRect(0, 0, 200, 150), kBackground), 200 * 150);
}
