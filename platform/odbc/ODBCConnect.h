// Choosing the ODBC driver for a database file. The program's connect
// strings name the Access driver; where that driver is not installed, the
// driver is chosen by what the file holds: a SQLite file goes to the SQLite3
// driver (read and write), an Access file (JET or ACE) to the MDB Tools
// driver (read only, scrolled through the driver manager's cursor library).
// Under Wine the drivers are Linux programs, so they get the file's Linux
// path.
#pragma once

#include <string>
#include <vector>

namespace kvodbc {

enum class FileKind
{
    Missing,  // no such file (or it cannot be read)
    SQLite,   // "SQLite format 3"
    Access,   // "Standard Jet DB" or "Standard ACE DB"
    Other,    // anything else
};

// What the first bytes of the file say it is.
FileKind DetectFileKind(const std::string& path);

// One attribute of a connect string; the order is kept.
struct ConnectAttribute
{
    std::string key;    // as written
    std::string value;  // braces kept
};
std::vector<ConnectAttribute> ParseConnectString(const std::string& connect);
std::string JoinConnectString(const std::vector<ConnectAttribute>& attributes);

// The value of an attribute (key compared without case), braces removed;
// empty when absent.
std::string ConnectValue(const std::vector<ConnectAttribute>& attributes, const char* key);

// True when the process runs under Wine (kernel32 exports the path mapping).
bool RunningUnderWine();

// The Linux path of a Windows path under Wine; the path itself elsewhere or
// when Wine cannot map it. A path that already is a Linux path stays.
std::string DriverPath(const std::string& path);

// The Windows path of a Linux path under Wine (for reading the file from
// here); the path itself otherwise.
std::string LocalPath(const std::string& path);

// How to connect for a given connect string.
struct ConnectPlan
{
    std::string connect;         // what goes to SQLDriverConnect
    FileKind kind = FileKind::Missing;
    std::string file;            // the database file named, as given
    bool readOnly = false;       // the driver cannot write this file
    bool useCursorLib = false;   // scroll through the driver manager's cursor library
    bool sqlite = false;         // statements go through the SQLite translation
    bool byContent = false;      // the driver was chosen by the file's content
};

// Decides the connection for `connect` given the drivers installed. A
// connect string without a file (a data source name, or nothing) is passed
// unchanged. `busyTimeoutMs` becomes the SQLite driver's wait for a locked
// database. False with `error` set when no installed driver can open the
// file.
bool PlanConnection(const std::string& connect, const std::vector<std::string>& installedDrivers,
                    unsigned busyTimeoutMs, ConnectPlan& plan, std::string& error);

} // namespace kvodbc
