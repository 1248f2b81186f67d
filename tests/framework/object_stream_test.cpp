#include "framework/errors.h"
#include "framework/netreader.h"
#include "framework/netwriter.h"
#include "framework/registry.h"
#include "framework/stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

int gLiveNodes = 0;

// A persistent class with every kind of field: a number, a reference it does not
// own, and a list of parts it owns.
class TTestNode : public TStreamable {
public:
    TTestNode() { ++gLiveNodes; }
    explicit TTestNode(std::int32_t value) : TTestNode() { Value = value; }
    ~TTestNode() override { --gLiveNodes; }
    const char* ClassName() const override { return "TTestNode"; }
    void ReadFrom(TNetReader& r) override {
        Value = r.ReadInteger();
        Link = r.ReadObjectAs<TTestNode>();
        r.ReadOwnedListAs(Owned);
    }
    void WriteTo(TNetWriter& w) const override {
        w.WriteInteger(Value);
        w.WriteObject(Link);
        w.WriteObjectList(Owned);
    }
    void VisitOwned(TOwnedVisitor& v) const override {
        for (const auto& o : Owned)
            v.Visit(o.get());
    }
    void DisownParts() override {
        for (auto& o : Owned)
            o.release();
        Owned.clear();
    }
    TTestNode* Add(std::int32_t value) {
        Owned.push_back(std::make_unique<TTestNode>(value));
        return Owned.back().get();
    }

    std::int32_t Value = 0;
    TTestNode* Link = nullptr;
    std::vector<std::unique_ptr<TTestNode>> Owned;
};

// A class that is registered but never belongs in a TTestNode field.
class TOtherThing : public TStreamable {
public:
    const char* ClassName() const override { return "TOtherThing"; }
    void ReadFrom(TNetReader&) override {}
    void WriteTo(TNetWriter&) const override {}
};

class ObjectStream : public ::testing::Test {
protected:
    void SetUp() override {
        auto& registry = TClassRegistry::Instance();
        registry.Register("TTestNode", []() -> TStreamable* { return new TTestNode; });
        registry.Register("TOtherThing", []() -> TStreamable* { return new TOtherThing; });
        gLiveNodes = 0;
    }
    void TearDown() override { EXPECT_EQ(gLiveNodes, 0) << "objects leaked or freed twice"; }

    static std::string Write(const TStreamable& root) {
        TMemoryStream stream;
        TNetWriter writer(stream);
        writer.WriteRoot(root);
        writer.Flush();
        return stream.Data();
    }
    static std::unique_ptr<TTestNode> Read(const std::string& bytes) {
        TMemoryStream stream(bytes);
        TNetReader reader(stream);
        return reader.ReadRootAs<TTestNode>();
    }
    static std::string ReadError(const std::string& bytes) {
        try {
            Read(bytes);
        } catch (const EError& e) {
            return e.what();
        }
        return "no error";
    }
};

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

const std::string kNodeName = "TTestNode";
std::string NewNode() {
    return Bytes({0x02, 0xFF, 0x06, 0x09}) + kNodeName;
}

} // namespace

TEST_F(ObjectStream, RootBlockBytes) {
    TTestNode root(1);
    TTestNode* child = root.Add(2);
    child->Link = &root;

    // Count, the root as -1 and its class name, then each object's fields in turn:
    // the child is introduced inside the root's list, the second reference to the
    // root is its ordinal 1, an empty list is 01 02 00 00, null is 02 FE.
    std::string expected = Bytes({0x02, 0x02}) + NewNode() + //
                           Bytes({0x02, 0x01, 0x02, 0xFE, 0x01, 0x02, 0x01}) + NewNode() +
                           Bytes({0x00}) + //
                           Bytes({0x02, 0x02, 0x02, 0x01, 0x01, 0x02, 0x00, 0x00});
    EXPECT_EQ(Write(root), expected);

    TMemoryStream stream;
    {
        TNetWriter writer(stream);
        writer.WriteObject(nullptr);
    }
    EXPECT_EQ(stream.Data(), Bytes({0x02, 0xFE}));
}

