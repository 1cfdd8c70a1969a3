#include "grids/core/GridTables.h"
#include "database/records/ComponentRecords.h"
#include "grids/core/GridsCoreRes.h"

#include <cctype>

namespace kvgrid {

namespace {

struct TableInfo
{
    UINT titleId;
    int databaseNumber;
};

const TableInfo kTables[TableTypeCount] = {
    { IDS_TABLE_PIPE, DBNUM_PIPE },
    { IDS_TABLE_TAPE, DBNUM_PIPE },
    { IDS_TABLE_VALVE, DBNUM_VALVE },
    { IDS_TABLE_HYDRAULIC, DBNUM_HYDRAULIC },
    { IDS_TABLE_TAKE_OFF, DBNUM_LATERAL_TAKE_OFF },
    { IDS_TABLE_COUPLER, DBNUM_COUPLER },
    { IDS_TABLE_ELBOW, DBNUM_ELBOW },
    { IDS_TABLE_TEE, DBNUM_TEE },
    { IDS_TABLE_CROSS, DBNUM_CROSS },
    { IDS_TABLE_PUMP, DBNUM_PUMP },
    { IDS_TABLE_OUTLET, DBNUM_OUTLET },
    { IDS_TABLE_OUTLET_CONNECTION, DBNUM_OUTLET_CONNECTION },
    { IDS_TABLE_WIRE, DBNUM_WIRE },
    { IDS_TABLE_CONTROLLER, DBNUM_CONTROLLER },
    { IDS_TABLE_LIGHT, DBNUM_LIGHT },
    { IDS_TABLE_ELECTRIC, DBNUM_ELECTRIC },
    { IDS_TABLE_COMPONENT, DBNUM_MISCELLANEOUS },
    { IDS_TABLE_NOZZLE, DBNUM_NOZZLE },
    { IDS_TABLE_QUERY, 0 },
};

const char kSortPipe[] = "[Order],[Major1],[Reals1],[Reals4],[Description]";
const char kSortTape[] = "[Order],[Description],[Reals1]";
const char kSortValve[] = "[Order],[Major1],[Minor1],[Reals1],[Reals2],[Description]";
const char kSortNozzle[] = "[Order],[Description],[Reals3],[Reals4]";
const char kSortElbow[] = "[Order],[Major1],[Minor1],[Reals1],[Reals2],[Reals3],[Description]";
const char kSortOutlet[] = "[Order],[Description],[Major1],[Reals1]";
const char kSortComponent[] = "[Order],[Description],[Reals1],[Reals2]";

// The sort orders in the order they are read and written, with their value
// names and defaults.
struct SortInfo
{
    int tableType;
    const char* valueName;
    const char* defaultSort;
};

const SortInfo kSorts[ComponentTableCount] = {
    { TABLE_PIPE, "\\Pipes", kSortPipe },
    { TABLE_TAPE, "\\Tapes", kSortTape },
    { TABLE_VALVE, "\\Valves", kSortValve },
    { TABLE_NOZZLE, "\\Nozzles", kSortNozzle },
    { TABLE_HYDRAULIC, "\\OtherHydraulics", kSortValve },
    { TABLE_TAKE_OFF, "\\LateralTakeOffs", kSortValve },
    { TABLE_COUPLER, "\\Couplers", kSortValve },
    { TABLE_ELBOW, "\\ElbowsBends", kSortElbow },
    { TABLE_TEE, "\\Tees", kSortValve },
    { TABLE_CROSS, "\\Crosses", kSortValve },
    { TABLE_PUMP, "\\Pumps", kSortValve },
    { TABLE_OUTLET, "\\Outlets", kSortOutlet },
    { TABLE_OUTLET_CONNECTION, "\\OutletConnections", kSortValve },
    { TABLE_COMPONENT, "\\MiscellaneousItems", kSortComponent },
    { TABLE_WIRE, "\\Wires", kSortTape },
    { TABLE_CONTROLLER, "\\Controllers", kSortTape },
    { TABLE_ELECTRIC, "\\OtherElectrics", kSortTape },
    { TABLE_LIGHT, "\\Lights", kSortTape },
};

const SortInfo* FindSort(int nTableType)
{
    for (const SortInfo& s : kSorts)
        if (s.tableType == nTableType)
            return &s;
    return nullptr;
}

} // namespace

UINT GetTableTitleId(int nTableType)
{
    if (nTableType < 0 || nTableType >= TableTypeCount)
        return 0;
    return kTables[nTableType].titleId;
}

CString GetTableTitle(int nTableType)
{
    CString title;
    if (UINT id = GetTableTitleId(nTableType))
        title.LoadString(id);
    return title;
}

int GetTableDatabaseNumber(int nTableType)
{
    if (!IsComponentTable(nTableType))
        return 0;
    return kTables[nTableType].databaseNumber;
}

void TabToComponentType(int nTableType, BYTE& nDatabaseNumber, long& nFlags)
{
    if (!IsComponentTable(nTableType))
    {
        nDatabaseNumber = 0;
        nFlags = 0;
        return;
    }
    nDatabaseNumber = (BYTE)GetTableDatabaseNumber(nTableType);
    if (nTableType == TABLE_TAPE)
        nFlags = COMPONENT_FLAG_TAPE;
    else if (nTableType == TABLE_OUTLET)
        nFlags = nFlags == COMPONENT_FLAG_HAS_NOZZLES ? COMPONENT_FLAG_HAS_NOZZLES : 0;
    else
        nFlags = 0;
}

int ComponentToTab(int nDatabaseNumber, long nFlags)
{
    if (nDatabaseNumber == DBNUM_PIPE)
        return (nFlags & COMPONENT_FLAG_TAPE) != 0 ? TABLE_TAPE : TABLE_PIPE;
    for (int t = 0; t < ComponentTableCount; t++)
        if (t != TABLE_TAPE && kTables[t].databaseNumber == nDatabaseNumber)
            return t;
    return -1;
}

CString GetTableFilter(int nTableType)
{
    CString filter;
    // A pipe's [Flags] left NULL (by another program) is the column's
    // default, 0: such a pipe is on the pipe tab, not on none.
    if (nTableType == TABLE_PIPE)
        filter.Format("[Database Number] = %d AND ([Flags] = 0 OR [Flags] IS NULL)", DBNUM_PIPE);
    else if (IsComponentTable(nTableType) && nTableType != TABLE_TAPE)
        filter.Format("[Database Number] = %d", GetTableDatabaseNumber(nTableType));
    return filter;
}

CString GetSortOrderValueName(int nTableType)
{
    const SortInfo* s = FindSort(nTableType);
    return s ? CString(s->valueName) : CString();
}

CString GetDefaultSortOrder(int nTableType)
{
    const SortInfo* s = FindSort(nTableType);
    return s ? CString(s->defaultSort) : CString();
}

int GetSortOrderTableAt(int nIndex)
{
    if (nIndex < 0 || nIndex >= ComponentTableCount)
        return -1;
    return kSorts[nIndex].tableType;
}

CString QualifyTapeSortOrder(const CString& strSort)
{
    CString result;
    const std::string& s = strSort.str();
    for (size_t i = 0; i < s.size(); i++)
    {
        if (s[i] == '[' && (i == 0 || s[i - 1] != '.'))
            result += "C.";
        result += s[i];
        if (s[i] == '[')
        {
            // Copy the name as it is, up to its closing bracket.
            size_t close = s.find(']', i + 1);
            if (close == std::string::npos)
                close = s.size() - 1;
            result += CString(s.substr(i + 1, close - i));
            i = close;
        }
    }
    return result;
}

bool IsValidSortOrder(const CString& strSort)
{
    const std::string& s = strSort.str();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i] == ' ')
            i++;
    };
    skipBlanks();
    if (i == s.size())
        return false;
    for (;;)
    {
        skipBlanks();
        // An optional qualifier: one letter and a dot.
        if (i + 1 < s.size() && std::isalpha((unsigned char)s[i]) && s[i + 1] == '.')
            i += 2;
        if (i >= s.size() || s[i] != '[')
            return false;
        size_t close = s.find(']', i + 1);
        if (close == std::string::npos || close == i + 1)
            return false;
        for (size_t k = i + 1; k < close; k++)
        {
            unsigned char c = (unsigned char)s[k];
            if (c < 0x20 || c == '[' || c == '\'' || c == '"' || c == ';' || c == '`')
                return false;
        }
        i = close + 1;
        skipBlanks();
        // An optional direction.
        size_t start = i;
        while (i < s.size() && std::isalpha((unsigned char)s[i]))
            i++;
        if (i > start)
        {
            CString word(s.substr(start, i - start));
            if (word.CompareNoCase("ASC") != 0 && word.CompareNoCase("DESC") != 0)
                return false;
            skipBlanks();
        }
        if (i == s.size())
            return true;
        if (s[i] != ',')
            return false;
        i++;
    }
}

bool HasLabelColumn(int nTableType)
{
    return (nTableType >= TABLE_PIPE && nTableType <= TABLE_HYDRAULIC) ||
           (nTableType >= TABLE_PUMP && nTableType <= TABLE_ELECTRIC) || nTableType == TABLE_NOZZLE;
}

} // namespace kvgrid
