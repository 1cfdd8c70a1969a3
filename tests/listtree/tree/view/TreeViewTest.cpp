// The tree view in a frame, driven by real messages: expanding and
// collapsing by mouse and keyboard, single-expand, label editing, drags,
// hover-expand, lines and buttons as painted, and the notifications the
// owner gets, in order.
#include "listtree/tree/view/TreeBaseV.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Notice
{
    UINT code = 0;
    HTREEITEM item = nullptr; // itemNew (or the item of a display-info notice)
    HTREEITEM old = nullptr;
    UINT action = 0;
    std::string text;
};

// The frame owning the tree: it records the tree's notifications.
class CRecordingFrame : public CFrameWnd
{
public:
    std::vector<Notice> notices;
    std::vector<std::pair<WPARAM, LPARAM>> endEditMessages;
    std::function<LRESULT(NMHDR*)> answer;

    std::vector<UINT> Codes(bool bOnlyTree = true) const
    {
        std::vector<UINT> codes;
        for (const Notice& n : notices)
            if (!bOnlyTree || ((int)n.code <= -400 && (int)n.code >= -499))
                codes.push_back(n.code);
        return codes;
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == OZWTreeEndLabelEditMessage()) {
            endEditMessages.emplace_back(wParam, lParam);
            return TRUE;
        }
        if (message == WM_NOTIFY) {
            auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
            Notice n;
            n.code = pHdr->code;
            const int code = (int)pHdr->code;
            if (code == TVN_SELCHANGINGA || code == TVN_SELCHANGEDA || code == TVN_ITEMEXPANDINGA ||
                code == TVN_ITEMEXPANDEDA || code == TVN_DELETEITEMA || code == TVN_BEGINDRAGA) {
                auto* p = reinterpret_cast<NMTREEVIEWA*>(pHdr);
                n.item = p->itemNew.hItem;
                n.old = p->itemOld.hItem;
                n.action = p->action;
            } else if (code == TVN_BEGINLABELEDITA || code == TVN_ENDLABELEDITA) {
                auto* p = reinterpret_cast<NMTVDISPINFOA*>(pHdr);
                n.item = p->item.hItem;
                if (p->item.pszText != nullptr && !ozwlist::IsCallback(p->item.pszText))
                    n.text = p->item.pszText;
            }
            notices.push_back(n);
            *pResult = answer ? answer(pHdr) : 0;
            return TRUE;
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class CTestTreeView : public OZWTreeView
{
    DECLARE_DYNCREATE(CTestTreeView)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS;
        return OZWTreeView::PreCreateWindow(cs);
    }
};
IMPLEMENT_DYNCREATE(CTestTreeView, OZWTreeView)

class TreeViewTest : public ::testing::Test
{
protected:
    CRecordingFrame* frame = nullptr;
    OZWTreeView* tree = nullptr;

    void MakeTree(CRuntimeClass* pClass = RUNTIME_CLASS(CTestTreeView))
    {
        frame = new CRecordingFrame;
        CCreateContext context;
        context.m_pNewViewClass = pClass;
        ASSERT_TRUE(frame->Create(nullptr, "Tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 340), nullptr,
                                  nullptr, 0, &context));
        tree = static_cast<OZWTreeView*>(frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        ASSERT_NE(nullptr, tree);
        frame->SetActiveView(tree);
        frame->RecalcLayout();
        tree->SetAutoUpdate(TRUE);
    }
    void TearDown() override
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        kvtest::PumpMessages();
    }
    // Groups "g0".. with leaves "g0.0"..
    std::vector<HTREEITEM> Fill(int nGroups, int nLeaves)
    {
        tree->SetAutoUpdate(FALSE);
        std::vector<HTREEITEM> groups;
        for (int g = 0; g < nGroups; ++g) {
            HTREEITEM h = tree->InsertItem(("g" + std::to_string(g)).c_str());
            groups.push_back(h);
            for (int k = 0; k < nLeaves; ++k)
                tree->InsertItem(("g" + std::to_string(g) + "." + std::to_string(k)).c_str(), h);
        }
        tree->SetAutoUpdate(TRUE);
        tree->RecalcLayout();
        frame->notices.clear();
        return groups;
    }
    CRect RowRect(HTREEITEM h)
    {
        CRect rc;
        EXPECT_TRUE(tree->OZWListModel::GetSubItemRect(tree->RowOf(tree->NodeOf(h)), 0, &rc, 0));
        return rc;
    }
    CPoint ButtonPoint(HTREEITEM h)
    {
        CRect box;
        EXPECT_TRUE(tree->GetButtonRect(&box, tree->RowOf(tree->NodeOf(h)), RowRect(h)));
        return box.CenterPoint();
    }
    CPoint LabelPoint(HTREEITEM h)
    {
        CRect rc;
        EXPECT_TRUE(tree->OZWListModel::GetSubItemRect(tree->RowOf(tree->NodeOf(h)), 0, &rc, 2));
        return CPoint(rc.left + 3, (rc.top + rc.bottom) / 2);
    }
    void Click(CPoint pt, UINT nKeys = 0)
    {
        tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nKeys, MAKELPARAM(pt.x, pt.y));
        tree->SendMessage(WM_LBUTTONUP, nKeys, MAKELPARAM(pt.x, pt.y));
    }
    void Key(UINT vk) { tree->SendMessage(WM_KEYDOWN, vk, 1); }
};

