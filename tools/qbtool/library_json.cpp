#include "library_json.h"

#include "category_paths.h"
#include "json_writer.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"

#include <string>
#include <vector>

namespace {

// The category as the array of its names from below the root, or null.
void WriteCategoryRef(TJsonWriter& json, const TCategory* category) {
    if (!category) {
        json.Null();
        return;
    }
    json.BeginInlineArray();
    for (const std::string& name : CategoryNames(*category))
        json.Cp1252String(name);
    json.EndArray();
}

template <class List> void WriteCategoryRefs(TJsonWriter& json, const List& list) {
    json.BeginArray();
    for (const TCategory* c : list)
        WriteCategoryRef(json, c);
    json.EndArray();
}

void WriteQuestionFields(TJsonWriter& json, const TQuestion& question) {
    json.Key("topics");
    WriteCategoryRefs(json, question.Topics);
    json.Key("questionType");
    WriteCategoryRef(json, question.QuestionType);
    json.Key("level");
    WriteCategoryRef(json, question.Level);
    json.Key("papers");
    WriteCategoryRefs(json, question.Papers);
    json.Key("resources");
    json.BeginInlineArray();
    for (const TIdentityCategory* r : question.Resources) {
        if (r)
            json.Cp1252String(FullID(*r));
        else
            json.Null();
    }
    json.EndArray();
}

void WriteSegment(TJsonWriter& json, const TTextSegment& segment, const std::string& id) {
    json.BeginObject();
    json.Key("id");
    json.Cp1252String(id);
    json.Key("kind");
    json.String(std::string(1, segment.Kind()));
    json.Key("marks");
    json.Integer(segment.Marks);
    json.Key("time");
    json.Integer(segment.Time);
    json.Key("hasText");
    json.Boolean(segment.Chunk != nullptr);
    if (auto* question = dynamic_cast<const TQuestion*>(&segment))
        WriteQuestionFields(json, *question);
    json.EndObject();
}

constexpr char kSlotOrder[] = {'Q', 'S', 'E', 'M', 'N', 'R'};

// The fields of one identity node before its children. `fullId` is built on the way
// down so that a deep tree is not walked to the root for every node.
void WriteIdentityFields(TJsonWriter& json, const TCategory& node, const std::string& fullId,
                         const TLibrary& library) {
    auto* identity = dynamic_cast<const TIdentityCategory*>(&node);
    json.Key("name");
    json.Cp1252String(node.Name);
    json.Key("idPart");
    json.Cp1252String(identity ? identity->IDPart : std::string());
    json.Key("fullId");
    json.Cp1252String(fullId);
    json.Key("title");
    json.Cp1252String(identity ? identity->Title : std::string());
    json.Key("related");
    json.BeginInlineArray();
    if (identity) {
        for (const TIdentityCategory* r : identity->Related) {
            if (r)
                json.Cp1252String(std::string(1, TreeCharOf(r, &library)) + ":" + FullID(*r));
            else
                json.Null();
        }
    }
    json.EndArray();
    json.Key("segments");
    json.BeginArray();
    if (identity) {
        for (char kind : kSlotOrder) {
            const TTextSegment* segment = identity->SegmentFor(kind);
            // Libraries older than version 9 give every identity an empty resource
            // without identity or text; it is not a segment anyone can name.
            if (!segment || !segment->Identity) continue;
            WriteSegment(json, *segment,
                         segment->Identity == identity ? segment->Kind() + fullId
                                                       : segment->GetID());
        }
    }
    json.EndArray();
}

// Walks a tree without recursion, so that any depth read from a file is safe.
template <class Fields>
void WriteTree(TJsonWriter& json, const TCategory* root, bool identityTree, Fields fields) {
    if (!root) {
        json.Null();
        return;
    }
    struct Frame {
        const TCategory* node;
        std::size_t next;
        std::size_t idLength; // length of the node's full identifier
    };
    std::string fullId;
    std::vector<Frame> stack;
    auto open = [&](const TCategory* node) {
        if (identityTree) {
            // A root's piece is part of its full identifier too, as with FullID.
            if (auto* identity = dynamic_cast<const TIdentityCategory*>(node))
                fullId += identity->IDPart;
        }
        json.BeginObject();
        fields(*node, fullId);
        json.Key("children");
        json.BeginArray();
        stack.push_back({node, 0, fullId.size()});
    };
    open(root);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next < top.node->Children.size()) {
            const TCategory* child = top.node->Children[top.next++].get();
            fullId.resize(top.idLength);
            open(child);
        } else {
            json.EndArray();
            json.EndObject();
            stack.pop_back();
        }
    }
}

void WriteCategoryTree(TJsonWriter& json, const TCategory* root) {
    WriteTree(json, root, false, [&](const TCategory& node, const std::string&) {
        json.Key("name");
        json.Cp1252String(node.Name);
    });
}

void WriteIdentityTree(TJsonWriter& json, const TIdentityCategory* root, const TLibrary& library) {
    WriteTree(json, root, true, [&](const TCategory& node, const std::string& fullId) {
        WriteIdentityFields(json, node, fullId, library);
    });
}

} // namespace

void WriteLibraryJson(std::ostream& out, const TLibrary& library, std::int32_t version) {
    TJsonWriter json(out);
    json.BeginObject();
    json.Key("name");
    json.Cp1252String(library.Name);
    json.Key("version");
    json.Integer(version);
    json.Key("topics");
    WriteCategoryTree(json, library.TopicRoot.get());
    json.Key("questionTypes");
    WriteCategoryTree(json, library.QuestionTypeRoot.get());
    json.Key("levels");
    WriteCategoryTree(json, library.LevelRoot.get());
    json.Key("papers");
    WriteCategoryTree(json, library.PaperRoot.get());
    json.Key("questions");
    WriteIdentityTree(json, library.QuestionRoot.get(), library);
    json.Key("syllabus");
    WriteIdentityTree(json, library.SyllabusRoot.get(), library);
    json.Key("resources");
    WriteIdentityTree(json, library.ResourceRoot.get(), library);
    json.EndObject();
    json.Finish();
}
