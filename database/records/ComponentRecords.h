// The record classes of the component database: one recordset class per
// table, each binding its table's columns to members with the defaults of a
// new record, and the look-ups the grids, editors, main view and merge need.
//
// Every class works on a CDatabase handed to its constructor (the document's
// open connection). The opening helpers return TRUE and leave the recordset
// open on the row found, or FALSE and closed. The operations that catch
// database failures let the exception report itself in its own message box,
// delete it and return their failure value.
#pragma once

#include "database/records/ComponentColumns.h"
#include "database/records/ComponentFlags.h"
#include "platform/odbc/OZU_DB_RS.h"

#include <vector>

class OZUStatement;

// [Database Number] of the kinds of component.
enum ComponentDatabaseNumber
{
    DBNUM_PIPE = 1,               // pipes ([Flags] 0) and tapes ([Flags] 2)
    DBNUM_VALVE = 2,
    DBNUM_HYDRAULIC = 3,
    DBNUM_LATERAL_TAKE_OFF = 4,
    DBNUM_COUPLER = 6,
    DBNUM_ELBOW = 7,
    DBNUM_TEE = 8,
    DBNUM_CROSS = 9,
    DBNUM_PUMP = 11,
    DBNUM_OUTLET = 12,
    DBNUM_OUTLET_CONNECTION = 13,
    DBNUM_MISCELLANEOUS = 14,
    DBNUM_NOZZLE = 15,
    DBNUM_WIRE = 21,
    DBNUM_CONTROLLER = 22,
    DBNUM_ELECTRIC = 23,
    DBNUM_LIGHT = 24,
};

// The value a new Components record holds in [Colour1] and [Colour2] (white).
const long COMPONENT_DEFAULT_COLOUR = 16777215;
// The value a new Components record holds in [Order].
const long COMPONENT_DEFAULT_ORDER = 10000;

// The 36 columns of "Components", in table order, with the defaults of a new
// record. Shared by the Components recordset and the tape join.
struct ComponentFields
{
    ComponentFields();

    long m_nComponentKey;        // 1  [Component Key], given by the database
    long m_nOldId1;              // 2  [Old id1]
    long m_nOldId2;              // 3  [Old id2]
    long m_nOldId3;              // 4  [Old id3]
    BYTE m_nDatabaseNumber;      // 5  [Database Number]
    CString m_strDescription;    // 6  [Description]
    CString m_strWarehouseCode;  // 7  [Warehouse Code]
    CString m_strSupplierCode;   // 8  [Supplier Code]
    CString m_strUsage;          // 9  [Usage]
    CString m_strMajor1;         // 10 [Major1]
    CString m_strMinor1;         // 11 [Minor1]
    CString m_strMajor2;         // 12 [Major2]
    CString m_strMinor2;         // 13 [Minor2]
    float m_fReals1;             // 14 [Reals1]
    float m_fReals2;             // 15 [Reals2]
    float m_fReals3;             // 16 [Reals3]
    float m_fReals4;             // 17 [Reals4]
    float m_fReals5;             // 18 [Reals5]
    float m_fReals6;             // 19 [Reals6]
    float m_fReals7;             // 20 [Reals7] wholesale cost
    float m_fReals8;             // 21 [Reals8] retail price
    float m_fRextra1;            // 22 [Rextra1]
    float m_fRextra2;            // 23 [Rextra2]
    float m_fRextra3;            // 24 [Rextra3]
    float m_fRextra4;            // 25 [Rextra4]
    long m_nDocumentIndex;       // 26 [Document Index]
    long m_nLinetype;            // 27 [Linetype]
    long m_nSymbol;              // 28 [Symbol]
    float m_fSymbolSize;         // 29 [Symbol Size]
    long m_nSymbolFile;          // 30 [Symbol File]
    long m_nColour1;             // 31 [Colour1]
    long m_nColour2;             // 32 [Colour2]
    CString m_strDefaultNozzle;  // 33 [Default Nozzle]
    CString m_strItemType;       // 34 [Item Type]
    long m_nFlags;               // 35 [Flags]
    long m_nOrder;               // 36 [Order]

