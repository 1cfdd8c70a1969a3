// What the component grid keeps between runs: the sort order of every
// component table, the column map (per table and grid column: title, shown
// or not, width) and the column-fit mode. All of it is registry text below
// the program's key:
//   DatabaseSettings\SortOrder\Pipes ...          "[Order],[Major1],..."
//   DatabaseSettings\TabColumns\FitType           integer 0 .. 3
//   DatabaseSettings\TabColumns\<table title>\NN  "title,visible,width"
#pragma once

#include "platform/framework/Framework.h"

#include <functional>
#include <map>
#include <vector>

namespace kvgrid {

// Where the settings are read and written (the registry in the program, a
// map in the tests).
class CGridSettingsStore
{
public:
    virtual ~CGridSettingsStore() = default;

    enum ReadResult
    {
        readMissing = 0,   // no such value
        readOk = 1,
        readDamaged = 2,   // there, but not usable (too long, not a number)
    };
    virtual ReadResult ReadText(LPCSTR lpszPath, CString& value) = 0;
    virtual BOOL WriteText(LPCSTR lpszPath, LPCSTR lpszValue) = 0;
    virtual ReadResult ReadInt(LPCSTR lpszPath, int& value) = 0;
    virtual BOOL WriteInt(LPCSTR lpszPath, int value) = 0;

    // The text values of one key ("DatabaseSettings\TabColumns\Pipe"), by
    // name: for each name its result and text, as ReadText gives them. A
    // store that reaches a key's values through one handle reads them so;
    // by default each is read with ReadText.
    virtual void ReadTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names, std::vector<ReadResult>& results,
                           std::vector<CString>& values);
    // Writes text values of one key in their order, stopping at the first
    // that fails (FALSE then); by default each with WriteText.
    virtual BOOL WriteTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names, const std::vector<CString>& values);
};

// The store over the application's registry settings. Texts are read into a
// buffer of 256 characters; a longer stored text is reported damaged rather
// than cut.
class CRegistryGridSettingsStore : public CGridSettingsStore
{
public:
    static const int MaxTextLength = 255;

    ReadResult ReadText(LPCSTR lpszPath, CString& value) override;
    BOOL WriteText(LPCSTR lpszPath, LPCSTR lpszValue) override;
    ReadResult ReadInt(LPCSTR lpszPath, int& value) override;
    BOOL WriteInt(LPCSTR lpszPath, int value) override;
    void ReadTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names, std::vector<ReadResult>& results,
                   std::vector<CString>& values) override;
    BOOL WriteTexts(LPCSTR lpszKeyPath, const std::vector<CString>& names, const std::vector<CString>& values) override;
};

// One column of a table's column map.
struct GridColumnEntry
{
    int column = 0;      // grid column, 1 .. 48
    CString title;       // header text (may hold CR LF and the unit line)
    int visible = 0;     // non-zero: shown
    int width = 0;       // device units; 0 none stored
};

class CGridSettings
{
public:
    // Fit types.
    enum
    {
        fitNone = 0,
        fitToContent = 1,
        fitToWindow = 2,
        stretchToFit = 3,
    };

    CGridSettings();

    // Sort orders.
    // Reads every sort order in the registry's order. A missing value gets
    // its default, which is written back; a damaged one (over long, or not a
    // plain list of column names) gets its default and is left as stored.
    // The Tape order is then qualified with "C." where a name is not
    // qualified yet. FALSE when a default could not be written.
    BOOL LoadSortOrders(CGridSettingsStore& store);
    // Every sort order to its default (the Tape order qualified).
    void SetDefaultSortOrders();
    // The sort order of a table type; empty for 18 and any other type.
    CString GetSortOrder(int nTableType) const;
    void SetSortOrder(int nTableType, const CString& strSort);

    // Column map.
    // The defaults: an entry for every table type 0 .. 17 and column 1 .. 48
    // whose title (titleOf) is not empty, width 0, shown for the columns of
    // the table's default set.
    void BuildColumnMap(const std::function<CString(int nTableType, int nColumn)>& titleOf);
    // Reads the fit type and the entries (see the file's comment), the
    // values of a table through one ReadTexts. Stops at the first missing
    // value, leaving the rest at their defaults; a value without a title
    // (",0,0") or a damaged one is skipped. TRUE when every value was read.
    BOOL LoadColumnMap(CGridSettingsStore& store);
    // The same, reading the fit type now and each table's entries when a
    // table is first asked for (with those of the tables before it not read
    // yet, in order, so that a missing value ends the reading where
    // LoadColumnMap ends it): a start reads only the table it shows. The
    // store must live until every table is read or these settings go.
    // FALSE when there is no fit type (nothing is read then).
    BOOL StartColumnMapLoad(CGridSettingsStore& store);
    // Writes the fit type and every entry of tables 0 .. 17, columns 1 .. 48
    // (",0,0" for a column without an entry), a table's values through one
    // WriteTexts; tables not read yet are read first, so that what they hold
    // is written back. Stops at the first failed write and returns FALSE.
    BOOL SaveColumnMap(CGridSettingsStore& store) const;

    // The entry of a table type and column; null when there is none.
    GridColumnEntry* FindEntry(int nTableType, int nColumn);
    const GridColumnEntry* FindEntry(int nTableType, int nColumn) const;
    // The entry, made (hidden, no title, width 0) when missing.
    GridColumnEntry& Entry(int nTableType, int nColumn);
    // The entries of a table type by column (an empty map for a table
    // without entries).
    const std::map<int, GridColumnEntry>& GetTableColumns(int nTableType) const;
    void RemoveTableColumns(int nTableType);
    // The entry's title, empty when there is none.
    CString GetColumnMapTitle(int nTableType, int nColumn) const;

    int GetFitType() const { return m_nFitType; }
    void SetFitType(int nFitType);

    // The registry path of a column's entry: "DatabaseSettings\TabColumns\"
    // + table title + "\" + two-digit column.
    static CString GetColumnValuePath(int nTableType, int nColumn);
    // Reads "title,visible,width" (the numbers taken from the right, so the
    // title may hold commas); FALSE for a damaged text.
    static BOOL ParseColumnValue(const CString& text, CString& title, int& visible, int& width);
    // TRUE for a default-visible column of a table type.
    static bool IsDefaultVisible(int nTableType, int nColumn);

    static const char* const SortOrderKey;   // "DatabaseSettings\SortOrder"
    static const char* const TabColumnsKey;  // "DatabaseSettings\TabColumns"
    // Widths outside 0 .. MaxStoredWidth are damaged values.
    static const int MaxStoredWidth = 100000;

private:
    // Reads the entries of the tables not read yet, up to nTableType.
    void ReadTables(int nTableType) const;
    // The value names of a table's key: "01" .. "48".
    static const std::vector<CString>& ColumnValueNames();
    static CString TableKeyPath(int nTableType);

    CString m_sortOrders[18];
    mutable std::map<int, std::map<int, GridColumnEntry>> m_columns;
    int m_nFitType = stretchToFit;
    // The column map being read table by table: the store, the tables read
    // so far, and whether every value read was there.
    mutable CGridSettingsStore* m_pLoadStore = nullptr;
    mutable int m_nTablesRead = 0;
    mutable BOOL m_bAllRead = TRUE;
};

} // namespace kvgrid
