#include "config/library_open.h"
#include "framework/netwriter.h"
#include "framework/stream.h"
#include "model/document.h"
#include "model/document_file.h"
#include "qbtool_test_support.h"

#include <gtest/gtest.h>

namespace {

class DocCommands : public ::testing::Test {
protected:
    void SetUp() override {
        WritePhysicsLibrary(fDir.File("phys.txt"), fDir.File("phys.dat"));
        fLib = OpenLibraryFiles(fDir.File("phys.txt"), fDir.File("phys.dat"), "Physics");
    }
    const TLibrary& Lib() const { return *fLib.Library; }
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.insert(args.end(), {"--data", fDir.File("phys.dat"), "--text", fDir.File("phys.txt")});
        return args;
    }
    // A title, then questions 1, 2 and 1a.
    std::unique_ptr<TDocument> MakeTest() const {
        auto doc = std::make_unique<TDocument>();
        doc->InsertEntries(
            {Lib().FindSegment("Q1"), Lib().FindSegment("Q2"), Lib().FindSegment("Q1a")}, -1,
            &Lib());
        doc->InsertTextEntry(0, "Test \xBD", false, MakeChunk({"{\\rtf1 Half term\\par}"}), 0, 0);
        return doc;
    }
    std::string SaveTest(const std::string& name) const {
        auto doc = MakeTest();
        SaveDocumentFile(*doc, "Physics", fDir.File(name), &Lib());
        return fDir.File(name);
    }
    TToolTempFolder fDir;
    TOpenedLibrary fLib;
};

TEST_F(DocCommands, DocPrintsTheEntries) {
    std::string path = SaveTest("test.vqd");
    TRun run = RunTool(With({"doc", "Physics", path}));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, R"({
  "library": "Physics",
  "version": 10,
  "entries": [
    {
      "class": "TOwningDocContent",
      "numbered": false,
      "number": 0,
      "id": "",
      "title": "Test ½",
      "marks": 0,
      "time": 0,
      "hasText": true
    },
    {
      "class": "TDocContent",
      "numbered": true,
      "number": 1,
      "id": "Q1",
      "title": "Braking \"car\"\tforces",
      "marks": 4,
      "time": 5,
      "hasText": true
    },
    {
      "class": "TDocContent",
      "numbered": true,
      "number": 2,
      "id": "Q2",
      "title": "Echoes",
      "marks": 3,
      "time": 4,
      "hasText": true
    },
    {
      "class": "TDocContent",
      "numbered": true,
      "number": 3,
      "id": "Q1a",
      "title": "Stopping distance",
      "marks": 2,
      "time": 0,
      "hasText": true
    }
  ]
}
)");
}

TEST_F(DocCommands, DeriveBuildsMarkSchemesAndReportsDeterministically) {
    std::string test = SaveTest("test.vqd");
    std::string ms = fDir.File("ms.vqd"), ms2 = fDir.File("ms2.vqd");
    ASSERT_EQ(RunTool(With({"derive", "markscheme", "Physics", test, ms})).Status, 0);
    ASSERT_EQ(RunTool(With({"derive", "markscheme", "Physics", test, ms2})).Status, 0);
    EXPECT_EQ(ReadBytes(ms), ReadBytes(ms2));
    EXPECT_FALSE(std::filesystem::exists(fDir.File("~temp.vqd")));

    TTextStore store(std::make_unique<TFileStream>(ms, TFileStream::Mode::ReadOnly));
    auto doc = ReadDocumentFile(store, "Physics", Lib());
    ASSERT_EQ(doc->Entries.size(), 3u); // the title is left out
    EXPECT_EQ(doc->Entries[0]->Segment, Lib().FindSegment("M1"));
    EXPECT_EQ(doc->Entries[0]->Number, 1);
    auto* missing = dynamic_cast<TText*>(doc->Entries[1]->Segment);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->GetID(), "T2");
    EXPECT_EQ(missing->Title, "Echoes");
    EXPECT_TRUE(doc->Entries[1]->Numbered);
    EXPECT_EQ(doc->Entries[1]->Number, 2);
    EXPECT_NE(missing->Chunk->GetLines().at(0).find("  No mark scheme available"),
              std::string::npos);
    EXPECT_EQ(doc->Entries[2]->Number, 3);

    std::string report = fDir.File("er.vqd");
    ASSERT_EQ(RunTool(With({"derive", "report", "Physics", test, report})).Status, 0);
    TRun json = RunTool(With({"doc", "Physics", report}));
    EXPECT_NE(json.Out.find("\"id\": \"E1\""), std::string::npos);
    EXPECT_NE(json.Out.find("\"id\": \"T1a\""), std::string::npos);

    // A derived document saved again is unchanged: there is one encoding.
    std::string again = fDir.File("again.vqd");
    ASSERT_EQ(RunTool(With({"resave", "Physics", ms, again})).Status, 0);
    EXPECT_EQ(ReadBytes(again), ReadBytes(ms));
}

