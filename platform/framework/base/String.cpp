// CString and the text helpers around it.
#include "platform/framework/base/String.h"
#include "platform/framework/base/Exceptions.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

bool IsAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

using kvutf::CharLength;

// TRUE when the character s[i .. i+n) is one of the characters of the set.
bool InSet(std::string_view s, size_t i, size_t n, std::string_view set)
{
    // An ASCII byte never occurs inside a multi-byte character.
    if (n == 1 && (unsigned char)s[i] < 0x80)
        return set.find(s[i]) != std::string_view::npos;
    const std::string_view ch = s.substr(i, n);
    for (size_t k = 0; k < set.size();) {
        const size_t m = CharLength(set, k);
        if (set.substr(k, m) == ch)
            return true;
        k += m;
    }
    return false;
}

// Byte count of the leading characters that are (bIn) or are not (!bIn) in the set.
size_t SpanPrefix(std::string_view s, std::string_view set, bool bIn)
{
    size_t i = 0;
    while (i < s.size()) {
        const size_t n = CharLength(s, i);
        if (InSet(s, i, n, set) != bIn)
            break;
        i += n;
    }
    return i;
}

// Start of the trailing characters in the set.
size_t SpanSuffix(std::string_view s, std::string_view set)
{
    size_t keep = 0; // end of the last character not in the set
    for (size_t i = 0; i < s.size();) {
        const size_t n = CharLength(s, i);
        if (!InSet(s, i, n, set))
            keep = i + n;
        i += n;
    }
    return keep;
}

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

int Sign(int n)
{
    return n < 0 ? -1 : n > 0 ? 1 : 0;
}

std::string_view View(LPCSTR lpsz)
{
    return lpsz ? std::string_view(lpsz) : std::string_view();
}

// Applies a platform case mapping to a whole text.
void MapCase(std::string& s, bool bUpper)
{
    if (IsAscii(s)) {
        for (char& c : s) {
            if (bUpper && c >= 'a' && c <= 'z')
                c = (char)(c - 'a' + 'A');
            else if (!bUpper && c >= 'A' && c <= 'Z')
                c = (char)(c - 'A' + 'a');
        }
        return;
    }
    std::wstring w = kvutf::Widen(s.data(), (int)s.size());
    if (w.empty())
        return;
    if (bUpper)
        ::CharUpperBuffW(w.data(), (DWORD)w.size());
    else
        ::CharLowerBuffW(w.data(), (DWORD)w.size());
    s = kvutf::Narrow(w.data(), (int)w.size());
}

int CompareWide(const std::wstring& a, const std::wstring& b, DWORD dwFlags)
{
    const int r = ::CompareStringW(LOCALE_USER_DEFAULT, dwFlags, a.data(), (int)a.size(), b.data(),
                                   (int)b.size());
    return r == 0 ? Sign(a.compare(b)) : r - CSTR_EQUAL;
}

} // namespace

// ---- construction and assignment ----------------------------------------

CString::CString(LPCSTR lpsz)
{
    if (lpsz != nullptr && IS_INTRESOURCE(lpsz))
        LoadString((UINT)LOWORD((UINT_PTR)lpsz));
    else if (lpsz != nullptr)
        m_str = lpsz;
}

CString::CString(LPCSTR lpch, int nLength)
{
    if (lpch != nullptr && nLength > 0)
        m_str.assign(lpch, (size_t)nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz))
{
}

CString::CString(LPCWSTR lpsz) : m_str(lpsz ? kvutf::Narrow(lpsz) : std::string())
{
}

CString::CString(LPCWSTR lpch, int nLength) : m_str(nLength > 0 ? kvutf::Narrow(lpch, nLength) : std::string())
{
}

CString::CString(char ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign((size_t)nRepeat, ch);
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        m_str.clear();
    else
        m_str = lpsz; // std::string handles a pointer into its own text
    return *this;
}

