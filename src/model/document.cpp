#include "model/document.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "model/categories.h"
#include "model/library.h"

#include <algorithm>

TDocContent::~TDocContent() = default;

void TDocContent::ReadFrom(TNetReader& reader) {
    Numbered = reader.ReadBoolean();
    Number = static_cast<std::int16_t>(reader.ReadInteger());
    std::string id = reader.ReadString();
    if (!reader.Library) throw EDataError("Invalid ID: " + id);
    Segment = reader.Library->FindSegment(id);
}

void TDocContent::WriteTo(TNetWriter& writer) const {
    writer.WriteBoolean(Numbered);
    writer.WriteInteger(Number);
    writer.WriteString(Segment ? Segment->GetID() : std::string());
}

std::unique_ptr<TDocContent> TDocContent::Clone() const {
    auto copy = std::make_unique<TDocContent>();
    copy->Numbered = Numbered;
    copy->Number = Number;
    copy->Segment = Segment;
    return copy;
}

void TOwningDocContent::ReadFrom(TNetReader& reader) {
    Numbered = reader.ReadBoolean();
    Number = static_cast<std::int16_t>(reader.ReadInteger());
    fText.reset(reader.ReadObjectAs<TText>());
    if (!fText) throw EDataError("Invalid document: a free text entry has no text");
    Segment = fText.get();
}

void TOwningDocContent::WriteTo(TNetWriter& writer) const {
    writer.WriteBoolean(Numbered);
    writer.WriteInteger(Number);
    writer.WriteObject(fText.get());
}

std::unique_ptr<TDocContent> TOwningDocContent::Clone() const {
    auto copy = std::make_unique<TOwningDocContent>();
    copy->Numbered = Numbered;
    copy->Number = Number;
    if (fText) {
        auto text = fText->MakeText();
        if (fText->Chunk) text->Chunk = fText->Chunk->Clone();
        copy->SetText(std::move(text));
    }
    return copy;
}

void TOwningDocContent::Discard() {
    if (fText) fText->Release();
}

void TOwningDocContent::VisitOwned(TOwnedVisitor& visitor) const {
    if (fText) visitor.Visit(fText.get());
}

void TOwningDocContent::DisownParts() {
    fText.release();
    Segment = nullptr;
}

void TOwningDocContent::SetText(std::unique_ptr<TText> text) {
    fText = std::move(text);
    Segment = fText.get();
}

TDocument::~TDocument() = default;

void TDocument::ReadFrom(TNetReader& reader) { reader.ReadOwnedListAs(Entries); }

void TDocument::WriteTo(TNetWriter& writer) const { writer.WriteObjectList(Entries); }

void TDocument::VisitOwned(TOwnedVisitor& visitor) const {
    for (const auto& e : Entries) visitor.Visit(e.get());
}

void TDocument::DisownParts() {
    for (auto& e : Entries) e.release();
    Entries.clear();
}

void TDocument::CheckIndex(int index, bool allowEnd) const {
    int limit = static_cast<int>(Entries.size()) + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
}

int TDocument::IndexOf(const TDocContent* entry) const {
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i].get() == entry) return static_cast<int>(i);
    return -1;
}