    static const UINT FieldCount = 36;

protected:
    // Binds the columns in order; bJoined names them "C.[...]" as the tape
    // join selects them.
    void ExchangeComponentFields(CFieldExchange* pFX, bool bJoined);
};

// The 12 columns of "Tapes", in table order. [Flow Calc Type] is empty in a
// new record and four blanks once the record is cleared for a new tape.
struct TapeFields
{
    TapeFields();

    long m_nPipeKey;             // 1  [Pipe Key]: [Component Key] of the tape
    CString m_strFlowCalcType;   // 2  [Flow Calc Type]
    float m_fTapeReals1;         // 3  [Reals1] emitter constant
    float m_fTapeReals2;         // 4  [Reals2] emitter index
    float m_fTapeReals3;         // 5  [Reals3] emitter barb factor
    float m_fTapeReals4;         // 6  [Reals4] emitter spacing
    float m_fTapeReals5;         // 7  [Reals5] default pressure
    float m_fTapeReals6;         // 8  [Reals6] specific discharge rate
    float m_fTapeRextra1;        // 9  [Rextra1] minimum pressure
    float m_fTapeRextra2;        // 10 [Rextra2] maximum pressure
    float m_fTapeRextra3;        // 11 [Rextra3] zone pressure high
    float m_fTapeRextra4;        // 12 [Rextra4] zone pressure low

    static const UINT FieldCount = 12;

protected:
    // Binds the columns in order; bJoined names them "T.[...]".
    void ExchangeTapeFields(CFieldExchange* pFX, bool bJoined);
};

// The 3 columns of "Assemblies", in table order; a new record holds zeros.
// Shared by the Assemblies recordset and the merge table.
struct AssemblyFields
{
    AssemblyFields();

    long m_nAssemblyKey;    // [Assembly Key]
    long m_nItemKey;        // [Item Key]
    float m_fNumberLength;  // [Number/Length]

    static const UINT FieldCount = 3;

protected:
    // Binds the columns in order as output columns.
    void ExchangeAssemblyFields(CFieldExchange* pFX);
};

// The 2 columns of "Nozzles", in table order; a new record holds zeros.
struct NozzleFields
{
    NozzleFields();

    long m_nEmitterKey;  // [Emitter Key]
    long m_nNozzleKey;   // [Nozzle Key]

    static const UINT FieldCount = 2;

protected:
    // Binds the columns in order as output columns.
    void ExchangeNozzleFields(CFieldExchange* pFX);
};

// The 12 columns of "PipeTable", in table order; a new record holds empty
// texts and zeros.
struct PipeTypeFields
{
    PipeTypeFields();

    CString m_strType;        // [Type]
    CString m_strGender;      // [Gender]
    CString m_strConnection;  // [Connection]
    CString m_strFitting1;    // [Fitting1]
    CString m_strFitting2;    // [Fitting2]
    CString m_strFitting3;    // [Fitting3]
    CString m_strFitting4;    // [Fitting4]
    CString m_strFitting5;    // [Fitting5]
    float m_fBendAngle;       // [Bend Angle]
    float m_fExtraAllowance;  // [Extra Allowance]
    float m_fRounding;        // [Rounding]
    float m_fRollLength;      // [Roll Length]

    static const UINT FieldCount = 12;

    // The values of a default row for a pipe type: female, connection "S",
    // the type as the first fitting and a tab and four blanks as the others,
    // rounding 1, bend angle, extra allowance and roll length 0.
    void SetDefaultsFor(const CString& type);

protected:
    // Binds the columns in order as output columns.
    void ExchangePipeTypeFields(CFieldExchange* pFX);
};

// The 7 columns of "Suppliers", in table order; a new record holds empty
// texts and zeros.
struct SupplierFields
{
    SupplierFields();

    CString m_strDescription;  // [Description]
    CString m_strCode;         // [Code]
    CString m_strBasePrice;    // [Base Price]
    float m_fMultiplierA;      // [Multiplier A]
    float m_fMultiplierB;      // [Multiplier B]
    float m_fMultiplierC;      // [Multiplier C]
    float m_fMultiplierD;      // [Multiplier D]

    static const UINT FieldCount = 7;

