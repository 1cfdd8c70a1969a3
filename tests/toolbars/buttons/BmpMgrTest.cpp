// The toolbar image store: resources, first-named wins, small and large
// strips, system colours.
#include "tests/toolbars/buttons/ToolBarButtonTestRes.h"
#include "platform/theme/ThemeLib.h"
#include "toolbars/buttons/BmpMgr.h"

#include <gtest/gtest.h>

namespace {

// The colour of a pixel of a strip.
COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(hdc, hBitmap);
    COLORREF clr = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return clr;
}

CSize SizeOf(HBITMAP hBitmap)
{
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    return CSize(bm.bmWidth, bm.bmHeight);
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kDarkGreen = RGB(0, 128, 0);
const COLORREF kTeal = RGB(0, 128, 128);

// A store whose end a test can see.
class WatchedBmpMgr : public OZWBmpMgr
{
public:
    explicit WatchedBmpMgr(bool* pGone) : m_pGone(pGone) {}
    ~WatchedBmpMgr() override { *m_pGone = true; }

private:
    bool* m_pGone;
};

} // namespace

TEST(ToolBarBmpMgr, TheFirstResourceThatNamesACommandGivesItsImage)
{
    OZWBmpMgr store;
    EXPECT_EQ(2, store.AddToolBarResource(IDR_TEST_TOOLBAR, 0, FALSE));
    EXPECT_EQ(2, store.AddToolBarResource(IDR_TEST_TOOLBAR_B, 0, FALSE));
    ASSERT_EQ(2, store.GetBitmapCount());

    struct Case
    {
        UINT id;
        int record;
        int index;
        COLORREF colour;
    } cases[] = {
        {57600, 0, 0, kRed},   // named by both: the first wins
        {57601, 0, 1, kBlue},  // the separator takes no image
        {57602, 1, 1, RGB(255, 255, 0)},
    };
    for (const Case& c : cases) {
        HBITMAP hBitmap = nullptr;
        int nIndex = -1;
        ASSERT_TRUE(store.GetImage(c.id, &hBitmap, &nIndex)) << c.id;
        EXPECT_EQ(store.GetBitmapInfo(c.record)->hSmall, hBitmap) << c.id;
        EXPECT_EQ(c.index, nIndex) << c.id;
        EXPECT_EQ(c.colour, PixelOf(hBitmap, nIndex * 16 + 8, 7)) << c.id;
    }
    EXPECT_FALSE(store.GetImage(12345, nullptr, nullptr));
}

TEST(ToolBarBmpMgr, TheFirstResourceSetsTheImageSizes)
{
    OZWBmpMgr store;
    store.SetSmallSize(16, 16);
    store.SetLargeSize(32, 32);
    EXPECT_EQ(2, store.AddToolBarResource(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR_LARGE, FALSE));
    EXPECT_EQ(CSize(16, 15), store.GetSmallSize());
    EXPECT_EQ(CSize(32, 32), store.GetLargeSize());
    EXPECT_EQ(CSize(16, 15), store.GetImageSize());
    store.SetSmallMode(FALSE);
    EXPECT_EQ(CSize(32, 32), store.GetImageSize());
}

TEST(ToolBarBmpMgr, StripsFollowTheModes)
{
    // Which strips a resource has after each change of mode.
    struct Step
    {
        const char* what;
        BOOL bSmall;
        BOOL bKeepBoth;
        bool small;
        bool large;
    } steps[] = {
        {"small images", TRUE, FALSE, true, false},
        {"large images: the small strip goes", FALSE, FALSE, false, true},
        {"small again: the large strip goes", TRUE, FALSE, true, false},
        {"both kept (bitmap menus)", TRUE, TRUE, true, false},
        {"large with both kept", FALSE, TRUE, true, true},
        {"small with both kept: the large strip stays", TRUE, TRUE, true, true},
    };
    for (UINT nLarge : {0u, (UINT)IDR_TEST_TOOLBAR_LARGE}) {
        OZWBmpMgr store;
        store.AddToolBarResource(IDR_TEST_TOOLBAR, nLarge, FALSE);
        for (const Step& s : steps) {
            store.SetKeepBoth(s.bKeepBoth);
            store.SetSmallMode(s.bSmall);
            const OZWBmpMgr::BmpInfo* pInfo = store.GetBitmapInfo(0);
            EXPECT_EQ(s.small, pInfo->hSmall != nullptr) << s.what << " (large resource " << nLarge << ")";
            EXPECT_EQ(s.large, pInfo->hLarge != nullptr) << s.what << " (large resource " << nLarge << ")";
        }
    }
}

