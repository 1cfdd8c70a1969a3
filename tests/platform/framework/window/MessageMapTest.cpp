// Message maps: each kind of entry reaches the right handler with the
// message's parameters unpacked, derived maps come first, control
// notifications and reflection, and exceptions thrown by handlers.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>
#include <cstdarg>

using wndtest::TestApp;

namespace {

UINT g_nRegisteredMsg = ::RegisterWindowMessageA("KelvaronWindowTest.Registered");

const UINT ID_CMD_A = 100;
const UINT ID_RANGE_FIRST = 200, ID_RANGE_LAST = 210;
const UINT ID_CMD_EX = 300;
const UINT ID_BUTTON = 7, ID_EDIT = 8, ID_STATIC = 9;

class CRecorderWnd : public CWnd
{
public:
    std::vector<std::string> log;

    void Add(const char* format, ...)
    {
        char buffer[256];
        va_list args;
        va_start(args, format);
        vsnprintf(buffer, sizeof(buffer), format, args);
        va_end(args);
        log.push_back(buffer);
    }

    BOOL CreatePopup(LPCTSTR lpszTitle = "recorder")
    {
        return CreateEx(0, AfxRegisterWndClass(0), lpszTitle, WS_POPUP, 0, 0, 300, 200, nullptr, nullptr);
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        Add("create %s", lpcs->lpszName);
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Add("size %u %d %d", nType, cx, cy); }
    afx_msg void OnMove(int x, int y) { Add("move %d %d", x, y); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt) { Add("lbuttondown %u %d %d", nFlags, pt.x, pt.y); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Add("keydown %u %u %u", nChar, nRepCnt, nFlags); }
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
    {
        Add("wheel %u %d %d %d", nFlags, zDelta, pt.x, pt.y);
        return TRUE;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Add("timer %u", (unsigned)nIDEvent); }
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pt)
    {
        Add("contextmenu %s %d %d", pWnd == this ? "self" : "other", pt.x, pt.y);
    }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Add("showwindow %d %u", bShow, nStatus); }
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
    {
        Add("menuchar %c %u %d", (char)nChar, nFlags, pMenu ? (int)pMenu->GetMenuItemCount() : -1);
        return MAKELRESULT(2, MNC_EXECUTE);
    }
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint pt) { Add("ncmbuttonup %u %d %d", nHitTest, pt.x, pt.y); }
    afx_msg LRESULT OnUserMessage(WPARAM wParam, LPARAM lParam)
    {
        Add("user %d %d", (int)wParam, (int)lParam);
        return 42;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam)
    {
        Add("registered %d %d", (int)wParam, (int)lParam);
        return 7;
    }
    afx_msg void OnCommandA() { Add("command A"); }
    afx_msg void OnCommandRange(UINT nID) { Add("range %u", nID); }
    afx_msg BOOL OnCommandEx(UINT nID)
    {
        Add("ex %u", nID);
        return TRUE;
    }
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Add("notify %u %d", (UINT)pNMHDR->idFrom, (int)pNMHDR->code);
        *pResult = 5;
    }
    afx_msg void OnClickRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
    {
        Add("clickrange %u %d", nID, (int)pNMHDR->code);
        *pResult = 6;
    }
    afx_msg void OnButtonClicked() { Add("clicked"); }
    afx_msg void OnEditChange() { Add("parent sees change"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecorderWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_CONTEXTMENU()
    ON_WM_SHOWWINDOW()
    ON_WM_MENUCHAR()
    ON_WM_NCMBUTTONUP()
    ON_MESSAGE(WM_USER + 5, OnUserMessage)
    ON_REGISTERED_MESSAGE(g_nRegisteredMsg, OnRegistered)
    ON_COMMAND(ID_CMD_A, OnCommandA)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnCommandRange)
    ON_COMMAND_EX(ID_CMD_EX, OnCommandEx)
    ON_NOTIFY(TCN_SELCHANGE, 5, OnTabChange)
    ON_NOTIFY_RANGE(NM_CLICK, 10, 20, OnClickRange)
    ON_BN_CLICKED(ID_BUTTON, OnButtonClicked)
    ON_EN_CHANGE(ID_EDIT, OnEditChange)
END_MESSAGE_MAP()

// Overrides one handler; the rest come from the base map.
class CDerivedRecorder : public CRecorderWnd
{
public:
    afx_msg void OnSize(UINT, int cx, int cy) { Add("derived size %d %d", cx, cy); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedRecorder, CRecorderWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

struct MessageCase
{
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const char* expected;
    LRESULT result; // checked unless -1
};

} // namespace

TEST(MessageMap, WindowMessagesReachTheirHandlersWithUnpackedArguments)
{
    TestApp app;
    CRecorderWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup("made"));
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ("create made", wnd.log.front()); // WM_CREATE reached the object

    // A three-item popup for WM_MENUCHAR, which passes the menu handle in lParam.
    HMENU hPopup = ::CreatePopupMenu();
    for (UINT id = 1; id <= 3; ++id) {
        ::AppendMenuA(hPopup, MF_STRING, id, "item");
    }

    const MessageCase cases[] = {
        { "size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(120, 80), "size 2 120 80", 0 },
        { "move with negative coordinates", WM_MOVE, 0, MAKELPARAM(-20, -30), "move -20 -30", 0 },
        { "mouse with flags and negative point", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7),
          "lbuttondown 5 -5 7", 0 },
        { "key with repeat count and flags", WM_KEYDOWN, VK_DELETE, 0x01530001, "keydown 46 1 339", 0 },
        { "wheel", WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)(short)-120), MAKELPARAM(300, 200),
          "wheel 8 -120 300 200", 1 },
        { "timer", WM_TIMER, 17, 0, "timer 17", 0 },
        { "show", WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "showwindow 1 3", 0 },
        { "menu mnemonic", WM_MENUCHAR, MAKEWPARAM('K', MF_POPUP), (LPARAM)hPopup, "menuchar K 16 3",
          MAKELRESULT(2, MNC_EXECUTE) },
        { "non-client middle button", WM_NCMBUTTONUP, HTCAPTION, MAKELPARAM(-8, 40), "ncmbuttonup 2 -8 40", 0 },
        { "user message", WM_USER + 5, 3, 4, "user 3 4", 42 },
        { "registered message", g_nRegisteredMsg, 1, 2, "registered 1 2", 7 },
        { "menu command", WM_COMMAND, MAKEWPARAM(ID_CMD_A, 0), 0, "command A", -1 },
        { "command range", WM_COMMAND, MAKEWPARAM(205, 0), 0, "range 205", -1 },
        { "accelerator command", WM_COMMAND, MAKEWPARAM(ID_CMD_EX, 1), 0, "ex 300", -1 },
    };
    for (const MessageCase& c : cases) {
        wnd.log.clear();
        LRESULT lResult = wnd.SendMessage(c.message, c.wParam, c.lParam);
        ASSERT_EQ(1u, wnd.log.size()) << c.name;
        EXPECT_EQ(c.expected, wnd.log[0]) << c.name;
        if (c.result != -1) {
            EXPECT_EQ(c.result, lResult) << c.name;
        }
    }

    // The context menu names the window itself (keyboard menu: -1, -1).
    wnd.log.clear();
    wnd.SendMessage(WM_CONTEXTMENU, (WPARAM)wnd.m_hWnd, MAKELPARAM(-1, -1));
    ASSERT_EQ(1u, wnd.log.size());
    EXPECT_EQ("contextmenu self -1 -1", wnd.log[0]);

    // Commands outside the map and unmapped messages get default handling.
    wnd.log.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(ID_RANGE_LAST + 1, 0), 0);
    wnd.SetWindowText("changed by default processing");
    EXPECT_TRUE(wnd.log.empty());
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ("changed by default processing", text);
    wnd.DestroyWindow();
    ::DestroyMenu(hPopup);
}

