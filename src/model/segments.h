#pragma once

#include "framework/streamable.h"
#include "model/text_store.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCategory;
class TIdentityCategory;
class TText;
class TDocContent;
class TOwningDocContent;

// One rich text of the library or of a test document, with its marks and time.
class TTextSegment : public TStreamable {
public:
    TTextSegment() = default;
    ~TTextSegment() override;

    const char* ClassName() const override { return "TTextSegment"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    // Kind letter: Q M E S R N, T for a free text, 0 for the bare base class.
    virtual char Kind() const { return 0; }
    virtual std::string GetTitle() const;
    virtual void SetTitle(std::string_view title);
    // Removes the segment for good. A library segment is destroyed through its
    // identity's slot; a free text loses its chunk and its owner destroys it.
    virtual void Release();
    virtual std::string GetID() const;
    std::unique_ptr<TText> MakeText() const;
    // The entry a document makes for this library segment.
    virtual std::unique_ptr<TDocContent> MakeEntry();

    TIdentityCategory* Identity = nullptr;
    std::unique_ptr<TTextChunk> Chunk;
    std::int16_t Marks = 0;
    std::int16_t Time = 0;
};

class TQuestion : public TTextSegment {
public:
    const char* ClassName() const override { return "TQuestion"; }
    char Kind() const override { return 'Q'; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;

    std::vector<TCategory*> Topics;
    TCategory* QuestionType = nullptr;
    TCategory* Level = nullptr;
    std::vector<TCategory*> Papers;
    std::vector<TIdentityCategory*> Resources;
};

#define QB_LIBRARY_SEGMENT(Class, Letter)                                                          \
    class Class : public TTextSegment {                                                            \
    public:                                                                                        \
        const char* ClassName() const override { return #Class; }                                 \
        char Kind() const override { return Letter; }                                              \
    };
QB_LIBRARY_SEGMENT(TSyllabus, 'S')
QB_LIBRARY_SEGMENT(TExaminersReport, 'E')
QB_LIBRARY_SEGMENT(TMarkScheme, 'M')
QB_LIBRARY_SEGMENT(TNote, 'N')
QB_LIBRARY_SEGMENT(TResource, 'R')
#undef QB_LIBRARY_SEGMENT

// A free text owned by a test document: a title, a section heading, a typed text or
// an edited copy of a library text (which keeps the identity it came from).
class TText : public TTextSegment {
public:
    const char* ClassName() const override { return "TText"; }
    char Kind() const override { return 'T'; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    std::string GetTitle() const override { return Title; }
    void SetTitle(std::string_view title) override;
    void Release() override;
    std::string GetID() const override;
    std::unique_ptr<TDocContent> MakeEntry() override;
    // The entry that owns a free text.
    static std::unique_ptr<TOwningDocContent> MakeOwningEntry(std::unique_ptr<TText> text);

    std::string Title;
};

// Whether a segment's kind is numbered when it enters a document.
bool IsNumberedKind(char kind);
// The tree character of an identity's tree: Q, S, R, or ' ' when it has none.
char TreeCharOf(const TIdentityCategory* identity, const class TLibrary* library);
