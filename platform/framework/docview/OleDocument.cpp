// COleDocument and its items.
#include "platform/framework/docview/OleDocument.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleClientItem, CDocItem)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

/////////////////////////////////////////////////////////////////////////////
// CDocItem

CDocItem::~CDocItem()
{
    if (COleDocument* pDoc = DYNAMIC_DOWNCAST(COleDocument, m_pDocument))
        pDoc->RemoveItem(this);
}

/////////////////////////////////////////////////////////////////////////////
// COleClientItem

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
{
    if (pContainerDoc != nullptr)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (m_lpObject != nullptr) {
        if (m_nItemState != loadedState && m_nItemState != emptyState)
            m_lpObject->Close(OLECLOSE_NOSAVE);
        m_lpObject->Release();
        m_lpObject = nullptr;
    }
}

COleDocument* COleClientItem::GetDocument() const
{
    return static_cast<COleDocument*>(m_pDocument);
}

void COleClientItem::Attach(IOleObject* pObject)
{
    if (pObject != nullptr)
        pObject->AddRef();
    if (m_lpObject != nullptr)
        m_lpObject->Release();
    m_lpObject = pObject;
    m_pView = nullptr;
    OnChangeItemState(pObject != nullptr ? loadedState : emptyState);
}

void COleClientItem::Activate(LONG nVerb, CView* pView, LPMSG lpMsg)
{
    if (m_lpObject == nullptr)
        return;
    HWND hWndParent = pView != nullptr ? pView->m_hWnd : nullptr;
    RECT rect = {};
    if (hWndParent != nullptr)
        ::GetClientRect(hWndParent, &rect);
    // The object decides whether the verb runs; a refusal leaves the item
    // as it was.
    if (FAILED(m_lpObject->DoVerb(nVerb, lpMsg, nullptr, 0, hWndParent, &rect)))
        return;
    UINT nState = activeUIState;
    if (nVerb == OLEIVERB_OPEN)
        nState = openState;
    else if (nVerb == OLEIVERB_HIDE)
        nState = loadedState;
    else if (nVerb == OLEIVERB_INPLACEACTIVATE)
        nState = activeState;
    m_pView = (nState == activeState || nState == activeUIState) ? pView : nullptr;
    OnChangeItemState(nState);
}

void COleClientItem::Deactivate()
{
    if (!IsInPlaceActive())
        return;
    if (m_lpObject != nullptr) {
        IOleInPlaceObject* pInPlace = nullptr;
        if (SUCCEEDED(m_lpObject->QueryInterface(IID_IOleInPlaceObject, (void**)&pInPlace)) && pInPlace != nullptr) {
            pInPlace->InPlaceDeactivate();
            pInPlace->Release();
        }
    }
    m_pView = nullptr;
    OnChangeItemState(loadedState);
}

void COleClientItem::Close(OLECLOSE dwCloseOption)
{
    if (m_lpObject == nullptr || m_nItemState == emptyState || m_nItemState == loadedState)
        return;
    m_lpObject->Close(dwCloseOption);
    m_pView = nullptr;
    OnChangeItemState(loadedState);
}

void COleClientItem::OnChangeItemState(UINT nNewState)
{
    m_nItemState = nNewState;
}

/////////////////////////////////////////////////////////////////////////////
// COleDocument

COleDocument::COleDocument() = default;

COleDocument::~COleDocument()
{
    while (!m_docItemList.IsEmpty())
        delete static_cast<CDocItem*>(m_docItemList.GetHead()); // removes itself
}

void COleDocument::AddItem(CDocItem* pItem)
{
    if (pItem == nullptr || pItem->m_pDocument == this)
        return;
    if (COleDocument* pOther = DYNAMIC_DOWNCAST(COleDocument, pItem->m_pDocument))
        pOther->RemoveItem(pItem);
    m_docItemList.AddTail(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* pItem)
{
    if (pItem == nullptr || pItem->m_pDocument != this)
        return;
    if (POSITION pos = m_docItemList.Find(pItem))
        m_docItemList.RemoveAt(pos);
    pItem->m_pDocument = nullptr;
}

CDocItem* COleDocument::GetNextItem(POSITION& rPosition) const
{
    return static_cast<CDocItem*>(m_docItemList.GetNext(rPosition));
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& rPosition) const
{
    while (rPosition != nullptr) {
        if (COleClientItem* pItem = DYNAMIC_DOWNCAST(COleClientItem, GetNextItem(rPosition)))
            return pItem;
    }
    return nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd)
{
    POSITION pos = GetStartPosition();
    while (COleClientItem* pItem = GetNextClientItem(pos)) {
        if (pItem->IsInPlaceActive() && pItem->GetActiveView() == pWnd)
            return pItem;
    }
    return nullptr;
}

void COleDocument::OnCloseDocument()
{
    POSITION pos = GetStartPosition();
    while (COleClientItem* pItem = GetNextClientItem(pos))
        pItem->Close(OLECLOSE_SAVEIFDIRTY);
    CDocument::OnCloseDocument();
}
