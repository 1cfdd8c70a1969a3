// The field clean: the canonical form of a component record, and the pass
// that writes it into every Components row of a database.
#include "database/merge/DBDatabase.h"
#include "database/merge/DBComponentRows.h"
#include "database/merge/DBPragmaScope.h"
#include "database/merge/MergeRes.h"
#include "platform/odbc/OZUStatement.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <cwctype>

namespace {

// A padding step appends at most this many blanks.
const int kMaxPadding = 19;

template <class Text>
void PadWithBlanks(Text& text, int nLength)
{
    int n = nLength - (int)text.size();
    if (n > 0)
        text.append((size_t)(n > kMaxPadding ? kMaxPadding : n), ' ');
}

// A text of characters below 128 only: each byte is a character, and the
// conversions to UTF-16 and back can be left out.
bool IsAscii(const CString& text)
{
    for (unsigned char c : text.str())
        if (c >= 0x80)
            return false;
    return true;
}

wchar_t CharOf(char c)
{
    return (wchar_t)(unsigned char)c;
}

wchar_t CharOf(wchar_t c)
{
    return c;
}

// The code's canonical form, in characters of either width (see
// NormaliseCode).
template <class Text>
Text Normalised(const Text& source, BYTE nWidth, int nSplit)
{
    int nLength = (int)source.size();
    int nSplitAt = nSplit == -1 ? nLength : nSplit;
    Text lead, trail;
    if (nSplitAt >= 0 && nSplitAt < nLength) {
        lead = source.substr(0, (size_t)nSplitAt);
        trail = source.substr((size_t)nSplitAt);
    } else {
        lead = source;
    }
    size_t first = 0;
    while (first < lead.size() && iswspace(CharOf(lead[first])))
        ++first;
    lead.erase(0, first);
    PadWithBlanks(lead, nSplitAt);
    Text result = lead + trail;
    PadWithBlanks(result, nWidth);
    return result;
}

// UTF-8 text as UTF-16; FALSE when it is not valid UTF-8.
BOOL Widen(const CString& text, std::wstring& wide)
{
    wide.clear();
    if (text.IsEmpty())
        return TRUE;
    int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, text.GetLength(), nullptr, 0);
    if (n <= 0)
        return FALSE;
    wide.resize((size_t)n);
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, text.GetLength(), &wide[0], n);
    return TRUE;
}

// Back to UTF-8 (or to bytes, when the original was not UTF-8).
CString Narrow(const std::wstring& wide, const CString& original)
{
    std::wstring probe;
    if (!Widen(original, probe)) {
        std::string bytes(wide.begin(), wide.end());
        return CString(bytes);
    }
    if (wide.empty())
        return CString();
    int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes((size_t)n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), (int)wide.size(), &bytes[0], n, nullptr, nullptr);
    return CString(bytes);
}

bool OneOf(int k, std::initializer_list<int> kinds)
{
    for (int n : kinds)
        if (n == k)
            return true;
    return false;
}

const CString kSixBlanks("      ");

// How long the rows cleaned are written in one transaction before it is
// committed, when the database has transactions (milliseconds).
const ULONGLONG kMillisecondsPerCommit = 1000;

