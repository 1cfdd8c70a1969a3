// The program's ODBC layer: the connection (OZUDatabase), the recordset
// (OZURecordset), field exchange (CFieldExchange and the RFX_ functions) and
// the database exception (CDBException).
//
// One engine, two sets of names. The framework's database classes are this
// same engine: CDatabase is OZUDatabase and CRecordset is OZURecordset (type
// aliases below, with RUNTIME_CLASS(CDatabase) and RUNTIME_CLASS(CRecordset)
// naming the same class records). Record classes derive from either name;
// a CDatabase* is an OZUDatabase*.
//
// Database files: a connect string that names a database file is resolved
// by kvodbc::PlanConnection (platform/odbc/ODBCConnect.h): where the named driver
// is not installed, the file's content picks the driver (SQLite3 for SQLite
// files, read and write; MDBTools for Access files, read only). Statements
// for a SQLite database are translated from the Access dialect in one place,
// OZUDatabase::TranslateSQL.
//
// Dynasets on a driver without keyset cursors (the SQLite3 driver): the
// recordset keeps the keys itself. It reads the key of every table of the
// result when it opens (membership is then fixed until Requery), fetches the
// rows it moves to by key, a window of rows at a time, and writes by key.
// A changed row is read again when moved to; a row deleted by anyone reads
// as deleted.
#pragma once

#include "platform/framework/Framework.h"
#include "platform/odbc/ODBCApi.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class OZUDatabase;
class OZURecordset;
class CFieldExchange;
struct OZUKeyset;
struct OZUCachedRow;

// ---------------------------------------------------------------------------
// Error codes of the layer itself (the ODBC return code otherwise).
enum
{
    AFX_SQL_ERROR = 1000,
    AFX_SQL_ERROR_CONNECT_FAIL = 1001,
    AFX_SQL_ERROR_RECORDSET_FORWARD_ONLY = 1002,
    AFX_SQL_ERROR_EMPTY_COLUMN_LIST = 1003,
    AFX_SQL_ERROR_FIELD_SCHEMA_MISMATCH = 1004,
    AFX_SQL_ERROR_ILLEGAL_MODE = 1005,
    AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED = 1006,
    AFX_SQL_ERROR_NO_CURRENT_RECORD = 1007,
    AFX_SQL_ERROR_NO_ROWS_AFFECTED = 1008,
    AFX_SQL_ERROR_RECORDSET_READONLY = 1009,
    AFX_SQL_ERROR_SQL_NO_TOTAL = 1010,
    AFX_SQL_ERROR_ODBC_LOAD_FAILED = 1011,
    AFX_SQL_ERROR_DYNASET_NOT_SUPPORTED = 1012,
    AFX_SQL_ERROR_SNAPSHOT_NOT_SUPPORTED = 1013,
    AFX_SQL_ERROR_API_CONFORMANCE = 1014,
    AFX_SQL_ERROR_SQL_CONFORMANCE = 1015,
    AFX_SQL_ERROR_NO_DATA_FOUND = 1016,
    AFX_SQL_ERROR_ROW_UPDATE_NOT_SUPPORTED = 1017,
    AFX_SQL_ERROR_ODBC_V2_REQUIRED = 1018,
    AFX_SQL_ERROR_NO_POSITIONED_UPDATES = 1019,
    AFX_SQL_ERROR_LOCK_MODE_NOT_SUPPORTED = 1020,
    AFX_SQL_ERROR_DATA_TRUNCATED = 1021,
    AFX_SQL_ERROR_ROW_FETCH = 1022,
    AFX_SQL_ERROR_INCORRECT_ODBC = 1023,
    AFX_SQL_ERROR_UPDATE_DELETE_FAILED = 1024,
    AFX_SQL_ERROR_DYNAMIC_CURSOR_NOT_SUPPORTED = 1025,
    AFX_SQL_ERROR_FIELD_NOT_FOUND = 1026,
    AFX_SQL_ERROR_BOOKMARKS_NOT_SUPPORTED = 1027,
    AFX_SQL_ERROR_BOOKMARKS_NOT_ENABLED = 1028,
    // The driver kept answering "still executing" past the time allowed.
    AFX_SQL_ERROR_STILL_EXECUTING = 1029,
    // A write refused because the database is open read-only.
    AFX_SQL_ERROR_READONLY_DATABASE = 1030,
};

// The default open type of a recordset (Open's first argument).
#define AFX_DB_USE_DEFAULT_TYPE (0xffffffff)

// Move's special row counts.
#define AFX_MOVE_FIRST 0x80000000L
#define AFX_MOVE_PREVIOUS (-1L)
#define AFX_MOVE_NEXT (+1L)
#define AFX_MOVE_LAST 0x7fffffffL