    // The values of a default row for a supplier code: the code as the
    // description too, base price "R", every multiplier 1.
    void SetDefaultsFor(const CString& code);

protected:
    // Binds the columns in order as output columns.
    void ExchangeSupplierFields(CFieldExchange* pFX);
};

// ---------------------------------------------------------------------------
// The base of the table classes: filter-and-requery helpers.
class CADORSBase : public CRecordset
{
    DECLARE_DYNAMIC(CADORSBase)
public:
    explicit CADORSBase(CDatabase* pDatabase);
    ~CADORSBase() override;

    // Raises the database exception for the return code, with the
    // recordset's database and the statement given (its own when null).
    [[noreturn]] void ThrowDBException(RETCODE nRetCode, HSTMT hstmt = SQL_NULL_HSTMT) override;

    // The name of the database the connection is open on ("" without one).
    virtual CString GetDatabaseName() const;

    // Sets the filter and requeries; TRUE when that worked and rows were seen.
    BOOL RequeryWithFilter(LPCSTR lpszFilter);
    // Requeries with the filter; TRUE with the first matching row current,
    // FALSE when no row matches. The filter stays on the recordset. The
    // recordset must be open.
    BOOL FindWithFilter(LPCSTR lpszFilter);
    // FALSE at the end; otherwise moves next and is TRUE unless that reached
    // the end.
    BOOL MoveNextValid();

    // TRUE when the recordset is on a row whose members hold its values.
    BOOL HasCurrentRow() const;
    // Closes the recordset when it is open, whatever state it is in.
    void CloseQuietly();

protected:
    // Opens with the default type on the filter (and, with bEmptySort, no
    // sort): TRUE and left open when a row is found, else FALSE and closed.
    // A failure reports itself.
    BOOL OpenWithFilter(const CString& strFilter, BOOL bEmptySort);
};

// Lets a caught exception report itself in its own message box and deletes it.
void ReportDatabaseException(CException* e);

// The connect string for a component database file, by its extension: a
// ".mdb" file names the ".mdb" driver, anything else the one for ".mdb" and
// ".accdb" (a file the named driver cannot read is opened by its content).
CString GetComponentConnectString(LPCSTR lpszPath);

// The key the database gave the row this connection inserted last (a new
// Components row: call it right after the Update that added the row, before
// anything else is inserted). 0 when it cannot be read.
long ReadInsertedKey(CDatabase* pDatabase);

// The keys a query selects: the first column of each of its rows, as
// numbers, in the query's order.
std::vector<long> QueryKeys(CDatabase* pDatabase, LPCTSTR lpszSQL);

// Gives an outlet nozzles: one Nozzles row for each nozzle key, in the order
// given, through one prepared statement. A failure throws; pnAdded (when
// given) holds the number of rows added before it.
void AddNozzleLinks(CDatabase* pDatabase, long nEmitterKey, const std::vector<long>& nozzleKeys,
                    size_t* pnAdded = nullptr);
// The same through the statement of kvrecords::kNozzleLinkInsert, prepared
// once by a caller that gives many outlets their nozzles.
namespace kvrecords {
extern const char kNozzleLinkInsert[];
}
void AddNozzleLinks(OZUStatement& insert, long nEmitterKey, const std::vector<long>& nozzleKeys,
                    size_t* pnAdded = nullptr);

// ---------------------------------------------------------------------------
// "Components": one row per component of every kind.
class CRecords : public CADORSBase, public ComponentFields
{
    DECLARE_DYNAMIC(CRecords)
public:
    explicit CRecords(CDatabase* pDatabase = nullptr);
    // A copy that is not open: every bound member, the field count, default
    // type, dirty-field check and database pointer, so that it can be opened
    // later on the same connection.
    CRecords(const CRecords& other);
    ~CRecords() override;

    // "[Components]"; the tape join when the filter is exactly the tape
    // filter (TapeFilter()).
    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // The filter text that switches GetDefaultSQL to the tape join.
    static CString TapeFilter();