// The columns the clean may change, each with its member.
struct CleanedText
{
    const char* column;
    CString ComponentFields::*member;
};
struct CleanedSingle
{
    const char* column;
    float ComponentFields::*member;
};
struct CleanedLong
{
    const char* column;
    long ComponentFields::*member;
};
const CleanedText kCleanedTexts[] = {
    {"[Warehouse Code]", &ComponentFields::m_strWarehouseCode},
    {"[Supplier Code]", &ComponentFields::m_strSupplierCode},
    {"[Usage]", &ComponentFields::m_strUsage},
    {"[Major1]", &ComponentFields::m_strMajor1},
    {"[Minor1]", &ComponentFields::m_strMinor1},
    {"[Major2]", &ComponentFields::m_strMajor2},
    {"[Minor2]", &ComponentFields::m_strMinor2},
    {"[Default Nozzle]", &ComponentFields::m_strDefaultNozzle},
    {"[Item Type]", &ComponentFields::m_strItemType},
};
const CleanedSingle kCleanedSingles[] = {
    {"[Reals1]", &ComponentFields::m_fReals1},   {"[Reals2]", &ComponentFields::m_fReals2},
    {"[Reals3]", &ComponentFields::m_fReals3},   {"[Reals4]", &ComponentFields::m_fReals4},
    {"[Reals5]", &ComponentFields::m_fReals5},   {"[Reals6]", &ComponentFields::m_fReals6},
    {"[Reals7]", &ComponentFields::m_fReals7},   {"[Reals8]", &ComponentFields::m_fReals8},
    {"[Rextra1]", &ComponentFields::m_fRextra1}, {"[Rextra2]", &ComponentFields::m_fRextra2},
    {"[Rextra3]", &ComponentFields::m_fRextra3}, {"[Rextra4]", &ComponentFields::m_fRextra4},
    {"[Symbol Size]", &ComponentFields::m_fSymbolSize},
};
const CleanedLong kCleanedLongs[] = {
    {"[Linetype]", &ComponentFields::m_nLinetype}, {"[Symbol]", &ComponentFields::m_nSymbol},
    {"[Symbol File]", &ComponentFields::m_nSymbolFile}, {"[Colour1]", &ComponentFields::m_nColour1},
    {"[Colour2]", &ComponentFields::m_nColour2},
};
const int kTexts = (int)(sizeof(kCleanedTexts) / sizeof(kCleanedTexts[0]));
const int kSingles = (int)(sizeof(kCleanedSingles) / sizeof(kCleanedSingles[0]));
const int kLongs = (int)(sizeof(kCleanedLongs) / sizeof(kCleanedLongs[0]));

// Each cleaned column with its bit in a set of changed columns.
template <class Visit>
void ForEachCleanedColumn(Visit visit)
{
    int bit = 0;
    for (const CleanedText& c : kCleanedTexts)
        visit(bit++, c);
    for (const CleanedSingle& c : kCleanedSingles)
        visit(bit++, c);
    for (const CleanedLong& c : kCleanedLongs)
        visit(bit++, c);
}

// Whether a column's value differs between two records: as stored bytes for
// a single, so that 0 and -0 differ, as they did to the recordset's edit.
bool Differs(const ComponentFields& a, const ComponentFields& b, const CleanedText& c)
{
    return a.*c.member != b.*c.member;
}

bool Differs(const ComponentFields& a, const ComponentFields& b, const CleanedSingle& c)
{
    return std::memcmp(&(a.*c.member), &(b.*c.member), sizeof(float)) != 0;
}

bool Differs(const ComponentFields& a, const ComponentFields& b, const CleanedLong& c)
{
    return a.*c.member != b.*c.member;
}

void Bind(OZUStatement& statement, int nParam, const ComponentFields& r, const CleanedText& c)
{
    statement.SetText(nParam, r.*c.member);
}

void Bind(OZUStatement& statement, int nParam, const ComponentFields& r, const CleanedSingle& c)
{
    statement.SetSingle(nParam, r.*c.member);
}

void Bind(OZUStatement& statement, int nParam, const ComponentFields& r, const CleanedLong& c)
{
    statement.SetLong(nParam, r.*c.member);
}

// Writes a cleaned row back by its key: only the columns the clean changed,
// as the row was read (a column left null and not changed stays null, a
// stored real the clean leaves alone is not rounded to a single), through
// one UPDATE prepared for each set of changed columns met.
class CleanedRowWriter
{
public:
    explicit CleanedRowWriter(DBDatabase* pDatabase) : m_pDatabase(pDatabase) {}

    void Write(const ComponentFields& read, const ComponentFields& cleaned)
    {
        std::uint32_t changed = 0;
        ForEachCleanedColumn([&](int bit, const auto& c) {
            if (Differs(read, cleaned, c))
                changed |= 1u << bit;
        });
        if (changed == 0)
            return;
        OZUStatement& update = StatementFor(changed);
        int nParam = 1;
        ForEachCleanedColumn([&](int bit, const auto& c) {
            if (changed & (1u << bit))
                Bind(update, nParam++, cleaned, c);
        });
        update.SetLong(nParam, read.m_nComponentKey);
        update.Execute();
    }

private:
    OZUStatement& StatementFor(std::uint32_t changed)
    {
        std::unique_ptr<OZUStatement>& statement = m_statements[changed];
        if (!statement) {
            CString columns;
            ForEachCleanedColumn([&](int bit, const auto& c) {
                if (!(changed & (1u << bit)))
                    return;
                if (!columns.IsEmpty())
                    columns += ", ";
                columns += c.column;
                columns += " = ?";
            });
            statement = std::make_unique<OZUStatement>(
                m_pDatabase, "UPDATE [Components] SET " + columns + " WHERE [Component Key] = ?");
        }
        return *statement;
    }

