// In-place label editing of the list control: begun by F2 or by a second
// click after the delay, committed by Enter or focus loss, cancelled by
// Escape, with the parent asked before and after.
#include "tests/listtree/list/ctrl/ListWindowFixture.h"

using namespace lctest;

namespace {

class ListEditTest : public ListWindowTest
{
protected:
    void SetUp() override
    {
        MakeList(OZWLS_REPORT | OZWLS_EDITLABELS | OZWLS_NOLABELWRAP);
        Fill(5);
    }
    HWND Editor() const { return list->GetEditControl()->m_hWnd; }
    void Type(const char* text)
    {
        ::SetWindowTextA(Editor(), text);
        // The edit control tells its parent of the change.
        list->SendMessage(WM_COMMAND, MAKEWPARAM(OZWLIST_EDIT_ID, EN_UPDATE), (LPARAM)Editor());
    }
    void EditorKey(UINT vk) { ::SendMessage(Editor(), WM_KEYDOWN, vk, 1); }
    // The last end-of-edit notice.
    const Notice* LastEnd() const
    {
        for (auto it = parent.notices.rbegin(); it != parent.notices.rend(); ++it)
            if (it->code == (UINT)LVN_ENDLABELEDITA)
                return &*it;
        return nullptr;
    }
    // The parent lets every edit begin and accepts it at the end.
    static LRESULT AcceptEnd(NMHDR* pHdr) { return pHdr->code == (UINT)LVN_ENDLABELEDITA ? 1 : 0; }
};

} // namespace

TEST_F(ListEditTest, EnterCommitsWhatWasTyped)
{
    Key(VK_F2);
    ASSERT_NE(nullptr, Editor());
    EXPECT_TRUE(::IsWindowVisible(Editor()));
    EXPECT_EQ(::GetFocus(), Editor());
    char text[64];
    ::GetWindowTextA(Editor(), text, sizeof text);
    EXPECT_STREQ("Item 0", text);
    parent.answer = AcceptEnd;
    Type("Renamed");
    EXPECT_EQ("Renamed", std::string(list->GetItemText(0, 0))) << "the item follows the typing";
    EditorKey(VK_RETURN);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ("Renamed", std::string(list->GetItemText(0, 0)));
    EXPECT_EQ(::GetFocus(), list->m_hWnd);
    EXPECT_EQ(-1, list->GetEditItem());
    const std::vector<UINT> codes = parent.CodesWithoutFocus();
    const std::vector<UINT> want = { (UINT)LVN_KEYDOWN, (UINT)LVN_BEGINLABELEDITA, (UINT)LVN_ENDLABELEDITA };
    EXPECT_EQ(want, codes);
    ASSERT_NE(nullptr, LastEnd());
    EXPECT_EQ("Renamed", LastEnd()->text);
}

TEST_F(ListEditTest, EscapeRestoresTheTextFromBeforeEditing)
{
    parent.answer = AcceptEnd;
    Key(VK_DOWN);
    Key(VK_F2);
    Type("half typed");
    EXPECT_EQ("half typed", std::string(list->GetItemText(1, 0)));
    EditorKey(VK_ESCAPE);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ("Item 1", std::string(list->GetItemText(1, 0)));
    ASSERT_NE(nullptr, LastEnd());
    EXPECT_EQ("", LastEnd()->text) << "a cancel hands no text";
}

