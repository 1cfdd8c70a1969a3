#include "toolbars/buttons/SysColorBitmap.h"

#include <cstring>
#include <vector>

namespace dedaride {
namespace foundation {

namespace {

// A system colour as a colour-table entry (blue, green, red, 0).
DWORD TableEntry(int nSysColor)
{
    COLORREF c = ::GetSysColor(nSysColor);
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}

// The bitmap made from the DIB (header, colour table, pixels).
HBITMAP MakeScreenBitmap(const BITMAPINFO* pInfo, const void* pBits)
{
    int width = pInfo->bmiHeader.biWidth;
    int height = pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight : pInfo->bmiHeader.biHeight;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    ::ReleaseDC(nullptr, hScreen);
    if (hBitmap == nullptr || hMem == nullptr) {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        if (hMem)
            ::DeleteDC(hMem);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::StretchDIBits(hMem, 0, 0, width, height, 0, 0, width, height, pBits, pInfo, DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    return hBitmap;
}

} // namespace

BOOL LoadSysColorBitmap(CBitmap* pBitmap, LPCTSTR lpszResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResource, RT_BITMAP);
    HRSRC hResource = ::FindResourceA(hInst, lpszResource, RT_BITMAP);
    if (hResource == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        hResource = ::FindResourceA(hInst, lpszResource, RT_BITMAP);
    }
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hResource);
    const BYTE* pData = hGlobal ? (const BYTE*)::LockResource(hGlobal) : nullptr;
    DWORD size = ::SizeofResource(hInst, hResource);
    if (pData == nullptr || size < sizeof(BITMAPINFOHEADER))
        return FALSE;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)pData;
    if (pHeader->biSize < sizeof(BITMAPINFOHEADER) || pHeader->biSize > size)
        return FALSE;

    HBITMAP hBitmap = nullptr;
    if (pHeader->biBitCount >= 16) {
        DWORD offset = pHeader->biSize;
        if (pHeader->biCompression == BI_BITFIELDS)
            offset += 3 * sizeof(DWORD);
        if (offset > size)
            return FALSE;
        hBitmap = MakeScreenBitmap((const BITMAPINFO*)pData, pData + offset);
    }
    else {
        // The header and a full colour table (a shortened table in the
        // resource is filled up with black), with the standard colours
        // replaced by the system's.
        int nColours = 1 << pHeader->biBitCount;
        int nStored = pHeader->biClrUsed != 0 && (int)pHeader->biClrUsed < nColours ? (int)pHeader->biClrUsed : nColours;
        DWORD offset = pHeader->biSize + nStored * sizeof(RGBQUAD);
        if (offset > size)
            return FALSE;
        std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + nColours * sizeof(RGBQUAD), 0);
        std::memcpy(info.data(), pHeader, sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER* pCopy = (BITMAPINFOHEADER*)info.data();
        pCopy->biSize = sizeof(BITMAPINFOHEADER);
        pCopy->biClrUsed = 0;
        DWORD* pTable = (DWORD*)(info.data() + sizeof(BITMAPINFOHEADER));
        std::memcpy(pTable, pData + pHeader->biSize, nStored * sizeof(RGBQUAD));
        const struct
        {
            DWORD standard;
            int nSysColor;
        } kMap[] = {
            { 0x000000, COLOR_BTNTEXT },
            { 0x808080, COLOR_BTNSHADOW },
            { 0xC0C0C0, COLOR_BTNFACE },
            { 0xFFFFFF, COLOR_BTNHIGHLIGHT },
        };
        DWORD replacements[4];
        for (int m = 0; m < 4; ++m)
            replacements[m] = TableEntry(kMap[m].nSysColor);
        for (int i = 0; i < nColours; ++i) {
            for (int m = 0; m < 4; ++m) {
                if (pTable[i] == kMap[m].standard) {
                    pTable[i] = replacements[m];
                    break;
                }
            }
        }
        hBitmap = MakeScreenBitmap((const BITMAPINFO*)info.data(), pData + offset);
    }
    if (hBitmap == nullptr)
        return FALSE;
    pBitmap->DeleteObject();
    pBitmap->Attach(hBitmap);
    return TRUE;
}

} // namespace foundation
} // namespace dedaride
