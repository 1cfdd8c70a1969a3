// The dockable frame: its title with the window number, its activation
// as the main frame's document frame with its menu, which frame takes the
// activation when it goes, its non-client presses and double clicks handed
// to the bar or mini frame that holds it, its message filters, and its
// window styles; the menu bar and plug-in of its frame base seeing its
// messages and commands first, and its own caption.
#include <gtest/gtest.h>
#include "frame/bars/OZWControlBar.h"
#include "frame/mdi/OZWFrameMenuBar.h"
#include "frame/mdi/OZWMDIChildWnd.h"
#include "frame/mdi/OZWMDIFrameWnd.h"
#include "frame/support/OZWWndPlugIn.h"
#include "frame/workbook/OZWDockableFrame.h"
#include "platform/theme/ThemeLib.h"
#include "tests/frame/workbook/WorkbookTestApp.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {
std::vector<UINT> g_filtered; // messages the stand-in filter saw
UINT g_consume = 0;           // a message it consumes
} // namespace

// Stands in for the caption's right-double-click filter (found by its name).
class ScxCaptionNCRDBLClkFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    OZWMsgFilter* Clone() const override { return new ScxCaptionNCRDBLClkFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM, LPARAM, LRESULT* pResult) override
    {
        g_filtered.push_back(message);
        if (message == OZWGetSysCommandExMessage() && pResult != nullptr)
            *pResult = 42;
        return message == g_consume ? (UINT)Consumed : 0;
    }
};
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, OZWMsgFilter)

namespace {

const DWORD kDockedStyle = 0x40C88000 | WS_VISIBLE; // child, caption, system menu, add to title

// A dock context that records what it is asked to do.
class CRecordingContext : public CDockContext
{
public:
    using CDockContext::CDockContext;
    void StartDrag(CPoint pt) override
    {
        ++drags;
        lastPoint = pt;
    }
    void ToggleDocking() override { ++toggles; }
    int drags = 0;
    int toggles = 0;
    CPoint lastPoint;
};

// The bar a dockable frame lives in.
class CHostBar : public CControlBar
{
public:
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(240, 140); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    CRecordingContext* Context() { return static_cast<CRecordingContext*>(m_pDockContext); }

protected:
    void PostNcDestroy() override { delete this; }
};

// A dockable frame that records the non-client messages reaching its
// default handling (and runs none of them: no modal loops in a test).
class CTestDockable : public OZWDockableFrame
{
public:
    std::vector<std::pair<UINT, WPARAM>> defaults;
    int captionsDrawn = 0;
    BOOL themed = FALSE;
    bool DefaultRan(UINT message, WPARAM wParam) const
    {
        return std::find(defaults.begin(), defaults.end(), std::make_pair(message, wParam)) != defaults.end();
    }
    // The frame owns the plug-in from now on.
    void Install(dedaride::foundation::OZWWndPlugIn* pPlugIn)
    {
        m_pPlugIn = pPlugIn;
        m_pPlugIn->PlugInTo(this);
    }
    BOOL IsVisualThemeActive() const override { return themed; }
    void DrawCaption() override
    {
        ++captionsDrawn;
        OZWDockableFrame::DrawCaption();
    }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDBLCLK:
            defaults.emplace_back(message, wParam);
            return 0;
        default:
            return OZWDockableFrame::DefWindowProc(message, wParam, lParam);
        }
    }
};

