#pragma once

#include "framework/streamable.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TStream;
class TDictionary;
class TLibrary;

// Writes values and object graphs in the stream encoding through a 4096-byte buffer.
// Call Flush before touching the stream again; destruction flushes too but cannot
// report a failure.
class TNetWriter {
public:
    explicit TNetWriter(TStream& stream);
    ~TNetWriter();
    TNetWriter(const TNetWriter&) = delete;
    TNetWriter& operator=(const TNetWriter&) = delete;

    // The library whose identity roots name the trees of free texts.
    const TLibrary* Library = nullptr;

    void WriteVersion(std::int32_t version) { WriteInteger(version); }
    void WriteRoot(const TStreamable& root);
    void WriteObject(const TStreamable* object);
    template <class Range> void WriteObjectList(const Range& list);

    void WriteInteger(std::int32_t value);
    void WriteString(std::string_view value);
    void WriteChar(char value);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();
    void Flush();

private:
    void Put(std::uint8_t byte);
    void PutBytes(const void* bytes, std::size_t n);
    static const TStreamable* AsObject(const TStreamable* p) { return p; }
    template <class T> static const TStreamable* AsObject(const std::unique_ptr<T>& p) {
        return p.get();
    }

    TStream& fStream;
    std::vector<std::uint8_t> fBuffer;
    std::size_t fUsed = 0;
    std::unique_ptr<TDictionary> fIdentities;
    std::vector<const TStreamable*> fOrder;
    std::int32_t fNextOrdinal = 1;
};

template <class Range> void TNetWriter::WriteObjectList(const Range& list) {
    WriteListBegin();
    WriteInteger(static_cast<std::int32_t>(std::size(list)));
    for (const auto& element : list) WriteObject(AsObject(element));
    WriteListEnd();
}
