// The icon wrapper: sizes, loading from the resources, drawing.
#include <gtest/gtest.h>
#include "frame/support/OZWIcon.h"
#include "tests/frame/support/SupportTestRes.h"
#include "tests/support/MemoryBitmap.h"

namespace {

// A square icon of the given size, red inside a transparent border of 2.
HICON MakeIcon(int size)
{
    std::vector<BYTE> andBits((size_t)size * size / 8, 0xFF), xorBits((size_t)size * size * 4, 0);
    for (int y = 2; y < size - 2; ++y) {
        for (int x = 2; x < size - 2; ++x) {
            andBits[(size_t)(y * size + x) / 8] &= (BYTE)~(0x80 >> (x % 8));
            BYTE* p = &xorBits[(size_t)(y * size + x) * 4];
            p[2] = 255;   // red
        }
    }
    return ::CreateIcon(nullptr, size, size, 1, 32, andBits.data(), xorBits.data());
}

} // namespace

TEST(Icon, EmptyIsMinusOneByMinusOne)
{
    OZWIcon icon;
    EXPECT_EQ(icon.m_hIcon, nullptr);
    EXPECT_EQ(icon.m_cx, -1);
    EXPECT_EQ(icon.m_cy, -1);
    EXPECT_STREQ(icon.GetRuntimeClass()->m_lpszClassName, "OZWIcon");
}

TEST(Icon, SetIconTakesTheSizeFromTheHotSpot)
{
    HICON h32 = MakeIcon(32);
    ASSERT_NE(h32, nullptr);
    {
        OZWIcon icon;
        icon.SetIcon(h32);
        EXPECT_EQ(icon.m_hIcon, h32);
        EXPECT_EQ(icon.m_cx, 32);
        EXPECT_EQ(icon.m_cy, 32);
        icon.SetIcon(nullptr);   // a null icon keeps the size
        EXPECT_EQ(icon.m_cx, 32);
    }
    // An icon handed in stays its owner's.
    ICONINFO info {};
    EXPECT_TRUE(::GetIconInfo(h32, &info));
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    ::DestroyIcon(h32);
}

TEST(Icon, LoadIconAtTheRequestedSize)
{
    OZWIcon icon;
    EXPECT_FALSE(icon.LoadIcon(31999, 16, 16));   // no such resource
    EXPECT_EQ(icon.m_hIcon, nullptr);
    EXPECT_EQ(icon.m_cx, -1);

    ASSERT_TRUE(icon.LoadIcon(IDI_SUPPORT_TEST, 16, 16));
    EXPECT_NE(icon.m_hIcon, nullptr);
    EXPECT_EQ(icon.m_cx, 16);
    EXPECT_EQ(icon.m_cy, 16);
    HICON first = icon.m_hIcon;
    // Loading again replaces (and frees) the icon it loaded before.
    ASSERT_TRUE(icon.LoadIcon(MAKEINTRESOURCE(IDI_SUPPORT_TEST), 24, 20));
    EXPECT_NE(icon.m_hIcon, first);
    EXPECT_EQ(icon.m_cx, 24);
    EXPECT_EQ(icon.m_cy, 20);
    ICONINFO info {};
    EXPECT_FALSE(::GetIconInfo(first, &info));
}

TEST(Icon, DrawsAtTheStoredOrAGivenSize)
{
    OZWIcon icon;
    ASSERT_TRUE(icon.LoadIcon(IDI_SUPPORT_TEST, 32, 32));
    kvtest::MemoryBitmap bitmap(80, 40);
    bitmap.Fill(RGB(255, 255, 255));
    CDC* pDC = bitmap.DC();
    EXPECT_TRUE(icon.Draw(pDC, 0, 0, nullptr));
    EXPECT_EQ(bitmap.At(16, 16), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.At(0, 0), RGB(255, 255, 255));   // the transparent border
    EXPECT_EQ(bitmap.At(31, 16), RGB(255, 255, 255));

    // At 16 by 16 with a background brush: the border takes the brush.
    CBrush brush(RGB(0, 0, 255));
    EXPECT_TRUE(icon.Draw(pDC, 40, 0, 16, 16, &brush));
    EXPECT_EQ(bitmap.At(48, 8), RGB(255, 0, 0));
    EXPECT_EQ(bitmap.At(40, 0), RGB(0, 0, 255));
    EXPECT_EQ(bitmap.At(56, 8), RGB(255, 255, 255));   // outside the icon
}