CString& CString::operator=(LPCWSTR lpsz)
{
    m_str = lpsz ? kvutf::Narrow(lpsz) : std::string();
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

CString& CString::operator=(char ch)
{
    m_str.assign(1, ch);
    return *this;
}

CString& CString::Append(LPCSTR lpch, int nLength)
{
    if (lpch != nullptr && nLength > 0)
        m_str.append(lpch, (size_t)nLength);
    return *this;
}

void CString::SetString(LPCSTR lpch, int nLength)
{
    if (lpch == nullptr || nLength <= 0)
        m_str.clear();
    else
        m_str.assign(lpch, (size_t)nLength);
}

// ---- elements ----------------------------------------------------------

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_str.c_str()[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[(size_t)nIndex] = ch;
}

// ---- comparison --------------------------------------------------------

int CString::Compare(LPCSTR lpsz) const
{
    return Sign(std::string_view(m_str).compare(View(lpsz)));
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    const std::string_view other = View(lpsz);
    if (IsAscii(m_str) && IsAscii(other)) {
        const size_t n = std::min(m_str.size(), other.size());
        for (size_t i = 0; i < n; ++i) {
            int a = (unsigned char)m_str[i], b = (unsigned char)other[i];
            if (a >= 'A' && a <= 'Z') a += 'a' - 'A';
            if (b >= 'A' && b <= 'Z') b += 'a' - 'A';
            if (a != b)
                return a < b ? -1 : 1;
        }
        return m_str.size() == other.size() ? 0 : m_str.size() < other.size() ? -1 : 1;
    }
    // Other scripts: both lowered by the platform, then compared by code unit.
    std::wstring a = kvutf::Widen(m_str.data(), (int)m_str.size());
    std::wstring b = kvutf::Widen(other.data(), (int)other.size());
    if (!a.empty())
        ::CharLowerBuffW(a.data(), (DWORD)a.size());
    if (!b.empty())
        ::CharLowerBuffW(b.data(), (DWORD)b.size());
    return Sign(a.compare(b));
}

int CString::Collate(LPCSTR lpsz) const
{
    const std::string_view other = View(lpsz);
    return CompareWide(kvutf::Widen(m_str.data(), (int)m_str.size()), kvutf::Widen(other.data(), (int)other.size()), 0);
}

int CString::CollateNoCase(LPCSTR lpsz) const
{
    const std::string_view other = View(lpsz);
    return CompareWide(kvutf::Widen(m_str.data(), (int)m_str.size()), kvutf::Widen(other.data(), (int)other.size()),
                       NORM_IGNORECASE);
}

// ---- extraction --------------------------------------------------------

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const size_t len = m_str.size();
    const size_t first = nFirst < 0 ? 0 : std::min((size_t)nFirst, len);
    const size_t count = nCount < 0 ? 0 : std::min((size_t)nCount, len - first);
    if (first == 0 && count == len)
        return *this;
    return CString(std::string_view(m_str).substr(first, count));
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    const int len = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= len)
        return *this;
    return CString(std::string_view(m_str).substr((size_t)(len - nCount)));
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    return CString(std::string_view(m_str).substr(0, SpanPrefix(m_str, View(lpszCharSet), true)));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    return CString(std::string_view(m_str).substr(0, SpanPrefix(m_str, View(lpszCharSet), false)));
}

// ---- case and order ----------------------------------------------------

CString& CString::MakeUpper()
{
    MapCase(m_str, true);
    return *this;
}

CString& CString::MakeLower()
{
    MapCase(m_str, false);
    return *this;
}

CString& CString::MakeReverse()
{
    // Reverse by character, so that multi-byte characters stay whole.
    std::string out;
    out.resize(m_str.size());
    size_t end = m_str.size();
    for (size_t i = 0; i < m_str.size();) {
        const size_t n = CharLength(m_str, i);
        end -= n;
        std::memcpy(&out[end], &m_str[i], n);
        i += n;
    }
    m_str.swap(out);
    return *this;
}