TEST_F(ObjectStream, GraphRoundTripKeepsSharingAndMutualReferences) {
    TTestNode root(10);
    TTestNode* a = root.Add(20);
    TTestNode* b = root.Add(30);
    TTestNode* a1 = a->Add(21);
    a->Link = b;
    b->Link = a;  // each refers to the other
    a1->Link = b; // shared
    std::string bytes = Write(root);

    // Every object is introduced (and named) exactly once.
    std::size_t names = 0;
    for (auto at = bytes.find(kNodeName); at != std::string::npos;
         at = bytes.find(kNodeName, at + 1))
        ++names;
    EXPECT_EQ(names, 4u);

    auto copy = Read(bytes);
    ASSERT_EQ(copy->Owned.size(), 2u);
    TTestNode* ca = copy->Owned[0].get();
    TTestNode* cb = copy->Owned[1].get();
    EXPECT_EQ(copy->Value, 10);
    EXPECT_EQ(ca->Value, 20);
    EXPECT_EQ(cb->Value, 30);
    EXPECT_EQ(ca->Link, cb);
    EXPECT_EQ(cb->Link, ca);
    ASSERT_EQ(ca->Owned.size(), 1u);
    EXPECT_EQ(ca->Owned[0]->Link, cb);
    EXPECT_EQ(copy->Link, nullptr);
    EXPECT_EQ(Write(*copy), bytes);
}

TEST_F(ObjectStream, ClassNamesAreFoundInAnyLetterCase) {
    TTestNode root(3);
    std::string bytes = Write(root);
    bytes.replace(bytes.find(kNodeName), kNodeName.size(), "ttestNODE");
    EXPECT_EQ(Read(bytes)->Value, 3);
    EXPECT_EQ(TClassRegistry::Instance().Find("TTESTNODE"),
              TClassRegistry::Instance().Find("TTestNode"));
    EXPECT_EQ(TClassRegistry::Instance().Find("TTestNod"), nullptr);
}

TEST_F(ObjectStream, MalformedBlocksFailWithTheReaderErrors) {
    std::string fields = Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x00, 0x00});
    EXPECT_EQ(ReadError(Bytes({0x02, 0x01, 0x02, 0xFF, 0x06, 0x05}) + "TNope" + fields),
              "Class TNope not found");
    // Back-references to objects that do not exist (yet).
    EXPECT_EQ(ReadError(Bytes({0x02, 0x01, 0x02, 0x01})), "List index out of bounds (1)");
    EXPECT_EQ(ReadError(Bytes({0x02, 0x01}) + NewNode() + Bytes({0x02, 0x00, 0x02, 0x05})),
              "List index out of bounds (5)");
    EXPECT_THROW(Read(Bytes({0x02, 0x01}) + NewNode() + Bytes({0x02, 0x00, 0x02, 0x00})),
                 ERangeError);
    EXPECT_THROW(Read(Bytes({0x02, 0x01}) + NewNode() + Bytes({0x02, 0x00, 0x02, 0xFD})),
                 ERangeError);
    // The advance count: negative, and beyond 134,217,727.
    EXPECT_THROW(Read(Bytes({0x02, 0xFF}) + NewNode() + fields), ERangeError);
    EXPECT_THROW(Read(Bytes({0x04, 0x00, 0x00, 0x00, 0x08}) + NewNode() + fields), ERangeError);
    EXPECT_EQ(Read(Bytes({0x04, 0xFF, 0xFF, 0xFF, 0x07}) + NewNode() + fields)->Value, 0);
    // A root block cut short after its root was made.
    EXPECT_EQ(ReadError(Bytes({0x02, 0x01}) + NewNode() + Bytes({0x02, 0x00})),
              "Stream read error");
    EXPECT_EQ(ReadError(Bytes({0x02, 0x01}) + NewNode() + Bytes({0x06, 0x00})),
              "Invalid property value");
}

