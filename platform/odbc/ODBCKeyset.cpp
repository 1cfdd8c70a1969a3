// Dynasets on a driver without keyset-driven cursors: the recordset keeps
// the keys of its rows itself.
//
// At open (and Requery) the key of every table of the result is read, in
// the set's order: membership is then fixed. On SQLite a set with an order
// counts its rows and reads the keys a page at a time as it moves (all of
// them before the connection writes), so that opening a large set costs what
// its first page costs; its order then ends with the keys, so that pages
// follow each other exactly. Moving fetches the rows
// around the target by key, a window at a time, with one prepared statement
// ("... WHERE key IN (?, ?, ...)"), and keeps their bound buffers; a row
// that is no longer in the database reads as deleted. The window is read
// again after any write on the connection, so a changed row is read again
// when moved to. Writes go by key: UPDATE/DELETE ... WHERE key = ?, and
// INSERT, whose new key is read back on the same connection and appended to
// the set.
#include "platform/odbc/ODBCInternal.h"
#include "platform/odbc/ODBCValueText.h"
#include "platform/odbc/SqlTranslate.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <unordered_map>

namespace {

// Keys read when a paged set opens; later pages double, and never read less.
const long long kFirstKeyPage = 1000;
// The key of a place whose row is gone: it finds no row, so the place reads
// as a deleted row.
const long long kNoKey = LLONG_MIN;
// Prepared writes a set keeps.
const size_t kPreparedWrites = 16;

using kvsql::Token;
using kvsql::TokenKind;

bool IsClauseWord(const Token& t)
{
    static const char* const words[] = {"WHERE",     "GROUP",  "HAVING", "ORDER", "LIMIT",
                                        "UNION",     "EXCEPT", "INTERSECT", "WINDOW"};
    for (const char* w : words)
        if (kvsql::IsWord(t, w))
            return true;
    return false;
}

bool IsJoinWord(const Token& t)
{
    static const char* const words[] = {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "NATURAL",
                                        "ON",   "USING"};
    for (const char* w : words)
        if (kvsql::IsWord(t, w))
            return true;
    return false;
}

bool IsAggregate(const Token& t)
{
    static const char* const words[] = {"COUNT", "SUM", "AVG", "MIN", "MAX", "TOTAL", "GROUP_CONCAT"};
    for (const char* w : words)
        if (kvsql::IsWord(t, w))
            return true;
    return false;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A column name as SQL text: bare when it is a plain word, quoted otherwise.
std::string NameText(const std::string& name)
{
    bool plain = !name.empty() && !(name[0] >= '0' && name[0] <= '9');
    for (char c : name)
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    return plain ? name : kvsql::QuoteName(name);
}

struct TableRef
{
    std::string name;  // unquoted
    std::string ref;   // alias (or name) as written
};

// Splits "SELECT list FROM from [WHERE ...]" into its parts. False for what
// a keyed set cannot follow: DISTINCT, aggregates, GROUP BY, compound
// queries, sub-queries in FROM.
struct SelectParts
{
    std::string selectList;
    std::string fromClause;
    std::string tail;        // "FROM ..." to the end
    std::string fromWhere;   // the tail without a top-level ORDER BY
    bool ordered = false;    // the tail ends with a top-level ORDER BY
    bool limited = false;    // the tail has a top-level LIMIT or OFFSET
};

bool SplitSelect(const std::string& sql, SelectParts& parts, std::vector<TableRef>& refs)
{
    std::vector<Token> t = kvsql::Tokenize(sql);
    size_t i = 0;
    auto solid = [&](size_t k) {
        while (k < t.size() && t[k].kind == TokenKind::Space)
            ++k;
        return k;
    };
    i = solid(0);
    if (i >= t.size() || !kvsql::IsWord(t[i], "SELECT"))
        return false;
    i = solid(i + 1);
    if (i < t.size() && kvsql::IsWord(t[i], "DISTINCT"))
        return false;
    if (i < t.size() && kvsql::IsWord(t[i], "ALL"))
        i = solid(i + 1);
    size_t listStart = i;
    int depth = 0;
    size_t from = t.size();
    for (size_t k = listStart; k < t.size(); ++k) {
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")")
            --depth;
        else if (depth == 0 && kvsql::IsWord(t[k], "FROM")) {
            from = k;
            break;
        } else if (IsAggregate(t[k])) {
            size_t n = solid(k + 1);
            if (n < t.size() && t[n].text == "(")
                return false;
        }
    }
    if (from == t.size())
        return false;
    std::string& selectList = parts.selectList;
    std::string& fromClause = parts.fromClause;
    for (size_t k = listStart; k < from; ++k)
        selectList += t[k].text;
    selectList = Trim(selectList);

    size_t end = t.size();
    depth = 0;
    for (size_t k = from + 1; k < t.size(); ++k) {
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")")
            --depth;
        else if (depth == 0 && (IsClauseWord(t[k]) || t[k].text == ";")) {
            end = k;
            break;
        }
    }
    depth = 0;
    size_t order = t.size();
    for (size_t k = end; k < t.size(); ++k) {
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")")
            --depth;
        else if (depth == 0 && (kvsql::IsWord(t[k], "GROUP") || kvsql::IsWord(t[k], "HAVING") ||
                                kvsql::IsWord(t[k], "UNION") || kvsql::IsWord(t[k], "EXCEPT") ||
                                kvsql::IsWord(t[k], "INTERSECT")))
            return false;
        else if (depth == 0 && (kvsql::IsWord(t[k], "LIMIT") || kvsql::IsWord(t[k], "OFFSET")))
            parts.limited = true;
        else if (depth == 0 && kvsql::IsWord(t[k], "ORDER") && order == t.size())
            order = k;
    }
    for (size_t k = from + 1; k < end; ++k)
        fromClause += t[k].text;
    fromClause = Trim(fromClause);
    for (size_t k = from; k < t.size(); ++k) {
        parts.tail += t[k].text;
        if (k < order && t[k].text != ";")
            parts.fromWhere += t[k].text;
    }
    parts.fromWhere = Trim(parts.fromWhere);
    parts.ordered = order < t.size();

    // Table references: name [AS] [alias], separated by commas or joins.
    size_t k = solid(from + 1);
    bool expectTable = true;
    depth = 0;
    while (k < end) {
        if (expectTable) {
            if (t[k].text == "(")
                return false;
            if (t[k].kind != TokenKind::Identifier && t[k].kind != TokenKind::Quoted)
                return false;
            TableRef r;
            r.name = kvsql::Unquote(t[k]);
            r.ref = t[k].text;
            size_t n = solid(k + 1);
            if (n < end && t[n].text == ".") {
                // schema.table
                size_t m = solid(n + 1);
                if (m >= end)
                    return false;
                r.name = kvsql::Unquote(t[m]);
                r.ref = t[k].text + "." + t[m].text;
                n = solid(m + 1);
            }
            if (n < end && kvsql::IsWord(t[n], "AS"))
                n = solid(n + 1);
            if (n < end && (t[n].kind == TokenKind::Quoted ||
                            (t[n].kind == TokenKind::Identifier && !IsJoinWord(t[n]) && !IsClauseWord(t[n])))) {
                r.ref = t[n].text;
                n = solid(n + 1);
            }
            refs.push_back(r);
            expectTable = false;
            k = n;
            continue;
        }
        if (t[k].text == "(")
            ++depth;
        else if (t[k].text == ")")
            --depth;
        else if (depth == 0 && (t[k].text == "," || kvsql::IsWord(t[k], "JOIN")))
            expectTable = true;
        k = solid(k + 1);
    }
    return !refs.empty();
}