// ---- editing -----------------------------------------------------------

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    if (chOld == chNew)
        return (int)std::count(m_str.begin(), m_str.end(), chOld);
    for (char& c : m_str)
        if (c == chOld) {
            c = chNew;
            ++n;
        }
    return n;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    const std::string_view oldText = View(lpszOld);
    if (oldText.empty())
        return 0;
    const std::string newText(View(lpszNew)); // copied: it may point into this text
    const std::string oldCopy(oldText);
    int n = 0;
    std::string out;
    size_t from = 0;
    for (size_t at; (at = m_str.find(oldCopy, from)) != std::string::npos; from = at + oldCopy.size()) {
        if (n == 0)
            out.reserve(m_str.size());
        out.append(m_str, from, at - from);
        out += newText;
        ++n;
    }
    if (n == 0)
        return 0;
    out.append(m_str, from, std::string::npos);
    m_str.swap(out);
    return n;
}

int CString::Remove(char chRemove)
{
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, char ch)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    m_str.insert(m_str.begin() + nIndex, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    nIndex = std::clamp(nIndex, 0, GetLength());
    const std::string text(View(pstr));
    m_str.insert((size_t)nIndex, text);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nCount > 0 && nIndex < GetLength())
        m_str.erase((size_t)nIndex, (size_t)nCount);
    return GetLength();
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    m_str.resize((size_t)nNewLength);
}

// ---- trimming ----------------------------------------------------------

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

CString& CString::TrimLeft()
{
    m_str.erase(0, SpanPrefix(m_str, kWhiteSpace, true));
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    const size_t n = m_str.find_first_not_of(chTarget);
    m_str.erase(0, n == std::string::npos ? m_str.size() : n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    m_str.erase(0, SpanPrefix(m_str, View(lpszTargets), true));
    return *this;
}

CString& CString::TrimRight()
{
    m_str.resize(SpanSuffix(m_str, kWhiteSpace));
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    const size_t n = m_str.find_last_not_of(chTarget);
    m_str.resize(n == std::string::npos ? 0 : n + 1);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    m_str.resize(SpanSuffix(m_str, View(lpszTargets)));
    return *this;
}

// ---- searching ---------------------------------------------------------

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart >= GetLength())
        return -1;
    const size_t at = m_str.find(ch, (size_t)nStart);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (nStart < 0)
        nStart = 0;
    if (nStart > GetLength() || lpszSub == nullptr)
        return -1;
    const size_t at = m_str.find(lpszSub, (size_t)nStart);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::ReverseFind(char ch) const
{
    const size_t at = m_str.rfind(ch);
    return at == std::string::npos ? -1 : (int)at;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    const size_t at = SpanPrefix(m_str, View(lpszCharSet), false);
    return at >= m_str.size() ? -1 : (int)at;
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    const std::string_view rest = std::string_view(m_str).substr((size_t)iStart);
    const std::string_view tokens = View(pszTokens);
    if (tokens.empty()) {
        iStart = GetLength();
        return CString(rest);
    }
    const size_t skip = SpanPrefix(rest, tokens, true);
    if (skip >= rest.size()) {
        iStart = -1;
        return CString();
    }
    const size_t len = SpanPrefix(rest.substr(skip), tokens, false);
    const size_t end = skip + len; // index (within rest) of the delimiter or the end
    // Step past the delimiter, whole when it is a multi-byte character.
    iStart += (int)(end < rest.size() ? end + CharLength(rest, end) : end);
    return CString(rest.substr(skip, len));
}

// ---- formatting --------------------------------------------------------

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    CString out;
    out.AppendFormatV(lpszFormat, argList);
    m_str.swap(out.m_str);
}

