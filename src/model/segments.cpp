#include "model/segments.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "model/categories.h"
#include "model/document.h"
#include "model/library.h"

TTextSegment::~TTextSegment() = default;

void TTextSegment::ReadFrom(TNetReader& reader) {
    Identity = reader.ReadObjectAs<TIdentityCategory>();
    Chunk.reset(reader.ReadObjectAs<TTextChunk>());
    Marks = static_cast<std::int16_t>(reader.ReadInteger());
    Time = static_cast<std::int16_t>(reader.ReadInteger());
    if (reader.Version == 1) reader.ReadBoolean();
}

void TTextSegment::WriteTo(TNetWriter& writer) const {
    writer.WriteObject(Identity);
    writer.WriteObject(Chunk.get());
    writer.WriteInteger(Marks);
    writer.WriteInteger(Time);
}

void TTextSegment::VisitOwned(TOwnedVisitor& visitor) const {
    if (Chunk) visitor.Visit(Chunk.get());
}

void TTextSegment::DisownParts() { Chunk.release(); }

std::string TTextSegment::GetTitle() const { return Identity ? Identity->Title : std::string(); }

void TTextSegment::SetTitle(std::string_view title) {
    if (Identity) Identity->Title = std::string(title.substr(0, kMaxTitleLength));
}

void TTextSegment::Release() {
    if (Identity) {
        auto* slot = Identity->SlotFor(Kind());
        if (slot && slot->get() == this) {
            slot->reset(); // destroys this segment; nothing may follow
            return;
        }
    }
    Chunk.reset();
}

std::string TTextSegment::GetID() const {
    // Segments without an identity (the empty resources of old libraries) have no
    // identifier, like free texts.
    if (!Identity || !Kind()) return {};
    return Kind() + FullID(*Identity);
}

std::unique_ptr<TText> TTextSegment::MakeText() const {
    auto text = std::make_unique<TText>();
    text->Identity = Identity;
    text->Marks = Marks;
    text->Time = Time;
    text->SetTitle(GetTitle());
    return text;
}

std::unique_ptr<TDocContent> TTextSegment::MakeEntry() {
    auto entry = std::make_unique<TDocContent>();
    entry->Numbered = IsNumberedKind(Kind());
    entry->Segment = this;
    return entry;
}

void TQuestion::ReadFrom(TNetReader& reader) {
    TTextSegment::ReadFrom(reader);
    reader.ReadObjectListAs(Topics);
    QuestionType = reader.ReadObjectAs<TCategory>();
    Level = reader.ReadObjectAs<TCategory>();
    reader.ReadObjectListAs(Papers);
    if (reader.Version > 8) reader.ReadObjectListAs(Resources);
    else Resources.clear();
}

void TQuestion::WriteTo(TNetWriter& writer) const {
    TTextSegment::WriteTo(writer);
    writer.WriteObjectList(Topics);
    writer.WriteObject(QuestionType);
    writer.WriteObject(Level);
    writer.WriteObjectList(Papers);
    writer.WriteObjectList(Resources);
}

void TText::ReadFrom(TNetReader& reader) {
    if (reader.Version < 7) throw EDataError("Cannot read old text format");
    char tree;
    if (reader.Version >= 10) tree = reader.ReadChar();
    else tree = reader.ReadBoolean() ? 'S' : 'Q';
    std::string id = reader.ReadString();
    Identity = nullptr;
    if (!id.empty() && reader.Library) Identity = reader.Library->FindIdentity(id, tree);
    Chunk.reset(reader.ReadObjectAs<TTextChunk>());
    Marks = static_cast<std::int16_t>(reader.ReadInteger());
    Time = static_cast<std::int16_t>(reader.ReadInteger());
    Title = reader.ReadString(kMaxTitleLength);
}

void TText::WriteTo(TNetWriter& writer) const {
    writer.WriteChar(TreeCharOf(Identity, writer.Library));
    writer.WriteString(Identity ? FullID(*Identity) : std::string());
    writer.WriteObject(Chunk.get());
    writer.WriteInteger(Marks);
    writer.WriteInteger(Time);
    writer.WriteString(Title);
}

void TText::SetTitle(std::string_view title) {
    Title = std::string(title.substr(0, kMaxTitleLength));
}

void TText::Release() { Chunk.reset(); }

std::string TText::GetID() const { return Identity ? "T" + FullID(*Identity) : std::string(); }

std::unique_ptr<TDocContent> TText::MakeEntry() {
    // A free text belongs to one entry; another entry gets its own copy.
    auto copy = MakeText();
    if (Chunk) copy->Chunk = Chunk->Clone();
    return MakeOwningEntry(std::move(copy));
}

std::unique_ptr<TOwningDocContent> TText::MakeOwningEntry(std::unique_ptr<TText> text) {
    auto entry = std::make_unique<TOwningDocContent>();
    entry->Numbered = false;
    entry->SetText(std::move(text));
    return entry;
}

bool IsNumberedKind(char kind) { return kind == 'Q' || kind == 'M' || kind == 'E'; }

char TreeCharOf(const TIdentityCategory* identity, const TLibrary* library) {
    if (!identity) return ' ';
    const TCategory* root = identity->Root();
    if (library) {
        if (root == library->SyllabusRoot.get()) return 'S';
        if (root == library->ResourceRoot.get()) return 'R';
    }
    return 'Q';
}
