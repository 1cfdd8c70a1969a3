#include "platform/odbc/ODBCConnect.h"

#include <windows.h>

#include <cstring>

namespace kvodbc {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

bool Contains(const std::string& text, const char* part)
{
    return Lower(text).find(Lower(part)) != std::string::npos;
}

std::string StripBraces(std::string v)
{
    if (v.size() >= 2 && v.front() == '{' && v.back() == '}')
        return v.substr(1, v.size() - 2);
    return v;
}

std::wstring Widen(const std::string& s)
{
    if (s.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.c_str(), (int)s.size(), &w[0], n);
    return w;
}

std::string Narrow(const wchar_t* w)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string s(n - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
    return s;
}

typedef char*(CDECL* UnixNameFn)(LPCWSTR);
typedef WCHAR*(CDECL* DosNameFn)(LPCSTR);

UnixNameFn UnixNameFunction()
{
    static UnixNameFn fn = (UnixNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                            "wine_get_unix_file_name");
    return fn;
}

DosNameFn DosNameFunction()
{
    static DosNameFn fn = (DosNameFn)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                                          "wine_get_dos_file_name");
    return fn;
}

bool IsLinuxPath(const std::string& path)
{
    return !path.empty() && path[0] == '/';
}

enum class Family
{
    None,
    SQLite,
    Access,
    MdbTools,
};

Family DriverFamily(const std::string& driver)
{
    if (driver.empty())
        return Family::None;
    if (Contains(driver, "mdbtools") || Contains(driver, "mdb tools"))
        return Family::MdbTools;
    if (Contains(driver, "sqlite"))
        return Family::SQLite;
    if (Contains(driver, "access") || Contains(driver, "*.mdb") || Contains(driver, "*.accdb"))
        return Family::Access;
    return Family::None;
}

bool IsInstalled(const std::vector<std::string>& installed, const std::string& driver)
{
    for (auto& d : installed)
        if (Lower(d) == Lower(driver))
            return true;
    return false;
}

// The installed SQLite 3 driver: "SQLite3" itself, else any whose name says
// SQLite3 (the plain "SQLite" driver is for the older file format).
std::string FindSQLiteDriver(const std::vector<std::string>& installed)
{
    for (auto& d : installed)
        if (Lower(d) == "sqlite3")
            return d;
    for (auto& d : installed)
        if (Contains(d, "sqlite3"))
            return d;
    return std::string();
}

std::string FindMdbToolsDriver(const std::vector<std::string>& installed)
{
    for (auto& d : installed)
        if (DriverFamily(d) == Family::MdbTools)
            return d;
    return std::string();
}

std::string SQLiteConnect(const std::string& driver, const std::string& file, unsigned busyTimeoutMs)
{
    return "Driver={" + driver + "};Database=" + DriverPath(file) + ";NoCreat=1;Timeout=" +
           std::to_string(busyTimeoutMs) + ";";
}

} // namespace

FileKind DetectFileKind(const std::string& path)
{
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetFileAttributesW(Widen(path).c_str()) == INVALID_FILE_ATTRIBUTES ? FileKind::Missing
                                                                                  : FileKind::Other;
    char header[32] = {};
    DWORD got = 0;
    BOOL ok = ReadFile(h, header, sizeof(header), &got, nullptr);
    CloseHandle(h);
    if (!ok)
        return FileKind::Other;
    if (got >= 16 && std::memcmp(header, "SQLite format 3\0", 16) == 0)
        return FileKind::SQLite;
    if (got >= 19 && (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
                      std::memcmp(header + 4, "Standard ACE DB", 15) == 0))
        return FileKind::Access;
    return FileKind::Other;
}

std::vector<ConnectAttribute> ParseConnectString(const std::string& connect)
{
    std::vector<ConnectAttribute> out;
    size_t i = 0;
    while (i < connect.size()) {
        size_t eq = connect.find('=', i);
        size_t semi = connect.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            // A word without value (or an empty part).
            size_t end = semi == std::string::npos ? connect.size() : semi;
            std::string key = connect.substr(i, end - i);
            if (!key.empty())
                out.push_back({key, std::string()});
            i = end + 1;
            continue;
        }
        ConnectAttribute a;
        a.key = connect.substr(i, eq - i);
        size_t v = eq + 1;
        size_t end;
        if (v < connect.size() && connect[v] == '{') {
            size_t close = connect.find('}', v);
            end = close == std::string::npos ? connect.size() : close + 1;
            a.value = connect.substr(v, end - v);
            size_t next = connect.find(';', end);
            end = next == std::string::npos ? connect.size() : next;
        } else {
            end = connect.find(';', v);
            if (end == std::string::npos)
                end = connect.size();
            a.value = connect.substr(v, end - v);
        }
        out.push_back(a);
        i = end + 1;
    }
    return out;
}

