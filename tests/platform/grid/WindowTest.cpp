// Grid windows under the null display driver, driven by window messages:
// mouse selection, in-place editing, column sizing, scrolling, the record
// beam, the tab window and the find dialog.
#include "GridTestSupport.h"
#include "tests/support/TestSupport.h"
#include "platform/grid/GRTabWnd.h"
#include "tests/support/MemoryBitmap.h"

#include <algorithm>
#include <climits>

using namespace gridtest;

namespace {

LPARAM At(CPoint pt)
{
    return MAKELPARAM(pt.x, pt.y);
}

CPoint Center(const CRect& rc)
{
    return rc.CenterPoint();
}

// A grid window that records its column-width hook and may refuse narrow widths.
class CTestGridWnd : public CGRGridWnd
{
public:
    int nMinWidth = 0;
    std::vector<std::pair<ROWCOL, int>> widthsEnded;
    BOOL OnTrackColWidthMove(ROWCOL, int nWidth) override { return nWidth >= nMinWidth; }
    BOOL OnTrackColWidthEnd(ROWCOL nCol, int nWidth) override
    {
        widthsEnded.push_back({ nCol, nWidth });
        return TRUE;
    }
};

// A grid window that never opens cells by mouse (it answers GRM_ACTIVATECELL itself).
class CQuietGridWnd : public CGRGridWnd
{
public:
    LRESULT Ignore(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CQuietGridWnd, CGRGridWnd)
    ON_MESSAGE(GRM_ACTIVATECELL, Ignore)
END_MESSAGE_MAP()

// A browser grid over memory records in a window of its own.
class CMemBrowserWnd : public CGRGridWndBase, public CMemoryBrowser
{
public:
    CMemBrowserWnd() : CMemoryBrowser(5, 2)
    {
        m_pGridCore = this;
        SetGridRect(FALSE);
    }
};

// A tab window whose own map takes the beam's request, as a program's does.
class CMyTabWnd : public CGRTabWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> requests;
    LRESULT OnTabSwitchMessage(WPARAM wParam, LPARAM lParam)
    {
        requests.push_back({ wParam, lParam });
        return OnTabSwitch(wParam, 0);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMyTabWnd, CGRTabWnd)
    ON_MESSAGE(GRM_TABSWITCH, OnTabSwitchMessage)
END_MESSAGE_MAP()

class GridWindowTest : public ::testing::Test
{
protected:
    CWnd m_parent;
    CTestGridWnd m_grid;
    MessageBoxRecorder m_boxes;

    void SetUp() override
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, cls, "grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_grid.Create(WS_VISIBLE, CRect(0, 0, 500, 300), &m_parent, 100));
        m_grid.Initialize();
        SizeGrid(m_grid, 100, 8);
    }

    void TearDown() override
    {
        if (m_grid.GetSafeHwnd())
            m_grid.DestroyWindow();
        if (m_parent.GetSafeHwnd())
            m_parent.DestroyWindow();
        kvtest::PumpMessages();
    }

    void Click(CWnd& wnd, CPoint pt, UINT flags = 0)
    {
        wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | flags, At(pt));
        wnd.SendMessage(WM_LBUTTONUP, flags, At(pt));
    }
    void ClickCell(ROWCOL r, ROWCOL c, UINT flags = 0)
    {
        Click(m_grid, Center(m_grid.CalcRectFromRowCol(r, c)), flags);
    }
    HWND EditWindow()
    {
        CGRControl* p = m_grid.GetRegisteredControl(GR_IDS_CTRL_EDIT);
        return p && p->GetWnd() ? p->GetWnd()->GetSafeHwnd() : nullptr;
    }
};

} // namespace