    DBDatabase* m_pDatabase;
    std::map<std::uint32_t, std::unique_ptr<OZUStatement>> m_statements;
};
static_assert(kTexts + kSingles + kLongs <= 32, "one bit for each cleaned column");

} // namespace

void DBComponentTable::NormaliseCode(CString& strTarget, BYTE nWidth, const CString& strSource, int nSplit)
{
    // Widths and the split count characters, not bytes.
    if (IsAscii(strSource)) {
        strTarget = CString(Normalised(strSource.str(), nWidth, nSplit));
        strTarget.MakeUpper();
        return;
    }
    std::wstring source;
    if (!Widen(strSource, source)) {
        // Not UTF-8: byte by byte.
        source.assign(strSource.str().begin(), strSource.str().end());
        for (wchar_t& c : source)
            c = (wchar_t)(unsigned char)c;
    }
    strTarget = Narrow(Normalised(source, nWidth, nSplit), strSource);
    strTarget.MakeUpper();
}

void DBComponentTable::CleanRecord(ComponentFields& r, BYTE nWarehouseWidth)
{
    const int k = r.m_nDatabaseNumber;

    // 1. The codes, each from its own value.
    NormaliseCode(r.m_strWarehouseCode, nWarehouseWidth, r.m_strWarehouseCode, -1);
    NormaliseCode(r.m_strSupplierCode, 4, r.m_strSupplierCode, -1);
    NormaliseCode(r.m_strUsage, 3, r.m_strUsage, -1);
    NormaliseCode(r.m_strMajor1, 6, r.m_strMajor1, 4);
    NormaliseCode(r.m_strMinor1, 6, r.m_strMinor1, 4);
    NormaliseCode(r.m_strDefaultNozzle, 10, r.m_strDefaultNozzle, -1);
    NormaliseCode(r.m_strItemType, 3, r.m_strItemType, -1);

    // 2. Connection texts the kind does not use.
    if (OneOf(k, {1, 4, 5, 21})) {
        // The fifth and sixth characters (not bytes) become blanks.
        std::wstring major;
        if (!IsAscii(r.m_strMajor1) && Widen(r.m_strMajor1, major)) {
            for (size_t i = 4; i < 6 && i < major.size(); ++i)
                major[i] = L' ';
            r.m_strMajor1 = Narrow(major, r.m_strMajor1);
        } else {
            for (int i = 4; i < 6 && i < r.m_strMajor1.GetLength(); ++i)
                r.m_strMajor1.SetAt(i, ' ');
        }
    } else if (OneOf(k, {14, 17, 18, 22, 23, 24})) {
        r.m_strMajor1 = "  ";
    }
    if (OneOf(k, {1, 5, 21, 14, 17, 18, 22, 23, 24, 12}))
        r.m_strMinor1 = kSixBlanks;

    // 3. Labels.
    if (OneOf(k, {4, 5, 6, 7, 8, 9, 14, 17})) {
        r.m_strMajor2 = kSixBlanks;
        r.m_strMinor2 = kSixBlanks;
    }

    // 4. - 8. Numbers the kind does not use.
    if (OneOf(k, {21, 22}))
        r.m_fReals2 = 0.0f;
    if (OneOf(k, {4, 6, 8, 9, 12, 14, 17, 22, 23, 24})) {
        r.m_fReals3 = 0.0f;
        r.m_fReals4 = 0.0f;
    } else if (k == 15 && std::fabs(r.m_fReals3) < 0.001f) {
        r.m_fReals3 = 0.0f;
    }
    if (OneOf(k, {2, 3, 11, 13, 15})) {
        r.m_fReals6 = 0.0f;
    } else {
        r.m_fReals5 = 0.0f;
        r.m_fReals6 = 0.0f;
    }
    if (!OneOf(k, {2, 3, 11, 12, 15, 18, 24})) {
        r.m_fRextra1 = 0.0f;
        r.m_fRextra2 = 0.0f;
    }
    bool bTape = k == DBNUM_PIPE && (r.m_nFlags & COMPONENT_FLAG_TAPE) != 0;
    if (!OneOf(k, {12, 15, 18}) && !bTape) {
        r.m_fRextra3 = 0.0f;
        r.m_fRextra4 = 0.0f;
    }

    // 9. Values too small to matter.
    for (float* f : {&r.m_fReals1, &r.m_fReals2, &r.m_fReals3, &r.m_fReals4, &r.m_fReals5, &r.m_fReals6,
                     &r.m_fReals7, &r.m_fReals8, &r.m_fRextra1, &r.m_fRextra2, &r.m_fRextra3, &r.m_fRextra4})
        if (std::fabs(*f) < 1e-10f)
            *f = 0.0f;

    // 10. Drawing columns.
    if (OneOf(k, {4, 6, 7, 8, 9, 14, 17, 18})) {
        r.m_nLinetype = 0;
        r.m_nSymbol = 0;
        r.m_nSymbolFile = 0;
        r.m_nColour1 = 0;
        r.m_nColour2 = 0;
        r.m_fSymbolSize = 0.0f;
    } else if (OneOf(k, {1, 5, 21})) {
        r.m_nSymbol = 0;
        r.m_nSymbolFile = 0;
        r.m_fSymbolSize = 0.0f;
    } else {
        r.m_nLinetype = 0;
        r.m_nSymbol = 1;
        r.m_nColour2 = 0;
    }
}

