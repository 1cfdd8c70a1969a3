// The store of toolbar images: it reads toolbar resources (RT_TOOLBAR, a
// list of command ids with 0 for a separator, beside a bitmap of the same
// id holding one image per command) and keeps a small and, when toolbars
// show large images, a large strip per resource. It answers which strip and
// which image show command N; the first resource that names a command gives
// its image. The large strip is the large resource when there is one, else
// the small strip stretched.
//
// One store serves every toolbar of a frame and the bitmap menus; it counts
// its users (AddRef, Release) and goes with the last.
#pragma once

#include "platform/framework/Framework.h"

#include <unordered_map>
#include <vector>

// The resource type of toolbar resources.
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

class OZWBmpMgr : public CObject
{
    DECLARE_DYNAMIC(OZWBmpMgr)
public:
    // One added toolbar resource.
    struct BmpInfo
    {
        UINT nSmallID = 0;
        UINT nLargeID = 0;            // 0: the large strip is the small one stretched
        HBITMAP hSmall = nullptr;
        HBITMAP hLarge = nullptr;
        int nImages = 0;              // images in the strip (commands, no separators)
        BOOL bSysColor = FALSE;       // standard greys follow the system colours
        BOOL bSmallExternal = FALSE;  // strips the store neither loads nor frees
        BOOL bLargeExternal = FALSE;
    };
    // Where the image of one command is.
    struct BmpItem
    {
        int nBmp;     // index of its BmpInfo
        int nImage;   // index of the image in that strip
    };

    OZWBmpMgr();
    ~OZWBmpMgr() override;
    OZWBmpMgr(const OZWBmpMgr&) = delete;
    OZWBmpMgr& operator=(const OZWBmpMgr&) = delete;

    // Brings the record's strips in line with the modes: the small strip
    // while small images show or both are kept, the large one in large
    // mode. bForce loads again what is loaded. FALSE when a load fails.
    virtual BOOL LoadBitmaps(BmpInfo* pInfo, BOOL bForce);
    virtual BOOL LoadSmall(BmpInfo* pInfo);
    virtual BOOL LoadLarge(BmpInfo* pInfo);

    // Adds the toolbar resource nSmallID (and nLargeID for large images, 0
    // for none) with the bitmaps of the same ids. The first resource added
    // sets the image sizes. Answers the number of images added, 0 when the
    // resources cannot be read or the strip cannot be loaded.
    int AddToolBarResource(UINT nSmallID, UINT nLargeID, BOOL bSysColor);
    // Adds a bitmap of nCount images for the commands ids (no separators).
    BOOL AddBitmap(UINT nSmallID, UINT nLargeID, const UINT* pIDs, int nCount, BOOL bSysColor);

    // The strip and image index of command nID: the small strip when small
    // images show or bForceSmall, else the large one. FALSE when no resource
    // names the command; TRUE with a null strip when its strip did not load.
    BOOL GetImage(UINT nID, HBITMAP* phBitmap, int* pnIndex, BOOL bForceSmall = FALSE) const;
    BOOL HasImage(UINT nID) const { return m_mapImages.count(nID) != 0; }

    void SetSmallSize(int cx, int cy);
    void SetLargeSize(int cx, int cy);
    CSize GetSmallSize() const { return CSize(m_cxSmall, m_cySmall); }
    CSize GetLargeSize() const { return CSize(m_cxLarge, m_cyLarge); }
    // The size of the images toolbars show now.
    CSize GetImageSize() const { return m_bSmallMode ? GetSmallSize() : GetLargeSize(); }

    // Small or large images on the toolbars; a change loads the strips again.
    void SetSmallMode(BOOL bSmall);
    BOOL IsSmallMode() const { return m_bSmallMode; }
    // Keeps the small strips loaded whatever the mode (bitmap menus need them).
    void SetKeepBoth(BOOL bKeepBoth);
    BOOL IsKeepBoth() const { return m_bKeepBoth; }
    // Loads every strip again (bForce: also those loaded, as after a change
    // of the system colours).
    BOOL ReloadAll(BOOL bForce);

    void AddRef() { m_nRefCount++; }
    // Deletes the store when the last user lets it go.
    void Release();
    int GetRefCount() const { return m_nRefCount; }

    int GetBitmapCount() const { return (int)m_arrBmps.size(); }
    const BmpInfo* GetBitmapInfo(int nIndex) const { return m_arrBmps[(size_t)nIndex]; }

    // Reads toolbar resource nID from the module that holds it: its command
    // ids (separators only when bKeepSeparators; the caller frees the array
    // with delete[]) and its image size. FALSE when it is missing or damaged.
    static BOOL ReadToolBarResource(UINT nID, UINT** ppIDs, int* pnCount, int* pcx, int* pcy,
                                    BOOL bKeepSeparators);

protected:
    // Maps the ids to the images of record nBmp; a command already mapped
    // keeps its image.
    void RegisterIds(int nBmp, const UINT* pIDs, int nCount);
    // A bitmap resource, through the system-colour loader when bSysColor and
    // the .NET look is off.
    static HBITMAP LoadStrip(UINT nID, BOOL bSysColor);
    static void FreeStrip(HBITMAP& hBitmap);

    std::unordered_map<UINT, BmpItem> m_mapImages;
    std::vector<BmpInfo*> m_arrBmps;
    int m_cxSmall = 16;
    int m_cySmall = 15;
    int m_cxLarge = 22;
    int m_cyLarge = 24;
    BOOL m_bSmallMode = TRUE;
    BOOL m_bKeepBoth = FALSE;
    int m_nRefCount = 1;
};
