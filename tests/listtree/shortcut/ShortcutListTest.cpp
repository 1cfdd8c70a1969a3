// The shortcut list: large-icon bands and their hit test, the arrow
// buttons, hot and pressed items with their notifications, the context
// menu, and reordering by OLE drag and drop within the process.
#include "listtree/shortcut/ShortcutListCtrl.h"
#include "listtree/shortcut/ShortcutRes.h"
#include "tests/support/ChildWindow.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

class CParent : public CWnd
{
public:
    std::vector<std::pair<UINT, int>> notices; // code, item
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY) {
            auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
            int nItem = -1;
            if (pHdr->code == OZWSLN_ITEMCLICK)
                nItem = reinterpret_cast<OZWSLNOTIFY*>(pHdr)->iItem;
            notices.emplace_back(pHdr->code, nItem);
            *pResult = 0;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// Records the check marks of the context menu, then closes it.
class CMenuShortcutList : public OZWShortcutListCtrl
{
public:
    UINT large = 0, small = 0;
    void OnContextMenuPrepare(CMenu* pMenu) override
    {
        large = pMenu->GetMenuState(ID_OZWSHORTCUT_LARGEICON, MF_BYCOMMAND) & MF_CHECKED;
        small = pMenu->GetMenuState(ID_OZWSHORTCUT_SMALLICON, MF_BYCOMMAND) & MF_CHECKED;
        ::SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(nullptr, id);
            ::EndMenu();
        });
    }
};

class ShortcutListTest : public ::testing::Test
{
protected:
    CParent parent;
    CMenuShortcutList* list = nullptr;
    CImageList large, small;

    void SetUp() override
    {
        ::OleInitialize(nullptr);
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
        ASSERT_TRUE(parent.CreateEx(0, cls, "Shortcuts", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 360, nullptr,
                                    nullptr));
        ::SetForegroundWindow(parent.m_hWnd);
        MakeImages(large, 32);
        MakeImages(small, 16);
        list = new CMenuShortcutList;
        ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 300), &parent, 7));
        list->SetImageList(&large, LVSIL_NORMAL);
        list->SetImageList(&small, LVSIL_SMALL);
        for (int i = 0; i < 6; ++i)
            list->InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, std::string(1, (char)('A' + i)).c_str(), 0, 0,
                             i % 3, 100 + i);
        list->RecalcLayout();
        list->LayoutScrollBars();
        parent.notices.clear();
    }
    void TearDown() override
    {
        kvtest::DestroyWithParent(list, parent);
        ::OleUninitialize();
    }
    static void MakeImages(CImageList& images, int n)
    {
        images.Create(n, n, ILC_COLOR24 | ILC_MASK, 3, 1);
        CClientDC screen(nullptr);
        for (int i = 0; i < 3; ++i) {
            CBitmap bitmap;
            bitmap.CreateCompatibleBitmap(&screen, n, n);
            images.Add(&bitmap, RGB(255, 0, 255));
        }
    }
    std::string Order()
    {
        std::string s;
        for (int i = 0; i < list->GetItemCount(); ++i)
            s += std::string(list->GetItemText(i, 0));
        return s;
    }
    // The band of a visible item (its gap on top), in client coordinates.
    CRect Band(int nItem)
    {
        CRect inside;
        list->GetClientRect(&inside);
        int y = inside.top;
        for (int i = list->GetTopIndex(); i < nItem; ++i)
            y += list->GetRowPitch(i);
        return CRect(inside.left, y, inside.right, y + list->GetRowPitch(nItem));
    }
    CPoint IconPoint(int nItem)
    {
        CRect icon, label;
        GetParts(nItem, icon, label);
        return icon.CenterPoint();
    }
    void GetParts(int nItem, CRect& icon, CRect& label)
    {
        const CRect band = Band(nItem);
        const OZWListItem* p = list->GetItemRecord(nItem);
        const int top = band.top + 12;
        icon.SetRect(band.left + (band.Width() - p->m_rcIcon.Width()) / 2, top + p->m_rcIcon.top, 0, 0);
        icon.right = icon.left + p->m_rcIcon.Width();
        icon.bottom = icon.top + p->m_rcIcon.Height();
        label.SetRect(band.left + (band.Width() - p->m_rcLabel.Width()) / 2, top + p->m_rcLabel.top, 0, 0);
        label.right = label.left + p->m_rcLabel.Width();
        label.bottom = top + p->m_rcLabel.bottom;
    }
    // Drags an item with OLE from its icon to a point of a list (client
    // coordinates of that list); the button is up, so the drag drops at once
    // where the cursor is.
    void DragTo(int nItem, CWnd* pTarget, CPoint ptTarget)
    {
        CPoint screen = ptTarget;
        pTarget->ClientToScreen(&screen);
        ::SetCursorPos(screen.x, screen.y);
        const CPoint from = IconPoint(nItem);
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, from.y + 8));
        kvtest::PumpMessages();
    }
};

