#include "grids/core/ComponentPaste.h"
#include "grids/core/ComponentStore.h"
#include "database/records/ComponentTexts.h"

#include <cstdlib>
#include <memory>

namespace kvgrid {

namespace {

// The first column of the first row of a query as text; FALSE when there
// is no row.
BOOL QueryFirstValue(CDatabase* pDatabase, const CString& sql, CString& value)
{
    CRecordset rs(pDatabase);
    rs.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
    BOOL bFound = !rs.IsEOF();
    if (bFound)
        rs.GetFieldValue((short)0, value);
    rs.Close();
    return bFound;
}

// The key the last insert on the connection was given.
long InsertedKey(CDatabase* pDatabase)
{
    CString value;
    long nKey = QueryFirstValue(pDatabase, "SELECT @@IDENTITY", value) ? std::atol(value) : 0;
    if (nKey <= 0)
        AfxThrowDBException(AFX_SQL_ERROR, "The key of the component just added could not be read.");
    return nKey;
}

// Marks every bound field of a record to be written, as not null.
void WriteAllFields(CRecordset& rs)
{
    rs.SetFieldNull(nullptr, FALSE);
    rs.SetFieldDirty(nullptr, TRUE);
}

// A recordset of one table opened for adding rows only (it reads none).
template <class R>
void OpenForAdding(R& rs)
{
    if (rs.IsOpen())
        return;
    rs.m_strFilter = "1 = 0";
    rs.Open(CRecordset::dynaset, nullptr, CRecordset::appendOnly);
}

} // namespace

// The target's recordsets that add rows during one paste; closed before its
// transaction ends.
struct CComponentPaste::Writers
{
    explicit Writers(CDatabase* pTarget) : components(pTarget), tapes(pTarget), assemblies(pTarget), nozzles(pTarget)
    {
    }
    ~Writers()
    {
        components.CloseQuietly();
        tapes.CloseQuietly();
        assemblies.CloseQuietly();
        nozzles.CloseQuietly();
    }
    CRecords components;
    CTapeExtras tapes;
    CAssemRecords assemblies;
    CNozzleRecs nozzles;
};

CComponentPaste::CComponentPaste(CDatabase* pSource, CDatabase* pTarget) : m_pSource(pSource), m_pTarget(pTarget)
{
}

CComponentPaste::~CComponentPaste() = default;

CComponentPaste::Outcome CComponentPaste::Paste(long nSourceKey, BYTE nDatabaseNumber)
{
    // What this paste adds to the maps and totals goes again when it fails:
    // the rows it stood for are rolled back.
    const int nAdded = m_nAdded, nMatched = m_nMatched, nSkipped = m_nSkippedLinks;
    const size_t nTapes = m_tapesWithoutValues.size();
    m_journal.clear();
    m_symbolJournal.clear();
    Outcome outcome;
    try {
        CChangeTransaction transaction(m_pTarget);
        {
            Writers writers(m_pTarget);
            outcome.nKey = PasteOne(nSourceKey, nDatabaseNumber, writers, &outcome);
        }
        transaction.Commit();
    }
    catch (...) {
        for (long nKey : m_journal)
            m_keys.erase(nKey);
        for (long nSymbol : m_symbolJournal)
            m_symbols.erase(nSymbol);
        m_nAdded = nAdded;
        m_nMatched = nMatched;
        m_nSkippedLinks = nSkipped;
        m_tapesWithoutValues.resize(nTapes);
        throw;
    }
    return outcome;
}

long CComponentPaste::PasteOne(long nSourceKey, BYTE nDatabaseNumber, Writers& writers, Outcome* pOutcome)
{
    auto known = m_keys.find(nSourceKey);
    ComponentFields record;
    if (pOutcome != nullptr || known == m_keys.end()) {
        if (!ReadComponent(m_pSource, nSourceKey, record))
            return -1;
        if (nDatabaseNumber != 0)
            record.m_nDatabaseNumber = nDatabaseNumber;
        if (pOutcome != nullptr) {
            pOutcome->nDatabaseNumber = record.m_nDatabaseNumber;
            pOutcome->nFlags = record.m_nFlags;
            pOutcome->strDescription = record.m_strDescription;
            pOutcome->strDescription.TrimRight();
        }
    }
    if (known != m_keys.end())
        return known->second;

    // An equal component of the target stands for it.
    long nTwin = FindDuplicateComponent(m_pTarget, record.m_strDescription, record.m_strWarehouseCode,
                                        record.m_nDatabaseNumber, -1);
    if (nTwin != -1) {
        m_keys[nSourceKey] = nTwin;
        m_journal.push_back(nSourceKey);
        m_nMatched++;
        return nTwin;
    }

    // The Components row, every column but the key, which the target gives.
    OpenForAdding(writers.components);
    writers.components.AddNew();
    static_cast<ComponentFields&>(writers.components) = record;
    // Its texts as the target stores texts of its own.
    kvrecords::ComponentTextWidths(writers.components).Pad(writers.components);
    writers.components.m_nSymbolFile = MapSymbol(record.m_nSymbolFile);
    WriteAllFields(writers.components);
    writers.components.SetFieldDirty(&writers.components.m_nComponentKey, FALSE);
    writers.components.SetFieldNull(&writers.components.m_nComponentKey, TRUE);
    writers.components.Update();
    const long nNewKey = InsertedKey(m_pTarget);
    // Known before its items: an assembly that holds itself, at any depth,
    // names the new key.
    m_keys[nSourceKey] = nNewKey;
    m_journal.push_back(nSourceKey);
    m_nAdded++;
    if (pOutcome != nullptr)
        pOutcome->bAdded = TRUE;

    CString sql;
    // A tape's Tapes row; one with empty values when the source has none,
    // so that the tape shows among the tapes.
    if (record.m_nDatabaseNumber == DBNUM_PIPE && (record.m_nFlags & COMPONENT_FLAG_TAPE) != 0) {
        TapeFields values;
        CTapeExtras source(m_pSource);
        sql.Format("SELECT * FROM Tapes WHERE [Pipe Key] = %ld", nSourceKey);
        source.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
        if (!source.IsEOF())
            values = source;
        else
            m_tapesWithoutValues.push_back(CString(record.m_strDescription).TrimRight());
        source.Close();
        OpenForAdding(writers.tapes);
        writers.tapes.AddNew();
        static_cast<TapeFields&>(writers.tapes) = values;
        writers.tapes.m_nPipeKey = nNewKey;
        WriteAllFields(writers.tapes);
        writers.tapes.Update();
    }

    // The items of an assembly, in their order.
    if ((record.m_nFlags & COMPONENT_FLAG_ASSEMBLY) != 0) {
        std::vector<AssemblyFields> items;
        CAssemRecords source(m_pSource);
        sql.Format("SELECT * FROM Assemblies WHERE [Assembly Key] = %ld", nSourceKey);
        source.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
        for (; !source.IsEOF(); source.MoveNext())
            items.push_back(source);
        source.Close();
        for (const AssemblyFields& item : items) {
            long nItemKey = PasteOne(item.m_nItemKey, 0, writers, nullptr);
            if (nItemKey == -1) {
                // The row names a component the source no longer has.
                m_nSkippedLinks++;
                continue;
            }
            OpenForAdding(writers.assemblies);
            writers.assemblies.AddNew();
            writers.assemblies.m_nAssemblyKey = nNewKey;
            writers.assemblies.m_nItemKey = nItemKey;
            writers.assemblies.m_fNumberLength = item.m_fNumberLength;
            WriteAllFields(writers.assemblies);
            writers.assemblies.Update();
        }
    }

    // The nozzles an outlet can carry, in their order.
    if (record.m_nDatabaseNumber == DBNUM_OUTLET) {
        std::vector<long> nozzles;
        CNozzleRecs source(m_pSource);
        sql.Format("SELECT * FROM Nozzles WHERE [Emitter Key] = %ld", nSourceKey);
        source.Open(CRecordset::forwardOnly, sql, CRecordset::readOnly);
        for (; !source.IsEOF(); source.MoveNext())
            nozzles.push_back(source.m_nNozzleKey);
        source.Close();
        for (long nNozzle : nozzles) {
            long nNozzleKey = PasteOne(nNozzle, 0, writers, nullptr);
            if (nNozzleKey == -1) {
                m_nSkippedLinks++;
                continue;
            }
            OpenForAdding(writers.nozzles);
            writers.nozzles.AddNew();
            writers.nozzles.m_nEmitterKey = nNewKey;
            writers.nozzles.m_nNozzleKey = nNozzleKey;
            WriteAllFields(writers.nozzles);
            writers.nozzles.Update();
        }
    }
    return nNewKey;
}

long CComponentPaste::MapSymbol(long nSourceSymbol)
{
    if (nSourceSymbol <= 0)
        return nSourceSymbol;
    auto it = m_symbols.find(nSourceSymbol);
    if (it != m_symbols.end())
        return it->second;
    // The symbol is known by its name: the target's symbol of that name, or
    // a new one of the target's. A key the source does not name stays.
    CString sql, name, value;
    sql.Format("SELECT [Name] FROM Symbols WHERE [Key] = %ld", nSourceSymbol);
    if (!QueryFirstValue(m_pSource, sql, name))
        return nSourceSymbol;
    long nTarget = 0;
    sql.Format("SELECT [Key] FROM Symbols WHERE [Name] = '%s' ORDER BY [Key]", (LPCTSTR)QuoteSqlString(name));
    if (QueryFirstValue(m_pTarget, sql, value)) {
        nTarget = std::atol(value);
    }
    else {
        nTarget = QueryFirstValue(m_pTarget, "SELECT MAX([Key]) FROM Symbols", value) ? std::atol(value) + 1 : 1;
        if (nTarget < 1)
            nTarget = 1;
        sql.Format("INSERT INTO Symbols ([Key], [Name]) VALUES (%ld, '%s')", nTarget, (LPCTSTR)QuoteSqlString(name));
        m_pTarget->ExecuteSQL(sql);
    }
    m_symbols[nSourceSymbol] = nTarget;
    m_symbolJournal.push_back(nSourceSymbol);
    return nTarget;
}

} // namespace kvgrid