void CString::AppendFormatV(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == nullptr)
        AfxThrowInvalidArgException();
    char small[256];
    va_list copy;
    va_copy(copy, argList);
    const int n = std::vsnprintf(small, sizeof(small), lpszFormat, copy);
    va_end(copy);
    if (n < 0)
        AfxThrowInvalidArgException();
    if ((size_t)n < sizeof(small)) {
        m_str.append(small, (size_t)n);
        return;
    }
    // Large texts: format straight into the string's own storage.
    const size_t oldLen = m_str.size();
    m_str.resize(oldLen + (size_t)n);
    std::vsnprintf(m_str.data() + oldLen, (size_t)n + 1, lpszFormat, argList);
}

void CString::FormatMessageV(LPCSTR lpszFormat, va_list* pArgList)
{
    if (lpszFormat == nullptr)
        AfxThrowInvalidArgException();
    LPSTR lpBuffer = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                     lpszFormat, 0, 0, reinterpret_cast<LPSTR>(&lpBuffer), 0, pArgList);
    if (n == 0 || lpBuffer == nullptr) {
        if (lpBuffer)
            ::LocalFree(lpBuffer);
        if (::GetLastError() == ERROR_NOT_ENOUGH_MEMORY)
            AfxThrowMemoryException();
        m_str.clear();
        return;
    }
    m_str.assign(lpBuffer, n);
    ::LocalFree(lpBuffer);
}

