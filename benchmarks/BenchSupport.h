// Helpers shared by the benchmarks: timing, and where their data lives.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

inline double Milliseconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The folder of the running benchmark executable.
inline std::string HereFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

// Makes a file a copy of the skeleton database the build makes (replacing
// the file with bReplace); false, after saying so, when it cannot.
inline bool CopySkeleton(const std::string& file, bool bReplace = false)
{
    std::string skeleton = HereFolder() + "\\..\\bin\\Database\\Skeleton.sqlite";
    if (!CopyFileA(skeleton.c_str(), file.c_str(), bReplace ? FALSE : TRUE)) {
        std::printf("cannot copy %s\n", skeleton.c_str());
        return false;
    }
    return true;
}

// The connect string of a component database file; the connection layer
// picks the driver the machine has for it.
inline std::string Connect(const std::string& file)
{
    return "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + file + ";";
}

} // namespace bench