// Current-record values.
#define AFX_CURRENT_RECORD_UNDEFINED (-2)
#define AFX_CURRENT_RECORD_BOF (-1)

// ---------------------------------------------------------------------------
// The database exception: an ODBC failure (m_nRetCode the ODBC return code,
// the driver's diagnostics in the two texts) or one of the codes above.
class CDBException : public CException
{
    DECLARE_DYNAMIC(CDBException)
public:
    explicit CDBException(RETCODE nRetCode = SQL_SUCCESS);
    ~CDBException() override;

    // Collects the diagnostics of the statement, else of the connection, else
    // of the environment: m_strError gets the messages (without their
    // "[vendor][driver]" prefixes), m_strStateNativeOrigin one line
    // "State:%s,Native:%ld,Origin:%s\n" per diagnostic. For a code of this
    // layer the message is the layer's own text.
    void BuildErrorString(OZUDatabase* pdb, HSTMT hstmt, BOOL bTrace = TRUE);

    // TRUE when the diagnostics hold the state, given in either its ODBC 2
    // form ("S1010") or its ODBC 3 form ("HY010").
    BOOL HasState(LPCSTR lpszState) const;

    // The database engine's own code for the failure, as the driver gives
    // it with the diagnostics (SQLite's primary result code: 5 busy, 6
    // locked, 8 read-only, 13 full, ...); 0 when there is none.
    int GetEngineCode() const;
    // TRUE when another program holds the database locked.
    BOOL IsDatabaseLocked() const;
    // TRUE when no write to the database can succeed for now, whatever is
    // written: it is locked, full or read-only, or its file cannot be
    // written or read.
    BOOL StopsEveryWrite() const;

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    RETCODE m_nRetCode;
    CString m_strError;
    CString m_strStateNativeOrigin;
};

[[noreturn]] void AFXAPI AfxThrowDBException(RETCODE nRetCode, OZUDatabase* pdb, HSTMT hstmt);
// A code of this layer with an explicit message (and no diagnostics).
[[noreturn]] void AFXAPI AfxThrowDBException(RETCODE nRetCode, LPCSTR lpszMessage);

namespace kvodbc {

// The layer's message for one of its codes ("" for other codes).
LPCSTR ErrorCodeText(RETCODE nCode);

// Normalises a SQLSTATE to its ODBC 3 form: "S1xxx" -> "HYxxx",
// "S00xx" -> "42Sxx" ("S0001" -> "42S01"); other states are unchanged.
CString NormaliseState(LPCSTR lpszState);

// TRUE when one of the "State:" lines of the text names the state, in
// either form.
BOOL StateInText(const CString& stateNativeOrigin, LPCSTR lpszState);

// Reads the diagnostics of a handle (statement, else connection, else
// environment) the way CDBException does.
void CollectDiagnostics(HENV henv, HDBC hdbc, HSTMT hstmt, CString& strError, CString& strStateNativeOrigin);

// Repeats an ODBC call while it answers SQL_STILL_EXECUTING, waiting a
// little longer each time, for at most dwSeconds (0: 60 s). Returns the last
// answer; after the time runs out the statement (when given) is cancelled
// and AFX_SQL_ERROR_STILL_EXECUTING is thrown.
template <class F>
SQLRETURN Retry(F&& call, HSTMT hstmtToCancel, DWORD dwSeconds);
SQLRETURN RetryLoop(SQLRETURN first, HSTMT hstmtToCancel, DWORD dwSeconds, SQLRETURN (*again)(void*),
                    void* context);

} // namespace kvodbc

// ---------------------------------------------------------------------------
// The process's shared ODBC environment.
struct _AFX_DB_STATE
{
    HENV m_henvAtfx = SQL_NULL_HENV;
    int m_nAllocatedConnections = 0;
};
_AFX_DB_STATE* AFXAPI AfxGetDbState();

// ---------------------------------------------------------------------------
class OZUDatabase : public CObject
{
    DECLARE_DYNAMIC(OZUDatabase)
public:
    // RUNTIME_CLASS(CDatabase) names this class's record.
    static CRuntimeClass& classCDatabase;

    OZUDatabase();
    ~OZUDatabase() override;

    enum DbOpenOptions
    {
        openExclusive = 0x0001,
        openReadOnly = 0x0002,
        useCursorLib = 0x0004,
        noOdbcDialog = 0x0008,
        forceOdbcDialog = 0x0010,
    };