void AFX_CDECL kvfmt::FormatTo(CString& out, bool bAppend, LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    try {
        // Arguments may be out's own text: format into a new string first.
        CString text;
        text.AppendFormatV(lpszFormat, args);
        if (bAppend)
            out += text;
        else
            out = std::move(text);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void AFX_CDECL kvfmt::FormatMessageTo(CString& out, LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    try {
        CString text;
        text.FormatMessageV(lpszFormat, &args);
        out = std::move(text);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void AFX_CDECL kvfmt::Trace(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    AfxTraceV(lpszFormat, args);
    va_end(args);
}

LPCSTR kvfmt::LoadFormat(UINT nID, CString& holder)
{
    if (!holder.LoadString(nID))
        AfxThrowResourceException();
    return holder;
}

// ---- resources ---------------------------------------------------------

BOOL CString::LoadString(UINT nID)
{
    // A resource module of translated texts may lack a string: the
    // program's own text is used then.
    const HINSTANCE hResource = AfxGetResourceHandle();
    if (LoadString(hResource, nID))
        return TRUE;
    const HINSTANCE hProgram = ::GetModuleHandleA(nullptr);
    return hResource != hProgram && LoadString(hProgram, nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With a zero buffer size the platform hands back a pointer to the string
    // in the resource itself, so strings of any length load whole.
    LPCWSTR pText = nullptr;
    const int n = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pText), 0);
    if (n <= 0 || pText == nullptr)
        return FALSE;
    m_str = kvutf::Narrow(pText, n);
    return TRUE;
}

// ---- buffer access -----------------------------------------------------

LPSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize((size_t)nMinBufLength);
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    if (nNewLength < 0)
        AfxThrowInvalidArgException();
    m_str.resize((size_t)nNewLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = (int)strnlen(m_str.c_str(), m_str.size());
    else if (nNewLength > GetLength())
        AfxThrowInvalidArgException(); // more than the buffer that was handed out
    m_str.resize((size_t)nNewLength);
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve((size_t)nLength);
}

BSTR CString::AllocSysString() const
{
    const std::wstring w = kvutf::Widen(m_str.data(), (int)m_str.size());
    BSTR bstr = ::SysAllocStringLen(w.data(), (UINT)w.size());
    if (bstr == nullptr)
        AfxThrowMemoryException();
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (pbstr == nullptr)
        AfxThrowInvalidArgException();
    const std::wstring w = kvutf::Widen(m_str.data(), (int)m_str.size());
    if (!::SysReAllocStringLen(pbstr, w.data(), (UINT)w.size()))
        AfxThrowMemoryException();
    return *pbstr;
}

BOOL CString::GetEnvironmentVariable(LPCSTR pszVar)
{
    m_str.clear();
    if (pszVar == nullptr)
        return FALSE;
    const DWORD n = ::GetEnvironmentVariableA(pszVar, nullptr, 0);
    if (n == 0)
        return FALSE;
    std::string value((size_t)n, '\0');
    const DWORD got = ::GetEnvironmentVariableA(pszVar, value.data(), n);
    if (got == 0 || got >= n)
        return FALSE;
    value.resize(got);
    m_str.swap(value);
    return TRUE;
}

// ---- free functions ----------------------------------------------------

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    std::string s;
    s.reserve(string1.str().size() + string2.str().size());
    s += string1.str();
    s += string2.str();
    return CString(std::move(s));
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

CString AFXAPI operator+(CString&& string1, const CString& string2)
{
    string1 += string2;
    return std::move(string1);
}

CString AFXAPI operator+(CString&& string, LPCSTR lpsz)
{
    string += lpsz;
    return std::move(string);
}

CString AFXAPI operator+(CString&& string, char ch)
{
    string += ch;
    return std::move(string);
}

CString LoadText(UINT nID, LPCSTR lpszFallback)
{
    CString text;
    if (text.LoadString(nID) && !text.IsEmpty())
        return text;
    return lpszFallback != nullptr ? CString(lpszFallback) : CString();
}

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep)
{
    rString.Empty();
    if (lpszFullString == nullptr || iSubString < 0 || (chSep == '\0' && iSubString > 0))
        return FALSE;
    const char* p = lpszFullString;
    while (iSubString--) {
        p = std::strchr(p, chSep);
        if (p == nullptr)
            return FALSE;
        ++p; // past the separator
    }
    const char* end = std::strchr(p, chSep);
    rString = CString(p, end ? (int)(end - p) : (int)std::strlen(p));
    return TRUE;
}

UINT AFXAPI AfxHashString(LPCSTR lpsz, size_t nLength)
{
    // FNV-1a.
    UINT h = 2166136261u;
    for (size_t i = 0; i < nLength; ++i) {
        h ^= (unsigned char)lpsz[i];
        h *= 16777619u;
    }
    return h;
}

// ---- UTF-8 and UTF-16 --------------------------------------------------

namespace kvutf {

std::wstring Widen(LPCSTR lpsz, int nLength)
{
    std::wstring out;
    if (lpsz == nullptr)
        return out;
    if (nLength < 0)
        nLength = (int)std::strlen(lpsz);
    if (nLength == 0)
        return out;
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, lpsz, nLength, nullptr, 0);
    if (n <= 0)
        return out;
    out.resize((size_t)n);
    ::MultiByteToWideChar(CP_UTF8, 0, lpsz, nLength, out.data(), n);
    return out;
}

std::string Narrow(LPCWSTR lpsz, int nLength)
{
    std::string out;
    if (lpsz == nullptr)
        return out;
    if (nLength < 0)
        nLength = (int)std::wcslen(lpsz);
    if (nLength == 0)
        return out;
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return out;
    out.resize((size_t)n);
    ::WideCharToMultiByte(CP_UTF8, 0, lpsz, nLength, out.data(), n, nullptr, nullptr);
    return out;
}

size_t CharLength(std::string_view s, size_t i)
{
    const unsigned char c = (unsigned char)s[i];
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + n > s.size())
        return 1;
    for (size_t k = 1; k < n; ++k)
        if (((unsigned char)s[i + k] & 0xC0) != 0x80)
            return 1;
    return n;
}

int ByteOffset(LPCSTR lpsz, int nLength, int nUnits)
{
    if (lpsz == nullptr || nUnits <= 0)
        return 0;
    const std::string_view s(lpsz, nLength < 0 ? std::strlen(lpsz) : (size_t)nLength);
    size_t i = 0;
    int units = 0;
    while (i < s.size()) {
        const size_t n = CharLength(s, i);
        units += UnitsOfChar(n);
        if (units > nUnits)
            break;
        i += n;
    }
    return (int)i;
}

} // namespace kvutf
