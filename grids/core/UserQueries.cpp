#include "grids/core/UserQueries.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdlib>
#include <map>

namespace kvgrid {

namespace {

bool IsWordChar(char ch)
{
    return std::isalnum((unsigned char)ch) || ch == '_';
}

// The position of the first character after blanks and comments from nPos.
int SkipBlanksAndComments(const CString& text, int nPos)
{
    const int n = text.GetLength();
    for (;;) {
        while (nPos < n && std::isspace((unsigned char)text[nPos]))
            nPos++;
        if (nPos + 1 < n && text[nPos] == '-' && text[nPos + 1] == '-') {
            while (nPos < n && text[nPos] != '\n' && text[nPos] != '\r')
                nPos++;
            continue;
        }
        if (nPos + 1 < n && text[nPos] == '/' && text[nPos + 1] == '*') {
            int nEnd = text.Find("*/", nPos + 2);
            nPos = nEnd < 0 ? n : nEnd + 2;
            continue;
        }
        return nPos;
    }
}

// TRUE when the upper-case text holds the word as a whole word.
bool HoldsWord(const CString& upper, const char* word)
{
    const int nLen = (int)std::strlen(word);
    for (int nPos = upper.Find(word); nPos >= 0; nPos = upper.Find(word, nPos + 1)) {
        bool bStart = nPos == 0 || !IsWordChar(upper[nPos - 1]);
        bool bEnd = nPos + nLen >= upper.GetLength() || !IsWordChar(upper[nPos + nLen]);
        if (bStart && bEnd)
            return true;
    }
    return false;
}

// "Query<n>" without regard to case: n (1 or more), else 0.
int QuerySectionNumber(const CString& name)
{
    if (name.GetLength() < 6 || name.Left(5).CompareNoCase("Query") != 0)
        return 0;
    CString digits = name.Mid(5);
    for (int i = 0; i < digits.GetLength(); i++)
        if (!std::isdigit((unsigned char)digits[i]))
            return 0;
    if (digits.GetLength() > 9)
        return 0;
    return std::atoi(digits);
}

BOOL ReadWholeFile(const CString& path, std::string& bytes, BOOL& bMissing)
{
    bMissing = FALSE;
    HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        bMissing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return FALSE;
    }
    bytes.clear();
    char buffer[16384];
    DWORD nRead = 0;
    BOOL bOk = TRUE;
    while ((bOk = ::ReadFile(h, buffer, sizeof(buffer), &nRead, nullptr)) && nRead > 0)
        bytes.append(buffer, nRead);
    ::CloseHandle(h);
    return bOk;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Statements

CString QueryFirstWord(const CString& text)
{
    int nPos = SkipBlanksAndComments(text, 0);
    int nEnd = nPos;
    while (nEnd < text.GetLength() && IsWordChar(text[nEnd]))
        nEnd++;
    CString word = text.Mid(nPos, nEnd - nPos);
    word.MakeUpper();
    return word;
}

int ClassifyQuery(const CString& text)
{
    const CString word = QueryFirstWord(text);
    if (word == "SELECT") {
        CString upper = text;
        upper.MakeUpper();
        return HoldsWord(upper, "INTO") ? QUERY_SELECT_INTO : QUERY_SELECT;
    }
    if (word == "DELETE")
        return QUERY_DELETE;
    if (word == "UPDATE")
        return QUERY_UPDATE;
    if (word == "INSERT")
        return QUERY_INSERT;
    if (word == "ALTER")
        return QUERY_ALTER;
    return QUERY_OTHER;
}

CString QueryVerb(int nKind)
{
    switch (nKind) {
    case QUERY_DELETE:
        return "DELETE ";
    case QUERY_UPDATE:
        return "UPDATE ";
    case QUERY_INSERT:
        return "INSERT ";
    case QUERY_ALTER:
        return "ALTER ";
    default:
        return CString();
    }
}

std::vector<CString> SplitQueryStatements(const CString& text)
{
    std::vector<CString> statements;
    CString current;
    char chClose = 0;  // the quote that ends the quoted text being read
    auto finish = [&]() {
        current.Trim();
        if (!current.IsEmpty())
            statements.push_back(current);
        current.Empty();
    };
    for (int i = 0; i < text.GetLength(); i++) {
        const char ch = text[i];
        if (chClose != 0) {
            if (ch == chClose)
                chClose = 0;
        }
        else if (ch == '\'' || ch == '"') {
            chClose = ch;
        }
        else if (ch == '[') {
            chClose = ']';
        }
        else if (ch == '~') {
            finish();
            continue;
        }
        current += ch;
    }
    finish();
    return statements;
}

/////////////////////////////////////////////////////////////////////////////
// The query file

CQueryFile::CQueryFile(const CString& path) : m_strPath(path)
{
}

BOOL CQueryFile::Exists() const
{
    DWORD attributes = ::GetFileAttributesA(m_strPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CString CQueryFile::EncodeSql(const CString& sql)
{
    CString text = sql;
    text.Replace("\r\n", "\\r\\n");
    // Lone line breaks would end the value too.
    text.Replace("\n", "\\r\\n");
    text.Replace("\r", "\\r\\n");
    return text;
}

CString CQueryFile::DecodeSql(const CString& text)
{
    CString sql = text;
    sql.Replace("\\r\\n", "\r\n");
    return sql;
}

void CQueryFile::NoteProblem(int nLine)
{
    if (m_nProblems == 0 || (nLine > 0 && (m_nFirstDamagedLine == 0 || nLine < m_nFirstDamagedLine)))
        m_nFirstDamagedLine = nLine;
    m_nProblems++;
    m_bKeepDamagedCopy = TRUE;
}

BOOL CQueryFile::Load()
{
    m_queries.clear();
    m_otherLines.clear();
    m_nProblems = 0;
    m_nFirstDamagedLine = 0;
    m_bKeepDamagedCopy = FALSE;
    m_strDamagedCopy.Empty();

    std::string bytes;
    BOOL bMissing = FALSE;
    if (!ReadWholeFile(m_strPath, bytes, bMissing))
        return bMissing;
    // A byte-order mark in front of the first section is no text.
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);

    struct Section
    {
        int nNumber = 0;
        int nLine = 0;
        BOOL bTitle = FALSE;
        BOOL bSql = FALSE;
        SavedQuery query;
    };
    std::vector<Section> sections;
    Section* pSection = nullptr;
    BOOL bInOther = FALSE;
    int nLine = 0;
    size_t nStart = 0;
    while (nStart < bytes.size()) {
        size_t nEnd = bytes.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = bytes.size();
        CString line(bytes.substr(nStart, nEnd - nStart).c_str());
        const bool bHasNul = bytes.substr(nStart, nEnd - nStart).find('\0') != std::string::npos;
        nStart = nEnd + 1;
        nLine++;
        if (line.GetLength() > 0 && line[line.GetLength() - 1] == '\r')
            line.Truncate(line.GetLength() - 1);
        CString trimmed = line;
        trimmed.Trim();
        if (bHasNul) {
            NoteProblem(nLine);
            continue;
        }
        if (trimmed.IsEmpty() || trimmed[0] == ';') {
            if (bInOther)
                m_otherLines.push_back(line);
            continue;
        }
        if (trimmed[0] == '[') {
            if (trimmed[trimmed.GetLength() - 1] != ']') {
                NoteProblem(nLine);
                pSection = nullptr;
                bInOther = FALSE;
                continue;
            }
            CString name = trimmed.Mid(1, trimmed.GetLength() - 2);
            name.Trim();
            int nNumber = QuerySectionNumber(name);
            if (nNumber > 0) {
                sections.emplace_back();
                pSection = &sections.back();
                pSection->nNumber = nNumber;
                pSection->nLine = nLine;
                bInOther = FALSE;
            }
            else {
                pSection = nullptr;
                bInOther = TRUE;
                m_otherLines.push_back(line);
            }
            continue;
        }
        int nEqual = trimmed.Find('=');
        if (nEqual <= 0) {
            NoteProblem(nLine);
            continue;
        }
        if (bInOther) {
            m_otherLines.push_back(line);
            continue;
        }
        if (pSection == nullptr) {
            // A value before any section belongs to no query.
            NoteProblem(nLine);
            continue;
        }
        CString key = trimmed.Left(nEqual);
        key.Trim();
        CString value = trimmed.Mid(nEqual + 1);
        value.Trim();
        if (key.CompareNoCase("Title") == 0) {
            if (pSection->bTitle)
                NoteProblem(nLine);
            pSection->bTitle = TRUE;
            pSection->query.title = value;
        }
        else if (key.CompareNoCase("SQL") == 0) {
            if (pSection->bSql)
                NoteProblem(nLine);
            pSection->bSql = TRUE;
            pSection->query.sql = DecodeSql(value);
        }
    }

    std::stable_sort(sections.begin(), sections.end(),
                     [](const Section& a, const Section& b) { return a.nNumber < b.nNumber; });
    int nExpected = 1;
    for (Section& section : sections) {
        if (section.query.title.IsEmpty() && section.query.sql.IsEmpty())
            continue;
        if (section.nNumber != nExpected)
            NoteProblem(section.nLine);
        nExpected = section.nNumber + 1;
        if (section.query.title.IsEmpty()) {
            NoteProblem(section.nLine);
            section.query.title.Format("Query%d", section.nNumber);
        }
        m_queries.push_back(section.query);
    }
    return m_nProblems == 0;
}

int CQueryFile::Find(const CString& title) const
{
    for (size_t i = 0; i < m_queries.size(); i++)
        if (m_queries[i].title == title)
            return (int)i;
    return -1;
}

int CQueryFile::Add(const SavedQuery& query)
{
    m_queries.push_back(query);
    return (int)m_queries.size() - 1;
}

void CQueryFile::Set(int nIndex, const SavedQuery& query)
{
    if (nIndex >= 0 && nIndex < (int)m_queries.size())
        m_queries[(size_t)nIndex] = query;
}

void CQueryFile::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < (int)m_queries.size())
        m_queries.erase(m_queries.begin() + nIndex);
}

BOOL CQueryFile::Save()
{
    if (m_bKeepDamagedCopy && m_strDamagedCopy.IsEmpty() && Exists()) {
        // The file as it was stays beside the new one under a free name.
        for (int n = 1; n < 1000; n++) {
            CString copy = m_strPath + ".damaged";
            if (n > 1)
                copy.AppendFormat("%d", n);
            if (::CopyFileA(m_strPath, copy, TRUE)) {
                m_strDamagedCopy = copy;
                break;
            }
            if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
                return FALSE;
        }
        if (m_strDamagedCopy.IsEmpty())
            return FALSE;
    }

    std::string text;
    for (size_t i = 0; i < m_queries.size(); i++) {
        CString title = m_queries[i].title;
        // A title is one line.
        title.Replace("\r\n", " ");
        title.Replace('\r', ' ');
        title.Replace('\n', ' ');
        CString section;
        section.Format("[Query%d]\r\nTitle=%s\r\nSQL=%s\r\n", (int)i + 1, (LPCTSTR)title,
                       (LPCTSTR)EncodeSql(m_queries[i].sql));
        text += (LPCTSTR)section;
    }
    for (const CString& line : m_otherLines) {
        text += (LPCTSTR)line;
        text += "\r\n";
    }

    const CString temporary = m_strPath + ".new";
    HANDLE h = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    BOOL bOk = ::WriteFile(h, text.data(), (DWORD)text.size(), &nWritten, nullptr) && nWritten == text.size();
    bOk = ::FlushFileBuffers(h) && bOk;
    ::CloseHandle(h);
    if (!bOk || !::MoveFileExA(temporary, m_strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(temporary);
        return FALSE;
    }
    m_bKeepDamagedCopy = FALSE;
    return TRUE;
}

} // namespace kvgrid
