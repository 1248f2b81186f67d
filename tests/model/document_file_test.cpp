#include "file_size_limit.h"
#include "test_library.h"

#include "framework/errors.h"
#include "model/document_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>

using namespace qbtest;

namespace {

std::unique_ptr<TTextStore> NewMemoryStore(std::string bytes = {}) {
    return std::make_unique<TTextStore>(std::make_unique<TMemoryStream>(std::move(bytes)));
}

std::string Saved(TDocument& doc, const std::string& name, const TLibrary* lib) {
    auto store = NewMemoryStore();
    WriteDocumentFile(doc, name, *store, lib);
    return MemoryOf(*store).Data();
}

// Opens document bytes; the store must outlive the document's free texts.
struct Opened {
    std::unique_ptr<TTextStore> store;
    std::unique_ptr<TDocument> doc;
};
Opened Open(const std::string& bytes, const std::string& name, const TLibrary& lib) {
    Opened o{NewMemoryStore(bytes), nullptr};
    o.doc = ReadDocumentFile(*o.store, name, lib);
    return o;
}

std::string OpenError(const std::string& bytes, const std::string& name, const TLibrary& lib) {
    try {
        Open(bytes, name, lib);
    } catch (const EError& e) {
        return e.what();
    }
    return "no error";
}

std::set<std::string> FolderNames(const TempFolder& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

TOwningDocContent* Owning(const TDocument& doc, std::size_t i) {
    return dynamic_cast<TOwningDocContent*>(doc.Entries.at(i).get());
}

class DocumentFile : public ::testing::Test {
protected:
    // Title, Q1, an edited copy of Q2a, a free text bound to the syllabus, N1.
    void Fill(TDocument& d) {
        d.InsertTextEntry(-1, "Mock examination", false, MemoryText("{\\rtf1 title page}"), 0, 0);
        d.InsertEntries({s.lib->FindSegment("Q1"), s.lib->FindSegment("Q2a")}, -1, s.lib.get());
        d.UpdateTextEntry(2, "Edited 2a", true, MemoryText("{\\rtf1 edited}"), 6, 10);
        d.InsertTextEntry(-1, "Syllabus note", false, MemoryText("{\\rtf1 see 4.1}"), 0, 0);
        Owning(d, 3)->Text()->Identity = s.s41;
        d.InsertEntries({s.lib->FindSegment("N1")}, -1, s.lib.get());
    }
    void ExpectFilled(const TDocument& d) {
        ASSERT_GE(d.Entries.size(), 5u);
        EXPECT_EQ(Owning(d, 0)->Text()->GetTitle(), "Mock examination");
        EXPECT_EQ(Owning(d, 0)->Text()->Chunk->GetLines()[0], "{\\rtf1 title page}");
        EXPECT_EQ(Owning(d, 0)->Text()->Identity, nullptr);
        EXPECT_EQ(d.Entries[1]->Segment, s.q1);
        EXPECT_EQ(d.Entries[1]->Number, 1);
        EXPECT_EQ(Owning(d, 2)->Text()->Identity, s.id2a);
        EXPECT_EQ(Owning(d, 2)->Text()->GetID(), "T2a");
        EXPECT_EQ(Owning(d, 2)->Number, 2);
        EXPECT_EQ(Owning(d, 2)->Text()->Marks, 6);
        EXPECT_EQ(Owning(d, 2)->Text()->Chunk->GetLines()[0], "{\\rtf1 edited}");
        EXPECT_EQ(Owning(d, 3)->Text()->Identity, s.s41);
        EXPECT_EQ(Owning(d, 3)->Text()->Chunk->GetLines()[0], "{\\rtf1 see 4.1}");
        EXPECT_EQ(d.Entries[4]->Segment, s.id1->Note.get());
    }

    SampleLibrary s;
};

} // namespace

TEST_F(DocumentFile, EmptyDocumentBytes) {
    TDocument doc;
    std::string expected = std::string("\x04\x00\x00\x00", 4) + "\x02\x0A" + "\x06\x07Physics" +
                           std::string("\x02\x01\x02\xFF\x06\x09", 6) + "TDocument" +
                           std::string("\x01\x02\x00\x00", 4);
    EXPECT_EQ(Saved(doc, "Physics", s.lib.get()), expected);
    EXPECT_TRUE(Open(expected, "Physics", *s.lib).doc->Entries.empty());
}

TEST_F(DocumentFile, RoundTripWithFreeTextsFirst) {
    TDocument doc;
    Fill(doc);
    std::string bytes = Saved(doc, "Physics", s.lib.get());
    // The program writes exactly what an independent encoder of the format writes.
    TDocument fresh;
    Fill(fresh);
    EXPECT_EQ(bytes, ReferenceEncoder(10, s.lib.get()).DocumentFile(fresh, "Physics"));

    // The free texts now live in the saved file.
    EXPECT_FALSE(Owning(doc, 0)->Text()->Chunk->IsLoaded());
    EXPECT_EQ(Owning(doc, 0)->Text()->Chunk->Offset, 4);

    Opened o = Open(bytes, "Physics", *s.lib);
    ExpectFilled(*o.doc);
    EXPECT_EQ(Owning(*o.doc, 0)->Text()->Chunk->Store, o.store.get());
    // Saving what was read gives the same bytes: one encoding per document.
    EXPECT_EQ(Saved(*o.doc, "Physics", s.lib.get()), bytes);
}

TEST_F(DocumentFile, OlderVersionsRead) {
    for (int version : {7, 8, 9}) {
        SCOPED_TRACE("version " + std::to_string(version));
        TDocument doc;
        Fill(doc);
        Opened o = Open(ReferenceEncoder(version, s.lib.get()).DocumentFile(doc, "Physics"),
                        "Physics", *s.lib);
        ExpectFilled(*o.doc); // before 10 a boolean names the syllabus tree
    }
    // Before version 7 free texts cannot be read; library entries can.
    TDocument doc;
    Fill(doc);
    EXPECT_EQ(
        OpenError(ReferenceEncoder(6, s.lib.get()).DocumentFile(doc, "Physics"), "Physics", *s.lib),
        "Cannot read old text format");
    TDocument plain;
    plain.InsertEntries({s.q1, s.q3}, -1, s.lib.get());
    Opened o =
        Open(ReferenceEncoder(5, s.lib.get()).DocumentFile(plain, "Physics"), "Physics", *s.lib);
    ASSERT_EQ(o.doc->Entries.size(), 2u);
    EXPECT_EQ(o.doc->Entries[1]->Segment, s.q3);
}

TEST_F(DocumentFile, WrongVersionLibraryOrIdentifier) {
    TDocument doc;
    doc.InsertEntries({s.q1, s.q2a}, -1, s.lib.get());
    std::string bytes = Saved(doc, "Physics", s.lib.get());
    ASSERT_EQ(bytes.substr(4, 2), "\x02\x0A");

    std::string v11 = bytes;
    v11[5] = 11;
    EXPECT_EQ(OpenError(v11, "Physics", *s.lib), "Incorrect file version");
    EXPECT_THROW(Open(v11, "Physics", *s.lib), EInOutError);
    EXPECT_EQ(OpenError(bytes, "physics", *s.lib), "Incorrect library");
    EXPECT_THROW(Open(bytes, "Chemistry", *s.lib), EInOutError);

    // A library that no longer holds identity 2a.
    SampleLibrary other;
    other.id2->Children.erase(other.id2->Children.begin());
    EXPECT_EQ(OpenError(bytes, "Physics", *other.lib), "Invalid ID: Q2a");
    // One that holds the identity but not the question.
    SampleLibrary third;
    third.q2a->Release();
    EXPECT_EQ(OpenError(bytes, "Physics", *third.lib), "No text for ID: Q2a");

    EXPECT_EQ(OpenError(std::string("\x02\x00\x00\x00", 4), "Physics", *s.lib),
              "Invalid document file");
    EXPECT_EQ(OpenError(std::string("\xFF\xFF\xFF\xFF", 4) + bytes.substr(4), "Physics", *s.lib),
              "Invalid document file");
    EXPECT_EQ(OpenError(std::string("\x00\x10\x00\x00", 4) + bytes.substr(4), "Physics", *s.lib),
              "Invalid document file");
}

TEST_F(DocumentFile, EveryTruncationOrSingleByteChangeIsCaught) {
    TDocument doc;
    Fill(doc);
    const std::string bytes = Saved(doc, "Physics", s.lib.get());
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(Open(bytes.substr(0, n), "Physics", *s.lib), EError) << "prefix of " << n;
    // Changed bytes may still read (a changed text or number); they must never crash,
    // and whatever reads must hold together.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (int delta : {1, 0x7F, 0xFF}) {
            std::string changed = bytes;
            changed[i] = static_cast<char>(changed[i] + delta);
            try {
                Opened o = Open(changed, "Physics", *s.lib);
                for (const auto& e : o.doc->Entries) {
                    ASSERT_NE(e->Segment, nullptr);
                    if (auto* t = dynamic_cast<TText*>(e->Segment); t && t->Chunk) {
                        try {
                            t->Chunk->GetLines();
                        } catch (const EDataError&) {
                        }
                    }
                }
            } catch (const EError&) {
            }
        }
    }
}

