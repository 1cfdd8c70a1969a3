// Colours and the palette: the colour value, the built-in palette, the
// palette file with its damaged and odd entries, and the look-ups.
#include "pickers/core/Colour.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string WritePaletteFolder(const std::string& name, const std::string& content)
{
    std::string folder = kvtest::ScratchDir("palette-" + name);
    std::ofstream(folder + "\\VGA.vcpal", std::ios::binary) << content;
    return folder;
}

std::string Colors(const std::string& elements)
{
    return "<?xml version=\"1.0\"?>\n<Colors>\n" + elements + "</Colors>\n";
}

std::string Color(int index, const char* red, const char* green, const char* blue)
{
    return "<Color Index=\"" + std::to_string(index) + "\" Red=\"" + red + "\" Green=\"" + green + "\" Blue=\"" + blue +
           "\"/>\n";
}

::testing::AssertionResult IsEntry(const OZU_Colour& c, int red, int green, int blue, int index)
{
    if (c.GetRed() == red && c.GetGreen() == green && c.GetBlue() == blue && c.GetAlpha() == 0 && c.GetIndex() == index)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << (int)c.GetRed() << "," << (int)c.GetGreen() << ","
                                         << (int)c.GetBlue() << ") alpha " << (int)c.GetAlpha() << " index "
                                         << c.GetIndex();
}

} // namespace

TEST(Colour, ValueChannelsIndexAndEquality)
{
    OZU_Colour fresh;
    EXPECT_TRUE(IsEntry(fresh, 0, 255, 0, -1));

    OZU_Colour fromValue((COLORREF)0x7F102030);
    EXPECT_EQ(0x30, fromValue.GetRed());
    EXPECT_EQ(0x20, fromValue.GetGreen());
    EXPECT_EQ(0x10, fromValue.GetBlue());
    EXPECT_EQ(0x7F, fromValue.GetAlpha());
    EXPECT_EQ((COLORREF)0x7F102030, fromValue.GetColourValue());
    EXPECT_EQ(RGB(0x30, 0x20, 0x10), fromValue.GetRGB());

    OZU_Colour floats(1.0f, 0.5f, 0.0f, 0.0f);
    EXPECT_TRUE(IsEntry(floats, 255, 127, 0, -1));
    EXPECT_FLOAT_EQ(1.0f, floats.GetRedF());

    OZU_Colour entry(10, 20, 30, 0, 40);
    OZU_Colour copy = entry;
    EXPECT_EQ(40, copy.GetIndex());
    copy.SetGreen(21);
    EXPECT_EQ(-1, copy.GetIndex());   // no longer the palette's entry
    OZU_Colour sameColour(10, 20, 30, 0, 7);
    EXPECT_TRUE(entry == sameColour);  // the index is not compared
    EXPECT_TRUE(entry == RGB(10, 20, 30));
    EXPECT_TRUE(entry != RGB(10, 20, 31));
    EXPECT_TRUE(entry != OZU_Colour(10, 20, 30, 1));
}

TEST(Palette, BuiltInPaletteRows)
{
    OZU_ColourArray palette(PALETTE_SIZE, 10);
    MakeBuiltInPalette(palette);
    struct Row
    {
        int position, red, green, blue;
    };
    const Row rows[] = {
        { 0, 0, 0, 0 },          { 12, 255, 0, 0 },       { 15, 0, 0, 0 },        { 16, 255, 255, 255 },
        { 17, 240, 240, 255 },   { 31, 17, 17, 255 },     { 32, 0, 0, 247 },      { 46, 0, 0, 17 },
        { 47, 4, 16, 255 },      { 48, 255, 255, 255 },   { 49, 252, 240, 255 },  { 111, 255, 12, 16 },
        { 126, 255, 104, 32 },   { 143, 2, 255, 16 },     { 207, 16, 255, 6 },    { 209, 240, 255, 250 },
        { 239, 255, 255, 255 },  { 243, 223, 223, 223 },  { 255, 127, 127, 127 },
    };
    for (const Row& row : rows)
        EXPECT_TRUE(IsEntry(palette[row.position], row.red, row.green, row.blue, row.position))
            << "position " << row.position;
    for (int i = 0; i < PALETTE_SIZE; ++i)
        ASSERT_EQ(i, palette[i].GetIndex());
}