std::string KeyTuple(const long long* keys, size_t n)
{
    return std::string((const char*)keys, n * sizeof(long long));
}

} // namespace

void OZUKeyset::FreeWrites()
{
    for (auto& w : writes)
        g_odbc.FreeStmt(w.second, SQL_DROP);
    writes.clear();
}

void OZURecordset::FreeKeyset()
{
    if (m_pKeyset && m_pKeyset->hstmtValue != SQL_NULL_HSTMT)
        g_odbc.FreeStmt(m_pKeyset->hstmtValue, SQL_DROP);
    if (m_pKeyset && m_pKeyset->hstmtLastKey != SQL_NULL_HSTMT)
        g_odbc.FreeStmt(m_pKeyset->hstmtLastKey, SQL_DROP);
    if (m_pKeyset)
        m_pKeyset->FreeWrites();
    m_pKeyset.reset();
}

BOOL OZURecordset::SetupKeyset()
{
    if (m_nParams > 0 || !m_pDatabase || !m_pDatabase->IsOpen())
        return FALSE;
    auto ks = std::make_unique<OZUKeyset>();
    std::vector<TableRef> refs;
    SelectParts parts;
    if (!SplitSelect(m_strSQL.str(), parts, refs))
        return FALSE;
    ks->selectList = parts.selectList;
    ks->fromClause = parts.fromClause;
    ks->fromWhere = parts.fromWhere;

    // Describe the result: its columns and the table each comes from. A
    // statement of its own, so that the set's statement keeps its options
    // untouched should the driver's cursor have to be used after all.
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt);
    if (!Check(r))
        return FALSE;
    std::vector<std::string> colTableName;
    try {
        r = kvodbc::Retry([&] { return g_odbc.Prepare(hstmt, (SQLCHAR*)(LPCSTR)m_strSQL, SQL_NTS); }, hstmt,
                          RetrySeconds());
        if (Check(r))
            CacheColumnInfo(hstmt, -1);
    } catch (...) {
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        throw;
    }
    if (!Check(r) || m_nResultCols <= 0) {
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        return FALSE;
    }
    SQLSMALLINT columns = m_nResultCols;
    ks->colTable.assign((size_t)columns, -1);
    ks->colBase.assign((size_t)columns, std::string());
    colTableName.assign((size_t)columns, std::string());
    for (SQLSMALLINT c = 0; c < columns; ++c) {
        char table[256] = {}, base[256] = {};
        SQLSMALLINT len = 0;
        SQLLEN num = 0;
        if (Check(g_odbc.ColAttribute(hstmt, (SQLUSMALLINT)(c + 1), SQL_DESC_BASE_TABLE_NAME, table, sizeof(table),
                                      &len, &num)))
            colTableName[(size_t)c] = table;
        if (Check(g_odbc.ColAttribute(hstmt, (SQLUSMALLINT)(c + 1), SQL_DESC_BASE_COLUMN_NAME, base, sizeof(base),
                                      &len, &num)))
            ks->colBase[(size_t)c] = base;
    }
    g_odbc.FreeStmt(hstmt, SQL_DROP);

    // The tables whose columns are in the result, each with its key.
    for (const TableRef& ref : refs) {
        bool used = false;
        for (auto& name : colTableName)
            used = used || (!name.empty() && Lower(name) == Lower(ref.name));
        if (!used)
            continue;
        for (auto& t : ks->tables)
            if (Lower(t.name) == Lower(ref.name))
                return FALSE;  // the same table twice: its columns cannot be told apart
        OZUKeyTable table;
        table.name = ref.name;
        table.ref = ref.ref;
        table.keyColumn = m_pDatabase->GetRowKeyColumn(ref.name);
        if (table.keyColumn.empty())
            return FALSE;
        table.keyExpr = ref.ref + "." + NameText(table.keyColumn);
        ks->tables.push_back(table);
    }
    if (ks->tables.empty())
        return FALSE;
    for (size_t c = 0; c < colTableName.size(); ++c)
        for (size_t t = 0; t < ks->tables.size(); ++t)
            if (!colTableName[c].empty() && Lower(colTableName[c]) == Lower(ks->tables[t].name))
                ks->colTable[c] = (int)t;

    std::string keyList;
    for (size_t t = 0; t < ks->tables.size(); ++t)
        keyList += (t ? ", " : "") + ks->tables[t].keyExpr;
    ks->keySQL = "SELECT " + keyList + " " + parts.tail;
    // A SQLite set with an order reads its keys a page at a time. Its order
    // ends with the keys, so that rows of equal sort values come in one
    // order, page after page (an index that serves the order still serves
    // it: an index's rows end with the row's key).
    if (m_pDatabase->IsSQLite() && parts.ordered && !parts.limited &&
        parts.tail.find(';') == std::string::npos) {
        ks->keySQL = "SELECT " + keyList + " " + parts.tail + ", " + keyList;
        ks->pageSQL = ks->keySQL + " LIMIT ? OFFSET ?";
        ks->countSQL = "SELECT COUNT(*) " + parts.fromWhere;
    }
    std::string where;
    std::string markers;
    for (size_t i = 0; i < ks->batch; ++i)
        markers += i ? ",?" : "?";
    for (size_t t = 0; t < ks->tables.size(); ++t)
        where += (t ? " AND " : "") + ks->tables[t].keyExpr + " IN (" + markers + ")";
    ks->fetchSQL = "SELECT " + ks->selectList + ", " + keyList + " FROM " + ks->fromClause + " WHERE " + where;

    m_pKeyset = std::move(ks);
    try {
        if (!ReadKeys()) {
            m_pKeyset.reset();
            return FALSE;
        }
    } catch (CException* e) {
        // The key query failed: let the driver's own cursor try the query.
        e->Delete();
        m_pKeyset.reset();
        return FALSE;
    }

    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    r = g_odbc.Prepare(m_hstmt, (SQLCHAR*)k.fetchSQL.c_str(), SQL_NTS);
    if (!Check(r)) {
        m_pKeyset.reset();
        return FALSE;
    }
    k.params.assign(k.batch * nt, 0);
    k.paramInd.assign(k.batch * nt, 0);
    for (size_t p = 0; p < k.params.size(); ++p) {
        r = g_odbc.BindParameter(m_hstmt, (SQLUSMALLINT)(p + 1), SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                 &k.params[p], 0, &k.paramInd[p]);
        if (!Check(r))
            ThrowDBException(r);
    }
    k.fetchedKeys.assign(nt, 0);
    k.fetchedInd.assign(nt, 0);
    for (size_t t = 0; t < nt; ++t) {
        r = g_odbc.BindCol(m_hstmt, (SQLUSMALLINT)(m_nResultCols + t + 1), SQL_C_SBIGINT, &k.fetchedKeys[t],
                           sizeof(long long), &k.fetchedInd[t]);
        if (!Check(r))
            ThrowDBException(r);
    }
    m_bScrollable = TRUE;
    m_dwConcurrency = SQL_CONCUR_READ_ONLY;
    return TRUE;
}

