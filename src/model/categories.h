#pragma once

#include "framework/streamable.h"
#include "model/segments.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TCategoryIterator;
class TTextSegment;
class TQuestion;
class TSyllabus;
class TExaminersReport;
class TMarkScheme;
class TNote;
class TResource;

constexpr std::size_t kMaxNameLength = 40;
constexpr std::size_t kMaxTitleLength = 100;
constexpr std::size_t kMaxIDPartLength = 6;

// A node of a category tree. Owns its children. Every walk over a tree is iterative,
// so a tree of any depth read from a file is safe.
class TCategory : public TStreamable {
public:
    TCategory() = default;
    explicit TCategory(std::string_view name);
    ~TCategory() override;

    const char* ClassName() const override { return "TCategory"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    // Moves this category, which has a parent, below another one (appended last).
    // Moving it below itself or its own descendants is refused with EDataError.
    // With null the category leaves its tree and the caller receives it.
    std::unique_ptr<TCategory> SetParent(TCategory* parent);
    // Appends a new child and returns it.
    template <class T> T* AddChild(std::unique_ptr<T> child);
    int Depth() const;
    std::unique_ptr<TCategoryIterator> CreateIterator() const;
    // True when `ancestor` is this category or lies above it.
    bool IsOnUpwardPath(const TCategory* ancestor) const;
    const TCategory* Root() const;

    TCategory* Parent = nullptr;
    // Pre-order position within its tree, written by the question selector's index (not
    // stored in files). A stale value is harmless: the index checks it before use.
    mutable std::uint32_t TreeOrdinal = 0;
    std::string Name;
    std::vector<std::unique_ptr<TCategory>> Children;
};

// A node of an identity tree: a piece of an identifier, a title, and up to six texts.
class TIdentityCategory : public TCategory {
public:
    TIdentityCategory();
    explicit TIdentityCategory(std::string_view idPart, std::string_view title = {});
    ~TIdentityCategory() override;

    const char* ClassName() const override { return "TIdentityCategory"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    // The slot of a kind letter (Q S E M N R), or null for any other letter.
    std::unique_ptr<TTextSegment>* SlotFor(char kind);
    TTextSegment* SegmentFor(char kind) const;
    // Puts a segment in its slot and makes this its identity; returns it.
    template <class T> T* SetSegment(std::unique_ptr<T> segment);

    std::unique_ptr<TTextSegment> Question, Syllabus, ExaminersReport, MarkScheme, Note, Resource;
    std::string IDPart;
    std::string Title;
    std::vector<TIdentityCategory*> Related;
};

// Pre-order walk: a category, then the whole subtree of each child in turn.
class TCategoryIterator {
public:
    explicit TCategoryIterator(const TCategory* root) : fRoot(root) {}
    // The next category, or null at the end.
    TCategory* Next();

private:
    struct Frame {
        const TCategory* category;
        std::size_t next;
    };
    const TCategory* fRoot;
    bool fStarted = false;
    std::vector<Frame> fStack;
};

std::string FullID(const TIdentityCategory& identity);
TIdentityCategory* FindByID(const TIdentityCategory* root, std::string_view id);
// Checks that parent and child links agree and that every node of an identity tree
// is an identity category; throws EDataError otherwise.
void ValidateTree(const TCategory& root, bool identityTree);

template <class T> T* TCategory::AddChild(std::unique_ptr<T> child) {
    T* raw = child.get();
    raw->Parent = this;
    Children.push_back(std::move(child));
    return raw;
}

template <class T> T* TIdentityCategory::SetSegment(std::unique_ptr<T> segment) {
    T* raw = segment.get();
    std::unique_ptr<TTextSegment>* slot = SlotFor(raw->Kind());
    if (!slot) return nullptr;
    raw->Identity = this;
    *slot = std::move(segment);
    return raw;
}
