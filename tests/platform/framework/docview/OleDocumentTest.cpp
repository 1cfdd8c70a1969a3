// A document's items of other programs: the list the document keeps, and an
// item's states as its object is activated, deactivated and closed through
// the object's own interface.
#include "platform/framework/Framework.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// An object that writes the calls it gets to a log; in-place activation is
// one of its interfaces. DoVerb fails for verbs listed in m_refused.
class CFakeObject : public IOleObject, public IOleInPlaceObject
{
public:
    std::vector<std::string> log;
    std::vector<LONG> refused;
    ULONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleObject)
            *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
            *ppv = static_cast<IOleInPlaceObject*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        ++refs;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    HRESULT STDMETHODCALLTYPE DoVerb(LONG iVerb, LPMSG, IOleClientSite*, LONG, HWND hwndParent, LPCRECT) override
    {
        log.push_back("verb " + std::to_string(iVerb) + (hwndParent != nullptr ? " in a window" : ""));
        for (LONG v : refused)
            if (v == iVerb)
                return E_FAIL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Close(DWORD dwSaveOption) override
    {
        log.push_back(dwSaveOption == OLECLOSE_SAVEIFDIRTY ? "close saving changes" : "close");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override
    {
        log.push_back("deactivate in place");
        return S_OK;
    }

    // Nothing else is asked of the object.
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }
};

class CPlainView : public CView
{
public:
    void OnDraw(CDC*) override {}
};

} // namespace

TEST(OleDocument, AnItemsStateFollowsTheVerbsCloseAndDeactivation)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    auto* pView = new CPlainView; // deleted with its window
    ASSERT_TRUE(pView->Create(nullptr, "", WS_CHILD, CRect(0, 0, 100, 50), &parent, AFX_IDW_PANE_FIRST));
    CView& view = *pView;

    COleDocument doc;
    doc.m_bAutoDelete = FALSE;
    auto* pItem = new COleClientItem(&doc);
    EXPECT_EQ(pItem->GetItemState(), (UINT)COleClientItem::emptyState);
    pItem->Activate(OLEIVERB_SHOW, &view); // no object: nothing happens
    EXPECT_EQ(pItem->GetItemState(), (UINT)COleClientItem::emptyState);

    CFakeObject object;
    pItem->Attach(&object);
    EXPECT_EQ(pItem->GetItemState(), (UINT)COleClientItem::loadedState);

    struct Step
    {
        const char* what;
        LONG nVerb;       // the verb run, or 1000 for Deactivate, 1001 for Close
        bool bRefused;
        UINT nState;      // the item's state after it
        bool bInView;     // active in the view after it
        const char* pszLog;
    };
    const Step steps[] = {
        { "shown", OLEIVERB_SHOW, false, COleClientItem::activeUIState, true, "verb -1 in a window" },
        { "deactivated", 1000, false, COleClientItem::loadedState, false, "deactivate in place" },
        { "activated in place", OLEIVERB_INPLACEACTIVATE, false, COleClientItem::activeState, true, "verb -5 in a window" },
        { "closed", 1001, false, COleClientItem::loadedState, false, "close saving changes" },
        { "closed again (loaded)", 1001, false, COleClientItem::loadedState, false, nullptr },
        { "opened in its own window", OLEIVERB_OPEN, false, COleClientItem::openState, false, "verb -2 in a window" },
        { "a refused verb", OLEIVERB_UIACTIVATE, true, COleClientItem::openState, false, "verb -4 in a window" },
        { "hidden", OLEIVERB_HIDE, false, COleClientItem::loadedState, false, "verb -3 in a window" },
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        object.log.clear();
        object.refused.clear();
        if (s.bRefused)
            object.refused.push_back(s.nVerb);
        if (s.nVerb == 1000)
            pItem->Deactivate();
        else if (s.nVerb == 1001)
            pItem->Close();
        else
            pItem->Activate(s.nVerb, &view);
        EXPECT_EQ(pItem->GetItemState(), s.nState);
        EXPECT_EQ(pItem->GetActiveView(), s.bInView ? &view : nullptr);
        EXPECT_EQ(doc.GetInPlaceActiveItem(&view), s.bInView ? pItem : nullptr);
        EXPECT_EQ(object.log, s.pszLog != nullptr ? std::vector<std::string>{ s.pszLog } : std::vector<std::string>{});
    }

    // Deleted, the item leaves the document and lets its object go.
    const ULONG nRefs = object.refs;
    delete pItem;
    EXPECT_EQ(object.refs, nRefs - 1);
    POSITION pos = doc.GetStartPosition();
    EXPECT_EQ(doc.GetNextClientItem(pos), nullptr);
    parent.DestroyWindow();
}

TEST(OleDocument, TheDocumentOwnsItsItemsAndClosesTheirObjectsWhenItCloses)
{
    CFakeObject running, loaded;
    auto* pDoc = new COleDocument;
    pDoc->m_bAutoDelete = FALSE;
    auto* pRunning = new COleClientItem(pDoc);
    auto* pLoaded = new COleClientItem(pDoc);
    pRunning->Attach(&running);
    pLoaded->Attach(&loaded);
    pRunning->Activate(OLEIVERB_OPEN, nullptr);
    running.log.clear();

    POSITION pos = pDoc->GetStartPosition();
    EXPECT_EQ(pDoc->GetNextClientItem(pos), pRunning);
    EXPECT_EQ(pDoc->GetNextClientItem(pos), pLoaded);
    EXPECT_EQ(pDoc->GetNextClientItem(pos), nullptr);
    EXPECT_EQ(pRunning->GetDocument(), pDoc);

    // Closing saves the running object's changes; a loaded one runs nothing.
    pDoc->OnCloseDocument();
    EXPECT_EQ(running.log, std::vector<std::string>{ "close saving changes" });
    EXPECT_TRUE(loaded.log.empty());
    EXPECT_EQ(pRunning->GetItemState(), (UINT)COleClientItem::loadedState);

    delete pDoc; // its items with it, letting their objects go
    EXPECT_EQ(running.refs, 1u);
    EXPECT_EQ(loaded.refs, 1u);
}
