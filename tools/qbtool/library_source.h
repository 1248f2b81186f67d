#pragma once

#include "source_words.h"

#include <memory>
#include <string>
#include <vector>

class TLibrary;

// The name of the manifest in a library source folder.
inline constexpr const char* kManifestName = "library.qbs";

// A library read from its source folder. Its texts are held in memory (each segment
// has an in-memory chunk) until they are saved to a text file.
struct TParsedLibrary {
    std::unique_ptr<TLibrary> Library;
    // The school or centre for vantor32.ini, in code page 1252; empty when not given.
    std::string Organisation;
    // Where the library is named, for errors about the name.
    int NameLine = 0;
    // The mark sheet template's file name in the source folder; empty when not given.
    std::string Template;
};

// Reads SRC_DIR/library.qbs and every RTF file it names. Every problem found is added
// to `errors`; the library is complete only when no error was added.
TParsedLibrary ParseLibrarySource(const std::string& sourceDir, std::vector<TSourceError>& errors);
