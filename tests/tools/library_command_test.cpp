#include "framework/netwriter.h"
#include "library_json.h"
#include "qbtool_test_support.h"

#include <gtest/gtest.h>

namespace {

class LibraryCommands : public ::testing::Test {
protected:
    void SetUp() override {
        WritePhysicsLibrary(fDir.File("phys.txt"), fDir.File("phys.dat"));
        fDir.Write("vantor32.ini", "[Physics]\nTextFilename=phys.txt\nLibFilename=phys.dat\n");
    }
    std::vector<std::string> With(std::vector<std::string> args) const {
        args.insert(args.end(), {"--ini", fDir.File("vantor32.ini")});
        return args;
    }
    TToolTempFolder fDir;
};

std::unique_ptr<TLibrary> BareLibrary(const char* name) {
    auto lib = std::make_unique<TLibrary>();
    lib->Name = name;
    lib->TopicRoot = std::make_unique<TCategory>("All topics");
    lib->QuestionTypeRoot = std::make_unique<TCategory>("All types");
    lib->LevelRoot = std::make_unique<TCategory>("All levels");
    lib->PaperRoot = std::make_unique<TCategory>("All papers");
    lib->QuestionRoot = std::make_unique<TIdentityCategory>();
    lib->SyllabusRoot = std::make_unique<TIdentityCategory>();
    lib->ResourceRoot = std::make_unique<TIdentityCategory>();
    return lib;
}

TEST(LibraryJson, PrintsTheDocumentedShape) {
    auto lib = BareLibrary("Tiny");
    auto* topic = lib->TopicRoot->AddChild(std::make_unique<TCategory>("Heat"));
    auto* id = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("7", "Kettle"));
    id->Name = "K";
    auto* q = id->SetSegment(std::make_unique<TQuestion>());
    q->Marks = 2;
    q->Topics = {topic, nullptr};
    std::ostringstream out;
    WriteLibraryJson(out, *lib, 11);
    EXPECT_EQ(out.str(), R"({
  "name": "Tiny",
  "version": 11,
  "topics": {
    "name": "All topics",
    "children": [
      {
        "name": "Heat",
        "children": []
      }
    ]
  },
  "questionTypes": {
    "name": "All types",
    "children": []
  },
  "levels": {
    "name": "All levels",
    "children": []
  },
  "papers": {
    "name": "All papers",
    "children": []
  },
  "questions": {
    "name": "",
    "idPart": "",
    "fullId": "",
    "title": "",
    "related": [],
    "segments": [],
    "children": [
      {
        "name": "K",
        "idPart": "7",
        "fullId": "7",
        "title": "Kettle",
        "related": [],
        "segments": [
          {
            "id": "Q7",
            "kind": "Q",
            "marks": 2,
            "time": 0,
            "hasText": false,
            "topics": [
              ["Heat"],
              null
            ],
            "questionType": null,
            "level": null,
            "papers": [],
            "resources": []
          }
        ],
        "children": []
      }
    ]
  },
  "syllabus": {
    "name": "",
    "idPart": "",
    "fullId": "",
    "title": "",
    "related": [],
    "segments": [],
    "children": []
  },
  "resources": {
    "name": "",
    "idPart": "",
    "fullId": "",
    "title": "",
    "related": [],
    "segments": [],
    "children": []
  }
}
)");
}

TEST(LibraryJson, SurvivesAVeryDeepTree) {
    auto lib = BareLibrary("Deep");
    TCategory* topic = lib->TopicRoot.get();
    TIdentityCategory* id = lib->QuestionRoot.get();
    for (int i = 0; i < 20000; ++i) {
        topic = topic->AddChild(std::make_unique<TCategory>("t"));
        id = id->AddChild(std::make_unique<TIdentityCategory>(""));
    }
    id->IDPart = "x";
    id->SetSegment(std::make_unique<TQuestion>());
    std::ostringstream out;
    WriteLibraryJson(out, *lib, 11);
    EXPECT_NE(out.str().find("\"id\": \"Qx\""), std::string::npos);
}

TEST_F(LibraryCommands, LibraryJsonFromFiles) {
    TRun run = RunTool(With({"library", "Physics"}));
    ASSERT_EQ(run.Status, 0) << run.Err;
    const std::string& json = run.Out;
    auto has = [&](const std::string& text) {
        EXPECT_NE(json.find(text), std::string::npos) << "missing: " << text;
    };
    has("\"name\": \"Physique \xC3\xA9l\xC3\xA9mentaire\",\n  \"version\": 11,\n");
    has("\"title\": \"Braking \\\"car\\\"\\tforces\",\n");
    has("\"related\": [\"S:4.1\", \"R:DS1\"],\n");
    // Segments follow the slot order Q S E M N R.
    has("\"id\": \"E1\"");
    EXPECT_LT(json.find("\"id\": \"Q1\""), json.find("\"id\": \"E1\""));
    EXPECT_LT(json.find("\"id\": \"E1\""), json.find("\"id\": \"M1\""));
    has("\"fullId\": \"1a\"");
    has("\"fullId\": \"4.1\"");
    has("\"topics\": [\n              [\"Mechanics\", \"Motion\"],\n              "
        "[\"Waves\", \"Sound\"]\n            ],");
    has("\"resources\": [\"DS1\"]\n");
    has("\"id\": \"RDS1\"");
    has("\"hasText\": false,\n            \"topics\": [],\n            \"questionType\": null,");
}

