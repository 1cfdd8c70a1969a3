#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace kvtest {

static std::string Join(const char* base, const std::string& relative)
{
    std::string path = base;
    if (!relative.empty()) {
        path += '\\';
        for (char c : relative)
            path += (c == '/') ? '\\' : c;
    }
    return path;
}

std::string SourcePath(const std::string& relative) { return Join(KV_SOURCE_DIR, relative); }
std::string BinaryPath(const std::string& relative) { return Join(KV_BINARY_DIR, relative); }
std::string DataPath(const std::string& relative) { return SourcePath("tests/data/" + relative); }

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

static void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

std::string ScratchDir(const std::string& name)
{
    std::string root = BinaryPath("scratch");
    CreateDirectoryA(root.c_str(), nullptr);
    std::string dir = root + "\\" + name;
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string TestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SendMouseInput(POINT screenPoint, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screenPoint.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (screenPoint.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
}

std::string ConnectStringFor(const std::string& path)
{
    return "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + path + ";";
}

bool CopyFileTo(const std::string& from, const std::string& to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

UnwritableFile::UnwritableFile(const std::string& path, How how) : m_path(path), m_handle(INVALID_HANDLE_VALUE)
{
    if (how == readOnlyAttribute)
        EXPECT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY)) << path;
    else {
        m_handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, m_handle) << path;
    }
}

UnwritableFile::~UnwritableFile()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
    SetFileAttributesA(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

const char* UnwritableFile::Reason(How how)
{
    return how == readOnlyAttribute ? "is marked read-only" : "held by another program";
}

const char* UnwritableFile::Name(How how)
{
    return how == readOnlyAttribute ? "read-only attribute" : "held by another program";
}

} // namespace kvtest