TEST_F(GridWindowTest, ClicksMakeCellsCurrentAndDraggingSelectsARange)
{
    ClickCell(2, 3);
    EXPECT_EQ("2,3", Cur(m_grid));
    EXPECT_TRUE(m_grid.GetSelectionList()->IsEmpty());
    CPoint from = Center(m_grid.CalcRectFromRowCol(1, 1));
    CPoint to = Center(m_grid.CalcRectFromRowCol(3, 2));
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    EXPECT_TRUE(m_grid.IsSelectingCells());
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
    m_grid.SendMessage(WM_LBUTTONUP, 0, At(to));
    EXPECT_FALSE(m_grid.IsSelectingCells());
    EXPECT_EQ("1,1", Cur(m_grid));
    ASSERT_EQ(1, m_grid.GetSelectionList()->GetCount());
    EXPECT_EQ(CGRRange(1, 1, 3, 2), m_grid.GetSelectionList()->GetHead());
    // Shift and a click extend from the current cell.
    Click(m_grid, Center(m_grid.CalcRectFromRowCol(4, 4)), MK_SHIFT);
    EXPECT_EQ(CGRRange(1, 1, 4, 4), m_grid.GetSelectionList()->GetTail());
}

TEST_F(GridWindowTest, ARowHeaderClickSelectsTheWholeRow)
{
    ClickCell(5, 3);
    Click(m_grid, Center(m_grid.CalcRectFromRowCol(7, 0)));
    EXPECT_EQ("7,3", Cur(m_grid));
    ASSERT_EQ(1, m_grid.GetSelectionList()->GetCount());
    EXPECT_TRUE(m_grid.GetSelectionList()->GetHead().IsRows());
    CRowColArray rows;
    m_grid.GetSelectedRows(rows, TRUE);
    EXPECT_EQ((std::vector<ROWCOL>{ 7 }), rows.Vector());
}