// A menu bar without a window of its own: it records the messages and
// commands its frame hands it and takes what the test says.
class CTestMenuBar : public CObject, public IOZWFrameMenuBar
{
    DECLARE_DYNCREATE(CTestMenuBar)
public:
    void InitMenuBar(int, int, DWORD, DWORD_PTR) override {}
    BOOL AttachToFrame(CFrameWnd*) override { return TRUE; }
    CControlBar* GetMenuBarWindow() override { return nullptr; }
    BOOL IsMenuBarActive() const override { return active; }
    BOOL OnFrameMessage(UINT message, WPARAM, LPARAM, LRESULT* pResult) override
    {
        if (message != consume)
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    BOOL OnFrameCommand(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO*) override
    {
        if (nCode != CN_COMMAND || nID != takeCommand)
            return FALSE;
        ++commands;
        m_bCommandTaken = TRUE;
        return TRUE;
    }
    BOOL active = FALSE;
    UINT consume = 0;
    UINT takeCommand = 0;
    int commands = 0;
};
IMPLEMENT_DYNCREATE(CTestMenuBar, CObject)

// A plug-in that takes one key.
class CKeyPlugIn : public dedaride::foundation::OZWWndPlugIn
{
public:
    BOOL PreTranslateHostMessage(MSG* pMsg) override
    {
        return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5;
    }
};

// The main frame, with a record of the commands that reach it.
class CCommandFrame : public OZWMDIFrameWnd
{
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(LOWORD(wParam));
        return OZWMDIFrameWnd::OnCommand(wParam, lParam);
    }
};

class DockableFrameTest : public wbtest::MainFrameTest<CCommandFrame>
{
protected:
    UINT m_nNextBarID = 0xE900;

    void SetUp() override
    {
        g_filtered.clear();
        g_consume = 0;
        wbtest::Template();
        MakeFrame(900, 700);
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }
    // A dockable frame in a bar docked at the top; with a document titled
    // lpszTitle when one is given.
    CTestDockable* NewDocked(LPCSTR lpszTitle = nullptr, DWORD dwStyle = kDockedStyle)
    {
        auto* pBar = new CHostBar;
        pBar->m_dwStyle = CBRS_TOP;
        EXPECT_TRUE(pBar->CWnd::Create(nullptr, "Host", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_pFrame,
                                       m_nNextBarID++));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        delete pBar->m_pDockContext;
        pBar->m_pDockContext = new CRecordingContext(pBar);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);

        return LoadInto(pBar, lpszTitle, dwStyle);
    }
    // A dockable frame in the bar, with a document titled lpszTitle when one
    // is given.
    CTestDockable* LoadInto(CControlBar* pBar, LPCSTR lpszTitle = nullptr, DWORD dwStyle = kDockedStyle)
    {
        CCreateContext context;
        CDockTestDoc* pDoc = nullptr;
        if (lpszTitle != nullptr) {
            pDoc = new CDockTestDoc;
            wbtest::Template()->AddDocument(pDoc);
            pDoc->SetTitle(lpszTitle);
            context.m_pCurrentDoc = pDoc;
            context.m_pNewViewClass = RUNTIME_CLASS(CDockTestView);
            context.m_pNewDocTemplate = wbtest::Template();
        }
        auto* pFrame = new CTestDockable;
        EXPECT_TRUE(pFrame->LoadFrame(IDR_DF_FRAME, dwStyle, pBar, &context));
        if (pDoc != nullptr)
            pFrame->InitialUpdateFrame(pDoc, TRUE);
        m_pFrame->RecalcLayout();
        kvtest::PumpMessages();
        return pFrame;
    }
    static CHostBar* BarOf(CWnd* pFrame) { return static_cast<CHostBar*>(pFrame->GetParent()); }
    OZWMDIChildWnd* NewChild()
    {
        auto* pChild = new OZWMDIChildWnd;
        EXPECT_TRUE(pChild->LoadFrame(IDR_WB_PLAIN, WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_pFrame));
        kvtest::PumpMessages();
        return pChild;
    }
    void Float(CWnd* pFrame)
    {
        m_pFrame->FloatControlBar(BarOf(pFrame), CPoint(300, 300));
        kvtest::PumpMessages();
    }
};

} // namespace

