#include "stream_floor.h"

#include "framework/errors.h"
#include "framework/netreader.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum class TKind : std::uint8_t {
    Library,
    Category,
    Identity,
    Segment,
    Question,
    Chunk,
    Text,
    Entry,
    OwningEntry,
    Document
};

TKind KindOf(std::string_view name) {
    if (name == "TTextChunk") return TKind::Chunk;
    if (name == "TIdentityCategory") return TKind::Identity;
    if (name == "TQuestion") return TKind::Question;
    if (name == "TCategory") return TKind::Category;
    if (name == "TMarkScheme" || name == "TExaminersReport" || name == "TNote" ||
        name == "TSyllabus" || name == "TResource" || name == "TTextSegment")
        return TKind::Segment;
    if (name == "TLibrary") return TKind::Library;
    if (name == "TText") return TKind::Text;
    if (name == "TDocContent") return TKind::Entry;
    if (name == "TOwningDocContent") return TKind::OwningEntry;
    if (name == "TDocument") return TKind::Document;
    throw EReadError("Class " + std::string(name) + " not found");
}

class TWalker {
public:
    explicit TWalker(TNetReader& reader) : r(reader) {}

    std::int64_t Run() {
        r.ReadVersion();
        r.ReadInteger();
        r.ReadInteger();
        fKinds.reserve(static_cast<std::size_t>(std::max(0, r.ReadInteger())));
        Ref();
        for (std::size_t i = 0; i < fKinds.size(); ++i)
            Fields(fKinds[i]);
        return static_cast<std::int64_t>(fKinds.size());
    }

private:
    void Ref() {
        if (r.ReadInteger() == -1) fKinds.push_back(KindOf(r.ReadString()));
    }
    void List() {
        r.ReadListBegin();
        r.ReadInteger();
        while (!r.EndOfList())
            Ref();
        r.ReadListEnd();
    }
    void Segment() {
        Ref();
        Ref();
        r.ReadInteger();
        r.ReadInteger();
    }
    void Fields(TKind kind) {
        switch (kind) {
        case TKind::Library:
            r.ReadString();
            for (int i = 0; i < 7; ++i)
                Ref();
            break;
        case TKind::Category:
        case TKind::Identity:
            Ref();
            r.ReadString();
            List();
            if (kind == TKind::Category) break;
            r.ReadString();
            r.ReadString();
            for (int i = 0; i < 6; ++i)
                Ref();
            List();
            break;
        case TKind::Segment:
            Segment();
            break;
        case TKind::Question:
            Segment();
            List();
            Ref();
            Ref();
            List();
            List();
            break;
        case TKind::Chunk:
            r.ReadInteger();
            break;
        case TKind::Text:
            r.ReadChar();
            r.ReadString();
            Ref();
            r.ReadInteger();
            r.ReadInteger();
            r.ReadString();
            break;
        case TKind::Entry:
            r.ReadBoolean();
            r.ReadInteger();
            r.ReadString();
            break;
        case TKind::OwningEntry:
            r.ReadBoolean();
            r.ReadInteger();
            Ref();
            break;
        case TKind::Document:
            List();
            break;
        }
    }

    TNetReader& r;
    std::vector<TKind> fKinds;
};

} // namespace

std::int64_t TokeniseLibraryData(TStream& data) {
    TNetReader reader(data);
    return TWalker(reader).Run();
}
