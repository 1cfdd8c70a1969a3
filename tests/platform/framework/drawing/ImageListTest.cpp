// Image lists: adding masked bitmaps and icons, drawing, copying through an archive.
#include <gtest/gtest.h>
#include "tests/platform/framework/drawing/DrawingSupport.h"

using namespace kvdraw;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

// A bitmap of its own holding the picture of a canvas (which keeps its bitmap).
void CopyToBitmap(Canvas& c, CBitmap& bitmap)
{
    ASSERT_TRUE(bitmap.CreateBitmap(c.Width(), c.Height(), 1, 32, nullptr));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.BitBlt(0, 0, c.Width(), c.Height(), &c.dc, 0, 0, SRCCOPY);
    dc.SelectObject(pOld);
}

// A strip of two 8x8 images: image 0 red with a magenta (transparent) left
// column, image 1 green.
void MakeStrip(CBitmap& strip)
{
    Canvas c(16, 8);
    c.dc.FillSolidRect(0, 0, 8, 8, kRed);
    c.dc.FillSolidRect(0, 0, 1, 8, kMagenta);
    c.dc.FillSolidRect(8, 0, 8, 8, kGreen);
    CopyToBitmap(c, strip);
}

// A masked list of 8x8 images holding the strip's two.
void MakeStripList(CImageList& list, int nInitial, int nGrow)
{
    CBitmap strip;
    MakeStrip(strip);
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32 | ILC_MASK, nInitial, nGrow));
    ASSERT_EQ(list.Add(&strip, kMagenta), 0);
}

// Image nImage of the list drawn on a white canvas.
void DrawOnWhite(CImageList& list, int nImage, Canvas& c)
{
    c.Clear(kWhite);
    ASSERT_TRUE(list.Draw(&c.dc, nImage, CPoint(2, 2), ILD_TRANSPARENT));
}

} // namespace

TEST(ImageList, MaskedImagesAreDrawnWithTheirTransparentPartsLeftAlone)
{
    CBitmap strip;
    MakeStrip(strip);
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32 | ILC_MASK, 0, 4));
    EXPECT_EQ(list.GetImageCount(), 0);
    EXPECT_EQ(list.Add(&strip, kMagenta), 0);
    EXPECT_EQ(list.GetImageCount(), 2);

    IMAGEINFO info = {};
    ASSERT_TRUE(list.GetImageInfo(1, &info));
    EXPECT_EQ(CRect(info.rcImage).Size(), CSize(8, 8));

    Canvas c(12, 12);
    DrawOnWhite(list, 0, c);
    EXPECT_EQ(c.At(2, 5), kWhite);      // the masked column
    EXPECT_EQ(c.At(3, 5), kRed);
    EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kRed), 7 * 8);
    DrawOnWhite(list, 1, c);
    EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kGreen), 64);
    EXPECT_EQ(c.At(1, 1), kWhite);

    // Replacing and removing images.
    CBitmap blue;
    Canvas b(8, 8);
    b.dc.FillSolidRect(0, 0, 8, 8, kBlue);
    CopyToBitmap(b, blue);
    ASSERT_TRUE(list.Replace(1, &blue, nullptr));
    DrawOnWhite(list, 1, c);
    EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kBlue), 64);
    ASSERT_TRUE(list.Remove(0));
    EXPECT_EQ(list.GetImageCount(), 1);
    DrawOnWhite(list, 0, c);
    EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kBlue), 64);
}

TEST(ImageList, IconsGoInAndComeOut)
{
    CImageList list;
    MakeStripList(list, 2, 2);

    HICON icon = list.ExtractIcon(1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(list.Add(icon), 2);
    EXPECT_EQ(list.Replace(0, icon), 0);
    ::DestroyIcon(icon);
    EXPECT_EQ(list.GetImageCount(), 3);

    Canvas c(12, 12);
    for (int image : { 0, 1, 2 }) {
        DrawOnWhite(list, image, c);
        EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kGreen), 64) << image;
    }
    EXPECT_EQ(list.ExtractIcon(7), nullptr);
}

TEST(ImageList, AnArchiveCarriesAListToACopy)
{
    CImageList original;
    MakeStripList(original, 0, 4);

    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(original.Write(&ar));
        ar << static_cast<DWORD>(0xC0FFEE);   // what follows the list stays readable
        ar.Close();
    }
    file.SeekToBegin();
    CImageList copy;
    {
        CArchive ar(&file, CArchive::load);
        ASSERT_TRUE(copy.Read(&ar));
        DWORD marker = 0;
        ar >> marker;
        EXPECT_EQ(marker, 0xC0FFEEu);
    }
    EXPECT_NE(copy.m_hImageList, original.m_hImageList);
    ASSERT_EQ(copy.GetImageCount(), 2);
    Canvas c(12, 12);
    DrawOnWhite(copy, 0, c);
    EXPECT_EQ(c.At(2, 5), kWhite);
    EXPECT_EQ(c.At(3, 5), kRed);
    DrawOnWhite(copy, 1, c);
    EXPECT_EQ(c.Count(CRect(2, 2, 10, 10), kGreen), 64);
}

TEST(ImageList, HandleOwnershipAndDuplicates)
{
    CImageList list;
    ASSERT_TRUE(list.Create(8, 8, ILC_COLOR32, 1, 1));
    EXPECT_EQ(CImageList::FromHandle(list.m_hImageList), &list);
    EXPECT_EQ(CImageList::FromHandlePermanent(list.m_hImageList), &list);

    CImageList dup;
    ASSERT_TRUE(dup.Create(&list));
    EXPECT_NE(dup.m_hImageList, list.m_hImageList);
    EXPECT_FALSE(dup.Create(static_cast<CImageList*>(nullptr)));

    HIMAGELIST raw = list.Detach();
    EXPECT_EQ(CImageList::FromHandlePermanent(raw), nullptr);
    CImageList* temp = CImageList::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hImageList, raw);
    CImageList::DeleteTempMap();
    EXPECT_EQ(ImageList_GetImageCount(raw), 0);   // still a live list
    EXPECT_TRUE(ImageList_Destroy(raw));
    EXPECT_FALSE(list.DeleteImageList());
}
