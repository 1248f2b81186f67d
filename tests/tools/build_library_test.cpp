#include "build_library.h"
#include "qbtool_test_support.h"
#include "rtf_text_check.h"

#include "framework/errors.h"
#include "model/library_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace {

const std::string kRtf = "{\\rtf1\\ansi\\ansicpg1252 A text.\\par -\\par}";

const std::string kManifest = R"(# A small library.
library "Physique \"élémentaire\""
organisation "Riverside School"

tree topics "All topics"
  Mechanics
    Forces
    Motion
  Waves
tree types Types
  Calculation
tree levels Levels
  Foundation
tree papers Papers
  "Paper 1"
  "Paper 2"

tree questions "All questions"
  id 1 Car "Braking car"
    question q1.rtf marks 4 time 5
    markscheme m1.rtf time 2 marks 4
    report e1.rtf
    topics Mechanics/Forces Waves
    type Calculation
    level Foundation
    papers "Paper 2" "Paper 1"
    resources DS
    related S:4.1 R:DS Q:1a
    id a Stopping
      question texts/q1a.rtf marks 2
      note texts/n1a.rtf

tree syllabus Syllabus
  id 4 Forces
    id .1 Laws "4.1 Newton's laws"
      syllabus s41.rtf
tree resources Resources
  id DS "Data sheet"
    resource ds.rtf
)";

struct TBuild {
    int Status;
    std::string Out;
    std::string Err;
};

class BuildLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(fSrc.File("texts"));
        for (const char* name :
             {"q1.rtf", "m1.rtf", "e1.rtf", "texts/q1a.rtf", "texts/n1a.rtf", "s41.rtf", "ds.rtf"})
            fSrc.Write(name, "{\\rtf1 " + std::string(name) + "\\par -\\par}\r\n");
    }

    TBuild Build(const std::string& manifest, std::vector<std::string> extra = {}) {
        fSrc.Write("library.qbs", manifest);
        std::vector<std::string> args = {fSrc.Path(), "--out", fOut.Path()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out, err;
        int status = RunBuildLibrary(args, out, err);
        return {status, out.str(), err.str()};
    }

    // The manifest with one piece of text replaced; the piece must occur in it.
    static std::string With(const std::string& from, const std::string& to) {
        std::string m = kManifest;
        std::size_t at = m.find(from);
        if (at == std::string::npos)
            ADD_FAILURE() << "not in the manifest: " << from;
        else
            m.replace(at, from.size(), to);
        return m;
    }

    std::string Manifest() const { return fSrc.File("library.qbs"); }

    TToolTempFolder fSrc, fOut;
};

std::vector<std::string> Names(const std::vector<TCategory*>& list) {
    std::vector<std::string> names;
    for (const TCategory* c : list)
        names.push_back(c->Name);
    return names;
}