TEST_F(GridWindowTest, TypingOpensAnEditOverTheCellAndEnterStores)
{
    ClickCell(2, 2);
    m_grid.SendMessage(WM_CHAR, 'h', 1);
    HWND hEdit = EditWindow();
    ASSERT_TRUE(hEdit);
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(::GetParent(hEdit), m_grid.GetSafeHwnd());
    CRect rcEdit, rcCell = m_grid.CalcRectFromRowCol(2, 2);
    ::GetWindowRect(hEdit, &rcEdit);
    m_grid.ScreenToClient(&rcEdit);
    // It covers the cell's width, and its height below its text's top.
    EXPECT_EQ(rcCell.left, rcEdit.left);
    EXPECT_EQ(rcCell.right - 1, rcEdit.right);
    EXPECT_LE(rcCell.top, rcEdit.top);
    EXPECT_EQ(rcCell.bottom - 1, rcEdit.bottom);
    ::SendMessageA(hEdit, WM_CHAR, 'i', 1);
    char text[32] = {};
    ::GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ("hi", text);
    ::SendMessageA(hEdit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(CString("hi"), m_grid.GetValueRowCol(2, 2));
    EXPECT_EQ("3,2", Cur(m_grid));
    EXPECT_FALSE(::IsWindowVisible(hEdit));
    // Escape in the edit drops what was typed; Up arrow stores and moves.
    m_grid.SendMessage(WM_CHAR, 'x', 1);
    ::SendMessageA(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(CString(""), m_grid.GetValueRowCol(3, 2));
    m_grid.SendMessage(WM_CHAR, 'y', 1);
    ::SendMessageA(hEdit, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(CString("y"), m_grid.GetValueRowCol(3, 2));
    EXPECT_EQ("2,2", Cur(m_grid));
}

namespace {

// The bounding box of the dark (text) pixels of a bitmap within a rectangle.
CRect Ink(const kvtest::MemoryBitmap& bmp, const CRect& rc)
{
    CRect ink(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            COLORREF c = bmp.At(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
                ink = CRect(std::min((int)ink.left, x), std::min((int)ink.top, y), std::max((int)ink.right, x + 1),
                            std::max((int)ink.bottom, y + 1));
        }
    return ink;
}

} // namespace

// The open editor shows the cell's text exactly where the cell showed it;
// on paper the cell shows the text being edited.
TEST_F(GridWindowTest, AnOpenEditorShowsItsTextWhereTheCellShowsIt)
{
    m_grid.SetRowHeight(2, 2, 28);
    // One letter: the edit lays out a line with a text engine of its own,
    // whose spacing between letters may differ by a pixel.
    m_grid.SetValueRange(CGRRange(2, 2), "H");
    CRect rcCell = m_grid.CalcRectFromRowCol(2, 2);
    kvtest::MemoryBitmap shown(500, 300);
    m_grid.OnGridDraw(shown.DC());
    CRect inkCell = Ink(shown, rcCell);
    ASSERT_LT(inkCell.left, inkCell.right);

    m_grid.SetCurrentCell(2, 2);
    ASSERT_TRUE(m_grid.ActivateCurrentCell());
    HWND hEdit = EditWindow();
    ASSERT_TRUE(hEdit);
    CRect rcEdit;
    ::GetWindowRect(hEdit, &rcEdit);
    m_grid.ScreenToClient(&rcEdit);
    EXPECT_TRUE(rcCell.PtInRect(rcEdit.TopLeft()));
    kvtest::MemoryBitmap edit(rcEdit.Width(), rcEdit.Height());
    ::SendMessageA(hEdit, WM_PRINTCLIENT, (WPARAM)edit.hdc(), PRF_CLIENT | PRF_ERASEBKGND);
    CRect inkEdit = Ink(edit, edit.Rect());
    inkEdit.OffsetRect(rcEdit.TopLeft());
    EXPECT_EQ(inkCell, inkEdit);

    // On the screen the window shows the text, the cell under it none; on a
    // printing device the cell shows it.
    m_grid.OnGridDraw(shown.DC());
    EXPECT_GE(Ink(shown, rcCell).left, Ink(shown, rcCell).right);
    CDC paper;
    paper.Attach(shown.hdc());
    paper.m_bPrinting = TRUE;
    m_grid.OnGridDraw(&paper);
    paper.Detach();
    EXPECT_EQ(inkCell, Ink(shown, rcCell));
}

// With smart resizing a larger window draws only what it gained; without
// it, the whole grid.
TEST_F(GridWindowTest, SmartResizingDrawsOnlyTheAreaGained)
{
    for (BOOL bSmart : { FALSE, TRUE })
    {
        m_grid.Param()->SetSmartResize(bSmart);
        m_grid.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        m_grid.UpdateWindow();
        CRect before;
        m_grid.GetClientRect(&before);
        m_grid.SetWindowPos(nullptr, 0, 0, 400, 260, SWP_NOZORDER | SWP_NOACTIVATE);
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(m_grid.GetSafeHwnd(), hRgn, FALSE);
        EXPECT_EQ(!bSmart, ::PtInRegion(hRgn, 10, 10) != FALSE) << bSmart;
        EXPECT_TRUE(::PtInRegion(hRgn, before.right + 5, 10)) << bSmart;
        EXPECT_TRUE(::PtInRegion(hRgn, 10, before.bottom + 5)) << bSmart;
        ::DeleteObject(hRgn);
        m_grid.UpdateWindow();
    }
}

TEST_F(GridWindowTest, ASecondClickOnTheCurrentCellOpensItUnlessTheGridIgnoresThat)
{
    ClickCell(3, 3);
    EXPECT_FALSE(m_grid.IsActiveCurrentCell());
    ClickCell(3, 3);
    kvtest::PumpMessages();
    EXPECT_TRUE(m_grid.IsActiveCurrentCell());

    CQuietGridWnd quiet;
    ASSERT_TRUE(quiet.Create(WS_VISIBLE, CRect(0, 310, 400, 480), &m_parent, 101));
    quiet.Initialize();
    SizeGrid(quiet, 5, 5);
    CPoint pt = Center(quiet.CalcRectFromRowCol(2, 2));
    Click(quiet, pt);
    Click(quiet, pt);
    kvtest::PumpMessages();
    EXPECT_EQ("2,2", Cur(quiet));
    EXPECT_FALSE(quiet.IsActiveCurrentCell());
    quiet.DestroyWindow();
}

TEST_F(GridWindowTest, DoubleClickOnAColumnBorderFitsTheColumn)
{
    const char* text = "A considerably longer text than fits";
    m_grid.SetValueRange(CGRRange(1, 2), text);
    CRect head = m_grid.CalcRectFromRowCol(0, 2);
    m_grid.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(CPoint(head.right - 1, head.CenterPoint().y)));
    ASSERT_EQ(1u, m_grid.widthsEnded.size());
    EXPECT_EQ(2u, m_grid.widthsEnded[0].first);
    int w = m_grid.GetColWidth(2);
    EXPECT_EQ(w, m_grid.widthsEnded[0].second);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(hdc, m_grid.GetStyleFont(m_grid.LookupStyleRowCol(1, 2)));
    SIZE sz;
    ::GetTextExtentPoint32A(hdc, text, (int)strlen(text), &sz);
    ::DeleteDC(hdc);
    EXPECT_GE(w, (int)sz.cx);
    EXPECT_LT(w, (int)sz.cx + 30);
}

TEST_F(GridWindowTest, DraggingAColumnBorderResizesWithinWhatTheGridAllows)
{
    m_grid.nMinWidth = 40;
    CRect head = m_grid.CalcRectFromRowCol(0, 3);
    CPoint down(head.right - 1, head.CenterPoint().y);
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(down));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(head.left + 90, down.y)));
    m_grid.SendMessage(WM_LBUTTONUP, 0, At(CPoint(head.left + 90, down.y)));
    EXPECT_EQ(90, m_grid.GetColWidth(3));
    // Narrower than allowed: the last width allowed stays.
    head = m_grid.CalcRectFromRowCol(0, 3);
    down = CPoint(head.right - 1, head.CenterPoint().y);
    m_grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(down));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(head.left + 60, down.y)));
    m_grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(head.left + 20, down.y)));
    m_grid.SendMessage(WM_LBUTTONUP, 0, At(CPoint(head.left + 20, down.y)));
    EXPECT_EQ(60, m_grid.GetColWidth(3));
    EXPECT_EQ(2u, m_grid.widthsEnded.size());
}

