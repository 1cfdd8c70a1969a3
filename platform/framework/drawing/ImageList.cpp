// Image lists over comctl32.
#include "platform/framework/drawing/ImageList.h"
#include "platform/framework/base/File.h"
#include "platform/framework/window/Wnd.h"

#include <objidl.h>

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

void ClearImageList(CImageList* p) { p->m_hImageList = nullptr; }

kvafx::HandleMap<CImageList, HIMAGELIST, ClearImageList>& ImageListMap()
{
    static auto* map = new kvafx::HandleMap<CImageList, HIMAGELIST, ClearImageList>;
    return *map;
}

HBITMAP BitmapOf(CBitmap* p)
{
    return p != nullptr ? static_cast<HBITMAP>(p->m_hObject) : nullptr;
}

// An archive seen as a sequential stream, so that the common controls can
// write an image list into it and read one back from it.
class CArchiveStream final : public IStream
{
public:
    explicit CArchiveStream(CArchive* pArchive) : m_pArchive(pArchive) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
            *ppv = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the caller's stack: the counts are kept only for form.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }

    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override
    {
        ULONG n = 0;
        try {
            n = m_pArchive->Read(pv, cb);
        } catch (CException* e) {
            e->Delete();
            return STG_E_READFAULT;
        }
        m_position += n;
        if (pcbRead != nullptr)
            *pcbRead = n;
        return n == cb ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override
    {
        try {
            m_pArchive->Write(pv, cb);
        } catch (CException* e) {
            e->Delete();
            return STG_E_WRITEFAULT;
        }
        m_position += cb;
        if (pcbWritten != nullptr)
            *pcbWritten = cb;
        return S_OK;
    }
    // Only the current position can be asked for; the archive cannot move.
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pNewPos) override
    {
        if (origin != STREAM_SEEK_CUR || move.QuadPart != 0)
            return STG_E_INVALIDFUNCTION;
        if (pNewPos != nullptr)
            pNewPos->QuadPart = m_position;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return E_NOTIMPL; }

private:
    CArchive* m_pArchive;
    ULONG m_refs = 1;
    ULONGLONG m_position = 0;
};

} // namespace

CImageList::~CImageList()
{
    DeleteImageList();
}

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    return ImageListMap().Lookup(hImageList, [](HIMAGELIST h) {
        CImageList* p = new CImageList;
        p->m_hImageList = h;
        return p;
    });
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return hImageList != nullptr ? ImageListMap().FindPermanent(hImageList) : nullptr;
}

void CImageList::DeleteTempMap()
{
    ImageListMap().DeleteTemporaries();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return ImageListMap().Attach(this, m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return ImageListMap().Detach(this, m_hImageList);
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                      LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy)
{
    return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList,
                                  nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    if (pImageList == nullptr || pImageList->m_hImageList == nullptr)
        return FALSE;
    return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::GetImageCount() const
{
    return m_hImageList != nullptr ? ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
    return ImageList_SetImageCount(m_hImageList, uNewCount);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
    return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
    return ImageList_GetBkColor(m_hImageList);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, BitmapOf(pbmImage), crMask);
}

int CImageList::Add(HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, -1, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
    return ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

int CImageList::Replace(int nImage, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags)
{
    return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags);
}

BOOL CImageList::Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags)
{
    return ImageList_Copy(m_hImageList, iDst, pSrc->GetSafeHandle(), iSrc, uFlags);
}

HICON CImageList::ExtractIcon(int nImage)
{
    return ImageList_ExtractIcon(nullptr, m_hImageList, nImage);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
    return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk, COLORREF clrFg, UINT nStyle)
{
    return ImageList_DrawEx(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, sz.cx, sz.cy,
                            clrBk, clrFg, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    if (pimldp == nullptr)
        return FALSE;
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
    return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

void CImageList::EndDrag()
{
    ImageList_EndDrag();
}

BOOL CImageList::DragMove(CPoint pt)
{
    return ImageList_DragMove(pt.x, pt.y);
}

BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
{
    return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}

BOOL CImageList::DragShowNolock(BOOL bShow)
{
    return ImageList_DragShowNolock(bShow);
}

CImageList* CImageList::GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot)
{
    return FromHandle(ImageList_GetDragImage(lpPoint, lpPointHotSpot));
}

BOOL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
{
    return ImageList_DragEnter(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr, point.x, point.y);
}

BOOL CImageList::DragLeave(CWnd* pWndLock)
{
    return ImageList_DragLeave(pWndLock != nullptr ? pWndLock->GetSafeHwnd() : nullptr);
}

BOOL CImageList::Read(CArchive* pArchive)
{
    if (pArchive == nullptr)
        return FALSE;
    CArchiveStream stream(pArchive);
    return Attach(ImageList_Read(&stream));
}

BOOL CImageList::Write(CArchive* pArchive)
{
    if (pArchive == nullptr || m_hImageList == nullptr)
        return FALSE;
    CArchiveStream stream(pArchive);
    return ImageList_Write(m_hImageList, &stream);
}
