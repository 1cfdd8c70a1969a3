// An off-screen device context: a window paints into it as into its paint DC,
// the picture collects in a bitmap compatible with the target, and deleting
// the object copies it to the target in one block transfer, without flicker.
#pragma once

#include "platform/framework/Framework.h"

namespace dedaride {
namespace foundation {

class OZWMemDC : public CDC
{
    DECLARE_DYNAMIC(OZWMemDC)
public:
    // pDC is the target (not owned; never null: a null target throws the
    // resource exception). The rectangle is the part of the target the
    // bitmap covers, in the target's logical units. bCreateNow makes the
    // memory DC at once. bCopyTargetMapping: the memory DC takes the
    // target's origins and extents as they are, so drawing code uses the
    // target's coordinates unchanged; otherwise it takes the target's map
    // mode and extents with its window origin on the rectangle's corner.
    // In both modes the rectangle's top-left corner is the bitmap's first
    // pixel.
    OZWMemDC(CDC* pDC, int left, int top, int right, int bottom,
             BOOL bCreateNow, BOOL bCopyTargetMapping);
    // Copies the picture to the target (when it was created) and frees the
    // bitmap and the memory DC.
    ~OZWMemDC() override;

    // Builds the memory DC and its bitmap and sets up the mapping; throws the
    // resource exception when either cannot be made.
    virtual void Create();

    // The three steps of Create, each throwing the resource exception on
    // failure: a DC compatible with the target's output handle (the screen
    // when there is none), attached to this object; a bitmap compatible
    // with the target, as large as the rectangle in device pixels;
    // selecting that bitmap, remembering what it replaced.
    void CreateMemDC();
    void CreateBitmap();
    void SelectBitmap();

    CDC* m_pDC = nullptr;
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CRect m_rect;
    CPoint m_ptViewportOrg;
    CPoint m_ptWindowOrg;
    CSize m_sizeViewportExt;
    CSize m_sizeWindowExt;
    BOOL m_bCopyTargetMapping = FALSE;

protected:
    // Puts the memory DC's mapping in place (Create, and again before the copy).
    void ApplyMapping();

private:
    HGDIOBJ m_hOldBitmap = nullptr;  // the handle of m_pOldBitmap, which is a temporary wrapper
    CRect m_rectDevice;              // the rectangle on the target, device pixels, normalised
    int m_nMapMode = MM_TEXT;        // the target's map mode
    BOOL m_bCreated = FALSE;         // Create has run to its end
};

} // namespace foundation
} // namespace dedaride
