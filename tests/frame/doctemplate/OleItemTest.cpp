// A view whose document holds an item active in place, moved between an MDI
// child frame and a docking frame: the item is taken out of the old frame
// (deactivated, or closed by a view that asks to be told of its moves) and
// activated again in the view once it is in the new frame.
#include "tests/frame/doctemplate/TemplateTestApp.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

} // namespace

class COleTestDoc : public COleDocument
{
    DECLARE_DYNCREATE(COleTestDoc)
};

// An item whose object is not there: its close, activation and deactivation
// are written to the log and change its state as the object would.
class CRecordingItem : public COleClientItem
{
public:
    CRecordingItem(COleDocument* pDoc, const char* pszName) : COleClientItem(pDoc), m_name(pszName)
    {
        OnChangeItemState(loadedState);
    }
    void Activate(LONG nVerb, CView* pView, LPMSG) override
    {
        g_log.push_back(m_name + " activate " + std::to_string(nVerb) + (pView != nullptr ? " in a view" : ""));
        m_pView = pView;
        OnChangeItemState(activeUIState);
    }
    void Deactivate() override
    {
        g_log.push_back(m_name + " deactivate");
        COleClientItem::Deactivate();
    }
    void Close(OLECLOSE dwCloseOption) override
    {
        g_log.push_back(m_name + (dwCloseOption == OLECLOSE_SAVEIFDIRTY ? " close saving changes" : " close"));
        m_pView = nullptr;
        OnChangeItemState(loadedState);
    }
    std::string m_name;
};

// A view of an item's document that is not told of its moves.
class COlePlainView : public CView
{
    DECLARE_DYNCREATE(COlePlainView)
public:
    void OnDraw(CDC*) override {}
};

// A view that closes its document's active item for a move and opens it again.
class COleFeedbackView : public CView, public OZWVwDockFeedBackOleImp
{
    DECLARE_DYNCREATE(COleFeedbackView)
public:
    void OnDraw(CDC*) override {}
};

IMPLEMENT_DYNCREATE(COleTestDoc, COleDocument)
IMPLEMENT_DYNCREATE(COlePlainView, CView)
IMPLEMENT_DYNCREATE(COleFeedbackView, CView)

class OleItemTest : public DockingTemplateTest
{
protected:
    void SetUp() override
    {
        DockingTemplateTest::SetUp();
        g_log.clear();
    }
    // A document of the view class in an MDI child, with a loaded item
    // "first" and an item "second" active in place in the view.
    CView* OpenWithActiveItem(CRuntimeClass* pViewClass)
    {
        OZWMultiDocTemplate* pTemplate =
            AddTemplate(NewDockingTemplate(RUNTIME_CLASS(OZWDockableFrame), RUNTIME_CLASS(COleTestDoc), pViewClass),
                        "Ole");
        CView* pView = OpenInChild<CView>(pTemplate);
        if (pView == nullptr)
            return nullptr;
        auto* pDoc = static_cast<COleDocument*>(pView->GetDocument());
        m_pFirst = new CRecordingItem(pDoc, "first");
        m_pSecond = new CRecordingItem(pDoc, "second");
        m_pSecond->Activate(OLEIVERB_SHOW, pView, nullptr);
        m_pTemplateOle = pTemplate;
        g_log.clear();
        return pView;
    }

    OZWMultiDocTemplate* m_pTemplateOle = nullptr;
    CRecordingItem* m_pFirst = nullptr;
    CRecordingItem* m_pSecond = nullptr;
};

TEST_F(OleItemTest, TheActiveItemLeavesTheOldFrameAndIsActiveInTheViewAfterTheMove)
{
    struct Case
    {
        const char* what;
        CRuntimeClass* pViewClass;
        const char* pszTakenOut;
    };
    const Case cases[] = {
        { "a view not told of its moves", RUNTIME_CLASS(COlePlainView), "second deactivate" },
        { "a view told of its moves", RUNTIME_CLASS(COleFeedbackView), "second close saving changes" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CView* pView = OpenWithActiveItem(c.pViewClass);
        ASSERT_NE(pView, nullptr);
        const std::vector<std::string> expected = { c.pszTakenOut, "second activate -1 in a view" };

        CFrameWnd* pDocked = m_pTemplateOle->DockFrame(pView->GetParentFrame());
        ASSERT_NE(pDocked, nullptr);
        EXPECT_EQ(g_log, expected);
        EXPECT_EQ(m_pSecond->GetActiveView(), pView);
        EXPECT_EQ(pView->GetParentFrame(), pDocked);
        EXPECT_EQ(m_pFirst->GetItemState(), (UINT)COleClientItem::loadedState);
        EXPECT_EQ(m_pTemplateOle->m_pDeactivatedItem, nullptr);

        g_log.clear();
        CFrameWnd* pFloating = m_pTemplateOle->FloatFrame(pDocked);
        ASSERT_NE(pFloating, nullptr);
        EXPECT_EQ(g_log, expected);
        EXPECT_EQ(m_pSecond->GetItemState(), (UINT)COleClientItem::activeUIState);
        EXPECT_EQ(m_pSecond->GetActiveView(), pView);
        EXPECT_EQ(pView->GetParentFrame(), pFloating);
        ResetApplication();
    }
}

TEST_F(OleItemTest, WithoutAnActiveItemNothingIsClosedOrActivated)
{
    for (CRuntimeClass* pViewClass : { RUNTIME_CLASS(COlePlainView), RUNTIME_CLASS(COleFeedbackView) }) {
        SCOPED_TRACE(pViewClass->m_lpszClassName);
        CView* pView = OpenWithActiveItem(pViewClass);
        ASSERT_NE(pView, nullptr);
        m_pSecond->Close(OLECLOSE_NOSAVE);
        g_log.clear();
        ASSERT_NE(m_pTemplateOle->DockFrame(pView->GetParentFrame()), nullptr);
        EXPECT_TRUE(g_log.empty());
        ResetApplication();
    }
}

TEST_F(OleItemTest, AnItemKeptFromBeforeIsNotActivatedByAnotherMove)
{
    CView* pView = OpenWithActiveItem(RUNTIME_CLASS(COlePlainView));
    ASSERT_NE(pView, nullptr);
    m_pSecond->Close(OLECLOSE_NOSAVE);
    g_log.clear();
    // An item left over from a move that had no view to activate it in.
    m_pTemplateOle->m_pDeactivatedItem = m_pFirst;
    ASSERT_NE(m_pTemplateOle->DockFrame(pView->GetParentFrame()), nullptr);
    EXPECT_TRUE(g_log.empty());
    EXPECT_EQ(m_pTemplateOle->m_pDeactivatedItem, nullptr);
}