TEST_F(GridWindowTest, KeysScrollBarsAndTheWheelMoveTheView)
{
    ClickCell(1, 1);
    m_grid.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    m_grid.SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ("2,2", Cur(m_grid));
    SCROLLINFO si = { sizeof(si), SIF_ALL };
    ASSERT_TRUE(::GetScrollInfo(m_grid.GetSafeHwnd(), SB_VERT, &si));
    EXPECT_EQ(99, si.nMax);
    m_grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(m_grid.GetTopRow(), 10u);
    ROWCOL top = m_grid.GetTopRow();
    CRect rc;
    m_grid.GetWindowRect(&rc);
    m_grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), MAKELPARAM(rc.left + 50, rc.top + 50));
    EXPECT_EQ(top + 3, m_grid.GetTopRow());
    m_grid.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_TRUE(m_grid.IsCellVisible(100, 1));
    ::GetScrollInfo(m_grid.GetSafeHwnd(), SB_VERT, &si);
    EXPECT_EQ((int)(m_grid.GetTopRow() - 1), si.nPos);
    m_grid.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(1u, m_grid.GetTopRow());
}

TEST_F(GridWindowTest, TheRecordBeamShowsTheRecordAndMovesBetweenRecords)
{
    CGRRecordInfoWnd info;
    ASSERT_TRUE(info.Create(WS_VISIBLE, CRect(0, 0, 500, 300), &m_parent, 200));
    CMemBrowserWnd browser;
    ASSERT_TRUE(browser.Create(0, CRect(0, 0, 1, 1), &info, 201));
    browser.Initialize();
    info.AttachWnd(&browser);
    CRect rcInfo, rcGrid;
    info.GetClientRect(&rcInfo);
    browser.GetWindowRect(&rcGrid);
    info.ScreenToClient(&rcGrid);
    CGRRecordInfoBeam* pBeam = info.GetBeam();
    ASSERT_TRUE(pBeam);
    EXPECT_EQ(rcInfo.Width(), rcGrid.Width());
    EXPECT_EQ(rcInfo.Height(), rcGrid.Height() + pBeam->CalcHeight());
    EXPECT_EQ(&info, browser.GetRecordInfoWnd());
    EXPECT_EQ(pBeam, browser.GetBeam());

    browser.SetCurrentCell(2, 1);
    EXPECT_EQ(2, pBeam->GetRecordShown());
    EXPECT_EQ(5, pBeam->GetCountShown());
    EXPECT_EQ(CString("Record 2  of 5"), pBeam->GetRecordText());
    pBeam->UpdateWindow();
    CRect next = pBeam->GetButtonRect(GR_MOVE_NEXT);
    ASSERT_FALSE(next.IsRectEmpty());
    pBeam->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(next.CenterPoint()));
    EXPECT_EQ("3,1", Cur(browser));
    EXPECT_EQ(3, pBeam->GetRecordShown());
    pBeam->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pBeam->GetButtonRect(GR_MOVE_NEW).CenterPoint()));
    EXPECT_TRUE(browser.IsOnLastRecord());
    pBeam->SetTitle("Pipe");
    EXPECT_EQ(CString("Pipe"), pBeam->GetTitle());
    browser.DestroyWindow();
    info.DestroyWindow();
}

