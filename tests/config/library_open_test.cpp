#include "config/library_open.h"

#include "config/config_search.h"
#include "config/ini_file.h"
#include "config_test_support.h"
#include "framework/errors.h"
#include "framework/netwriter.h"
#include "framework/save_file.h"
#include "framework/stream.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/library_file.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr const char* kQuestionText = "{\\rtf1 What is the density of water?\\par}";

// Writes a one-question library: text file and data file.
void WriteTinyLibrary(const std::string& textPath, const std::string& dataPath) {
    TTextStore store(std::make_unique<TFileStream>(textPath, TFileStream::Mode::Create));
    TLibrary library;
    library.Name = "Tiny Physics";
    library.TopicRoot = std::make_unique<TCategory>("All topics");
    library.QuestionTypeRoot = std::make_unique<TCategory>("All types");
    library.LevelRoot = std::make_unique<TCategory>("All levels");
    library.PaperRoot = std::make_unique<TCategory>("All papers");
    library.QuestionRoot = std::make_unique<TIdentityCategory>();
    library.SyllabusRoot = std::make_unique<TIdentityCategory>();
    library.ResourceRoot = std::make_unique<TIdentityCategory>();
    auto* identity =
        library.QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("1", "Density"));
    auto* question = identity->SetSegment(std::make_unique<TQuestion>());
    question->Marks = 3;
    question->Chunk = MakeChunk({kQuestionText});
    question->Chunk->SaveToStore(store);
    TFileStream data(dataPath, TFileStream::Mode::Create);
    WriteLibraryData(data, library);
}

// A data file holding only the header integers.
void WriteHeader(const std::string& dataPath, std::int32_t version) {
    TFileStream data(dataPath, TFileStream::Mode::Create);
    TNetWriter writer(data);
    writer.WriteVersion(version);
    writer.WriteInteger(0);
    writer.WriteInteger(0);
    writer.Flush();
}

void ExpectInOutError(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "expected \"" << message << "\"";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

class LibraryOpen : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(fLib.Path() + "/lib");
        WriteTinyLibrary(fLib.Path() + "/lib/tiny.txt", fLib.Path() + "/lib/tiny.dat");
    }
    // Makes a library folder whose vantor32.ini holds `sections`.
    std::string WriteIni(const std::string& sections) {
        return fLib.Write("vantor32.ini", sections);
    }
    std::string TextPath() const { return fLib.Path() + "/lib/tiny.txt"; }
    std::string DataPath() const { return fLib.Path() + "/lib/tiny.dat"; }

    TTempFolder fLib;
};

TEST_F(LibraryOpen, OpensASubjectWithPathsRelativeToTheIni) {
    std::string ini = WriteIni("[Physics]\n"
                               "TextFilename=lib/tiny.txt\n"
                               "LibFilename=lib/tiny.dat\n"
                               "UseResource=yes\n"
                               "TemplateName=Sheet2.xlt\n"
                               "Organisation=Hill Road School\n"
                               "[Plain]\n"
                               "TextFilename=lib/tiny.txt\n"
                               "LibFilename=lib/tiny.dat\n");
    TTempFolder elsewhere;
    TCurrentFolderGuard inElsewhere(elsewhere.Path());

    TOpenedLibrary opened = OpenLibrary("PHYSICS", ini);
    EXPECT_EQ(opened.Subject, "PHYSICS");
    EXPECT_EQ(opened.Library->Name, "Tiny Physics");
    EXPECT_EQ(opened.Config.TextFilename, TextPath());
    EXPECT_EQ(opened.Config.LibFilename, DataPath());
    EXPECT_FALSE(opened.Config.UseResource);
    EXPECT_TRUE(opened.Config.FlagResource);
    EXPECT_EQ(opened.Config.TemplateName, "Sheet2.xlt");
    EXPECT_EQ(opened.Config.TemplateFilename, FolderOfPath(ini) + "/Sheet2.xlt");
    EXPECT_EQ(opened.Config.Organisation, "Hill Road School");

    // The texts are read lazily from the store, which moves along with the library.
    TOpenedLibrary moved = std::move(opened);
    TTextSegment* question = moved.Library->FindSegment("Q1");
    EXPECT_EQ(question->Marks, 3);
    EXPECT_EQ(question->Chunk->GetLines(), std::vector<std::string>{kQuestionText});

    TSubjectConfig plain = OpenLibrary("Plain", ini).Config;
    EXPECT_TRUE(plain.UseResource);
    EXPECT_TRUE(plain.FlagResource);
    EXPECT_EQ(plain.TemplateName, "marksheet.qbt");
    EXPECT_EQ(plain.Organisation, "");
}