TEST_F(BuildLibraryTest, WritesLibraryTextsAndIni) {
    TBuild b = Build(kManifest);
    ASSERT_EQ(b.Status, 0) << b.Err;
    EXPECT_EQ(b.Err, "");
    EXPECT_NE(b.Out.find("2 questions, 7 texts"), std::string::npos) << b.Out;

    EXPECT_EQ(ReadBytes(fOut.File("vantor32.ini")),
              "; Written by qbtool build-library.\n[Physique \"\xE9l\xE9mentaire\"]\n"
              "TextFilename=texts.dat\nLibFilename=library.dat\nOrganisation=Riverside School\n");

    std::string data = ReadBytes(fOut.File("library.dat"));
    TMemoryStream dataStream(data);
    TTextStore store(
        std::make_unique<TFileStream>(fOut.File("texts.dat"), TFileStream::Mode::ReadOnly));
    std::unique_ptr<TLibrary> lib = ReadLibraryData(dataStream, &store);
    EXPECT_EQ(ReadLibraryVersion(fOut.File("library.dat")), 11);

    EXPECT_EQ(lib->Name, "Physique \"\xE9l\xE9mentaire\"");
    EXPECT_EQ(lib->TopicRoot->Name, "All topics");
    EXPECT_EQ(lib->QuestionTypeRoot->Name, "Types");
    ASSERT_EQ(lib->TopicRoot->Children.size(), 2u);
    EXPECT_EQ(lib->TopicRoot->Children[0]->Children[1]->Name, "Motion");
    EXPECT_EQ(lib->TopicRoot->Children[0]->Children[1]->Parent, lib->TopicRoot->Children[0].get());

    auto& q1 = dynamic_cast<TQuestion&>(*lib->FindSegment("Q1"));
    EXPECT_EQ(q1.Identity->Name, "Car");
    EXPECT_EQ(q1.GetTitle(), "Braking car");
    EXPECT_EQ(q1.Marks, 4);
    EXPECT_EQ(q1.Time, 5);
    EXPECT_EQ(Names(q1.Topics), (std::vector<std::string>{"Forces", "Waves"}));
    EXPECT_EQ(q1.QuestionType->Name, "Calculation");
    EXPECT_EQ(q1.Level->Name, "Foundation");
    EXPECT_EQ(Names(q1.Papers), (std::vector<std::string>{"Paper 2", "Paper 1"}));
    ASSERT_EQ(q1.Resources.size(), 1u);
    EXPECT_EQ(q1.Resources[0], lib->FindIdentity("DS", 'R'));
    EXPECT_EQ(q1.Identity->Related, (std::vector<TIdentityCategory*>{
                                        lib->FindIdentity("4.1", 'S'), lib->FindIdentity("DS", 'R'),
                                        lib->FindIdentity("1a", 'Q')}));
    EXPECT_EQ(lib->FindSegment("M1")->Marks, 4);
    EXPECT_EQ(lib->FindSegment("M1")->Time, 2);

    // A title left out is the name; segments without classification stay empty.
    auto& q1a = dynamic_cast<TQuestion&>(*lib->FindSegment("Q1a"));
    EXPECT_EQ(q1a.GetTitle(), "Stopping");
    EXPECT_EQ(q1a.Marks, 2);
    EXPECT_EQ(q1a.Time, 0);
    EXPECT_TRUE(q1a.Topics.empty());
    EXPECT_EQ(q1a.QuestionType, nullptr);
    EXPECT_THROW(lib->FindSegment("M1a"), EDataError);
    EXPECT_EQ(lib->FindSegment("S4.1")->GetTitle(), "4.1 Newton's laws");

    // Texts keep their bytes; the line end after the closing brace is dropped.
    EXPECT_EQ(lib->FindSegment("N1a")->Chunk->GetLines(),
              std::vector<std::string>{"{\\rtf1 texts/n1a.rtf\\par -\\par}"});
    EXPECT_EQ(lib->FindSegment("RDS")->Chunk->GetLines()[0], "{\\rtf1 ds.rtf\\par -\\par}");

    // The text file is the stored texts one after the other, in tree order.
    std::string texts = ReadBytes(fOut.File("texts.dat"));
    std::string first = "{\\rtf1 q1.rtf\\par -\\par}";
    ASSERT_GT(texts.size(), 8 + first.size());
    std::int32_t count, length;
    std::memcpy(&count, texts.data(), 4);
    std::memcpy(&length, texts.data() + 4, 4);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(length, static_cast<std::int32_t>(first.size()));
    EXPECT_EQ(texts.substr(8, first.size()), first);
    EXPECT_EQ(lib->FindSegment("Q1")->Chunk->Offset, 0);

    // No temporary files are left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(fOut.Path()))
        ++files;
    EXPECT_EQ(files, 3);
}

TEST_F(BuildLibraryTest, SameSourceGivesSameBytesAndSubjectOptionNamesTheSection) {
    ASSERT_EQ(Build(kManifest).Status, 0);
    std::string data = ReadBytes(fOut.File("library.dat"));
    std::string texts = ReadBytes(fOut.File("texts.dat"));
    TBuild again = Build(kManifest, {"--subject", "Physik Grundkurs"});
    ASSERT_EQ(again.Status, 0) << again.Err;
    EXPECT_EQ(ReadBytes(fOut.File("library.dat")), data);
    EXPECT_EQ(ReadBytes(fOut.File("texts.dat")), texts);
    EXPECT_NE(ReadBytes(fOut.File("vantor32.ini")).find("[Physik Grundkurs]\n"), std::string::npos);

    // The built library opens through its ini as the subject the ini names.
    TRun run = RunTool({"summary", "Physik Grundkurs", "--ini", fOut.File("vantor32.ini")});
    EXPECT_EQ(run.Status, 0) << run.Err;
}