std::string JoinConnectString(const std::vector<ConnectAttribute>& attributes)
{
    std::string out;
    for (auto& a : attributes) {
        out += a.key;
        if (!a.value.empty())
            out += "=" + a.value;
        out += ";";
    }
    return out;
}

std::string ConnectValue(const std::vector<ConnectAttribute>& attributes, const char* key)
{
    for (auto& a : attributes)
        if (Lower(a.key) == Lower(key))
            return StripBraces(a.value);
    return std::string();
}

bool RunningUnderWine()
{
    return UnixNameFunction() != nullptr;
}

std::string DriverPath(const std::string& path)
{
    UnixNameFn fn = UnixNameFunction();
    if (!fn || path.empty() || IsLinuxPath(path))
        return path;
    char* unixName = fn(Widen(path).c_str());
    if (!unixName)
        return path;
    std::string out = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return out;
}

std::string LocalPath(const std::string& path)
{
    DosNameFn fn = DosNameFunction();
    if (!fn || !IsLinuxPath(path))
        return path;
    WCHAR* dos = fn(path.c_str());
    if (!dos)
        return path;
    std::string out = Narrow(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

bool PlanConnection(const std::string& connect, const std::vector<std::string>& installedDrivers,
                    unsigned busyTimeoutMs, ConnectPlan& plan, std::string& error)
{
    plan = ConnectPlan();
    std::vector<ConnectAttribute> attrs = ParseConnectString(connect);
    std::string driver = ConnectValue(attrs, "DRIVER");
    std::string file = ConnectValue(attrs, "DBQ");
    if (file.empty())
        file = ConnectValue(attrs, "DATABASE");
    if (file.empty()) {
        plan.connect = connect;
        return true;
    }
    plan.file = file;
    plan.kind = DetectFileKind(LocalPath(file));
    Family family = DriverFamily(driver);
    bool installed = !driver.empty() && IsInstalled(installedDrivers, driver);

    bool familyFits = (family == Family::SQLite && plan.kind == FileKind::SQLite) ||
                      ((family == Family::Access || family == Family::MdbTools) && plan.kind == FileKind::Access);
    // A missing or unreadable file goes to the driver named when it exists,
    // so that its own message reports the problem.
    if (installed && (familyFits || ((plan.kind == FileKind::Missing || plan.kind == FileKind::Other) &&
                                     family != Family::None))) {
        for (auto& a : attrs) {
            std::string k = Lower(a.key);
            if (k == "dbq" || k == "database")
                a.value = DriverPath(file);
        }
        if (family == Family::SQLite) {
            plan.sqlite = true;
            if (ConnectValue(attrs, "NoCreat").empty())
                attrs.push_back({"NoCreat", "1"});
            if (ConnectValue(attrs, "Timeout").empty())
                attrs.push_back({"Timeout", std::to_string(busyTimeoutMs)});
        } else if (family == Family::MdbTools) {
            plan.readOnly = true;
            plan.useCursorLib = true;
        }
        plan.connect = JoinConnectString(attrs);
        return true;
    }
    if (installed && family == Family::None) {
        plan.connect = connect;
        return true;
    }

    plan.byContent = true;
    if (plan.kind == FileKind::Access) {
        std::string mdb = FindMdbToolsDriver(installedDrivers);
        if (mdb.empty()) {
            error = "No ODBC driver on this machine can open the Access database '" + file + "'.";
            return false;
        }
        plan.connect = "Driver={" + mdb + "};DBQ=" + DriverPath(file) + ";";
        plan.readOnly = true;
        plan.useCursorLib = true;
        return true;
    }
    std::string sqlite = FindSQLiteDriver(installedDrivers);
    if (sqlite.empty()) {
        if (plan.kind == FileKind::Missing)
            error = "Could not find the database file '" + file + "'.";
        else
            error = "No ODBC driver on this machine can open the database '" + file + "'.";
        return false;
    }
    // Missing and unknown files go to the SQLite driver too (told never to
    // create a file): its message says what is wrong with them.
    plan.connect = SQLiteConnect(sqlite, file, busyTimeoutMs);
    plan.sqlite = true;
    return true;
}

} // namespace kvodbc
