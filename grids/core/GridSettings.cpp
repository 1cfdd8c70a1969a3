#include "grids/core/GridSettings.h"
#include "grids/core/GridTables.h"
#include "units/RegistrySettings.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <cstdlib>
#include <string>

namespace kvgrid {

const char* const CGridSettings::SortOrderKey = "DatabaseSettings\\SortOrder";
const char* const CGridSettings::TabColumnsKey = "DatabaseSettings\\TabColumns";

/////////////////////////////////////////////////////////////////////////////
// CRegistryGridSettingsStore

namespace {

// TRUE when the value named by a settings path ("Key\Sub\Name") is in the
// registry at all, whatever its type or length.
bool RegistryValueExists(LPCSTR lpszPath)
{
    std::string path = lpszPath;
    size_t slash = path.rfind('\\');
    std::string subKey = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    HKEY hKey = CRegistrySettings::OpenSettingsKey(subKey.c_str(), FALSE);
    if (hKey == nullptr)
        return false;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExA(hKey, name.c_str(), nullptr, &type, nullptr, &size);
    ::RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

} // namespace

CGridSettingsStore::ReadResult CRegistryGridSettingsStore::ReadText(LPCSTR lpszPath, CString& value)
{
    // One character more than a value may hold, so that a longer stored text
    // shows as such instead of being cut.
    char buffer[MaxTextLength + 2] = {};
    CRegistrySettings settings;
    if (!settings.ReadSetting(lpszPath, buffer, CRegistrySettings::typeText, sizeof(buffer)))
    {
        // A value that is there but cannot be read as text (far too long, or
        // of another type) is damaged, not missing: it must not end a load.
        return RegistryValueExists(lpszPath) ? readDamaged : readMissing;
    }
    buffer[sizeof(buffer) - 1] = '\0';
    if ((int)strlen(buffer) > MaxTextLength)
        return readDamaged;
    value = buffer;
    return readOk;
}

BOOL CRegistryGridSettingsStore::WriteText(LPCSTR lpszPath, LPCSTR lpszValue)
{
    CRegistrySettings settings;
    return settings.WriteSetting(lpszPath, lpszValue, CRegistrySettings::typeText, 0);
}

CGridSettingsStore::ReadResult CRegistryGridSettingsStore::ReadInt(LPCSTR lpszPath, int& value)
{
    CString text;
    ReadResult r = ReadText(lpszPath, text);
    if (r != readOk)
        return r;
    text.Trim();
    const char* p = text;
    char* end = nullptr;
    long n = std::strtol(p, &end, 10);
    if (end == p || *end != '\0' || n < INT_MIN || n > INT_MAX)
        return readDamaged;
    value = (int)n;
    return readOk;
}

BOOL CRegistryGridSettingsStore::WriteInt(LPCSTR lpszPath, int value)
{
    CRegistrySettings settings;
    return settings.WriteSetting(lpszPath, &value, CRegistrySettings::typeInt32, sizeof(value));
}

void CRegistryGridSettingsStore::ReadTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names,
                                           std::vector<ReadResult>& results, std::vector<CString>& values)
{
    results.assign(names.size(), readMissing);
    values.assign(names.size(), CString());
    HKEY hKey = CRegistrySettings::OpenSettingsKey(lpszKeyPath, FALSE);
    if (hKey == nullptr)
        return;
    for (size_t i = 0; i < names.size(); i++)
    {
        // As ReadText reads a value: a text of up to MaxTextLength bytes;
        // anything else that is there is damaged.
        char data[CRegistrySettings::MaxTextLength + 2] = {};
        DWORD type = 0, bytes = CRegistrySettings::MaxTextLength + 1;
        LONG rc = ::RegQueryValueExA(hKey, names[i], nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes);
        if (rc == ERROR_FILE_NOT_FOUND)
            continue;
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || strlen(data) > MaxTextLength)
        {
            results[i] = readDamaged;
            continue;
        }
        results[i] = readOk;
        values[i] = data;
    }
    ::RegCloseKey(hKey);
}

BOOL CRegistryGridSettingsStore::WriteTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names,
                                            const std::vector<CString>& values)
{
    HKEY hKey = CRegistrySettings::OpenSettingsKey(lpszKeyPath, TRUE);
    if (hKey == nullptr)
        return FALSE;
    BOOL bOk = TRUE;
    for (size_t i = 0; i < names.size() && i < values.size() && bOk; i++)
        bOk = ::RegSetValueExA(hKey, names[i], 0, REG_SZ, reinterpret_cast<const BYTE*>(values[i].GetString()),
                               (DWORD)values[i].GetLength() + 1) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return bOk;
}

void CGridSettingsStore::ReadTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names,
                                   std::vector<ReadResult>& results, std::vector<CString>& values)
{
    results.assign(names.size(), readMissing);
    values.assign(names.size(), CString());
    for (size_t i = 0; i < names.size(); i++)
        results[i] = ReadText(CString(lpszKeyPath) + "\\" + names[i], values[i]);
}

