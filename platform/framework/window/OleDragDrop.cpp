#include "platform/framework/window/OleDragDrop.h"

#include <cstring>
#include <shlobj.h>

namespace {

// A copy of a global memory block.
HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    const SIZE_T nSize = ::GlobalSize(hSource);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    if (hCopy == nullptr)
        return nullptr;
    const void* pFrom = ::GlobalLock(hSource);
    void* pTo = ::GlobalLock(hCopy);
    if (pFrom != nullptr && pTo != nullptr)
        std::memcpy(pTo, pFrom, nSize);
    ::GlobalUnlock(hCopy);
    ::GlobalUnlock(hSource);
    return hCopy;
}

// The reference count of the COM objects below; the last release deletes
// the object.
class Counted
{
public:
    virtual ~Counted() = default;
    ULONG AddReference() { return (ULONG)::InterlockedIncrement(&m_nRefs); }
    ULONG ReleaseReference()
    {
        const LONG n = ::InterlockedDecrement(&m_nRefs);
        if (n == 0)
            delete this;
        return (ULONG)n;
    }

private:
    LONG m_nRefs = 1;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// COleDataObject

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(IDataObject* pDataObject, BOOL bAutoRelease)
{
    Release();
    m_pDataObject = pDataObject;
    m_bAutoRelease = bAutoRelease;
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* p = m_pDataObject;
    m_pDataObject = nullptr;
    return p;
}

void COleDataObject::Release()
{
    if (m_pDataObject != nullptr && m_bAutoRelease)
        m_pDataObject->Release();
    m_pDataObject = nullptr;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat) const
{
    if (m_pDataObject == nullptr || cfFormat == 0)
        return FALSE;
    FORMATETC format = { cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    return m_pDataObject->QueryGetData(&format) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat) const
{
    if (m_pDataObject == nullptr || cfFormat == 0)
        return nullptr;
    FORMATETC format = { cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    STGMEDIUM medium = {};
    if (FAILED(m_pDataObject->GetData(&format, &medium)))
        return nullptr;
    HGLOBAL hResult = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
        // The caller owns what it gets: a block of its own unless the
        // medium was handed over.
        hResult = medium.pUnkForRelease == nullptr ? medium.hGlobal : CopyGlobal(medium.hGlobal);
        if (medium.pUnkForRelease != nullptr)
            ::ReleaseStgMedium(&medium);
    } else {
        ::ReleaseStgMedium(&medium);
    }
    return hResult;
}

/////////////////////////////////////////////////////////////////////////////
// COleDataSource

class COleDataSource::Impl final : public IDataObject, public IDropSource, public Counted
{
public:
    struct Entry
    {
        CLIPFORMAT format;
        HGLOBAL hGlobal;
    };
    std::vector<Entry> entries;

    ~Impl() override
    {
        for (Entry& e : entries)
            ::GlobalFree(e.hGlobal);
    }
    const Entry* Find(const FORMATETC* p) const
    {
        if (p == nullptr || !(p->tymed & TYMED_HGLOBAL) || p->dwAspect != DVASPECT_CONTENT)
            return nullptr;
        for (const Entry& e : entries)
            if (e.format == p->cfFormat)
                return &e;
        return nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDataObject)
            *ppv = static_cast<IDataObject*>(this);
        else if (riid == IID_IDropSource)
            *ppv = static_cast<IDropSource*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        const Entry* e = Find(pFormat);
        if (e == nullptr)
            return DV_E_FORMATETC;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = CopyGlobal(e->hGlobal);
        pMedium->pUnkForRelease = nullptr;
        return pMedium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        return Find(pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        if (pOut != nullptr)
            pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (dwDirection != DATADIR_GET || ppEnum == nullptr)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const Entry& e : entries)
            formats.push_back({ e.format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL });
        return ::SHCreateStdEnumFmtEtc((UINT)formats.size(), formats.data(), ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // IDropSource: the drop comes with the button's release, Escape cancels.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL bEscape, DWORD dwKeyState) override
    {
        if (bEscape)
            return DRAGDROP_S_CANCEL;
        if (!(dwKeyState & (MK_LBUTTON | MK_RBUTTON)))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

COleDataSource::COleDataSource() : m_pImpl(new Impl) {}

COleDataSource::~COleDataSource()
{
    m_pImpl->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    for (Impl::Entry& e : m_pImpl->entries) {
        if (e.format == cfFormat) {
            ::GlobalFree(e.hGlobal);
            e.hGlobal = hGlobal;
            return;
        }
    }
    m_pImpl->entries.push_back({ cfFormat, hGlobal });
}

DROPEFFECT COleDataSource::DoDragDrop(DROPEFFECT dwEffects)
{
    DWORD dwEffect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(static_cast<IDataObject*>(m_pImpl), static_cast<IDropSource*>(m_pImpl),
                                    dwEffects, &dwEffect);
    return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

IDataObject* COleDataSource::GetDataObject()
{
    m_pImpl->AddRef();
    return static_cast<IDataObject*>(m_pImpl);
}

/////////////////////////////////////////////////////////////////////////////
// COleDropTarget

class COleDropTarget::Impl final : public IDropTarget, public Counted
{
public:
    explicit Impl(COleDropTarget* pOwner) : owner(pOwner) {}
    ~Impl() override = default;
    COleDropTarget* owner;
    COleDataObject data;

    CPoint ClientPoint(POINTL pt) const
    {
        CPoint point(pt.x, pt.y);
        if (owner->m_pWnd != nullptr && owner->m_pWnd->m_hWnd != nullptr)
            ::ScreenToClient(owner->m_pWnd->m_hWnd, &point);
        return point;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *ppv = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseReference(); }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pData != nullptr)
            pData->AddRef();
        data.Attach(pData, TRUE);
        *pdwEffect = owner != nullptr ? owner->OnDragEnter(owner->m_pWnd, &data, dwKeyState, ClientPoint(pt))
                                      : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        *pdwEffect = owner != nullptr ? owner->OnDragOver(owner->m_pWnd, &data, dwKeyState, ClientPoint(pt))
                                      : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        if (owner != nullptr)
            owner->OnDragLeave(owner->m_pWnd);
        data.Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pData != nullptr)
            pData->AddRef();
        data.Attach(pData, TRUE);
        DROPEFFECT effect = DROPEFFECT_NONE;
        if (owner != nullptr) {
            const CPoint point = ClientPoint(pt);
            effect = owner->OnDragOver(owner->m_pWnd, &data, dwKeyState, point);
            if (effect != DROPEFFECT_NONE && !owner->OnDrop(owner->m_pWnd, &data, effect, point))
                effect = DROPEFFECT_NONE;
            if (effect == DROPEFFECT_NONE)
                owner->OnDragLeave(owner->m_pWnd);
        }
        data.Release();
        *pdwEffect = effect;
        return S_OK;
    }
};

COleDropTarget::COleDropTarget() : m_pImpl(new Impl(this)) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    m_pImpl->owner = nullptr;
    m_pImpl->Release();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, m_pImpl)))
        return FALSE;
    m_pWnd = pWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_pWnd != nullptr && m_pWnd->m_hWnd != nullptr)
        ::RevokeDragDrop(m_pWnd->m_hWnd);
    m_pWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}