    // Members, in the framework connection's order.
    HDBC m_hdbc;
    BOOL m_bStripTrailingSpaces;
    BOOL m_bIncRecordCountOnAdd;
    BOOL m_bAddForUpdate;
    char m_chIDQuote;
    CString m_strConnect;
    std::vector<OZURecordset*> m_listRecordsets;
    int nRefCount;
    BOOL m_bUpdatable;
    BOOL m_bTransactions;
    SWORD m_nTransactionCapable;
    SWORD m_nCursorCommitBehavior;
    SWORD m_nCursorRollbackBehavior;
    DWORD m_dwUpdateOptions;
    DWORD m_dwBookmarkAttributes;
    DWORD m_dwLoginTimeout;
    HSTMT m_hstmt;
    DWORD m_dwQueryTimeout;

    // Update-option bits.
    enum
    {
        updateSetPos = 1,       // SQLSetPos update, delete and add
        updatePositioned = 2,   // UPDATE/DELETE ... WHERE CURRENT OF
        updateGetDataBound = 4, // SQLGetData on rows with bound columns
    };

    virtual BOOL Open(LPCSTR lpszDSN, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE,
                      LPCSTR lpszConnect = "ODBC;", BOOL bUseCursorLib = TRUE);
    virtual BOOL OpenEx(LPCSTR lpszConnectString, DWORD dwOptions = 0);
    virtual void Close();
    virtual void OnSetOptions(HSTMT hstmt);
    virtual void BindParameters(HSTMT hstmt);
    virtual BOOL Check(RETCODE nRetCode) const;
    [[noreturn]] virtual void ThrowDBException(RETCODE nRetCode);

    BOOL CheckHstmt(RETCODE nRetCode, HSTMT hstmt) const;
    BOOL IsOpen() const { return m_hdbc != SQL_NULL_HDBC; }
    CString GetDatabaseName() const;
    const CString GetConnect() const { return m_strConnect; }
    BOOL CanUpdate() const { return m_bUpdatable; }
    BOOL CanTransact() const { return m_bTransactions; }
    DWORD GetBookmarkPersistence() const { return m_dwBookmarkAttributes; }
    void SetQueryTimeout(DWORD dwSeconds) { m_dwQueryTimeout = dwSeconds; }
    // How long a statement waits for a database that another program holds
    // locked before it fails, in milliseconds (taken when the connection
    // opens). A new connection starts with the default, 3 seconds: long
    // enough to ride over another program's short write, short enough not
    // to leave the user waiting.
    void SetLockTimeout(DWORD dwMilliseconds) { m_dwLockTimeout = dwMilliseconds; }
    static void SetDefaultLockTimeout(DWORD dwMilliseconds);
    static DWORD GetDefaultLockTimeout();
    // The database file the connect string names ("" for a data source).
    const CString& GetFileName() const { return m_strFile; }

    // Runs a statement that returns no rows to keep (translated for the
    // database's dialect; ALTER TABLE ... ALTER COLUMN on SQLite rebuilds the
    // table in a transaction). Throws CDBException on failure. On a
    // read-only database, anything but a SELECT is refused before it
    // reaches the driver.
    void ExecuteSQL(LPCSTR lpszSQL);
    // Rows changed by the last ExecuteSQL, as the driver counts them (-1
    // when it cannot say).
    long GetRowsAffected() const { return m_lRowsAffected; }
    void Cancel();
    // Transactions. BeginTrans opens one (FALSE when the driver has none, or
    // the database refuses); called again before the first is ended, it
    // opens an inner one, which CommitTrans and Rollback end first. On
    // SQLite the transaction is the database's own (BEGIN, and a savepoint
    // for an inner one), so that what the program believes open is what
    // the database has open; other drivers switch their autocommit off.
    // CommitTrans keeps the changes (an inner one: hands them to the outer
    // one); when the database refuses, everything the transaction changed is
    // rolled back and FALSE returned. Rollback undoes the changes (an inner
    // one: only its own, where the driver has savepoints; else the outer
    // transaction can then only be rolled back). Whatever fails, once the
    // outermost transaction is ended none is left open and the connection
    // commits each statement again; GetTransactionError says why the last
    // of these calls failed.
    BOOL BeginTrans();
    BOOL CommitTrans();
    BOOL Rollback();
    // The number of transactions open (inner ones counted).
    int GetTransactionDepth() const { return m_nTransactionDepth; }
    const CString& GetTransactionError() const { return m_strTransactionError; }

    // Outside single-quoted literals, a single "[" or "]" becomes the
    // identifier quote character and a doubled one a single bracket. The
    // text never grows.
    void ReplaceBrackets(LPSTR lpchSQL);
    void ReplaceBrackets(CString& strSQL);

    // Close, catching any exception; frees the environment with the last
    // connection.
    void Free();

