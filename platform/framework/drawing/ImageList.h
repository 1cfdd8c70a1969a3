// Image lists: CImageList over comctl32's image lists, with its handle map
// (see Gdi.h), drawing into a CDC and the common controls' stream format.
#pragma once

#include "platform/framework/base/AfxBase.h"
#include "platform/framework/base/Object.h"
#include "platform/framework/base/Geometry.h"
#include "platform/framework/window/Gdi.h"
#include <commctrl.h>

class CWnd;
class CArchive;

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    virtual ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return kvgdi::IsNull(this) ? nullptr : m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return kvgdi::IsNull(this) ? nullptr : m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST hImageList);
    static CImageList* FromHandlePermanent(HIMAGELIST hImageList);
    static void DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // nFlags: ILC_COLOR... | ILC_MASK.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap resource cut into images cx wide; crMask marks the
    // transparent colour (CLR_NONE for none).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // One image made of image nImage1 of list1 with image nImage2 of list2 over it at (dx, dy).
    BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2,
                int nImage2, int dx, int dy);
    // A copy of another list.
    BOOL Create(CImageList* pImageList);

    int GetImageCount() const;
    BOOL SetImageCount(UINT uNewCount);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;

    // Each returns the index of the (first) image added, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    int Replace(int nImage, HICON hIcon);
    BOOL Copy(int iDst, int iSrc, UINT uFlags = ILCF_MOVE);
    BOOL Copy(int iDst, CImageList* pSrc, int iSrc, UINT uFlags = ILCF_MOVE);
    // A new icon the caller destroys (DestroyIcon), or null.
    HICON ExtractIcon(int nImage);
    BOOL SetOverlayImage(int nImage, int nOverlay);

    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL DrawEx(CDC* pDC, int nImage, POINT pt, SIZE sz, COLORREF clrBk,
                COLORREF clrFg, UINT nStyle);
    BOOL DrawIndirect(IMAGELISTDRAWPARAMS* pimldp);

    // Drag images
    BOOL BeginDrag(int nImage, CPoint ptHotSpot);
    static void EndDrag();
    static BOOL DragMove(CPoint pt);
    BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot);
    static BOOL DragShowNolock(BOOL bShow);
    static CImageList* GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
    static BOOL DragEnter(CWnd* pWndLock, CPoint point);
    static BOOL DragLeave(CWnd* pWndLock);

    // The list in the common controls' stream format, through an archive.
    BOOL Read(CArchive* pArchive);
    BOOL Write(CArchive* pArchive);
};