TEST(Palette, TheProgramPaletteIsBuiltInWithoutAFile)
{
    // No "VGA.vcpal" beside the test program.
    ASSERT_EQ((uint32_t)PALETTE_SIZE, ColourPalette().GetSize());
    EXPECT_TRUE(IsEntry(ColourPalette()[47], 4, 16, 255, 47));
    EXPECT_TRUE(IsEntry(LoadColourPaletteFrom(kvtest::ScratchDir("palette-none"))[12], 255, 0, 0, 12));
}

// Entries the file gives whole replace the built-in ones; the built-in
// palette gives the rest, and takes the place of every entry that is not
// whole, which makes the file damaged (the user is told at start).
TEST(Palette, FileEntries)
{
    struct Case
    {
        const char* name;
        std::string content;
        int position, red, green, blue, index;
        bool damaged;
    };
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += Color(i, "1", "2", "3");
    const Case cases[] = {
        { "named", Colors(Color(12, "255", "0", "0")), 12, 255, 0, 0, 12, false },
        { "unnamed", Colors(sixteen), 16, 255, 255, 255, 16, false },
        { "first16", Colors(sixteen), 15, 1, 2, 3, 15, false },
        { "blanks", Colors(Color(4, " 10 ", "20", "30")), 4, 10, 20, 30, 4, false },
        { "lastwins", Colors(Color(3, "1", "1", "1") + Color(3, "9", "9", "9")), 3, 9, 9, 9, 3, false },
        { "outsidebyte", Colors(Color(3, "300", "256", "-1") + Color(4, "1", "1", "1")), 3, 0, 128, 128, 3, true },
        { "notanumber", Colors(Color(3, "12abc", "", "  7")), 3, 0, 128, 128, 3, true },
        { "noattribute", Colors("<Color Index=\"5\" Red=\"9\" Green=\"9\"/>\n"), 5, 128, 0, 128, 5, true },
        { "outofrange", Colors(Color(300, "9", "9", "9") + Color(-1, "9", "9", "9") + Color(65539, "9", "9", "9")),
          3, 0, 128, 128, 3, true },
        { "notwellformed", "<Colors><Color Index=\"1\" Red=\"9\" Green=\"9\" Blue=\"9\"></Colors>", 1, 0, 0, 128, 1,
          true },
        { "otherroot", "<Palette>" + Color(1, "9", "9", "9") + "</Palette>", 1, 0, 0, 128, 1, true },
        { "empty", "", 1, 0, 0, 128, 1, true },
    };
    for (const Case& c : cases) {
        bool damaged = !c.damaged;
        OZU_ColourArray palette = LoadColourPaletteFrom(WritePaletteFolder(c.name, c.content), &damaged);
        ASSERT_EQ((uint32_t)PALETTE_SIZE, palette.GetSize()) << c.name;
        EXPECT_TRUE(IsEntry(palette[c.position], c.red, c.green, c.blue, c.index)) << c.name;
        EXPECT_EQ(c.damaged, damaged) << c.name;
        // Every entry carries its own index: the look-up by index finds it.
        for (int i = 0; i < PALETTE_SIZE; ++i)
            ASSERT_EQ(i, palette[i].GetIndex()) << c.name;
    }
    // Without a file, nothing is damaged; the program's own palette was read
    // without a file beside the test program.
    bool damaged = true;
    LoadColourPaletteFrom(kvtest::ScratchDir("palette-absent"), &damaged);
    EXPECT_FALSE(damaged);
    EXPECT_EQ("", DamagedPaletteFile());
}

