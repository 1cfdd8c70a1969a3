// Documents that hold items of other programs: COleDocument keeps a list of
// items (CDocItem), of which COleClientItem is an item embedded in or linked
// into the document, shown by another program's object (IOleObject).
//
// A client item is in one state at a time: empty (no object yet), loaded
// (the object known but not running), open (running in a window of its
// own), active (running in place inside a view of the document) or
// UI-active (active in place with its menus and tools shown). An item
// active in place knows its view; Close and Deactivate end that, Activate
// starts it again with a verb (OLEIVERB_SHOW...).
#pragma once

#include "platform/framework/docview/DocView.h"

#include <ole2.h>

class COleDocument;

class CDocItem : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocItem)
public:
    ~CDocItem() override;
    // The document holding the item, null while it is in none.
    CDocument* GetDocument() const { return m_pDocument; }

protected:
    CDocItem() = default;
    CDocument* m_pDocument = nullptr;
    friend class COleDocument;
};

class COleClientItem : public CDocItem
{
    DECLARE_DYNAMIC(COleClientItem)
public:
    enum ItemState
    {
        emptyState,
        loadedState,
        openState,
        activeState,
        activeUIState,
    };

    // An empty item, added to pContainerDoc when it is given.
    explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
    // Closes the object, releases it and leaves the document.
    ~COleClientItem() override;

    UINT GetItemState() const { return m_nItemState; }
    COleDocument* GetDocument() const;
    // The view the item is active in, null when it is not active in place.
    CView* GetActiveView() const { return m_pView; }
    // The window the item's object runs in place in: the view's.
    CWnd* GetInPlaceWindow() const { return m_pView; }
    BOOL IsInPlaceActive() const { return m_nItemState == activeState || m_nItemState == activeUIState; }

    // Gives the item an object (the item takes a reference) and loads it.
    void Attach(IOleObject* pObject);

    // Runs the verb nVerb on the object for pView (lpMsg: the message that
    // asked for it, may be null): OLEIVERB_OPEN opens it in its own window,
    // OLEIVERB_HIDE hides it, OLEIVERB_INPLACEACTIVATE activates it in the
    // view, any other verb (OLEIVERB_PRIMARY, OLEIVERB_SHOW,
    // OLEIVERB_UIACTIVATE) activates it in the view with its menus and
    // tools. An empty item does nothing.
    virtual void Activate(LONG nVerb, CView* pView, LPMSG lpMsg = nullptr);
    // Ends the item's activation in place: it is loaded again and has no view.
    virtual void Deactivate();
    // Closes the object (dwCloseOption: OLECLOSE_SAVEIFDIRTY saves a changed
    // object into the document first, OLECLOSE_NOSAVE drops the changes,
    // OLECLOSE_PROMPTSAVE asks); the item is loaded again and has no view.
    virtual void Close(OLECLOSE dwCloseOption = OLECLOSE_SAVEIFDIRTY);

    IOleObject* m_lpObject = nullptr; // the object, null while the item is empty

protected:
    // The item's state changes to nNewState (the view set or cleared first).
    virtual void OnChangeItemState(UINT nNewState);
    UINT m_nItemState = emptyState;
    CView* m_pView = nullptr;
};

class COleDocument : public CDocument
{
    DECLARE_DYNAMIC(COleDocument)
public:
    COleDocument();
    // Deletes the items it still holds.
    ~COleDocument() override;

    // The items in the order they were added; the document owns them.
    void AddItem(CDocItem* pItem);
    void RemoveItem(CDocItem* pItem);
    POSITION GetStartPosition() const { return m_docItemList.GetHeadPosition(); }
    CDocItem* GetNextItem(POSITION& rPosition) const;
    // The next client item from rPosition (other items are passed over),
    // null at the end.
    COleClientItem* GetNextClientItem(POSITION& rPosition) const;
    // The item active in place in pWnd (a view of the document), null when
    // none is.
    virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);

    // Closing the document closes its items' objects, saving changed ones.
    void OnCloseDocument() override;

protected:
    CPtrList m_docItemList;
};
