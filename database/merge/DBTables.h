// The table recordsets of the database merge and the field clean: one class
// per table of the component database, each binding every column in table
// order, with the operations the merge needs to match a source row against
// the target, copy it in and bring in the rows that hang off it.
//
// A recordset of these classes lives on a DBDatabase (database/merge/DBDatabase.h),
// which owns it, writes the merge report and keeps the state of a merge.
#pragma once

#include "database/records/ComponentRecords.h"
#include "database/records/ComponentTexts.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class DBDatabase;
class DBRowInsert;

// ---------------------------------------------------------------------------
// The base of the merge tables. Dynaset by default.
class DBRecordBase : public CADORSBase
{
    DECLARE_DYNAMIC(DBRecordBase)
public:
    explicit DBRecordBase(DBDatabase* pDatabase);
    ~DBRecordBase() override;

    // The text that names the current row in report lines ("" here).
    virtual CString GetReportText();
    // On a target recordset, given a source recordset of the same class:
    // TRUE when the target holds a row matching the source's current row.
    virtual BOOL FindMatch(DBRecordBase* pSource);
    // Copies the source's current row into the insert of a new row of this
    // recordset's table: every column as the source holds it (the column
    // the database assigns is not written).
    virtual void CopyFrom(DBRecordBase* pSource, DBRowInsert& insert);
    // Runs after the source's current row was added to this recordset.
    virtual void AfterAdd(DBRecordBase* pSource);
    // The member of the column whose value the database gives a new row;
    // null when the table has none.
    virtual void* GetAssignedKey();

    // Merges every row of the source into this (target) recordset, each as
    // a unit of its own (DBDatabase::RunMergeUnit), stepping the progress
    // bar once per source row. A failure to read the source ends the loop
    // and is passed on.
    void MergeFrom(DBRecordBase* pSource);
    // Merges the source's current row: reported as matched, or added.
    virtual void MergeRecord(DBRecordBase* pSource);

protected:
    // Adds a copy of the source's current row to the table (CopyFrom, then
    // the merge's prepared insert).
    void InsertCopyOf(DBRecordBase* pSource);

    DBDatabase* m_pDBDatabase;
};

// ---------------------------------------------------------------------------
// A table whose rows are matched on one text column (pipe types on [Type],
// suppliers on [Code]): the target's rows are read once per merge and kept
// by their key, so that each source row is looked up without a query. The
// key text is compared without regard to case, as the Access engine
// compares text; a row found under the key matches when every column is
// equal, and is reported as a conflict (and not added) otherwise.
class DBKeyedTable : public DBRecordBase
{
    DECLARE_DYNAMIC(DBKeyedTable)
public:
    explicit DBKeyedTable(DBDatabase* pDatabase);
    ~DBKeyedTable() override;

    BOOL FindMatch(DBRecordBase* pSource) override;
    void AfterAdd(DBRecordBase* pSource) override;

    // The key text of the current row.
    virtual CString GetMatchKey() = 0;
    // Every column of the current row, exactly (texts as they are, reals by
    // their bits).
    virtual std::vector<std::string> GetRowValues() = 0;
    // The string-table id of the conflict message ("%s": the key text).
    virtual UINT GetConflictMessage() const = 0;

    // Forgets the rows read; the next FindMatch reads them again.
    void ForgetRows() { m_bRowsRead = FALSE; m_rows.clear(); }

protected:
    void ReadRows();

    BOOL m_bRowsRead;
    // Key text without case -> every column of each row under it, in order.
    std::unordered_map<std::string, std::vector<std::vector<std::string>>> m_rows;
};

// ---------------------------------------------------------------------------
// "Components", all 36 columns.
class DBComponentTable : public DBRecordBase, public ComponentFields
{
    DECLARE_DYNAMIC(DBComponentTable)
public:
    explicit DBComponentTable(DBDatabase* pDatabase);
    ~DBComponentTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // The record value: the 36 columns.
    ComponentFields& Record() { return *this; }
    // Numbers 0, texts empty.
    void ClearRecord();

    CString GetReportText() override;
    BOOL FindMatch(DBRecordBase* pSource) override;
    // Every column but the key; the texts padded to the target's widths as
    // the program stores them (a text the source left null becomes the
    // blanks it is padded to); a [Symbol File] that names a source symbol
    // known under another key in the target takes the target's key.
    void CopyFrom(DBRecordBase* pSource, DBRowInsert& insert) override;
    void* GetAssignedKey() override;
    // A top-level source component with everything it brings in.
    void MergeRecord(DBRecordBase* pSource) override;

