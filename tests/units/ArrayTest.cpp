#include <gtest/gtest.h>

#include "units/OZU_Array.h"

#include <new>

// Sizes set one after another on one array with grow step 10: the capacity,
// whether the block was replaced, and how many old elements survive.
TEST(OZU_Array, SetSizeGrowsAndShrinksInWholeSteps)
{
    struct Step
    {
        uint32_t size;
        uint32_t capacity;
        bool newBlock;
        uint32_t kept; // elements that must still hold their values
    };
    const Step steps[] = {
        {7, 10, true, 0}, {10, 10, false, 7}, {11, 20, true, 10},
        {3, 10, true, 3}, {9, 10, false, 3}, {0, 0, true, 0},
    };

    OZU_Array<float> a(0, 10);
    EXPECT_EQ(0u, a.GetSize());
    EXPECT_EQ(0u, a.GetCapacity());
    EXPECT_TRUE(a.IsValid());

    const float* block = nullptr;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.size);
        a.SetSize(s.size);
        EXPECT_EQ(s.size, a.GetSize());
        EXPECT_EQ(s.capacity, a.GetCapacity());
        const float* now = s.capacity ? &a.GetAt(0) : nullptr;
        if (!s.newBlock) {
            EXPECT_EQ(block, now);
        }
        for (uint32_t i = 0; i < s.kept; ++i)
            EXPECT_EQ(100.0f + i, a.GetAt(i)) << i;
        block = now;
        for (uint32_t i = 0; i < s.size; ++i)
            a.GetAt(i) = 100.0f + i;
    }
}

// Shrinking within the block keeps the elements beyond the new size.
TEST(OZU_Array, ShrinkWithinBlockKeepsElementsBeyondSize)
{
    OZU_Array<float> a(8, 10);
    for (uint32_t i = 0; i < 8; ++i)
        a[i] = (float)i;
    a.SetSize(2);
    a.SetSize(8);
    for (uint32_t i = 0; i < 8; ++i)
        EXPECT_EQ((float)i, a[i]);
}

TEST(OZU_Array, CopyHasSameSizeStepAndElements)
{
    OZU_Array<float> a(0, 10);
    a.SetSize(7);
    for (uint32_t i = 0; i < 7; ++i)
        a[i] = 1.5f * i;

    OZU_Array<float> copy(a);
    EXPECT_EQ(7u, copy.GetSize());
    EXPECT_EQ(10u, copy.GetCapacity());
    EXPECT_EQ(10u, copy.GetGrowBy());
    EXPECT_NE(&a[0], &copy[0]);
    for (uint32_t i = 0; i < 7; ++i)
        EXPECT_EQ(a[i], copy[i]);

    OZU_Array<float> other(3, 4);
    other = a;
    EXPECT_EQ(7u, other.GetSize());
    EXPECT_EQ(10u, other.GetCapacity());
    EXPECT_EQ(a[6], other[6]);

    // Assigning an array to itself must not free the block it copies from.
    other = other;
    EXPECT_EQ(7u, other.GetSize());
    EXPECT_EQ(a[6], other[6]);
}

// A refused allocation leaves size, capacity and the block as they were.
TEST(OZU_Array, FailedAllocationLeavesArrayConsistent)
{
    OZU_Array<float> a(5, 10);
    for (uint32_t i = 0; i < 5; ++i)
        a[i] = (float)i;
    const float* block = &a[0];

    EXPECT_THROW(a.SetSize(1u << 30), std::bad_alloc);
    EXPECT_EQ(5u, a.GetSize());
    EXPECT_EQ(10u, a.GetCapacity());
    EXPECT_EQ(block, &a[0]);
    EXPECT_EQ(4.0f, a[4]);
}

TEST(OZU_Array, ClearKeepsGrowStep)
{
    OZU_Array<float> a(12, 5);
    EXPECT_EQ(15u, a.GetCapacity());
    a.Clear();
    EXPECT_EQ(0u, a.GetSize());
    EXPECT_EQ(0u, a.GetCapacity());
    a.SetSize(6);
    EXPECT_EQ(10u, a.GetCapacity());
}

// A grow step of 0 would divide by zero; it is taken as 1.
TEST(OZU_Array, ZeroGrowStepIsTakenAsOne)
{
    OZU_Array<float> a(3, 0);
    EXPECT_EQ(1u, a.GetGrowBy());
    EXPECT_EQ(3u, a.GetCapacity());
}