TEST_F(BuildLibraryTest, ReportsSourceErrorsWithFileAndLine) {
    struct TCase {
        std::string From, To, Expected;
    };
    const std::string m = Manifest() + ":";
    const TCase cases[] = {
        {"  id a Stopping", "  id a Stopping\n      bogus x", m + "30: unknown keyword \"bogus\""},
        {"    Forces\n", "     Forces\n", m + "7: indentation must be a multiple of two spaces"},
        {"    Forces\n", "\tForces\n", m + "7: indent with spaces, not tabs"},
        {"    Motion\n", "        Motion\n", m + "8: indented more than one level deeper"},
        {"Mechanics/Forces Waves", "Mechanics/Force Waves",
         m + "23: unknown topic \"Mechanics/Force\""},
        {"    papers \"Paper 2\" \"Paper 1\"", "    papers \"Paper 2\" \"Paper 2\"",
         m + "26: \"Paper 2\" is listed twice"},
        {"    resources DS", "    resources DX", m + "27: no resource has the identifier \"DX\""},
        {"related S:4.1", "related S:4.2",
         m + "28: no specification point has the identifier \"S:4.2\""},
        {"related S:4.1", "related X:4.1", m + "28: a related identity is written T:ID"},
        {"R:DS Q:1a", "R:DS Q:1", m + "28: an identity cannot be related to itself"},
        {"texts/n1a.rtf", "texts/n1b.rtf",
         m + "31: the text file \"texts/n1b.rtf\" does not exist"},
        {"texts/n1a.rtf", "../n1a.rtf", m + "31: the file path \"../n1a.rtf\" may not leave"},
        {"      note texts/n1a.rtf\n", "      note texts/n1a.rtf\n  id abcdefg Extra\n",
         m + "32: the identifier piece \"abcdefg\" is longer than 6"},
        {"id a Stopping", "id a \"Stopping \xE2\x86\x92\"",
         m + "29: the name \"Stopping \xE2\x86\x92\": the character U+2192 is not in code page "
             "1252"},
        {"      syllabus s41.rtf", "      markscheme s41.rtf",
         m + "36: a markscheme text belongs in the questions tree"},
        {"    resource ds.rtf", "    resource ds.rtf\n    level Foundation",
         m + "40: \"level\" lines belong in the questions tree"},
        {"      note texts/n1a.rtf\n",
         "      note texts/n1a.rtf\n  id 2 Two\n    type Calculation\n",
         m + "33: \"type\" classifies a question: this identity has no question line"},
        {"    report e1.rtf", "    report e1.rtf\n    report e1.rtf",
         m + "23: \"report\" is given twice for this identity (first at line 22)"},
        {"question q1.rtf marks 4", "question q1.rtf marks 40000",
         m + "20: marks must be a whole number from 0 to 32767"},
        {"question q1.rtf marks 4 time 5", "question q1.rtf marks 4 minutes 5",
         m + "20: expected \"marks N\" or \"time N\""},
        // Harmless: reading "DS" tries D first, finds nothing below it and goes on.
        {"  id DS \"Data sheet\"\n", "  id D Dee\n  id DS \"Data sheet\"\n", ""},
        {"tree resources Resources\n  id DS",
         "tree resources Resources\n  id DS \"Data sheet\"\n  id DS",
         m + "39: the identifier \"DS\" is already used by the identity at line 38"},
        {"  id DS \"Data sheet\"\n", "  id D Dee\n    id S Ess\n  id DS \"Data sheet\"\n",
         m + "40: the identifier \"DS\" is already used by the identity at line 39"},
        {"      note texts/n1a.rtf",
         "      note texts/n1a.rtf\n  id 2 Two\n    id b Bee\n    question q1.rtf",
         m + "34: the lines that describe an identity come before its children"},
        {"tree types Types", "tree types Types\ntree types Again",
         m + "11: the types tree was already given at line 10"},
        {"organisation \"", "organization \"", m + "3: unknown statement \"organization\""},
        {"  Waves\n", "  \"Wa\"ves\n", m + "9: a quoted word must be followed by a space"},
        {"  Waves\n", "  \"Waves\n", m + "9: a quoted word is not closed"},
        {"  Waves\n", "  \"Wa/ves\"\n", m + "9: the category name \"Wa/ves\" must not"},
        {"    Motion\n", "    Forces\n",
         m + "8: the topic \"Forces\" is already defined at line 7"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.To);
        TBuild b = Build(With(c.From, c.To));
        if (c.Expected.empty()) {
            EXPECT_EQ(b.Status, 0) << b.Err;
            for (const char* name : {kBuiltDataName, kBuiltTextName, kBuiltIniName})
                std::filesystem::remove(fOut.File(name));
            continue;
        }
        EXPECT_EQ(b.Status, 1);
        EXPECT_EQ(b.Err.rfind(c.Expected, 0), 0u) << b.Err;
        EXPECT_NE(b.Err.find("qbtool: the library was not built ("), std::string::npos) << b.Err;
        EXPECT_FALSE(std::filesystem::exists(fOut.File("library.dat")));
    }

    TBuild unnamed = Build(With("library \"Physique \\\"élémentaire\\\"\"\n", ""));
    EXPECT_EQ(unnamed.Err.rfind(m + "1: the manifest has no \"library\" line", 0), 0u)
        << unnamed.Err;
}

