#include "benchmarks/support/Bench.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace bench {

namespace {

bool g_bWorkMissing = false;

FILETIME WriteTime(const std::string& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        return FILETIME{};
    return data.ftLastWriteTime;
}

} // namespace

double Seconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}

double Milliseconds(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

std::string HereFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\'));
}

std::string DataFile(const std::string& name, bool bFresh)
{
    std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string file = folder + "\\" + name;
    if (bFresh)
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            DeleteFileA((file + suffix).c_str());
    return file;
}

std::string SkeletonFile()
{
    return HereFolder() + "\\..\\bin\\Database\\Skeleton.sqlite";
}

bool CopySkeleton(const std::string& file, bool bReplace)
{
    if (!CopyFileA(SkeletonFile().c_str(), file.c_str(), bReplace ? FALSE : TRUE)) {
        Print("cannot copy %s to %s", SkeletonFile().c_str(), file.c_str());
        return false;
    }
    // The copy is a database of its own, written from now on.
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool IsCurrentDataFile(const std::string& file)
{
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    FILETIME made = WriteTime(file), skeleton = WriteTime(SkeletonFile());
    return CompareFileTime(&made, &skeleton) > 0;
}

std::string Connect(const std::string& file)
{
    return "Driver={Microsoft Access Driver (*.mdb, *.accdb)};Dbq=" + file + ";";
}

double Samples::Min() const
{
    return m_values.empty() ? 0 : *std::min_element(m_values.begin(), m_values.end());
}

double Samples::Median() const
{
    if (m_values.empty())
        return 0;
    std::vector<double> v = m_values;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

Paired Interleave(int runs, const std::function<double()>& a, const std::function<double()>& anchor)
{
    Paired p;
    a();
    anchor();
    for (int i = 0; i < runs; ++i) {
        double ta = a();
        double tb = anchor();
        p.a.Add(ta);
        p.anchor.Add(tb);
        p.ratio.Add(tb > 0 ? ta / tb : 0);
    }
    return p;
}

double TimeMs(const std::function<void()>& work)
{
    Clock::time_point start = Clock::now();
    work();
    return Milliseconds(start, Clock::now());
}

void PrintRatio(const char* name, const char* anchorName, const Paired& p, double goal)
{
    char verdict[64] = "";
    if (goal > 0)
        std::snprintf(verdict, sizeof(verdict), "  goal <= %.2fx: %s", goal,
                      p.ratio.Median() <= goal ? "met" : "NOT met");
    Print("  %-44s %9.2f ms  vs %-30s %9.2f ms  ratio min %5.2f median %5.2f%s", name, p.a.Median(), anchorName,
          p.anchor.Median(), p.ratio.Min(), p.ratio.Median(), verdict);
}

void PrintTime(const char* name, const Samples& s, double goalMs)
{
    char verdict[64] = "";
    if (goalMs > 0)
        std::snprintf(verdict, sizeof(verdict), "  goal < %.0f ms: %s", goalMs, s.Median() < goalMs ? "met" : "NOT met");
    Print("  %-44s min %9.2f ms  median %9.2f ms%s", name, s.Min(), s.Median(), verdict);
}

namespace {

void PrintLine(const char* prefix, const char* format, va_list args)
{
    std::printf("%s", prefix);
    std::vprintf(format, args);
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

void Print(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    PrintLine("", format, args);
    va_end(args);
}

bool Expect(bool bOk, const char* format, ...)
{
    if (bOk)
        return true;
    g_bWorkMissing = true;
    va_list args;
    va_start(args, format);
    PrintLine("  WORK NOT DONE: ", format, args);
    va_end(args);
    return false;
}

int ExitStatus()
{
    return g_bWorkMissing ? 1 : 0;
}

void PrintException(CException* e, const char* what)
{
    char message[1024] = {};
    if (e)
        e->GetErrorMessage(message, sizeof(message));
    Expect(false, "%s failed: %s", what, message);
    if (e)
        e->Delete();
}

} // namespace bench
