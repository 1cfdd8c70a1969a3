// The "Buttons" stream of a saved toolbar.
#include "toolbars/model/BtnInfo.h"

#include <gtest/gtest.h>

using namespace ozwtb;

TEST(ToolBarButtonStream, ThreeButtonsAndASeparatorWithoutDataTakeTwentyBytes)
{
    OZWBtnInfoArray buttons;
    for (UINT id : {57600u, 0u, 57601u, 57611u})
        buttons.Add(new OZWBtnInfo(id, nullptr, 0));
    std::vector<BYTE> stream;
    ASSERT_TRUE(BuildButtonStream(buttons, stream));
    ASSERT_EQ(20u, stream.size());
    const std::vector<BYTE> separator(stream.begin() + 5, stream.begin() + 10);
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 0, 0}), separator);
    // 57600 = 0xE100, little-endian.
    EXPECT_EQ((std::vector<BYTE>{0x00, 0xE1, 0, 0, 0}), std::vector<BYTE>(stream.begin(), stream.begin() + 5));
}

TEST(ToolBarButtonStream, AButtonsDataComesBackUnchanged)
{
    OZWBtnInfoArray buttons;
    const BYTE width[2] = {0xC8, 0x00};
    buttons.Add(new OZWBtnInfo(57636, nullptr, 0));
    buttons.Add(new OZWBtnInfo(32795, width, 2));
    std::vector<BYTE> stream;
    ASSERT_TRUE(BuildButtonStream(buttons, stream));
    EXPECT_EQ(5u + 7u, stream.size());

    OZWBtnInfoArray back;
    ASSERT_TRUE(ParseButtonStream(stream.data(), (UINT)stream.size(), back));
    ASSERT_EQ(2, back.GetSize());
    EXPECT_EQ(57636u, back.GetInfo(0)->m_nID);
    EXPECT_EQ(0u, back.GetInfo(0)->m_nDataLen);
    EXPECT_EQ(32795u, back.GetInfo(1)->m_nID);
    ASSERT_EQ(2u, back.GetInfo(1)->m_nDataLen);
    EXPECT_EQ(0xC8, back.GetInfo(1)->m_pData[0]);
    EXPECT_EQ(0x00, back.GetInfo(1)->m_pData[1]);
}

TEST(ToolBarButtonStream, ADamagedStreamIsRefusedWhole)
{
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
        BOOL ok;
        int count;
    } cases[] = {
        {"empty", {}, TRUE, 0},
        {"one record", {1, 0, 0, 0, 0}, TRUE, 1},
        {"a record cut short", {1, 0, 0, 0, 0, 2, 0}, FALSE, 0},
        {"data running past the end", {1, 0, 0, 0, 3, 0xAA}, FALSE, 0},
        {"a second record's data past the end", {1, 0, 0, 0, 0, 2, 0, 0, 0, 200, 1, 2}, FALSE, 0},
    };
    for (const Case& c : cases) {
        OZWBtnInfoArray parsed;
        EXPECT_EQ(c.ok, ParseButtonStream(c.bytes.data(), (UINT)c.bytes.size(), parsed)) << c.what;
        EXPECT_EQ(c.count, parsed.GetSize()) << c.what;
    }
}

TEST(ToolBarButtonStream, DataTooLongForItsLengthByteIsNotWritten)
{
    OZWBtnInfoArray buttons;
    std::vector<BYTE> data(256, 1);
    buttons.Add(new OZWBtnInfo(1, data.data(), (UINT)data.size()));
    std::vector<BYTE> stream;
    EXPECT_FALSE(BuildButtonStream(buttons, stream));
    EXPECT_TRUE(stream.empty());
}