BOOL CGridSettingsStore::WriteTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names,
                                    const std::vector<CString>& values)
{
    for (size_t i = 0; i < names.size() && i < values.size(); i++)
        if (!WriteText(CString(lpszKeyPath) + "\\" + names[i], values[i]))
            return FALSE;
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// CGridSettings

CGridSettings::CGridSettings()
{
    SetDefaultSortOrders();
}

void CGridSettings::SetDefaultSortOrders()
{
    for (int t = 0; t < ComponentTableCount; t++)
        m_sortOrders[t] = GetDefaultSortOrder(t);
    // The tape join names both tables' columns alike: the sort names the
    // Components side.
    m_sortOrders[TABLE_TAPE] = QualifyTapeSortOrder(m_sortOrders[TABLE_TAPE]);
}

BOOL CGridSettings::LoadSortOrders(CGridSettingsStore& store)
{
    BOOL bOk = TRUE;
    // Every order through one ReadTexts (the value names follow the key's
    // backslash).
    std::vector<CString> names;
    for (int i = 0; i < ComponentTableCount; i++)
        names.push_back(GetSortOrderValueName(GetSortOrderTableAt(i)).Mid(1));
    std::vector<CGridSettingsStore::ReadResult> results;
    std::vector<CString> values;
    store.ReadTexts(SortOrderKey, names, results, values);
    for (int i = 0; i < ComponentTableCount; i++)
    {
        int t = GetSortOrderTableAt(i);
        CString path = CString(SortOrderKey) + GetSortOrderValueName(t);
        const CString& value = values[(size_t)i];
        CGridSettingsStore::ReadResult r = results[(size_t)i];
        if (r == CGridSettingsStore::readOk && IsValidSortOrder(value))
        {
            m_sortOrders[t] = value;
        }
        else
        {
            m_sortOrders[t] = GetDefaultSortOrder(t);
            if (r == CGridSettingsStore::readMissing && !store.WriteText(path, m_sortOrders[t]))
                bOk = FALSE;
        }
    }
    m_sortOrders[TABLE_TAPE] = QualifyTapeSortOrder(m_sortOrders[TABLE_TAPE]);
    return bOk;
}

CString CGridSettings::GetSortOrder(int nTableType) const
{
    if (!IsComponentTable(nTableType))
        return CString();
    return m_sortOrders[nTableType];
}

void CGridSettings::SetSortOrder(int nTableType, const CString& strSort)
{
    if (IsComponentTable(nTableType))
        m_sortOrders[nTableType] = strSort;
}

bool CGridSettings::IsDefaultVisible(int nTableType, int nColumn)
{
    switch (nTableType)
    {
    case TABLE_PIPE:
    case TABLE_TAPE:
        return nColumn == 6 || nColumn == 7 || nColumn == 8 || nColumn == 9 || nColumn == 27 || nColumn == 31;
    case TABLE_NOZZLE:
        return nColumn >= 6 && nColumn <= 8;
    default:
        return IsComponentTable(nTableType) && nColumn >= 6 && nColumn <= 9;
    }
}

void CGridSettings::BuildColumnMap(const std::function<CString(int, int)>& titleOf)
{
    m_columns.clear();
    m_pLoadStore = nullptr;
    m_nTablesRead = ComponentTableCount;
    for (int t = 0; t < ComponentTableCount; t++)
    {
        for (int c = 1; c <= MaxGridColumn; c++)
        {
            CString title = titleOf(t, c);
            if (title.IsEmpty())
                continue;
            GridColumnEntry& e = m_columns[t][c];
            e.column = c;
            e.title = title;
            e.visible = IsDefaultVisible(t, c) ? 1 : 0;
            e.width = 0;
        }
    }
}

CString CGridSettings::GetColumnValuePath(int nTableType, int nColumn)
{
    CString path;
    path.Format("%s\\%.2d", (LPCTSTR)TableKeyPath(nTableType), nColumn);
    return path;
}

CString CGridSettings::TableKeyPath(int nTableType)
{
    return CString(TabColumnsKey) + "\\" + GetTableTitle(nTableType);
}

const std::vector<CString>& CGridSettings::ColumnValueNames()
{
    static const std::vector<CString> names = [] {
        std::vector<CString> list;
        for (int c = 1; c <= MaxGridColumn; c++)
        {
            CString name;
            name.Format("%.2d", c);
            list.push_back(name);
        }
        return list;
    }();
    return names;
}

namespace {

// A decimal integer, blanks around it allowed.
bool ParseInt(const CString& text, long& value)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty())
        return false;
    const char* p = t;
    char* end = nullptr;
    long n = std::strtol(p, &end, 10);
    if (end == p || *end != '\0')
        return false;
    value = n;
    return true;
}

} // namespace

BOOL CGridSettings::ParseColumnValue(const CString& text, CString& title, int& visible, int& width)
{
    int last = text.ReverseFind(',');
    if (last < 0)
        return FALSE;
    CString head = text.Left(last);
    int middle = head.ReverseFind(',');
    if (middle < 0)
        return FALSE;
    long v = 0, w = 0;
    if (!ParseInt(head.Mid(middle + 1), v) || !ParseInt(text.Mid(last + 1), w))
        return FALSE;
    if (w < 0 || w > MaxStoredWidth)
        return FALSE;
    title = head.Left(middle);
    visible = v != 0 ? 1 : 0;
    width = (int)w;
    return TRUE;
}

