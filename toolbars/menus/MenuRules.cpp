#include "toolbars/menus/MenuRules.h"

#include <cctype>
#include <cstring>

namespace ozwmenu {

char ExtractMnemonic(const char* lpszText)
{
    if (lpszText == nullptr)
        return 0;
    for (const char* p = lpszText; *p != '\0'; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') { // a literal ampersand
            ++p;
            continue;
        }
        const unsigned char ch = (unsigned char)p[1];
        if (ch == 0)
            return 0;
        return ch < 0x80 ? (char)std::toupper(ch) : (char)ch;
    }
    return 0;
}

void SplitAtTab(const std::string& text, std::string& label, std::string& accelerator)
{
    const size_t tab = text.find('\t');
    label = text.substr(0, tab);
    accelerator = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

Conversion ClassifyItem(const ItemFacts& item, const ItemFacts* pPrevious, bool bStyledLook)
{
    if (item.fType & (MFT_BITMAP | MFT_OWNERDRAW)) {
        if ((item.fType & MFT_OWNERDRAW) == 0 || item.bForeign)
            return Conversion::Leave;
        const bool bFound = item.bRecorded || (bStyledLook && (item.fType & MFT_SEPARATOR));
        return bFound ? Conversion::Leave : Conversion::MarkForeign;
    }
    if (IsSystemCommand(item.nID) || item.bForeign)
        return Conversion::Leave;
    if (item.fType & MFT_SEPARATOR) {
        if (!bStyledLook)
            return Conversion::Leave;
        if (pPrevious != nullptr && IsSystemCommand(pPrevious->nID))
            return Conversion::Leave;
        return Conversion::ConvertSeparator;
    }
    return Conversion::ConvertItem;
}

LRESULT MenuCharAnswer(char ch, const std::vector<MnemonicItem>& items)
{
    const char upper = (unsigned char)ch < 0x80 ? (char)std::toupper((unsigned char)ch) : ch;
    std::vector<int> matches;
    int nHighlighted = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].bHighlighted && nHighlighted < 0)
            nHighlighted = (int)i;
        if (items[i].bEligible && items[i].chMnemonic != 0 && items[i].chMnemonic == upper)
            matches.push_back((int)i);
    }
    if (matches.empty())
        return 0;
    if (matches.size() == 1)
        return MAKELRESULT(matches[0], MNC_EXECUTE);
    int nChoice = matches[0];
    for (int nIndex : matches) {
        if (nIndex > nHighlighted) {
            nChoice = nIndex;
            break;
        }
    }
    return MAKELRESULT(nChoice, MNC_SELECT);
}

SIZE MeasureItem(SIZE text, SIZE image, int cyMenu, bool bStyledSeparator)
{
    SIZE size;
    size.cx = text.cx + image.cx + 30;
    int cy = text.cy;
    const int cyMin = cyMenu > image.cy + 4 ? cyMenu : image.cy + 4;
    if (cy < cyMin)
        cy = cyMin;
    size.cy = bStyledSeparator ? cy / 4 : cy;
    return size;
}

void RadioDotRows(WORD rows[15])
{
    static const WORD dot[5] = {0x06, 0x0F, 0x0F, 0x0F, 0x06};
    for (int y = 0; y < 15; ++y)
        rows[y] = 0xFFFF;
    for (int i = 0; i < 5; ++i)
        rows[4 + i] = (WORD)~(dot[i] << 6);
}

// ---- Menu bars

bool IsAcceleratorKey(const ACCEL* pTable, int nCount, WORD vk, bool bShift, bool bCtrl, bool bAlt)
{
    for (int i = 0; pTable != nullptr && i < nCount; ++i) {
        const ACCEL& a = pTable[i];
        if ((a.fVirt & FVIRTKEY) == 0 || a.key != vk)
            continue;
        if (((a.fVirt & FSHIFT) != 0) == bShift && ((a.fVirt & FCONTROL) != 0) == bCtrl &&
            ((a.fVirt & FALT) != 0) == bAlt)
            return true;
    }
    return false;
}

bool HasMnemonic(const char* lpszText, char ch)
{
    if (lpszText == nullptr || ch == 0)
        return false;
    const int upper = std::toupper((unsigned char)ch);
    for (const char* p = lpszText; *p != '\0'; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        if (p[1] != '\0' && std::toupper((unsigned char)p[1]) == upper)
            return true;
    }
    return false;
}