const UINT EXPANDING = (UINT)TVN_ITEMEXPANDINGA, EXPANDED = (UINT)TVN_ITEMEXPANDEDA;
const UINT SELCHANGING = (UINT)TVN_SELCHANGINGA, SELCHANGED = (UINT)TVN_SELCHANGEDA;

} // namespace

TEST_F(TreeViewTest, MadeByItsRunTimeClass)
{
    MakeTree(RUNTIME_CLASS(OZWTreeView));
    EXPECT_STREQ("OZWTreeView", RUNTIME_CLASS(OZWTreeView)->m_lpszClassName);
    EXPECT_EQ(0xFFFFu, RUNTIME_CLASS(OZWTreeView)->m_wSchema);
    EXPECT_EQ(nullptr, tree->GetRootItem());
    EXPECT_EQ(0, tree->GetCount());
    EXPECT_EQ(20, tree->GetIndent());
    EXPECT_EQ(1, tree->GetColumnCount());
    EXPECT_EQ((DWORD)OZWLS_REPORT, tree->GetListStyle() & OZWLS_VIEWMASK);
}

TEST_F(TreeViewTest, StyleBitsComeFromTheWindowsStyle)
{
    MakeTree();
    EXPECT_EQ((DWORD)(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS), tree->GetStyle());
    EXPECT_EQ(0u, tree->CWnd::GetStyle() & 0x43F);
    EXPECT_TRUE(tree->GetListStyle() & OZWLS_EDITLABELS);
}

TEST_F(TreeViewTest, TenThousandNodesExpandAndCollapseByMouseAndKeyboard)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(100, 99);
    ASSERT_EQ(100, tree->GetItemCount());
    // A click on the button toggles, telling the owner before and after.
    Click(ButtonPoint(groups[0]));
    EXPECT_TRUE(tree->IsExpanded(groups[0]));
    EXPECT_EQ(199, tree->GetItemCount());
    EXPECT_EQ((std::vector<UINT>{ EXPANDING, EXPANDED }), frame->Codes());
    EXPECT_EQ(groups[0], frame->notices[0].item);
    EXPECT_EQ((UINT)TVE_EXPAND, frame->notices[0].action);
    Click(ButtonPoint(groups[0]));
    EXPECT_EQ(100, tree->GetItemCount());
    // Keys: Right expands, Right again goes to the first child, Left to the
    // parent, Left again collapses; on a collapsed top-level item, nothing.
    tree->Select(groups[1], TVGN_CARET);
    Key(VK_RIGHT);
    EXPECT_TRUE(tree->IsExpanded(groups[1]));
    Key(VK_RIGHT);
    EXPECT_EQ(tree->GetChildItem(groups[1]), tree->GetSelectedItem());
    Key(VK_LEFT);
    EXPECT_EQ(groups[1], tree->GetSelectedItem());
    Key(VK_LEFT);
    EXPECT_FALSE(tree->IsExpanded(groups[1]));
    frame->notices.clear();
    Key(VK_LEFT);
    EXPECT_EQ(groups[1], tree->GetSelectedItem());
    EXPECT_TRUE(frame->Codes() == std::vector<UINT>{ (UINT)TVN_KEYDOWN }) << "only the key is reported";
    // Numpad * expands everything below the focus item; the character does
    // not search.
    tree->Select(groups[0], TVGN_CARET);
    Key(VK_MULTIPLY);
    tree->SendMessage(WM_CHAR, '*', 1);
    EXPECT_EQ(100 + 99, tree->GetItemCount());
    EXPECT_EQ(groups[0], tree->GetSelectedItem());
    for (HTREEITEM h : groups)
        tree->Expand(h, TVE_EXPAND, FALSE);
    tree->RecalcLayout();
    EXPECT_EQ(10000, tree->GetItemCount());
    // Scrolled to the end and back.
    Key(VK_END);
    EXPECT_EQ("g99.98", std::string(tree->GetItemText(tree->GetSelectedItem())));
}