    // The one translation of the program's SQL for this database (Access
    // dialect to SQLite on a SQLite database; unchanged otherwise).
    CString TranslateSQL(const CString& strSQL) const;
    // The database's file is SQLite (statements are translated).
    BOOL IsSQLite() const { return m_bSQLite; }
    // Why the database cannot be written ("" when it can, or when only the
    // open options made it read-only).
    const CString& GetReadOnlyReason() const { return m_strReadOnlyReason; }

    // Writes made through this connection so far; a keyed recordset re-reads
    // its rows when this changes.
    DWORD m_dwChangeCount;
    // The driver manager's cursor library is in use.
    BOOL m_bCursorLib;
    // SQLite's data version of the connection: it changes when another
    // connection writes to the database; -1 for other databases.
    long long GetDataVersion();
    // Called before anything is written through the connection: every keyed
    // set on it that reads its keys a page at a time reads the rest first,
    // so that its membership stays what it was when it opened. A derived
    // connection may do more first (the merge opens a unit's savepoint).
    virtual void BeforeWrite();
    // SQL_SCROLL_OPTIONS of the driver (0 when it cannot say).
    DWORD GetScrollOptions();
    // The key column (a row id) of a table for keyed dynasets; "" when the
    // driver names none. Remembered per table.
    std::string GetRowKeyColumn(const std::string& table);

protected:
    void AllocConnect(DWORD dwOptions);
    BOOL Connect(DWORD dwOptions);
    void VerifyConnect();
    void GetConnectInfo();
    void CheckSQLiteFile();
    void AlterColumnSQLite(const CString& strSQL);
    // Makes the connection read-only, with the reason, when Windows would
    // not let the file be written (a read-only attribute, no right to
    // write, another program holding it).
    void CheckFileWritable();
    void ExecuteDirect(HSTMT hstmt, const CString& strSQL);
    // Runs a statement that begins, ends or marks a transaction; FALSE, with
    // the database's reason in m_strTransactionError, when it fails.
    BOOL ExecuteTransactionControl(const CString& strSQL);
    // Ends the outermost transaction: commits it (bCommit) or rolls it back,
    // and leaves none open whatever fails.
    BOOL EndTransaction(BOOL bCommit);
    [[noreturn]] void ThrowWithPlan(RETCODE nRetCode, HSTMT hstmt, LPCSTR lpszPrefix);

    BOOL m_bSQLite;
    BOOL m_bReadOnlyDriver;
    CString m_strReadOnlyReason;
    CString m_strFile;
    CString m_strPlannedConnect;
    BOOL m_bPlannedByContent;
    int m_nFileKind;
    BOOL m_bScrollOptionsKnown;
    DWORD m_dwScrollOptions;
    long m_lRowsAffected;
    DWORD m_dwLockTimeout;
    std::map<std::string, std::string> m_mapRowKeys;
    // The open transactions (inner ones counted), and whether an inner one
    // was rolled back where the driver could not undo it alone: the outer
    // one then cannot be committed.
    int m_nTransactionDepth = 0;
    BOOL m_bTransactionDoomed = FALSE;
    CString m_strTransactionError;

    friend class OZURecordset;
};

typedef OZUDatabase CDatabase;

// ---------------------------------------------------------------------------
// Result-column description (GetODBCFieldInfo).
struct CODBCFieldInfo
{
    CString m_strName;
    SWORD m_nSQLType = 0;
    SQLULEN m_nPrecision = 0;
    SWORD m_nScale = 0;
    SWORD m_nNullability = 0;
};

// A long binary value: a movable memory block and its length.
class CLongBinary : public CObject
{
    DECLARE_DYNAMIC(CLongBinary)
public:
    CLongBinary() = default;
    ~CLongBinary() override;
    HGLOBAL m_hData = nullptr;
    SQLULEN m_dwDataLength = 0;
};

// Kinds of bound value (the field information's data type).
enum
{
    AFX_RFX_NO_TYPE = 0,
    AFX_RFX_BOOL = 1,
    AFX_RFX_BYTE = 2,
    AFX_RFX_INT = 3,
    AFX_RFX_LONG = 4,
    AFX_RFX_SINGLE = 6,
    AFX_RFX_DOUBLE = 7,
    AFX_RFX_DATE = 8,         // bound as a timestamp structure
    AFX_RFX_BINARY = 9,
    AFX_RFX_TEXT = 10,
    AFX_RFX_LONGBINARY = 11,
    AFX_RFX_TIMESTAMP = 15,
    AFX_RFX_OLEDATE = 16,     // not produced by this layer
    AFX_RFX_LPTSTR = 20,      // text kinds of other origin, handled as text
    AFX_RFX_WTEXT = 21,
};