TEST_F(DocumentFile, SaveGoesThroughATemporaryFile) {
    TempFolder dir;
    const std::string path = dir / "test.vqd";
    TDocument doc;
    Fill(doc);
    std::unique_ptr<TTextStore> file = SaveDocumentFile(doc, "Physics", path, s.lib.get());
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / kTempDocumentName));
    const std::string first = ReadWholeFile(path);
    EXPECT_EQ(Owning(doc, 0)->Text()->Chunk->Store, file.get());
    ExpectFilled(doc); // the texts read from the new file

    // Reopened from the disk; saved again over itself from its own texts.
    auto stream = std::make_unique<TFileStream>(path, TFileStream::Mode::ReadWrite);
    auto store = std::make_unique<TTextStore>(std::move(stream));
    auto reopened = ReadDocumentFile(*store, "Physics", *s.lib);
    ExpectFilled(*reopened);
    auto again = SaveDocumentFile(*reopened, "Physics", path, s.lib.get());
    EXPECT_EQ(ReadWholeFile(path), first);
    store.reset(); // the replaced file's store goes after the save, as in the program
    ExpectFilled(*reopened);
}

TEST_F(DocumentFile, FailedSavesLeaveTheOldFileAndTheTexts) {
    TempFolder dir;
    const std::string path = dir / "test.vqd";
    TDocument doc;
    Fill(doc);
    std::unique_ptr<TTextStore> file = SaveDocumentFile(doc, "Physics", path, s.lib.get());
    const std::string old = ReadWholeFile(path);
    // One more text that lives only in memory.
    doc.InsertTextEntry(-1, "Unsaved", false, MemoryText("{\\rtf1 only in memory}"), 0, 0);

    // The disk fills up half-way through the new file.
    {
        TFileSizeLimit full(40);
        EXPECT_THROW(SaveDocumentFile(doc, "Physics", path, s.lib.get()), EInOutError);
    }
    EXPECT_EQ(FolderNames(dir), std::set<std::string>{"test.vqd"});
    EXPECT_EQ(ReadWholeFile(path), old);
    ExpectFilled(doc);
    EXPECT_EQ(Owning(doc, 0)->Text()->Chunk->Store, file.get());
    EXPECT_EQ(Owning(doc, 5)->Text()->Chunk->GetLines()[0], "{\\rtf1 only in memory}");

    // A text that cannot be read fails the save half-way: the temporary file goes,
    // every text is where it was.
    doc.InsertTextEntry(-1, "Broken", false, nullptr, 0, 0);
    auto broken = std::make_unique<TTextChunk>();
    broken->Store = file.get();
    broken->Offset = 1 << 30;
    Owning(doc, 6)->Text()->Chunk = std::move(broken);
    EXPECT_THROW(SaveDocumentFile(doc, "Physics", path, s.lib.get()), EDataError);
    EXPECT_EQ(FolderNames(dir), std::set<std::string>{"test.vqd"});
    EXPECT_EQ(ReadWholeFile(path), old);
    ExpectFilled(doc);
    EXPECT_EQ(Owning(doc, 5)->Text()->Chunk->Store, nullptr);
    EXPECT_EQ(Owning(doc, 5)->Text()->Chunk->GetLines()[0], "{\\rtf1 only in memory}");
    EXPECT_EQ(Owning(doc, 6)->Text()->Chunk->Offset, 1 << 30);
    doc.RemoveEntries({doc.Entries[6].get()});

    // The target's name cannot be taken: a folder with contents stands there.
    const std::string blocked = dir / "blocked.vqd";
    std::filesystem::create_directories(blocked + "/inside");
    EXPECT_THROW(SaveDocumentFile(doc, "Physics", blocked, s.lib.get()), EInOutError);
    EXPECT_EQ(FolderNames(dir), (std::set<std::string>{"test.vqd", "blocked.vqd"}));
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/inside"));
    ExpectFilled(doc);

    // A folder that does not exist.
    EXPECT_THROW(SaveDocumentFile(doc, "Physics", dir / "missing/test.vqd", s.lib.get()),
                 EInOutError);
    ExpectFilled(doc);

    // After all that, a save works and holds the new text.
    auto saved = SaveDocumentFile(doc, "Physics", path, s.lib.get());
    auto reopenedStore = std::make_unique<TTextStore>(
        std::make_unique<TFileStream>(path, TFileStream::Mode::ReadOnly));
    auto reopened = ReadDocumentFile(*reopenedStore, "Physics", *s.lib);
    ExpectFilled(*reopened);
    EXPECT_EQ(Owning(*reopened, 5)->Text()->Chunk->GetLines()[0], "{\\rtf1 only in memory}");
}