TEST(MessageMap, NotificationsMatchCodeAndIdOrRange)
{
    TestApp app;
    CRecorderWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, (HMENU)5, nullptr, nullptr);

    struct NotifyCase
    {
        UINT_PTR idFrom;
        UINT code;
        const char* expected; // null: no handler
        LRESULT result;
    } cases[] = {
        { 5, (UINT)TCN_SELCHANGE, "notify 5 -551", 5 },
        { 6, (UINT)TCN_SELCHANGE, nullptr, 0 },       // other id
        { 5, (UINT)TCN_SELCHANGING, nullptr, 0 },     // other code
        { 10, (UINT)NM_CLICK, "clickrange 10 -2", 6 }, // range ends
        { 20, (UINT)NM_CLICK, "clickrange 20 -2", 6 },
        { 21, (UINT)NM_CLICK, nullptr, 0 },
    };
    for (const NotifyCase& c : cases) {
        wnd.log.clear();
        NMHDR hdr = { hChild, c.idFrom, c.code };
        LRESULT lResult = wnd.SendMessage(WM_NOTIFY, c.idFrom, (LPARAM)&hdr);
        if (c.expected == nullptr) {
            EXPECT_TRUE(wnd.log.empty()) << c.idFrom << " " << (int)c.code;
            continue;
        }
        ASSERT_EQ(1u, wnd.log.size());
        EXPECT_EQ(c.expected, wnd.log[0]);
        EXPECT_EQ(c.result, lResult);
    }
    wnd.DestroyWindow();
}

