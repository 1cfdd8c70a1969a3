#include "editors/base/core/EditorText.h"
#include "grids/core/CellText.h"

namespace kveditors {

CString FitToWidth(const CString& text, int nWidth)
{
    return kvgrid::PadToLength(text, nWidth);
}

bool KindHasLabel(int nDatabaseNumber)
{
    switch (nDatabaseNumber) {
    case 1:   // pipe and tape
    case 2:   // valve
    case 3:   // hydraulic item
    case 11:  // pump
    case 12:  // outlet
    case 13:  // outlet connection
    case 15:  // nozzle
    case 21:  // wire
    case 22:  // controller
    case 23:  // electric item
    case 24:  // light
        return true;
    default:
        return false;
    }
}

CString JoinLabel(const CString& major2, const CString& minor2, int nMajor2Width)
{
    CString first = major2;
    if (nMajor2Width > 0 && kvgrid::TextLength(first) <= nMajor2Width)
        first = kvgrid::PadToLength(first, nMajor2Width);
    else
        first.TrimRight(' ');
    CString label = first + minor2;
    label.TrimRight(' ');
    return label;
}

void SplitLabel(const CString& label, int nMajor2Width, int nMinor2Width, CString& major2, CString& minor2)
{
    if (nMajor2Width < 0)
        nMajor2Width = 0;
    if (nMinor2Width < 0)
        nMinor2Width = 0;
    CString full = kvgrid::PadToLength(label, nMajor2Width + nMinor2Width);
    major2 = kvgrid::TextLeft(full, nMajor2Width);
    minor2 = kvgrid::TextMid(full, nMajor2Width, nMinor2Width);
}

int FindListText(const std::vector<CString>& entries, const CString& text)
{
    CString wanted = text;
    wanted.TrimRight(' ');
    for (size_t i = 0; i < entries.size(); ++i) {
        CString entry = entries[i];
        entry.TrimRight(' ');
        if (entry.CompareNoCase(wanted) == 0)
            return (int)i;
    }
    return -1;
}

} // namespace kveditors
