// The handle maps: temporary wrappers of windows the framework did not make,
// attaching and subclassing, the end of a window's object, and the layout of
// control bars.
#include "tests/platform/framework/window/WindowTestSupport.h"

#include <gtest/gtest.h>

using wndtest::TestApp;

namespace {

HWND MakeRawWindow(LPCSTR lpszClass, LPCSTR lpszText, HWND hParent = nullptr, UINT nID = 0)
{
    DWORD dwStyle = hParent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
    return ::CreateWindowExA(0, lpszClass, lpszText, dwStyle, 0, 0, 100, 30, hParent,
                             hParent ? (HMENU)(UINT_PTR)nID : nullptr, nullptr, nullptr);
}

class CCharCounter : public CWnd
{
public:
    int m_nChars = 0;
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nChars++;
        CWnd::OnChar(nChar, nRepCnt, nFlags); // the edit still takes the character
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCharCounter, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

} // namespace

TEST(HandleMap, FromHandleWrapsAWindowTheFrameworkDidNotMake)
{
    TestApp app;
    HWND hWnd = MakeRawWindow("STATIC", "made by Win32");
    ASSERT_NE(nullptr, hWnd);

    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pWnd);
    EXPECT_EQ(hWnd, pWnd->m_hWnd);
    EXPECT_EQ(pWnd, CWnd::FromHandle(hWnd)); // one wrapper per handle until idle
    CString text;
    pWnd->GetWindowText(text);
    EXPECT_STREQ("made by Win32", text);
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    // Idle time frees the wrapper, never the window.
    app.OnIdle(1);
    EXPECT_TRUE(::IsWindow(hWnd));
    CWnd* pAgain = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pAgain);
    EXPECT_EQ(hWnd, pAgain->m_hWnd);

    // Attach makes an object the window's own; Detach gives the window back.
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
        EXPECT_EQ(hWnd, wnd.Detach());
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    }
    EXPECT_TRUE(::IsWindow(hWnd)); // a detached object leaves the window alone

    // An object attached to another window is no longer the first one's,
    // as with every kind of handle.
    HWND hOther = MakeRawWindow("STATIC", "another");
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hWnd));
        ASSERT_TRUE(wnd.Attach(hOther));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hOther));
        wnd.Detach();
        CMenu menu;
        HMENU hMenu1 = ::CreatePopupMenu(), hMenu2 = ::CreatePopupMenu();
        ASSERT_TRUE(menu.Attach(hMenu1));
        ASSERT_TRUE(menu.Attach(hMenu2));
        EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMenu1));
        EXPECT_EQ(&menu, CMenu::FromHandlePermanent(hMenu2));
        ::DestroyMenu(hMenu1);
    }
    ::DestroyWindow(hOther);
    ::DestroyWindow(hWnd);
}

TEST(HandleMap, SubclassedWindowKeepsItsOwnBehaviourAndUnsubclassingEndsTheRouting)
{
    TestApp app;
    HWND hEdit = MakeRawWindow("EDIT", "");
    ASSERT_NE(nullptr, hEdit);
    CCharCounter counter;
    ASSERT_TRUE(counter.SubclassWindow(hEdit));
    ::SendMessageA(hEdit, WM_CHAR, 'a', 1);
    ::SendMessageA(hEdit, WM_CHAR, 'b', 1);
    EXPECT_EQ(2, counter.m_nChars);
    EXPECT_EQ(hEdit, counter.UnsubclassWindow());
    ::SendMessageA(hEdit, WM_CHAR, 'c', 1);
    EXPECT_EQ(2, counter.m_nChars);
    char szText[16] = {};
    ::GetWindowTextA(hEdit, szText, sizeof(szText));
    EXPECT_STREQ("abc", szText); // every character reached the edit
    ::DestroyWindow(hEdit);
}

TEST(HandleMap, SubclassDlgItemFindsTheChildByIdAndRefusesAMissingOne)
{
    TestApp app;
    HWND hParent = MakeRawWindow("STATIC", "parent");
    HWND hChild = MakeRawWindow("EDIT", "", hParent, 42);
    CWnd parent;
    ASSERT_TRUE(parent.Attach(hParent));
    CCharCounter child;
    EXPECT_FALSE(child.SubclassDlgItem(43, &parent));
    ASSERT_TRUE(child.SubclassDlgItem(42, &parent));
    EXPECT_EQ(hChild, child.m_hWnd);
    EXPECT_EQ(&child, parent.GetDlgItem(42));
    child.UnsubclassWindow();
    parent.Detach();
    ::DestroyWindow(hParent);
}

