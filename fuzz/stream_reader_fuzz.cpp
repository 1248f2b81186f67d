// Arbitrary bytes as a version integer followed by one root block. Whatever the reader
// accepts must write back and read again to the same bytes.
#include "fixture_library.h"
#include "fuzz_support.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/stream.h"
#include "model/classes.h"
#include "model/library.h"
#include "model/text_store.h"

#include <memory>

namespace {

std::unique_ptr<TStreamable> ReadBlock(TStream& stream, TTextStore* store, bool withVersion) {
    TNetReader reader(stream);
    reader.TextStore = store;
    reader.Library = &FixtureLibrary();
    if (withVersion)
        reader.ReadVersion();
    else
        reader.Version = 11;
    return reader.ReadRoot();
}

std::string WriteBlock(const TStreamable& root) {
    TMemoryStream out;
    TNetWriter writer(out);
    writer.Library = &FixtureLibrary();
    writer.WriteRoot(root);
    writer.Flush();
    return out.Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RegisterModelClasses();
    TTextStore store(std::make_unique<TMemoryStream>(AsString(data, size)));
    std::unique_ptr<TStreamable> root;
    try {
        root = ReadBlock(store.Stream(), &store, true);
    } catch (const EError& e) {
        NoteRefused(e);
        return 0;
    }
    if (!root) return 0;
    std::int32_t count = root->ObjectCount();
    QB_FUZZ_CHECK(count >= 1);

    // The writer always uses the newest field forms, whatever version was read.
    std::string first = WriteBlock(*root);
    root.reset();
    TMemoryStream again(first);
    std::unique_ptr<TStreamable> copy;
    try {
        copy = ReadBlock(again, nullptr, false);
    } catch (const EError& e) {
        std::fprintf(stderr, "written block does not read back: %s\n", e.what());
        QB_FUZZ_CHECK(false);
    }
    QB_FUZZ_CHECK(copy && copy->ObjectCount() == count);
    QB_FUZZ_CHECK(WriteBlock(*copy) == first);
    return 0;
}