TEST_F(TreeViewTest, SelectingByMouseAsksTheOwner)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(5, 2);
    Click(LabelPoint(groups[2]));
    EXPECT_EQ(groups[2], tree->GetSelectedItem());
    ASSERT_EQ((std::vector<UINT>{ SELCHANGING, SELCHANGED }), frame->Codes());
    EXPECT_EQ((UINT)TVC_BYMOUSE, frame->notices[1].action);
    EXPECT_EQ(groups[2], frame->notices[1].item);
    EXPECT_EQ(groups[0], frame->notices[1].old);
    // A refusal keeps the selection where it is.
    frame->answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)TVN_SELCHANGINGA ? 1 : 0; };
    Click(LabelPoint(groups[4]));
    EXPECT_EQ(groups[2], tree->GetSelectedItem());
    frame->answer = nullptr;
    Key(VK_DOWN);
    EXPECT_EQ(groups[3], tree->GetSelectedItem());
    EXPECT_EQ((UINT)TVC_BYKEYBOARD, frame->notices.back().action);
}

TEST_F(TreeViewTest, DoubleClickTogglesUnlessCtrlIsHeld)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(3, 2);
    const CPoint pt = LabelPoint(groups[1]);
    tree->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(tree->IsExpanded(groups[1]));
    tree->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(tree->IsExpanded(groups[1]));
    // An owner that handles the double click itself.
    frame->answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)NM_DBLCLK ? 1 : 0; };
    tree->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(tree->IsExpanded(groups[1]));
}

TEST_F(TreeViewTest, SingleExpandKeepsOneBranchOpen)
{
    MakeTree();
    tree->ModifyStyle(0, TVS_SINGLEEXPAND);
    const std::vector<HTREEITEM> groups = Fill(3, 2);
    Click(LabelPoint(groups[0]));
    EXPECT_TRUE(tree->IsExpanded(groups[0])) << "the focus item clicked again toggles";
    Click(LabelPoint(groups[2]));
    EXPECT_FALSE(tree->IsExpanded(groups[0])) << "the sibling above collapses";
    EXPECT_TRUE(tree->IsExpanded(groups[2]));
    Click(LabelPoint(groups[2]));
    EXPECT_FALSE(tree->IsExpanded(groups[2])) << "a second click collapses it";
}

TEST_F(TreeViewTest, EditingALabel)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(3, 0);
    tree->Select(groups[1], TVGN_CARET);
    frame->notices.clear();
    frame->answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)TVN_ENDLABELEDITA ? 1 : 0; };
    Key(VK_F2);
    HWND hEdit = tree->GetEditControl()->m_hWnd;
    ASSERT_NE(nullptr, hEdit);
    char text[32];
    ::GetWindowTextA(hEdit, text, sizeof text);
    EXPECT_STREQ("g1", text);
    ::SetWindowTextA(hEdit, "renamed");
    tree->SendMessage(WM_COMMAND, MAKEWPARAM(OZWLIST_EDIT_ID, EN_UPDATE), (LPARAM)hEdit);
    ::SetFocus(frame->m_hWnd); // focus elsewhere commits
    EXPECT_EQ("renamed", std::string(tree->GetItemText(groups[1])));
    const std::vector<UINT> codes = frame->Codes();
    EXPECT_EQ((std::vector<UINT>{ (UINT)TVN_KEYDOWN, (UINT)TVN_BEGINLABELEDITA, (UINT)TVN_ENDLABELEDITA }), codes);
    for (const Notice& n : frame->notices)
        if (n.code == (UINT)TVN_ENDLABELEDITA)
            EXPECT_EQ("renamed", n.text);
    ASSERT_EQ(1u, frame->endEditMessages.size());
    EXPECT_EQ((LPARAM)groups[1], frame->endEditMessages[0].second);
    // A refused edit leaves the label.
    frame->answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)TVN_BEGINLABELEDITA ? 1 : 0; };
    tree->SetFocus();
    Key(VK_F2);
    EXPECT_EQ(nullptr, tree->GetEditControl()->m_hWnd);
}

