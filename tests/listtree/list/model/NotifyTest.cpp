// The list model's notifications: the structures the parent gets and how
// its answers are used.
#include "tests/listtree/list/model/ListModelFixture.h"

#include <gtest/gtest.h>
#include <cstring>

using lmtest::TestModel;

TEST(ListNotify, EndLabelEditHandsTheParentACopyItMayReplace)
{
    TestModel m;
    m.AddColumn("A");
    m.Fill(2);
    static char replacement[] = "changed by the parent";
    m.answer = [](NMHDR* pHdr) -> LRESULT {
        auto* p = reinterpret_cast<NMLVDISPINFOA*>(pHdr);
        EXPECT_EQ(OZWLIST_TEXTBUFFER, p->item.cchTextMax);
        p->item.pszText = replacement;
        return 1;
    };
    CString text = "typed";
    EXPECT_TRUE(m.NotifyEndLabelEdit(1, 0, text, TRUE));
    EXPECT_EQ("changed by the parent", std::string(text));
    ASSERT_EQ(1u, m.notices.size());
    EXPECT_EQ("typed", m.notices[0].text);
    EXPECT_EQ(101, m.notices[0].lParam);
    EXPECT_EQ((UINT)LVIF_TEXT, m.notices[0].mask);
}

TEST(ListNotify, EndLabelEditRefusedOrCancelled)
{
    TestModel m;
    m.AddColumn("A");
    m.Fill(1);
    m.answer = [](NMHDR*) -> LRESULT { return 0; };
    CString text = "typed";
    EXPECT_FALSE(m.NotifyEndLabelEdit(0, 0, text, TRUE));
    EXPECT_EQ("typed", std::string(text));
    m.answer = [](NMHDR* pHdr) -> LRESULT {
        EXPECT_EQ(nullptr, reinterpret_cast<NMLVDISPINFOA*>(pHdr)->item.pszText);
        return 1;
    };
    EXPECT_FALSE(m.NotifyEndLabelEdit(0, 0, text, FALSE)) << "a cancel is never accepted";
}

TEST(ListNotify, ALongEditedTextReachesTheParentCutToTheBuffer)
{
    TestModel m;
    m.AddColumn("A");
    m.Fill(1);
    size_t seen = 0;
    m.answer = [&](NMHDR* pHdr) -> LRESULT {
        seen = std::strlen(reinterpret_cast<NMLVDISPINFOA*>(pHdr)->item.pszText);
        return 1;
    };
    CString text(std::string(5000, 'x'));
    EXPECT_TRUE(m.NotifyEndLabelEdit(0, 0, text, TRUE));
    EXPECT_EQ((size_t)OZWLIST_TEXTBUFFER - 1, seen);
}

TEST(ListNotify, BeginEditColumnClickAndKeyDownCarryTheirFields)
{
    TestModel m;
    m.AddColumn("A");
    m.Fill(3);
    m.answer = [](NMHDR* pHdr) -> LRESULT { return pHdr->code == (UINT)LVN_BEGINLABELEDITA ? 1 : 0; };
    EXPECT_EQ(1, m.NotifyBeginLabelEdit(2, 0));
    m.NotifyColumnClick(4);
    m.NotifyKeyDown(VK_DOWN);
    ASSERT_EQ(3u, m.notices.size());
    EXPECT_EQ((UINT)LVN_BEGINLABELEDITA, m.notices[0].code);
    EXPECT_EQ(2, m.notices[0].item);
    EXPECT_EQ(102, m.notices[0].lParam);
    EXPECT_EQ((UINT)LVN_COLUMNCLICK, m.notices[1].code);
    EXPECT_EQ(-1, m.notices[1].item);
    EXPECT_EQ(4, m.notices[1].subItem);
    EXPECT_EQ((UINT)LVN_KEYDOWN, m.notices[2].code);
    EXPECT_EQ(VK_DOWN, m.notices[2].item);
    m.NotifyCode(NM_CLICK);
    EXPECT_EQ((UINT)NM_CLICK, m.notices.back().code);
}
