// Helpers shared by the test executables.
#pragma once
#include <string>

namespace kvtest {

// Windows paths (as Wine sees them) of the source tree, the build tree and the
// test data kept in the project (tests/data).
std::string SourcePath(const std::string& relative);
std::string BinaryPath(const std::string& relative);
std::string DataPath(const std::string& relative);

// The folder of the running test program, ending in a backslash.
std::string ProgramFolder();

// A fresh, empty folder under the build tree for one test's files.
std::string ScratchDir(const std::string& name);
// The name of the running test, "Suite_Name", to name its scratch folder.
std::string TestName();

// The whole content of a file ("" when it cannot be read).
std::string FileBytes(const std::string& path);

// Dispatches every message waiting in the thread's queue.
void PumpMessages();

// Moves the mouse to a screen point through the system's input queue (as a
// user's mouse does), with the button events of dwFlags (MOUSEEVENTF_...)
// there. The messages come when a message loop runs.
void SendMouseInput(POINT screenPoint, DWORD dwFlags = 0);

// The connect string the program uses for a database file (the connection
// layer picks the driver the machine has for it).
std::string ConnectStringFor(const std::string& path);

// Copies a file; true on success.
bool CopyFileTo(const std::string& from, const std::string& to);

// A file that Windows will not let this program write, for as long as the
// object lives: its read-only attribute set, or held open by another
// handle that lets others only read it (as another program may).
class UnwritableFile
{
public:
    enum How
    {
        readOnlyAttribute,
        heldByAnotherProgram,
    };
    static constexpr How ways[] = {readOnlyAttribute, heldByAnotherProgram};

    UnwritableFile(const std::string& path, How how);
    ~UnwritableFile();
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;

    // Words of the reason the database layer gives for it.
    static const char* Reason(How how);
    static const char* Name(How how);

private:
    std::string m_path;
    void* m_handle;
};

} // namespace kvtest
