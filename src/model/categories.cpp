#include "model/categories.h"

#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "model/segments.h"

#include <algorithm>

TCategory::TCategory(std::string_view name) : Name(name.substr(0, kMaxNameLength)) {}

TCategory::~TCategory() {
    // Take the subtree apart level by level so that destroying a very deep tree
    // does not recurse once per level.
    std::vector<std::unique_ptr<TCategory>> work = std::move(Children);
    while (!work.empty()) {
        std::unique_ptr<TCategory> c = std::move(work.back());
        work.pop_back();
        for (auto& g : c->Children) work.push_back(std::move(g));
        c->Children.clear();
    }
}

void TCategory::ReadFrom(TNetReader& reader) {
    Parent = reader.ReadObjectAs<TCategory>();
    Name = reader.ReadString(kMaxNameLength);
    reader.ReadOwnedListAs(Children);
}

void TCategory::WriteTo(TNetWriter& writer) const {
    writer.WriteObject(Parent);
    writer.WriteString(Name);
    writer.WriteObjectList(Children);
}

void TCategory::VisitOwned(TOwnedVisitor& visitor) const {
    for (const auto& c : Children) visitor.Visit(c.get());
}

void TCategory::DisownParts() {
    for (auto& c : Children) c.release();
    Children.clear();
}

std::unique_ptr<TCategory> TCategory::SetParent(TCategory* parent) {
    if (parent == Parent) return nullptr;
    if (parent && parent->IsOnUpwardPath(this))
        throw EDataError("A category cannot be moved below itself");
    std::unique_ptr<TCategory> self;
    if (Parent) {
        auto& siblings = Parent->Children;
        auto it = std::find_if(siblings.begin(), siblings.end(),
                               [this](const auto& c) { return c.get() == this; });
        if (it != siblings.end()) {
            self = std::move(*it);
            siblings.erase(it);
        }
    }
    if (!self) self.reset(this); // a root handed over by its holder
    Parent = parent;
    if (!parent) return self;
    parent->Children.push_back(std::move(self));
    return nullptr;
}

int TCategory::Depth() const {
    int d = 0;
    for (const TCategory* c = Parent; c; c = c->Parent) ++d;
    return d;
}

bool TCategory::IsOnUpwardPath(const TCategory* ancestor) const {
    for (const TCategory* c = this; c; c = c->Parent)
        if (c == ancestor) return true;
    return false;
}

const TCategory* TCategory::Root() const {
    const TCategory* c = this;
    while (c->Parent) c = c->Parent;
    return c;
}

std::unique_ptr<TCategoryIterator> TCategory::CreateIterator() const {
    return std::make_unique<TCategoryIterator>(this);
}

TCategory* TCategoryIterator::Next() {
    if (!fStarted) {
        fStarted = true;
        if (!fRoot) return nullptr;
        fStack.push_back({fRoot, 0});
        return const_cast<TCategory*>(fRoot);
    }
    while (!fStack.empty()) {
        Frame& top = fStack.back();
        if (top.next < top.category->Children.size()) {
            const TCategory* child = top.category->Children[top.next++].get();
            fStack.push_back({child, 0});
            return const_cast<TCategory*>(child);
        }
        fStack.pop_back();
    }
    return nullptr;
}

TIdentityCategory::TIdentityCategory() = default;

TIdentityCategory::TIdentityCategory(std::string_view idPart, std::string_view title)
    : IDPart(idPart.substr(0, kMaxIDPartLength)), Title(title.substr(0, kMaxTitleLength)) {}

TIdentityCategory::~TIdentityCategory() = default;

void TIdentityCategory::ReadFrom(TNetReader& reader) {
    TCategory::ReadFrom(reader);
    IDPart = reader.ReadString(kMaxIDPartLength);
    Title = reader.ReadString(kMaxTitleLength);
    Question.reset(reader.ReadObjectAs<TQuestion>());
    Syllabus.reset(reader.ReadObjectAs<TSyllabus>());
    ExaminersReport.reset(reader.ReadObjectAs<TExaminersReport>());
    MarkScheme.reset(reader.ReadObjectAs<TMarkScheme>());
    Note.reset(reader.ReadObjectAs<TNote>());
    if (reader.Version >= 9) {
        Resource.reset(reader.ReadObjectAs<TResource>());
    } else {
        // Older libraries have no resources; every identity gets an empty one.
        Resource = std::make_unique<TResource>();
        reader.Adopt(Resource.get());
    }
    reader.ReadObjectListAs(Related);
}

