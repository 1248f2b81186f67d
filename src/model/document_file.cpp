#include "model/document_file.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/stream.h"
#include "model/classes.h"
#include "model/document.h"
#include "model/text_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

std::unique_ptr<TDocument> ReadDocumentFile(TTextStore& file, const std::string& libraryName,
                                            const TLibrary& library) {
    RegisterModelClasses();
    TStream& s = file.Stream();
    s.Seek(0);
    std::int32_t d = s.ReadInt32();
    if (d < 4 || d > s.Size()) throw EDataError("Invalid document file");
    s.Seek(d);
    TNetReader reader(s);
    reader.TextStore = &file;
    reader.Library = &library;
    if (reader.ReadVersion() > kDocumentVersion) throw EInOutError("Incorrect file version");
    if (reader.ReadString() != libraryName) throw EInOutError("Incorrect library");
    return reader.ReadRootAs<TDocument>();
}

void WriteDocumentFile(TDocument& document, const std::string& libraryName, TTextStore& file,
                       const TLibrary* library) {
    TStream& s = file.Stream();
    s.Seek(0);
    s.WriteInt32(0);
    for (auto& entry : document.Entries) {
        auto* text = dynamic_cast<TText*>(entry->Segment);
        if (text && text->Chunk) text->Chunk->SaveToStore(file);
    }
    std::int64_t d = s.SeekEnd();
    if (d > INT32_MAX) throw EInOutError("The document is too large");
    s.Seek(0);
    s.WriteInt32(static_cast<std::int32_t>(d));
    s.Seek(d);
    TNetWriter writer(s);
    writer.Library = library;
    writer.WriteVersion(kDocumentVersion);
    writer.WriteString(libraryName);
    writer.WriteRoot(document);
    writer.Flush();
}

namespace {

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Where each free text lived before a save, so that a failed save can put it back.
struct ChunkState {
    TTextChunk* chunk;
    TTextStore* store;
    std::int32_t offset;
    std::optional<TTextChunk::Lines> lines; // the only copy of an in-memory text
};

std::vector<ChunkState> RememberChunks(TDocument& document) {
    std::vector<ChunkState> states;
    for (auto& entry : document.Entries) {
        auto* text = dynamic_cast<TText*>(entry->Segment);
        if (!text || !text->Chunk) continue;
        TTextChunk* c = text->Chunk.get();
        ChunkState st{c, c->Store, c->Offset, std::nullopt};
        if (!c->Store) st.lines = c->GetLines();
        states.push_back(std::move(st));
    }
    return states;
}

void RestoreChunks(std::vector<ChunkState>& states) {
    for (auto& st : states) {
        st.chunk->UnloadLines();
        st.chunk->Store = st.store;
        st.chunk->Offset = st.offset;
        if (st.lines) st.chunk->GetLines() = std::move(*st.lines);
    }
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return; // the rename is done; a folder we cannot open cannot be synced
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::unique_ptr<TTextStore> SaveDocumentFile(TDocument& document, const std::string& libraryName,
                                             const std::string& path, const TLibrary* library,
                                             bool lock) {
    const std::string folder = FolderOf(path);
    const std::string temp = folder + "/" + kTempDocumentName;
    std::vector<ChunkState> states = RememberChunks(document);
    std::unique_ptr<TTextStore> store;
    bool created = false;
    bool renamed = false;
    try {
        auto stream = std::make_unique<TFileStream>(temp, TFileStream::Mode::Create);
        created = true;
        TFileStream* file = stream.get();
        if (lock && !file->TryLockExclusive())
            throw EInOutError("Cannot write \"" + temp + "\": the file is in use");
        store = std::make_unique<TTextStore>(std::move(stream));
        WriteDocumentFile(document, libraryName, *store, library);
        file->Sync();
        if (std::rename(temp.c_str(), path.c_str()) != 0)
            throw EInOutError("Cannot write \"" + path + "\": " + std::strerror(errno));
        renamed = true;
        SyncFolder(folder);
        return store;
    } catch (...) {
        RestoreChunks(states);
        store.reset();
        if (created && !renamed) std::remove(temp.c_str());
        throw;
    }
}
