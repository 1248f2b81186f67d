#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

// One text of the library as the index holds it: title and text in UTF-8.
struct TIndexEntry {
    std::string Id;
    char Kind = 0;
    std::string Title;
    std::string Text;
};

// Gives the next entry in library order and true, or false at the end.
using TEntrySource = std::function<bool(TIndexEntry&)>;
// Told how many entries are indexed so far; returning false abandons the build.
using TIndexProgress = std::function<bool(std::size_t done)>;

// The two files a library is read from.
struct TLibraryFiles {
    std::string DataFile;
    std::string TextFile;
};

// Where indexes are kept: $XDG_CACHE_HOME/quarrybook, else ~/.cache/quarrybook. Never
// beside the library, which may be read-only and shared.
std::string IndexFolder();
// The index file of a library, named after its data file's absolute path.
std::string IndexPathFor(const TLibraryFiles& files);
// What an index must have been built from to be trusted: the sizes and modification
// times of both files and a hash of the data file's first and last 64 KB. Raises
// EInOutError when a file cannot be read.
std::string LibraryKey(const TLibraryFiles& files);

// The full-text index of one library's texts, open for searching.
class TTextIndex {
public:
    ~TTextIndex();
    TTextIndex(const TTextIndex&) = delete;
    TTextIndex& operator=(const TTextIndex&) = delete;

    // Opens the index at `path` when it is sound and was built from `key`; null
    // otherwise (missing, cut short, foreign or out of date). Reads a few pages only, so
    // damage deeper in the file shows when a search meets it.
    static std::unique_ptr<TTextIndex> OpenCurrent(const std::string& path, const std::string& key);
    // Builds the index into a temporary file beside `path` and renames it into place,
    // so that a reader never sees half an index and two builders do not collide.
    // Returns null when `progress` abandoned the build; it is asked again now and then
    // while the index is finished, with the same count, so that even the last steps
    // can be abandoned. The temporary file is removed either way. Raises EInOutError when the
    // file cannot be written.
    static std::unique_ptr<TTextIndex> Build(const std::string& path, const std::string& key,
                                             const TEntrySource& entries,
                                             const TIndexProgress& progress = {});
    // The up-to-date index of a library, built first when there is none yet or the one
    // there cannot be trusted.
    static std::unique_ptr<TTextIndex> OpenOrBuild(const TLibraryFiles& files,
                                                   const TEntrySource& entries,
                                                   const TIndexProgress& progress = {});

    // The identifiers of the texts matching `typed` (see MatchExpression), of one kind
    // letter or of every kind (0), in library order. Raises EDataError when the index
    // turns out to be damaged.
    std::vector<std::string> Search(std::string_view typed, char kind = 0) const;
    // The same as the positions of the matching texts in the order they were given to
    // Build (0 for the first), which a caller holding those texts maps without reading
    // the identifiers back.
    std::vector<std::uint32_t> SearchRows(std::string_view typed, char kind = 0) const;
    // How many texts the index holds.
    std::size_t Count() const { return fCount; }
    // The identifier of the text at a position; empty when there is none.
    std::string IdAt(std::uint32_t row) const;

private:
    TTextIndex(sqlite3* db, std::size_t count) : fDb(db), fCount(count) {}
    sqlite3* fDb;
    std::size_t fCount;
};

// Searches a library, building or refreshing its index first; an index found damaged
// while searching is rebuilt once.
std::vector<std::string> SearchLibrary(const TLibraryFiles& files, const TEntrySource& entries,
                                       std::string_view typed, char kind = 0);
