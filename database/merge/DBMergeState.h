// The state of a merge while it runs (not for other code): the target's
// components by their match key, the source's rows read by key, and the
// transaction the merge writes in.
#pragma once

#include "database/merge/DBDatabase.h"
#include "platform/odbc/OZUStatement.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The text of a failure, for the report and the messages.
CString DBExceptionText(CException* e);

// A source table read by one key column through one prepared query: the
// rows of a key, forward only.
template <class Table>
class DBRowsByKey : public Table
{
public:
    DBRowsByKey(DBDatabase* pDatabase, LPCSTR lpszKeyColumn) : Table(pDatabase)
    {
        this->m_nParams = 1;
        this->m_strFilter = CString(lpszKeyColumn) + " = ?";
    }
    // Reads the rows of the key; TRUE when there is one.
    BOOL Find(long nKey)
    {
        m_nKey = nKey;
        if (this->IsOpen())
            this->Requery();
        else
            this->Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        return !this->IsEOF();
    }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        Table::DoFieldExchange(pFX);
        pFX->SetFieldType(CFieldExchange::param);
        RFX_Long(pFX, "Key", m_nKey);
    }

private:
    long m_nKey = 0;
};

// The rows of a source table by the key they hang off, its table read whole,
// forward, at the first lookup: a table of a few values a row, looked up once
// for each component that has rows in it. A read that fails keeps nothing,
// and the next lookup reads again.
template <class Table, class Value>
class DBSourceRows
{
public:
    // The value kept for nKey, null when there is none. keep(row, rows)
    // takes one row read into the map.
    template <class Keep>
    const Value* Find(DBDatabase* pSource, long nKey, const Keep& keep)
    {
        if (!m_bRead) {
            std::unordered_map<long, Value> rows;
            Table table(pSource);
            table.Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
            for (; !table.IsEOF(); table.MoveNext())
                keep(table, rows);
            table.Close();
            m_rows.swap(rows);
            m_bRead = true;
        }
        auto found = m_rows.find(nKey);
        return found == m_rows.end() ? nullptr : &found->second;
    }

private:
    bool m_bRead = false;
    std::unordered_map<long, Value> m_rows;
};

// The values of one row of a merge table, kept after its recordset has
// moved on: each bound field's kind, its value, and whether it is null.
class DBRowValues
{
public:
    explicit DBRowValues(DBRecordBase& row);

    struct Field
    {
        int nKind = 0;
        long nLong = 0;
        BYTE nByte = 0;
        float fSingle = 0;
        CString strText;
        bool bNull = false;
        const void* Address() const;
    };
    std::vector<Field> fields;
};

// An INSERT, prepared once per merge, that copies rows into the table of a
// merge table class: every column the class binds but the one whose value
// the database gives a new row (DBRecordBase::GetAssignedKey), each value
// set from a recordset of the class (on either connection) before it runs.
class DBRowInsert
{
public:
    DBRowInsert(DBDatabase* pDatabase, DBRecordBase& table);

    // Every value from the current row of `row`, a recordset of the table's
    // class: null where its field is null.
    void SetValues(DBRecordBase& row);
    // Every value of a row kept before.
    void SetValues(const DBRowValues& row);
    // One value, not null (nField: the field's 0-based place in the class).
    void SetLong(int nField, long nValue);
    void SetText(int nField, const CString& strValue);
    // Writes the row.
    void Execute();

private:
    // The statement's text, and for each field its parameter (1-based; 0
    // for the field left out).
    static CString BuildSQL(DBRecordBase& table, std::vector<int>& params);
    // The parameter of a field; 0 for one the statement leaves out.
    int ParamOf(int nField) const;
    // One value of the field's kind (pv: a long, BYTE, float or CString).
    void SetValue(int nParam, int nKind, const void* pv, bool bNull);

    DBDatabase* m_pDatabase;
    std::vector<int> m_params;
    OZUStatement m_statement;
};

// The key the database gave the row this connection inserted last, read
// the way ReadInsertedKey reads it ("SELECT @@IDENTITY"), through one
// prepared query.
class DBInsertedKey : public CRecordset
{
public:
    explicit DBInsertedKey(CDatabase* pDatabase) : CRecordset(pDatabase) { m_nFields = 1; }
    CString GetDefaultSQL() override { return "SELECT @@IDENTITY"; }
    void DoFieldExchange(CFieldExchange* pFX) override
    {
        pFX->SetFieldType(CFieldExchange::outputColumn);
        RFX_Long(pFX, "Key", m_nKey);
    }
    // The key; 0 when the database gives none.
    long Read()
    {
        if (IsOpen())
            Requery();
        else
            Open(CRecordset::forwardOnly, nullptr, CRecordset::readOnly);
        return IsEOF() || IsFieldNull(&m_nKey) ? 0 : m_nKey;
    }

private:
    long m_nKey = 0;
};

struct DBDatabase::MergeState
{
    // How a unit is made all or nothing: a savepoint inside the merge's
    // transaction (SQLite), a transaction of its own (other drivers that
    // have them), or by removing what it added (none).
    enum UnitMode
    {
        unitSavepoint,
        unitTransaction,
        unitByHand,
    };
    UnitMode mode = unitByHand;

    // Target components: match key -> the lowest key with it.
    std::unordered_map<std::string, long> index;
    // Changes of the index since the unit began, to undo them with it.
    struct IndexChange
    {
        std::string key;
        long previous;  // 0: there was none
    };
    std::vector<IndexChange> indexLog;
    bool logIndex = false;

    // The source's rows by key; components one recordset per depth of
    // nesting (an item's own items are read while the item is current).
    std::vector<std::unique_ptr<DBRowsByKey<DBComponentTable>>> components;
    // The source's first tape row of each pipe, its nozzle keys by emitter
    // and assembly rows by assembly, each in the source's order: their
    // tables (a few values a row) are read whole at their first use, rather
    // than with a query for each tape, emitter and assembly.
    DBSourceRows<DBTapeTable, DBRowValues> tapes;
    DBSourceRows<DBNozzleTable, std::vector<long>> nozzles;
    DBSourceRows<DBAssemblyTable, std::vector<DBAssemblyItem>> items;
    size_t depth = 0;

    // The statements the merge runs for every row (the transaction and
    // savepoint statements, the inserts), each prepared once: by their SQL,
    // the row inserts by their table.
    std::map<std::string, std::unique_ptr<OZUStatement>> statements;
    std::map<std::string, std::unique_ptr<DBRowInsert>> inserts;
    std::unique_ptr<DBInsertedKey> insertedKey;

    // The unit's savepoint, opened at the unit's first write (a unit that
    // only finds its match writes nothing and needs none): due from the
    // unit's start, open once made.
    bool unitSavepointDue = false;
    bool unitSavepointOpen = false;
    // A unit that writes one row at most, with one statement, needs no
    // savepoint: SQLite undoes a statement that fails by itself. Once the
    // unit has written (unitWritten), what it wrote can only be undone
    // with the whole transaction.
    bool unitOneWrite = false;
    bool unitWritten = false;

    // The open transaction: since when, the number of added components
    // noted before it, and the first unit in it (from there on nothing is
    // merged when it has to be undone).
    bool inBatch = false;
    ULONGLONG batchStart = 0;
    size_t batchAdded = 0;
    CString batchFirst;
};