TEST(Palette, AFileThatCannotBeOpenedChangesNothing)
{
    OZU_ColourArray palette(PALETTE_SIZE, 10);
    MakeBuiltInPalette(palette);
    std::string folder = kvtest::ScratchDir("palette-folder-as-file");
    // A folder of that name cannot be opened as a file.
    std::string path = folder + "\\VGA.vcpal";
    ::CreateDirectoryA(path.c_str(), nullptr);
    EXPECT_NE(0, LoadPaletteFile(path, palette));
    EXPECT_TRUE(IsEntry(palette[12], 255, 0, 0, 12));
}

TEST(Palette, NearestIndex)
{
    OZU_ColourArray palette(PALETTE_SIZE, 10);
    MakeBuiltInPalette(palette);
    EXPECT_EQ(12, OZU_Colour(250, 0, 0, 0).GetNearestIndex(palette));
    EXPECT_EQ(40, OZU_Colour(250, 0, 0, 0, 40).GetNearestIndex(palette));   // its own index, no scan
    EXPECT_EQ(16, OZU_Colour(255, 255, 255, 0).GetNearestIndex(palette));   // equal to 16, 48 and 239
    EXPECT_EQ(0, OZU_Colour(0, 0, 0, 0).GetNearestIndex(palette));          // black is 0 and 15
    // Equally far from two entries: the earlier wins.
    OZU_ColourArray two(PALETTE_SIZE, 10);
    two[0] = OZU_Colour(0, 0, 0, 0, 0);
    two[1] = OZU_Colour(100, 0, 0, 0, 1);
    EXPECT_EQ(0, OZU_Colour(50, 0, 0, 0).GetNearestIndex(two));
    EXPECT_EQ(1, OZU_Colour(51, 0, 0, 0).GetNearestIndex(two));
    // The program's palette is the built-in one here.
    EXPECT_EQ(12, OZU_Colour(250, 0, 0, 0).GetNearestIndex());
}

TEST(Palette, FindByIndex)
{
    OZU_ColourArray palette(PALETTE_SIZE, 10);
    MakeBuiltInPalette(palette);
    EXPECT_EQ(&palette[255], &FindPaletteColour(palette, 300));
    EXPECT_EQ(&palette[0], &FindPaletteColour(palette, -1));
    EXPECT_EQ(&palette[130], &FindPaletteColour(palette, 130));
    EXPECT_EQ(&ColourPalette()[99], &FindPaletteColour(99));

    // A file naming only the first sixteen entries leaves the rest without
    // an index; entry 12 is found all the same.
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += Color(i, "1", "2", "3");
    OZU_ColourArray partial = LoadColourPaletteFrom(WritePaletteFolder("partial", Colors(sixteen)));
    EXPECT_EQ(&partial[12], &FindPaletteColour(partial, 12));
    EXPECT_EQ(&partial[255], &FindPaletteColour(partial, 300));
}

TEST(Palette, HueLightnessSaturation)
{
    struct Case
    {
        COLORREF colour;
        WORD hue, lightness, saturation;
    };
    const Case cases[] = {
        { RGB(255, 0, 0), 0, 120, 240 },     { RGB(0, 255, 0), 80, 120, 240 },   { RGB(0, 0, 255), 160, 120, 240 },
        { RGB(255, 255, 255), 160, 240, 0 }, { RGB(0, 0, 0), 160, 0, 0 },        { RGB(128, 128, 128), 160, 120, 0 },
        // A red with a little blue lies just below hue 240, within the scale.
        { RGB(255, 0, 10), 238, 120, 240 },
    };
    for (const Case& c : cases) {
        OZU_HLS hls = ColourToHLS(c.colour);
        EXPECT_EQ(c.hue, hls.hue);
        EXPECT_EQ(c.lightness, hls.lightness);
        EXPECT_EQ(c.saturation, hls.saturation);
    }
    EXPECT_EQ(RGB(255, 0, 0), HLSToColour(0, 120, 240));
    EXPECT_EQ(RGB(0, 255, 0), HLSToColour(80, 120, 240));
    EXPECT_EQ(RGB(0, 0, 255), HLSToColour(160, 120, 240));
    EXPECT_EQ(RGB(127, 127, 127), HLSToColour(160, 120, 0));
}
