// The window-free menu rules: mnemonics, the label and accelerator, which
// items the bitmap menus convert, the menu-character answer, item sizes, the
// radio dot and the menu-template walkers.
#include <gtest/gtest.h>
#include "toolbars/menus/MenuRules.h"

#include <cstring>
#include <string>
#include <vector>

using namespace ozwmenu;

TEST(MenuRules, TheMnemonicIsTheCharacterAfterTheFirstSingleAmpersand)
{
    struct Case
    {
        const char* text;
        char mnemonic;
    } cases[] = {
        {"&File", 'F'},
        {"E&xit", 'X'},
        {"Save &as", 'A'},
        {"No mnemonic", 0},
        {"Trailing&", 0},
        {"Fish && &chips", 'C'}, // "&&" is a literal ampersand
        {"&&Only literal", 0},
        {"&1 recent", '1'},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtractMnemonic(c.text), c.mnemonic) << c.text;
    EXPECT_EQ(ExtractMnemonic(nullptr), 0);
}

TEST(MenuRules, TheTextSplitsIntoLabelAndAcceleratorAtTheFirstTab)
{
    std::string label, accelerator;
    SplitAtTab("&Open...\tCtrl+O", label, accelerator);
    EXPECT_EQ(label, "&Open...");
    EXPECT_EQ(accelerator, "Ctrl+O");
    SplitAtTab("Plain", label, accelerator);
    EXPECT_EQ(label, "Plain");
    EXPECT_EQ(accelerator, "");
    SplitAtTab("A\tB\tC", label, accelerator);
    EXPECT_EQ(accelerator, "B\tC");
}

TEST(MenuRules, ConversionOfEachKindOfItem)
{
    auto item = [](UINT fType, UINT nID, bool bForeign = false, bool bRecorded = false) {
        ItemFacts f;
        f.fType = fType;
        f.nID = nID;
        f.bForeign = bForeign;
        f.bRecorded = bRecorded;
        return f;
    };
    const ItemFacts command = item(MFT_STRING, 100);
    const ItemFacts sysCommand = item(MFT_STRING, SC_CLOSE);
    struct Case
    {
        const char* name;
        ItemFacts facts;
        const ItemFacts* pPrevious;
        bool bStyled;
        Conversion expected;
    } cases[] = {
        {"command", command, nullptr, false, Conversion::ConvertItem},
        {"submenu (id 0)", item(MFT_STRING, 0), nullptr, false, Conversion::ConvertItem},
        {"system command", sysCommand, nullptr, true, Conversion::Leave},
        {"last system command", item(MFT_STRING, 0xFEFF), nullptr, false, Conversion::Leave},
        {"after the system commands", item(MFT_STRING, 0xFF00), nullptr, false, Conversion::ConvertItem},
        {"foreign id", item(MFT_STRING, 100, true), nullptr, false, Conversion::Leave},
        {"separator, classic", item(MFT_SEPARATOR, 0), &command, false, Conversion::Leave},
        {"separator, styled", item(MFT_SEPARATOR, 0), &command, true, Conversion::ConvertSeparator},
        {"separator after a system command", item(MFT_SEPARATOR, 0), &sysCommand, true, Conversion::Leave},
        {"owner-drawn by others", item(MFT_OWNERDRAW, 200), nullptr, false, Conversion::MarkForeign},
        {"owner-drawn by us", item(MFT_OWNERDRAW, 100, false, true), nullptr, false, Conversion::Leave},
        {"our separator, styled", item(MFT_OWNERDRAW | MFT_SEPARATOR, 0), nullptr, true, Conversion::Leave},
        {"owner-drawn foreign", item(MFT_OWNERDRAW, 200, true), nullptr, false, Conversion::Leave},
        {"bitmap item", item(MFT_BITMAP, 100), nullptr, false, Conversion::Leave},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyItem(c.facts, c.pPrevious, c.bStyled), c.expected) << c.name;
}