TEST_F(BuildLibraryTest, ReportsBadRtfInItsOwnFileAndKeepsTheOldLibrary) {
    ASSERT_EQ(Build(kManifest).Status, 0);
    std::string oldData = ReadBytes(fOut.File("library.dat"));

    fSrc.Write("m1.rtf", "{\\rtf1\n{\\b open\n\\par}\n");
    fSrc.Write("s41.rtf", "{\\rtf1 caf\xC3\xA9}");
    fSrc.Write("ds.rtf", "plain text");
    TBuild b = Build(kManifest);
    EXPECT_EQ(b.Status, 1);
    EXPECT_NE(
        b.Err.find(fSrc.File("m1.rtf") + ":3: the braces do not balance: 1 group is left open"),
        std::string::npos)
        << b.Err;
    EXPECT_NE(b.Err.find(fSrc.File("s41.rtf") + ":1: a character outside ASCII"),
              std::string::npos);
    EXPECT_NE(b.Err.find(fSrc.File("ds.rtf") + ":1: not an RTF text"), std::string::npos);
    EXPECT_NE(b.Err.find("(3 errors)"), std::string::npos);
    EXPECT_EQ(ReadBytes(fOut.File("library.dat")), oldData);
}

TEST(RtfTextCheck, AcceptsEscapesAndBinaryDataAndTrimsTheEnd) {
    TRtfProblem problem;
    std::string escaped = "{\\rtf1 \\{not a group\\} \\\\ \\'e9\\u8804?\\par}\n\n";
    EXPECT_TRUE(CheckRtfText(escaped, problem)) << problem.Message;
    EXPECT_EQ(escaped, "{\\rtf1 \\{not a group\\} \\\\ \\'e9\\u8804?\\par}");

    std::string binary = "{\\rtf1{\\pict\\bin4 ";
    binary += std::string("}\x80{\0", 4);
    binary += "}}";
    EXPECT_TRUE(CheckRtfText(binary, problem)) << problem.Message;

    std::string shortBin = "{\\rtf1{\\pict\\bin99 ab}}";
    EXPECT_FALSE(CheckRtfText(shortBin, problem));
    std::string after = "{\\rtf1 a}\n{\\rtf1 b}";
    EXPECT_FALSE(CheckRtfText(after, problem));
    EXPECT_EQ(problem.Line, 2);
    std::string zero = std::string("{\\rtf1 a\0b}", 11);
    EXPECT_FALSE(CheckRtfText(zero, problem));
    EXPECT_EQ(problem.Message, "the file holds a zero byte");
}