TEST_F(TreeViewTest, DraggingAnItemWithItsImage)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(4, 1);
    EXPECT_EQ(nullptr, tree->CreateDragImage(groups[1])) << "no image list, no drag image";
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    CBitmap bitmap;
    {
        CClientDC screen(nullptr);
        bitmap.CreateCompatibleBitmap(&screen, 16, 16);
    }
    images.Add(&bitmap, RGB(255, 0, 255));
    tree->SetImageList(&images, LVSIL_NORMAL);
    tree->SetItemImage(groups[1], 0, 0);
    CImageList* pDrag = tree->CreateDragImage(groups[1]);
    ASSERT_NE(nullptr, pDrag);
    IMAGEINFO info = {};
    pDrag->GetImageInfo(0, &info);
    EXPECT_GT(info.rcImage.right - info.rcImage.left, 16 + 6) << "the icon with the text beside it";
    delete pDrag;
    tree->SetImageList(nullptr, LVSIL_NORMAL);
    // A press on a label and a move of more than 3 pixels: TVN_BEGINDRAG.
    const CPoint pt = LabelPoint(groups[2]);
    tree->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    tree->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 6, pt.y));
    tree->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x + 12, pt.y));
    tree->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x + 12, pt.y));
    const std::vector<UINT> codes = frame->Codes();
    EXPECT_EQ(1, std::count(codes.begin(), codes.end(), (UINT)TVN_BEGINDRAGA)) << "once per drag";
    for (const Notice& n : frame->notices)
        if (n.code == (UINT)TVN_BEGINDRAGA)
            EXPECT_EQ(groups[2], n.item);
}

TEST_F(TreeViewTest, HoveringADropTargetExpandsIt)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(3, 2);
    tree->ModifyStyleEx(0, 0x2000000);
    tree->SelectDropTarget(groups[1]);
    EXPECT_NE(0u, tree->m_nHoverTimer);
    EXPECT_EQ(groups[1], tree->GetDropHilightItem());
    tree->SendMessage(WM_TIMER, OZWTIMER_HOVEREXPAND);
    EXPECT_TRUE(tree->IsExpanded(groups[1]));
    tree->SelectDropTarget(nullptr);
    EXPECT_EQ(0u, tree->m_nHoverTimer);
    EXPECT_EQ(nullptr, tree->GetDropHilightItem());
}

TEST_F(TreeViewTest, HitTestFlags)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(3, 1);
    UINT nFlags = 0;
    EXPECT_EQ(groups[1], tree->HitTest(LabelPoint(groups[1]), &nFlags));
    EXPECT_EQ((UINT)(OZWTVHT_ONROW | TVHT_ONITEMLABEL), nFlags);
    EXPECT_EQ(groups[1], tree->HitTest(ButtonPoint(groups[1]), &nFlags));
    EXPECT_EQ((UINT)(OZWTVHT_ONROW | TVHT_ONITEMBUTTON), nFlags);
    const CRect row = RowRect(groups[1]);
    EXPECT_EQ(groups[1], tree->HitTest(CPoint(row.right - 3, row.top + 2), &nFlags));
    EXPECT_EQ((UINT)(OZWTVHT_ONROW | TVHT_ONITEMRIGHT), nFlags);
    EXPECT_EQ(nullptr, tree->HitTest(CPoint(10, 300), &nFlags));
    EXPECT_EQ((UINT)TVHT_NOWHERE, nFlags);
    EXPECT_EQ(nullptr, tree->HitTest(CPoint(-5, 30), &nFlags));
    EXPECT_EQ((UINT)TVHT_TOLEFT, nFlags);
}