int AdjacentMenu(int nCurrent, bool bNext, const std::vector<bool>& visible, bool bHasSysMenu)
{
    // The places round the bar: the system menu, then the buttons.
    std::vector<int> ring;
    if (bHasSysMenu)
        ring.push_back(-1);
    for (size_t i = 0; i < visible.size(); ++i)
        if (visible[i])
            ring.push_back((int)i);
    if (ring.empty())
        return nCurrent;
    int nAt = -1;
    for (size_t i = 0; i < ring.size(); ++i)
        if (ring[i] == nCurrent)
            nAt = (int)i;
    const int n = (int)ring.size();
    if (nAt < 0)
        return bNext ? ring[0] : ring[(size_t)(n - 1)];
    return ring[(size_t)((nAt + (bNext ? 1 : n - 1)) % n)];
}

SelectionKey ClassifySelectionKey(WORD vk)
{
    switch (vk) {
    case VK_RETURN:
    case VK_DOWN: return SelectionKey::DropSelected;
    case VK_ESCAPE: return SelectionKey::Cancel;
    case VK_LEFT: return SelectionKey::Previous;
    case VK_RIGHT: return SelectionKey::Next;
    case VK_MENU:
    case VK_F10: return SelectionKey::PassOn;
    default: return SelectionKey::Mnemonic;
    }
}

// ---- Menu templates

namespace {

WORD ReadWord(const BYTE* p)
{
    WORD w;
    std::memcpy(&w, p, sizeof(w));
    return w;
}

// The text of an item, as UTF-16 code units, and the bytes it takes
// (terminator included).
std::wstring ReadText(const BYTE* p, size_t* pBytes)
{
    std::wstring text;
    for (;; p += 2) {
        const WORD w = ReadWord(p);
        if (w == 0)
            break;
        text.push_back((wchar_t)w);
    }
    if (pBytes != nullptr)
        *pBytes = (text.size() + 1) * 2;
    return text;
}

const BYTE* TextOf(const BYTE* pItem)
{
    return pItem + ((ReadWord(pItem) & MF_POPUP) ? 2 : 4);
}

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), (int)text.size(), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

WORD GetMenuItemFlags(const BYTE* pItem)
{
    return ReadWord(pItem);
}

WORD GetMenuItemID(const BYTE* pItem)
{
    return (ReadWord(pItem) & MF_POPUP) ? 0 : ReadWord(pItem + 2);
}

void SkipMenuItem(const BYTE*& p)
{
    size_t bytes = 0;
    const BYTE* pText = TextOf(p);
    ReadText(pText, &bytes);
    p = pText + bytes;
}

void SkipMenuLevel(const BYTE*& p)
{
    for (;;) {
        const WORD flags = ReadWord(p);
        SkipMenuItem(p);
        if (flags & MF_POPUP)
            SkipMenuLevel(p);
        if (flags & MF_END)
            return;
    }
}

bool FindMenuItem(const BYTE*& p, int nIndex)
{
    for (int i = 0;; ++i) {
        if (i == nIndex)
            return true;
        const WORD flags = ReadWord(p);
        SkipMenuItem(p);
        if (flags & MF_POPUP)
            SkipMenuLevel(p);
        if (flags & MF_END)
            return false;
    }
}

std::string GetMenuItemText(const BYTE* pItem)
{
    return Narrow(ReadText(TextOf(pItem), nullptr));
}

std::vector<std::string> LevelCaptions(const BYTE*& p)
{
    std::vector<std::string> captions;
    for (;;) {
        const WORD flags = ReadWord(p);
        captions.push_back(GetMenuItemText(p));
        SkipMenuItem(p);
        if (flags & MF_POPUP)
            SkipMenuLevel(p);
        if (flags & MF_END)
            return captions;
    }
}

HMENU BuildPopupMenu(const BYTE*& p)
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    bool bFailed = false;
    for (;;) {
        const WORD flags = ReadWord(p);
        const WORD nID = GetMenuItemID(p);
        const std::string text = GetMenuItemText(p);
        SkipMenuItem(p);
        UINT_PTR item = nID;
        if (flags & MF_POPUP) {
            HMENU hSub = BuildPopupMenu(p);
            if (hSub == nullptr) {
                bFailed = true;
            } else {
                item = (UINT_PTR)hSub;
            }
        }
        if (!bFailed) {
            BOOL bAppended;
            if (flags == 0 && nID == 0 && text.empty())
                bAppended = ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
            else
                bAppended = ::AppendMenuA(hMenu, (UINT)(flags & ~MF_END), item, text.c_str());
            if (!bAppended) {
                if (flags & MF_POPUP)
                    ::DestroyMenu((HMENU)item);
                bFailed = true;
            }
        }
        if (bFailed) {
            // Past the rest of the level, so the caller's pointer is right.
            if ((flags & MF_END) == 0)
                SkipMenuLevel(p);
            ::DestroyMenu(hMenu);
            return nullptr;
        }
        if (flags & MF_END)
            return hMenu;
    }
}

} // namespace ozwmenu
