// One component database file opened for a merge or a field clean, on a
// connection of its own (independent of the editor's document).
//
// Merge (on the target, given the source): copies into the target every
// pipe type, supplier code, symbol and component of the source that the
// target does not already hold, each new component with the rows that hang
// off it (its tape row, its nozzles, its assembly items, recursively), the
// keys the source rows use to point at each other re-mapped to the target's
// keys. Every decision is written to the merge report "DBMergeReport.txt".
//
// A component and everything it brings in are written as one unit, and so
// is each pipe type, supplier code and symbol: when a write fails part-way,
// the unit is undone, the failure is shown and written to the report, and
// the merge goes on with the next one. A failure that no later write can
// get past (the target locked by another program, its disk full, the file
// read-only) stops the merge instead: what was merged before it stays,
// complete, and the report and the message say which file, why, and from
// which item on nothing was merged. A tape whose tape row, or an assembly
// whose items, cannot be merged is removed again with all its rows.
//
// On SQLite the merge writes in transactions of about a second each, a
// unit inside one being a savepoint (a unit that writes one row needs none:
// SQLite undoes a statement that fails; when such a unit fails after its
// row was written, the merge stops and the transaction is undone); the
// report holds what is committed.
// Rows are written by INSERTs prepared once per merge, one for each table.
//
// Clean: brings every Components row into its canonical form (see
// DBComponentTable::CleanRecord).
//
// Progress and messages go to the sinks the program gives (SetSinks, see
// DBMergeSinks.h): the merge steps once per source pipe type, supplier and
// component, the clean once per row.
#pragma once

#include "database/merge/DBMergeSinks.h"
#include "database/merge/DBTables.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class OZUStatement;
class DBRowInsert;

class DBDatabase : public CDatabase
{
    DECLARE_DYNAMIC(DBDatabase)
public:
    // Open flags.
    enum
    {
        openFile = 0x1,       // open the file
        openAsReadOnly = 0x10 // read only (a merge source)
    };

    // How the last merge on this (target) database went.
    enum MergeOutcome
    {
        mergeNotRun,     // nothing was merged (a database or a table could not be used)
        mergeRefused,    // the source's [Warehouse Code] is wider: nothing merged
        mergeCompleted,  // every section ran to its end
        mergeStopped,    // a failure stopped the merge part-way
        mergeStoppedByUser, // the user stopped it after failures; what was merged before is kept
    };

    // Opens the file (with openFile): the connection, then every table the
    // merge and the clean use. IsOpen() tells whether the connection
    // stands. A connection that stands on a file without the tables of a
    // component database throws a CDBException that says so (the
    // connection is closed again).
    DBDatabase(LPCSTR lpszPath, DWORD dwFlags);
    ~DBDatabase() override;

    const CString& GetPath() const { return m_strPath; }

    // Where this database reports progress and shows its messages (a merge:
    // those of the target); null for none. Not owned.
    void SetSinks(DBProgressSink* pProgress, DBMessageSink* pMessages);
    // The program's folder, where the merge report goes when it can be
    // written there (the application gives it at start-up); "" for none.
    static void SetProgramFolder(LPCSTR lpszFolder);

    // Merges the source into this database (see above). Everything that
    // happens is in the report and in message boxes; GetMergeOutcome and
    // GetReportPath tell the caller how it went.
    void Merge(DBDatabase* pSource);
    MergeOutcome GetMergeOutcome() const { return m_nOutcome; }
    // The failures of the last merge told the user (or, once the user chose
    // to go on without more messages, only written to the report): items
    // and rows not merged, sections cut short.
    int GetFailureCount() const { return m_nFailures; }
    // The report this merge wrote; empty when none could be created.
    const CString& GetReportPath() const { return m_strReportPath; }
    // FALSE when a write of the report failed (the report is incomplete).
    BOOL IsReportComplete() const { return m_bReportComplete; }