UINT Code(int n)
{
    return (UINT)n;
}

} // namespace

TEST_F(ShortcutListTest, LargeIconsStandInBands)
{
    EXPECT_EQ((DWORD)OZWLS_ICON, list->GetListStyle() & OZWLS_VIEWMASK);
    EXPECT_TRUE(list->GetListStyle() & OZWLS_NOSCROLL);
    EXPECT_EQ(0u, list->GetScrollState()) << "arrows instead of scroll bars";
    for (int i = 0; i < 3; ++i) {
        CRect icon, label;
        GetParts(i, icon, label);
        UINT nFlags = 0;
        EXPECT_EQ(i, list->HitTest(icon.CenterPoint().x, icon.CenterPoint().y, &nFlags, nullptr));
        EXPECT_EQ((UINT)OZWHT_ONICON, nFlags);
        EXPECT_EQ(i, list->HitTest(label.CenterPoint().x, label.CenterPoint().y, &nFlags, nullptr));
        EXPECT_EQ((UINT)OZWHT_ONLABEL, nFlags);
        EXPECT_EQ(i, list->HitTest(2, label.CenterPoint().y, &nFlags, nullptr));
        EXPECT_EQ((UINT)OZWHT_LEFTOFLABEL, nFlags);
        EXPECT_EQ(i, list->HitTest(60, Band(i).top + 3, &nFlags, nullptr)) << "the gap above belongs to the band";
        EXPECT_EQ((UINT)OZWHT_NOWHERE, nFlags);
        EXPECT_EQ(32, icon.Width());
    }
    UINT nFlags = 0;
    EXPECT_EQ(-1, list->HitTest(130, 50, &nFlags, nullptr));
    EXPECT_EQ((UINT)OZWHT_TORIGHT, nFlags);
}

TEST_F(ShortcutListTest, ArrowButtonsShowWhereThereIsMoreAndRepeatWhileHeld)
{
    ASSERT_TRUE(list->IsDownButtonShown()) << "six large icons do not fit in 300 pixels";
    EXPECT_FALSE(list->IsUpButtonShown()) << "nothing above the first item";
    const CRect down = list->GetDownButton()->m_rect;
    UINT nFlags = 0;
    EXPECT_EQ(OZWSLHT_DOWNBUTTON, list->HitTest(down.CenterPoint().x, down.CenterPoint().y, &nFlags, nullptr));
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.CenterPoint().x, down.CenterPoint().y));
    EXPECT_EQ(1, list->GetTopIndex());
    EXPECT_TRUE(list->GetDownButton()->IsPressed());
    EXPECT_TRUE(list->IsUpButtonShown());
    // Held: each tick of the hover timer scrolls again.
    CPoint screen = down.CenterPoint();
    list->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    list->SendMessage(WM_TIMER, OZWShortcutListCtrl::HoverTimerId);
    EXPECT_EQ(2, list->GetTopIndex());
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(down.CenterPoint().x, down.CenterPoint().y));
    EXPECT_FALSE(list->GetDownButton()->IsPressed());
    list->SendMessage(WM_TIMER, OZWShortcutListCtrl::HoverTimerId);
    EXPECT_EQ(2, list->GetTopIndex()) << "released: no more";
    // Scrolled to the end, the down button goes.
    list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), MAKELPARAM(screen.x, screen.y));
    list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), MAKELPARAM(screen.x, screen.y));
    list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-120), MAKELPARAM(screen.x, screen.y));
    EXPECT_FALSE(list->IsDownButtonShown());
    EXPECT_EQ(list->GetItemCount() - 1, list->GetLastFullyVisible());
}

