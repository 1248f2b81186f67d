// Start-up to the first painted main window with the large library: runs the program
// as a user would (offscreen), which quits once the first showing is painted. Once with
// no search index in the cache, so that its build starts (and is abandoned at the end),
// and once with an up-to-date one, which start-up only checks.
#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const TBenchLibraryFiles& Files() {
    static const TBenchLibraryFiles files = [] {
        TBenchLibraryFiles f = PrepareLibraryFiles();
        std::ofstream ini(f.Folder + "/vantor32.ini");
        ini << "[Bench]\nTextFilename=" << f.TextFile << "\nLibFilename=" << f.DataFile
            << "\nLibName=Bench\n";
        return f;
    }();
    return files;
}

int RunProgram(const std::string& folder, const std::string& cache, const char* program,
               const char* argument = nullptr) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QUARRYBOOK_CONFIG_DIR", folder.c_str(), 1);
        ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("QUARRYBOOK_QUIT_AFTER_FIRST_PAINT", "1", 1);
        std::freopen("/dev/null", "w", stderr);
        std::freopen("/dev/null", "w", stdout);
        if (argument)
            ::execl(program, program, "search", "Bench", argument, static_cast<char*>(nullptr));
        else
            ::execl(program, program, "Bench", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    const std::string folder = Files().Folder;
    const bool indexed = state.range(0) != 0;
    const std::string cache = folder + (indexed ? "/cache" : "/cache-empty");
    if (indexed && RunProgram(folder, cache, QB_QBTOOL, "number") != 0) {
        state.SkipWithError("qbtool could not build the search index");
        return;
    }
    rusage before{};
    ::getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        if (!indexed) {
            state.PauseTiming();
            std::filesystem::remove_all(cache);
            state.ResumeTiming();
        }
        if (RunProgram(folder, cache, QB_PROGRAM) != 0) {
            state.SkipWithError("the program did not start");
            break;
        }
    }
    rusage children{};
    ::getrusage(RUSAGE_CHILDREN, &children);
    state.counters["child_peak_rss_MB"] = static_cast<double>(children.ru_maxrss) / 1024.0;
    // Processor time of the program's threads per start, which a busy machine does not
    // stretch as it does the elapsed time.
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    state.counters["child_cpu_ms"] =
        (ms(children.ru_utime) + ms(children.ru_stime) - ms(before.ru_utime) -
         ms(before.ru_stime)) /
        static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartupToFirstPaint)
    ->ArgName("index")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

} // namespace

BENCHMARK_MAIN();