TEST_F(ObjectStream, EveryTruncationOfAValidBlockFails) {
    TTestNode root(1000);
    for (int i = 0; i < 5; ++i)
        root.Add(i * 40000)->Link = &root;
    root.Owned[2]->Add(-7)->Link = root.Owned[4].get();
    const std::string bytes = Write(root);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(Read(bytes.substr(0, n)), EError) << "prefix of " << n << " bytes";
    EXPECT_EQ(Read(bytes)->Owned.size(), 5u);
}

TEST_F(ObjectStream, GraphsThatDoNotFormOneOwnershipTreeAreDataErrors) {
    // A reference of the wrong class in a typed field.
    std::string wrongClass = Bytes({0x02, 0x02}) + NewNode() +
                             Bytes({0x02, 0x00, 0x02, 0xFF, 0x06, 0x0B}) + "TOtherThing" +
                             Bytes({0x01, 0x02, 0x00, 0x00});
    EXPECT_THROW(Read(wrongClass), EDataError);

    // One child owned twice by the root.
    std::string twice = Bytes({0x02, 0x02}) + NewNode() +
                        Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x02}) + NewNode() +
                        Bytes({0x02, 0x02, 0x00}) +                              // list [new, 2]
                        Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x00, 0x00}); // child's fields
    EXPECT_EQ(ReadError(twice), "Invalid object data: an object is owned twice");

    // The root owned by its own child.
    std::string rootOwned = Bytes({0x02, 0x02}) + NewNode() +
                            Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x01}) + NewNode() +
                            Bytes({0x00}) + //
                            Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x01, 0x02, 0x01, 0x00});
    EXPECT_THROW(Read(rootOwned), EDataError);

    // An object that is referred to but owned by nobody.
    std::string orphan = Bytes({0x02, 0x02}) + NewNode() + Bytes({0x02, 0x00}) + NewNode() +
                         Bytes({0x01, 0x02, 0x00, 0x00}) + // root: link to new
                         Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x00, 0x00}); // orphan's fields
    EXPECT_EQ(ReadError(orphan), "Invalid object data: objects that belong to nothing");

    // An owned list with a null element.
    std::string nullOwned = Bytes({0x02, 0x01}) + NewNode() +
                            Bytes({0x02, 0x00, 0x02, 0xFE, 0x01, 0x02, 0x01, 0x02, 0xFE, 0x00});
    EXPECT_THROW(Read(nullOwned), EDataError);

    // The root of the wrong class for the caller.
    std::string other = Bytes({0x02, 0x01, 0x02, 0xFF, 0x06, 0x0B}) + "TOtherThing";
    EXPECT_THROW(Read(other), EDataError);
    // A null root.
    EXPECT_THROW(Read(Bytes({0x02, 0x00, 0x02, 0xFE})), EDataError);
}

TEST_F(ObjectStream, ObjectsOutsideARootBlockAreRefused) {
    TMemoryStream stream(NewNode());
    TNetReader reader(stream);
    EXPECT_THROW(reader.ReadObject(), EDataError);
}

TEST_F(ObjectStream, AnAdvanceCountBelowTheTruthStillReadsEverything) {
    TTestNode root(0);
    for (int i = 1; i <= 5000; ++i)
        root.Add(i);
    std::string bytes = Write(root);
    ASSERT_EQ(bytes.substr(0, 5), Bytes({0x03, 0x89, 0x13}) + NewNode().substr(0, 2));
    bytes.replace(0, 3, Bytes({0x02, 0x00})); // claims no objects at all
    auto copy = Read(bytes);
    ASSERT_EQ(copy->Owned.size(), 5000u);
    EXPECT_EQ(copy->Owned[4999]->Value, 5000);
}