void TDocument::InsertEntries(const std::vector<TListItem>& items, int index,
                              const TLibrary* library) {
    if (index != -1) CheckIndex(index, true);
    // Make every entry first, so that a failure leaves the document as it was.
    std::vector<std::unique_ptr<TDocContent>> made;
    for (TListItem item : items) {
        if (auto* entry = dynamic_cast<TDocContent*>(item)) {
            made.push_back(entry->Clone());
        } else if (auto* identity = dynamic_cast<TIdentityCategory*>(item)) {
            if (!library) throw EDataError("Invalid ID: R" + FullID(*identity));
            made.push_back(library->FindSegment("R" + FullID(*identity))->MakeEntry());
        } else if (auto* segment = dynamic_cast<TTextSegment*>(item)) {
            made.push_back(segment->MakeEntry());
        }
    }
    auto at = index == -1 ? Entries.end() : Entries.begin() + index;
    Entries.insert(at, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    Renumber();
}

void TDocument::RemoveEntries(const std::vector<TDocContent*>& entries) {
    for (TDocContent* e : entries) {
        auto it = std::find_if(Entries.begin(), Entries.end(),
                               [e](const auto& p) { return p.get() == e; });
        if (it == Entries.end()) continue;
        std::unique_ptr<TDocContent> owned = std::move(*it);
        Entries.erase(it);
        owned->Discard();
    }
    Renumber();
}

void TDocument::MoveEntry(int from, int to) {
    CheckIndex(from, false);
    CheckIndex(to, false);
    auto entry = std::move(Entries[static_cast<std::size_t>(from)]);
    Entries.erase(Entries.begin() + from);
    Entries.insert(Entries.begin() + to, std::move(entry));
    Renumber();
}

void TDocument::ToggleNumbered(int index) {
    CheckIndex(index, false);
    auto& e = *Entries[static_cast<std::size_t>(index)];
    e.Numbered = !e.Numbered;
    Renumber();
}

void TDocument::InsertTextEntry(int index, std::string_view title, bool numbered,
                                std::unique_ptr<TTextChunk> chunk, std::int16_t marks,
                                std::int16_t time) {
    if (index != -1) CheckIndex(index, true);
    auto text = std::make_unique<TText>();
    text->SetTitle(title);
    text->Marks = marks;
    text->Time = time;
    text->Chunk = std::move(chunk);
    auto entry = TText::MakeOwningEntry(std::move(text));
    entry->Numbered = numbered;
    auto at = index == -1 ? Entries.end() : Entries.begin() + index;
    Entries.insert(at, std::move(entry));
    Renumber();
}

void TDocument::UpdateTextEntry(int index, std::string_view title, bool numbered,
                                std::unique_ptr<TTextChunk> chunk, std::int16_t marks,
                                std::int16_t time) {
    CheckIndex(index, false);
    auto& slot = Entries[static_cast<std::size_t>(index)];
    auto* owning = dynamic_cast<TOwningDocContent*>(slot.get());
    if (!owning) {
        auto text = std::make_unique<TText>();
        text->Identity = slot->Segment ? slot->Segment->Identity : nullptr;
        auto replacement = TText::MakeOwningEntry(std::move(text));
        owning = replacement.get();
        slot->Discard();
        slot = std::move(replacement);
    }
    owning->Numbered = numbered;
    TText* text = owning->Text();
    text->SetTitle(title);
    text->Marks = marks;
    text->Time = time;
    text->Chunk = std::move(chunk);
    Renumber();
}

void TDocument::BuildMarkScheme(const TDocument& source) { BuildDerived(source, 'M'); }
void TDocument::BuildReport(const TDocument& source) { BuildDerived(source, 'E'); }

void TDocument::BuildDerived(const TDocument& source, char kind) {
    for (const auto& e : source.Entries) {
        auto* question = dynamic_cast<TQuestion*>(e->Segment);
        if (!question) continue;
        TTextSegment* derived = question->Identity ? question->Identity->SegmentFor(kind) : nullptr;
        if (derived) {
            auto entry = std::make_unique<TDocContent>();
            entry->Numbered = e->Numbered;
            entry->Number = e->Number;
            entry->Segment = derived;
            Entries.push_back(std::move(entry));
        } else {
            auto text = question->MakeText();
            text->Chunk = kind == 'M' ? MakeMissingMarkSchemeChunk() : MakeMissingReportChunk();
            auto entry = TText::MakeOwningEntry(std::move(text));
            entry->Numbered = e->Numbered;
            Entries.push_back(std::move(entry));
        }
    }
    Renumber();
}

void TDocument::Renumber() {
    std::int16_t n = 1;
    for (auto& e : Entries)
        if (e->Numbered) e->Number = n++;
}
