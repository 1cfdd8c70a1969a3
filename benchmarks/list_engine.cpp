// Timing of the owner-drawn list engine with 100,000 items: inserting them,
// sorting them (as a parent does on a column click: read the texts, sort,
// write them back), scrolling from the top to the bottom a page at a time
// (each page painted), and painting one page of a list of 1,000 and of
// 100,000 items, which should take the same time.
#include "benchmarks/support/Bench.h"
#include "listtree/list/ctrl/ListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace bench;

const int kWidth = 640, kHeight = 480;

// A parent window and its list, in report view with three columns.
struct ListWindow
{
    CWnd parent;
    OZWListCtrl list;

    ListWindow()
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
        parent.CreateEx(0, cls, "List benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, kWidth + 20, kHeight + 40,
                        nullptr, nullptr);
        list.CreateEx(0, WS_CHILD | WS_VISIBLE | OZWLS_REPORT | OZWLS_NOLABELWRAP, CRect(0, 0, kWidth, kHeight), &parent, 1);
        list.AddColumn("Component", LVCFMT_LEFT, 260);
        list.AddColumn("Size", LVCFMT_RIGHT, 100);
        list.AddColumn("Maker", LVCFMT_LEFT, 200);
    }
    ~ListWindow()
    {
        list.DestroyWindow();
        parent.DestroyWindow();
    }
};

// The text of item i: a shuffled order, so that sorting moves them.
std::string TextOf(int i, int nCount)
{
    const unsigned key = (unsigned)((i * 2654435761u) % (unsigned)nCount);
    return "Component " + std::to_string(100000 + key);
}

void Insert(OZWListCtrl& list, int nCount)
{
    for (int i = 0; i < nCount; ++i) {
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, TextOf(i, nCount).c_str(), 0, 0, 0, i);
        list.SetItem(i, 1, LVIF_TEXT | OZWLIF_STOREALWAYS, std::to_string(i % 1000).c_str(), 0, 0, 0, 0);
        list.SetItem(i, 2, LVIF_TEXT | OZWLIF_STOREALWAYS, (i % 3) ? "Aquaflow" : "Verdant", 0, 0, 0, 0);
    }
    list.RecalcLayout();
}

// Sorts the rows by their main text the way a parent does: it reads the
// rows, sorts them, and writes them back in order.
void Sort(OZWListCtrl& list)
{
    struct Row
    {
        std::string text, size, maker;
        LPARAM data;
    };
    const int n = list.GetItemCount();
    std::vector<Row> rows;
    rows.reserve((size_t)n);
    for (int i = 0; i < n; ++i)
        rows.push_back({ std::string(list.GetItemText(i, 0)), std::string(list.GetItemText(i, 1)),
                         std::string(list.GetItemText(i, 2)), list.GetItemData(i) });
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.text < b.text; });
    LVITEMA item = {};
    for (int i = 0; i < n; ++i) {
        item.iItem = i;
        item.iSubItem = 0;
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.pszText = const_cast<char*>(rows[(size_t)i].text.c_str());
        item.lParam = rows[(size_t)i].data;
        list.SetItem(&item, FALSE);
        item.mask = LVIF_TEXT;
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[(size_t)i].size.c_str());
        list.SetItem(&item, FALSE);
        item.iSubItem = 2;
        item.pszText = const_cast<char*>(rows[(size_t)i].maker.c_str());
        list.SetItem(&item, FALSE);
    }
    list.Invalidate();
}

// Paints the list's client area into a memory bitmap.
struct Canvas
{
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ old;
    Canvas()
    {
        HDC screen = ::GetDC(nullptr);
        hdc = ::CreateCompatibleDC(screen);
        hbm = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(hdc, hbm);
    }
    ~Canvas()
    {
        ::SelectObject(hdc, old);
        ::DeleteObject(hbm);
        ::DeleteDC(hdc);
    }
};

// Milliseconds per paint of the current page, over nTimes paints.
double PaintPage(OZWListCtrl& list, int nTimes)
{
    Canvas canvas;
    CDC* pDC = CDC::FromHandle(canvas.hdc);
    list.DoPaint(pDC); // rows measured once
    const auto t0 = Clock::now();
    for (int i = 0; i < nTimes; ++i)
        list.DoPaint(pDC);
    return Milliseconds(t0, Clock::now()) / nTimes;
}

} // namespace

int main()
{
    const int nCount = 100000;
    std::printf("List engine, %d items, %d x %d pixels\n", nCount, kWidth, kHeight);
    {
        ListWindow w;
        auto t0 = Clock::now();
        Insert(w.list, nCount);
        std::printf("  insert:                 %8.1f ms\n", Milliseconds(t0, Clock::now()));

        t0 = Clock::now();
        Sort(w.list);
        std::printf("  sort (read, sort, write): %6.1f ms\n", Milliseconds(t0, Clock::now()));
        Expect(w.list.GetItemText(0, 0) <= w.list.GetItemText(1, 0), "the list is not sorted");

        Canvas canvas;
        CDC* pDC = CDC::FromHandle(canvas.hdc);
        CScrollBar* pBar = w.list.GetScrollBarCtrl(SB_VERT);
        int nPages = 1;
        t0 = Clock::now();
        w.list.DoPaint(pDC);
        while (w.list.GetTopIndex() < w.list.GetMaxTopIndex()) {
            w.list.SendMessage(WM_VSCROLL, SB_PAGEDOWN, (LPARAM)(pBar ? pBar->m_hWnd : nullptr));
            w.list.DoPaint(pDC);
            ++nPages;
        }
        const double ms = Milliseconds(t0, Clock::now());
        std::printf("  scroll top to bottom:   %8.1f ms (%d pages of %d rows, %.3f ms a page)\n", ms, nPages,
                    w.list.GetRowsFromTop(), ms / nPages);

        w.list.SendMessage(WM_VSCROLL, SB_TOP, 0);
        const double msLarge = PaintPage(w.list, 200);
        ListWindow small;
        Insert(small.list, 1000);
        const double msSmall = PaintPage(small.list, 200);
        std::printf("  paint one page:         %8.3f ms with 1,000 items, %.3f ms with %d items\n", msSmall, msLarge,
                    nCount);
        w.list.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        std::printf("  paint the last page:    %8.3f ms\n", PaintPage(w.list, 200));
    }
    return ExitStatus();
}