    // Grid column 20 ([Reals7], wholesale cost) or 21 ([Reals8], retail
    // price); 0 for any other column. For an assembly, the sum over its
    // Assemblies rows of [Number/Length] times the item's own stored value.
    float GetAssemblyReal(int nColumn);
    // Only on a closed recordset: opens the items of an assembly.
    BOOL OpenAssemblyItems(long nAssemblyKey);
    // Gives the assembly the outlet bit of its first outlet item when that
    // item has it; TRUE when the assembly has an outlet item at all.
    BOOL MarkAssemblyFromItems(long nAssemblyKey);
    // Opens the component of a key (closing the recordset first when open).
    BOOL OpenByKey(long nComponentKey);
    // TRUE when the assembly has no Assemblies row.
    BOOL IsAssemblyEmpty(long nAssemblyKey);
};

// "Assemblies": the items of assemblies.
class CAssemRecords : public CADORSBase, public AssemblyFields
{
    DECLARE_DYNAMIC(CAssemRecords)
public:
    explicit CAssemRecords(CDatabase* pDatabase = nullptr);
    ~CAssemRecords() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    void Clear();
    // Only on a closed recordset: opens the rows of an assembly.
    BOOL OpenAssembly(long nAssemblyKey);
};

// "Nozzles": which nozzles an outlet can carry.
class CNozzleRecs : public CADORSBase, public NozzleFields
{
    DECLARE_DYNAMIC(CNozzleRecs)
public:
    explicit CNozzleRecs(CDatabase* pDatabase = nullptr);
    ~CNozzleRecs() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    void Clear();
    // Only on a closed recordset: deletes every Nozzles row of the outlet,
    // then closes.
    void DeleteForEmitter(long nEmitterKey);
    // Only on a closed recordset: TRUE when the outlet has a nozzle row. The
    // recordset is closed afterwards whatever the result.
    BOOL OpenForEmitter(long nEmitterKey);
};

// "Suppliers".
class CSupplierRecs : public CADORSBase, public SupplierFields
{
    DECLARE_DYNAMIC(CSupplierRecs)
public:
    explicit CSupplierRecs(CDatabase* pDatabase = nullptr);
    ~CSupplierRecs() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
};

// "Symbols".
class CSymbolRecords : public CADORSBase
{
    DECLARE_DYNAMIC(CSymbolRecords)
public:
    explicit CSymbolRecords(CDatabase* pDatabase = nullptr);
    ~CSymbolRecords() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // Makes the symbol current: by [Name] when bByName, else by [Key]. TRUE
    // at once when the current row already matches. With bUseFilter the
    // recordset is requeried with the condition (which then stays on it);
    // without, its rows are searched from the first. FALSE when none matches.
    BOOL FindSymbol(long nKey, LPCSTR lpszName, BOOL bByName, BOOL bUseFilter);

    long m_nKey;        // [Key]
    CString m_strName;  // [Name]
};

// "Tapes": the emitter values of a tape.
class CTapeExtras : public CADORSBase, public TapeFields
{
    DECLARE_DYNAMIC(CTapeExtras)
public:
    explicit CTapeExtras(CDatabase* pDatabase = nullptr);
    CTapeExtras(const CTapeExtras& other);
    // Copies the bound members, field count, default type, dirty-field check
    // and (on a closed recordset) the database pointer.
    CTapeExtras& operator=(const CTapeExtras& other);
    ~CTapeExtras() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;

    // [Pipe Key] 0, [Flow Calc Type] four blanks, the ten reals 0.
    void Clear();
    // On an open recordset: inserts a Tapes row for the pipe with the values
    // the members hold, then tells the design program that the database
    // changed. Nothing is sent when the insert fails. TRUE when the row was
    // inserted.
    BOOL AddForPipe(long nPipeKey);
    // Clear, then AddForPipe.
    BOOL CreateForPipe(long nPipeKey);
    // Opens the Tapes row of a pipe (closing the recordset first when open).
    BOOL OpenByPipeKey(long nPipeKey);
};

// "PipeTable": the pipe types and their fittings.
class CTypeRecords : public CADORSBase, public PipeTypeFields
{
    DECLARE_DYNAMIC(CTypeRecords)
public:
    explicit CTypeRecords(CDatabase* pDatabase = nullptr);
    ~CTypeRecords() override;

    CString GetDefaultSQL() override;
    void DoFieldExchange(CFieldExchange* pFX) override;
};