TEST_F(DocumentFile, SaveTouchesNothingButItsTarget) {
    TempFolder dir;
    TDocument doc;
    Fill(doc);
    std::unique_ptr<TTextStore> file; // where the free texts live after each save

    // Another writer's temporary file, still open and locked.
    const std::string busy = dir / kTempDocumentName;
    WriteWholeFile(busy, "another save in progress");
    TFileStream other(busy, TFileStream::Mode::ReadWrite);
    ASSERT_TRUE(other.TryLockExclusive());
    file = SaveDocumentFile(doc, "Physics", dir / "a.vqd", s.lib.get(), true);
    EXPECT_EQ(ReadWholeFile(busy), "another save in progress");
    EXPECT_EQ(FolderNames(dir), (std::set<std::string>{"a.vqd", kTempDocumentName}));

    // A planted link at the temporary file's name leads out of the folder.
    TempFolder elsewhere;
    const std::string victim = elsewhere / "victim.txt";
    WriteWholeFile(victim, "not yours");
    TempFolder linked;
    std::filesystem::create_symlink(victim, linked / kTempDocumentName);
    file = SaveDocumentFile(doc, "Physics", linked / "b.vqd", s.lib.get());
    EXPECT_EQ(ReadWholeFile(victim), "not yours");
    EXPECT_TRUE(std::filesystem::is_symlink(linked / kTempDocumentName));
    EXPECT_EQ(ReadWholeFile(linked / "b.vqd"), ReadWholeFile(dir / "a.vqd"));

    // Who may read the file stays as the user set it; a new file gets the umask's default.
    const std::string shared = dir / "a.vqd";
    ::chmod(shared.c_str(), 0640);
    file = SaveDocumentFile(doc, "Physics", shared, s.lib.get());
    struct stat st {};
    ASSERT_EQ(::stat(shared.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    const mode_t mask = ::umask(027);
    file = SaveDocumentFile(doc, "Physics", dir / "new.vqd", s.lib.get());
    ::umask(mask);
    ASSERT_EQ(::stat((dir / "new.vqd").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}
