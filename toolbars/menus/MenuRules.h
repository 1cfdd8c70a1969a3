// Window-free rules of the toolkit's menus: mnemonics, the split of an item
// text into label and accelerator, which items the bitmap menus convert to
// owner-drawn ones, the answer to a menu character, the size of an item, the
// radio dot; and walkers over in-memory menu templates (RT_MENU resources).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ozwmenu {

// The mnemonic of a caption: the character after its first single "&",
// upper-cased; 0 when there is none. "&&" is a literal ampersand, never a
// mnemonic, so it is skipped.
char ExtractMnemonic(const char* lpszText);

// The label (before the first tab) and the accelerator text (after it).
void SplitAtTab(const std::string& text, std::string& label, std::string& accelerator);

// Item commands of the platform's system menu, which menus leave alone.
inline bool IsSystemCommand(UINT nID)
{
    return nID >= 0xF000 && nID <= 0xFEFF;
}

// What the bitmap menus know of one menu item when they convert a popup.
struct ItemFacts
{
    UINT fType = 0;          // MFT_... of the item
    UINT nID = 0;            // 0 for an item that opens a submenu
    bool bForeign = false;   // its id is among the items others draw
    bool bRecorded = false;  // the popup's records hold one with its id (or a separator)
};

enum class Conversion {
    Leave,            // left as it is
    ConvertItem,      // becomes owner-drawn with a record of its own
    ConvertSeparator, // becomes an owner-drawn separator (record id -1)
    MarkForeign,      // owner-drawn by someone else: never touched again
};

// The conversion of an item, given the item before it (null for the first)
// and whether one of the styled looks (.NET, Office 2003, Vista classic)
// holds. A converted item that comes round again is converted again in
// place (its record is updated, not doubled).
Conversion ClassifyItem(const ItemFacts& item, const ItemFacts* pPrevious, bool bStyledLook);

// One item as a menu character sees it.
struct MnemonicItem
{
    bool bEligible = false;  // owner-drawn by the bitmap menus, not foreign
    char chMnemonic = 0;
    bool bHighlighted = false;
};
// The answer to WM_MENUCHAR: 0 (not taken) without a match; one match is
// executed (MNC_EXECUTE); of several, the first after the highlighted item,
// wrapping round, is selected (MNC_SELECT).
LRESULT MenuCharAnswer(char ch, const std::vector<MnemonicItem>& items);

// The size of a bitmap-menu item: the text, the image column and 30 more
// wide; as high as the text, at least the menu height and the image height
// plus 4; a styled separator a quarter of that.
SIZE MeasureItem(SIZE text, SIZE image, int cyMenu, bool bStyledSeparator);

// The rows of the 16 by 15 monochrome radio-dot bitmap (bit 15 of a row is
// its leftmost pixel; a set bit is white).
void RadioDotRows(WORD rows[15]);

// ---- Menu bars

// Whether key vk is bound in an accelerator table with exactly the given
// Shift, Ctrl and Alt state.
bool IsAcceleratorKey(const ACCEL* pTable, int nCount, WORD vk, bool bShift, bool bCtrl, bool bAlt);
// Whether a window text offers ch as a mnemonic: "&" followed by it, in any
// case ("&&" is a literal ampersand).
bool HasMnemonic(const char* lpszText, char ch);
// The menu next to nCurrent in a direction, round the bar: the visible
// buttons, and -1 for the system menu when the bar has one.
int AdjacentMenu(int nCurrent, bool bNext, const std::vector<bool>& visible, bool bHasSysMenu);

// What a key pressed in a menu bar's keyboard-selection mode (no menu open)
// does.
enum class SelectionKey {
    DropSelected, // Enter, Down: open the selected menu
    Cancel,       // Escape: leave the mode
    Previous,     // Left
    Next,         // Right
    PassOn,       // Alt, F10: the bar's own handling of the menu keys
    Mnemonic,     // anything else: looked up as a mnemonic
};
SelectionKey ClassifySelectionKey(WORD vk);

// ---- Menu templates (a standard RT_MENU resource after its header)
// Each item: a 16-bit flags word; for an item without MF_POPUP a 16-bit
// command id; then a null-terminated UTF-16 text. MF_END ends a level.

// Past one item (its sub-level not included).
void SkipMenuItem(const BYTE*& p);
// Past the items up to and including the one with MF_END, sub-levels and all.
void SkipMenuLevel(const BYTE*& p);
// To the item at nIndex of the level at p (sub-levels skipped): true when
// found; false after the level's last item.
bool FindMenuItem(const BYTE*& p, int nIndex);
// The item's text in UTF-8.
std::string GetMenuItemText(const BYTE* pItem);
// The item's flags word and (0 for a popup) its command id.
WORD GetMenuItemFlags(const BYTE* pItem);
WORD GetMenuItemID(const BYTE* pItem);
// A popup menu made from the level at p (p moves past it); null, with
// nothing left behind, when any menu call fails.
HMENU BuildPopupMenu(const BYTE*& p);
// The items of the level at p, as (caption, is popup) pairs, p moving past it.
std::vector<std::string> LevelCaptions(const BYTE*& p);

} // namespace ozwmenu
