// The message-filter tree: building it from descriptors, switching filters
// on and off, and the order and results of message processing.
#include <gtest/gtest.h>
#include "frame/msgfilter/OZWMsgFilter.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

// A filter that records its kind when it sees a message and answers the
// bits set for it.
class RecordingFilter : public OZWMsgFilter
{
    DECLARE_DYNCREATE(RecordingFilter)
public:
    RecordingFilter() = default;
    RecordingFilter(const RecordingFilter&) = default;
    OZWMsgFilter* Clone() const override { return new RecordingFilter(*this); }
    UINT ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        g_calls.push_back(std::to_string(m_nID));
        return m_nAnswer | ProcessChildren(message, wParam, lParam, pResult);
    }
    UINT m_nAnswer = 0;
};
IMPLEMENT_DYNCREATE(RecordingFilter, OZWMsgFilter)

struct Tree
{
    OZWMsgFilter root {nullptr, -1};
    OZWMsgFilter::DescriptorTable table;
    Tree()
    {
        table.Add({256, -1, RUNTIME_CLASS(RecordingFilter), 1});
        table.Add({258, 256, RUNTIME_CLASS(RecordingFilter), 0});
        table.Add({259, -1, RUNTIME_CLASS(RecordingFilter), 0});
    }
    RecordingFilter* Find(int id) { return static_cast<RecordingFilter*>(root.FindFilter(id, nullptr, -1)); }
};

} // namespace

TEST(MsgFilter, EnablingCreatesInTableOrderUnderTheParent)
{
    Tree t;
    const BOOL on[] = {TRUE, TRUE, TRUE};
    t.root.ApplyDescriptors(t.table, on);
    ASSERT_EQ(t.root.GetChildCount(), 2);
    EXPECT_EQ(t.root.GetChild(0)->GetID(), 256);
    EXPECT_EQ(t.root.GetChild(1)->GetID(), 259);
    ASSERT_NE(t.Find(258), nullptr);
    // Depth 0 sees only the direct children.
    EXPECT_EQ(t.root.FindFilter(258, nullptr, 0), nullptr);
    EXPECT_EQ(t.Find(258), t.root.GetChild(0)->GetChild(0));
}

TEST(MsgFilter, DisablingCreatesNothingAndKeepsAFlaggedFilterOn)
{
    Tree t;
    const BOOL off[] = {FALSE, FALSE, FALSE};
    t.root.ApplyDescriptors(t.table, off);
    EXPECT_EQ(t.root.GetChildCount(), 0);

    t.root.ApplyDescriptorsAll(t.table, TRUE);
    t.root.ApplyDescriptorsAll(t.table, FALSE);
    EXPECT_TRUE(t.Find(256)->IsEnabled());   // flag bit 0: never switched off
    EXPECT_FALSE(t.Find(258)->IsEnabled());
    EXPECT_FALSE(t.Find(259)->IsEnabled());
    // Switching on again finds the same filters.
    t.root.ApplyDescriptorsAll(t.table, TRUE);
    EXPECT_EQ(t.root.GetChildCount(), 2);
    EXPECT_TRUE(t.Find(259)->IsEnabled());
}

TEST(MsgFilter, ADescriptorWhoseParentIsMissingDoesNothing)
{
    Tree t;
    EXPECT_EQ(t.root.ApplyDescriptor(*t.table[1], TRUE), nullptr);
    EXPECT_EQ(t.root.GetChildCount(), 0);
}

TEST(MsgFilter, ProcessingOrderResultsAndStop)
{
    Tree t;
    t.root.ApplyDescriptorsAll(t.table, TRUE);
    struct Case
    {
        UINT answer256, answer258, answer259;
        BOOL rootEnabled;
        const char* calls;
        UINT result;
    } cases[] = {
        {0, 0, 0, TRUE, "256 258 259", 0},
        {0, 1, 0, TRUE, "256 258 259", 1},
        // A stop in a subtree ends the walk of its siblings, and its bits
        // still count.
        {8, 0, 2, TRUE, "256 258", 8},
        {0, 9, 2, TRUE, "256 258", 9},
        {0, 0, 0, FALSE, "", 0},
    };
    for (const Case& c : cases) {
        t.Find(256)->m_nAnswer = c.answer256;
        t.Find(258)->m_nAnswer = c.answer258;
        t.Find(259)->m_nAnswer = c.answer259;
        t.root.Enable(c.rootEnabled);
        g_calls.clear();
        EXPECT_EQ(t.root.FilterMessage(WM_NCLBUTTONDOWN, 0, 0, nullptr), c.result);
        std::string calls;
        for (const std::string& s : g_calls)
            calls += (calls.empty() ? "" : " ") + s;
        EXPECT_EQ(calls, c.calls);
    }
    // A disabled filter's subtree does not run.
    t.root.Enable(TRUE);
    t.Find(256)->m_nAnswer = 0;
    t.Find(259)->m_nAnswer = 0;
    t.Find(256)->Enable(FALSE);
    g_calls.clear();
    t.root.FilterMessage(WM_NCLBUTTONDOWN, 0, 0, nullptr);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0], "259");
}

TEST(MsgFilter, CloneCopiesKindStateWindowAndChildren)
{
    CWnd wnd;
    OZWMsgFilter root(&wnd, 7);
    OZWMsgFilter::DescriptorTable table;
    table.Add({1, -1, RUNTIME_CLASS(RecordingFilter), 0});
    table.Add({2, -1, RUNTIME_CLASS(OZWNcMsgFilter), 0});
    root.ApplyDescriptorsAll(table, TRUE);
    root.GetChild(1)->Enable(FALSE);

    std::unique_ptr<OZWMsgFilter> copy(root.Clone());
    EXPECT_EQ(copy->GetID(), 7);
    EXPECT_EQ(copy->GetWnd(), &wnd);
    ASSERT_EQ(copy->GetChildCount(), 2);
    EXPECT_EQ(copy->GetChild(0)->GetID(), 1);
    EXPECT_NE(copy->GetChild(0), root.GetChild(0));
    EXPECT_TRUE(copy->GetChild(0)->IsKindOf(RUNTIME_CLASS(RecordingFilter)));
    EXPECT_TRUE(copy->GetChild(1)->IsKindOf(RUNTIME_CLASS(OZWNcMsgFilter)));
    EXPECT_FALSE(copy->GetChild(1)->IsEnabled());
    EXPECT_EQ(copy->GetChild(1)->GetWnd(), &wnd);
}

TEST(MsgFilter, AClassThatIsNoFilterIsNotCreated)
{
    OZWMsgFilter root;
    EXPECT_EQ(root.FindFilter(3, RUNTIME_CLASS(CObject), -1), nullptr);
    EXPECT_EQ(root.GetChildCount(), 0);
}
