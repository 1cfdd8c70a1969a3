// The user's own SQL on the Query table, without windows: what kind of
// statement a text is, the statements of a text, and the file that keeps
// the user's named queries.
//
// The query file is a text file of the INI kind: one section "Query<n>" per
// query, n = 1, 2, 3 ... without gaps, with the keys "Title" (the name the
// user gave it) and "SQL" (the statement, every line break written as the
// four characters \r\n).
#pragma once

#include "platform/framework/Framework.h"

#include <vector>

namespace kvgrid {

// The kinds of statement.
enum QueryKind
{
    QUERY_OTHER = -1,       // anything else (CREATE, DROP, a comment only ...)
    QUERY_SELECT = 0,       // a SELECT that returns rows
    QUERY_SELECT_INTO = 1,  // a SELECT with INTO: it makes a table
    QUERY_DELETE = 2,
    QUERY_UPDATE = 3,
    QUERY_INSERT = 4,
    QUERY_ALTER = 5,
};

// The kind of a statement by its first word, whatever blanks, tabs, line
// breaks and comments ("-- ..." to the end of the line, "/* ... */") come
// before it and whatever the letters' case. A SELECT holding the word INTO
// anywhere is QUERY_SELECT_INTO: when in doubt a statement counts as one that
// changes the database.
int ClassifyQuery(const CString& text);

// The verb of a statement that changes rows, as the confirmation names it
// ("DELETE ", "UPDATE ", "INSERT ", "ALTER "); empty for the other kinds.
CString QueryVerb(int nKind);

// The first word of a statement (after blanks and comments), upper case.
CString QueryFirstWord(const CString& text);

// The statements of a text: cut at every "~" that is not inside a quoted
// text ('...', "..." or [...]), each trimmed at both ends; empty ones are
// left out. Line breaks inside a statement stay.
std::vector<CString> SplitQueryStatements(const CString& text);

// One saved query.
struct SavedQuery
{
    CString title;
    CString sql;
};

// The query file: read whole, changed in memory, written whole.
class CQueryFile
{
public:
    explicit CQueryFile(const CString& path);

    const CString& GetPath() const { return m_strPath; }
    BOOL Exists() const;

    // Reads the file. A missing file is a file without queries (TRUE). FALSE
    // when the file could not be opened, or is damaged: lines that are not
    // understood, numbers missing or given twice, a query without a title;
    // every query that can be read is kept all the same (one without a title
    // is named after its section), in the order of the numbers.
    BOOL Load();
    // Whether the last Load found damage; the first line (1-based) that
    // showed it (0: none, or the damage is a number missing) and how many
    // problems there were.
    BOOL IsDamaged() const { return m_nProblems > 0; }
    int GetFirstDamagedLine() const { return m_nFirstDamagedLine; }
    int GetProblemCount() const { return m_nProblems; }
    // Where the damaged file was kept before it was written again (empty
    // until then).
    const CString& GetDamagedCopyPath() const { return m_strDamagedCopy; }

    const std::vector<SavedQuery>& GetQueries() const { return m_queries; }
    int GetCount() const { return (int)m_queries.size(); }
    // The index of the query of exactly this title; -1 when none.
    int Find(const CString& title) const;
    // Adds a query at the end; its index.
    int Add(const SavedQuery& query);
    void Set(int nIndex, const SavedQuery& query);
    void Remove(int nIndex);

    // Writes every query (sections numbered from 1), through a new file that
    // then takes the old one's place, so that a failure leaves the old file
    // as it was. A damaged file read by Load is first kept as a copy beside
    // it ("<name>.damaged", numbered when that exists). FALSE when the file
    // could not be written.
    BOOL Save();

    // The SQL as the file holds it (line breaks as \r\n) and back.
    static CString EncodeSql(const CString& sql);
    static CString DecodeSql(const CString& text);

private:
    void NoteProblem(int nLine);

    CString m_strPath;
    std::vector<SavedQuery> m_queries;
    // Sections of other names, kept as they were read.
    std::vector<CString> m_otherLines;
    int m_nProblems = 0;
    int m_nFirstDamagedLine = 0;
    BOOL m_bKeepDamagedCopy = FALSE;
    CString m_strDamagedCopy;
};

} // namespace kvgrid