TEST(MessageMap, DerivedMapIsSearchedBeforeTheBaseMap)
{
    TestApp app;
    CDerivedRecorder wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    wnd.log.clear();
    wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(40, 50));
    wnd.SendMessage(WM_USER + 5, 1, 2);
    ASSERT_EQ(2u, wnd.log.size());
    EXPECT_EQ("derived size 40 50", wnd.log[0]);
    EXPECT_EQ("user 1 2", wnd.log[1]);
    wnd.DestroyWindow();
}

namespace {

// A child edit that handles its own change notice (reflection). With
// bPassOn its handler lets the parent see the notice too.
class CReflectingEdit : public CWnd
{
public:
    explicit CReflectingEdit(CRecorderWnd* pLog) : m_pLog(pLog) {}
    BOOL m_bPassOn = FALSE;
    CRecorderWnd* m_pLog;

    afx_msg BOOL OnReflectedChange()
    {
        m_pLog->Add("edit sees change");
        return !m_bPassOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingEdit, CWnd)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnReflectedChange)
END_MESSAGE_MAP()

class CColourStatic : public CWnd
{
public:
    HBRUSH m_hBrush = (HBRUSH)::GetStockObject(GRAY_BRUSH);
    UINT m_nCtlType = 99;
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_nCtlType = nCtlColor;
        return m_hBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, ControlNotificationsReachTheParentOrTheReflectingChild)
{
    TestApp app;
    CRecorderWnd parent;
    ASSERT_TRUE(parent.CreatePopup());
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                                     parent.m_hWnd, (HMENU)(UINT_PTR)ID_BUTTON, nullptr, nullptr);
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, parent.m_hWnd,
                                   (HMENU)(UINT_PTR)ID_EDIT, nullptr, nullptr);
    ASSERT_TRUE(hButton && hEdit);

    // A real button click, a real edit change: the parent's map.
    parent.log.clear();
    ::SendMessage(hButton, BM_CLICK, 0, 0);
    ::SetWindowTextA(hEdit, "abc");
    ASSERT_EQ(2u, parent.log.size());
    EXPECT_EQ("clicked", parent.log[0]);
    EXPECT_EQ("parent sees change", parent.log[1]);

    // Once the edit reflects the notice, the parent no longer gets it...
    CReflectingEdit edit(&parent);
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    parent.log.clear();
    ::SetWindowTextA(hEdit, "abcd");
    ASSERT_EQ(1u, parent.log.size());
    EXPECT_EQ("edit sees change", parent.log[0]);

    // ...unless the reflecting handler passes it on.
    edit.m_bPassOn = TRUE;
    parent.log.clear();
    ::SetWindowTextA(hEdit, "abcde");
    ASSERT_EQ(2u, parent.log.size());
    EXPECT_EQ("edit sees change", parent.log[0]);
    EXPECT_EQ("parent sees change", parent.log[1]);
    edit.UnsubclassWindow();

    // A colour question is answered by the control that reflects it.
    HWND hStatic = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 0, 60, 50, 20, parent.m_hWnd,
                                     (HMENU)(UINT_PTR)ID_STATIC, nullptr, nullptr);
    CColourStatic colour;
    ASSERT_TRUE(colour.SubclassWindow(hStatic));
    HDC hDC = ::GetDC(parent.m_hWnd);
    LRESULT lBrush = parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hStatic);
    ::ReleaseDC(parent.m_hWnd, hDC);
    EXPECT_EQ((LRESULT)colour.m_hBrush, lBrush);
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, colour.m_nCtlType);
    colour.UnsubclassWindow();
    parent.DestroyWindow();
}

namespace {

class CThrowingWnd : public CWnd
{
public:
    explicit CThrowingWnd(bool bUserException) : m_bUserException(bUserException) {}
    bool m_bUserException;
    int m_nPostNcDestroy = 0;

    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        if (m_bUserException)
            AfxThrowUserException();
        AfxThrowResourceException();
    }
    void PostNcDestroy() override { m_nPostNcDestroy++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, ExceptionInHandlerFailsTheMessageAndTellsTheUserOnce)
{
    for (bool bUser : { false, true }) {
        TestApp app;
        CThrowingWnd wnd(bUser);
        EXPECT_FALSE(wnd.CreateEx(0, AfxRegisterWndClass(0), "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
        EXPECT_EQ(1, wnd.m_nPostNcDestroy);
        // A user exception was reported where it was raised: no second box.
        EXPECT_EQ(bUser ? 0u : 1u, app.messages.size()) << (bUser ? "user" : "resource");
    }
}
