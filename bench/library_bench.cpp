// Opening the large library, against the floor of merely tokenising its data file.
// Also holds main, so that these run first, before anything keeps a library open.
#include "bench_state.h"
#include "stream_floor.h"

#include "framework/stream.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/text_store.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const TBenchLibraryFiles* gFiles = nullptr;

struct TOpened {
    std::unique_ptr<TTextStore> Store;
    std::unique_ptr<TLibrary> Library;
};

TOpened OpenBenchLibrary() {
    const TBenchLibraryFiles& f = BenchFiles();
    TOpened opened;
    opened.Store = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(f.TextFile, TFileStream::Mode::ReadOnly));
    TFileStream data(f.DataFile, TFileStream::Mode::ReadOnly);
    opened.Library = ReadLibraryData(data, opened.Store.get());
    return opened;
}

// Lets the peak resident size start again from the current one (Linux 4.0 and later).
void ResetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Memory of opening the library, measured once in a fresh child process, so that
// what earlier runs left in the allocator does not count.
struct TOpenMemory {
    double Before = 0, Held = 0, Peak = 0;
};
TOpenMemory gOpenMemory;

TOpenMemory MeasureOpenMemory() {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        TOpenMemory m;
        ResetPeakResident();
        m.Before = ResidentMB();
        {
            TOpened opened = OpenBenchLibrary();
            m.Held = ResidentMB() - m.Before;
            m.Peak = PeakResidentMB();
        }
        ssize_t put = ::write(fds[1], &m, sizeof m);
        std::_Exit(put == sizeof m ? 0 : 1);
    }
    ::close(fds[1]);
    TOpenMemory m;
    if (pid < 0 || ::read(fds[0], &m, sizeof m) != sizeof m) m = {};
    ::close(fds[0]);
    if (pid > 0) ::waitpid(pid, nullptr, 0);
    return m;
}

void BM_OpenLibrary(benchmark::State& state) {
    std::int64_t objects = 0;
    for (auto _ : state) {
        TOpened opened = OpenBenchLibrary();
        state.PauseTiming();
        objects = opened.Library->ObjectCount();
        opened = {};
        state.ResumeTiming();
    }
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["data_MB"] = static_cast<double>(FileSize(BenchFiles().DataFile)) / 1048576.0;
    state.counters["rss_before_MB"] = gOpenMemory.Before;
    state.counters["rss_held_MB"] = gOpenMemory.Held;
    state.counters["peak_rss_MB"] = gOpenMemory.Peak;
}
BENCHMARK(BM_OpenLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TokeniseFloor(benchmark::State& state) {
    std::int64_t objects = 0;
    for (auto _ : state) {
        TFileStream data(BenchFiles().DataFile, TFileStream::Mode::ReadOnly);
        objects = TokeniseLibraryData(data);
    }
    state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK(BM_TokeniseFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

const TBenchLibraryFiles& BenchFiles() {
    return *gFiles;
}

const TLibrary& BenchLibrary() {
    static const TOpened opened = OpenBenchLibrary();
    return *opened.Library;
}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TBenchLibraryFiles files;
    try {
        files = PrepareLibraryFiles();
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    gFiles = &files;
    std::cerr << "library files in " << files.Folder << "\n";
    gOpenMemory = MeasureOpenMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveLibraryFiles(files);
    return 0;
}