void DBDatabase::Clean()
{
    if (!IsOpen() || !m_pComponents)
        return;
    if (!CanUpdate()) {
        CString message;
        message.Format(IDS_MERGE_TARGET_READ_ONLY, (LPCSTR)m_strPath, (LPCSTR)GetReadOnlyReason());
        AfxThrowDBException(AFX_SQL_ERROR_READONLY_DATABASE, message);
    }
    CWaitCursor wait;
    long nWidth = GetWarehouseCodeSize();
    BYTE nWarehouseWidth = (BYTE)(nWidth > 255 ? 255 : nWidth < 0 ? 0 : nWidth);

    // The rows are read forward in the order they were made and each is
    // written back by its key, with the columns the clean changed only.
    ComponentRowsInKeyOrder rows(this);
    if (!rows.Start(LONG_MIN))
        return;
    CleanedRowWriter writer(this);

    // The rows are written in batches, each committed as a whole: a failure
    // leaves the rows of the earlier batches cleaned and the rest as they
    // were. On SQLite the transaction is the database's own, so that a
    // commit that fails says why (another program holding the file, say).
    const BOOL bSQL = IsSQLite();
    // A driver that closes its cursors at a commit has the rows after the
    // last one cleaned read again.
    const BOOL bReopenAfterCommit = !bSQL && m_nCursorCommitBehavior != SQL_CB_PRESERVE;
    auto begin = [&]() -> BOOL {
        if (!bSQL)
            return CanTransact() && BeginTrans();
        ExecuteSQL("BEGIN");
        return TRUE;
    };
    auto rollback = [&] {
        if (!bSQL) {
            Rollback();
            return;
        }
        try {
            ExecuteSQL("ROLLBACK");
        } catch (CException* e) {
            e->Delete();  // already undone by the database
        }
    };
    // A page cache of up to 64 MB for the clean: each row's update touches
    // pages of every index on the columns it changes, and with SQLite's
    // default cache (2 MB) those pages are written out and read again
    // within each batch. It goes back to what it was when the clean ends.
    DBPragmaScope cache(this, "cache_size", -65536);
    BOOL bTransaction = begin();
    ULONGLONG batchStart = ::GetTickCount64();
    auto commit = [&] {
        if (bSQL) {
            ExecuteSQL("COMMIT");
            bTransaction = FALSE;
            return;
        }
        bTransaction = FALSE;
        if (!CommitTrans()) {
            Rollback();
            AfxThrowDBException(AFX_SQL_ERROR, "The cleaned rows could not be saved in the database.");
        }
    };
    try {
        ComponentFields cleaned;
        for (BOOL bRow = TRUE; bRow;) {
            const ComponentFields& read = rows.Row();
            cleaned = read;
            DBComponentTable::CleanRecord(cleaned, nWarehouseWidth);
            writer.Write(read, cleaned);
            long nKey = read.m_nComponentKey;
            bRow = rows.Next();
            StepProgress();
            if (bTransaction && ::GetTickCount64() - batchStart >= kMillisecondsPerCommit) {
                batchStart = ::GetTickCount64();
                commit();
                bTransaction = begin();
                if (bReopenAfterCommit && bRow)
                    bRow = rows.Start(nKey);
            }
        }
        if (bTransaction)
            commit();
    } catch (CException*) {
        if (bTransaction)
            rollback();
        throw;
    }
}