TEST_F(DockableFrameTest, TheTitleCarriesTheWindowNumber)
{
    struct Case
    {
        DWORD style;
        int nWindow;
        const char* expected;
    } cases[] = {
        {kDockedStyle, 2, "Pipes:2"},
        {kDockedStyle, 0, "Pipes"},
        {kDockedStyle, -1, "Pipes"},
        {kDockedStyle & ~(DWORD)FWS_ADDTOTITLE, 2, "Before"},
    };
    for (const Case& c : cases) {
        CTestDockable* pFrame = NewDocked("Pipes", c.style);
        pFrame->SetWindowText("Before");
        pFrame->m_nWindow = c.nWindow;
        pFrame->OnUpdateFrameTitle(TRUE);
        CString strText;
        pFrame->GetWindowText(strText);
        EXPECT_STREQ(strText, c.expected) << c.nWindow;
        pFrame->DestroyWindow();
        kvtest::PumpMessages();
    }
}

TEST_F(DockableFrameTest, AClickMakesItTheMainFramesDocumentFrame)
{
    OZWMDIChildWnd* pChild = NewChild();
    CTestDockable* pFrame = NewDocked("Pipes");
    ASSERT_EQ(pFrame->m_hMenuShared, wbtest::Template()->m_hMenuShared);
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pChild);

    pFrame->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), pFrame);
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pFrame);
    EXPECT_EQ(::GetMenu(m_hWnd), wbtest::Template()->m_hMenuShared);
    // Commands go to it before the MDI child.
    EXPECT_EQ(m_pFrame->GetActiveDocument(), nullptr);
    EXPECT_STREQ(m_pFrame->GetActiveFrame()->GetActiveDocument()->GetTitle(), "Pipes");

    // A click into the MDI child takes the activation back.
    pChild->SendMessage(WM_MOUSEACTIVATE, (WPARAM)m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), nullptr);
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pChild);

    // Inactive and no other window coming: the main frame's own menu.
    pFrame->OnUpdateFrameMenu(FALSE, nullptr, nullptr);
    EXPECT_EQ(::GetMenu(m_hWnd), m_pFrame->m_hMenuDefault);
}

TEST_F(DockableFrameTest, WhenTheActiveFrameGoesAnotherTakesItsPlace)
{
    // Another visible dockable frame with a view takes the activation.
    CTestDockable* pOther = NewDocked("Other");
    CTestDockable* pFrame = NewDocked("Pipes");
    m_pFrame->ActivateDockedFrame(pFrame, FALSE);
    pFrame->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), pOther);

    // A hidden one does not.
    CTestDockable* pThird = NewDocked("Third");
    m_pFrame->ActivateDockedFrame(pThird, FALSE);
    m_pFrame->ShowControlBar(BarOf(pOther), FALSE, FALSE);
    pThird->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), nullptr);

    // A visible MDI child wins over the other dockable frame.
    m_pFrame->ShowControlBar(BarOf(pOther), TRUE, FALSE);
    OZWMDIChildWnd* pChild = NewChild();
    CTestDockable* pFourth = NewDocked("Fourth");
    m_pFrame->ActivateDockedFrame(pFourth, FALSE);
    pFourth->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), nullptr);
    EXPECT_EQ(m_pFrame->GetActiveFrame(), pChild);
}

TEST_F(DockableFrameTest, DestroyingTheFrameDestroysItsBar)
{
    CTestDockable* pFrame = NewDocked();
    const HWND hBar = BarOf(pFrame)->m_hWnd;
    pFrame->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_FALSE(::IsWindow(hBar));
    EXPECT_EQ(m_pFrame->GetControlBar(m_nNextBarID - 1), nullptr);
}