// Runs a key query (with `first` and `count` bound to its LIMIT and OFFSET
// markers when `paged`) and appends the keys of its rows; false when a row
// has no key for a table (an outer join).
bool OZURecordset::ReadKeyRows(const std::string& sql, bool paged, long long count, long long first,
                               std::vector<long long>& keys)
{
    size_t nt = m_pKeyset->tables.size();
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r, SQL_NULL_HSTMT);
    m_pDatabase->OnSetOptions(hstmt);
    SQLLEN ind0 = 0, ind1 = 0;
    if (paged) {
        g_odbc.BindParameter(hstmt, 1, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &count, 0, &ind0);
        g_odbc.BindParameter(hstmt, 2, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &first, 0, &ind1);
    }
    r = kvodbc::Retry([&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS); }, hstmt,
                      RetrySeconds());
    if (!Check(r))
        kvodbc::ThrowAndFree(r, m_pDatabase, hstmt);
    std::vector<long long> row(nt, 0);
    std::vector<SQLLEN> ind(nt, 0);
    for (size_t t = 0; t < nt; ++t)
        g_odbc.BindCol(hstmt, (SQLUSMALLINT)(t + 1), SQL_C_SBIGINT, &row[t], sizeof(long long), &ind[t]);
    bool nullKey = false;
    while ((r = kvodbc::Retry([&] { return g_odbc.Fetch(hstmt); }, hstmt, RetrySeconds())) == SQL_SUCCESS ||
           r == SQL_SUCCESS_WITH_INFO) {
        for (size_t t = 0; t < nt; ++t) {
            if (ind[t] == SQL_NULL_DATA)
                nullKey = true;
            keys.push_back(row[t]);
        }
    }
    if (r != SQL_NO_DATA)
        kvodbc::ThrowAndFree(r, m_pDatabase, hstmt);
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    return !nullKey;
}

