#include "bench_support.h"

#include "synthetic_library.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double StatusKB(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::atof(line.c_str() + prefix.size());
    return 0;
}

void GenerateInChild(const std::string& folder) {
    std::cout.flush();
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        int code = 0;
        try {
            WriteSyntheticLibrary(TSyntheticOptions{}, folder);
        } catch (const std::exception& e) {
            std::cerr << "generating the synthetic library failed: " << e.what() << "\n";
            code = 1;
        }
        std::_Exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("generating the synthetic library failed");
}

} // namespace

TBenchLibraryFiles PrepareLibraryFiles() {
    namespace fs = std::filesystem;
    TBenchLibraryFiles files;
    if (const char* keep = std::getenv("QB_BENCH_DIR"); keep && *keep) {
        files.Folder = keep;
        fs::create_directories(files.Folder);
    } else {
        std::string pattern = (fs::temp_directory_path() / "qb_bench_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        files.Folder = pattern;
        files.Generated = true;
    }
    files.DataFile = files.Folder + "/synthetic.dat";
    files.TextFile = files.Folder + "/synthetic.txt";
    if (!fs::exists(files.DataFile) || !fs::exists(files.TextFile)) GenerateInChild(files.Folder);
    return files;
}

void RemoveLibraryFiles(const TBenchLibraryFiles& files) {
    if (files.Generated) std::filesystem::remove_all(files.Folder);
}

double ResidentMB() {
    return StatusKB("VmRSS") / 1024.0;
}
double PeakResidentMB() {
    return StatusKB("VmHWM") / 1024.0;
}

std::int64_t FileSize(const std::string& path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}
