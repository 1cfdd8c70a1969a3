// The toolkit's status bar and dialog bar in a frame: the panes' texts,
// widths and layout, what reaches the status control and when, the window
// text of the message pane, the command-update of panes; the dialog bar's
// sizes, visibility and record.
#include <gtest/gtest.h>
#include "frame/dockstate/OZWDockState.h"
#include "frame/stdbars/OZWDialogBar.h"
#include "frame/stdbars/OZWStatusBar.h"
#include "tests/frame/stdbars/StdBarsTestRes.h"
#include "tests/support/TestSupport.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

class CStdBarsTestApp : public CWinApp
{
public:
    CStdBarsTestApp() : CWinApp("Standard Bars Test") {}
};
CStdBarsTestApp theApp;

const UINT kDisabledPaneID = IDS_STDBARS_PANE;
const UINT kEditCommand = IDC_STDBARS_EDIT;

// A frame whose command-update handlers disable one pane and the dialog
// bar's edit box, and set the text of the Caps Lock pane.
class CHostFrame : public CFrameWnd
{
public:
    BOOL m_bEnable = FALSE;
    afx_msg void OnUpdatePane(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    afx_msg void OnUpdateCaps(CCmdUI* pCmdUI)
    {
        pCmdUI->SetText("Caps!");
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnUpdateEdit(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHostFrame, CFrameWnd)
    ON_UPDATE_COMMAND_UI(kDisabledPaneID, OnUpdatePane)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateCaps)
    ON_UPDATE_COMMAND_UI(kEditCommand, OnUpdateEdit)
END_MESSAGE_MAP()

// A status bar that counts the texts sent to its control.
class CCountingStatusBar : public OZWStatusBar
{
public:
    int m_nSetText = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SB_SETTEXTA)
            ++m_nSetText;
        return OZWStatusBar::WindowProc(message, wParam, lParam);
    }
    using OZWStatusBar::GetPaneCount;
};

class StdBarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHostFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Standard Bars Test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        theApp.m_pMainWnd = m_pFrame;
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        kvtest::PumpMessages();
        theApp.m_pMainWnd = nullptr;
    }

    // The status bar with a message pane, the Caps Lock indicator, a pane
    // of a string and one of an id without a string.
    void MakeStatusBar()
    {
        ASSERT_TRUE(m_status.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP));
        const UINT ids[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, kDisabledPaneID, IDS_STDBARS_MISSING };
        ASSERT_TRUE(m_status.SetIndicators(ids, 4));
        m_pFrame->RecalcLayout();
    }
    // The text the status control shows in a pane.
    std::string Shown(int nPane)
    {
        char text[256] = {};
        m_status.SendMessage(SB_GETTEXTA, (WPARAM)nPane, (LPARAM)text);
        return text;
    }
    std::vector<int> Edges()
    {
        std::vector<int> edges(8, 0);
        const int n = (int)m_status.SendMessage(SB_GETPARTS, edges.size(), (LPARAM)edges.data());
        edges.resize((size_t)n);
        return edges;
    }
    // The width of a text in the status control's font.
    int TextWidth(const char* text)
    {
        CClientDC dc(&m_status);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, (HFONT)m_status.SendMessage(WM_GETFONT));
        SIZE size = {};
        ::GetTextExtentPoint32A(dc.m_hDC, text, (int)strlen(text), &size);
        ::SelectObject(dc.m_hDC, hOld);
        return size.cx;
    }

    CHostFrame* m_pFrame = nullptr;
    CCountingStatusBar m_status;
};

} // namespace