// Field flags (one byte per field).
enum
{
    AFX_SQL_FIELD_FLAG_DIRTY = 0x1,
    AFX_SQL_FIELD_FLAG_NULL = 0x2,
    AFX_SQL_FIELD_FLAG_BOUND_FOR_UPDATE = 0x4,
};

// What the layer keeps for each bound field.
struct CFieldInfo
{
    void* m_pv = nullptr;          // the member
    int m_nDataType = AFX_RFX_NO_TYPE;
    CString m_strName;             // as given to the RFX_ function
    int m_nMaxLength = 0;          // text and binary
    SWORD m_nSQLType = 0;          // SQL type for parameters
    SWORD m_nScale = 0;
    SQLLEN m_nLength = 0;          // length / null indicator of the column binding
    std::vector<char> m_bind;      // buffer of text and binary columns
    void* m_pvBind = nullptr;      // where the column is bound
    SQLLEN m_cbBind = 0;
    SQLSMALLINT m_nCType = 0;      // C type of the binding
    std::string m_cache;           // the stored copy (StoreField / LoadField)
    bool m_bCacheNull = false;
    std::string m_param;           // value bound as a parameter of a write
    SQLLEN m_nParamLength = 0;
};

// ---------------------------------------------------------------------------
// One pass of field exchange over a recordset's fields.
class CFieldExchange
{
public:
    enum RFX_Operation
    {
        BindParam = 0,
        RebindParam = 1,
        BindFieldToColumn = 2,
        BindFieldForUpdate = 3,
        UnbindFieldForUpdate = 4,
        Fixup = 5,
        MarkForAddNew = 6,
        MarkForUpdate = 7,
        Name = 8,
        NameValue = 9,
        Value = 10,
        SetFieldNull = 11,
        StoreField = 12,
        LoadField = 13,
        AllocCache = 14,
        AllocMultiRowBuffer = 15,
        DeleteMultiRowBuffer = 16,
    };
    enum FieldType
    {
        noFieldType = -1,
        outputColumn = 0,
        param = SQL_PARAM_INPUT,
        inputParam = param,
        outputParam = SQL_PARAM_OUTPUT,
        inoutParam = SQL_PARAM_INPUT_OUTPUT,
    };

    CFieldExchange(UINT nOperation, OZURecordset* prs, void* pvField = nullptr);

    void SetFieldType(UINT nFieldType) { m_nFieldType = nFieldType; }
    // Counts the field or parameter the current RFX_ call describes; TRUE
    // when the pass concerns it.
    BOOL IsFieldType(UINT* pnField);

    UINT m_nOperation;
    OZURecordset* m_prs;
    UINT m_nFieldType;
    UINT m_nFields;      // fields seen so far in this pass
    UINT m_nParams;      // parameters seen so far
    void* m_pvField;     // SetFieldNull: the one field (null: every field)
    BOOL m_bNull;        // SetFieldNull: make null (TRUE) or not null
    CString* m_pstr;     // Name, NameValue, Value: the text built
    LPCSTR m_lpszSeparator;
    HSTMT m_hstmt;       // statement of bind passes
    UINT m_nParamNumber; // Value: the next parameter marker's number
    BOOL m_bDirtyOnly;   // Name: dirty fields only (INSERT column list)
    BOOL m_bAnyDirty;    // MarkFor...: a field was found changed
    const std::vector<bool>* m_pFieldMask;  // fields taking part (null: all)
};

void AFXAPI RFX_Bool(CFieldExchange* pFX, LPCSTR szName, BOOL& value);
void AFXAPI RFX_Byte(CFieldExchange* pFX, LPCSTR szName, BYTE& value);
void AFXAPI RFX_Int(CFieldExchange* pFX, LPCSTR szName, int& value);
void AFXAPI RFX_Long(CFieldExchange* pFX, LPCSTR szName, long& value);
void AFXAPI RFX_Single(CFieldExchange* pFX, LPCSTR szName, float& value);
void AFXAPI RFX_Double(CFieldExchange* pFX, LPCSTR szName, double& value);
void AFXAPI RFX_Date(CFieldExchange* pFX, LPCSTR szName, TIMESTAMP_STRUCT& value);
void AFXAPI RFX_Text(CFieldExchange* pFX, LPCSTR szName, CString& value, int nMaxLength = 255,
                     int nColumnType = SQL_VARCHAR, short nScale = 0);
void AFXAPI RFX_Binary(CFieldExchange* pFX, LPCSTR szName, CByteArray& value, int nMaxLength = 255);
void AFXAPI RFX_LongBinary(CFieldExchange* pFX, LPCSTR szName, CLongBinary& value);