TEST_F(DocCommands, ResaveKeepsTheBytesAndTheFreeTexts) {
    std::string test = SaveTest("test.vqd");
    std::string original = ReadBytes(test);
    std::string copy = fDir.File("copy.vqd");
    ASSERT_EQ(RunTool(With({"resave", "Physics", test, copy})).Status, 0);
    EXPECT_EQ(ReadBytes(copy), original);
    // In place: the free text is read from the old file before the new one replaces it.
    ASSERT_EQ(RunTool(With({"resave", "Physics", test, test})).Status, 0);
    EXPECT_EQ(ReadBytes(test), original);
}

TEST_F(DocCommands, ResaveWritesOlderDocumentsAsVersion10) {
    TDocument doc;
    doc.InsertEntries({Lib().FindSegment("Q2"), Lib().FindSegment("N2")}, -1, &Lib());
    std::string old = fDir.File("old.vqd");
    {
        TFileStream file(old, TFileStream::Mode::Create);
        file.WriteInt32(4);
        TNetWriter writer(file);
        writer.Library = &Lib();
        writer.WriteVersion(9);
        writer.WriteString("Physics");
        writer.WriteRoot(doc);
        writer.Flush();
    }
    TRun json = RunTool(With({"doc", "Physics", old}));
    EXPECT_NE(json.Out.find("\"version\": 9,"), std::string::npos) << json.Err;

    std::string resaved = fDir.File("new.vqd");
    ASSERT_EQ(RunTool(With({"resave", "Physics", old, resaved})).Status, 0);
    SaveDocumentFile(doc, "Physics", fDir.File("expected.vqd"), &Lib());
    EXPECT_EQ(ReadBytes(resaved), ReadBytes(fDir.File("expected.vqd")));
}

TEST_F(DocCommands, ReportsDocumentErrors) {
    std::string test = SaveTest("test.vqd");
    auto firstErr = [](const TRun& run) { return run.Err.substr(0, run.Err.find('\n')); };

    TRun run = RunTool(With({"doc", "Chemistry", test}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(firstErr(run), "qbtool: Incorrect library");
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(RunTool(With({"doc", "Physics", fDir.File("absent.vqd")})).Status, 1);

    std::string future = fDir.File("future.vqd");
    {
        TFileStream file(future, TFileStream::Mode::Create);
        file.WriteInt32(4);
        TNetWriter writer(file);
        writer.WriteVersion(11);
        writer.WriteString("Physics");
        writer.Flush();
    }
    EXPECT_EQ(firstErr(RunTool(With({"doc", "Physics", future}))),
              "qbtool: Incorrect file version");

    // A failed save leaves no file behind and the target untouched.
    std::string target = fDir.Write("target.vqd", "keep");
    run = RunTool(With({"derive", "markscheme", "Physics", future, target}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(ReadBytes(target), "keep");
    run = RunTool(With({"resave", "Physics", test, fDir.File("no/such/folder/x.vqd")}));
    EXPECT_EQ(run.Status, 1);

    EXPECT_EQ(firstErr(RunTool(With({"derive", "answers", "Physics", test, target}))),
              "qbtool: derive makes a markscheme or a report, not \"answers\"");
    EXPECT_EQ(RunTool(With({"derive", "report", "Physics", test})).Status, 2);
    EXPECT_EQ(RunTool(With({"resave", "Physics", test})).Status, 2);
    EXPECT_EQ(RunTool(With({"doc", "Physics"})).Status, 2);
    EXPECT_EQ(ReadBytes(target), "keep");
}

} // namespace

TEST_F(DocCommands, NewDocWritesTheNamedTextsOrNothing) {
    const std::string path = fDir.File("new.vqd");
    TRun run = RunTool(With({"new-doc", "Physics", path, "Q1", "Q2", "Q1a"}));
    ASSERT_EQ(run.Status, 0) << run.Err;
    // The same bytes as a document assembled in the program (a new document has no title).
    auto expected = std::make_unique<TDocument>();
    expected->InsertEntries(
        {Lib().FindSegment("Q1"), Lib().FindSegment("Q2"), Lib().FindSegment("Q1a")}, -1, &Lib());
    SaveDocumentFile(*expected, "Physics", fDir.File("expected.vqd"), &Lib());
    EXPECT_EQ(ReadBytes(path), ReadBytes(fDir.File("expected.vqd")));

    // An unknown ID is reported and no file is written.
    const std::string bad = fDir.File("bad.vqd");
    run = RunTool(With({"new-doc", "Physics", bad, "Q1", "Q99"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Invalid ID: Q99"), std::string::npos) << run.Err;
    EXPECT_FALSE(FileExists(bad));
    // So is one that code page 1252 cannot spell, rather than being looked up as "Q?".
    run = RunTool(With({"new-doc", "Physics", bad, "Q1\xE2\x86\x92"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("Invalid ID: Q1\xE2\x86\x92 (the character U+2192 is not in code page"),
              std::string::npos)
        << run.Err;
    EXPECT_FALSE(FileExists(bad));
    // The usage asks for at least one ID.
    run = RunTool(With({"new-doc", "Physics", bad}));
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("usage: qbtool new-doc SUBJECT OUT.vqd ID..."), std::string::npos);
    EXPECT_FALSE(FileExists(bad));
}
