// Text through the clipboard: what is written is read back whole, UTF-8 and
// line breaks included, and replaces what the clipboard held.
#include "platform/framework/window/Clipboard.h"

#include <gtest/gtest.h>

TEST(ClipboardText, WrittenTextIsReadBack)
{
    for (const char* text : { "Pipe 25 mm", "a\tb\r\nc\td\r\n", "Düse \xE2\x80\x93 20\xC2\xB0", "" }) {
        ASSERT_TRUE(AfxWriteClipboardText(nullptr, "something else"));
        ASSERT_TRUE(AfxWriteClipboardText(nullptr, text));
        EXPECT_EQ(text, AfxReadClipboardText(nullptr).str());
    }
}

TEST(ClipboardText, AnEmptiedClipboardGivesNoText)
{
    ASSERT_TRUE(AfxWriteClipboardText(nullptr, "kept until emptied"));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ("", AfxReadClipboardText(nullptr).str());
}
