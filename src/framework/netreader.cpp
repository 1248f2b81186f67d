#include "framework/netreader.h"

#include "framework/registry.h"
#include "framework/stream.h"

#include <algorithm>
#include <cstring>
#include <typeinfo>

namespace {
constexpr std::size_t kBufferSize = 4096;
constexpr std::int32_t kMaxObjectCount = 134217727;

class MarkOwned final : public TOwnedVisitor {
public:
    void Visit(TStreamable* part) override {
        if (!part) return;
        if (part->fStreamMark != 0)
            throw EDataError("Invalid object data: an object is owned twice");
        part->fStreamMark = 1;
    }
};

class CollectOwned final : public TOwnedVisitor {
public:
    explicit CollectOwned(std::vector<TStreamable*>& out) : fOut(out) {}
    void Visit(TStreamable* part) override {
        if (part) fOut.push_back(part);
    }

private:
    std::vector<TStreamable*>& fOut;
};
} // namespace

TNetReader::TNetReader(TStream& stream) : fStream(stream), fBuffer(kBufferSize) {
    fLeft = std::max<std::int64_t>(0, stream.Size() - stream.Position());
}

TNetReader::~TNetReader() = default;

std::int64_t TNetReader::BytesLeft() const {
    return static_cast<std::int64_t>(fBufLen - fBufPos) + fLeft;
}

void TNetReader::Fill() {
    fBufPos = 0;
    fBufLen = 0;
    if (fLeft <= 0) return;
    std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(fLeft, kBufferSize));
    fBufLen = fStream.Read(fBuffer.data(), want);
    if (fBufLen == 0) {
        fLeft = 0;
        return;
    }
    fLeft -= static_cast<std::int64_t>(fBufLen);
}

std::uint8_t TNetReader::ReadTag() {
    if (fBufPos == fBufLen) {
        Fill();
        if (fBufLen == 0) throw EReadError("Stream read error");
    }
    return fBuffer[fBufPos++];
}

std::uint8_t TNetReader::PeekTag() {
    std::uint8_t tag = ReadTag();
    --fBufPos;
    return tag;
}

void TNetReader::ReadBytes(void* dest, std::size_t n) {
    // Nearly every value lies wholly in the buffer; this runs for each byte of a file.
    if (n <= fBufLen - fBufPos) {
        std::memcpy(dest, fBuffer.data() + fBufPos, n);
        fBufPos += n;
        return;
    }
    if (static_cast<std::int64_t>(n) > BytesLeft()) throw EReadError("Stream read error");
    auto* out = static_cast<std::uint8_t*>(dest);
    while (n > 0) {
        if (fBufPos == fBufLen) {
            Fill();
            if (fBufLen == 0) throw EReadError("Stream read error");
        }
        std::size_t take = std::min(n, fBufLen - fBufPos);
        std::memcpy(out, fBuffer.data() + fBufPos, take);
        fBufPos += take;
        out += take;
        n -= take;
    }
}

std::int32_t TNetReader::ReadInteger() {
    // Integers are most of a file: decode them in place when the buffer holds the
    // longest form, and take the general way only near the buffer's end.
    if (fBufLen - fBufPos >= 5) {
        const std::uint8_t* p = fBuffer.data() + fBufPos;
        switch (p[0]) {
        case vaInt8: fBufPos += 2; return static_cast<std::int8_t>(p[1]);
        case vaInt16: fBufPos += 3; return static_cast<std::int16_t>(p[1] | p[2] << 8);
        case vaInt32:
            fBufPos += 5;
            return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[1]) | p[2] << 8 |
                                             p[3] << 16 | static_cast<std::uint32_t>(p[4]) << 24);
        default: throw EReadError("Invalid property value");
        }
    }
    switch (ReadTag()) {
    case vaInt8: {
        std::int8_t v;
        ReadBytes(&v, 1);
        return v;
    }
    case vaInt16: {
        std::uint8_t b[2];
        ReadBytes(b, 2);
        return static_cast<std::int16_t>(b[0] | b[1] << 8);
    }
    case vaInt32: {
        std::uint8_t b[4];
        ReadBytes(b, 4);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | b[1] << 8 | b[2] << 16 |
                                         static_cast<std::uint32_t>(b[3]) << 24);
    }
    default: throw EReadError("Invalid property value");
    }
}

std::int32_t TNetReader::ReadVersion() {
    Version = ReadInteger();
    return Version;
}

std::string TNetReader::ReadString() {
    std::string s;
    ReadStringInto(s);
    return s;
}

void TNetReader::ReadStringInto(std::string& s) {
    std::int64_t len;
    switch (ReadTag()) {
    case vaString: {
        std::uint8_t l;
        ReadBytes(&l, 1);
        len = l;
        break;
    }
    case vaLString: {
        std::uint8_t b[4];
        ReadBytes(b, 4);
        len = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | b[1] << 8 | b[2] << 16 |
                                        static_cast<std::uint32_t>(b[3]) << 24);
        break;
    }
    default: throw EReadError("Invalid property value");
    }
    if (len < 0 || len > BytesLeft()) throw EReadError("Stream read error");
    s.resize(static_cast<std::size_t>(len));
    ReadBytes(s.data(), s.size());
}