TEST(ToolBarBmpMgr, WithoutALargeResourceTheSmallImagesAreStretched)
{
    OZWBmpMgr store;
    store.SetLargeSize(32, 32);
    store.AddToolBarResource(IDR_TEST_TOOLBAR, 0, FALSE);
    store.SetSmallMode(FALSE);
    HBITMAP hLarge = nullptr;
    int nIndex = -1;
    ASSERT_TRUE(store.GetImage(57601, &hLarge, &nIndex));
    ASSERT_NE(nullptr, hLarge);
    EXPECT_EQ(CSize(64, 32), SizeOf(hLarge));
    // Image i of 16 x 15 lands on x = 32 i, 32 x 32.
    EXPECT_EQ(kRed, PixelOf(hLarge, 16, 16));
    EXPECT_EQ(kBlue, PixelOf(hLarge, 32 + 16, 16));
    EXPECT_EQ(RGB(192, 192, 192), PixelOf(hLarge, 32 + 2, 2));
    // The small strip is still there for a caller that asks for it.
    HBITMAP hSmall = nullptr;
    EXPECT_TRUE(store.GetImage(57601, &hSmall, &nIndex, TRUE));
}

TEST(ToolBarBmpMgr, ALargeResourceIsUsedAsItIs)
{
    OZWBmpMgr store;
    store.AddToolBarResource(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR_LARGE, FALSE);
    store.SetSmallMode(FALSE);
    HBITMAP hLarge = nullptr;
    int nIndex = -1;
    ASSERT_TRUE(store.GetImage(57600, &hLarge, &nIndex));
    EXPECT_EQ(kDarkGreen, PixelOf(hLarge, 16, 16));
    ASSERT_TRUE(store.GetImage(57601, &hLarge, &nIndex));
    EXPECT_EQ(kTeal, PixelOf(hLarge, 48, 16));
}

TEST(ToolBarBmpMgr, MissingResourcesAddNothingOrLeaveAnEmptyStrip)
{
    OZWBmpMgr store;
    EXPECT_EQ(0, store.AddToolBarResource(31899, 0, FALSE));
    EXPECT_EQ(0, store.GetBitmapCount());
    // A large resource that cannot be read fails the first resource.
    EXPECT_EQ(0, store.AddToolBarResource(IDR_TEST_TOOLBAR, 31899, FALSE));
    EXPECT_EQ(0, store.GetBitmapCount());

    // The toolbar resource without its bitmap: its commands are known, with
    // no image to show.
    EXPECT_EQ(0, store.AddToolBarResource(IDR_TEST_NO_BITMAP, 0, FALSE));
    HBITMAP hBitmap = (HBITMAP)1;
    int nIndex = -1;
    EXPECT_TRUE(store.GetImage(57610, &hBitmap, &nIndex));
    EXPECT_EQ(nullptr, hBitmap);
}

TEST(ToolBarBmpMgr, SystemColourStripsFollowTheButtonColours)
{
    OZWBmpMgr store;
    store.AddToolBarResource(IDR_TEST_TOOLBAR, 0, TRUE);
    HBITMAP hBitmap = nullptr;
    ASSERT_TRUE(store.GetImage(57600, &hBitmap, nullptr));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(hBitmap, 0, 0));
    EXPECT_EQ(kRed, PixelOf(hBitmap, 8, 7));
    // Loaded again (as after a change of the system colours), it still is.
    store.ReloadAll(TRUE);
    ASSERT_TRUE(store.GetImage(57600, &hBitmap, nullptr));
    ASSERT_NE(nullptr, hBitmap);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), PixelOf(hBitmap, 0, 0));
}

TEST(ToolBarBmpMgr, TheStoreGoesWithItsLastUser)
{
    bool gone = false;
    OZWBmpMgr* pStore = new WatchedBmpMgr(&gone);
    pStore->AddRef();
    pStore->Release();
    EXPECT_FALSE(gone);
    pStore->Release();
    EXPECT_TRUE(gone);
}

TEST(ToolBarBmpMgr, ReadToolBarResourceKeepsSeparatorsOnlyWhenAsked)
{
    UINT* pIDs = nullptr;
    int nCount = 0, cx = 0, cy = 0;
    ASSERT_TRUE(OZWBmpMgr::ReadToolBarResource(IDR_TEST_TOOLBAR, &pIDs, &nCount, &cx, &cy, TRUE));
    EXPECT_EQ(3, nCount);
    EXPECT_EQ(0u, pIDs[1]);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(15, cy);
    delete[] pIDs;
    ASSERT_TRUE(OZWBmpMgr::ReadToolBarResource(IDR_TEST_TOOLBAR, &pIDs, &nCount, nullptr, nullptr, FALSE));
    EXPECT_EQ(2, nCount);
    EXPECT_EQ(57601u, pIDs[1]);
    delete[] pIDs;
}