// A copy of the text with every single quote doubled (O'Neil gives
// O''Neil), for use between single quotes in SQL.
CString QuoteSqlString(LPCSTR text);

// ---------------------------------------------------------------------------
class OZURecordset : public CObject
{
    DECLARE_DYNAMIC(OZURecordset)
public:
    // RUNTIME_CLASS(CRecordset) names this class's record.
    static CRuntimeClass& classCRecordset;

    explicit OZURecordset(OZUDatabase* pDatabase = nullptr);
    ~OZURecordset() override;

    enum OpenType
    {
        dynaset = 0,
        snapshot = 1,
        forwardOnly = 2,
        dynamic = 3,
    };
    enum OpenOptions
    {
        none = 0x0,
        readOnly = 0x0004,
        appendOnly = 0x0008,
        skipDeletedRecords = 0x0010,
        noDirtyFieldCheck = 0x0020,
        useBookmarks = 0x0100,
        useMultiRowFetch = 0x0200,
        userAllocMultiRowBuffers = 0x0400,
        useExtendedFetch = 0x0800,
        executeDirect = 0x2000,
        optimizeBulkAdd = 0x4000,
        firstBulkAdd = 0x8000,
    };
    enum EditMode
    {
        noMode = 0,
        edit = 1,
        addnew = 2,
    };
    enum LockMode
    {
        optimistic = 0,
        pessimistic = 1,
    };

    // Members, in the framework recordset's order.
    HSTMT m_hstmt;
    OZUDatabase* m_pDatabase;
    CString m_strFilter;
    CString m_strSort;
    UINT m_nFields;
    UINT m_nParams;
    BOOL m_bCheckCacheForDirtyFields;
    BOOL m_bLongBinaryColumns;
    BOOL m_bUseUpdateSQL;
    DWORD m_dwOptions;
    SWORD m_nResultCols;
    BOOL m_bUseODBCCursorLib;
    std::vector<CODBCFieldInfo> m_rgODBCFieldInfos;
    std::vector<CFieldInfo> m_rgFieldInfos;
    std::map<void*, int> m_mapFieldIndex;   // member address -> 1-based field number
    std::map<void*, int> m_mapParamIndex;   // member address -> 1-based parameter number
    UINT m_nOpenType;
    UINT m_nDefaultType;
    int m_nOpen;                            // -1 undetermined, 0 closed, 1 open
    UINT m_nEditMode;
    BOOL m_bEOFSeen;
    long m_lRecordCount;
    long m_lCurrentRecord;
    CString m_strCursorName;
    UINT m_nLockMode;
    DWORD m_dwDriverConcurrency;
    DWORD m_dwConcurrency;
    std::vector<WORD> m_rgRowStatus;
    HSTMT m_hstmtUpdate;
    BOOL m_bRecordsetDb;
    BOOL m_bBOF;
    BOOL m_bEOF;
    BOOL m_bUpdatable;
    BOOL m_bAppendable;
    CString m_strSQL;
    CString m_strUpdateSQL;
    CString m_strTableName;
    BOOL m_bScrollable;
    BOOL m_bDeleted;
    int m_nFieldsBound;
    // A set without fields of its own on a connection through the cursor
    // library (which fetches only into bound columns): every column is
    // bound here as text, for GetFieldValue.
    std::vector<std::vector<char>> m_textColumns;
    std::vector<SQLLEN> m_textLengths;
    void BindTextColumns();
    std::vector<BYTE> m_rgFieldFlags;
    std::vector<BYTE> m_rgParamFlags;
    std::vector<CFieldInfo> m_rgParamInfos;
    DWORD m_dwInitialGetDataLen;
    DWORD m_dwRowsetSize;
    DWORD m_dwAllocatedRowsetSize;
    CString m_strRequerySQL;
    CString m_strRequeryFilter;
    CString m_strRequerySort;

