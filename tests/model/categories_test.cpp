#include "test_library.h"

#include "framework/errors.h"
#include "model/library_file.h"

#include <gtest/gtest.h>

using namespace qbtest;

namespace {

TIdentityCategory* Add(TIdentityCategory* parent, const char* piece) {
    return parent->AddChild(std::make_unique<TIdentityCategory>(piece));
}

std::vector<std::string> Walk(const TCategory& root) {
    std::vector<std::string> names;
    auto it = root.CreateIterator();
    while (TCategory* c = it->Next())
        names.push_back(c->Name);
    EXPECT_EQ(it->Next(), nullptr); // stays at the end
    return names;
}

} // namespace

TEST(Categories, FindByIDTriesChildrenDepthFirstInOrder) {
    TIdentityCategory root;
    TIdentityCategory* one = Add(&root, "1");
    TIdentityCategory* two = Add(one, "2");
    TIdentityCategory* twoA = Add(one, "2a");
    TIdentityCategory* twelve = Add(&root, "12");

    EXPECT_EQ(FindByID(&root, "12a"), twoA); // found below "1" before "12" is tried
    EXPECT_EQ(FindByID(&root, "12"), two);
    EXPECT_EQ(FindByID(&root, "1"), one);
    EXPECT_EQ(FindByID(&root, ""), &root);
    EXPECT_EQ(FindByID(&root, "12b"), nullptr);
    EXPECT_EQ(FindByID(&root, "12A"), nullptr); // exact, case-sensitive
    EXPECT_EQ(FullID(*twoA), "12a");
    EXPECT_EQ(FullID(*twelve), "12");
    EXPECT_EQ(FullID(root), "");

    // A proper prefix of an identifier finds nothing unless a node ends there.
    TIdentityCategory other;
    TIdentityCategory* n123 = Add(Add(&other, "1"), "23");
    EXPECT_EQ(FindByID(&other, "12"), nullptr);
    EXPECT_EQ(FindByID(&other, "123"), n123);

    // A child with an empty piece is passed through without consuming characters.
    TIdentityCategory withBlank;
    TIdentityCategory* blank = Add(&withBlank, "");
    TIdentityCategory* x = Add(blank, "x");
    EXPECT_EQ(FindByID(&withBlank, "x"), x);
    EXPECT_EQ(FullID(*x), "x");
    EXPECT_EQ(FindByID(nullptr, "x"), nullptr);
}

TEST(Categories, IteratorWalksPreOrderAndDepthCounts) {
    TCategory root("root");
    auto* a = root.AddChild(std::make_unique<TCategory>("A"));
    auto* a1 = a->AddChild(std::make_unique<TCategory>("A1"));
    root.AddChild(std::make_unique<TCategory>("B"));
    EXPECT_EQ(Walk(root), (std::vector<std::string>{"root", "A", "A1", "B"}));
    EXPECT_EQ(Walk(*a), (std::vector<std::string>{"A", "A1"}));
    EXPECT_EQ(root.Depth(), 0);
    EXPECT_EQ(a1->Depth(), 2);
    EXPECT_EQ(a1->Root(), &root);
    EXPECT_TRUE(a1->IsOnUpwardPath(a));
    EXPECT_TRUE(a1->IsOnUpwardPath(a1));
    EXPECT_FALSE(a->IsOnUpwardPath(a1));
    EXPECT_EQ(root.ObjectCount(), 4);
}

TEST(Categories, SetParentKeepsBothLinksInStep) {
    TCategory root("root");
    auto* a = root.AddChild(std::make_unique<TCategory>("A"));
    auto* b = root.AddChild(std::make_unique<TCategory>("B"));
    auto* c = root.AddChild(std::make_unique<TCategory>("C"));

    EXPECT_EQ(a->SetParent(&root), nullptr); // the current parent: nothing moves
    EXPECT_EQ(Walk(root), (std::vector<std::string>{"root", "A", "B", "C"}));

    EXPECT_EQ(a->SetParent(c), nullptr); // moved: appended last below C
    auto* d = c->AddChild(std::make_unique<TCategory>("D"));
    EXPECT_EQ(d->SetParent(b), nullptr);
    EXPECT_EQ(d->SetParent(c), nullptr);
    EXPECT_EQ(Walk(root), (std::vector<std::string>{"root", "B", "C", "A", "D"}));
    EXPECT_EQ(a->Parent, c);
    EXPECT_EQ(a->Depth(), 2);

    // Below itself or its own descendant: refused, nothing changes.
    EXPECT_THROW(c->SetParent(a), EDataError);
    EXPECT_THROW(c->SetParent(c), EDataError);
    EXPECT_EQ(Walk(root), (std::vector<std::string>{"root", "B", "C", "A", "D"}));

    // Leaving the tree hands the category to the caller.
    std::unique_ptr<TCategory> out = c->SetParent(nullptr);
    ASSERT_EQ(out.get(), c);
    EXPECT_EQ(c->Parent, nullptr);
    EXPECT_EQ(Walk(root), (std::vector<std::string>{"root", "B"}));
    EXPECT_EQ(Walk(*out), (std::vector<std::string>{"C", "A", "D"}));
}

TEST(Categories, IdentityCountsItsSegmentsAndSlotsByKind) {
    SampleLibrary s;
    // id1: the identity, Q M E N with their chunks.
    EXPECT_EQ(s.id1->ObjectCount(), 1 + 4 * 2);
    EXPECT_EQ(s.id1->SegmentFor('M'), s.id1->MarkScheme.get());
    EXPECT_EQ(s.id1->SegmentFor('S'), nullptr);
    EXPECT_EQ(s.id1->SlotFor('T'), nullptr);
    EXPECT_EQ(s.id1->SegmentFor('X'), nullptr);
    EXPECT_EQ(s.q1->Identity, s.id1);
}

TEST(Categories, NamesTitlesAndPiecesAreCutWhenRead) {
    SampleLibrary s;
    const std::string name45(45, 'n'), piece7 = "abcdefg", title130(130, 'T');
    s.forces->Name = name45;
    s.id3->IDPart = piece7;
    s.id3->Title = title130;
    s.lib->Name = name45;
    ReferenceEncoder encoder(11);
    TMemoryStream data(encoder.LibraryFile(*s.lib));
    auto lib = ReadLibraryData(data, nullptr);
    EXPECT_EQ(Node(lib->TopicRoot.get(), "Mechanics")->Children[0]->Name, name45.substr(0, 40));
    EXPECT_EQ(lib->Name, name45.substr(0, 40));
    TIdentityCategory* id3 = lib->FindIdentity("abcdef", 'Q');
    ASSERT_NE(id3, nullptr);
    EXPECT_EQ(id3->IDPart, "abcdef");
    EXPECT_EQ(id3->Title, title130.substr(0, 100));

    // The constructors apply the same limits.
    EXPECT_EQ(TCategory(name45).Name.size(), 40u);
    EXPECT_EQ(TIdentityCategory(piece7, title130).IDPart, "abcdef");
}