TEST_F(ShortcutListTest, ClicksLightItemsAndTellTheParent)
{
    const CPoint pt = IconPoint(1);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((UINT)OZWSLIS_PRESSED, list->GetHotState(1));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ((UINT)OZWSLIS_HOT, list->GetHotState(1));
    ASSERT_EQ(2u, parent.notices.size());
    EXPECT_EQ(Code(NM_CLICK), parent.notices[0].first);
    EXPECT_EQ(Code(OZWSLN_ITEMCLICK), parent.notices[1].first);
    EXPECT_EQ(1, parent.notices[1].second);
    // Beside the icon: a click, not an item click.
    parent.notices.clear();
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, Band(2).top + 3));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, Band(2).top + 3));
    EXPECT_EQ((std::vector<std::pair<UINT, int>>{ { Code(NM_CLICK), -1 } }), parent.notices);
    // Moving off the items clears their states.
    list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(3, Band(0).top + 2));
    EXPECT_EQ(0u, list->GetHotState(1));
}

TEST_F(ShortcutListTest, TheContextMenuSwitchesBetweenLargeAndSmallIcons)
{
    CPoint screen(20, 20);
    list->ClientToScreen(&screen);
    list->SendMessage(WM_CONTEXTMENU, (WPARAM)list->m_hWnd, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ((UINT)MF_CHECKED, list->large);
    EXPECT_EQ(0u, list->small);
    list->SendMessage(WM_COMMAND, ID_OZWSHORTCUT_SMALLICON);
    EXPECT_EQ((DWORD)OZWLS_REPORT, list->GetListStyle() & OZWLS_VIEWMASK);
    list->SendMessage(WM_CONTEXTMENU, (WPARAM)list->m_hWnd, MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(0u, list->large);
    EXPECT_EQ((UINT)MF_CHECKED, list->small);
    list->SendMessage(WM_COMMAND, ID_OZWSHORTCUT_LARGEICON);
    EXPECT_EQ((DWORD)OZWLS_ICON, list->GetListStyle() & OZWLS_VIEWMASK);
}

TEST_F(ShortcutListTest, InsertMarkArrows)
{
    const CRect rc(0, 100, 120, 112);
    struct Case
    {
        int position;
        POINT left[3], right[3];
    };
    const Case cases[] = {
        { -1, { { 0, 103 }, { 8, 103 }, { 0, 111 } }, { { 119, 103 }, { 111, 103 }, { 119, 111 } } },
        { -2, { { 0, 109 }, { 8, 109 }, { 0, 101 } }, { { 119, 109 }, { 111, 109 }, { 119, 101 } } },
        { 3, { { 0, 110 }, { 8, 106 }, { 0, 102 } }, { { 119, 110 }, { 111, 106 }, { 119, 102 } } },
    };
    for (const Case& c : cases) {
        std::unique_ptr<POINT[]> left(list->GetLeftArrow(rc, c.position));
        std::unique_ptr<POINT[]> right(list->GetRightArrow(rc, c.position));
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(c.left[k].x, left[k].x) << c.position << " left " << k;
            EXPECT_EQ(c.left[k].y, left[k].y) << c.position << " left " << k;
            EXPECT_EQ(c.right[k].x, right[k].x) << c.position << " right " << k;
            EXPECT_EQ(c.right[k].y, right[k].y) << c.position << " right " << k;
        }
    }
    int nPosition = 0, nAbove = 0;
    CRect band;
    ASSERT_TRUE(list->GetGapAt(CPoint(50, Band(0).top + 3), &nPosition, &band, &nAbove));
    EXPECT_EQ(-1, nPosition);
    EXPECT_EQ(-1, nAbove);
    ASSERT_TRUE(list->GetGapAt(CPoint(50, Band(2).top + 3), &nPosition, &band, &nAbove));
    EXPECT_EQ(2, nPosition);
    EXPECT_EQ(1, nAbove);
    EXPECT_EQ(12, band.Height());
    EXPECT_FALSE(list->GetGapAt(IconPoint(2), &nPosition, &band, &nAbove)) << "over an item";
}

TEST_F(ShortcutListTest, APayloadDropsIntoAGapOnly)
{
    COleDataSource source;
    LVITEMA item = {};
    item.iItem = 4;
    ASSERT_TRUE(list->PrepareDragData(&source, &item));
    IDataObject* pData = source.GetDataObject();
    COleDataObject data;
    data.Attach(pData);
    HGLOBAL h = data.GetGlobalData(OZWShortcutListCtrl::GetClipboardFormat());
    ASSERT_NE(nullptr, h);
    EXPECT_FALSE(list->DropPayload(h, IconPoint(1))) << "onto an item";
    EXPECT_EQ("ABCDEF", Order());
    EXPECT_TRUE(list->DropPayload(h, CPoint(50, Band(1).top + 3)));
    EXPECT_EQ("AEBCDEF", Order()) << "after the item above the gap";
    EXPECT_EQ(104, (int)list->GetItemData(1));
    EXPECT_EQ(Code(OZWSLN_DROPPED), parent.notices.back().first);
    // An image the list does not have becomes image 0.
    auto* p = static_cast<BYTE*>(::GlobalLock(h));
    reinterpret_cast<LVITEMA*>(p + sizeof(GUID))->iImage = 7;
    ::GlobalUnlock(h);
    EXPECT_TRUE(list->DropPayload(h, CPoint(50, Band(0).top + 3)));
    EXPECT_EQ("EAEBCDEF", Order());
    LVITEMA read = {};
    read.mask = LVIF_IMAGE;
    list->GetItem(&read);
    EXPECT_EQ(0, read.iImage);
    ::GlobalFree(h);
}

TEST_F(ShortcutListTest, DataFromElsewhereIsRefused)
{
    // A payload with another GUID, as from another process.
    COleDataSource source;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, OZWShortcutListCtrl::PayloadSize);
    auto* p = static_cast<BYTE*>(::GlobalLock(h));
    p[0] = 0x55;
    ::GlobalUnlock(h);
    source.CacheGlobalData(OZWShortcutListCtrl::GetClipboardFormat(), h);
    COleDataObject data;
    data.Attach(source.GetDataObject());
    OZWShortcutListCtrl::ListDropTarget* pTarget = list->GetDropTarget();
    const CPoint gap(50, Band(1).top + 3);
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, pTarget->OnDragEnter(list, &data, 0, gap));
    EXPECT_EQ((DROPEFFECT)DROPEFFECT_NONE, pTarget->OnDragOver(list, &data, 0, gap));
    EXPECT_FALSE(pTarget->OnDrop(list, &data, DROPEFFECT_MOVE, gap));
    EXPECT_EQ("ABCDEF", Order());
}