    // Row counts of the tables (the progress total of a merge is the sum of
    // the three; the clean's is the Components rows).
    long GetComponentCount();
    long GetPipeTableCount();
    long GetSupplierCount();
    long CountComponentRows();

    // Cleans every Components row. Database failures are passed on to the
    // caller.
    void Clean();

    // --- the merge report -------------------------------------------------
    enum ReportSection
    {
        sectionPipeTypes,
        sectionSuppliers,
        sectionSymbols,
        sectionComponents,
        sectionSymbolUpdates,
    };
    // Creates the report file: in the program folder, or where the user can
    // write when that folder cannot be written. FALSE (after the error box)
    // when it cannot be created anywhere; every write then does nothing.
    BOOL OpenReport(LPCSTR lpszFileName);
    void WriteReportHeader(DBDatabase* pSource);
    void WriteSectionHeader(ReportSection nSection);
    // Writes the text as it is (callers put the line ends in).
    void WriteReport(LPCSTR lpszText);
    // A row's name as the report shows it: without the blanks a stored text
    // is padded with to its column's width.
    static CString ReportName(const CString& name);
    // An item line: the prefix, the row's name (ReportName) between brackets
    // and a line end.
    void WriteItemLine(const CString& prefix, const CString& name);
    // An error block: a dash rule, "Database Error: " + text, a dash rule.
    void WriteDatabaseError(LPCSTR lpszText);
    // The closing rule; closes the file.
    void CloseReport();
    // The file name of the report (string 521).
    static CString ReportFileName();

    // --- used by the merge tables -------------------------------------------
    // The target key of the first component (lowest key) that matches the
    // source component whose match key is given (DBComponentTable::MatchKey);
    // 0 when none. Components added by this merge are among them.
    long FindComponentMatch(const std::string& matchKey) const;
    // The rows that hang off a component just added under nNewKey: TRUE
    // when it stays, FALSE when it was removed again.
    BOOL MergeDependentRows(DBComponentTable& source, long nNewKey);
    // Notes a component added by this merge: its key, its match key, and the
    // [Symbol File] it was given and whether that was re-mapped.
    void NoteAddedComponent(long nKey, const std::string& matchKey, const CString& strDescription,
                            BOOL bSymbolRemapped);
    // The merge's INSERT of rows of the table's class into its table,
    // prepared at its first use in a merge (only while a merge runs).
    DBRowInsert& RowInsert(DBRecordBase& table);
    // The key the database gave the row the merge inserted last; 0 when it
    // gives none.
    long ReadNewKey();
    // The target key of a source symbol key; FALSE when it is not re-mapped.
    BOOL MapSymbolKey(long nSourceKey, long& nTargetKey) const;
    // Runs the merge of one source row (a component with everything it
    // brings in, a pipe type, a supplier, a symbol) as a unit, named in the
    // report by strName (see above). bOneWrite: the merge writes one row
    // at most, with one statement, and nothing after it can fail but the
    // reading of its new key.
    void RunMergeUnit(const CString& strName, BOOL bComponent, const std::function<void()>& merge,
                      BOOL bOneWrite = FALSE);
    // A row of the running unit was written (see RunMergeUnit).
    void NoteUnitWrite();
    // TRUE when the source component brings rows that hang off it (a tape
    // row, nozzles, assembly items).
    static BOOL BringsDependentRows(DBComponentTable& source);
    BOOL IsMergeStopped() const { return m_nOutcome == mergeStopped || m_nOutcome == mergeStoppedByUser; }
    // TRUE when a failure is one that no later write can get past.
    static BOOL StopsTheMerge(CException* e);

    // One step of progress, a message and a failure for the user, through
    // the sinks; nothing without them (a message is then answered IDOK).
    void StepProgress();
    int ShowMessage(LPCSTR lpszText, UINT nType);
    void ShowError(CException* e);
    // A failure of the merge that it goes on after, told the user in a box
    // that names the item (the first few one by one; from then on the user
    // chooses once to go on without more boxes, or to stop the merge), and
    // counted.
    void TellFailure(const CString& strText);
    static constexpr int kFailuresShownEach = 3;

protected:
    struct MergeState;

