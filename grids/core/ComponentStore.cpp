#include "grids/core/ComponentStore.h"
#include "platform/odbc/ODBCValueText.h"
#include "database/records/ComponentTexts.h"
#include "grids/core/CellText.h"
#include "grids/core/GridsCoreRes.h"

#include <cstdlib>
#include <map>
#include <set>

namespace kvgrid {

namespace {

CString Sql(LPCSTR lpszFormat, long n)
{
    CString sql;
    sql.Format(lpszFormat, n);
    return sql;
}

CString Sql(LPCSTR lpszFormat, long n1, long n2)
{
    CString sql;
    sql.Format(lpszFormat, n1, n2);
    return sql;
}

bool IsEmpty(CRecordset& rs)
{
    return rs.IsBOF() && rs.IsEOF();
}

// Key and description of the components a query selects.
std::vector<ComponentName> QueryNames(CDatabase* pDatabase, const CString& sql)
{
    std::vector<ComponentName> names;
    CRecords rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
    while (!rs.IsEOF())
    {
        ComponentName name;
        name.nKey = rs.m_nComponentKey;
        name.strDescription = rs.m_strDescription;
        name.strDescription.TrimRight();
        names.push_back(name);
        rs.MoveNext();
    }
    rs.Close();
    return names;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Transactions

CChangeTransaction::CChangeTransaction(CDatabase* pDatabase) : m_pDatabase(pDatabase), m_bOpen(FALSE)
{
    if (pDatabase == nullptr || !pDatabase->CanTransact())
        return;
    // A change that could not be undone is not begun.
    if (!pDatabase->BeginTrans()) {
        CString message;
        message.Format(IDS_CHANGE_NOT_BEGUN, (LPCSTR)pDatabase->GetTransactionError());
        AfxThrowDBException(AFX_SQL_ERROR, message);
    }
    m_bOpen = TRUE;
}

CChangeTransaction::~CChangeTransaction()
{
    if (m_bOpen)
        m_pDatabase->Rollback();
}

void CChangeTransaction::Commit()
{
    if (!m_bOpen)
        return;
    m_bOpen = FALSE;
    // A refused commit has undone the whole change.
    if (!m_pDatabase->CommitTrans()) {
        CString message;
        message.Format(IDS_CHANGES_NOT_SAVED, (LPCSTR)m_pDatabase->GetTransactionError());
        AfxThrowDBException(AFX_SQL_ERROR, message);
    }
}

/////////////////////////////////////////////////////////////////////////////
// Column texts

CString ComponentColumnText(const ComponentFields& r, int nColumn)
{
    const void* const values[ComponentFields::FieldCount] = {
        &r.m_nComponentKey, &r.m_nOldId1,      &r.m_nOldId2,        &r.m_nOldId3,        &r.m_nDatabaseNumber,
        &r.m_strDescription, &r.m_strWarehouseCode, &r.m_strSupplierCode, &r.m_strUsage,  &r.m_strMajor1,
        &r.m_strMinor1,     &r.m_strMajor2,    &r.m_strMinor2,      &r.m_fReals1,        &r.m_fReals2,
        &r.m_fReals3,       &r.m_fReals4,      &r.m_fReals5,        &r.m_fReals6,        &r.m_fReals7,
        &r.m_fReals8,       &r.m_fRextra1,     &r.m_fRextra2,       &r.m_fRextra3,       &r.m_fRextra4,
        &r.m_nDocumentIndex, &r.m_nLinetype,   &r.m_nSymbol,        &r.m_fSymbolSize,    &r.m_nSymbolFile,
        &r.m_nColour1,      &r.m_nColour2,     &r.m_strDefaultNozzle, &r.m_strItemType,  &r.m_nFlags,
        &r.m_nOrder,
    };
    const int L = AFX_RFX_LONG, B = AFX_RFX_BYTE, T = AFX_RFX_TEXT, S = AFX_RFX_SINGLE;
    static const int kinds[ComponentFields::FieldCount] = {
        L, L, L, L, B, T, T, T, T, T, T, T, T, S, S, S, S, S, S,
        S, S, S, S, S, S, L, L, L, S, L, L, L, T, T, L, L,
    };
    if (nColumn < 1 || nColumn > (int)ComponentFields::FieldCount)
        return CString();
    return kvodbc::ValueToText(kinds[nColumn - 1], values[nColumn - 1]);
}

CString TapeColumnText(const TapeFields& t, int nColumn)
{
    const void* const values[TapeFields::FieldCount] = {
        &t.m_nPipeKey,     &t.m_strFlowCalcType, &t.m_fTapeReals1,  &t.m_fTapeReals2,
        &t.m_fTapeReals3,  &t.m_fTapeReals4,     &t.m_fTapeReals5,  &t.m_fTapeReals6,
        &t.m_fTapeRextra1, &t.m_fTapeRextra2,    &t.m_fTapeRextra3, &t.m_fTapeRextra4,
    };
    if (nColumn < 1 || nColumn > (int)TapeFields::FieldCount)
        return CString();
    int kind = nColumn == 1 ? AFX_RFX_LONG : nColumn == 2 ? AFX_RFX_TEXT : AFX_RFX_SINGLE;
    return kvodbc::ValueToText(kind, values[nColumn - 1]);
}

/////////////////////////////////////////////////////////////////////////////
// Finding components

long FindDuplicateComponent(CDatabase* pDatabase, const CString& description, const CString& warehouseCode,
                            long nDatabaseNumber, long nExcludeKey)
{
    // Texts are compared without their trailing blanks: the grid stores them
    // padded to the column's width, other programs may not.
    CString desc = description, code = warehouseCode;
    desc.TrimRight(' ');
    code.TrimRight(' ');
    CString sql;
    sql.Format("SELECT [Component Key] FROM Components WHERE RTRIM([Description]) = '%s' AND "
               "RTRIM([Warehouse Code]) = '%s' AND [Database Number] = %ld",
               (LPCTSTR)QuoteSqlString(desc), (LPCTSTR)QuoteSqlString(code), nDatabaseNumber);
    if (nExcludeKey != -1)
        sql.AppendFormat(" AND [Component Key] <> %ld", nExcludeKey);
    std::vector<long> keys = QueryKeys(pDatabase, sql);
    return keys.empty() ? -1 : keys.back();
}

BOOL ReadComponent(CDatabase* pDatabase, long nKey, ComponentFields& record)
{
    CRecords rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, Sql("SELECT * FROM Components WHERE [Component Key] = %ld", nKey),
            CRecordset::readOnly);
    BOOL bFound = !rs.IsEOF();
    if (bFound)
        record = static_cast<ComponentFields&>(rs);
    rs.Close();
    return bFound;
}

/////////////////////////////////////////////////////////////////////////////
// Store by key

ComponentStoreResult StoreComponentByKey(CDatabase* pDatabase, const ComponentFields& record,
                                         const TapeFields& tape, BOOL bTestDuplicate)
{
    ComponentStoreResult result;
    CChangeTransaction transaction(pDatabase);
    CRecords rs(pDatabase);
    rs.Open(CRecordset::dynaset, Sql("SELECT * FROM Components WHERE [Component Key] = %ld", record.m_nComponentKey),
            CRecordset::none);
    const BOOL bExisted = !IsEmpty(rs);
    if (bTestDuplicate &&
        FindDuplicateComponent(pDatabase, record.m_strDescription, record.m_strWarehouseCode,
                               record.m_nDatabaseNumber, bExisted ? record.m_nComponentKey : -1) != -1)
    {
        rs.Close();
        return result;
    }
    long nKey = record.m_nComponentKey;
    long nOrder = COMPONENT_DEFAULT_ORDER;
    if (bExisted)
    {
        nOrder = rs.m_nOrder;
        rs.Edit();
    }
    else
    {
        rs.Close();
        rs.m_strFilter.Empty();
        rs.m_strSort.Empty();
        rs.Open(AFX_DB_USE_DEFAULT_TYPE, nullptr, CRecordset::none);
        rs.AddNew();
    }
    static_cast<ComponentFields&>(rs) = record;
    kvrecords::ComponentTextWidths(rs).Pad(rs);
    // The key is never written; an existing row keeps its place in the order.
    rs.m_nComponentKey = nKey;
    rs.m_nOrder = nOrder;
    rs.SetFieldNull(nullptr, FALSE);
    rs.SetFieldDirty(nullptr, TRUE);
    rs.SetFieldDirty(&rs.m_nComponentKey, FALSE);
    if (!bExisted)
        rs.SetFieldNull(&rs.m_nComponentKey, TRUE);
    rs.Update();
    rs.Close();
    if (!bExisted)
    {
        nKey = ReadInsertedKey(pDatabase);
        if (nKey <= 0)
            AfxThrowDBException(AFX_SQL_ERROR, "The key of the new component could not be read.");
    }

    BOOL bTapesFound = FALSE;
    if (record.m_nDatabaseNumber == DBNUM_PIPE && (record.m_nFlags & COMPONENT_FLAG_TAPE) != 0)
    {
        CTapeExtras tapes(pDatabase);
        tapes.Open(CRecordset::dynaset, Sql("SELECT * FROM Tapes WHERE [Pipe Key] = %ld", nKey), CRecordset::none);
        bTapesFound = !IsEmpty(tapes);
        if (bTapesFound)
        {
            tapes.Edit();
        }
        else
        {
            tapes.Close();
            tapes.Open(CRecordset::dynaset, "SELECT * FROM Tapes", CRecordset::none);
            tapes.AddNew();
        }
        static_cast<TapeFields&>(tapes) = tape;
        tapes.m_nPipeKey = nKey;
        tapes.SetFieldNull(nullptr, FALSE);
        tapes.SetFieldDirty(nullptr, TRUE);
        tapes.Update();
        tapes.Close();
    }
    transaction.Commit();

    result.outcome = bExisted ? ComponentStoreResult::updated : ComponentStoreResult::added;
    result.nKey = nKey;
    result.bAnnounce = !bExisted || (record.m_nDatabaseNumber == DBNUM_PIPE && !bTapesFound);
    return result;
}

/////////////////////////////////////////////////////////////////////////////
// Rows that follow a copied component

int CopyAssemblyRows(CDatabase* pDatabase, long nFromKey, long nToKey)
{
    std::vector<AssemblyFields> rows;
    {
        CAssemRecords source(pDatabase);
        source.Open(CRecordset::forwardOnly, Sql("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld", nFromKey),
                    CRecordset::readOnly);
        for (; !source.IsEOF(); source.MoveNext())
            rows.push_back(source);
        source.Close();
    }
    if (rows.empty())
        return 0;
    CChangeTransaction transaction(pDatabase);
    CAssemRecords target(pDatabase);
    target.Open(CRecordset::dynaset, "SELECT * FROM Assemblies", CRecordset::none);
    for (const AssemblyFields& row : rows)
    {
        target.AddNew();
        target.Clear();
        target.m_nAssemblyKey = nToKey;
        target.m_nItemKey = row.m_nItemKey;
        target.m_fNumberLength = row.m_fNumberLength;
        target.SetFieldNull(nullptr, FALSE);
        target.SetFieldDirty(nullptr, TRUE);
        target.Update();
    }
    target.Close();
    transaction.Commit();
    return (int)rows.size();
}

int CopyNozzleRows(CDatabase* pDatabase, long nFromKey, long nToKey)
{
    std::vector<long> nozzles =
        QueryKeys(pDatabase, Sql("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld", nFromKey));
    if (nozzles.empty())
        return 0;
    CChangeTransaction transaction(pDatabase);
    AddNozzleLinks(pDatabase, nToKey, nozzles);
    transaction.Commit();
    return (int)nozzles.size();
}

/////////////////////////////////////////////////////////////////////////////
// Users of a component

std::vector<ComponentName> FindHoldingAssemblies(CDatabase* pDatabase, long nKey)
{
    return QueryNames(pDatabase, Sql("SELECT * FROM Components WHERE [Component Key] IN "
                                     "(SELECT [Assembly Key] FROM Assemblies WHERE [Item Key] = %ld)",
                                     nKey));
}

std::vector<ComponentName> FindOutletsUsingNozzle(CDatabase* pDatabase, long nNozzleKey)
{
    return QueryNames(pDatabase, Sql("SELECT * FROM Components WHERE [Component Key] IN "
                                     "(SELECT [Emitter Key] FROM Nozzles WHERE [Nozzle Key] = %ld)",
                                     nNozzleKey));
}

/////////////////////////////////////////////////////////////////////////////
// Assemblies and nozzles

BOOL AssemblyContains(CDatabase* pDatabase, long nAssemblyKey, long nKey)
{
    std::multimap<long, long> items;
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, "SELECT [Assembly Key], [Item Key] FROM Assemblies", CRecordset::readOnly);
    while (!rs.IsEOF())
    {
        CString assembly, item;
        rs.GetFieldValue((short)0, assembly);
        rs.GetFieldValue((short)1, item);
        items.emplace(std::atol(assembly), std::atol(item));
        rs.MoveNext();
    }
    rs.Close();
    // Every component reachable from the assembly through item rows, each
    // looked at once (the rows may already hold a loop).
    std::set<long> seen{ nAssemblyKey };
    std::vector<long> todo{ nAssemblyKey };
    while (!todo.empty())
    {
        long key = todo.back();
        todo.pop_back();
        auto range = items.equal_range(key);
        for (auto it = range.first; it != range.second; ++it)
        {
            if (it->second == nKey)
                return TRUE;
            if (seen.insert(it->second).second)
                todo.push_back(it->second);
        }
    }
    return FALSE;
}

int CountAssemblyEmitters(CDatabase* pDatabase, long nAssemblyKey, long nExcludeKey)
{
    CString sql;
    sql.Format("SELECT [Component Key] FROM Components WHERE [Database Number] = %d AND [Component Key] IN "
               "(SELECT [Item Key] FROM Assemblies WHERE [Assembly Key] = %ld) AND [Component Key] <> %ld",
               (int)DBNUM_OUTLET, nAssemblyKey, nExcludeKey);
    return (int)QueryKeys(pDatabase, sql).size();
}

BOOL FindAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float& fQuantity)
{
    CAssemRecords rs(pDatabase);
    rs.Open(CRecordset::forwardOnly,
            Sql("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld AND [Item Key] = %ld", nAssemblyKey, nItemKey),
            CRecordset::readOnly);
    BOOL bFound = !rs.IsEOF();
    if (bFound)
        fQuantity = rs.m_fNumberLength;
    rs.Close();
    return bFound;
}

void StoreAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float fQuantity)
{
    CAssemRecords rs(pDatabase);
    rs.Open(CRecordset::dynaset,
            Sql("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld AND [Item Key] = %ld", nAssemblyKey, nItemKey),
            CRecordset::none);
    if (!IsEmpty(rs))
    {
        rs.Edit();
    }
    else
    {
        rs.Close();
        rs.Open(CRecordset::dynaset, "SELECT * FROM Assemblies", CRecordset::none);
        rs.AddNew();
        rs.Clear();
        rs.m_nAssemblyKey = nAssemblyKey;
        rs.m_nItemKey = nItemKey;
        rs.SetFieldNull(nullptr, FALSE);
        rs.SetFieldDirty(nullptr, TRUE);
    }
    rs.m_fNumberLength = fQuantity;
    rs.SetFieldNull(&rs.m_fNumberLength, FALSE);
    rs.SetFieldDirty(&rs.m_fNumberLength, TRUE);
    rs.Update();
    rs.Close();
}

BOOL AddNozzleToOutlet(CDatabase* pDatabase, long nEmitterKey, long nNozzleKey)
{
    ComponentFields nozzle;
    if (!ReadComponent(pDatabase, nNozzleKey, nozzle))
        return FALSE;
    CString pair = Sql("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld AND [Nozzle Key] = %ld",
                       nEmitterKey, nNozzleKey);
    if (!QueryKeys(pDatabase, pair).empty())
        return FALSE;

    CChangeTransaction transaction(pDatabase);
    CRecords outlet(pDatabase);
    outlet.Open(CRecordset::dynaset, Sql("SELECT * FROM Components WHERE [Component Key] = %ld", nEmitterKey),
                CRecordset::none);
    if (IsEmpty(outlet))
    {
        outlet.Close();
        return FALSE;
    }
    AddNozzleLinks(pDatabase, nEmitterKey, { nNozzleKey });

    CString defaultNozzle = outlet.m_strDefaultNozzle;
    defaultNozzle.TrimRight();
    const BOOL bNoDefault = defaultNozzle.IsEmpty();
    if (bNoDefault || (outlet.m_nFlags & COMPONENT_FLAG_HAS_NOZZLES) == 0)
    {
        outlet.Edit();
        if (bNoDefault)
        {
            CString description = nozzle.m_strDescription;
            description.TrimRight();
            outlet.m_strDefaultNozzle = kvrecords::PadToLength(description, 10);
        }
        outlet.m_nFlags |= COMPONENT_FLAG_HAS_NOZZLES;
        for (void* pv : { (void*)&outlet.m_strDefaultNozzle, (void*)&outlet.m_nFlags })
        {
            outlet.SetFieldNull(pv, FALSE);
            outlet.SetFieldDirty(pv, TRUE);
        }
        outlet.Update();
    }
    outlet.Close();
    transaction.Commit();
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Delete

void DeleteComponents(CDatabase* pDatabase, const std::vector<long>& keys)
{
    if (keys.empty())
        return;
    CChangeTransaction transaction(pDatabase);
    for (long nKey : keys)
    {
        pDatabase->ExecuteSQL(Sql("DELETE FROM Assemblies WHERE [Item Key] = %ld OR [Assembly Key] = %ld", nKey, nKey));
        // The outlets that list a deleted nozzle keep their rows: their
        // nozzle lists show it as deleted, so that the user sees which
        // outlets lost one.
        pDatabase->ExecuteSQL(Sql("DELETE FROM Nozzles WHERE [Emitter Key] = %ld", nKey));
        pDatabase->ExecuteSQL(Sql("DELETE FROM Tapes WHERE [Pipe Key] = %ld", nKey));
        pDatabase->ExecuteSQL(Sql("DELETE FROM Components WHERE [Component Key] = %ld", nKey));
    }
    transaction.Commit();
}

/////////////////////////////////////////////////////////////////////////////
// Side grids

namespace {

SideGridRow MakeSideGridRow(const ComponentFields& component)
{
    SideGridRow row;
    row.nKey = component.m_nComponentKey;
    row.bExists = TRUE;
    row.nDatabaseNumber = component.m_nDatabaseNumber;
    row.strDescription = component.m_strDescription;
    row.strWarehouseCode = component.m_strWarehouseCode;
    row.strSupplierCode = component.m_strSupplierCode;
    row.strUsage = component.m_strUsage;
    for (CString* text : { &row.strDescription, &row.strWarehouseCode, &row.strSupplierCode, &row.strUsage })
        text->TrimRight();
    return row;
}

// The rows of the components a query selects, in its order.
std::vector<SideGridRow> QueryRows(CDatabase* pDatabase, const CString& sql)
{
    std::vector<SideGridRow> rows;
    CRecords rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
    for (; !rs.IsEOF(); rs.MoveNext())
        rows.push_back(MakeSideGridRow(rs));
    rs.Close();
    return rows;
}

// A row for each linked key, in the order given, from the components the
// query selects (a key with no component gives a row that does not exist).
std::vector<SideGridRow> RowsOfKeys(CDatabase* pDatabase, const std::vector<long>& keys, const CString& sql)
{
    std::map<long, SideGridRow> components;
    if (!keys.empty())
        for (SideGridRow& row : QueryRows(pDatabase, sql))
            components.emplace(row.nKey, std::move(row));
    std::vector<SideGridRow> rows;
    rows.reserve(keys.size());
    for (long nKey : keys)
    {
        auto it = components.find(nKey);
        if (it != components.end())
        {
            rows.push_back(it->second);
        }
        else
        {
            SideGridRow missing;
            missing.nKey = nKey;
            rows.push_back(missing);
        }
    }
    return rows;
}

} // namespace

std::vector<SideGridRow> ReadAssemblyItems(CDatabase* pDatabase, long nAssemblyKey)
{
    std::vector<long> keys;
    std::vector<float> quantities;
    {
        CAssemRecords items(pDatabase);
        items.Open(CRecordset::forwardOnly,
                   Sql("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld", nAssemblyKey), CRecordset::readOnly);
        for (; !items.IsEOF(); items.MoveNext())
        {
            keys.push_back(items.m_nItemKey);
            quantities.push_back(items.m_fNumberLength);
        }
        items.Close();
    }
    std::vector<SideGridRow> rows =
        RowsOfKeys(pDatabase, keys,
                   Sql("SELECT * FROM Components WHERE [Component Key] IN "
                       "(SELECT [Item Key] FROM Assemblies WHERE [Assembly Key] = %ld)",
                       nAssemblyKey));
    for (size_t i = 0; i < rows.size(); i++)
        rows[i].fQuantity = quantities[i];
    return rows;
}

std::vector<SideGridRow> ReadOutletNozzles(CDatabase* pDatabase, long nEmitterKey)
{
    return RowsOfKeys(pDatabase,
                      QueryKeys(pDatabase, Sql("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld", nEmitterKey)),
                      Sql("SELECT * FROM Components WHERE [Component Key] IN "
                          "(SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld)",
                          nEmitterKey));
}

std::vector<SideGridRow> ReadNozzleOutlets(CDatabase* pDatabase, long nNozzleKey, const CString& strSort)
{
    CString sql = Sql("SELECT * FROM Components WHERE [Component Key] IN "
                      "(SELECT [Emitter Key] FROM Nozzles WHERE [Nozzle Key] = %ld)",
                      nNozzleKey);
    if (!strSort.IsEmpty())
        sql += " ORDER BY " + strSort;
    return QueryRows(pDatabase, sql);
}

BOOL RemoveAssemblyItem(CDatabase* pDatabase, long nAssemblyKey, long nItemKey, float fQuantity)
{
    CAssemRecords rs(pDatabase);
    rs.Open(CRecordset::dynaset,
            Sql("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld AND [Item Key] = %ld", nAssemblyKey, nItemKey),
            CRecordset::none);
    BOOL bDeleted = FALSE;
    for (; !rs.IsEOF(); rs.MoveNext())
    {
        if (rs.m_fNumberLength == fQuantity)
        {
            rs.Delete();
            bDeleted = TRUE;
            break;
        }
    }
    rs.Close();
    return bDeleted;
}

int RemoveNozzleLinks(CDatabase* pDatabase, long nEmitterKey, long nNozzleKey)
{
    CNozzleRecs rs(pDatabase);
    rs.Open(CRecordset::dynaset,
            Sql("SELECT * FROM Nozzles WHERE [Emitter Key] = %ld AND [Nozzle Key] = %ld", nEmitterKey, nNozzleKey),
            CRecordset::none);
    int nDeleted = 0;
    for (; !rs.IsEOF(); rs.MoveNext())
    {
        rs.Delete();
        nDeleted++;
    }
    rs.Close();
    return nDeleted;
}

BOOL ClearNozzleFlagWhenNone(CDatabase* pDatabase, long nEmitterKey)
{
    if (!QueryKeys(pDatabase, Sql("SELECT [Nozzle Key] FROM Nozzles WHERE [Emitter Key] = %ld", nEmitterKey)).empty())
        return FALSE;
    CRecords outlet(pDatabase);
    outlet.Open(CRecordset::dynaset, Sql("SELECT * FROM Components WHERE [Component Key] = %ld", nEmitterKey),
                CRecordset::none);
    BOOL bCleared = FALSE;
    if (!IsEmpty(outlet) && (outlet.m_nFlags & COMPONENT_FLAG_HAS_NOZZLES) != 0)
    {
        outlet.Edit();
        outlet.m_nFlags &= ~(long)COMPONENT_FLAG_HAS_NOZZLES;
        outlet.SetFieldDirty(&outlet.m_nFlags, TRUE);
        outlet.Update();
        bCleared = TRUE;
    }
    outlet.Close();
    return bCleared;
}

} // namespace kvgrid
