#include "model/text_store.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/stream.h"

TTextStore::TTextStore(std::unique_ptr<TStream> stream) : fStream(std::move(stream)) {}
TTextStore::~TTextStore() = default;

void TTextChunk::ReadFrom(TNetReader& reader) {
    Store = reader.TextStore;
    if (reader.Version < 6) reader.ReadBoolean();
    Offset = reader.ReadInteger();
}

void TTextChunk::WriteTo(TNetWriter& writer) const { writer.WriteInteger(Offset); }

namespace {
[[noreturn]] void PastEnd(std::int32_t offset) {
    throw EDataError("The text at offset " + std::to_string(offset) +
                     " runs past the end of its file");
}
} // namespace

TTextChunk::Lines& TTextChunk::GetLines() {
    if (fLines) return *fLines;
    Lines lines;
    if (Store) {
        TStream& s = Store->Stream();
        if (Offset < 0) throw EDataError("Invalid text offset " + std::to_string(Offset));
        std::int64_t size = s.Size();
        if (Offset > size - 4) PastEnd(Offset);
        s.Seek(Offset);
        std::int64_t left = size - Offset - 4;
        std::int32_t n = s.ReadInt32();
        if (n < 0 || n > left / 4) PastEnd(Offset);
        lines.reserve(static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            if (left < 4) PastEnd(Offset);
            std::int32_t len = s.ReadInt32();
            left -= 4;
            if (len < 0 || len > left) PastEnd(Offset);
            std::string line(static_cast<std::size_t>(len), '\0');
            s.ReadExact(line.data(), line.size());
            left -= len;
            if (auto zero = line.find('\0'); zero != std::string::npos) line.resize(zero);
            lines.push_back(std::move(line));
        }
    }
    fLines = std::move(lines);
    return *fLines;
}

std::unique_ptr<TTextChunk> TTextChunk::Clone() {
    auto copy = std::make_unique<TTextChunk>();
    copy->fLines = GetLines();
    if (Store) UnloadLines();
    return copy;
}

void TTextChunk::SaveToStore(TTextStore& store) {
    const Lines& lines = GetLines();
    TStream& s = store.Stream();
    std::int64_t at = s.SeekEnd();
    if (at > INT32_MAX) throw EInOutError("The file is too large");
    std::string bytes;
    std::size_t total = 4;
    for (const auto& l : lines) total += 4 + l.size();
    bytes.reserve(total);
    auto put32 = [&bytes](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) bytes += static_cast<char>((v >> (8 * k)) & 0xFF);
    };
    put32(static_cast<std::uint32_t>(lines.size()));
    for (const auto& l : lines) {
        put32(static_cast<std::uint32_t>(l.size()));
        bytes += l;
    }
    s.Write(bytes.data(), bytes.size());
    Offset = static_cast<std::int32_t>(at);
    Store = &store;
    UnloadLines();
}

void TTextChunk::UnloadLines() {
    if (Store) fLines.reset();
}

std::unique_ptr<TTextChunk> MakeChunk(std::initializer_list<std::string_view> pieces) {
    auto chunk = std::make_unique<TTextChunk>();
    std::string line;
    for (auto p : pieces) line += p;
    chunk->GetLines().push_back(std::move(line));
    return chunk;
}

namespace {
constexpr std::string_view kHead1 = "{\\rtf1\\ansi\\ansicpg1252\\uc0 \\deff1";
constexpr std::string_view kHead2 = "{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW ROMAN;}}";
constexpr std::string_view kHead3 = "\\pard\\plain\\sa480\\f0\\fs24 ";
constexpr std::string_view kTail = "\\par\\par -\\par}";
} // namespace

std::unique_ptr<TTextChunk> MakeMissingMarkSchemeChunk() {
    return MakeChunk({kHead1, kHead2, kHead3, "  No mark scheme available", kTail});
}

std::unique_ptr<TTextChunk> MakeMissingReportChunk() {
    return MakeChunk({kHead1, kHead2, kHead3, "  No Report available for this question.", kTail});
}
