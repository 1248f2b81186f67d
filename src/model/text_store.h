#pragma once

#include "framework/streamable.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TStream;

// An open text area: the library text file, or a test document's own file.
class TTextStore {
public:
    explicit TTextStore(std::unique_ptr<TStream> stream);
    ~TTextStore();
    TStream& Stream() { return *fStream; }

private:
    std::unique_ptr<TStream> fStream;
};

// One rich text: lines (each a whole RTF document in practice), held in memory or
// found in a store at an offset and loaded on first use.
class TTextChunk : public TStreamable {
public:
    using Lines = std::vector<std::string>;

    TTextChunk() = default;
    const char* ClassName() const override { return "TTextChunk"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;

    // Loads on first use. A text that runs past the end of its store, or has a
    // negative offset, count or length, raises EDataError and stays unloaded.
    Lines& GetLines();
    std::unique_ptr<TTextChunk> Clone();
    // Appends the text to the store and makes the chunk refer to it there.
    void SaveToStore(TTextStore& store);
    void UnloadLines();

    bool IsLoaded() const { return fLines.has_value(); }
    TTextStore* Store = nullptr;
    std::int32_t Offset = 0;

private:
    std::optional<Lines> fLines;
};

// A new in-memory chunk whose single line is the pieces joined.
std::unique_ptr<TTextChunk> MakeChunk(std::initializer_list<std::string_view> pieces);
std::unique_ptr<TTextChunk> MakeMissingMarkSchemeChunk();
std::unique_ptr<TTextChunk> MakeMissingReportChunk();
