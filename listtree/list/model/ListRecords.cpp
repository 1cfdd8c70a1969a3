#include "listtree/list/model/ListRecords.h"

#include <cstring>

namespace ozwlist {

void FreeText(LPSTR& p)
{
    if (IsOwned(p))
        delete[] p;
    p = nullptr;
}

void StoreText(LPSTR& p, LPCSTR text)
{
    if (p == text && !IsOwned(text))
        return;
    LPSTR copy = text == nullptr ? nullptr : IsCallback(text) ? LPSTR_TEXTCALLBACKA : nullptr;
    if (IsOwned(text)) {
        const size_t n = std::strlen(text);
        copy = new char[n + 1];
        std::memcpy(copy, text, n + 1);
    }
    FreeText(p);
    p = copy;
}

int PrefixOnBoundary(LPCSTR text, int nLength, int nMax)
{
    if (nLength <= nMax)
        return nLength;
    int n = nMax < 0 ? 0 : nMax;
    // Back off continuation bytes, then the lead byte of a character cut short.
    while (n > 0 && ((unsigned char)text[n] & 0xC0) == 0x80)
        --n;
    return n;
}

int CopyText(LPSTR buffer, int size, LPCSTR text)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    if (!IsOwned(text)) {
        buffer[0] = '\0';
        return 0;
    }
    const int n = PrefixOnBoundary(text, (int)std::strlen(text), size - 1);
    std::memmove(buffer, text, (size_t)n);
    buffer[n] = '\0';
    return n;
}

} // namespace ozwlist

OZWListSubItem::~OZWListSubItem()
{
    ozwlist::FreeText(m_pszText);
}

OZWListItem::~OZWListItem()
{
    ozwlist::FreeText(m_pszText);
    for (OZWListSubItem* pCell : m_cells)
        delete pCell;
}
