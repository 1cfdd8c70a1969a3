// The off-screen drawing context against drawing straight into the target.
#include <gtest/gtest.h>
#include "frame/support/OZWMemDC.h"
#include "tests/platform/framework/drawing/DrawingSupport.h"
#include <functional>
#include <memory>

using dedaride::foundation::OZWMemDC;
using namespace kvdraw;

namespace {

struct Mapping
{
    const char* name;
    int mapMode;
    CSize windowExt, viewportExt;
    CPoint windowOrg, viewportOrg;
    CRect rect;   // logical rectangle to paint
};

void Apply(CDC& dc, const Mapping& m)
{
    dc.SetMapMode(m.mapMode);
    if (m.mapMode == MM_ANISOTROPIC) {
        dc.SetWindowExt(m.windowExt);
        dc.SetViewportExt(m.viewportExt);
    }
    dc.SetWindowOrg(m.windowOrg);
    dc.SetViewportOrg(m.viewportOrg);
}

// Paints the whole rectangle and a few shapes, some running past its edges,
// in logical units.
void Paint(CDC* pDC, const CRect& r)
{
    pDC->FillSolidRect(&r, kBlue);
    pDC->FillSolidRect(r.left, r.top, 3, 2, kRed);    // marks the top-left corner
    CPen pen(PS_SOLID, 1, kGreen);
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(r.left - 8, r.top + 5);
    pDC->LineTo(r.right + 8, r.bottom - 3);
    pDC->SelectObject(pOld);
    pDC->SetBkColor(kWhite);
    pDC->SetTextColor(kBlack);
    pDC->TextOut(r.left + 2, r.top + 2, "Ab");
}

const Mapping kMappings[] = {
    { "text at the origin", MM_TEXT, {}, {}, { 0, 0 }, { 0, 0 }, { 0, 0, 40, 30 } },
    { "text away from the origin", MM_TEXT, {}, {}, { 0, 0 }, { 0, 0 }, { 10, 20, 50, 45 } },
    { "scrolled view", MM_TEXT, {}, {}, { 7, 4 }, { 5, 3 }, { 12, 9, 60, 40 } },
    { "scaled twice", MM_ANISOTROPIC, { 1, 1 }, { 2, 2 }, { 3, 1 }, { 4, 2 }, { 5, 4, 25, 20 } },
    { "upward y axis", MM_ANISOTROPIC, { 1, -1 }, { 1, 1 }, { 0, 0 }, { 0, 60 }, { 6, 40, 46, 10 } },
};

} // namespace

TEST(MemDC, GivesTheSamePixelsAsDrawingStraightIntoTheTarget)
{
    for (const Mapping& m : kMappings) {
        for (BOOL bCopyMapping : { FALSE, TRUE }) {
            SCOPED_TRACE(std::string(m.name) + (bCopyMapping ? ", mapping copied" : ", plain"));
            Canvas direct(80, 70), buffered(80, 70);
            Apply(direct.dc, m);
            Apply(buffered.dc, m);

            direct.dc.IntersectClipRect(&m.rect);
            Paint(&direct.dc, m.rect);

            {
                OZWMemDC mem(&buffered.dc, m.rect.left, m.rect.top, m.rect.right, m.rect.bottom,
                             TRUE, bCopyMapping);
                if (bCopyMapping) {
                    // The painting code sees the target's own coordinates.
                    EXPECT_EQ(mem.GetWindowOrg(), m.windowOrg);
                }
                Paint(&mem, m.rect);
            }
            EXPECT_EQ(buffered.Pixels(), direct.Pixels());
            // The buffered target keeps its own mapping.
            EXPECT_EQ(buffered.dc.GetWindowOrg(), m.windowOrg);
            EXPECT_EQ(buffered.dc.GetViewportOrg(), m.viewportOrg);
        }
    }
}

TEST(MemDC, ThePictureReachesTheTargetOnlyWhenDeleted)
{
    Canvas target(20, 20);
    auto mem = std::make_unique<OZWMemDC>(&target.dc, 2, 2, 12, 12, TRUE, TRUE);
    mem->FillSolidRect(CRect(2, 2, 12, 12), kRed);
    EXPECT_EQ(target.Count(CRect(0, 0, 20, 20), kWhite), 400);
    mem.reset();
    EXPECT_EQ(target.Count(CRect(2, 2, 12, 12), kRed), 100);
    EXPECT_EQ(target.Count(CRect(0, 0, 20, 20), kWhite), 300);
}

TEST(MemDC, CreatedLaterOrNeverCreated)
{
    Canvas target(20, 20);
    {
        // Never created: nothing is drawn and nothing is copied.
        OZWMemDC mem(&target.dc, 0, 0, 20, 20, FALSE, FALSE);
        EXPECT_EQ(mem.m_hDC, nullptr);
    }
    EXPECT_EQ(target.Count(CRect(0, 0, 20, 20), kWhite), 400);
    {
        OZWMemDC mem(&target.dc, 5, 5, 10, 10, FALSE, FALSE);
        mem.Create();
        ASSERT_NE(mem.m_hDC, nullptr);
        EXPECT_NE(mem.m_pOldBitmap, nullptr);
        mem.FillSolidRect(CRect(5, 5, 10, 10), kGreen);
    }
    EXPECT_EQ(target.Count(CRect(0, 0, 20, 20), kGreen), 25);
    {
        // An empty rectangle paints nothing and does not fail.
        OZWMemDC mem(&target.dc, 7, 7, 7, 7, TRUE, TRUE);
        mem.FillSolidRect(CRect(0, 0, 20, 20), kRed);
    }
    EXPECT_EQ(target.Count(CRect(0, 0, 20, 20), kRed), 0);
}

TEST(MemDC, ANullTargetThrowsTheResourceException)
{
    CRuntimeClass* caught = nullptr;
    try {
        OZWMemDC mem(nullptr, 0, 0, 10, 10, TRUE, TRUE);
    } catch (CException* e) {
        caught = e->GetRuntimeClass();
        e->Delete();
    }
    EXPECT_EQ(caught, RUNTIME_CLASS(CResourceException));
}

TEST(MemDC, TextOutputGoesToTheBitmap)
{
    Canvas target(60, 20);
    {
        OZWMemDC mem(&target.dc, 0, 0, 60, 20, TRUE, TRUE);
        EXPECT_TRUE(mem.IsKindOf(RUNTIME_CLASS(OZWMemDC)));
        EXPECT_STREQ(mem.GetRuntimeClass()->m_lpszClassName, "OZWMemDC");
        mem.FillSolidRect(CRect(0, 0, 60, 20), kWhite);
        mem.SetTextColor(kBlack);
        int tabs = 20;
        CSize size = mem.TabbedTextOut(1, 1, "a\tb", 3, 1, &tabs, 0);
        EXPECT_GT(size.cx, 20);
        EXPECT_GT(size.cy, 0);
        EXPECT_TRUE(mem.PtVisible(59, 19));
        EXPECT_FALSE(mem.RectVisible(CRect(70, 0, 80, 10)));
    }
    EXPECT_LT(target.Count(CRect(0, 0, 60, 20), kWhite), 60 * 20);
}
