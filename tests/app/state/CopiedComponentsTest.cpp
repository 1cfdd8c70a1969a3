// The components copied for Paste Component: what a copy keeps, what
// closing a database window forgets, and where a paste goes.
#include "app/state/CopiedComponents.h"

#include <gtest/gtest.h>

TEST(CopiedComponents, ClosingTheSourceWindowForgetsTheCopy)
{
    struct Case
    {
        const char* closed;
        BOOL bKept;
    };
    const Case cases[] = {
        { "C:\\Data\\Other.sqlite", TRUE },
        { "", TRUE },
        { "C:\\Data\\First.sqlite", FALSE },
        { "c:\\data\\FIRST.SQLITE", FALSE },
    };
    for (const Case& c : cases) {
        CCopiedComponents copied;
        copied.Copy("C:\\Data\\First.sqlite", { 35, 281 });
        copied.SourceClosed(c.closed);
        EXPECT_EQ(c.bKept, copied.CanPaste(TRUE)) << c.closed;
        EXPECT_EQ(c.bKept ? 2u : 0u, copied.GetKeys().size()) << c.closed;
        EXPECT_EQ(c.bKept ? "C:\\Data\\First.sqlite" : "", copied.GetSourcePath().str()) << c.closed;
    }
}

TEST(CopiedComponents, APasteNeedsKeysAndAnOpenSource)
{
    CCopiedComponents copied;
    EXPECT_FALSE(copied.CanPaste(TRUE));
    copied.Copy("C:\\Data\\First.sqlite", { 35 });
    EXPECT_TRUE(copied.CanPaste(TRUE));
    EXPECT_FALSE(copied.CanPaste(FALSE));
    // A paste leaves the keys: they can be pasted again.
    copied.SetTargetPath("C:\\Data\\First.sqlite");
    EXPECT_TRUE(copied.IsWithinDatabase());
    copied.SetTargetPath("C:\\Data\\first.sqlite");
    EXPECT_FALSE(copied.IsWithinDatabase());
    copied.ClearKeys();
    EXPECT_FALSE(copied.CanPaste(TRUE));
}

TEST(CopiedComponents, TheCurrentObjectGoesWithIt)
{
    {
        CCopiedComponents copied;
        copied.MakeCurrent();
        EXPECT_EQ(&copied, CCopiedComponents::Current());
    }
    EXPECT_EQ(nullptr, CCopiedComponents::Current());
}