bool OZURecordset::ReadKeys()
{
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    std::vector<long long> keys;
    long long total = -1;
    bool complete = true;
    k.keysChange = m_pDatabase->m_dwChangeCount;
    if (!k.pageSQL.empty()) {
        // The count and the first page; read whole should another
        // connection write between the two.
        k.dataVersion = m_pDatabase->GetDataVersion();
        CString count;
        if (kvodbc::QueryText(m_pDatabase, CString(k.countSQL), count)) {
            total = _atoi64(count);
            if (!ReadKeyRows(k.pageSQL, true, kFirstKeyPage, 0, keys))
                return false;
            complete = (long long)(keys.size() / nt) >= total;
            if (m_pDatabase->GetDataVersion() != k.dataVersion) {
                keys.clear();
                total = -1;
            }
        }
    }
    if (total < 0) {
        if (!ReadKeyRows(k.keySQL, false, 0, 0, keys))
            return false;  // outer joins give rows without a key: those cannot be found again by key
        total = (long long)(keys.size() / nt);
        complete = true;
    }
    keys.resize((size_t)std::min<long long>(total, (long long)(keys.size() / nt)) * nt);
    k.keys.swap(keys);
    k.total = total;
    k.complete = complete || k.loaded() >= total;
    k.cache.clear();
    k.cacheValid = false;
    k.pos = -1;
    return true;
}

void OZURecordset::EnsureKeys(long long nUpTo)
{
    OZUKeyset& k = *m_pKeyset;
    if (k.complete || nUpTo < k.loaded())
        return;
    size_t nt = k.tables.size();
    // Keys are read on only while nothing has changed the database since
    // the first page: pages then follow each other exactly.
    if (m_pDatabase->GetDataVersion() != k.dataVersion || m_pDatabase->m_dwChangeCount != k.keysChange) {
        TakeKeysAsTheyStand();
        return;
    }
    long long loaded = k.loaded();
    bool all = nUpTo >= k.total - 1;
    long long want = all ? -1 : std::max({nUpTo + 1 - loaded, loaded, kFirstKeyPage});
    std::vector<long long> keys;
    ReadKeyRows(k.pageSQL, true, want, loaded, keys);
    long long got = (long long)(keys.size() / nt);
    k.keys.insert(k.keys.end(), keys.begin(), keys.end());
    if (all || got < want || k.loaded() >= k.total) {
        // The end of the rows: the set holds what was counted (rows added
        // through this set since stay at its end).
        k.keys.resize((size_t)std::min(k.loaded(), k.total) * nt);
        while (k.loaded() < k.total)
            k.keys.insert(k.keys.end(), nt, kNoKey);
        k.complete = true;
    }
}

void OZURecordset::CompleteKeys()
{
    if (m_pKeyset && !m_pKeyset->complete)
        EnsureKeys(m_pKeyset->total - 1);
}

void OZURecordset::TakeKeysAsTheyStand()
{
    // The rows read so far keep their places; the rows after them are the
    // rows of the query now that are not among them, in its order, up to
    // the number counted at open (a place left over reads as a deleted
    // row; rows beyond it join at the next Requery).
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    std::vector<long long> now;
    ReadKeyRows(k.keySQL, false, 0, 0, now);
    std::set<std::vector<long long>> known;
    for (long long row = 0; row < k.loaded(); ++row)
        known.insert(std::vector<long long>(k.keyOf(row), k.keyOf(row) + nt));
    for (size_t i = 0; i + nt <= now.size() && k.loaded() < k.total; i += nt) {
        std::vector<long long> key(now.begin() + (long)i, now.begin() + (long)(i + nt));
        if (known.insert(key).second)
            k.keys.insert(k.keys.end(), key.begin(), key.end());
    }
    while (k.loaded() < k.total)
        k.keys.insert(k.keys.end(), nt, kNoKey);
    k.complete = true;
}

BOOL OZURecordset::ScanKeyedRows(const std::vector<int>& fields,
                                 const std::function<bool(long, const std::vector<CString>&)>& visit)
{
    if (!m_pKeyset || m_nFieldsBound <= 0)
        return FALSE;
    CompleteKeys();
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    // The place of each key in the set.
    std::unordered_map<std::string, long> places;
    places.reserve(k.keys.size() / nt * 2);
    for (long long row = 0; row < k.loaded(); ++row)
        places.emplace(KeyTuple(k.keyOf(row), nt), (long)row);

    std::string sql = "SELECT ";
    for (size_t t = 0; t < nt; ++t)
        sql += (t ? ", " : "") + k.tables[t].keyExpr;
    struct Column
    {
        int field;
        std::vector<char> buffer;
        SQLLEN length = 0;
    };
    std::vector<Column> columns;
    for (int f : fields) {
        if (f < 0 || (size_t)f >= m_rgFieldInfos.size() || !m_rgFieldInfos[(size_t)f].m_pvBind)
            continue;
        CString name = m_rgFieldInfos[(size_t)f].m_strName;
        m_pDatabase->ReplaceBrackets(name);
        sql += ", " + name.str();
        Column c;
        c.field = f;
        c.buffer.assign((size_t)std::max<SQLLEN>(m_rgFieldInfos[(size_t)f].m_cbBind, 16), 0);
        columns.push_back(std::move(c));
    }
    sql += " " + k.fromWhere;

    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r, SQL_NULL_HSTMT);
    m_pDatabase->OnSetOptions(hstmt);
    r = kvodbc::Retry([&] { return g_odbc.ExecDirect(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS); }, hstmt,
                      RetrySeconds());
    if (!Check(r))
        kvodbc::ThrowAndFree(r, m_pDatabase, hstmt);
    std::vector<long long> key(nt, 0);
    std::vector<SQLLEN> keyInd(nt, 0);
    for (size_t t = 0; t < nt; ++t)
        g_odbc.BindCol(hstmt, (SQLUSMALLINT)(t + 1), SQL_C_SBIGINT, &key[t], sizeof(long long), &keyInd[t]);
    for (size_t i = 0; i < columns.size(); ++i) {
        const CFieldInfo& info = m_rgFieldInfos[(size_t)columns[i].field];
        g_odbc.BindCol(hstmt, (SQLUSMALLINT)(nt + i + 1), info.m_nCType, columns[i].buffer.data(),
                       (SQLLEN)columns[i].buffer.size(), &columns[i].length);
    }
    std::vector<CString> values(m_rgFieldInfos.size());
    bool go = true;
    while (go && ((r = kvodbc::Retry([&] { return g_odbc.Fetch(hstmt); }, hstmt, RetrySeconds())) == SQL_SUCCESS ||
                  r == SQL_SUCCESS_WITH_INFO)) {
        auto place = places.find(KeyTuple(key.data(), nt));
        if (place == places.end())
            continue;
        // Each value as the set's field exchange would give it.
        for (Column& c : columns) {
            const CFieldInfo& info = m_rgFieldInfos[(size_t)c.field];
            CString& value = values[(size_t)c.field];
            if (c.length == SQL_NULL_DATA || c.length == kvodbc::kNullIndicator32)
                value.Empty();
            else if (!info.m_bind.empty() && info.m_nDataType != AFX_RFX_BINARY) {
                size_t room = c.buffer.size() - 1;
                size_t n = (c.length == SQL_NO_TOTAL || c.length < 0 || (size_t)c.length > room)
                               ? strnlen(c.buffer.data(), room)
                               : (size_t)c.length;
                std::string text(c.buffer.data(), n);
                if (m_pDatabase->m_bStripTrailingSpaces)
                    while (!text.empty() && text.back() == ' ')
                        text.pop_back();
                value = CString(std::move(text));
            } else
                value = kvodbc::ValueToText(info.m_nDataType, c.buffer.data());
        }
        go = visit(place->second, values);
    }
    if (go && r != SQL_NO_DATA)
        kvodbc::ThrowAndFree(r, m_pDatabase, hstmt);
    g_odbc.FreeStmt(hstmt, SQL_DROP);
    return go ? TRUE : FALSE;
}

