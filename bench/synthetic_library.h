#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TLibrary;

// Shape of a generated library. The defaults give the large library the speed targets
// are stated for: 100,000 questions in about 600,000 objects.
struct TSyntheticOptions {
    int Questions = 100000;
    // The question tree: series (A001, A002, ...) holding numbered questions, which
    // have parts (a, b, c) and some parts sub-parts (i, ii).
    int Series = 250;
    // Fan-out of the three levels of the topic and syllabus trees.
    int TopicFanout[3] = {12, 8, 6};
    int SyllabusFanout[3] = {12, 8, 6};
    int ResourceGroups = 10;
    int ResourcesPerGroup = 30;
    // Percentages of questions that have each derived text.
    int MarkSchemePercent = 85;
    int ReportPercent = 25;
    int NotePercent = 15;
    std::uint64_t Seed = 20240501;
};

// A library in memory with the bytes of its text file; every chunk's offset points
// into those bytes.
struct TSyntheticLibrary {
    std::unique_ptr<TLibrary> Library;
    std::string Text;
    TSyntheticLibrary();
    TSyntheticLibrary(TSyntheticLibrary&&) noexcept;
    ~TSyntheticLibrary();
};

TSyntheticLibrary MakeSyntheticLibrary(const TSyntheticOptions& options);

struct TSyntheticFiles {
    std::string DataFile;
    std::string TextFile;
};

// Writes the library's data file (newest version) and text file into `folder`.
TSyntheticFiles WriteSyntheticLibrary(const TSyntheticOptions& options, const std::string& folder);
