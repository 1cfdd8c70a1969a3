// CString: a value-semantics text of narrow (UTF-8) characters. Lengths and
// indexes count bytes, as in every narrow-text API of the platform.
#pragma once

#include "platform/framework/base/AfxBase.h"

#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

class CString
{
public:
    typedef char XCHAR;
    typedef char* PXSTR;
    typedef const char* PCXSTR;

    CString() = default;
    CString(const CString& stringSrc) = default;
    CString(CString&& stringSrc) noexcept = default;
    // A null pointer gives an empty text; a pointer whose value is a resource
    // id (MAKEINTRESOURCE) loads that string from the string table.
    CString(LPCSTR lpsz);
    CString(std::nullptr_t) {}
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    // Wide text is converted to UTF-8.
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    explicit CString(const std::string& str) : m_str(str) {}
    explicit CString(std::string&& str) noexcept : m_str(std::move(str)) {}
    explicit CString(std::string_view str) : m_str(str) {}
    ~CString() = default;

    // Size and elements.
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    // Element access; an index outside 0..GetLength()-1 throws
    // CInvalidArgException (GetAt also accepts GetLength(), the terminator).
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    template <class I, std::enable_if_t<std::is_integral_v<I>, int> = 0>
    char operator[](I nIndex) const { return GetAt(CheckedIndex(nIndex)); }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Assignment and concatenation.
    CString& operator=(const CString& stringSrc) = default;
    CString& operator=(CString&& stringSrc) noexcept = default;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(char ch);
    CString& operator+=(const CString& string) { m_str += string.m_str; return *this; }
    CString& operator+=(LPCSTR lpsz) { if (lpsz) m_str += lpsz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    CString& Append(LPCSTR lpsz) { return *this += lpsz; }
    CString& Append(LPCSTR lpch, int nLength);
    CString& Append(const CString& str) { return *this += str; }
    void AppendChar(char ch) { m_str += ch; }
    void SetString(LPCSTR lpsz) { *this = lpsz; }
    void SetString(LPCSTR lpch, int nLength);

    // Comparison: Compare is by byte (which for UTF-8 is by code point);
    // CompareNoCase folds letter case (every script the platform knows);
    // Collate orders by the user's locale.
    int Compare(LPCSTR lpsz) const;
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

    // Extraction. Out-of-range arguments are clipped: a negative start counts
    // as 0, a negative count as 0, and a start or count past the end gives
    // what is left (possibly nothing).
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;

    // Case and order (in place; return *this).
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Editing. Each returns the new length, or for Replace/Remove the number of
    // replacements or removals. Replace with an empty old text changes nothing.
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR pstr);
    int Delete(int nIndex, int nCount = 1);
    void Truncate(int nNewLength);

    // Trimming. Without argument: ASCII white space (space, tab, CR, LF, VT,
    // FF); with a character or a set of characters: those.
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    // Searching: the 0-based byte index of the first match at or after nStart,
    // or -1 (also when nStart is at or past the end).
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // The next token at or after iStart, delimited by any character of
    // pszTokens (leading delimiters are skipped); iStart moves past it. When
    // no token is left, returns an empty text and sets iStart to -1.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // printf-style formatting. A CString argument may be passed as it is: it is
    // handed on as its text.
    template <class... Args> void Format(LPCSTR lpszFormat, const Args&... args);
    template <class... Args> void Format(UINT nFormatID, const Args&... args);
    template <class... Args> void AppendFormat(LPCSTR lpszFormat, const Args&... args);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormatV(LPCSTR lpszFormat, va_list argList);
    // FormatMessage-style insertion of %1, %2... arguments.
    template <class... Args> void FormatMessage(LPCSTR lpszFormat, const Args&... args);
    template <class... Args> void FormatMessage(UINT nFormatID, const Args&... args);
    void FormatMessageV(LPCSTR lpszFormat, va_list* pArgList);

    // The string nID of the string table of the resource module. FALSE (and
    // the text left as it was) when there is no such string.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // Direct buffer access: GetBuffer returns a writable buffer of at least
    // nMinBufLength characters plus a terminator; ReleaseBuffer ends the
    // access and sets the length (-1: up to the first zero).
    LPSTR GetBuffer();
    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    LPSTR LockBuffer() { return &m_str[0]; }
    void UnlockBuffer() {}
    void FreeExtra() { m_str.shrink_to_fit(); }
    int GetAllocLength() const { return (int)m_str.capacity(); }
    void Preallocate(int nLength);

    // A new BSTR holding this text as UTF-16 (the caller frees it), and the
    // same into an existing BSTR.
    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    // Environment variable; FALSE (and empty) when it is not set.
    BOOL GetEnvironmentVariable(LPCSTR pszVar);

private:
    // Any index outside int's range is as invalid as any other bad index.
    template <class I> static int CheckedIndex(I n)
    {
        if constexpr (std::is_signed_v<I>)
            if (n < 0) return -1;
        if ((unsigned long long)n > 0x7FFFFFFFull) return -1;
        return (int)n;
    }