TEST_F(TreeViewTest, LinesAndButtonsAsPainted)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(3, 2);
    tree->Expand(groups[0], TVE_EXPAND);
    CRect client;
    tree->GetClientRect(&client);
    kvtest::MemoryBitmap bitmap(client.Width(), client.Height());
    tree->DoPaint(bitmap.DC());
    CRect box0, box1;
    tree->GetButtonRect(&box0, tree->RowOf(tree->NodeOf(groups[0])), RowRect(groups[0]));
    tree->GetButtonRect(&box1, tree->RowOf(tree->NodeOf(groups[1])), RowRect(groups[1]));
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), ink = ::GetSysColor(COLOR_WINDOWTEXT);
    // The box (classic, or the theme's glyph) stands out from the background.
    EXPECT_NE(tree->GetBkColor(), bitmap.At(box0.left, box0.top + 2)) << "the box";
    const CPoint c0 = box0.CenterPoint(), c1 = box1.CenterPoint();
    EXPECT_EQ(ink, bitmap.At(c0.x - 1, c0.y)) << "the bar of the minus";
    EXPECT_NE(ink, bitmap.At(c0.x, c0.y - 2)) << "no upright: expanded";
    EXPECT_EQ(ink, bitmap.At(c1.x, c1.y - 2)) << "the plus of a collapsed item";
    // A dotted line runs down from group 0's button past its children.
    const CRect child = RowRect(tree->GetChildItem(groups[0]));
    int nDots = 0;
    for (int y = child.top; y < child.bottom; ++y)
        nDots += bitmap.At(c0.x, y) == shadow;
    EXPECT_GE(nDots, child.Height() / 2 - 1);
    EXPECT_LE(nDots, child.Height() / 2 + 1) << "every other pixel";

    // On paper: the classic box, and solid lines.
    kvtest::MemoryBitmap paper(client.Width(), client.Height());
    paper.DC()->FillSolidRect(&client, RGB(255, 255, 255));
    CDC printing;
    printing.m_hDC = printing.m_hAttribDC = paper.hdc();
    printing.m_bPrinting = TRUE;
    tree->DoPaint(&printing);
    printing.m_hDC = printing.m_hAttribDC = nullptr;
    EXPECT_EQ(shadow, paper.At(box0.left, box0.top + 2));
    EXPECT_EQ(ink, paper.At(c1.x, c1.y - 2));
    int nSolid = 0;
    for (int y = child.top; y < child.bottom; ++y)
        nSolid += paper.At(c0.x, y) != RGB(255, 255, 255);
    EXPECT_EQ(child.Height(), nSolid);
}

TEST_F(TreeViewTest, DestroyingTheViewTellsTheOwnerOfEveryItem)
{
    MakeTree();
    Fill(3, 2);
    tree->DestroyWindow();
    tree = nullptr;
    const std::vector<UINT> codes = frame->Codes();
    EXPECT_EQ(9, std::count(codes.begin(), codes.end(), (UINT)TVN_DELETEITEMA));
}

TEST_F(TreeViewTest, ColumnTextsFromTheStore)
{
    MakeTree();
    const std::vector<HTREEITEM> groups = Fill(2, 0);
    tree->AddColumn("Size", LVCFMT_RIGHT, 80);
    tree->EnableSubItemTextStorage(TRUE);
    tree->SetItemText(groups[1], 1, "40 mm");
    EXPECT_EQ("40 mm", std::string(tree->OZWListModel::GetItemText(tree->RowOf(tree->NodeOf(groups[1])), 1)));
    EXPECT_EQ("g1", std::string(tree->OZWListModel::GetItemText(tree->RowOf(tree->NodeOf(groups[1])), 0)));
    // A typed letter finds a label.
    tree->SendMessage(WM_CHAR, 'g', 1);
    EXPECT_EQ(groups[1], tree->GetSelectedItem());
}

TEST_F(TreeViewTest, ARowShrinksWithItsLabel)
{
    MakeTree();
    tree->SetColumnWidth(0, 300);
    HTREEITEM h = tree->InsertItem("one");
    const int nOneLine = RowRect(h).Height();
    ASSERT_GT(nOneLine, 0);
    tree->SetItemText(h, "one\ntwo\nthree");
    tree->RecalcLayout();
    EXPECT_GT(RowRect(h).Height(), nOneLine) << "three lines";
    tree->SetItemText(h, "one");
    tree->RecalcLayout();
    EXPECT_EQ(nOneLine, RowRect(h).Height()) << "measured from nothing, not from the old height";
}
