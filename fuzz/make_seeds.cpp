// Writes the seed corpora of the fuzz targets: valid files of every kind and version
// the readers accept, plus a few of the near misses they must refuse.
//   qb_fuzz_seeds CORPUS_DIR
#include "fixture_library.h"
#include "graph_writer.h"
#include "synthetic_library.h"

#include "framework/netwriter.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& dir, const std::string& name, const std::string& bytes) {
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (bytes.size() > 64 * 1024) std::cerr << "warning: seed " << name << " is over 64 KB\n";
}

std::string Le32(std::uint32_t v) {
    std::string s;
    for (int k = 0; k < 4; ++k)
        s += static_cast<char>((v >> (8 * k)) & 0xFF);
    return s;
}

// The library target's input: the data part's length, the data, the text file.
std::string LibraryInput(const std::string& data, const std::string& text) {
    return Le32(static_cast<std::uint32_t>(data.size())) + data + text;
}

std::string LibraryData(const TLibrary& library) {
    TMemoryStream s;
    WriteLibraryData(s, library);
    return s.Data();
}

// A library's texts written into a text file of its own, as the library build does.
std::string SaveTexts(TLibrary& library) {
    TTextStore store(std::make_unique<TMemoryStream>());
    for (TIdentityCategory* root :
         {library.QuestionRoot.get(), library.SyllabusRoot.get(), library.ResourceRoot.get()}) {
        TCategoryIterator it(root);
        while (TCategory* c = it.Next()) {
            auto* identity = static_cast<TIdentityCategory*>(c);
            for (char kind : {'Q', 'S', 'E', 'M', 'N', 'R'})
                if (TTextSegment* s = identity->SegmentFor(kind); s && s->Chunk)
                    s->Chunk->SaveToStore(store);
        }
    }
    return static_cast<TMemoryStream&>(store.Stream()).Data();
}

std::string RootBlock(const TStreamable& root, std::int32_t version, const TLibrary* library) {
    TMemoryStream s;
    TNetWriter w(s);
    w.Library = library;
    w.WriteVersion(version);
    w.WriteRoot(root);
    w.Flush();
    return s.Data();
}

std::unique_ptr<TLibrary> EmptyLibrary() {
    auto lib = std::make_unique<TLibrary>();
    lib->Name = "Empty";
    lib->TopicRoot = std::make_unique<TCategory>("All topics");
    lib->QuestionTypeRoot = std::make_unique<TCategory>("All types");
    lib->LevelRoot = std::make_unique<TCategory>("All levels");
    lib->PaperRoot = std::make_unique<TCategory>("All papers");
    lib->QuestionRoot = std::make_unique<TIdentityCategory>();
    lib->SyllabusRoot = std::make_unique<TIdentityCategory>();
    lib->ResourceRoot = std::make_unique<TIdentityCategory>();
    return lib;
}

// A question tree that is one long chain, and a topic chain the questions point into.
std::unique_ptr<TLibrary> DeepLibrary(int depth) {
    auto lib = EmptyLibrary();
    lib->Name = "Deep";
    TCategory* topic = lib->TopicRoot.get();
    for (int i = 0; i < depth / 2; ++i)
        topic = topic->AddChild(std::make_unique<TCategory>("t"));
    TIdentityCategory* node = lib->QuestionRoot.get();
    for (int i = 0; i < depth; ++i) {
        node = node->AddChild(std::make_unique<TIdentityCategory>(i % 7 ? "" : "x"));
        if (i % 50 == 0) {
            auto* q = node->SetSegment(std::make_unique<TQuestion>());
            q->Chunk = MakeChunk({"{\\rtf1 deep\\par}"});
            q->Topics = {topic};
        }
    }
    return lib;
}

void LibrarySeeds(const fs::path& dir) {
    {
        auto lib = MakeFixtureLibrary();
        std::string text = SaveTexts(*lib);
        Save(dir, "fixture_v11", LibraryInput(LibraryData(*lib), text));
    }
    Save(dir, "empty_v11", LibraryInput(LibraryData(*EmptyLibrary()), {}));
    {
        auto lib = DeepLibrary(600);
        std::string text = SaveTexts(*lib);
        Save(dir, "deep_chain", LibraryInput(LibraryData(*lib), text));
    }
    for (int questions : {12, 60}) {
        TSyntheticOptions o;
        o.Questions = questions;
        o.Series = 3;
        o.TopicFanout[0] = 3;
        o.TopicFanout[1] = 2;
        o.TopicFanout[2] = 2;
        o.SyllabusFanout[0] = 2;
        o.SyllabusFanout[1] = 2;
        o.SyllabusFanout[2] = 2;
        o.ResourceGroups = 2;
        o.ResourcesPerGroup = 3;
        o.Seed = static_cast<std::uint64_t>(questions);
        TSyntheticLibrary made = MakeSyntheticLibrary(o);
        Save(dir, "synthetic_" + std::to_string(questions),
             LibraryInput(LibraryData(*made.Library), made.Text));
    }
    for (int version : {1, 5, 7, 8, 9, 10, 11}) {
        TLegacyLibrary legacy = MakeLegacyLibrary(version, false);
        Save(dir, "legacy_v" + std::to_string(version), LibraryInput(legacy.Data, legacy.Text));
    }
    TLegacyLibrary lower = MakeLegacyLibrary(11, true);
    Save(dir, "lowercase_names", LibraryInput(lower.Data, lower.Text));
    // Refused: version 12, and a data file cut short.
    std::string data = LibraryData(*MakeFixtureLibrary());
    Save(dir, "bad_version", LibraryInput("\x02\x0c" + data.substr(2), {}));
    Save(dir, "truncated", LibraryInput(data.substr(0, data.size() / 2), {}));
}