    // Virtual operations, in the framework recordset's order.
    virtual BOOL Open(UINT nOpenType = AFX_DB_USE_DEFAULT_TYPE, LPCSTR lpszSQL = nullptr, DWORD dwOptions = none);
    virtual void Close();
    virtual void Move(long nRows, WORD wFetchType = SQL_FETCH_RELATIVE);
    virtual void SetRowsetSize(DWORD dwNewRowsetSize);
    virtual void CheckRowsetError(RETCODE nRetCode);
    virtual void AddNew();
    virtual void Edit();
    virtual BOOL Update();
    virtual void Delete();
    virtual BOOL Requery();
    virtual CString GetDefaultConnect();
    virtual CString GetDefaultSQL();
    virtual void OnSetOptions(HSTMT hstmt);
    virtual void OnSetUpdateOptions(HSTMT hstmt);
    virtual void DoFieldExchange(CFieldExchange* pFX);
    virtual void DoBulkFieldExchange(CFieldExchange* pFX);
    virtual BOOL Check(RETCODE nRetCode) const;
    virtual void SetRowsetCurrencyStatus(RETCODE nRetCode, UINT nFetchType, long nRows, DWORD dwRowsFetched);
    virtual void PreBindFields();
    [[noreturn]] virtual void ThrowDBException(RETCODE nRetCode, HSTMT hstmt = SQL_NULL_HSTMT);
    virtual int GetLBFetchSize(int nOldSize);
    virtual int GetLBReallocSize(int nOldSize);

    // State.
    BOOL IsOpen() const;
    BOOL IsBOF() const { return m_bBOF; }
    BOOL IsEOF() const { return m_bEOF; }
    BOOL IsDeleted() const { return m_bDeleted; }
    long GetRecordCount() const { return m_lRecordCount; }
    long GetAbsolutePosition() const { return m_lCurrentRecord; }
    BOOL CanUpdate() const { return m_bUpdatable; }
    BOOL CanAppend() const { return m_bAppendable; }
    BOOL CanScroll() const { return m_bScrollable; }
    BOOL CanRestart() const { return !(m_dwOptions & executeDirect); }
    BOOL CanTransact() const { return m_pDatabase && m_pDatabase->m_bTransactions; }
    const CString& GetSQL() const { return m_strSQL; }
    const CString& GetTableName() const { return m_strTableName; }
    DWORD GetRowsetSize() const { return m_dwRowsetSize; }
    // TRUE while the set keeps its own keys (a dynaset on a driver without
    // keyset cursors).
    BOOL IsKeyed() const { return m_pKeyset != nullptr; }
    // The rows of a keyed set, known without moving (those it had when it
    // opened, and those added through it since); -1 for other sets.
    long GetKeyedRowCount() const;
    // The place (0-based) of the row of a keyed set whose key for the table
    // named is nKey; -1 when the set holds none (or is not keyed).
    long FindKeyedRow(LPCSTR lpszTable, long long nKey);
    // The key the database gave the row this set added last through AddNew
    // and Update (a keyed set of one table); FALSE when it cannot say.
    BOOL GetLastAddedKey(long long& nKey) const;
    // A keyed set that reads its keys a page at a time reads the rest now
    // (the connection calls it before it writes).
    void CompleteKeys();
    // Reads bound fields (0-based) of every row of a keyed set at once, in
    // the database's order (not the set's): for each row, its place in the
    // set and the values, as text (kvodbc::ValueToText; empty for null), each
    // read as the set reads its fields (`values` is indexed by field; fields
    // not asked for are empty). Rows that no longer meet the set's query are
    // not given. FALSE when the set is not keyed, or `visit` stopped the
    // reading by returning false.
    BOOL ScanKeyedRows(const std::vector<int>& fields,
                       const std::function<bool(long nPlace, const std::vector<CString>& values)>& visit);

    // Moving.
    void MoveFirst() { Move(1, SQL_FETCH_FIRST); }
    void MoveNext() { Move(1, SQL_FETCH_NEXT); }
    void MovePrev() { Move(1, SQL_FETCH_PRIOR); }
    void MoveLast() { Move(1, SQL_FETCH_LAST); }
    void SetAbsolutePosition(long nRows) { Move(nRows, SQL_FETCH_ABSOLUTE); }

    // Fields.
    void SetFieldDirty(void* pv, BOOL bDirty = TRUE);
    void SetFieldNull(void* pv, BOOL bNull = TRUE);
    BOOL IsFieldDirty(void* pv);
    BOOL IsFieldNull(void* pv);
    BOOL IsFieldNullable(void* pv);
    void CancelUpdate();
    void SetLockingMode(UINT nMode);

    // Result columns.
    short GetODBCFieldCount() const { return m_nResultCols < 0 ? 0 : m_nResultCols; }
    void GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo);
    void GetODBCFieldInfo(LPCSTR lpszName, CODBCFieldInfo& fieldinfo);
    short GetFieldIndexByName(LPCSTR lpszFieldName);
    // The value of result column nIndex (0-based) of the current row as text;
    // empty for null.
    void GetFieldValue(short nIndex, CString& strValue);
    void GetFieldValue(LPCSTR lpszName, CString& strValue);

    // Bound fields as the grid library reads them: count, member address,
    // value kind and exchange name of field nField (0-based).
    int GetBoundFieldCount() const { return (int)m_rgFieldInfos.size(); }
    void* GetBoundFieldAddress(int nField) const;
    int GetBoundFieldKind(int nField) const;
    CString GetBoundFieldName(int nField) const;

    // The edit mode (0 none, 1 edit, 2 add).
    UINT GetEditMode() const { return m_nEditMode; }

    // --- used by the field exchange and the engine ---
    // 0-based field index of a member address, -1 when not bound.
    int FieldIndexOf(void* pv) const;
    // Reads a long binary column of the current row (SQLGetData, or the
    // keyed set's copy).
    void FetchLongBinary(int nFieldIndex, CLongBinary& value);
    // Seconds a "still executing" answer is waited for.
    DWORD RetrySeconds() const;