long OZURecordset::GetKeyedRowCount() const
{
    return m_pKeyset ? (long)m_pKeyset->total : -1;
}

long OZURecordset::FindKeyedRow(LPCSTR lpszTable, long long nKey)
{
    if (!m_pKeyset)
        return -1;
    OZUKeyset& k = *m_pKeyset;
    size_t table = k.tables.size();
    for (size_t t = 0; t < k.tables.size(); ++t)
        if (Lower(k.tables[t].name) == Lower(lpszTable ? lpszTable : ""))
            table = t;
    if (table == k.tables.size())
        return -1;
    // The keys read so far first: a key among them has its place for good,
    // and the row asked for is most often on the pages already read.
    size_t nt = k.tables.size();
    size_t searched = table;
    for (; searched < k.keys.size(); searched += nt)
        if (k.keys[searched] == nKey)
            return (long)(searched / nt);
    CompleteKeys();
    for (size_t i = searched; i < k.keys.size(); i += nt)
        if (k.keys[i] == nKey)
            return (long)(i / nt);
    return -1;
}

RETCODE OZURecordset::FetchKeyed(WORD wFetchType, long nRows)
{
    OZUKeyset& k = *m_pKeyset;
    long long n = k.rows();
    long long target = -1;
    bool forward = true;
    switch (wFetchType) {
    case SQL_FETCH_NEXT:
        target = k.pos + 1;
        break;
    case SQL_FETCH_PRIOR:
        target = k.pos - 1;
        forward = false;
        break;
    case SQL_FETCH_FIRST:
        target = 0;
        break;
    case SQL_FETCH_LAST:
        target = n - 1;
        forward = false;
        break;
    case SQL_FETCH_ABSOLUTE:
        target = nRows > 0 ? (long long)nRows - 1 : nRows < 0 ? n + nRows : -1;
        forward = nRows >= 0;
        break;
    case SQL_FETCH_RELATIVE:
        target = k.pos + nRows;
        forward = nRows >= 0;
        break;
    default:
        ThrowDBException(AFX_SQL_ERROR_BOOKMARKS_NOT_SUPPORTED);
    }
    if (target < 0) {
        k.pos = -1;
        m_bDeleted = FALSE;
        return SQL_NO_DATA;
    }
    if (target >= n) {
        k.pos = n;
        m_bDeleted = FALSE;
        return SQL_NO_DATA;
    }
    k.pos = target;
    bool inWindow = k.cacheValid && target >= k.cacheFirst && target < k.cacheFirst + (long long)k.cache.size() &&
                    k.cacheChange == m_pDatabase->m_dwChangeCount;
    if (!inWindow)
        FetchWindow(target, forward);
    RestoreKeyedRow(target);
    return SQL_SUCCESS;
}

