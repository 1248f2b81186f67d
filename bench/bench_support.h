#pragma once

#include <cstdint>
#include <string>

// The large library every benchmark works on, generated once per run.
struct TBenchLibraryFiles {
    std::string Folder;
    std::string DataFile;
    std::string TextFile;
    bool Generated = false; // the folder is ours to delete
};

// Generates the default synthetic library in a child process, so that the memory the
// generator uses never counts towards this process's peak. QB_BENCH_DIR names a folder
// to keep the files in between runs (they are reused when present).
TBenchLibraryFiles PrepareLibraryFiles();
void RemoveLibraryFiles(const TBenchLibraryFiles& files);

// Resident memory of this process in MB: now, and the peak so far.
double ResidentMB();
double PeakResidentMB();
std::int64_t FileSize(const std::string& path);
