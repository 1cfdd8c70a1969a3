// A short notation for the entries of a dock bar in the model's tests:
// "A B | C |" is a leading row end, a row of bars A and B, a row end, a row
// of C and a row end. "#2" is the place kept for the bar with id 2 (bar B:
// bars A..Z have ids 1..26). After a bar: "*" own row, "!" fixed size, "-"
// hidden.
#pragma once

#include "frame/dockmodel/OZWDockRows.h"

#include <sstream>
#include <string>

namespace dockrowstest {

// Fake bar objects: the model sees only their addresses.
inline void* BarPtr(char c)
{
    static char bars[26];
    return &bars[c - 'A'];
}

inline char BarName(const void* p)
{
    return (char)('A' + ((const char*)p - (const char*)BarPtr('A')));
}

inline OZWDockEntry Bar(char c, float fShare = 1.0f, DWORD dwExStyle = 0)
{
    return OZWDockEntry::MakeBar(BarPtr(c), (UINT)(c - 'A' + 1), dwExStyle, fShare);
}

inline OZWDockRows Rows(const std::string& text, DWORD dwAlign = 0x2000)
{
    OZWDockRows rows(dwAlign);
    std::istringstream in(text);
    std::string tok;
    while (in >> tok) {
        if (tok == "|") {
            rows.m_entries.push_back(OZWDockEntry::MakeRowEnd());
        } else if (tok[0] == '#') {
            rows.m_entries.push_back(OZWDockEntry::MakePlaceholder((UINT)std::stoi(tok.substr(1))));
        } else {
            OZWDockEntry e = Bar(tok[0]);
            for (size_t i = 1; i < tok.size(); ++i) {
                if (tok[i] == '*')
                    e.dwExStyle |= SCBX_OWN_ROW;
                else if (tok[i] == '!')
                    e.dwExStyle |= SCBX_FIXED_SIZE;
                else if (tok[i] == '-')
                    e.bVisible = FALSE;
            }
            rows.m_entries.push_back(e);
        }
    }
    return rows;
}

inline std::string Text(const OZWDockRows& rows)
{
    std::string s;
    for (size_t i = 1; i < rows.m_entries.size(); ++i) {
        const OZWDockEntry& e = rows.m_entries[i];
        if (!s.empty())
            s += ' ';
        if (e.IsRowEnd())
            s += '|';
        else if (e.kind == OZWDockEntry::Placeholder)
            s += '#' + std::to_string(e.nID);
        else
            s += BarName(e.pBar);
    }
    return s;
}

inline float Share(const OZWDockRows& rows, char c)
{
    return rows.m_entries[rows.FindBar(BarPtr(c))].fShare;
}

inline OZWDockEntry& Entry(OZWDockRows& rows, char c)
{
    return rows.m_entries[rows.FindBar(BarPtr(c))];
}

} // namespace dockrowstest