TEST_F(DockableFrameTest, CaptionPressesMoveTheBarThatHoldsIt)
{
    CTestDockable* pFrame = NewDocked();
    CRecordingContext* pContext = BarOf(pFrame)->Context();
    const LPARAM point = MAKELPARAM(50, 60);
    struct Case
    {
        bool floating;
        UINT hit;
        int drags;       // drags started by this press
        bool byDefault;  // the frame's default handling ran
    } cases[] = {
        {false, HTCAPTION, 1, false},
        {false, HTBOTTOMRIGHT, 1, false},
        {false, HTBORDER, 1, false},
        {false, HTNOWHERE, 0, true},
        // Floating: the mini frame handles the press (its caption drags).
        {true, HTCAPTION, 1, false},
        {true, HTNOWHERE, 0, false},
        // Its own close box stays its own.
        {true, HTCLOSE, 0, true},
    };
    for (const Case& c : cases) {
        if (c.floating && !pFrame->IsFloating())
            Float(pFrame);
        ASSERT_EQ(pFrame->IsFloating(), (BOOL)c.floating);
        pFrame->defaults.clear();
        const int drags = pContext->drags;
        pFrame->SendMessage(WM_NCLBUTTONDOWN, c.hit, point);
        EXPECT_EQ(pContext->drags - drags, c.drags) << c.floating << " " << c.hit;
        EXPECT_EQ(pFrame->DefaultRan(WM_NCLBUTTONDOWN, c.hit), c.byDefault) << c.floating << " " << c.hit;
        if (c.drags != 0) {
            EXPECT_EQ(pContext->lastPoint, CPoint(50, 60));
        }
        // The press activates the frame in the main frame.
        EXPECT_EQ(m_pFrame->GetActiveDockedChild(), pFrame);
    }
}

TEST_F(DockableFrameTest, ACaptionDoubleClickTogglesDocking)
{
    CTestDockable* pFrame = NewDocked();
    CRecordingContext* pContext = BarOf(pFrame)->Context();
    for (bool floating : {false, true}) {
        if (floating)
            Float(pFrame);
        const int toggles = pContext->toggles;
        pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(50, 60));
        EXPECT_EQ(pContext->toggles - toggles, 1) << floating;
        EXPECT_FALSE(pFrame->DefaultRan(WM_NCLBUTTONDBLCLK, HTCAPTION));
        pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTSYSMENU, MAKELPARAM(50, 60));
        EXPECT_EQ(pContext->toggles - toggles, 1) << floating;
        EXPECT_TRUE(pFrame->DefaultRan(WM_NCLBUTTONDBLCLK, HTSYSMENU));
    }
}

