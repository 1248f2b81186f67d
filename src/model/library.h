#pragma once

#include "framework/streamable.h"
#include "model/categories.h"

#include <memory>
#include <string>
#include <string_view>

class TTextSegment;

// The root of a library's index: its name and its seven category trees.
class TLibrary : public TStreamable {
public:
    TLibrary();
    ~TLibrary() override;

    const char* ClassName() const override { return "TLibrary"; }
    void ReadFrom(TNetReader& reader) override;
    void WriteTo(TNetWriter& writer) const override;
    void VisitOwned(TOwnedVisitor& visitor) const override;
    void DisownParts() override;

    // The identity tree of a tree character: S syllabus, Q or blank questions,
    // R resources; null for any other character.
    TIdentityCategory* IdentityRoot(char tree) const;
    TIdentityCategory* FindIdentity(std::string_view id, char tree) const;
    // Resolves a segment identifier such as Q12a; raises EDataError when there is none.
    TTextSegment* FindSegment(std::string_view id) const;
    // Checks the trees after reading; throws EDataError when they do not hold together.
    void Validate() const;

    std::string Name;
    std::unique_ptr<TCategory> TopicRoot;
    std::unique_ptr<TCategory> QuestionTypeRoot;
    std::unique_ptr<TCategory> LevelRoot;
    std::unique_ptr<TCategory> PaperRoot;
    std::unique_ptr<TIdentityCategory> QuestionRoot;
    std::unique_ptr<TIdentityCategory> SyllabusRoot;
    std::unique_ptr<TIdentityCategory> ResourceRoot;
};
