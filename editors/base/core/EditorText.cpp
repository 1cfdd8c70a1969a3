#include "editors/base/core/EditorText.h"
#include "database/records/ComponentRecords.h"
#include "database/records/ComponentTexts.h"

namespace kveditors {

CString FitToWidth(const CString& text, int nWidth)
{
    return kvrecords::PadToLength(text, nWidth);
}

bool KindHasLabel(int nDatabaseNumber)
{
    switch (nDatabaseNumber) {
    case DBNUM_PIPE:   // pipes and tapes
    case DBNUM_VALVE:
    case DBNUM_HYDRAULIC:
    case DBNUM_PUMP:
    case DBNUM_OUTLET:
    case DBNUM_OUTLET_CONNECTION:
    case DBNUM_NOZZLE:
    case DBNUM_WIRE:
    case DBNUM_CONTROLLER:
    case DBNUM_ELECTRIC:
    case DBNUM_LIGHT:
        return true;
    default:
        return false;
    }
}

CString JoinLabel(const CString& major2, const CString& minor2, int nMajor2Width)
{
    CString first = major2;
    if (nMajor2Width > 0 && kvrecords::TextLength(first) <= nMajor2Width)
        first = kvrecords::PadToLength(first, nMajor2Width);
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
    CString full = kvrecords::PadToLength(label, nMajor2Width + nMinor2Width);
    major2 = kvrecords::TextLeft(full, nMajor2Width);
    minor2 = kvrecords::TextMid(full, nMajor2Width, nMinor2Width);
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
