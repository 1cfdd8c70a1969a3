#include "platform/framework/base/ProfileFile.h"

#include <windows.h>

#include <cctype>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::string Lower(const char* text)
{
    std::string s = text != nullptr ? text : "";
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

std::string Trim(const std::string& s)
{
    size_t first = 0, last = s.size();
    while (first < last && std::isspace((unsigned char)s[first]))
        ++first;
    while (last > first && std::isspace((unsigned char)s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

struct Entry
{
    std::string key;
    std::string value;
    bool hasValue = true;  // a line without "=" names a key with no value
};

struct Section
{
    std::string name;
    std::vector<Entry> entries;
    std::unordered_map<std::string, size_t> first;  // lower-case key -> its first entry
};

// The copy of one file, and what the file was like when it was read.
struct FileCopy
{
    bool valid = false;
    bool exists = false;
    FILETIME written = {};
    DWORD sizeLow = 0, sizeHigh = 0;
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> index;  // lower-case name -> section
};

std::mutex& Lock()
{
    static std::mutex lock;
    return lock;
}

std::map<std::string, FileCopy>& Copies()
{
    static std::map<std::string, FileCopy> copies;
    return copies;
}

// Whether the file is as it was when copied (FALSE for a copy never read).
bool Stamp(const char* file, FileCopy& copy, bool bStore)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    bool exists = ::GetFileAttributesExA(file, GetFileExInfoStandard, &data) != FALSE;
    bool same = copy.valid && exists == copy.exists &&
                (!exists || (CompareFileTime(&data.ftLastWriteTime, &copy.written) == 0 &&
                             data.nFileSizeLow == copy.sizeLow && data.nFileSizeHigh == copy.sizeHigh));
    if (bStore) {
        copy.exists = exists;
        copy.written = data.ftLastWriteTime;
        copy.sizeLow = data.nFileSizeLow;
        copy.sizeHigh = data.nFileSizeHigh;
    }
    return same;
}

// A list of zero-ended texts that a profile function fills, the room grown
// until it fits.
template <class Read>
std::vector<char> ReadList(Read read)
{
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD n = read(buffer.data(), (DWORD)buffer.size());
        if (n + 2 < buffer.size() || buffer.size() >= (1u << 24)) {
            buffer.resize(n + 2, '\0');
            return buffer;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

void Load(const char* file, FileCopy& copy)
{
    copy.sections.clear();
    copy.index.clear();
    Stamp(file, copy, true);
    if (copy.exists) {
        std::vector<char> names =
            ReadList([&](char* p, DWORD n) { return ::GetPrivateProfileSectionNamesA(p, n, file); });
        for (const char* name = names.data(); *name != '\0'; name += strlen(name) + 1) {
            Section section;
            section.name = name;
            std::vector<char> lines =
                ReadList([&](char* p, DWORD n) { return ::GetPrivateProfileSectionA(name, p, n, file); });
            for (const char* line = lines.data(); *line != '\0'; line += strlen(line) + 1) {
                Entry entry;
                const char* equals = strchr(line, '=');
                entry.key = equals != nullptr ? std::string(line, equals) : std::string(line);
                entry.value = equals != nullptr ? std::string(equals + 1) : std::string();
                entry.hasValue = equals != nullptr;
                section.first.emplace(Lower(entry.key.c_str()), section.entries.size());
                section.entries.push_back(std::move(entry));
            }
            copy.index.emplace(Lower(name), copy.sections.size());
            copy.sections.push_back(std::move(section));
        }
    }
    copy.valid = true;
}

// The copy of a file, read again when the file changed.
FileCopy& Current(const char* file)
{
    FileCopy& copy = Copies()[Lower(file)];
    if (!Stamp(file, copy, false))
        Load(file, copy);
    return copy;
}

const Entry* Find(FileCopy& copy, const char* section, const char* key)
{
    auto s = copy.index.find(Lower(section));
    if (s == copy.index.end())
        return nullptr;
    const Section& found = copy.sections[s->second];
    auto k = found.first.find(Lower(key));
    return k == found.first.end() ? nullptr : &found.entries[k->second];
}

// A value as the profile functions give it: without quotes that enclose it.
std::string Unquoted(const std::string& value)
{
    if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// A value the copy takes as the file will hold it, or FALSE when only
// reading the file again tells.
bool Update(FileCopy& copy, const char* section, const char* key, const char* value)
{
    if (key == nullptr || value == nullptr || strpbrk(value, "\r\n") != nullptr || strpbrk(key, "\r\n=[]") != nullptr)
        return false;
    std::string name = Lower(section);
    auto s = copy.index.find(name);
    if (s == copy.index.end()) {
        Section added;
        added.name = section;
        s = copy.index.emplace(name, copy.sections.size()).first;
        copy.sections.push_back(std::move(added));
    }
    Section& target = copy.sections[s->second];
    std::string k = Trim(key);
    auto e = target.first.find(Lower(k.c_str()));
    if (e == target.first.end()) {
        e = target.first.emplace(Lower(k.c_str()), target.entries.size()).first;
        target.entries.push_back(Entry{k, std::string(), true});
    }
    target.entries[e->second].value = Trim(value);
    target.entries[e->second].hasValue = true;
    return true;
}

} // namespace

namespace kvprofile {

CString ReadString(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszDefault)
{
    if (lpszDefault == nullptr)
        lpszDefault = "";
    if (lpszFile == nullptr || lpszSection == nullptr || lpszKey == nullptr)
        return CString(lpszDefault);
    std::lock_guard<std::mutex> hold(Lock());
    const Entry* entry = Find(Current(lpszFile), lpszSection, lpszKey);
    if (entry == nullptr || !entry->hasValue)
        return CString(lpszDefault);
    return CString(Unquoted(entry->value).c_str());
}

int ReadInt(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, int nDefault)
{
    CString text = ReadString(lpszFile, lpszSection, lpszKey, "");
    if (text.IsEmpty())
        return nDefault;
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))
        base = 16, p += 2;
    else if (p[0] == '0' && (p[1] == 'o' || p[1] == 'O'))
        base = 8, p += 2;
    else if (p[0] == '0' && (p[1] == 'b' || p[1] == 'B'))
        base = 2, p += 2;
    unsigned value = 0;
    for (;; ++p) {
        unsigned digit = *p >= '0' && *p <= '9'   ? (unsigned)(*p - '0')
                         : *p >= 'a' && *p <= 'f' ? (unsigned)(*p - 'a' + 10)
                         : *p >= 'A' && *p <= 'F' ? (unsigned)(*p - 'A' + 10)
                                                  : 99u;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return negative ? -(int)value : (int)value;
}

BOOL ReadKeys(LPCSTR lpszFile, LPCSTR lpszSection, CStringArray& keys)
{
    keys.RemoveAll();
    if (lpszFile == nullptr || lpszSection == nullptr || lpszSection[0] == '\0')
        return FALSE;
    std::lock_guard<std::mutex> hold(Lock());
    FileCopy& copy = Current(lpszFile);
    auto s = copy.index.find(Lower(lpszSection));
    if (s == copy.index.end())
        return FALSE;
    for (const Entry& entry : copy.sections[s->second].entries)
        keys.Add(entry.key.c_str());
    return keys.GetSize() != 0;
}

BOOL WriteString(LPCSTR lpszFile, LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue)
{
    if (lpszFile == nullptr || lpszSection == nullptr)
        return FALSE;
    std::lock_guard<std::mutex> hold(Lock());
    FileCopy& copy = Copies()[Lower(lpszFile)];
    // The copy must be the file's before the write, to stay so after it.
    bool bCurrent = Stamp(lpszFile, copy, false);
    BOOL bWritten = ::WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, lpszFile);
    if (bWritten && bCurrent && Update(copy, lpszSection, lpszKey, lpszValue))
        Stamp(lpszFile, copy, true);
    else
        copy.valid = false;
    return bWritten;
}

} // namespace kvprofile
