// An icon handle with the size it is drawn at: loads icons from the
// application's resources at a chosen size and draws them.
//
// An icon the wrapper loaded itself (LoadIcon) is its own: it is destroyed
// when another icon replaces it and with the wrapper. An icon handed in with
// SetIcon stays its owner's.
#pragma once

#include "platform/framework/Framework.h"

class OZWIcon : public CObject
{
    DECLARE_DYNAMIC(OZWIcon)
public:
    OZWIcon();
    ~OZWIcon() override;

    // Stores the icon; a non-null icon's size is twice its hot spot (the
    // centre of an icon). A null icon leaves the size as it was.
    void SetIcon(HICON hIcon);
    HICON GetIcon() const { return m_hIcon; }

    // Loads the icon resource at cx by cy from the current resource module;
    // FALSE, and the wrapper unchanged, when there is none such.
    virtual BOOL LoadIcon(UINT nID, int cx, int cy);
    virtual BOOL LoadIcon(LPCTSTR lpszName, int cx, int cy);
    // Draws at (x, y), cx by cy; with pBrush, flicker-free over its background.
    virtual BOOL Draw(CDC* pDC, int x, int y, int cx, int cy, CBrush* pBrush);
    // The same at the stored size.
    virtual BOOL Draw(CDC* pDC, int x, int y, CBrush* pBrush);

    HICON m_hIcon = nullptr;
    int m_cx = -1;
    int m_cy = -1;

private:
    void Release();
    BOOL m_bOwned = FALSE;
};
