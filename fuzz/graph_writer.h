#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TNetWriter;

// Writes a root block from a hand-made object graph. The model's own writer only
// produces the newest field forms with exact class names; the seeds also need the
// forms of older versions and other spellings that the readers accept.
class TGraphWriter {
public:
    using Fields = std::function<void(TGraphWriter&)>;

    // A new object; its fields are given later so that objects can refer to each other.
    int Add(std::string className);
    void SetFields(int object, Fields fields);

    // Inside Fields: the writer, and references in the stream's encoding (-1 for null).
    TNetWriter& Out() { return *fOut; }
    void Ref(int object);
    void List(const std::vector<int>& objects);

    // The root block, with the object count the model would write.
    void WriteBlock(TNetWriter& out, int root);

private:
    struct Node {
        std::string className;
        Fields fields;
        std::int32_t ordinal = 0;
    };
    std::vector<Node> fNodes;
    std::vector<int> fOrder;
    std::int32_t fNext = 1;
    TNetWriter* fOut = nullptr;
};

struct TLegacyLibrary {
    std::string Data;  // a library data file: version, header integers, root block
    std::string Block; // the version and the root block alone
    std::string Text;  // the text file the chunks point into
};

// The same small library (identifiers 1, 2a, S1, RDS) in the field forms of `version`.
TLegacyLibrary MakeLegacyLibrary(int version, bool lowerCaseNames);
// A document file of `version` against the fixture library, with or without free texts.
std::string MakeLegacyDocument(int version, bool lowerCaseNames, bool withFreeText);
// Blocks the reader must refuse or survive: two categories naming each other as parent,
// and one category owned by two others.
std::string MakeParentCycleBlock();
std::string MakeOwnedTwiceBlock();
