#include "model/document_file.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/save_file.h"
#include "framework/stream.h"
#include "model/classes.h"
#include "model/document.h"
#include "model/text_store.h"

#include <optional>

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

} // namespace

std::unique_ptr<TTextStore> SaveDocumentFile(TDocument& document, const std::string& libraryName,
                                             const std::string& path, const TLibrary* library,
                                             bool lock) {
    std::vector<ChunkState> states = RememberChunks(document);
    std::unique_ptr<TTextStore> store;
    try {
        TSaveFile file(path, kTempDocumentName);
        if (lock && !file.Stream().TryLockExclusive())
            throw EInOutError("Cannot write \"" + file.TempPath() + "\": the file is in use");
        store = std::make_unique<TTextStore>(file.ReleaseStream());
        WriteDocumentFile(document, libraryName, *store, library);
        file.Commit();
        return store;
    } catch (...) {
        RestoreChunks(states);
        store.reset();
        throw;
    }
}