TEST_F(DockableFrameTest, TheFiltersFollowTheOptionBits)
{
    CTestDockable* pFrame = NewDocked();
    OZWMsgFilter* pRoot = pFrame->GetMsgFilter();
    struct Case
    {
        DWORD flags;
        bool active;
    } cases[] = {{0x1, true}, {0x1 | 0x4, false}, {0x0, false}, {0x1 | 0x2 | 0x8, true}};
    for (const Case& c : cases) {
        pFrame->EnableSysCommandEx(c.flags);
        OZWMsgFilter* pFilter =
            pRoot->FindFilter(OZWDockableFrame::kCaptionNCRDblClk, nullptr, -1);
        const bool active = pFilter != nullptr && pFilter->IsEnabled();
        EXPECT_EQ(active, c.active) << c.flags;
    }

    // Enabled: the filter sees the caption's right double click first and
    // may keep it from the default handling.
    pFrame->EnableSysCommandEx(0x1);
    for (bool consume : {false, true}) {
        g_consume = consume ? WM_NCRBUTTONDBLCLK : 0;
        g_filtered.clear();
        pFrame->defaults.clear();
        pFrame->SendMessage(WM_NCRBUTTONDBLCLK, HTCAPTION, 0);
        EXPECT_EQ(std::count(g_filtered.begin(), g_filtered.end(), (UINT)WM_NCRBUTTONDBLCLK), 1);
        EXPECT_EQ(pFrame->DefaultRan(WM_NCRBUTTONDBLCLK, HTCAPTION), !consume);
    }
    // The extended system command reaches the filters, which give the result.
    EXPECT_EQ(pFrame->SendMessage(OZWGetSysCommandExMessage(), 0, 0), 42);
    // The caption is told of the activation.
    g_filtered.clear();
    pFrame->SendMessage(WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(std::count(g_filtered.begin(), g_filtered.end(), (UINT)WM_NCACTIVATE), 1);
}

TEST_F(DockableFrameTest, ItIsAToolWindowWhenTheThemeSaysSo)
{
    // The flag follows the look (the frame refreshes the shared data when
    // it is made): set in the flat looks, clear in the platform's own.
    OZW_AUX_DATA* pData = UXGetSysData();
    ASSERT_NE(pData, nullptr);
    const int nOldStyle = pData->nStyle;
    for (BOOL bToolWindow : {FALSE, TRUE}) {
        UXSetVisualStyle(bToolWindow ? 1 : 0);
        CTestDockable* pFrame = NewDocked(nullptr, kDockedStyle | FWS_PREFIXTITLE);
        EXPECT_EQ(pData->bToolWindowFloat, bToolWindow);
        EXPECT_EQ((pFrame->GetExStyle() & WS_EX_TOOLWINDOW) != 0, bToolWindow != FALSE);
        EXPECT_EQ(pFrame->GetStyle() & FWS_PREFIXTITLE, 0u);
        pFrame->DestroyWindow();
        kvtest::PumpMessages();
    }
    UXSetVisualStyle(nOldStyle);
}

TEST_F(DockableFrameTest, ItFloatsAndDocksWithTheToolkitBarThatHoldsIt)
{
    auto pBar = std::make_unique<OZWControlBar>();
    ASSERT_TRUE(pBar->Create(m_pFrame, "Docked", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0, 0xE980));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar.get(), AFX_IDW_DOCKBAR_TOP);
    CTestDockable* pFrame = LoadInto(pBar.get(), "Pipes");
    ASSERT_FALSE(pFrame->IsFloating());

    pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(50, 60));
    kvtest::PumpMessages();
    EXPECT_TRUE(pFrame->IsFloating());
    EXPECT_EQ(pFrame->GetParent(), pBar.get());
    EXPECT_TRUE(pBar->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));

    pFrame->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(50, 60));
    kvtest::PumpMessages();
    EXPECT_FALSE(pFrame->IsFloating());
    EXPECT_EQ(::GetDlgCtrlID(::GetParent(pBar->m_hWnd)), (int)AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(pFrame->DefaultRan(WM_NCLBUTTONDBLCLK, HTCAPTION));
    m_pFrame->DestroyWindow();
    kvtest::PumpMessages();
}

TEST_F(DockableFrameTest, WhenTheLastMDIChildGoesADockedFrameTakesOver)
{
    CTestDockable* pFrame = NewDocked("Pipes");
    OZWMDIChildWnd* pChild = NewChild();
    ASSERT_EQ(m_pFrame->GetActiveFrame(), pChild);
    pChild->DestroyWindow();
    kvtest::PumpMessages();
    EXPECT_EQ(m_pFrame->GetActiveDockedChild(), pFrame);
}

TEST_F(DockableFrameTest, ItsKeysActForTheMainFrame)
{
    CTestDockable* pFrame = NewDocked("Pipes");
    ASSERT_NE(wbtest::Template()->m_hAccelTable, nullptr);
    EXPECT_EQ(pFrame->GetDefaultAccelerator(), wbtest::Template()->m_hAccelTable);
    MSG msg = {};
    msg.hwnd = pFrame->GetActiveView()->m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_F5;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(std::count(m_pFrame->commands.begin(), m_pFrame->commands.end(), 100u), 1);
    msg.wParam = VK_F6;
    EXPECT_FALSE(pFrame->PreTranslateMessage(&msg));
}

