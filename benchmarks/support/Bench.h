// What the benchmarks share: where their data lives, timing, the figures they
// print and the checks that they did their work.
//
// A figure is a time set against an anchor measured in the same run: the two
// are run in turns (a warm-up of each, then A B A B ...), so that a busy
// moment of the machine falls on both alike, and the ratio of each pair is
// taken. A figure prints both medians, the ratio's minimum and median, and
// its goal with whether the median meets it.
#pragma once

#include "platform/framework/Framework.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b);
double Milliseconds(Clock::time_point a, Clock::time_point b);

// The folder of the running benchmark executable.
std::string HereFolder();
// bench_data beside the executable (made when missing), and a file in it.
// With bFresh the file, and any journal a stopped run left beside it, are
// deleted first.
std::string DataFile(const std::string& name, bool bFresh = false);
// The skeleton database the build makes (bin\Database\Skeleton.sqlite).
std::string SkeletonFile();
// Makes a file a copy of the skeleton (replacing the file with bReplace);
// false, after saying so, when it cannot.
bool CopySkeleton(const std::string& file, bool bReplace = false);
// TRUE when a data file made earlier can serve again: it exists and is newer
// than the skeleton it was made from.
bool IsCurrentDataFile(const std::string& file);
// The connect string of a component database file; the connection layer
// picks the driver the machine has for it.
std::string Connect(const std::string& file);

// Times of one kind, in milliseconds.
class Samples
{
public:
    void Add(double value) { m_values.push_back(value); }
    size_t Count() const { return m_values.size(); }
    double Min() const;
    double Median() const;

private:
    std::vector<double> m_values;
};

// A measurement against its anchor: both times and the ratio of each pair.
struct Paired
{
    Samples a, anchor, ratio;
};

// Runs `a` and `anchor` in turns, `runs` times each after one warm-up of
// each; each returns its time in milliseconds.
Paired Interleave(int runs, const std::function<double()>& a, const std::function<double()>& anchor);

// Times one call of `work` in milliseconds.
double TimeMs(const std::function<void()>& work);

// Prints a figure: "name  a ms  anchor ms  ratio min/median  goal".
// The goal is met when the ratio's median is at most `goal` (no goal: 0).
void PrintRatio(const char* name, const char* anchorName, const Paired& p, double goal);
// Prints a time with a goal in milliseconds (no goal: 0).
void PrintTime(const char* name, const Samples& s, double goalMs);
// Prints a line of text, flushed (the run's output is read as it comes).
void Print(const char* format, ...);

// A check that the benchmark did the work it timed (rows read, rows
// written, the row found...). A failed check is printed and makes the
// benchmark end with status 1 (ExitStatus).
bool Expect(bool bOk, const char* format, ...);
int ExitStatus();

// Prints a framework exception that ended a measurement and deletes it.
void PrintException(CException* e, const char* what);

} // namespace bench