BOOL CGridSettings::LoadColumnMap(CGridSettingsStore& store)
{
    if (!StartColumnMapLoad(store))
        return FALSE;
    ReadTables(ComponentTableCount - 1);
    return m_bAllRead;
}

BOOL CGridSettings::StartColumnMapLoad(CGridSettingsStore& store)
{
    m_pLoadStore = nullptr;
    m_nTablesRead = ComponentTableCount;
    m_bAllRead = FALSE;
    int fit = 0;
    CString fitPath = CString(TabColumnsKey) + "\\FitType";
    CGridSettingsStore::ReadResult r = store.ReadInt(fitPath, fit);
    if (r == CGridSettingsStore::readMissing)
        return FALSE;
    if (r == CGridSettingsStore::readOk && fit >= fitNone && fit <= stretchToFit)
        m_nFitType = fit;
    m_pLoadStore = &store;
    m_nTablesRead = 0;
    m_bAllRead = TRUE;
    return TRUE;
}

void CGridSettings::ReadTables(int nTableType) const
{
    // The Query table's columns are not stored: asking for them reads
    // nothing.
    if (nTableType >= ComponentTableCount)
        return;
    const std::vector<CString>& names = ColumnValueNames();
    for (; m_pLoadStore && m_nTablesRead <= nTableType && m_nTablesRead < ComponentTableCount; m_nTablesRead++)
    {
        int t = m_nTablesRead;
        std::vector<CGridSettingsStore::ReadResult> results;
        std::vector<CString> values;
        m_pLoadStore->ReadTexts(TableKeyPath(t), names, results, values);
        for (size_t i = 0; i < names.size(); i++)
        {
            if (results[i] == CGridSettingsStore::readMissing)
            {
                // Nothing after a missing value is read.
                m_bAllRead = FALSE;
                m_pLoadStore = nullptr;
                return;
            }
            const CString& value = values[i];
            if (results[i] != CGridSettingsStore::readOk || value.IsEmpty() || value[0] == ',')
                continue;
            CString title;
            int visible = 0, width = 0;
            if (!ParseColumnValue(value, title, visible, width))
                continue;
            GridColumnEntry& e = m_columns[t][(int)i + 1];
            e.column = (int)i + 1;
            e.title = title;
            e.visible = visible;
            e.width = width;
        }
    }
    if (m_nTablesRead >= ComponentTableCount)
        m_pLoadStore = nullptr;
}

BOOL CGridSettings::SaveColumnMap(CGridSettingsStore& store) const
{
    // What the tables not read yet hold is written back as it was read.
    ReadTables(ComponentTableCount - 1);
    if (!store.WriteInt(CString(TabColumnsKey) + "\\FitType", m_nFitType))
        return FALSE;
    const std::vector<CString>& names = ColumnValueNames();
    for (int t = 0; t < ComponentTableCount; t++)
    {
        std::vector<CString> values;
        for (int c = 1; c <= MaxGridColumn; c++)
        {
            CString value;
            if (const GridColumnEntry* e = FindEntry(t, c))
                value.Format("%s,%d,%d", (LPCTSTR)e->title, e->visible, e->width);
            else
                value = ",0,0";
            values.push_back(value);
        }
        if (!store.WriteTexts(TableKeyPath(t), names, values))
            return FALSE;
    }
    return TRUE;
}

GridColumnEntry* CGridSettings::FindEntry(int nTableType, int nColumn)
{
    ReadTables(nTableType);
    auto t = m_columns.find(nTableType);
    if (t == m_columns.end())
        return nullptr;
    auto c = t->second.find(nColumn);
    return c == t->second.end() ? nullptr : &c->second;
}

const GridColumnEntry* CGridSettings::FindEntry(int nTableType, int nColumn) const
{
    return const_cast<CGridSettings*>(this)->FindEntry(nTableType, nColumn);
}

GridColumnEntry& CGridSettings::Entry(int nTableType, int nColumn)
{
    ReadTables(nTableType);
    GridColumnEntry& e = m_columns[nTableType][nColumn];
    e.column = nColumn;
    return e;
}

const std::map<int, GridColumnEntry>& CGridSettings::GetTableColumns(int nTableType) const
{
    static const std::map<int, GridColumnEntry> none;
    ReadTables(nTableType);
    auto t = m_columns.find(nTableType);
    return t == m_columns.end() ? none : t->second;
}

void CGridSettings::RemoveTableColumns(int nTableType)
{
    ReadTables(nTableType);
    m_columns.erase(nTableType);
}

CString CGridSettings::GetColumnMapTitle(int nTableType, int nColumn) const
{
    const GridColumnEntry* e = FindEntry(nTableType, nColumn);
    return e ? e->title : CString();
}

void CGridSettings::SetFitType(int nFitType)
{
    if (nFitType >= fitNone && nFitType <= stretchToFit)
        m_nFitType = nFitType;
}

} // namespace kvgrid