void OZURecordset::FetchWindow(long long target, bool forward)
{
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    long long n = k.rows();
    long long batch = (long long)k.batch;
    long long first = forward ? target : std::max<long long>(0, target - batch + 1);
    long long count = std::min(batch, n - first);
    EnsureKeys(first + count - 1);
    std::unordered_map<std::string, long long> where;
    where.reserve((size_t)count * 2);
    for (long long i = 0; i < batch; ++i) {
        const long long* key = k.keyOf(first + (i < count ? i : 0));
        for (size_t t = 0; t < nt; ++t)
            k.params[t * (size_t)batch + (size_t)i] = key[t];
        if (i < count)
            where.emplace(KeyTuple(key, nt), i);
    }
    g_odbc.FreeStmt(m_hstmt, SQL_CLOSE);
    SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(m_hstmt); }, m_hstmt, RetrySeconds());
    if (!Check(r))
        ThrowDBException(r);
    k.cache.assign((size_t)count, OZUCachedRow());
    k.cacheValid = false;
    while ((r = kvodbc::Retry([&] { return g_odbc.Fetch(m_hstmt); }, m_hstmt, RetrySeconds())) == SQL_SUCCESS ||
           r == SQL_SUCCESS_WITH_INFO) {
        auto found = where.find(KeyTuple(k.fetchedKeys.data(), nt));
        if (found == where.end())
            continue;
        OZUCachedRow& row = k.cache[(size_t)found->second];
        CaptureKeyedRow(row);
        if (m_bLongBinaryColumns) {
            size_t nFields = m_nFieldsBound > 0 ? m_rgFieldInfos.size() : 0;
            row.lb.assign(nFields, std::string());
            row.lbNull.assign(nFields, false);
            for (size_t f = 0; f < nFields; ++f)
                if (m_rgFieldInfos[f].m_nDataType == AFX_RFX_LONGBINARY) {
                    bool isNull = false;
                    row.lb[f] = ReadColumnBytes(m_hstmt, (int)f + 1, isNull);
                    row.lbNull[f] = isNull;
                }
        }
    }
    if (r != SQL_NO_DATA)
        ThrowDBException(r);
    g_odbc.FreeStmt(m_hstmt, SQL_CLOSE);
    k.cacheFirst = first;
    k.cacheValid = true;
    k.cacheChange = m_pDatabase->m_dwChangeCount;
}

void OZURecordset::CaptureKeyedRow(OZUCachedRow& row)
{
    size_t nFields = m_nFieldsBound > 0 ? m_rgFieldInfos.size() : 0;
    row.present = true;
    row.raw.clear();
    for (size_t f = 0; f < nFields; ++f) {
        CFieldInfo& info = m_rgFieldInfos[f];
        row.raw.append((const char*)&info.m_nLength, sizeof(SQLLEN));
        if (!info.m_pvBind)
            continue;
        size_t bytes = (size_t)info.m_cbBind;
        if (!info.m_bind.empty()) {
            // Text and binary: only the bytes fetched.
            SQLLEN got = info.m_nLength;
            bytes = (got < 0 || (size_t)got > bytes) ? (got == SQL_NULL_DATA ? 0 : bytes) : (size_t)got;
            if (bytes == (size_t)info.m_cbBind && info.m_nDataType != AFX_RFX_BINARY)
                bytes = strnlen((const char*)info.m_pvBind, bytes);
        }
        row.raw.append((const char*)&bytes, sizeof(bytes));
        row.raw.append((const char*)info.m_pvBind, bytes);
    }
}

void OZURecordset::KeepWrittenRow()
{
    OZUKeyset& k = *m_pKeyset;
    long long offset = k.pos - k.cacheFirst;
    if (m_bLongBinaryColumns || !k.cacheValid || offset < 0 || offset >= (long long)k.cache.size())
        return;
    // The bound buffers take the values as written (numbers are bound to
    // their members already), and the window takes the buffers.
    for (size_t f = 0; f < m_rgFieldInfos.size() && f < m_rgFieldFlags.size(); ++f) {
        CFieldInfo& info = m_rgFieldInfos[f];
        if (!info.m_pvBind)
            continue;
        if (m_rgFieldFlags[f] & AFX_SQL_FIELD_FLAG_NULL) {
            info.m_nLength = SQL_NULL_DATA;
            continue;
        }
        if (info.m_bind.empty()) {
            info.m_nLength = info.m_cbBind;
            continue;
        }
        bool text = info.m_nDataType != AFX_RFX_BINARY;
        std::string raw = kvodbc::FieldRawValue(info.m_nDataType, info.m_pv);
        size_t room = info.m_bind.size() - (text ? 1 : 0);
        if (raw.size() > room)
            raw.resize(room);
        std::memcpy(info.m_bind.data(), raw.data(), raw.size());
        if (text)
            info.m_bind[raw.size()] = '\0';
        info.m_nLength = (SQLLEN)raw.size();
    }
    CaptureKeyedRow(k.cache[(size_t)offset]);
    k.cacheChange = m_pDatabase->m_dwChangeCount;
}

void OZURecordset::RestoreKeyedRow(long long rowIndex)
{
    OZUKeyset& k = *m_pKeyset;
    const OZUCachedRow& row = k.cache[(size_t)(rowIndex - k.cacheFirst)];
    m_bDeleted = !row.present;
    if (!m_rgRowStatus.empty())
        m_rgRowStatus[0] = row.present ? SQL_ROW_SUCCESS : SQL_ROW_DELETED;
    size_t nFields = m_nFieldsBound > 0 ? m_rgFieldInfos.size() : 0;
    if (!row.present) {
        for (size_t f = 0; f < nFields; ++f)
            m_rgFieldInfos[f].m_nLength = SQL_NULL_DATA;
        return;
    }
    const char* p = row.raw.data();
    for (size_t f = 0; f < nFields; ++f) {
        CFieldInfo& info = m_rgFieldInfos[f];
        std::memcpy(&info.m_nLength, p, sizeof(SQLLEN));
        p += sizeof(SQLLEN);
        if (!info.m_pvBind)
            continue;
        size_t bytes;
        std::memcpy(&bytes, p, sizeof(bytes));
        p += sizeof(bytes);
        std::memcpy(info.m_pvBind, p, bytes);
        if (!info.m_bind.empty() && bytes < info.m_bind.size())
            info.m_bind[bytes] = '\0';
        p += bytes;
    }
}

std::string OZURecordset::ReadColumnBytes(HSTMT hstmt, int nColumn, bool& isNull)
{
    std::string data;
    isNull = false;
    char buf[8192];
    for (;;) {
        SQLLEN ind = 0;
        SQLRETURN r = g_odbc.GetData(hstmt, (SQLUSMALLINT)nColumn, SQL_C_BINARY, buf, sizeof(buf), &ind);
        if (r == SQL_NO_DATA)
            break;
        if (!Check(r))
            ThrowDBException(r, hstmt);
        if (ind == SQL_NULL_DATA) {
            isNull = true;
            break;
        }
        size_t got = (ind == SQL_NO_TOTAL || ind > (SQLLEN)sizeof(buf)) ? sizeof(buf) : (size_t)ind;
        data.append(buf, got);
        if (r == SQL_SUCCESS)
            break;
    }
    return data;
}