    // What decides whether two components match, as one text: the
    // [Database Number], [Flags] and [Reals1] to [Reals6] (a missing number
    // counts as 0; reals compared as the single each holds) and the texts
    // [Description], [Warehouse Code], [Major1], [Minor1] and [Item Type]
    // (without regard to case or trailing blanks; a missing text reads as
    // empty). nFlags replaces the row's [Flags] when not -1.
    std::string MatchKey(long nFlags = -1);

    // Merges the source's current component into this (the target's
    // all-components) recordset and returns its target key: the matched
    // row's, or the new row's after the rows that hang off it were merged.
    // 0 when the new component had to be removed again. bItem: a nozzle or
    // assembly item of an added component (its report lines are those of an
    // item).
    long MergeSubComponent(DBComponentTable* pSource, BOOL bItem = TRUE);

    // The canonical form of a short code (see the clean): strTarget becomes
    // strSource with its leading part (the first nSplit characters, or all
    // of it when nSplit is -1) left-aligned and blank-padded to nSplit,
    // padded with blanks to nWidth, upper-cased. Each padding adds at most
    // 19 blanks; a text longer than nWidth is not cut.
    static void NormaliseCode(CString& strTarget, BYTE nWidth, const CString& strSource, int nSplit);
    // Brings one component record into its canonical form: codes normalised
    // ([Warehouse Code] to nWarehouseWidth), and the columns that its kind
    // does not use blanked or zeroed, values too small to matter zeroed.
    static void CleanRecord(ComponentFields& record, BYTE nWarehouseWidth);

private:
    // TRUE when the source's [Symbol File] names a source symbol known under
    // another key in the target, with that key.
    BOOL MapSymbolFile(DBComponentTable* pSource, long& nTargetKey);

    // The widths of the table's fixed-width texts, read from the driver at
    // the first copy: they stay as they are while the table is open.
    std::optional<kvrecords::ComponentTextWidths> m_textWidths;
};

// "Assemblies".
class DBAssemblyTable : public DBRecordBase, public AssemblyFields
{
    DECLARE_DYNAMIC(DBAssemblyTable)
public:
    explicit DBAssemblyTable(DBDatabase* pDatabase);
    ~DBAssemblyTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
};

// "Nozzles".
class DBNozzleTable : public DBRecordBase, public NozzleFields
{
    DECLARE_DYNAMIC(DBNozzleTable)
public:
    explicit DBNozzleTable(DBDatabase* pDatabase);
    ~DBNozzleTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
};

// "PipeTable": matched on [Type], named in the report by [Type].
class DBPipeTable : public DBKeyedTable, public PipeTypeFields
{
    DECLARE_DYNAMIC(DBPipeTable)
public:
    explicit DBPipeTable(DBDatabase* pDatabase);
    ~DBPipeTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString GetReportText() override;
    CString GetMatchKey() override;
    std::vector<std::string> GetRowValues() override;
    UINT GetConflictMessage() const override;
};

// "Suppliers": matched on [Code], named in the report by [Description].
class DBSupplierTable : public DBKeyedTable, public SupplierFields
{
    DECLARE_DYNAMIC(DBSupplierTable)
public:
    explicit DBSupplierTable(DBDatabase* pDatabase);
    ~DBSupplierTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    CString GetReportText() override;
    CString GetMatchKey() override;
    std::vector<std::string> GetRowValues() override;
    UINT GetConflictMessage() const override;
};

// "Tapes".
class DBTapeTable : public DBRecordBase, public TapeFields
{
    DECLARE_DYNAMIC(DBTapeTable)
public:
    explicit DBTapeTable(DBDatabase* pDatabase);
    ~DBTapeTable() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
};

// A text as the Access engine compares it: without regard to case (of
// every letter, not only A to Z); bTrim drops trailing blanks first.
std::string DBFoldCase(const CString& text, bool bTrim = false);

// The match key of a component (see DBComponentTable::MatchKey) from its
// values; reals as the doubles the database holds.
std::string DBComponentMatchKey(long nDatabaseNumber, long nFlags, const double reals[6], const CString* texts[5]);

// One [Assemblies] row in memory.
struct DBAssemblyItem
{
    long m_nAssemblyKey = 0;
    long m_nItemKey = 0;
    float m_fNumberLength = 0.0f;
    BOOL m_bNumberLengthNull = FALSE;
};