std::string DocumentFile(TDocument& document) {
    TTextStore store(std::make_unique<TMemoryStream>());
    WriteDocumentFile(document, kFixtureLibraryName, store, &FixtureLibrary());
    return static_cast<TMemoryStream&>(store.Stream()).Data();
}

std::unique_ptr<TDocument> SampleDocument() {
    const TLibrary& lib = FixtureLibrary();
    auto doc = std::make_unique<TDocument>();
    doc->InsertTextEntry(-1, "Physics test", false,
                         MakeChunk({"{\\rtf1\\ansi\\b Physics\\b0\\par}"}), 0, 0);
    std::vector<TListItem> items;
    for (const char* id : {"Q1", "Q2a", "Q2b", "N1", "S4.1", "Q3"})
        items.push_back(lib.FindSegment(id));
    items.push_back(lib.ResourceRoot->Children.front().get());
    doc->InsertEntries(items, -1, &lib);
    doc->InsertTextEntry(2, "Section B", false, MakeChunk({"{\\rtf1 Section B\\par}"}), 0, 0);
    // An edited copy of a library question keeps its identity.
    doc->UpdateTextEntry(4, "Echo time (edited)", true,
                         MakeChunk({"{\\rtf1 edited\\par}", "second line"}), 5, 6);
    return doc;
}

void DocumentSeeds(const fs::path& dir) {
    TDocument empty;
    Save(dir, "empty", DocumentFile(empty));
    auto doc = SampleDocument();
    Save(dir, "sample", DocumentFile(*doc));
    auto source = SampleDocument();
    TDocument scheme;
    scheme.BuildMarkScheme(*source);
    Save(dir, "mark_scheme", DocumentFile(scheme));
    TDocument report;
    report.BuildReport(*source);
    Save(dir, "report", DocumentFile(report));
    for (int version : {6, 7, 8, 9, 10}) {
        Save(dir, "legacy_v" + std::to_string(version), MakeLegacyDocument(version, false, true));
        Save(dir, "legacy_notext_v" + std::to_string(version),
             MakeLegacyDocument(version, false, false));
    }
    Save(dir, "lowercase_names", MakeLegacyDocument(10, true, true));
    // Refused: another library's name, and a version above 10.
    std::string other = DocumentFile(*SampleDocument());
    std::size_t at = other.find(kFixtureLibraryName);
    Save(dir, "wrong_library", other.substr(0, at) + "Fuzy" + other.substr(at + 4));
    std::string newer = other;
    std::size_t d = 0;
    for (int k = 3; k >= 0; --k)
        d = d << 8 | static_cast<unsigned char>(newer[static_cast<std::size_t>(k)]);
    newer[d + 1] = 11; // the version integer's byte, after its tag
    Save(dir, "newer_version", newer);
}

void StreamSeeds(const fs::path& dir) {
    const TLibrary& lib = FixtureLibrary();
    Save(dir, "library_v11", RootBlock(*MakeFixtureLibrary(), 11, nullptr));
    Save(dir, "document_v10", RootBlock(*SampleDocument(), 10, &lib));
    TCategory tree("Root");
    tree.AddChild(std::make_unique<TCategory>("A"))->AddChild(std::make_unique<TCategory>("A1"));
    tree.AddChild(std::make_unique<TIdentityCategory>("7", "Seven"));
    Save(dir, "category_tree", RootBlock(tree, 11, nullptr));
    TTextChunk chunk;
    chunk.Offset = 1234;
    Save(dir, "chunk", RootBlock(chunk, 11, nullptr));
    TQuestion question;
    question.Marks = 300;
    question.Time = -5;
    Save(dir, "question", RootBlock(question, 11, nullptr));
    for (int version : {1, 5, 8, 9}) {
        TLegacyLibrary legacy = MakeLegacyLibrary(version, false);
        Save(dir, "library_v" + std::to_string(version), legacy.Block);
    }
    Save(dir, "library_lowercase", MakeLegacyLibrary(11, true).Block);
    Save(dir, "parent_cycle", MakeParentCycleBlock());
    Save(dir, "owned_twice", MakeOwnedTwiceBlock());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qb_fuzz_seeds CORPUS_DIR\n";
        return 2;
    }
    try {
        fs::path root = argv[1];
        LibrarySeeds(root / "library");
        DocumentSeeds(root / "document");
        StreamSeeds(root / "stream");
    } catch (const std::exception& e) {
        std::cerr << "qb_fuzz_seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
