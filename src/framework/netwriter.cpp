#include "framework/netwriter.h"

#include "framework/collections.h"
#include "framework/netreader.h"
#include "framework/stream.h"

#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 4096;
}

TNetWriter::TNetWriter(TStream& stream) : fStream(stream), fBuffer(kBufferSize) {}

TNetWriter::~TNetWriter() {
    try {
        Flush();
    } catch (...) {
        // Callers that care flush explicitly and see the error there.
    }
}

void TNetWriter::Flush() {
    if (fUsed == 0) return;
    std::size_t n = fUsed;
    fUsed = 0;
    fStream.Write(fBuffer.data(), n);
}

void TNetWriter::Put(std::uint8_t byte) {
    if (fUsed == fBuffer.size()) Flush();
    fBuffer[fUsed++] = byte;
}

void TNetWriter::PutBytes(const void* bytes, std::size_t n) {
    auto* p = static_cast<const std::uint8_t*>(bytes);
    while (n > 0) {
        if (fUsed == fBuffer.size()) Flush();
        std::size_t take = std::min(n, fBuffer.size() - fUsed);
        std::memcpy(fBuffer.data() + fUsed, p, take);
        fUsed += take;
        p += take;
        n -= take;
    }
}

void TNetWriter::WriteInteger(std::int32_t value) {
    if (value >= -128 && value <= 127) {
        Put(vaInt8);
        Put(static_cast<std::uint8_t>(value));
    } else if (value >= -32768 && value <= 32767) {
        Put(vaInt16);
        Put(static_cast<std::uint8_t>(value));
        Put(static_cast<std::uint8_t>(value >> 8));
    } else {
        auto u = static_cast<std::uint32_t>(value);
        Put(vaInt32);
        Put(static_cast<std::uint8_t>(u));
        Put(static_cast<std::uint8_t>(u >> 8));
        Put(static_cast<std::uint8_t>(u >> 16));
        Put(static_cast<std::uint8_t>(u >> 24));
    }
}

void TNetWriter::WriteString(std::string_view value) {
    if (value.size() <= 255) {
        Put(vaString);
        Put(static_cast<std::uint8_t>(value.size()));
    } else {
        auto n = static_cast<std::uint32_t>(value.size());
        Put(vaLString);
        Put(static_cast<std::uint8_t>(n));
        Put(static_cast<std::uint8_t>(n >> 8));
        Put(static_cast<std::uint8_t>(n >> 16));
        Put(static_cast<std::uint8_t>(n >> 24));
    }
    PutBytes(value.data(), value.size());
}

void TNetWriter::WriteChar(char value) {
    Put(vaString);
    Put(1);
    Put(static_cast<std::uint8_t>(value));
}

void TNetWriter::WriteBoolean(bool value) { Put(value ? vaTrue : vaFalse); }
void TNetWriter::WriteListBegin() { Put(vaList); }
void TNetWriter::WriteListEnd() { Put(vaNull); }

void TNetWriter::WriteObject(const TStreamable* object) {
    if (!object) {
        WriteInteger(-2);
        return;
    }
    if (fIdentities) {
        if (auto k = fIdentities->Find(object)) {
            WriteInteger(static_cast<std::int32_t>(k));
            return;
        }
    } else {
        fIdentities = std::make_unique<TDictionary>(2);
    }
    std::int32_t k = fNextOrdinal++;
    fIdentities->Add(object, k);
    WriteInteger(-1);
    WriteString(object->ClassName());
    fOrder.push_back(object);
}

void TNetWriter::WriteRoot(const TStreamable& root) {
    std::int32_t n = root.ObjectCount();
    fIdentities = std::make_unique<TDictionary>(std::max(n, 2));
    fOrder.clear();
    fOrder.reserve(static_cast<std::size_t>(n));
    WriteInteger(n);
    fNextOrdinal = 1;
    WriteObject(&root);
    for (std::size_t i = 0; i < fOrder.size(); ++i) fOrder[i]->WriteTo(*this);
    fIdentities.reset();
    fOrder.clear();
}
