// Arbitrary bytes as a document file opened with a fixed small library. An accepted
// document must save, read back, and save again to the same bytes, and stand the
// operations the document window performs.
#include "fixture_library.h"
#include "fuzz_support.h"

#include "framework/errors.h"
#include "framework/stream.h"
#include "model/document.h"
#include "model/document_file.h"
#include "model/library.h"
#include "model/text_store.h"

#include <memory>

namespace {

std::unique_ptr<TTextStore> MemoryStore(std::string bytes = {}) {
    return std::make_unique<TTextStore>(std::make_unique<TMemoryStream>(std::move(bytes)));
}

const std::string& Bytes(TTextStore& store) {
    return static_cast<TMemoryStream&>(store.Stream()).Data();
}

void Exercise(TDocument& document, TInputChoice& choice) {
    const TLibrary& library = FixtureLibrary();
    TDocument markScheme;
    markScheme.BuildMarkScheme(document);
    TDocument report;
    report.BuildReport(document);
    QB_FUZZ_CHECK(markScheme.Entries.size() <= document.Entries.size());
    QB_FUZZ_CHECK(report.Entries.size() == markScheme.Entries.size());

    std::vector<TListItem> items;
    for (auto& e : document.Entries)
        if (choice.Below(2)) items.push_back(e.get());
    items.push_back(library.ResourceRoot->Children.front().get());
    const std::size_t before = document.Entries.size();
    document.InsertEntries(items, static_cast<int>(choice.Below(before + 1)), &library);
    QB_FUZZ_CHECK(document.Entries.size() == before + items.size());
    if (!document.Entries.empty()) {
        int n = static_cast<int>(document.Entries.size());
        document.MoveEntry(static_cast<int>(choice.Below(n)), static_cast<int>(choice.Below(n)));
        document.ToggleNumbered(static_cast<int>(choice.Below(n)));
        document.UpdateTextEntry(static_cast<int>(choice.Below(n)), "Edited", true,
                                 MakeChunk({"{\\rtf1 x\\par}"}), 2, 3);
        document.RemoveEntries({document.Entries[choice.Below(n)].get()});
    }
    std::int16_t expect = 1;
    for (auto& e : document.Entries)
        if (e->Numbered) QB_FUZZ_CHECK(e->Number == expect++);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TLibrary& library = FixtureLibrary();
    auto input = MemoryStore(AsString(data, size));
    std::unique_ptr<TDocument> document;
    try {
        document = ReadDocumentFile(*input, kFixtureLibraryName, library);
    } catch (const EError& e) {
        NoteRefused(e);
        return 0;
    }
    QB_FUZZ_CHECK(document->ObjectCount() >= 1);

    // Saving loads each free text from the input; one that runs past the end of the
    // file is a data error, and the document stays as it was.
    auto saved = MemoryStore();
    try {
        WriteDocumentFile(*document, kFixtureLibraryName, *saved, &library);
    } catch (const EDataError&) {
        return 0;
    }
    input.reset(); // the free texts now live in `saved` only

    std::unique_ptr<TDocument> reread;
    try {
        reread = ReadDocumentFile(*saved, kFixtureLibraryName, library);
    } catch (const EError& e) {
        std::fprintf(stderr, "saved document does not read back: %s\n", e.what());
        QB_FUZZ_CHECK(false);
    }
    QB_FUZZ_CHECK(reread->Entries.size() == document->Entries.size());
    auto resaved = MemoryStore();
    WriteDocumentFile(*reread, kFixtureLibraryName, *resaved, &library);
    QB_FUZZ_CHECK(Bytes(*resaved) == Bytes(*saved));

    TInputChoice choice(data, size);
    Exercise(*reread, choice);
    auto edited = MemoryStore();
    WriteDocumentFile(*reread, kFixtureLibraryName, *edited, &library);
    auto back = ReadDocumentFile(*edited, kFixtureLibraryName, library);
    QB_FUZZ_CHECK(back->Entries.size() == reread->Entries.size());
    return 0;
}
