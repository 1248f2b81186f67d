#include "text_index.h"

#include "framework/errors.h"
#include "search/search_query.h"

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Changes whenever the tables or what goes into them change, so that an index of an
// older program is rebuilt rather than misread.
constexpr const char* kFormat = "quarrybook text index 3";
constexpr std::size_t kHashedBytes = 64 * 1024;
constexpr const char* kRowQuery = "SELECT rowid FROM texts WHERE texts MATCH ? ORDER BY rowid";

std::uint64_t Fnv1a(const char* data, std::size_t size, std::uint64_t h) {
    for (std::size_t i = 0; i < size; ++i) {
        h ^= static_cast<unsigned char>(data[i]);
        h *= 0x100000001b3ULL;
    }
    return h;
}

std::string Hex(std::uint64_t v) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(v));
    return buffer;
}

std::string FileStamp(const std::string& path) {
    std::error_code ec;
    auto size = fs::file_size(path, ec);
    if (ec) throw EInOutError("Cannot read " + path + ": " + ec.message());
    auto mtime = fs::last_write_time(path, ec);
    if (ec) throw EInOutError("Cannot read " + path + ": " + ec.message());
    return std::to_string(size) + ":" + std::to_string(mtime.time_since_epoch().count());
}

struct TStatement {
    sqlite3_stmt* stmt = nullptr;
    TStatement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) stmt = nullptr;
    }
    ~TStatement() { sqlite3_finalize(stmt); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;
};

struct TDb {
    sqlite3* db = nullptr;
    ~TDb() { sqlite3_close(db); }
    sqlite3* Release() {
        sqlite3* d = db;
        db = nullptr;
        return d;
    }
};

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string MetaValue(sqlite3* db, const char* name) {
    TStatement st(db, "SELECT v FROM meta WHERE k = ?");
    if (!st.stmt) return {};
    sqlite3_bind_text(st.stmt, 1, name, -1, SQLITE_STATIC);
    if (sqlite3_step(st.stmt) != SQLITE_ROW) return {};
    auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st.stmt, 0));
    return text ? text : "";
}

std::int64_t PragmaValue(sqlite3* db, const char* sql) {
    TStatement st(db, sql);
    if (!st.stmt || sqlite3_step(st.stmt) != SQLITE_ROW) return -1;
    return sqlite3_column_int64(st.stmt, 0);
}

[[noreturn]] void WriteFailure(sqlite3* db, const std::string& path) {
    std::string reason = db ? sqlite3_errmsg(db) : "out of memory";
    throw EInOutError("Cannot write the search index " + path + ": " + reason);
}

// A builder that was killed leaves its temporary file; one whose process is gone is
// removed, one of a running builder is left to it.
void RemoveStaleTemporaries(const std::string& path) {
    const fs::path target(path);
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(target.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || *end) continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove(entry.path(), ec);
    }
}

} // namespace

std::string IndexFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    // A relative setting is to be ignored, as for every such folder variable.
    if (cache && *cache == '/') return (fs::path(cache) / "quarrybook").string();
    const char* home = std::getenv("HOME");
    return (fs::path(home && *home ? home : ".") / ".cache" / "quarrybook").string();
}

std::string IndexPathFor(const TLibraryFiles& files) {
    std::error_code ec;
    fs::path absolute = fs::weakly_canonical(files.DataFile, ec);
    if (ec) absolute = fs::absolute(files.DataFile);
    std::string name = absolute.string();
    return (fs::path(IndexFolder()) /
            (Hex(Fnv1a(name.data(), name.size(), 0xcbf29ce484222325ULL)) + ".index"))
        .string();
}

std::string LibraryKey(const TLibraryFiles& files) {
    std::string key = FileStamp(files.DataFile) + "/" + FileStamp(files.TextFile);
    std::ifstream in(files.DataFile, std::ios::binary);
    if (!in) throw EInOutError("Cannot read " + files.DataFile);
    std::string buffer(kHashedBytes, '\0');
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    std::uint64_t h =
        Fnv1a(buffer.data(), static_cast<std::size_t>(in.gcount()), 0xcbf29ce484222325ULL);
    std::uintmax_t size = fs::file_size(files.DataFile);
    if (size > kHashedBytes) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(size - kHashedBytes));
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        h = Fnv1a(buffer.data(), static_cast<std::size_t>(in.gcount()), h);
    }
    return key + "/" + Hex(h);
}

TTextIndex::~TTextIndex() {
    sqlite3_close(fDb);
}