    std::string m_str;
};

typedef CString CStringA;

namespace kvfmt {
// Arguments of the printf-style functions: CString and std::string objects
// pass on as their text pointer, everything else as it is.
inline LPCSTR Arg(const CString& s) { return s.GetString(); }
inline LPCSTR Arg(const std::string& s) { return s.c_str(); }
template <class T> inline const T& Arg(const T& v) { return v; }
void AFX_CDECL FormatTo(CString& out, bool bAppend, LPCSTR lpszFormat, ...);
void AFX_CDECL FormatMessageTo(CString& out, LPCSTR lpszFormat, ...);
void AFX_CDECL Trace(LPCSTR lpszFormat, ...);
LPCSTR LoadFormat(UINT nID, CString& holder);
} // namespace kvfmt

template <class... Args> inline void CString::Format(LPCSTR lpszFormat, const Args&... args)
{
    kvfmt::FormatTo(*this, false, lpszFormat, kvfmt::Arg(args)...);
}
template <class... Args> inline void CString::Format(UINT nFormatID, const Args&... args)
{
    CString fmt;
    kvfmt::FormatTo(*this, false, kvfmt::LoadFormat(nFormatID, fmt), kvfmt::Arg(args)...);
}
template <class... Args> inline void CString::AppendFormat(LPCSTR lpszFormat, const Args&... args)
{
    kvfmt::FormatTo(*this, true, lpszFormat, kvfmt::Arg(args)...);
}
template <class... Args> inline void CString::FormatMessage(LPCSTR lpszFormat, const Args&... args)
{
    kvfmt::FormatMessageTo(*this, lpszFormat, kvfmt::Arg(args)...);
}
template <class... Args> inline void CString::FormatMessage(UINT nFormatID, const Args&... args)
{
    CString fmt;
    kvfmt::FormatMessageTo(*this, kvfmt::LoadFormat(nFormatID, fmt), kvfmt::Arg(args)...);
}

// Debug output with printf formatting (what TRACE expands to in debug builds).
template <class... Args> inline void AfxTrace(LPCSTR lpszFormat, const Args&... args)
{
    kvfmt::Trace(lpszFormat, kvfmt::Arg(args)...);
}

// Concatenation.
CString AFXAPI operator+(const CString& string1, const CString& string2);
CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
CString AFXAPI operator+(const CString& string, char ch);
CString AFXAPI operator+(char ch, const CString& string);
CString AFXAPI operator+(CString&& string1, const CString& string2);
CString AFXAPI operator+(CString&& string, LPCSTR lpsz);
CString AFXAPI operator+(CString&& string, char ch);

// Comparison (by byte, as Compare).
inline bool operator==(const CString& s1, const CString& s2) { return s1.str() == s2.str(); }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
inline bool operator!=(const CString& s1, LPCSTR s2) { return !(s1 == s2); }
inline bool operator!=(LPCSTR s1, const CString& s2) { return !(s1 == s2); }
inline bool operator<(const CString& s1, const CString& s2) { return s1.str() < s2.str(); }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s2 < s1; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return !(s2 < s1); }
inline bool operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return !(s1 < s2); }
inline bool operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }

// UTF-8 and UTF-16. The program's text is UTF-8; the wide system functions
// (text drawing and measuring among them, which read narrow text in the code
// page of the selected font rather than the program's) take it as UTF-16.
namespace kvutf {
// lpsz of nLength bytes (-1: up to its terminating null) as UTF-16.
std::wstring Widen(LPCSTR lpsz, int nLength = -1);
// lpsz of nLength UTF-16 units (-1: up to its terminating null) as UTF-8.
std::string Narrow(LPCWSTR lpsz, int nLength = -1);
// Bytes (1 to 4) of the UTF-8 character that starts at s[i]; 1 for a byte
// that starts no whole, valid character.
size_t CharLength(std::string_view s, size_t i);
// UTF-16 units (1 or 2) that Widen makes of the character of nBytes bytes.
inline int UnitsOfChar(size_t nBytes) { return nBytes == 4 ? 2 : 1; }
// The byte offset in lpsz (nLength bytes, -1: up to its null) of the
// character that holds UTF-16 unit nUnits of its wide form: a count of units
// taken from a wide function (characters that fit, characters drawn) mapped
// back to the UTF-8 text. A count that ends inside a character (between the
// two units of a surrogate pair) gives that character's start, so that a
// text cut there never holds part of a character; a count past the end
// gives the length.
int ByteOffset(LPCSTR lpsz, int nLength, int nUnits);
} // namespace kvutf

// Sub-string iSubString (0-based) of lpszFullString cut at every chSep into
// rString. FALSE (and rString empty) when there are fewer parts.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString,
                                char chSep = '\n');

// String nID of the program's resources (or of the language library that
// replaces them); lpszFallback, or empty text, when there is none.
CString LoadText(UINT nID, LPCSTR lpszFallback = nullptr);

// Hashing of texts for the maps keyed by string.
UINT AFXAPI AfxHashString(LPCSTR lpsz, size_t nLength);
