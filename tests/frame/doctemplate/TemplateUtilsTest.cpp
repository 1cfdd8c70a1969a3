// Finding templates, their indexes and the menus of frames.
#include "frame/doctemplate/OZWDocTemplateUtils.h"
#include "tests/frame/doctemplate/TemplateTestApp.h"

namespace {

class TemplateUtilsTest : public ::testing::Test
{
protected:
    void TearDown() override { ResetApplication(); }
};

} // namespace

TEST_F(TemplateUtilsTest, IndexesCountOnlyTemplatesOfTheType)
{
    auto* first = AddTemplate(new CMultiDocTemplate(1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                    RUNTIME_CLASS(CTestView)), "A", "Alpha");
    auto* second = AddTemplate(new CMultiDocTemplate(2, RUNTIME_CLASS(COtherDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                     RUNTIME_CLASS(COtherView)), "B", "Beta");
    auto* third = AddTemplate(new CMultiDocTemplate(3, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                    RUNTIME_CLASS(COtherView)), "A", "Alpha");
    OZWDocTemplateUtils utils;
    EXPECT_EQ(utils.GetTemplateIndex(first, "A"), 0);
    EXPECT_EQ(utils.GetTemplateIndex(third, "A"), 1);
    EXPECT_EQ(utils.GetTemplateIndex(second, "B"), 0);
    // A template of another type has no index among the type's templates.
    EXPECT_EQ(utils.GetTemplateIndex(second, "A"), -1);
    EXPECT_EQ(utils.GetTemplateIndex(nullptr, "A"), -1);

    EXPECT_EQ(utils.GetTemplate("A", 0), first);
    EXPECT_EQ(utils.GetTemplate("A", 1), third);
    EXPECT_EQ(utils.GetTemplate("A", 5), third);   // fewer: the last of the type
    EXPECT_EQ(utils.GetTemplate("C", 0), nullptr);

    // Grouped by the file-type name instead of the id.
    OZWDocTemplateUtils byName(FALSE);
    EXPECT_EQ(byName.GetTemplateIndex(third, "Alpha"), 1);
    EXPECT_EQ(byName.GetTemplateIndex(third, "A"), -1);
}

TEST_F(TemplateUtilsTest, SingleTemplateDecidesOnNoneOrOne)
{
    OZWDocTemplateUtils utils;
    CPtrList list;
    CDocTemplate* pResult = reinterpret_cast<CDocTemplate*>(1);
    EXPECT_TRUE(utils.SingleTemplate(list, &pResult));
    EXPECT_EQ(pResult, nullptr);
    int a, b;
    list.AddTail(&a);
    EXPECT_TRUE(utils.SingleTemplate(list, &pResult));
    EXPECT_EQ(pResult, reinterpret_cast<CDocTemplate*>(&a));
    list.AddTail(&b);
    EXPECT_FALSE(utils.SingleTemplate(list, &pResult));
    EXPECT_EQ(pResult, nullptr);
}

TEST_F(TemplateUtilsTest, FindTemplateNarrowsByViewFrameResourceAndDocument)
{
    OZWDocTemplateUtils utils;
    CTestDoc doc;
    CTestView view;
    CMDIChildWnd frame;
    frame.m_nIDHelp = 3;
    EXPECT_EQ(utils.FindTemplate(nullptr, &view, &frame), nullptr);
    EXPECT_EQ(utils.GetFrameMenuID(&frame), 3u);
    EXPECT_EQ(utils.GetFrameMenuID(nullptr), 0u);

    // One template is the answer whatever the classes are.
    auto* only = AddTemplate(new CMultiDocTemplate(9, RUNTIME_CLASS(COtherDoc), RUNTIME_CLASS(CFrameWnd),
                                                   RUNTIME_CLASS(COtherView)), "X");
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &frame), only);

    auto* byView = AddTemplate(new CMultiDocTemplate(1, RUNTIME_CLASS(COtherDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                     RUNTIME_CLASS(CTestView)), "A");
    auto* byResource = AddTemplate(new CMultiDocTemplate(3, RUNTIME_CLASS(COtherDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                         RUNTIME_CLASS(CTestView)), "A");
    // View and frame leave two, the resource id one.
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &frame), byResource);
    frame.m_nIDHelp = 4;
    // No template has resource 4: nothing is left.
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &frame), nullptr);

    // Several left at the end: the document's own template, else the first.
    auto* same1 = AddTemplate(new CMultiDocTemplate(5, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                    RUNTIME_CLASS(COtherView)), "S");
    auto* same2 = AddTemplate(new CMultiDocTemplate(5, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                    RUNTIME_CLASS(COtherView)), "S");
    COtherView otherView;
    frame.m_nIDHelp = 5;
    EXPECT_EQ(utils.FindTemplate(&doc, &otherView, &frame), same1);
    same2->AddDocument(&doc);
    EXPECT_EQ(utils.FindTemplate(&doc, &otherView, &frame), same2);
    same2->RemoveDocument(&doc);
    (void)byView;
}

TEST_F(TemplateUtilsTest, AFrameOfADockingTemplateIsMatchedByItsDockingFrameClass)
{
    OZWDocTemplateUtils utils;
    EXPECT_TRUE(utils.IsDockingFrameClass(RUNTIME_CLASS(OZWDockableFrame)));
    EXPECT_TRUE(utils.IsDockingFrameClass(RUNTIME_CLASS(CUnloadableFrame)));
    EXPECT_FALSE(utils.IsDockingFrameClass(RUNTIME_CLASS(CMDIChildWnd)));
    EXPECT_FALSE(utils.IsDockingFrameClass(nullptr));

    auto* plain = AddTemplate(new CMultiDocTemplate(1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CMDIChildWnd),
                                                    RUNTIME_CLASS(CTestView)), "A");
    auto* docking = AddTemplate(new OZWMultiDocTemplate(1, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestChildFrame),
                                                        RUNTIME_CLASS(CTestView), 0, RUNTIME_CLASS(OZWDockableFrame),
                                                        RUNTIME_CLASS(CTestHostBar), (DWORD)-1), "A");
    EXPECT_EQ(utils.GetFrameClass(plain, TRUE), nullptr);
    EXPECT_EQ(utils.GetFrameClass(plain, FALSE), RUNTIME_CLASS(CMDIChildWnd));
    EXPECT_EQ(utils.GetFrameClass(docking, TRUE), RUNTIME_CLASS(OZWDockableFrame));
    EXPECT_EQ(utils.GetFrameClass(docking, FALSE), RUNTIME_CLASS(CTestChildFrame));

    CTestDoc doc;
    CTestView view;
    OZWDockableFrame dockedFrame;
    dockedFrame.m_nIDHelp = 1;
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &dockedFrame), docking);
    CMDIChildWnd childFrame;
    childFrame.m_nIDHelp = 1;
    EXPECT_EQ(utils.FindTemplate(&doc, &view, &childFrame), plain);
}