TEST_F(BuildLibraryTest, RefusesWrongUsage) {
    std::ostringstream out, err;
    EXPECT_EQ(RunBuildLibrary({}, out, err), 2);
    EXPECT_EQ(RunBuildLibrary({fSrc.Path()}, out, err), 2);
    EXPECT_EQ(RunBuildLibrary({fSrc.Path(), "--out"}, out, err), 2);
    EXPECT_EQ(RunBuildLibrary({fSrc.Path(), "--out", "a", "--out", "b"}, out, err), 2);
    EXPECT_EQ(RunBuildLibrary({fSrc.Path(), "x", "--out", fOut.Path()}, out, err), 2);
    EXPECT_EQ(RunBuildLibrary({fSrc.Path(), "--out", fOut.Path(), "--verbose"}, out, err), 2);
    EXPECT_NE(err.str().find("usage: qbtool build-library SRC_DIR --out DIR [--subject NAME]"),
              std::string::npos);
    EXPECT_EQ(Build(kManifest, {"--subject", "Bad [subject]"}).Status, 2);
    EXPECT_EQ(Build(kManifest, {"--subject", "\xE2\x86\x92"}).Status, 2);
    std::ostringstream out2, err2;
    EXPECT_EQ(RunBuildLibrary({fSrc.File("missing"), "--out", fOut.Path()}, out2, err2), 1);
    EXPECT_FALSE(std::filesystem::exists(fOut.File("vantor32.ini")));
}

TEST_F(BuildLibraryTest, WritesOnlyFilesOfItsOwnMaking) {
    // Links planted where the temporary files used to be named lead out of the folder.
    TToolTempFolder elsewhere;
    const std::string victim = elsewhere.Write("victim", "not yours");
    for (const char* name : {kBuiltTextName, kBuiltDataName, kBuiltIniName})
        std::filesystem::create_symlink(victim, fOut.File(std::string(name) + ".new"));
    TBuild b = Build(kManifest);
    ASSERT_EQ(b.Status, 0) << b.Err;
    EXPECT_EQ(ReadBytes(victim), "not yours");
    for (const char* name : {kBuiltTextName, kBuiltDataName, kBuiltIniName}) {
        EXPECT_TRUE(
            std::filesystem::is_regular_file(std::filesystem::symlink_status(fOut.File(name))));
        EXPECT_TRUE(std::filesystem::is_symlink(fOut.File(std::string(name) + ".new")));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(fOut.Path()), {}), 6);
}

TEST_F(BuildLibraryTest, ReadsOnlyPlainFilesInsideTheSourceFolder) {
    auto run = [&] {
        std::ostringstream out, err;
        int status = RunBuildLibrary({fSrc.Path(), "--out", fOut.Path()}, out, err);
        EXPECT_EQ(status, 1);
        return err.str();
    };
    // A manifest that would block the build for ever, or grow without end.
    ASSERT_EQ(::mkfifo(Manifest().c_str(), 0600), 0);
    EXPECT_NE(run().find("library.qbs: the manifest is not a regular file"), std::string::npos);
    std::filesystem::remove(Manifest());
    std::filesystem::create_symlink("/dev/zero", Manifest());
    EXPECT_NE(run().find("library.qbs: the manifest is not a regular file"), std::string::npos);
    std::filesystem::remove(Manifest());

    // A text linked to a file outside; a link inside the folder is fine.
    TToolTempFolder elsewhere;
    std::filesystem::remove(fSrc.File("texts/q1a.rtf"));
    std::filesystem::create_symlink(elsewhere.Write("secret.rtf", kRtf),
                                    fSrc.File("texts/q1a.rtf"));
    TBuild b = Build(kManifest);
    EXPECT_EQ(b.Status, 1);
    EXPECT_NE(b.Err.find(":30: the file path \"texts/q1a.rtf\" may not leave the source folder"),
              std::string::npos)
        << b.Err;
    std::filesystem::remove(fSrc.File("texts/q1a.rtf"));
    std::filesystem::create_symlink("../q1.rtf", fSrc.File("texts/q1a.rtf"));
    EXPECT_EQ(Build(kManifest).Status, 0);
}