namespace {

class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    ~CSelfDeletingWnd() override { (*m_pnDeleted)++; }
    void PostNcDestroy() override { delete this; }
    int* m_pnDeleted;
};

} // namespace

TEST(HandleMap, WindowObjectsEndWithTheirWindows)
{
    TestApp app;
    // An object that deletes itself goes exactly once, when its window goes.
    int nDeleted = 0;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&nDeleted);
    ASSERT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), "self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, nDeleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // A window the object never got (unknown class) still ends the object once.
    nDeleted = 0;
    pWnd = new CSelfDeletingWnd(&nDeleted);
    EXPECT_FALSE(pWnd->CreateEx(0, "NoSuchWindowClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(1, nDeleted);

    // An object that goes first takes its window with it.
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "scoped", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

namespace {

UINT g_nCounted = 0;

class CCountingWnd : public CWnd
{
public:
    afx_msg LRESULT OnCount(WPARAM, LPARAM)
    {
        g_nCounted++;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingWnd, CWnd)
    ON_MESSAGE(WM_USER + 77, OnCount)
END_MESSAGE_MAP()

} // namespace

TEST(HandleMap, SendMessageToDescendantsReachesChildrenDeepOrShallow)
{
    TestApp app;
    CCountingWnd top, child, grandChild;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "child", 0, CRect(0, 0, 50, 50), &top, 1));
    ASSERT_TRUE(grandChild.Create(nullptr, "grandchild", 0, CRect(0, 0, 20, 20), &child, 2));
    // A child without an object, with a framework grandchild under it.
    HWND hRaw = MakeRawWindow("STATIC", "raw", top.m_hWnd, 3);
    CCountingWnd underRaw;
    ASSERT_TRUE(underRaw.Create(nullptr, "under raw", 0, CRect(0, 0, 5, 5), CWnd::FromHandle(hRaw), 4));

    struct Case
    {
        BOOL bDeep, bOnlyPerm;
        UINT nExpected;
    } cases[] = {
        { FALSE, FALSE, 1 }, // child (the raw window ignores the message)
        { TRUE, FALSE, 3 },  // child, grandchild, the one under the raw window
        { TRUE, TRUE, 3 },
    };
    for (const Case& c : cases) {
        g_nCounted = 0;
        top.SendMessageToDescendants(WM_USER + 77, 0, 0, c.bDeep, c.bOnlyPerm);
        EXPECT_EQ(c.nExpected, g_nCounted) << c.bDeep << c.bOnlyPerm;
    }
    top.DestroyWindow();
}

namespace {

// A bar that takes a band of fixed height at the top of what is left.
class CTopBar : public CWnd
{
public:
    explicit CTopBar(int nHeight) : m_nHeight(nHeight) {}
    int m_nHeight;
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + m_nHeight);
        pLayout->rect.top += m_nHeight;
        pLayout->sizeTotal.cy += m_nHeight;
        pLayout->sizeTotal.cx = rect.Width();
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect ChildRect(CWnd& parent, CWnd& child)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

} // namespace

TEST(HandleMap, RepositionBarsGivesTheBarsTheirBandsAndThePaneTheRest)
{
    TestApp app;
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CTopBar bar1(20), bar2(10);
    CWnd pane;
    ASSERT_TRUE(bar1.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_CONTROLBAR_FIRST + 1));
    ASSERT_TRUE(bar2.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_CONTROLBAR_FIRST + 2));
    ASSERT_TRUE(pane.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_PANE_FIRST));

    // Measuring moves nothing.
    CRect rectFree;
    frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST,
                         CWnd::reposQuery, &rectFree);
    EXPECT_EQ(CRect(0, 30, 200, 100), rectFree);
    EXPECT_EQ(CRect(0, 0, 1, 1), ChildRect(frame, pane));

    frame.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(CRect(0, 0, 200, 20), ChildRect(frame, bar1));
    EXPECT_EQ(CRect(0, 20, 200, 30), ChildRect(frame, bar2));
    EXPECT_EQ(CRect(0, 30, 200, 100), ChildRect(frame, pane));
    frame.DestroyWindow();
}
