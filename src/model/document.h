#pragma once

#include "framework/streamable.h"
#include "model/segments.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLibrary;

// An entry of a test document that refers to a library segment.
class TDocContent : public TStreamable {
public:
    TDocContent() = default;
    ~TDocContent() override;
    const char* ClassName() const override { return "TDocContent"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    virtual std::unique_ptr<TDocContent> Clone() const;

    bool Numbered = false;
    std::int16_t Number = 0;
    TTextSegment* Segment = nullptr;
};

// An entry that owns its free text; Segment points at that text.
class TOwningDocContent : public TDocContent {
public:
    const char* ClassName() const override { return "TOwningDocContent"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    std::unique_ptr<TDocContent> Clone() const override;
    void Discard() override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    TText* Text() const { return fText.get(); }
    void SetText(std::unique_ptr<TText> text);

private:
    std::unique_ptr<TText> fText;
};

// A list item that documents accept: a library segment, a document entry, or an
// identity category standing for its resource.
using TListItem = TStreamable*;

// A test document: an ordered list of entries, numbered consecutively.
class TDocument : public TStreamable {
public:
    TDocument() = default;
    ~TDocument() override;
    const char* ClassName() const override { return "TDocument"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    // Index -1 appends. Identity categories need the library to find their resource.
    void InsertEntries(const std::vector<TListItem>& items, int index, const TLibrary* library);
    void RemoveEntries(const std::vector<TDocContent*>& entries);
    void MoveEntry(int from, int to);
    void ToggleNumbered(int index);
    void InsertTextEntry(int index, std::string_view title, bool numbered,
                         std::unique_ptr<TTextChunk> chunk, std::int16_t marks, std::int16_t time);
    void UpdateTextEntry(int index, std::string_view title, bool numbered,
                         std::unique_ptr<TTextChunk> chunk, std::int16_t marks, std::int16_t time);
    void BuildMarkScheme(const TDocument& source);
    void BuildReport(const TDocument& source);
    void Renumber();

    int IndexOf(const TDocContent* entry) const;
    std::vector<std::unique_ptr<TDocContent>> Entries;

private:
    void BuildDerived(const TDocument& source, char kind);
    void CheckIndex(int index, bool allowEnd) const;
};
