#include "model/library.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "model/segments.h"

TLibrary::TLibrary() = default;
TLibrary::~TLibrary() = default;

void TLibrary::ReadFrom(TNetReader& reader) {
    Name = reader.ReadString(kMaxNameLength);
    TopicRoot.reset(reader.ReadObjectAs<TCategory>());
    QuestionTypeRoot.reset(reader.ReadObjectAs<TCategory>());
    LevelRoot.reset(reader.ReadObjectAs<TCategory>());
    PaperRoot.reset(reader.ReadObjectAs<TCategory>());
    QuestionRoot.reset(reader.ReadObjectAs<TIdentityCategory>());
    SyllabusRoot.reset(reader.ReadObjectAs<TIdentityCategory>());
    if (reader.Version >= 9) {
        ResourceRoot.reset(reader.ReadObjectAs<TIdentityCategory>());
    } else {
        ResourceRoot = std::make_unique<TIdentityCategory>();
        ResourceRoot->Name = "All resources";
        reader.Adopt(ResourceRoot.get());
    }
}

void TLibrary::WriteTo(TNetWriter& writer) const {
    writer.WriteString(Name);
    writer.WriteObject(TopicRoot.get());
    writer.WriteObject(QuestionTypeRoot.get());
    writer.WriteObject(LevelRoot.get());
    writer.WriteObject(PaperRoot.get());
    writer.WriteObject(QuestionRoot.get());
    writer.WriteObject(SyllabusRoot.get());
    writer.WriteObject(ResourceRoot.get());
}

void TLibrary::VisitOwned(TOwnedVisitor& visitor) const {
    const TCategory* roots[] = {TopicRoot.get(),    QuestionTypeRoot.get(), LevelRoot.get(),
                                PaperRoot.get(),    QuestionRoot.get(),     SyllabusRoot.get(),
                                ResourceRoot.get()};
    for (const TCategory* root : roots)
        if (root) visitor.Visit(const_cast<TCategory*>(root));
}

void TLibrary::DisownParts() {
    TopicRoot.release();
    QuestionTypeRoot.release();
    LevelRoot.release();
    PaperRoot.release();
    QuestionRoot.release();
    SyllabusRoot.release();
    ResourceRoot.release();
}

void TLibrary::Validate() const {
    if (!TopicRoot || !QuestionTypeRoot || !LevelRoot || !PaperRoot || !QuestionRoot ||
        !SyllabusRoot || !ResourceRoot)
        throw EDataError("Invalid library: a category tree is missing");
    ValidateTree(*TopicRoot, false);
    ValidateTree(*QuestionTypeRoot, false);
    ValidateTree(*LevelRoot, false);
    ValidateTree(*PaperRoot, false);
    ValidateTree(*QuestionRoot, true);
    ValidateTree(*SyllabusRoot, true);
    ValidateTree(*ResourceRoot, true);
}

TIdentityCategory* TLibrary::IdentityRoot(char tree) const {
    switch (tree) {
    case 'S': return SyllabusRoot.get();
    case 'Q':
    case ' ': return QuestionRoot.get();
    case 'R': return ResourceRoot.get();
    default: return nullptr;
    }
}

TIdentityCategory* TLibrary::FindIdentity(std::string_view id, char tree) const {
    TIdentityCategory* root = IdentityRoot(tree);
    return root ? FindByID(root, id) : nullptr;
}

TTextSegment* TLibrary::FindSegment(std::string_view id) const {
    if (id.empty()) throw EDataError("Invalid ID: ");
    char letter = id[0];
    char tree = (letter == 'R' || letter == 'S') ? letter : 'Q';
    TIdentityCategory* identity = FindIdentity(id.substr(1), tree);
    if (!identity) throw EDataError("Invalid ID: " + std::string(id));
    auto* slot = identity->SlotFor(letter);
    if (!slot) throw EDataError(std::string("Invalid text type: ") + letter);
    if (!*slot) throw EDataError("No text for ID: " + std::string(id));
    return slot->get();
}