TEST_F(GridWindowTest, TheTabWindowShowsOnePaneAndRemovesPanesByDestroyingThem)
{
    CMyTabWnd tabs;
    ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 400, 200), &m_parent, 300));
    CGRGridWnd first, second;
    ASSERT_TRUE(first.Create(0, CRect(0, 0, 1, 1), &tabs, 1009));
    ASSERT_TRUE(second.Create(0, CRect(0, 0, 1, 1), &tabs, 1009));
    EXPECT_EQ(0, tabs.AttachWnd(&first, "Assembly Items"));
    EXPECT_EQ(1, tabs.AttachWnd(&second, "Nozzles"));
    EXPECT_TRUE(first.IsWindowVisible());
    EXPECT_FALSE(second.IsWindowVisible());
    // A click on the second tab of the beam.
    CGRTabBeam* pBeam = tabs.GetBeam();
    CRect tabRect = pBeam->GetTabRect(1);
    ASSERT_FALSE(tabRect.IsRectEmpty());
    pBeam->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(tabRect.CenterPoint()));
    ASSERT_EQ(1u, tabs.requests.size());
    EXPECT_EQ(1u, tabs.requests[0].first);
    EXPECT_EQ(1, tabs.GetActiveTab());
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    // Removing the current tab destroys its window and shows the one before.
    EXPECT_TRUE(tabs.RemoveTab(1));
    EXPECT_EQ(nullptr, second.GetSafeHwnd());
    EXPECT_EQ(1, tabs.GetTabCount());
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_TRUE(first.IsWindowVisible());
    // The same object can be created and attached again.
    ASSERT_TRUE(second.Create(0, CRect(0, 0, 1, 1), &tabs, 1009));
    EXPECT_EQ(1, tabs.AttachWnd(&second, "Outlets"));
    EXPECT_TRUE(tabs.SwitchTab(1));
    EXPECT_EQ(CString("Outlets"), tabs.GetTabLabel(1));
    // The beam's fonts can be replaced and given back.
    CFont font;
    font.CreatePointFont(100, "Arial");
    CFont* own = pBeam->GetBeamFont(1);
    pBeam->SetBeamFont(1, &font);
    EXPECT_EQ(&font, pBeam->GetBeamFont(1));
    pBeam->SetBeamFont(1, nullptr);
    EXPECT_EQ(own, pBeam->GetBeamFont(1));
    tabs.DestroyWindow();
}

