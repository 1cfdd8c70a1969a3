// OLE drag and drop: a data source that offers global-memory data and runs
// the drag (COleDataSource), the data object a drop target reads
// (COleDataObject), and a drop target registered for a window
// (COleDropTarget) whose virtual operations a window overrides. The thread
// must have initialised OLE (OleInitialize) before a target is registered
// or a drag starts.
#pragma once

#include "platform/framework/window/Wnd.h"

#include <ole2.h>
#include <vector>

typedef DWORD DROPEFFECT;

class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Takes pDataObject (with bAutoRelease the object releases it).
    void Attach(IDataObject* pDataObject, BOOL bAutoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    IDataObject* GetIDataObject() const { return m_pDataObject; }

    BOOL IsDataAvailable(CLIPFORMAT cfFormat) const;
    // A copy of the data of a format in global memory, which the caller
    // frees; null when the format is not there.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat) const;

private:
    IDataObject* m_pDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

class COleDataSource
{
public:
    COleDataSource();
    virtual ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers hGlobal (taken over) under cfFormat.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    // Runs the drag until it is dropped or cancelled; the effect.
    DROPEFFECT DoDragDrop(DROPEFFECT dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The source's data object (a reference the caller releases).
    IDataObject* GetDataObject();

private:
    class Impl;
    Impl* m_pImpl;
};

class COleDropTarget
{
public:
    COleDropTarget();
    virtual ~COleDropTarget();
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes the window a drop target; FALSE when OLE refuses.
    BOOL Register(CWnd* pWnd);
    void Revoke();
    CWnd* GetWindow() const { return m_pWnd; }

    // Point: client coordinates of the window. dwKeyState: MK_ bits.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

private:
    class Impl;
    Impl* m_pImpl;
    CWnd* m_pWnd = nullptr;
    friend class Impl;
};