void TIdentityCategory::WriteTo(TNetWriter& writer) const {
    TCategory::WriteTo(writer);
    writer.WriteString(IDPart);
    writer.WriteString(Title);
    writer.WriteObject(Question.get());
    writer.WriteObject(Syllabus.get());
    writer.WriteObject(ExaminersReport.get());
    writer.WriteObject(MarkScheme.get());
    writer.WriteObject(Note.get());
    writer.WriteObject(Resource.get());
    writer.WriteObjectList(Related);
}

void TIdentityCategory::VisitOwned(TOwnedVisitor& visitor) const {
    TCategory::VisitOwned(visitor);
    for (auto* slot : {&Question, &Syllabus, &ExaminersReport, &MarkScheme, &Note, &Resource})
        if (*slot) visitor.Visit(slot->get());
}

void TIdentityCategory::DisownParts() {
    TCategory::DisownParts();
    for (auto* slot : {&Question, &Syllabus, &ExaminersReport, &MarkScheme, &Note, &Resource})
        slot->release();
}

std::unique_ptr<TTextSegment>* TIdentityCategory::SlotFor(char kind) {
    switch (kind) {
    case 'Q': return &Question;
    case 'S': return &Syllabus;
    case 'E': return &ExaminersReport;
    case 'M': return &MarkScheme;
    case 'N': return &Note;
    case 'R': return &Resource;
    default: return nullptr;
    }
}

TTextSegment* TIdentityCategory::SegmentFor(char kind) const {
    auto* slot = const_cast<TIdentityCategory*>(this)->SlotFor(kind);
    return slot ? slot->get() : nullptr;
}

std::string FullID(const TIdentityCategory& identity) {
    std::vector<const std::string*> pieces;
    const TCategory* c = &identity;
    for (; c; c = c->Parent) {
        auto* id = dynamic_cast<const TIdentityCategory*>(c);
        if (id) pieces.push_back(&id->IDPart);
    }
    std::string s;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) s += **it;
    return s;
}

TIdentityCategory* FindByID(const TIdentityCategory* root, std::string_view id) {
    if (!root) return nullptr;
    struct Frame {
        const TCategory* node;
        std::size_t pos;
        std::size_t next;
    };
    std::vector<Frame> stack{{root, 0, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.pos >= id.size())
            return const_cast<TIdentityCategory*>(static_cast<const TIdentityCategory*>(f.node));
        bool descended = false;
        while (f.next < f.node->Children.size()) {
            auto* child = dynamic_cast<const TIdentityCategory*>(f.node->Children[f.next++].get());
            if (!child) continue;
            const std::string& piece = child->IDPart;
            if (id.substr(f.pos, piece.size()) == piece) {
                stack.push_back({child, f.pos + piece.size(), 0});
                descended = true;
                break;
            }
        }
        if (!descended) stack.pop_back();
    }
    return nullptr;
}

void ValidateTree(const TCategory& root, bool identityTree) {
    if (root.Parent) throw EDataError("Invalid library: a tree's root has a parent");
    std::vector<const TCategory*> work{&root};
    while (!work.empty()) {
        const TCategory* c = work.back();
        work.pop_back();
        auto* identity = dynamic_cast<const TIdentityCategory*>(c);
        if (identityTree && !identity)
            throw EDataError("Invalid library: an identity tree holds a plain category");
        if (identity) {
            // A text names the identity that holds it; the identifier, the title and
            // Release go through that link. Only the stand-in resources of old
            // libraries have no identity.
            for (char kind : {'Q', 'S', 'E', 'M', 'N', 'R'}) {
                const TTextSegment* seg = identity->SegmentFor(kind);
                if (seg && seg->Identity != identity && !(kind == 'R' && !seg->Identity))
                    throw EDataError(
                        "Invalid library: a text does not name the identity that holds it");
            }
        }
        for (const auto& child : c->Children) {
            if (child->Parent != c)
                throw EDataError("Invalid library: the category \"" + child->Name +
                                 "\" does not name its parent");
            work.push_back(child.get());
        }
    }
}