TEST_F(ShortcutListTest, DraggingWithinTheListMovesEachItemOnce)
{
    // Down: the top item of the scrolled list to the gap after the last one.
    list->SetTopIndex(list->GetMaxTopIndex());
    const int nTop = list->GetTopIndex();
    ASSERT_EQ(2, nTop);
    const int nLast = list->GetItemCount() - 1;
    DragTo(nTop, list, CPoint(50, Band(nLast).bottom + 4));
    EXPECT_EQ("ABDEFC", Order());
    // Up: an item to a gap before it: the source row is found by its record
    // (the copy went in before it).
    list->SetTopIndex(0);
    DragTo(3, list, CPoint(50, Band(1).top + 3));
    EXPECT_EQ("AEBDFC", Order());
    EXPECT_EQ(6, list->GetItemCount());
}

TEST_F(ShortcutListTest, ADragBeginsOutsideTheSquareAroundThePress)
{
    const CPoint from = IconPoint(0);
    CPoint away = from;
    list->ClientToScreen(&away);
    ::SetCursorPos(away.x + 500, away.y + 500); // nowhere to drop
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 5, from.y - 5));
    EXPECT_NE(CPoint(-1, -1), list->m_ptDown) << "within 5 pixels: no drag yet";
    list->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 6, from.y));
    EXPECT_EQ(CPoint(-1, -1), list->m_ptDown) << "the drag ran";
    EXPECT_EQ("ABCDEF", Order()) << "dropped nowhere: nothing moves";
}