TEST(MenuRules, AMenuCharacterExecutesOneMatchAndSelectsTheNextOfSeveral)
{
    auto items = [](const char* mnemonics, int nHighlighted) {
        std::vector<MnemonicItem> v;
        for (int i = 0; mnemonics[i] != '\0'; ++i) {
            MnemonicItem m;
            m.bEligible = mnemonics[i] != '-';
            m.chMnemonic = mnemonics[i] == '.' ? 0 : mnemonics[i] == '-' ? 'A' : mnemonics[i];
            m.bHighlighted = i == nHighlighted;
            v.push_back(m);
        }
        return v;
    };
    struct Case
    {
        const char* mnemonics; // '.' no mnemonic, '-' an A that is not one of ours
        int nHighlighted;
        char ch;
        LRESULT expected;
    } cases[] = {
        {"FEV", -1, 'e', MAKELRESULT(1, MNC_EXECUTE)},
        {"FEV", -1, 'x', 0},
        {"A.A.A", -1, 'a', MAKELRESULT(0, MNC_SELECT)},
        {"A.A.A", 0, 'a', MAKELRESULT(2, MNC_SELECT)},
        {"A.A.A", 2, 'a', MAKELRESULT(4, MNC_SELECT)},
        {"A.A.A", 4, 'a', MAKELRESULT(0, MNC_SELECT)}, // wraps round
        {"-A-", -1, 'a', MAKELRESULT(1, MNC_EXECUTE)}, // the other's item does not count
        {"...", -1, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuCharAnswer(c.ch, items(c.mnemonics, c.nHighlighted)), c.expected)
            << c.mnemonics << " " << c.nHighlighted << " " << c.ch;
}

TEST(MenuRules, ItemSizes)
{
    const SIZE image = {16, 15};
    struct Case
    {
        SIZE text;
        int cyMenu;
        bool bSeparator;
        SIZE expected;
    } cases[] = {
        {{60, 13}, 18, false, {106, 19}},  // image + 4 is the tallest
        {{60, 13}, 22, false, {106, 22}},  // the menu height
        {{60, 30}, 18, false, {106, 30}},  // the text
        {{0, 13}, 18, true, {46, 4}},      // a styled separator: a quarter
    };
    for (const Case& c : cases) {
        const SIZE s = MeasureItem(c.text, image, c.cyMenu, c.bSeparator);
        EXPECT_EQ(s.cx, c.expected.cx);
        EXPECT_EQ(s.cy, c.expected.cy);
    }
}

TEST(MenuRules, TheRadioDotIsFiveRowsOfASmallDisc)
{
    WORD rows[15];
    RadioDotRows(rows);
    for (int y = 0; y < 15; ++y) {
        if (y < 4 || y > 8) {
            EXPECT_EQ(rows[y], 0xFFFF) << y;
        }
    }
    EXPECT_EQ(rows[4], (WORD)~(0x06 << 6));
    EXPECT_EQ(rows[6], (WORD)~(0x0F << 6));
    EXPECT_EQ(rows[8], (WORD)~(0x06 << 6));
}

namespace {

// A menu template level built by hand: items of (flags, id, text).
struct TemplateBuilder
{
    std::vector<BYTE> bytes;
    void Word(WORD w)
    {
        bytes.push_back((BYTE)(w & 0xFF));
        bytes.push_back((BYTE)(w >> 8));
    }
    void Item(WORD flags, WORD id, const char* text)
    {
        Word(flags);
        if ((flags & MF_POPUP) == 0)
            Word(id);
        for (const char* p = text; *p != '\0'; ++p)
            Word((WORD)(unsigned char)*p);
        Word(0);
    }
};

} // namespace

TEST(MenuTemplates, WalkersFindItemsAcrossSubLevels)
{
    TemplateBuilder t;
    t.Item(MF_POPUP, 0, "&File");        // 0
    t.Item(0, 100, "&New");
    t.Item(MF_POPUP, 0, "&Recent");
    t.Item(MF_END, 300, "One");
    t.Item(MF_END, 101, "E&xit");
    t.Item(0, 0, "");                     // 1: a separator
    t.Item(MF_END, 200, "&Help");        // 2
    const BYTE* pEnd = t.bytes.data() + t.bytes.size();

    const BYTE* p = t.bytes.data();
    ASSERT_TRUE(FindMenuItem(p, 2));
    EXPECT_EQ(GetMenuItemText(p), "&Help");
    EXPECT_EQ(GetMenuItemID(p), 200);
    p = t.bytes.data();
    EXPECT_FALSE(FindMenuItem(p, 3));
    EXPECT_EQ(p, pEnd);
    p = t.bytes.data();
    SkipMenuLevel(p);
    EXPECT_EQ(p, pEnd);
    p = t.bytes.data();
    EXPECT_EQ(LevelCaptions(p), std::vector<std::string>({"&File", "", "&Help"}));

    // A level whose only item ends it is a one-item menu.
    TemplateBuilder one;
    one.Item(MF_END, 7, "Only");
    p = one.bytes.data();
    HMENU hMenu = BuildPopupMenu(p);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(::GetMenuItemCount(hMenu), 1);
    EXPECT_EQ(::GetMenuItemID(hMenu, 0), 7u);
    ::DestroyMenu(hMenu);
}

TEST(MenuTemplates, APopupIsBuiltWithItsSubMenusAndSeparators)
{
    TemplateBuilder t;
    t.Item(0, 100, "&New");
    t.Item(0, 0, "");                     // a separator: flags, id and text all empty
    t.Item(MF_GRAYED, 0, "");              // not a separator: its flags are not empty
    t.Item(MF_POPUP, 0, "&Recent");
    t.Item(MF_END, 300, "One");
    t.Item(MF_END | MF_CHECKED, 101, "E&xit");
    const BYTE* p = t.bytes.data();
    HMENU hMenu = BuildPopupMenu(p);
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(p, t.bytes.data() + t.bytes.size());
    ASSERT_EQ(::GetMenuItemCount(hMenu), 5);
    EXPECT_NE(::GetMenuState(hMenu, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(::GetMenuState(hMenu, 2, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    HMENU hSub = ::GetSubMenu(hMenu, 3);
    ASSERT_NE(hSub, nullptr);
    EXPECT_EQ(::GetMenuItemID(hSub, 0), 300u);
    EXPECT_NE(::GetMenuState(hMenu, 101, MF_BYCOMMAND) & MF_CHECKED, 0u);
    char text[32] = {};
    ::GetMenuStringA(hMenu, 4, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "E&xit");
    ::DestroyMenu(hMenu);
}

TEST(MenuBarRules, F10IsTheFramesWhenItIsAnAcceleratorWithTheSameModifiers)
{
    const ACCEL table[] = {
        {FVIRTKEY | FCONTROL, 'N', 100},
        {FVIRTKEY | FSHIFT, VK_F10, 101},
    };
    EXPECT_TRUE(IsAcceleratorKey(table, 2, VK_F10, true, false, false));
    EXPECT_FALSE(IsAcceleratorKey(table, 2, VK_F10, false, false, false));
    EXPECT_FALSE(IsAcceleratorKey(table, 2, VK_F10, true, true, false));
    EXPECT_TRUE(IsAcceleratorKey(table, 2, 'N', false, true, false));
    EXPECT_FALSE(IsAcceleratorKey(nullptr, 0, VK_F10, false, false, false));
}

TEST(MenuBarRules, AControlsMnemonicIsAnyAmpersandWithTheCharacter)
{
    EXPECT_TRUE(HasMnemonic("&Name:", 'n'));
    EXPECT_TRUE(HasMnemonic("Save && &close", 'C'));
    EXPECT_FALSE(HasMnemonic("Fish && chips", 'c'));
    EXPECT_FALSE(HasMnemonic("Name", 'n'));
    EXPECT_FALSE(HasMnemonic(nullptr, 'n'));
}

TEST(MenuBarRules, TheNextMenuGoesRoundTheBarThroughTheSystemMenu)
{
    const std::vector<bool> visible = {true, false, true, true};
    struct Case
    {
        int current;
        bool next;
        bool sysMenu;
        int expected;
    } cases[] = {
        {0, true, true, 2},   // the hidden button is skipped
        {3, true, true, -1},  // past the last: the system menu
        {-1, true, true, 0},
        {0, false, true, -1}, // left of the first: the system menu
        {0, false, false, 3}, // without one: round to the last
        {3, true, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdjacentMenu(c.current, c.next, visible, c.sysMenu), c.expected)
            << c.current << " " << c.next << " " << c.sysMenu;
}

TEST(MenuBarRules, KeysOfTheKeyboardSelectionMode)
{
    EXPECT_EQ(ClassifySelectionKey(VK_RETURN), SelectionKey::DropSelected);
    EXPECT_EQ(ClassifySelectionKey(VK_DOWN), SelectionKey::DropSelected);
    EXPECT_EQ(ClassifySelectionKey(VK_ESCAPE), SelectionKey::Cancel);
    EXPECT_EQ(ClassifySelectionKey(VK_LEFT), SelectionKey::Previous);
    EXPECT_EQ(ClassifySelectionKey(VK_RIGHT), SelectionKey::Next);
    EXPECT_EQ(ClassifySelectionKey(VK_MENU), SelectionKey::PassOn);
    EXPECT_EQ(ClassifySelectionKey(VK_F10), SelectionKey::PassOn);
    EXPECT_EQ(ClassifySelectionKey('F'), SelectionKey::Mnemonic);
}