// The frame's plug-in and menu bar see its messages before anything else: a
// press the menu bar takes moves no bar, a key the plug-in takes is no
// accelerator, and while the menu bar is active the system close is held.
// Commands go to its own menu bar, else to the main frame's.
TEST_F(DockableFrameTest, ItsMenuBarAndPlugInSeeItsMessagesAndCommandsFirst)
{
    CTestDockable* pFrame = NewDocked("Pipes");
    auto* pMenuBar = static_cast<CTestMenuBar*>(pFrame->CreateMenuBarObject(0, 0, RUNTIME_CLASS(CTestMenuBar), 0));
    ASSERT_NE(pMenuBar, nullptr);
    EXPECT_TRUE(pFrame->HasMenuBar());

    pMenuBar->consume = WM_NCLBUTTONDOWN;
    pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(40, 40));
    EXPECT_EQ(BarOf(pFrame)->Context()->drags, 0);
    pMenuBar->consume = 0;
    pFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(40, 40));
    EXPECT_EQ(BarOf(pFrame)->Context()->drags, 1);

    MSG close = {pFrame->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0};
    pMenuBar->active = TRUE;
    EXPECT_TRUE(pFrame->PreTranslateMessage(&close));
    pMenuBar->active = FALSE;
    EXPECT_FALSE(pFrame->PreTranslateMessage(&close));
    EXPECT_TRUE(::IsWindow(pFrame->m_hWnd));

    pFrame->Install(new CKeyPlugIn);
    MSG key = {pFrame->GetActiveView()->m_hWnd, WM_KEYDOWN, VK_F5, 0};
    EXPECT_TRUE(pFrame->PreTranslateMessage(&key));
    EXPECT_EQ(std::count(m_pFrame->commands.begin(), m_pFrame->commands.end(), 100u), 0);

    const UINT kCommand = 43031; // taken by the frames, doing nothing
    pMenuBar->takeCommand = kCommand;
    EXPECT_TRUE(pFrame->OnCmdMsg(kCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(pMenuBar->commands, 1);

    // Without a menu bar of its own the main frame's gets the command.
    CTestDockable* pOther = NewDocked("Valves");
    auto* pMainBar = static_cast<CTestMenuBar*>(m_pFrame->CreateMenuBarObject(0, 0, RUNTIME_CLASS(CTestMenuBar), 0));
    ASSERT_NE(pMainBar, nullptr);
    pMainBar->takeCommand = kCommand;
    EXPECT_TRUE(pOther->OnCmdMsg(kCommand, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(pMainBar->commands, 1);
}

// With the custom caption on, the frame draws its own caption when it is
// painted, gets a new text or is activated, and the filters are still told.
TEST_F(DockableFrameTest, ItDrawsItsOwnCaptionAndTellsTheFilters)
{
    CTestDockable* pFrame = NewDocked("Pipes");
    pFrame->EnableSysCommandEx(0x1);
    pFrame->themed = TRUE;
    EXPECT_FALSE(pFrame->EnableCustomCaption(TRUE));
    pFrame->themed = FALSE;
    ASSERT_TRUE(pFrame->EnableCustomCaption(TRUE));
    kvtest::PumpMessages();
    for (UINT message : {(UINT)WM_NCPAINT, (UINT)WM_NCACTIVATE, (UINT)WM_SETTEXT}) {
        SCOPED_TRACE(message);
        pFrame->captionsDrawn = 0;
        g_filtered.clear();
        if (message == WM_SETTEXT)
            pFrame->SendMessage(WM_SETTEXT, 0, (LPARAM) "Pipes - 2");
        else
            pFrame->SendMessage(message, 1, 0);
        EXPECT_EQ(pFrame->captionsDrawn, 1);
        EXPECT_TRUE(pFrame->IsWindowVisible());
        if (message != WM_SETTEXT)
            EXPECT_EQ(std::count(g_filtered.begin(), g_filtered.end(), message), 1);
    }
    CString strText;
    pFrame->GetWindowText(strText);
    EXPECT_STREQ(strText, "Pipes - 2");

    pFrame->EnableCustomCaption(FALSE);
    pFrame->captionsDrawn = 0;
    g_filtered.clear();
    pFrame->SendMessage(WM_NCPAINT, 1, 0);
    EXPECT_EQ(pFrame->captionsDrawn, 0);
    EXPECT_EQ(std::count(g_filtered.begin(), g_filtered.end(), (UINT)WM_NCPAINT), 1);
}