void OZURecordset::FetchLongBinary(int nFieldIndex, CLongBinary& value)
{
    if (nFieldIndex < 0 || (size_t)nFieldIndex >= m_rgFieldInfos.size())
        return;
    CFieldInfo& info = m_rgFieldInfos[(size_t)nFieldIndex];
    bool isNull = false;
    std::string data;
    if (m_pKeyset) {
        OZUKeyset& k = *m_pKeyset;
        long long offset = k.pos - k.cacheFirst;
        if (offset >= 0 && offset < (long long)k.cache.size() && (size_t)nFieldIndex < k.cache[(size_t)offset].lb.size()) {
            data = k.cache[(size_t)offset].lb[(size_t)nFieldIndex];
            isNull = k.cache[(size_t)offset].lbNull[(size_t)nFieldIndex];
        }
    } else
        data = ReadColumnBytes(m_hstmt, nFieldIndex + 1, isNull);
    info.m_nLength = isNull ? SQL_NULL_DATA : (SQLLEN)data.size();
    kvodbc::SetLongBinaryValue(value, data);
}

HSTMT OZURecordset::KeyedValueStatement()
{
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    if (k.hstmtValue == SQL_NULL_HSTMT) {
        std::string where;
        for (size_t t = 0; t < nt; ++t)
            where += (t ? " AND " : "") + k.tables[t].keyExpr + " = ?";
        std::string sql = "SELECT " + k.selectList + " FROM " + k.fromClause + " WHERE " + where;
        SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &k.hstmtValue);
        if (!Check(r)) {
            k.hstmtValue = SQL_NULL_HSTMT;
            ThrowDBException(r, SQL_NULL_HSTMT);
        }
        r = g_odbc.Prepare(k.hstmtValue, (SQLCHAR*)sql.c_str(), SQL_NTS);
        if (!Check(r))
            ThrowDBException(r, k.hstmtValue);
    }
    // Bound to the current row's keys each time (the key array may move).
    static thread_local std::vector<long long> keys;
    static thread_local std::vector<SQLLEN> ind;
    keys.assign(k.keyOf(k.pos), k.keyOf(k.pos) + nt);
    ind.assign(nt, 0);
    g_odbc.FreeStmt(k.hstmtValue, SQL_CLOSE);
    for (size_t t = 0; t < nt; ++t)
        g_odbc.BindParameter(k.hstmtValue, (SQLUSMALLINT)(t + 1), SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                             &keys[t], 0, &ind[t]);
    SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(k.hstmtValue); }, k.hstmtValue, RetrySeconds());
    if (!Check(r))
        ThrowDBException(r, k.hstmtValue);
    r = g_odbc.Fetch(k.hstmtValue);
    if (r == SQL_NO_DATA)
        ThrowDBException(AFX_SQL_ERROR_NO_CURRENT_RECORD);
    if (!Check(r))
        ThrowDBException(r, k.hstmtValue);
    return k.hstmtValue;
}

HSTMT OZURecordset::PreparedWrite(const std::string& sql)
{
    OZUKeyset& k = *m_pKeyset;
    auto found = k.writes.find(sql);
    if (found != k.writes.end()) {
        g_odbc.FreeStmt(found->second, SQL_CLOSE);
        g_odbc.FreeStmt(found->second, SQL_RESET_PARAMS);
        return found->second;
    }
    // A set writes in a few shapes (the columns an edit changes); should it
    // write in many, the oldest statements go.
    if (k.writes.size() >= kPreparedWrites)
        k.FreeWrites();
    HSTMT hstmt = SQL_NULL_HSTMT;
    SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &hstmt);
    if (!Check(r))
        ThrowDBException(r, SQL_NULL_HSTMT);
    OnSetUpdateOptions(hstmt);
    r = kvodbc::Retry([&] { return g_odbc.Prepare(hstmt, (SQLCHAR*)sql.c_str(), SQL_NTS); }, hstmt, RetrySeconds());
    if (!Check(r)) {
        CDBException* e = new CDBException(r);
        e->BuildErrorString(m_pDatabase, hstmt);
        g_odbc.FreeStmt(hstmt, SQL_DROP);
        throw e;
    }
    k.writes.emplace(sql, hstmt);
    return hstmt;
}

SQLLEN OZURecordset::ExecutePreparedWrite(HSTMT hstmt, const std::string& sql)
{
    m_strUpdateSQL = CString(sql);
    SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(hstmt); }, hstmt, RetrySeconds());
    if (!Check(r))
        ThrowDBException(r, hstmt);
    if (r == SQL_NEED_DATA)
        SendLongBinaryData(hstmt);
    SQLLEN rows = -1;
    if (!Check(g_odbc.RowCount(hstmt, &rows)))
        rows = -1;
    g_odbc.FreeStmt(hstmt, SQL_CLOSE);
    return rows;
}

