// Opening a component database and closing it keeping the changes, as the
// document does it: the "~" backup copy of the file, the connection, the
// nominal-size table and the [Warehouse Code] check at open; the connection
// closed and the backup deleted at close. On databases of 10,000 and of
// 100,000 components, so that the growth with size shows; the plain copy of
// the file is timed beside them, since it is what grows.
//
// The databases are made once, beside this program (bench_data\doc10k.sqlite
// and doc100k.sqlite), from the skeleton database of the build.
#include "app/KelvaronDoc.h"
#include "benchmarks/support/BenchDatabase.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace bench;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

long long FileSize(const std::string& file)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

} // namespace

int main()
{
    const std::string folder = HereFolder() + "\\bench_data";
    CreateDirectoryA(folder.c_str(), nullptr);
    const int kRuns = 7;
    std::printf("%-18s %9s %12s %12s %12s\n", "components", "file MB", "open ms", "close ms", "copy ms");
    for (int count : {10000, 100000}) {
        const std::string file = folder + "\\doc" + std::to_string(count / 1000) + "k.sqlite";
        const std::string backup = folder + "\\~doc" + std::to_string(count / 1000) + "k.sqlite";
        const std::string copy = folder + "\\copy" + std::to_string(count / 1000) + "k.sqlite";
        if (!MakeComponentDatabase(file, count))
            return 1;
        DeleteFileA(backup.c_str());
        std::vector<double> opens, closes, copies;
        // One round first, so that every measured one finds the file cached.
        for (int run = 0; run <= kRuns; run++) {
            CKelvaronDoc doc;
            auto start = Clock::now();
            if (!doc.OpenDatabase(file.c_str(), FALSE)) {
                std::printf("the database %s did not open\n", file.c_str());
                return 1;
            }
            auto opened = Clock::now();
            if (!doc.CloseKeepingChanges()) {
                std::printf("the backup %s was not deleted\n", backup.c_str());
                return 1;
            }
            auto closed = Clock::now();
            DeleteFileA(copy.c_str());
            auto copyStart = Clock::now();
            CopyFileA(file.c_str(), copy.c_str(), FALSE);
            auto copied = Clock::now();
            DeleteFileA(copy.c_str());
            if (run == 0)
                continue;
            opens.push_back(Milliseconds(start, opened));
            closes.push_back(Milliseconds(opened, closed));
            copies.push_back(Milliseconds(copyStart, copied));
        }
        std::printf("%-18d %9.1f %12.1f %12.1f %12.1f   (medians of %d)\n", count, FileSize(file) / 1048576.0,
                    Median(opens), Median(closes), Median(copies), kRuns);
        std::fflush(stdout);
    }
    return 0;
}