TEST_F(LibraryOpen, ReportsTheStartUpMessages) {
    WriteHeader(fLib.Path() + "/v12.dat", 12);
    WriteHeader(fLib.Path() + "/v0.dat", 0);
    WriteHeader(fLib.Path() + "/vneg.dat", -5);
    std::string ini = WriteIni("[NoText]\n"
                               "TextFilename=absent.txt\n"
                               "LibFilename=absent.dat\n"
                               "[NoData]\n"
                               "TextFilename=lib/tiny.txt\n"
                               "LibFilename=absent.dat\n"
                               "[TextIsFolder]\n"
                               "TextFilename=lib\n"
                               "LibFilename=lib/tiny.dat\n"
                               "[V12]\n"
                               "TextFilename=lib/tiny.txt\n"
                               "LibFilename=v12.dat\n");

    // The second line says what to fix.
    const std::string text = "Could not open library text file\n";
    const std::string data = "Could not open library data file\n";
    const std::string missing = "Missing or not a file: " + fLib.Path();
    const std::string version = "Incorrect library version";
    ExpectInOutError([&] { OpenLibrary("NotListed", ini); },
                     text + "Subject \"NotListed\" is not listed in " + ini + ".");
    ExpectInOutError([&] { OpenLibrary("Caf\xE9", ini); },
                     text + "Subject \"Caf\xC3\xA9\" is not listed in " + ini + ".");
    // The text file before the data file.
    ExpectInOutError([&] { OpenLibrary("NoText", ini); }, text + missing + "/absent.txt");
    ExpectInOutError([&] { OpenLibrary("TextIsFolder", ini); }, text + missing + "/lib");
    ExpectInOutError([&] { OpenLibrary("NoData", ini); }, data + missing + "/absent.dat");
    ExpectInOutError([&] { OpenLibrary("V12", ini); }, version);
    ExpectInOutError([&] { OpenLibraryFiles(TextPath(), fLib.Path() + "/v0.dat"); }, version);
    ExpectInOutError([&] { OpenLibraryFiles(TextPath(), fLib.Path() + "/vneg.dat"); }, version);
    ExpectInOutError([&] { OpenLibrary("Physics", fLib.Path() + "/none.ini"); },
                     "Could not open configuration file \"" + fLib.Path() + "/none.ini\"");

    // A damaged data file is an error of its own, never a crash.
    std::string cut = fLib.Write("cut.dat", "");
    {
        TFileStream whole(DataPath(), TFileStream::Mode::ReadOnly);
        std::string bytes(static_cast<std::size_t>(whole.Size() / 2), '\0');
        whole.ReadExact(bytes.data(), bytes.size());
        fLib.Write("cut.dat", bytes);
    }
    EXPECT_THROW(OpenLibraryFiles(TextPath(), cut), EError);
}

TEST_F(LibraryOpen, FindsTheIniOrTakesFilesDirectly) {
    std::string ini = WriteIni("[Physics]\nTextFilename=lib/tiny.txt\nLibFilename=lib/tiny.dat\n");
    {
        TEnvGuard configDir(kConfigDirVariable, fLib.Path());
        EXPECT_EQ(OpenLibrary("Physics").Library->Name, "Tiny Physics");
        // A subject the file found does not list: which file, and where it was looked for.
        ExpectInOutError(
            [&] { OpenLibrary("Chemistry"); },
            "Could not open library text file\nSubject \"Chemistry\" is not listed in " + ini +
                " (looked for \"vantor32.ini\" in " + fLib.Path() + ").");
    }
    TOpenedLibrary direct = OpenLibraryFiles(TextPath(), DataPath(), "Tiny");
    EXPECT_EQ(direct.Subject, "Tiny");
    EXPECT_EQ(direct.Config.LibFilename, DataPath());
    EXPECT_TRUE(direct.Config.UseResource);
    EXPECT_EQ(direct.Library->FindSegment("Q1")->Chunk->GetLines().size(), 1u);
    ExpectInOutError([&] { OpenLibraryFiles(TextPath(), ""); },
                     "Could not open library data file\nThe configuration names no file.");
}

TEST(ChooseSubject, TakesTheArgumentOrTheStartUpFile) {
    TTempFolder folder;
    std::string startup = folder.Write("vantor.ini", "[auto]\nsubject = Physics\n");
    std::string blank = folder.Write("blank.ini", "[Auto]\nSubject=\n");
    const std::string message = "Data file has not been specified";

    ExpectInOutError([&] { ChooseSubject(std::nullopt, startup); }, message);
    ExpectInOutError([&] { ChooseSubject(std::string(), startup); }, message);

    TStartupChoice plain = ChooseSubject("Chemistry", startup);
    EXPECT_EQ(plain.Subject, "Chemistry");
    EXPECT_EQ(plain.Document, std::nullopt);
    EXPECT_EQ(ChooseSubject("test.vqd.bak", startup).Subject, "test.vqd.bak");

    for (std::string document : {"/home/t/Mock Paper.VQD", "mock.vqd", "mock.Vqd", ".vQd"}) {
        TStartupChoice choice = ChooseSubject(document, startup);
        EXPECT_EQ(choice.Subject, "Physics") << document;
        EXPECT_EQ(choice.Document, document);
        ExpectInOutError([&] { ChooseSubject(document, blank); }, message);
        ExpectInOutError([&] { ChooseSubject(document, std::nullopt); }, message);
    }

    // Found by the search, beside the main configuration file.
    folder.Write("vantor32.ini", "[Physics]\n");
    TEnvGuard configDir(kConfigDirVariable, folder.Path());
    EXPECT_EQ(ChooseSubject("paper.vqd").Subject, "Physics");
}

} // namespace