// Each indicator takes its string as text and its width; one without a
// string shows two blanks; the message pane takes what the others leave,
// also when the frame grows, and lies along the frame's bottom.
TEST_F(StdBarsTest, TheIndicatorsTakeTheirTextsAndTheMessagePaneTheRest)
{
    MakeStatusBar();
    EXPECT_EQ(4, m_status.GetPaneCount());
    EXPECT_EQ("CAP", std::string(m_status.GetPaneText(1)));
    EXPECT_EQ("OVR", std::string(m_status.GetPaneText(2)));
    EXPECT_EQ("  ", std::string(m_status.GetPaneText(3)));
    UINT nID = 0, nStyle = 0;
    int cx = 0;
    m_status.GetPaneInfo(3, nID, nStyle, cx);
    EXPECT_EQ((UINT)IDS_STDBARS_MISSING, nID);
    EXPECT_EQ(TextWidth("  "), cx);
    m_status.GetPaneInfo(0, nID, nStyle, cx);
    EXPECT_EQ((UINT)(SBT_NOBORDERS | 0x08000000), nStyle);
    EXPECT_EQ(2, m_status.CommandToIndex(kDisabledPaneID));
    EXPECT_EQ(-1, m_status.CommandToIndex(12345));
    EXPECT_EQ("OVR", Shown(2));

    CRect rcBar, rcClient;
    m_status.GetWindowRect(&rcBar);
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(rcClient.bottom, rcBar.bottom);
    EXPECT_EQ(rcClient.Width(), rcBar.Width());
    EXPECT_EQ(m_status.CalcFixedLayout(FALSE, TRUE).cy, rcBar.Height());

    const std::vector<int> before = Edges();
    ASSERT_EQ(4u, before.size());
    m_pFrame->SetWindowPos(nullptr, 0, 0, 740, 480, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    const std::vector<int> after = Edges();
    ASSERT_EQ(4u, after.size());
    EXPECT_EQ(before[0] + 100, after[0]);
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(before[i] - before[i - 1], after[i] - after[i - 1]) << i;
}

// A text reaches the control once; the same text again sends nothing; a
// text kept back reaches it at the next update of the panes; the window
// text is the message pane's.
TEST_F(StdBarsTest, TextsReachTheControlOnceAndWhenDue)
{
    MakeStatusBar();
    m_status.m_nSetText = 0;
    EXPECT_TRUE(m_status.SetPaneText(0, "Copying"));
    EXPECT_TRUE(m_status.SetPaneText(0, "Copying"));
    EXPECT_EQ(1, m_status.m_nSetText);
    EXPECT_EQ("Copying", Shown(0));

    EXPECT_TRUE(m_status.SetPaneText(0, "Later", FALSE));
    EXPECT_EQ("Copying", Shown(0));
    m_status.UpdateAllPanes(FALSE, TRUE);
    EXPECT_EQ("Later", Shown(0));
    EXPECT_FALSE(m_status.SetPaneText(7, "none"));

    m_status.SetWindowText("Ready");
    EXPECT_EQ("Ready", Shown(0));
    CString strText;
    m_status.GetWindowText(strText);
    EXPECT_EQ("Ready", std::string(strText));
    EXPECT_EQ(5, m_status.GetWindowTextLength());
    // A buffer of one character gets the terminator alone.
    char one[1] = { 'x' };
    EXPECT_EQ(0, (int)m_status.SendMessage(WM_GETTEXT, 1, (LPARAM)one));
    EXPECT_EQ('\0', one[0]);
    char three[3] = {};
    EXPECT_EQ(2, (int)m_status.SendMessage(WM_GETTEXT, 3, (LPARAM)three));
    EXPECT_EQ("Re", std::string(three));
}

// The frame's command-update handlers reach the panes: a disabled pane
// shows no text and keeps it for when it is enabled again; a pane's text
// and its checked (pop-out) look are set.
TEST_F(StdBarsTest, CommandUpdateEnablesChecksAndSetsPanes)
{
    MakeStatusBar();
    m_pFrame->m_bEnable = FALSE;
    m_status.OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_NE(0u, m_status.GetPaneStyle(2) & 0x04000000);
    EXPECT_EQ("", Shown(2));
    EXPECT_EQ("OVR", std::string(m_status.GetPaneText(2)));
    EXPECT_EQ("Caps!", Shown(1));
    EXPECT_NE(0u, m_status.GetPaneStyle(1) & SBT_POPOUT);

    m_pFrame->m_bEnable = TRUE;
    m_status.OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_EQ(0u, m_status.GetPaneStyle(2) & 0x04000000);
    EXPECT_EQ("OVR", Shown(2));
}

// A minimum height set on the control holds for the bar's height.
TEST_F(StdBarsTest, TheMinimumHeightHolds)
{
    MakeStatusBar();
    const CSize size = m_status.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(32767, size.cx);
    EXPECT_EQ(CSize(0, 0), m_status.CalcFixedLayout(FALSE, FALSE));
    m_status.SendMessage(SB_SETMINHEIGHT, (WPARAM)(size.cy + 20));
    EXPECT_EQ(size.cy + 20, m_status.CalcFixedLayout(FALSE, TRUE).cy);
}

// The dialog bar: the template's controls are its children; its three
// remembered sizes start as the template's size; without WS_VISIBLE it is
// hidden at the origin; its record names the template; the template's
// controls follow the frame's command-update handlers.
TEST_F(StdBarsTest, TheDialogBarIsMadeFromItsTemplate)
{
    struct Case
    {
        const char* what;
        UINT nStyle;
        bool visible;
    } cases[] = {
        { "shown", WS_VISIBLE | CBRS_ALIGN_RIGHT | CBRS_SIZE_DYNAMIC, true },
        { "hidden", CBRS_ALIGN_RIGHT | CBRS_SIZE_DYNAMIC, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OZWDialogBar bar;
        ASSERT_TRUE(bar.Create(m_pFrame, IDD_STDBARS_DIALOGBAR, c.nStyle, 0x10F31, 300));
        EXPECT_EQ(300, bar.GetDlgCtrlID());
        EXPECT_EQ(c.visible, bar.IsWindowVisible() != FALSE);
        EXPECT_EQ(0u, bar.GetStyle() & WS_CAPTION);
        EXPECT_NE(0u, bar.GetStyle() & WS_CLIPSIBLINGS);
        EXPECT_EQ((DWORD)0x10F31, bar.GetExBarStyle());
        CRect rect;
        bar.GetWindowRect(&rect);
        m_pFrame->ScreenToClient(&rect);
        EXPECT_EQ(CPoint(0, 0), rect.TopLeft());
        EXPECT_EQ(rect.Size(), bar.m_sizeTemplate);
        EXPECT_LT(0, rect.Width());
        EXPECT_EQ(bar.m_sizeTemplate, bar.m_szFloat);
        EXPECT_EQ(bar.m_sizeTemplate, bar.m_szHorzDock);
        EXPECT_EQ(bar.m_sizeTemplate, bar.m_szVertDock);
        CWnd* pEdit = bar.GetDlgItem(IDC_STDBARS_EDIT);
        ASSERT_NE(nullptr, pEdit);

        OZWControlBarInfo info;
        bar.GetBarInfo(&info);
        EXPECT_EQ((UINT)IDD_STDBARS_DIALOGBAR, info.m_nResourceID);

        m_pFrame->m_bEnable = FALSE;
        bar.OnUpdateCmdUI(m_pFrame, FALSE);
        EXPECT_FALSE(pEdit->IsWindowEnabled());
        m_pFrame->m_bEnable = TRUE;
        bar.OnUpdateCmdUI(m_pFrame, FALSE);
        EXPECT_TRUE(pEdit->IsWindowEnabled());
    }
}