// The sample subject that ships with the program.
TEST(SampleLibrary, BuildsAndHoldsWhatANewUserShouldSee) {
    TToolTempFolder out;
    std::ostringstream log, err;
    ASSERT_EQ(
        RunBuildLibrary({QB_SOURCE_DIR "/data/sample", "--out", out.Path(), "--subject", "Sample"},
                        log, err),
        0)
        << err.str();
    TTextStore store(
        std::make_unique<TFileStream>(out.File("texts.dat"), TFileStream::Mode::ReadOnly));
    TFileStream data(out.File("library.dat"), TFileStream::Mode::ReadOnly);
    std::unique_ptr<TLibrary> lib = ReadLibraryData(data, &store);

    int questions = 0, markSchemes = 0, reports = 0, notes = 0, pictures = 0;
    TCategoryIterator it(lib->QuestionRoot.get());
    while (TCategory* c = it.Next()) {
        auto* node = static_cast<TIdentityCategory*>(c);
        for (char kind : {'Q', 'M', 'E', 'N'}) {
            TTextSegment* s = node->SegmentFor(kind);
            if (!s) continue;
            const std::string& rtf = s->Chunk->GetLines().at(0);
            EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252")) << s->GetID();
            EXPECT_TRUE(rtf.ends_with(" -\\par}")) << s->GetID(); // the end mark
            pictures += rtf.find("\\pngblip") != std::string::npos;
        }
        if (auto* q = static_cast<TQuestion*>(node->Question.get())) {
            ++questions;
            EXPECT_FALSE(q->Topics.empty()) << q->GetID();
            EXPECT_EQ(q->Topics[0]->Depth(), 3) << q->GetID();
            EXPECT_NE(q->QuestionType, nullptr) << q->GetID();
            EXPECT_NE(q->Level, nullptr) << q->GetID();
            EXPECT_FALSE(q->Papers.empty()) << q->GetID();
            EXPECT_GT(q->Marks, 0) << q->GetID();
            EXPECT_FALSE(node->Related.empty()) << q->GetID();
            markSchemes += node->MarkScheme != nullptr;
        }
        reports += node->ExaminersReport != nullptr;
        notes += node->Note != nullptr;
    }
    EXPECT_GE(questions, 40);
    EXPECT_GT(markSchemes, questions * 3 / 4);
    EXPECT_LT(markSchemes, questions); // a few placeholders show
    EXPECT_GE(reports, 5);
    EXPECT_GE(notes, 3);
    EXPECT_GE(pictures, 1);
    EXPECT_GE(lib->QuestionTypeRoot->Children.size(), 4u);
    EXPECT_GE(lib->SyllabusRoot->Children.size(), 5u);
    EXPECT_GE(lib->ResourceRoot->Children.size(), 2u);
    EXPECT_NE(ReadBytes(out.File("vantor32.ini")).find("[Sample]\n"), std::string::npos);
}

} // namespace

TEST_F(BuildLibraryTest, CopiesTheMarkSheetTemplateThatTheIniNames) {
    fSrc.Write("sheet.qbt", "quarrybook-sheet-template 1\n");
    TBuild b = Build(With("organisation \"Riverside School\"\n",
                          "organisation \"Riverside School\"\ntemplate sheet.qbt\n"));
    ASSERT_EQ(b.Status, 0) << b.Err;
    EXPECT_NE(ReadBytes(fOut.File("vantor32.ini")).find("\nTemplateName=sheet.qbt\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(fOut.File("sheet.qbt")), "quarrybook-sheet-template 1\n");

    b = Build(With("organisation \"Riverside School\"\n",
                   "organisation \"Riverside School\"\ntemplate missing.qbt\n"));
    EXPECT_EQ(b.Status, 1);
    EXPECT_NE(b.Err.find("the template \"missing.qbt\" is not in the source folder"),
              std::string::npos)
        << b.Err;
}