TEST_F(GridWindowTest, TheFindDialogIsSharedAndSearchesTheActiveGrid)
{
    m_grid.SetValueRange(CGRRange(40, 5), "needle in a haystack");
    ClickCell(2, 2);
    GR_FR_STATE& fr = GRGetAppState()->m_findReplace;
    m_grid.OnShowFindReplaceDialog(TRUE);
    CFindReplaceDialog* pFirst = fr.m_pFindReplaceDlg;
    ASSERT_TRUE(pFirst);
    EXPECT_TRUE(fr.bFindOnly);
    EXPECT_EQ(&m_grid, fr.m_pActiveGrid);
    m_grid.OnShowFindReplaceDialog(TRUE);
    EXPECT_EQ(pFirst, fr.m_pFindReplaceDlg);      // the same dialog, brought forward
    m_grid.OnShowFindReplaceDialog(FALSE);
    kvtest::PumpMessages();
    ASSERT_TRUE(fr.m_pFindReplaceDlg);
    EXPECT_FALSE(fr.bFindOnly);
    EXPECT_TRUE(::IsWindow(fr.m_pFindReplaceDlg->GetSafeHwnd()));

    fr.strFind = "NEEDLE";
    fr.bCase = FALSE;
    fr.bNext = TRUE;
    EXPECT_TRUE(m_grid.FindText(TRUE));
    EXPECT_EQ("40,5", Cur(m_grid));
    EXPECT_TRUE(m_grid.IsCellVisible(40, 5));
    // The dialog put over the cell of the match moves off it when it is
    // found again.
    CRect cell = m_grid.CalcRectFromRowCol(40, 5);
    m_grid.ClientToScreen(&cell);
    CRect dialog;
    fr.m_pFindReplaceDlg->SetWindowPos(nullptr, cell.left, cell.top - 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_grid.SetCurrentCell(1, 1);
    EXPECT_TRUE(m_grid.FindText(TRUE));
    fr.m_pFindReplaceDlg->GetWindowRect(&dialog);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(&dialog, &cell)) << dialog.left << "," << dialog.top;
    fr.bCase = TRUE;
    m_grid.SetCurrentCell(1, 1);
    EXPECT_FALSE(m_grid.FindText(TRUE));
    EXPECT_EQ("1,1", Cur(m_grid));
    fr.m_pFindReplaceDlg->SendMessage(WM_CLOSE);
    kvtest::PumpMessages();
    EXPECT_EQ(nullptr, fr.m_pFindReplaceDlg);
}

TEST_F(GridWindowTest, CopyAndPasteCellTextThroughTheClipboard)
{
    m_grid.SetValueRange(CGRRange(1, 1), "a");
    m_grid.SetValueRange(CGRRange(1, 2), "b\r\nb");
    m_grid.SetValueRange(CGRRange(2, 1), "c");
    m_grid.SetValueRange(CGRRange(2, 2), "d");
    m_grid.HideCols(3, 3);
    ClickCell(1, 1);
    m_grid.SelectRange(CGRRange(1, 1, 2, 4));
    ASSERT_TRUE(m_grid.Copy());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE h = ::GetClipboardData(CF_TEXT);
    std::string text = h ? (const char*)::GlobalLock(h) : "";
    if (h)
        ::GlobalUnlock(h);
    ::CloseClipboard();
    // Hidden column 3 left out; the line break inside a cell becomes a blank.
    EXPECT_EQ("a\tb b\t\r\nc\td\t\r\n", text);
    EXPECT_EQ(2u, m_grid.m_nClipRows);
    EXPECT_EQ(3u, m_grid.m_nClipCols);
    m_grid.SetSelection(nullptr);
    m_grid.SetCurrentCell(10, 1);
    ASSERT_TRUE(m_grid.Paste());
    EXPECT_EQ(CString("a"), m_grid.GetValueRowCol(10, 1));
    EXPECT_EQ(CString("b b"), m_grid.GetValueRowCol(10, 2));
    EXPECT_EQ(CString(""), m_grid.GetValueRowCol(10, 3));   // hidden: skipped
    EXPECT_EQ(CString("d"), m_grid.GetValueRowCol(11, 2));
}