std::string TNetReader::ReadString(std::size_t limit) {
    std::string s = ReadString();
    if (s.size() > limit) s.resize(limit);
    return s;
}

char TNetReader::ReadChar() {
    if (ReadTag() != vaString) throw EReadError("Invalid property value");
    std::uint8_t len;
    ReadBytes(&len, 1);
    if (len != 1) throw EReadError("Invalid property value");
    char c;
    ReadBytes(&c, 1);
    return c;
}

bool TNetReader::ReadBoolean() { return ReadTag() == vaTrue; }

void TNetReader::ReadListBegin() {
    if (ReadTag() != vaList) throw EReadError("Invalid property value");
}

void TNetReader::ReadListEnd() {
    if (ReadTag() != vaNull) throw EReadError("Invalid property value");
}

bool TNetReader::EndOfList() { return PeekTag() == vaNull; }

TStreamable* TNetReader::ReadObject() {
    std::int32_t k = ReadInteger();
    if (k == -2) return nullptr;
    if (k == -1) {
        // Into a buffer kept for the purpose: most class names are too long for a
        // string's own storage, and there is one per object.
        ReadStringInto(fClassName);
        TStreamableFactory factory = TClassRegistry::Instance().Find(fClassName);
        if (!factory) throw EReadError("Class " + fClassName + " not found");
        if (!fInRoot) throw EDataError("Invalid object data: an object outside its root block");
        // Room first, so that the new object cannot be lost by a failing push_back. The
        // advance count is only an estimate: grow geometrically, never one by one.
        if (fTable.size() == fTable.capacity())
            fTable.reserve(std::max<std::size_t>(16, fTable.size() * 2));
        fTable.push_back(factory());
        return fTable.back();
    }
    if (k < 1 || static_cast<std::size_t>(k) > fTable.size())
        throw ERangeError("List index out of bounds (" + std::to_string(k) + ")");
    return fTable[static_cast<std::size_t>(k) - 1];
}

std::size_t TNetReader::ReadListHead() {
    ReadListBegin();
    std::int32_t count = ReadInteger();
    // The count is only a hint; never trust it beyond what the bytes left can hold
    // (every reference takes at least two bytes).
    return count > 0 ? static_cast<std::size_t>(std::min<std::int64_t>(count, BytesLeft() / 2)) : 0;
}

void TNetReader::ReadObjectList(std::vector<TStreamable*>& list) {
    list.clear();
    list.reserve(ReadListHead());
    while (!EndOfList()) list.push_back(ReadObject());
    ReadListEnd();
}

void TNetReader::Adopt(TStreamable* made) { fMade.push_back(made); }

void TNetReader::WrongClass(const TStreamable* got) {
    throw EDataError(std::string("Invalid object data: unexpected object of class ") +
                     (got ? got->ClassName() : "(none)"));
}

std::unique_ptr<TStreamable> TNetReader::ReadRoot() {
    if (fInRoot) throw EDataError("Invalid object data: nested root block");
    fTable.clear();
    fMade.clear();
    fInRoot = true;
    try {
        std::int32_t n = ReadInteger();
        if (n < 0 || n > kMaxObjectCount)
            throw ERangeError("List capacity out of bounds (" + std::to_string(n) + ")");
        fTable.reserve(static_cast<std::size_t>(std::min<std::int64_t>(n, BytesLeft() / 2 + 1)));
        TStreamable* root = ReadObject();
        for (std::size_t i = 0; i < fTable.size(); ++i) fTable[i]->ReadFrom(*this);
        if (root) CheckOwnership(root);
        fInRoot = false;
        fTable.clear();
        fMade.clear();
        return std::unique_ptr<TStreamable>(root);
    } catch (...) {
        fInRoot = false;
        DestroyAll();
        throw;
    }
}

// Every object of a block must be owned exactly once and hang, through its owners,
// from the root; otherwise destroying the graph would free an object twice or never.
void TNetReader::CheckOwnership(TStreamable* root) {
    for (TStreamable* o : fTable) o->fStreamMark = 0;
    for (TStreamable* o : fMade) o->fStreamMark = 0;
    MarkOwned mark;
    for (TStreamable* o : fTable) o->VisitOwned(mark);
    for (TStreamable* o : fMade) o->VisitOwned(mark);
    if (root->fStreamMark != 0) throw EDataError("Invalid object data: the root is owned");

    std::vector<TStreamable*> work{root};
    std::size_t reached = 0;
    CollectOwned collect(work);
    while (!work.empty()) {
        TStreamable* o = work.back();
        work.pop_back();
        ++reached;
        o->VisitOwned(collect);
    }
    if (reached != fTable.size() + fMade.size())
        throw EDataError("Invalid object data: objects that belong to nothing");
}

void TNetReader::DestroyAll() {
    for (TStreamable* o : fTable) o->DisownParts();
    for (TStreamable* o : fMade) o->DisownParts();
    for (TStreamable* o : fTable) delete o;
    for (TStreamable* o : fMade) delete o;
    fTable.clear();
    fMade.clear();
}