    BOOL MergeTape(DBComponentTable& source, long nNewKey);
    BOOL MergeEmitterNozzles(DBComponentTable& source, long nNewKey);
    BOOL MergeAssemblyItems(DBComponentTable& source, long nNewKey);
    // Removes a component added by this merge with every row that names it.
    void RemoveAddedComponent(long nKey);
    void MergeSymbolTable(DBDatabase* pSource);
    void WriteSymbolUpdates();
    // Runs one section of the merge; a failure that stops the merge stops
    // it, any other is reported and the merge goes on with the next section.
    void RunMergeStep(const std::function<void()>& step);
    // Before each write through the connection: during a merge unit, its
    // savepoint is opened at the first.
    void BeforeWrite() override;
    // Merges every component of the source, each as a unit.
    void MergeSourceComponents(DBDatabase* pSource);
    // Reads the match keys of the target's components.
    void IndexTargetComponents();
    // A failure of a unit: undone, shown and reported (the merge goes on).
    void ReportUnitFailure(CException* e, const CString& strName, BOOL bComponent);
    // A failure that stops the merge: what is not committed is undone, and
    // the report and a message say why and from which item on nothing was
    // merged.
    void StopMerge(CException* e);
    // Transactions of about a second (SQLite): begun, committed when the
    // time is up (bForce: now), undone.
    void BeginBatch();
    void CommitBatch(BOOL bForce);
    void RollbackBatch();
    // A statement the merge runs many times, prepared at its first use in
    // a merge (only while a merge runs).
    OZUStatement& MergeStatement(LPCSTR lpszSQL);
    // Runs a statement of the transaction or of a unit's savepoint.
    void ExecuteControl(LPCSTR lpszSQL);
    // The [Warehouse Code] column size of the all-components recordset.
    long GetWarehouseCodeSize();
    // The number of rows of a table.
    long CountRows(DBRecordBase* pTable);
    // Opens every table (throws when one cannot be opened).
    void OpenTables(BOOL bReadOnly);

    DWORD m_dwFlags;
    CString m_strPath;
    DBProgressSink* m_pProgress = nullptr;
    DBMessageSink* m_pMessages = nullptr;

    // The tables, opened with the connection.
    std::unique_ptr<DBNozzleTable> m_pNozzles;
    std::unique_ptr<DBAssemblyTable> m_pAssemblies;
    std::unique_ptr<DBComponentTable> m_pComponents;
    std::unique_ptr<DBPipeTable> m_pPipeTypes;
    std::unique_ptr<DBTapeTable> m_pTapes;
    std::unique_ptr<DBSupplierTable> m_pSuppliers;

    // The state of a merge.
    DBDatabase* m_pMergeSource;
    CMap<long, long, long, long> m_mapSymbolKeys;  // source [Key] -> target [Key]
    struct AddedComponent
    {
        long nKey;
        std::string matchKey;
        CString strDescription;
        BOOL bSymbolRemapped;
    };
    std::vector<AddedComponent> m_added;  // in the order added
    MergeOutcome m_nOutcome;
    int m_nFailures = 0;
    int m_nFailuresShown = 0;
    BOOL m_bQuietFailures = FALSE;  // the user chose to go on without more boxes
    std::unique_ptr<MergeState> m_pMerge;  // while a merge runs (DBMerge.cpp)

    // The report. While a transaction of the merge is open, its lines wait
    // in m_strPendingReport and reach the file when it is committed.
    CStdioFile* m_pReportFile;
    CString m_strReportPath;
    BOOL m_bReportComplete;
    BOOL m_bHoldReport = FALSE;
    std::string m_strPendingReport;
    // Writes the lines held for the committed transaction and puts
    // everything written so far on the disk.
    void FlushReport();
    // A write of the report that failed: told once, the report known to be
    // incomplete.
    void NoteReportFailure(CException* e);
};