protected:
    void AllocStatus();
    BOOL AllocHstmtFor();
    void AllocHstmt();
    void BuildSQL(LPCSTR lpszSQL);
    BOOL IsSQLUpdatable(const CString& strSQL);
    BOOL IsSelectQueryUpdatable(const CString& strSQL);
    void PrepareAndExecute();
    void ApplyStatementOptions(HSTMT hstmt, UINT nOpenType);
    void CacheColumnInfo(HSTMT hstmt, int nColumns);
    void AllocRowset();
    void FreeRowset();
    void BindFieldsToColumns();
    void ResetCursor();
    void CheckCurrencyForMove(long nRows, WORD wFetchType);
    RETCODE FetchData(WORD wFetchType, long nRows, SQLULEN& nRowsFetched);
    void SkipDeletedRecords(WORD wFetchType, long nRows, SQLULEN& nRowsFetched, RETCODE& nRetCode);
    void ExecuteUpdate();
    void ExecuteUpdateSQL();
    void ExecuteSetPosUpdate();
    void BuildUpdateSQL();
    void GetCursorNameFromDriver();
    void SendLongBinaryData(HSTMT hstmt);
    void StoreFields();
    void LoadFields();
    void ClearDirtyFlags();
    void RunPass(UINT nOperation, void* pv = nullptr, BOOL bNull = FALSE);
    void FreeStatements();
    [[noreturn]] void ThrowReadOnly(RETCODE nCode);

    // The keyed dynaset.
    BOOL SetupKeyset();
    bool ReadKeys();
    bool ReadKeyRows(const std::string& sql, bool paged, long long count, long long first,
                     std::vector<long long>& keys);
    // Reads keys on up to row nUpTo (0-based) of a set read a page at a time.
    void EnsureKeys(long long nUpTo);
    // The keys not read yet, after another connection changed the database.
    void TakeKeysAsTheyStand();
    void FreeKeyset();
    RETCODE FetchKeyed(WORD wFetchType, long nRows);
    void FetchWindow(long long target, bool forward);
    void RestoreKeyedRow(long long row);
    // The bound buffers of the row just fetched, into the window.
    void CaptureKeyedRow(OZUCachedRow& row);
    // After this set wrote its current row by key: the window keeps the
    // row as written instead of being read again.
    void KeepWrittenRow();
    HSTMT KeyedValueStatement();
    void UpdateKeyed();
    void DeleteKeyed();
    HSTMT UpdateStatement();
    // A write of a keyed set, prepared once for its SQL and kept.
    HSTMT PreparedWrite(const std::string& sql);
    long long LastInsertedRowid();
    SQLLEN ExecutePreparedWrite(HSTMT hstmt, const std::string& sql);
    std::string ReadColumnBytes(HSTMT hstmt, int nColumn, bool& isNull);

    std::unique_ptr<OZUKeyset> m_pKeyset;
    BOOL m_bKeyedCandidate;   // dynaset/dynamic wanted where the driver has no such cursor
    BOOL m_bRebindParams;
    BOOL m_bEOFBeforeMove;    // EOF before the move in progress
    // In its database's list of recordsets: only then does Close reach the
    // database, which may be gone by the time a closed recordset is deleted.
    bool m_bListed = false;

    friend class CFieldExchange;
    friend struct OZUKeyset;
    friend class OZUDatabase;
};

typedef OZURecordset CRecordset;

// ---------------------------------------------------------------------------
namespace kvodbc {

template <class F>
SQLRETURN Retry(F&& call, HSTMT hstmtToCancel, DWORD dwSeconds)
{
    SQLRETURN r = call();
    if (r != SQL_STILL_EXECUTING)
        return r;
    typedef std::remove_reference_t<F> Fn;
    return RetryLoop(
        r, hstmtToCancel, dwSeconds, [](void* p) -> SQLRETURN { return (*static_cast<Fn*>(p))(); },
        (void*)&call);
}

} // namespace kvodbc