long long OZURecordset::LastInsertedRowid()
{
    OZUKeyset& k = *m_pKeyset;
    if (k.hstmtLastKey == SQL_NULL_HSTMT) {
        SQLRETURN r = g_odbc.AllocStmt(m_pDatabase->m_hdbc, &k.hstmtLastKey);
        if (!Check(r)) {
            k.hstmtLastKey = SQL_NULL_HSTMT;
            ThrowDBException(r, SQL_NULL_HSTMT);
        }
        r = g_odbc.Prepare(k.hstmtLastKey, (SQLCHAR*)"SELECT last_insert_rowid()", SQL_NTS);
        if (!Check(r))
            ThrowDBException(r, k.hstmtLastKey);
    }
    long long key = 0;
    SQLLEN ind = 0;
    SQLRETURN r = kvodbc::Retry([&] { return g_odbc.Execute(k.hstmtLastKey); }, k.hstmtLastKey, RetrySeconds());
    if (Check(r))
        r = g_odbc.Fetch(k.hstmtLastKey);
    if (r == SQL_SUCCESS || r == SQL_SUCCESS_WITH_INFO)
        r = g_odbc.GetData(k.hstmtLastKey, 1, SQL_C_SBIGINT, &key, sizeof(key), &ind);
    g_odbc.FreeStmt(k.hstmtLastKey, SQL_CLOSE);
    if (!Check(r))
        ThrowDBException(r, k.hstmtLastKey);
    return key;
}

BOOL OZURecordset::GetLastAddedKey(long long& nKey) const
{
    if (!m_pKeyset || !m_pKeyset->lastAddedKnown || m_pKeyset->lastAdded.size() != 1)
        return FALSE;
    nKey = m_pKeyset->lastAdded[0];
    return TRUE;
}

void OZURecordset::UpdateKeyed()
{
    CompleteKeys();
    OZUKeyset& k = *m_pKeyset;
    size_t nt = k.tables.size();
    size_t nFields = m_rgFieldInfos.size();
    std::vector<long long> newKey(nt, 0);
    bool keyKnown = true;
    for (size_t t = 0; t < nt; ++t) {
        std::vector<bool> mask(nFields, false);
        std::string columns;
        std::string markers;
        for (size_t f = 0; f < nFields; ++f) {
            if (!(m_rgFieldFlags[f] & AFX_SQL_FIELD_FLAG_DIRTY) || f >= k.colTable.size() ||
                k.colTable[f] != (int)t || k.colBase[f].empty())
                continue;
            mask[f] = true;
            if (m_nEditMode == edit)
                columns += (columns.empty() ? "" : ", ") + kvsql::QuoteName(k.colBase[f]) + " = ?";
            else {
                columns += (columns.empty() ? "" : ", ") + kvsql::QuoteName(k.colBase[f]);
                markers += markers.empty() ? "?" : ", ?";
            }
        }
        if (columns.empty()) {
            keyKnown = keyKnown && m_nEditMode == edit;
            continue;
        }
        const OZUKeyTable& table = k.tables[t];
        std::string sql = m_nEditMode == edit ? "UPDATE " + kvsql::QuoteName(table.name) + " SET " + columns +
                                                    " WHERE " + NameText(table.keyColumn) + " = ?"
                                              : "INSERT INTO " + kvsql::QuoteName(table.name) + " (" + columns +
                                                    ") VALUES (" + markers + ")";
        HSTMT hstmt = PreparedWrite(sql);
        CFieldExchange fx(CFieldExchange::Value, this);
        fx.m_hstmt = hstmt;
        fx.m_pFieldMask = &mask;
        DoFieldExchange(&fx);
        long long key = 0;
        SQLLEN keyInd = 0;
        if (m_nEditMode == edit) {
            key = k.keyOf(k.pos)[t];
            SQLRETURN r = g_odbc.BindParameter(hstmt, (SQLUSMALLINT)fx.m_nParamNumber, SQL_PARAM_INPUT,
                                               SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &key, 0, &keyInd);
            if (!Check(r))
                ThrowDBException(r, hstmt);
        }
        SQLLEN rows = ExecutePreparedWrite(hstmt, sql);
        if (rows == 0)
            ThrowDBException(AFX_SQL_ERROR_NO_ROWS_AFFECTED);
        if (rows > 1)
            ThrowDBException(AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED);
        if (m_nEditMode == addnew) {
            if (m_pDatabase->IsSQLite())
                newKey[t] = LastInsertedRowid();
            else
                keyKnown = false;
        }
    }
    m_strUpdateSQL.Empty();
    // The new row joins the set at its end.
    k.lastAddedKnown = m_nEditMode == addnew && keyKnown;
    if (k.lastAddedKnown)
        k.lastAdded = newKey;
    if (m_nEditMode == addnew && keyKnown) {
        k.keys.insert(k.keys.end(), newKey.begin(), newKey.end());
        k.total++;
        if (m_bEOFSeen)
            m_lRecordCount++;
    }
}

void OZURecordset::DeleteKeyed()
{
    OZUKeyset& k = *m_pKeyset;
    SQLLEN total = 0;
    for (size_t t = 0; t < k.tables.size(); ++t) {
        std::string sql = "DELETE FROM " + kvsql::QuoteName(k.tables[t].name) + " WHERE " +
                          NameText(k.tables[t].keyColumn) + " = ?";
        HSTMT hstmt = PreparedWrite(sql);
        long long key = k.keyOf(k.pos)[t];
        SQLLEN keyInd = 0;
        SQLRETURN r = g_odbc.BindParameter(hstmt, 1, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &key, 0,
                                           &keyInd);
        if (!Check(r))
            ThrowDBException(r, hstmt);
        SQLLEN rows = ExecutePreparedWrite(hstmt, sql);
        if (rows > 1)
            ThrowDBException(AFX_SQL_ERROR_MULTIPLE_ROWS_AFFECTED);
        total += rows < 0 ? 1 : rows;
    }
    m_strUpdateSQL.Empty();
    // A row of a join is gone when any of its tables lost its row.
    if (total == 0)
        ThrowDBException(AFX_SQL_ERROR_NO_ROWS_AFFECTED);
}