std::unique_ptr<TTextIndex> TTextIndex::OpenCurrent(const std::string& path,
                                                    const std::string& key) {
    std::error_code ec;
    auto fileSize = fs::file_size(path, ec);
    if (ec) return nullptr;
    TDb db;
    if (sqlite3_open_v2(path.c_str(), &db.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return nullptr;
    // A file cut short still opens and may even answer the first pages; its header
    // says how long it should be.
    std::int64_t pageSize = PragmaValue(db.db, "PRAGMA page_size");
    std::int64_t pageCount = PragmaValue(db.db, "PRAGMA page_count");
    if (pageSize <= 0 || pageCount <= 0 ||
        static_cast<std::uintmax_t>(pageSize * pageCount) != fileSize)
        return nullptr;
    if (MetaValue(db.db, "format") != kFormat || MetaValue(db.db, "key") != key) return nullptr;
    const std::string count = MetaValue(db.db, "count");
    char* end = nullptr;
    const unsigned long long texts = std::strtoull(count.c_str(), &end, 10);
    if (count.empty() || *end) return nullptr;
    // Preparing a search opens the full-text table's own records without reading its
    // rows; counting them would read the whole file at every start.
    TStatement probe(db.db, kRowQuery);
    if (!probe.stmt) return nullptr;
    return std::unique_ptr<TTextIndex>(new TTextIndex(db.Release(), texts));
}

std::unique_ptr<TTextIndex> TTextIndex::Build(const std::string& path, const std::string& key,
                                              const TEntrySource& entries,
                                              const TIndexProgress& progress) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    if (ec) throw EInOutError("Cannot create the folder of " + path + ": " + ec.message());
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    RemoveStaleTemporaries(path);
    fs::remove(temp, ec);
    bool done = false;
    std::size_t count = 0;
    {
        TDb db;
        if (sqlite3_open_v2(temp.c_str(), &db.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            WriteFailure(db.db, temp);
        struct TRemoveTemp {
            const std::string& file;
            bool& keep;
            ~TRemoveTemp() {
                std::error_code ignored;
                if (!keep) fs::remove(file, ignored);
            }
        } removeTemp{temp, done};
        if (!Exec(db.db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                         "CREATE TABLE meta(k TEXT PRIMARY KEY, v TEXT);"
                         "CREATE VIRTUAL TABLE texts USING fts5(id, kind, title, body,"
                         " tokenize = 'unicode61 remove_diacritics 2');"
                         "BEGIN"))
            WriteFailure(db.db, temp);
        {
            TStatement insert(db.db,
                              "INSERT INTO texts(rowid, id, kind, title, body) VALUES(?,?,?,?,?)");
            if (!insert.stmt) WriteFailure(db.db, temp);
            TIndexEntry entry;
            std::int64_t row = 0;
            while (entries(entry)) {
                ++row;
                const char kind[2] = {entry.Kind, 0};
                sqlite3_bind_int64(insert.stmt, 1, row);
                sqlite3_bind_text(insert.stmt, 2, entry.Id.data(),
                                  static_cast<int>(entry.Id.size()), SQLITE_STATIC);
                sqlite3_bind_text(insert.stmt, 3, kind, -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert.stmt, 4, entry.Title.data(),
                                  static_cast<int>(entry.Title.size()), SQLITE_STATIC);
                sqlite3_bind_text(insert.stmt, 5, entry.Text.data(),
                                  static_cast<int>(entry.Text.size()), SQLITE_STATIC);
                if (sqlite3_step(insert.stmt) != SQLITE_DONE) WriteFailure(db.db, temp);
                sqlite3_reset(insert.stmt);
                if (progress && row % 256 == 0 && !progress(static_cast<std::size_t>(row)))
                    return nullptr;
            }
            if (progress && !progress(static_cast<std::size_t>(row))) return nullptr;
            count = static_cast<std::size_t>(row);
        }
        // Merging the index at the end takes seconds on a large library; it is
        // abandoned as readily as the rows were.
        struct TFinishing {
            const TIndexProgress& progress;
            std::size_t count;
        } finishing{progress, count};
        if (progress)
            sqlite3_progress_handler(
                db.db, 1000,
                [](void* data) {
                    auto* f = static_cast<TFinishing*>(data);
                    return f->progress(f->count) ? 0 : 1;
                },
                &finishing);
        if (progress && !progress(count)) return nullptr;
        TStatement meta(db.db,
                        "INSERT INTO meta(k, v) VALUES('format', ?), ('key', ?), ('count', ?)");
        if (!meta.stmt) WriteFailure(db.db, temp);
        const std::string countText = std::to_string(count);
        sqlite3_bind_text(meta.stmt, 1, kFormat, -1, SQLITE_STATIC);
        sqlite3_bind_text(meta.stmt, 2, key.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(meta.stmt, 3, countText.c_str(), -1, SQLITE_STATIC);
        if (sqlite3_step(meta.stmt) != SQLITE_DONE) WriteFailure(db.db, temp);
        if (!Exec(db.db, "INSERT INTO texts(texts) VALUES('optimize'); COMMIT")) {
            if (sqlite3_errcode(db.db) == SQLITE_INTERRUPT) return nullptr;
            WriteFailure(db.db, temp);
        }
        sqlite3_finalize(meta.stmt);
        meta.stmt = nullptr;
        if (sqlite3_close(db.Release()) != SQLITE_OK) WriteFailure(nullptr, temp);
        fs::rename(temp, path, ec);
        if (ec) throw EInOutError("Cannot write the search index " + path + ": " + ec.message());
        done = true;
    }
    auto index = OpenCurrent(path, key);
    if (!index) throw EInOutError("Cannot read back the search index " + path);
    return index;
}

std::unique_ptr<TTextIndex> TTextIndex::OpenOrBuild(const TLibraryFiles& files,
                                                    const TEntrySource& entries,
                                                    const TIndexProgress& progress) {
    const std::string path = IndexPathFor(files);
    const std::string key = LibraryKey(files);
    if (auto index = OpenCurrent(path, key)) return index;
    return Build(path, key, entries, progress);
}

namespace {

// The kind is matched as a token of its own column, which the index answers without
// reading every matching row; the user's words never look at that column.
std::string FullMatch(const std::string& match, char kind) {
    std::string full = "{id title body} : (" + match + ")";
    if (kind) full += std::string(" AND kind : \"") + kind + "\"";
    return full;
}

// Steps through the matches of `sql`, handing each row to `take`.
template <class Take>
void RunMatch(sqlite3* db, const char* sql, const std::string& full, Take take) {
    TStatement st(db, sql);
    if (!st.stmt)
        throw EDataError(std::string("The search index is damaged: ") + sqlite3_errmsg(db));
    sqlite3_bind_text(st.stmt, 1, full.c_str(), -1, SQLITE_STATIC);
    int rc;
    while ((rc = sqlite3_step(st.stmt)) == SQLITE_ROW)
        take(st.stmt);
    if (rc != SQLITE_DONE)
        throw EDataError(std::string("The search index is damaged: ") + sqlite3_errmsg(db));
}

} // namespace

std::vector<std::string> TTextIndex::Search(std::string_view typed, char kind) const {
    std::vector<std::string> ids;
    const std::string match = MatchExpression(typed);
    if (match.empty()) return ids;
    RunMatch(fDb, "SELECT id FROM texts WHERE texts MATCH ? ORDER BY rowid", FullMatch(match, kind),
             [&](sqlite3_stmt* st) {
                 auto* id = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
                 ids.emplace_back(id ? id : "");
             });
    return ids;
}

std::vector<std::uint32_t> TTextIndex::SearchRows(std::string_view typed, char kind) const {
    std::vector<std::uint32_t> rows;
    const std::string match = MatchExpression(typed);
    if (match.empty()) return rows;
    // Only the row numbers: reading the identifiers back costs more than the match.
    RunMatch(fDb, kRowQuery, FullMatch(match, kind), [&](sqlite3_stmt* st) {
        const std::int64_t row = sqlite3_column_int64(st, 0);
        if (row < 1 || static_cast<std::uint64_t>(row) > fCount)
            throw EDataError("The search index is damaged: a text beyond its count");
        rows.push_back(static_cast<std::uint32_t>(row - 1));
    });
    return rows;
}

std::string TTextIndex::IdAt(std::uint32_t row) const {
    TStatement st(fDb, "SELECT id FROM texts WHERE rowid = ?");
    if (!st.stmt) return {};
    sqlite3_bind_int64(st.stmt, 1, static_cast<std::int64_t>(row) + 1);
    if (sqlite3_step(st.stmt) != SQLITE_ROW) return {};
    auto* id = reinterpret_cast<const char*>(sqlite3_column_text(st.stmt, 0));
    return id ? id : "";
}

std::vector<std::string> SearchLibrary(const TLibraryFiles& files, const TEntrySource& entries,
                                       std::string_view typed, char kind) {
    const std::string path = IndexPathFor(files);
    const std::string key = LibraryKey(files);
    if (auto index = TTextIndex::OpenCurrent(path, key)) {
        try {
            return index->Search(typed, kind);
        } catch (const EDataError&) {
            // Damage the opening checks could not see: built afresh below.
        }
    }
    return TTextIndex::Build(path, key, entries)->Search(typed, kind);
}