TEST_F(GridWindowTest, DraggingTheFillHandleCopiesValuesUnlessTheGridRefuses)
{
    struct CFillGrid : CGRGridWnd
    {
        BOOL bRefuse = FALSE;
        int nAsked = 0;
        BOOL OnStartAutoFillSelection(CGRRange& range, UINT&, CPoint&) override
        {
            nAsked++;
            return !bRefuse && range.left != 3;
        }
    } fill;
    ASSERT_TRUE(fill.Create(WS_VISIBLE, CRect(0, 310, 400, 480), &m_parent, 102));
    fill.Initialize();
    SizeGrid(fill, 10, 4);
    fill.Param()->SetExcelLikeFillFlags(GR_FILL_COPY);
    fill.SetValueRange(CGRRange(1, 2), "x");
    fill.SetValueRange(CGRRange(2, 2), "y");
    fill.SetCurrentCell(1, 2);
    fill.SelectRange(CGRRange(1, 2, 2, 2));
    CRect corner = fill.CalcRectFromRowCol(2, 2);
    CPoint handle(corner.right - 2, corner.bottom - 2);
    EXPECT_EQ(GR_HT_FILLHANDLE, fill.HitTest(handle));
    CPoint to = fill.CalcRectFromRowCol(5, 2).CenterPoint();
    fill.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(handle));
    fill.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
    fill.SendMessage(WM_LBUTTONUP, 0, At(to));
    EXPECT_EQ(1, fill.nAsked);
    EXPECT_EQ(CString("x"), fill.GetValueRowCol(3, 2));
    EXPECT_EQ(CString("y"), fill.GetValueRowCol(4, 2));
    EXPECT_EQ(CString("x"), fill.GetValueRowCol(5, 2));
    EXPECT_EQ(CString(""), fill.GetValueRowCol(6, 2));
    // A refused fill changes nothing.
    fill.SetSelection(nullptr);
    fill.SetValueRange(CGRRange(1, 3), "z");
    fill.SetCurrentCell(1, 3);
    corner = fill.CalcRectFromRowCol(1, 3);
    handle = CPoint(corner.right - 2, corner.bottom - 2);
    to = fill.CalcRectFromRowCol(4, 3).CenterPoint();
    fill.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(handle));
    fill.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(to));
    fill.SendMessage(WM_LBUTTONUP, 0, At(to));
    EXPECT_EQ(2, fill.nAsked);
    EXPECT_EQ(CString(""), fill.GetValueRowCol(2, 3));
    fill.DestroyWindow();
}

TEST_F(GridWindowTest, ComboBoxAndCheckBoxCellsWorkWithTheMouse)
{
    m_grid.SetStyleRange(CGRRange(2, 2), CGRStyle().SetControl(GR_IDS_CTRL_CBS_DROPDOWNLIST).SetChoiceList("red\ngreen\nblue"));
    m_grid.SetValueRange(CGRRange(2, 2), "green");
    ClickCell(2, 2);
    ASSERT_TRUE(m_grid.ActivateCurrentCell());
    CGRControl* pCombo = m_grid.GetCurrentCellControl();
    HWND hCombo = pCombo->GetWnd()->GetSafeHwnd();
    ASSERT_TRUE(hCombo);
    EXPECT_TRUE(::IsWindowVisible(hCombo));
    EXPECT_EQ(3, (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(1, (int)::SendMessageA(hCombo, CB_GETCURSEL, 0, 0));
    // A choice in the list, as the combo box reports it to its parent.
    ::SendMessageA(hCombo, CB_SETCURSEL, 2, 0);
    m_grid.SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hCombo), CBN_SELCHANGE), (LPARAM)hCombo);
    m_grid.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(CString("blue"), m_grid.GetValueRowCol(2, 2));
    EXPECT_EQ("3,2", Cur(m_grid));

    m_grid.SetStyleRange(CGRRange(4, 3), CGRStyle().SetControl(GR_IDS_CTRL_CHECKBOX));
    ClickCell(4, 3);
    CRect box = CGRCheckBox::BoxRect(m_grid.CalcRectFromRowCol(4, 3), m_grid.LookupStyleRowCol(4, 3));
    Click(m_grid, box.CenterPoint());
    EXPECT_EQ(CString("1"), m_grid.GetValueRowCol(4, 3));
    Click(m_grid, box.CenterPoint());
    EXPECT_EQ(CString("0"), m_grid.GetValueRowCol(4, 3));
    // A click beside the box only selects the cell.
    Click(m_grid, CPoint(m_grid.CalcRectFromRowCol(4, 3).right - 5, box.CenterPoint().y));
    EXPECT_EQ(CString("0"), m_grid.GetValueRowCol(4, 3));
}