TEST_F(ListEditTest, TheParentMayRefuseToBeginOrToAccept)
{
    parent.answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)LVN_BEGINLABELEDITA ? 1 : 0; };
    Key(VK_F2);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ(-1, list->GetEditItem());
    for (UINT code : parent.Codes())
        EXPECT_NE((UINT)LVN_ENDLABELEDITA, code);

    parent.answer = nullptr; // 0 to the end: the edit is thrown away
    Key(VK_F2);
    ASSERT_NE(nullptr, Editor());
    Type("not wanted");
    EditorKey(VK_RETURN);
    EXPECT_EQ("Item 0", std::string(list->GetItemText(0, 0)));

    // The parent may change the text it accepts.
    static char changed[] = "Changed by parent";
    parent.answer = [](NMHDR* pHdr) -> LRESULT {
        if (pHdr->code != (UINT)LVN_ENDLABELEDITA)
            return 0;
        reinterpret_cast<NMLVDISPINFOA*>(pHdr)->item.pszText = changed;
        return 1;
    };
    Key(VK_F2);
    Type("typed");
    EditorKey(VK_RETURN);
    EXPECT_EQ("Changed by parent", std::string(list->GetItemText(0, 0)));
}

TEST_F(ListEditTest, FocusElsewhereCommits)
{
    parent.answer = AcceptEnd;
    Key(VK_F2);
    Type("kept");
    ::SetFocus(parent.m_hWnd);
    EXPECT_EQ(nullptr, Editor());
    EXPECT_EQ("kept", std::string(list->GetItemText(0, 0)));
}

TEST_F(ListEditTest, ASecondClickOnTheSelectedLabelEditsAfterTheDelay)
{
    Click(LabelPoint(2));    // selects and arms
    EXPECT_EQ(2, list->GetPendingEditItem());
    EXPECT_EQ(0u, list->m_nEditTimer);
    Click(LabelPoint(2));    // starts the delay
    EXPECT_NE(0u, list->m_nEditTimer);
    EXPECT_EQ(nullptr, Editor());
    list->SendMessage(WM_TIMER, OZWTIMER_LABELEDIT);
    ASSERT_NE(nullptr, Editor());
    EXPECT_EQ(2, list->GetEditItem());
    EditorKey(VK_ESCAPE);

    // A double click instead never edits.
    Click(LabelPoint(3));
    Click(LabelPoint(3));
    const CPoint pt = LabelPoint(3);
    list->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(-1, list->GetPendingEditItem());
    EXPECT_EQ(0u, list->m_nEditTimer);
}

TEST_F(ListEditTest, TheEditorStaysInsideTheList)
{
    list->SetColumnWidth(0, 380);
    list->SetItemText(4, 0, std::string(200, 'W').c_str());
    list->SetFocusAndSelect(4, TRUE);
    Key(VK_F2);
    ASSERT_NE(nullptr, Editor());
    CRect rc;
    ::GetWindowRect(Editor(), &rc);
    list->ScreenToClient(&rc);
    CRect rows;
    list->GetItemsRect(&rows);
    EXPECT_GE(rc.left, 0);
    EXPECT_LE(rc.right, rows.right);
    // A sub-item is edited in its own column.
    EditorKey(VK_ESCAPE);
    list->SetColumnWidth(0, 150);
    Click(CellPoint(4, 1, 60));
    list->SetCurColumn(1);
    Key(VK_F2);
    ASSERT_NE(nullptr, Editor());
    ::GetWindowRect(Editor(), &rc);
    list->ScreenToClient(&rc);
    EXPECT_GE(rc.left, 150 - 4);
    EXPECT_EQ(1, parent.notices.back().subItem);
}

TEST_F(ListEditTest, WithWrappingLabelsEnterBreaksTheLineAndTheRowGrows)
{
    list->SetLabelWrap(TRUE);
    parent.answer = AcceptEnd;
    Key(VK_F2);
    ASSERT_NE(nullptr, Editor());
    const int nBefore = list->GetItemRecord(0)->m_nHeight;
    EditorKey(VK_RETURN);
    EXPECT_NE(nullptr, Editor()) << "Enter is a line break here";
    Type("first line\r\nsecond line");
    EXPECT_GT(list->GetItemRecord(0)->m_nHeight, nBefore);
    ::SetFocus(parent.m_hWnd);
    EXPECT_EQ("first line\r\nsecond line", std::string(list->GetItemText(0, 0)));
}