TEST_F(LibraryCommands, SummaryCountsWhatTheLibraryHolds) {
    TRun run = RunTool(With({"summary", "Physics"}));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Subject: Physics\n"
                       "Library: Physique \xC3\xA9l\xC3\xA9mentaire\n"
                       "Version: 11\n"
                       "Topics: 6\n"
                       "Question types: 2\n"
                       "Levels: 2\n"
                       "Papers: 2\n"
                       "Questions: 4\n"
                       "Mark schemes: 1\n"
                       "Examiner's reports: 1\n"
                       "Notes: 1\n"
                       "Syllabus links: 1\n"
                       "Resources: 1\n");
    EXPECT_EQ(run.Err, "");
}

TEST_F(LibraryCommands, TextPrintsTheStoredRtfOrItsPlainText) {
    TRun run = RunTool(With({"text", "Physics", "M1"}));
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "{\\rtf1 F = ma\\par}\n");
    EXPECT_EQ(RunTool(With({"text", "Physics", "Q3"})).Out, ""); // a question without text

    auto plain = [](const std::string& rtf) { return "plain:" + rtf + "\n"; };
    run = RunTool(With({"text", "Physics", "RDS1", "--plain"}), plain);
    EXPECT_EQ(run.Out, "plain:{\\rtf1 g = 9.8\\par}\n");
    // Without the rich-text layer --plain is refused before anything is opened.
    run = RunTool({"text", "Nowhere", "Q1", "--plain"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("--plain"), std::string::npos);

    run = RunTool(With({"text", "Physics", "M2"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "qbtool: No text for ID: M2\n");
    EXPECT_EQ(RunTool(With({"text", "Physics", "Q9"})).Err, "qbtool: Invalid ID: Q9\n");
    EXPECT_EQ(RunTool(With({"text", "Physics", "X1"})).Err, "qbtool: Invalid text type: X\n");
}

TEST_F(LibraryCommands, TextReportsATextPastTheEndOfItsFile) {
    std::string text = ReadBytes(fDir.File("phys.txt"));
    fDir.Write("phys.txt", text.substr(0, text.size() - 3)); // the note is stored last
    EXPECT_EQ(RunTool(With({"text", "Physics", "Q2"})).Status, 0);
    TRun run = RunTool(With({"text", "Physics", "N2"}));
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err, "");
}

TEST_F(LibraryCommands, FindsTheLibraryThroughTheConfigurationOrByFiles) {
    std::string configDir = fDir.Path();
    ::setenv("QUARRYBOOK_CONFIG_DIR", configDir.c_str(), 1);
    TRun run = RunTool({"summary", "Physics"});
    ::setenv("QUARRYBOOK_CONFIG_DIR", "", 1);
    EXPECT_EQ(run.Status, 0) << run.Err;

    run = RunTool(
        {"summary", "AnyName", "--data", fDir.File("phys.dat"), "--text", fDir.File("phys.txt")});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.substr(0, 18), "Subject: AnyName\nL");
}

TEST_F(LibraryCommands, ReportsOpeningErrorsAndWrongUsage) {
    auto expect = [](const TRun& run, int status, const std::string& firstLine) {
        EXPECT_EQ(run.Status, status);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), firstLine);
    };
    expect(RunTool(With({"library", "Chemistry"})), 1, "qbtool: Could not open library text file");
    fDir.Write("vantor32.ini", "[Physics]\nTextFilename=phys.txt\nLibFilename=none.dat\n"
                               "[Future]\nTextFilename=phys.txt\nLibFilename=v12.dat\n");
    expect(RunTool(With({"library", "Physics"})), 1, "qbtool: Could not open library data file");
    {
        TFileStream data(fDir.File("v12.dat"), TFileStream::Mode::Create);
        TNetWriter writer(data);
        writer.WriteVersion(12);
        writer.Flush();
    }
    expect(RunTool(With({"summary", "Future"})), 1, "qbtool: Incorrect library version");
    fDir.Write("phys.dat", "\x02\x0B\x02\x00\x02\x00\x02");
    expect(
        RunTool({"library", "P", "--data", fDir.File("phys.dat"), "--text", fDir.File("phys.txt")}),
        1, "qbtool: Stream read error");

    expect(RunTool({}), 2, "qbtool: no command given");
    expect(RunTool({"libary", "Physics"}), 2, "qbtool: unknown command \"libary\"");
    expect(RunTool({"library"}), 2, "qbtool: expected SUBJECT");
    expect(RunTool({"library", "A", "B"}), 2, "qbtool: expected SUBJECT");
    expect(RunTool({"library", "A", "--data", "x.dat"}), 2,
           "qbtool: --data and --text must be given together");
    expect(RunTool({"library", "A", "--ini", "a.ini", "--data", "x", "--text", "y"}), 2,
           "qbtool: --ini cannot be combined with --data and --text");
    expect(RunTool({"library", "A", "--ini"}), 2, "qbtool: option --ini needs a value");
    expect(RunTool({"summary", "A", "--plain"}), 2, "qbtool: unknown option --plain");
    EXPECT_EQ(RunTool({"library", "A", "--ini", fDir.File("absent.ini")}).Status, 1);

    TRun help = RunTool({"help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("qbtool find SUBJECT"), std::string::npos);
}

} // namespace
