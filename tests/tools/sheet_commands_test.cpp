#include "model/document.h"
#include "model/document_file.h"
#include "qbtool_test_support.h"

#include <gtest/gtest.h>

namespace {

class SheetCommands : public ::testing::Test {
protected:
    void SetUp() override {
        WritePhysicsLibrary(fDir.File("phys.txt"), fDir.File("phys.dat"));
        fIni = fDir.Write("vantor32.ini", "[Physics]\nTextFilename=phys.txt\nLibFilename=phys.dat\n"
                                          "TemplateName=sheet.qbt\n");
        TOpenedLibrary lib = OpenLibrary("Physics", fIni);
        TDocument doc;
        doc.InsertEntries({lib.Library->FindSegment("Q1"), lib.Library->FindSegment("Q2")}, -1,
                          lib.Library.get());
        SaveDocumentFile(doc, "Physics", fDir.File("test.vqd"), lib.Library.get());
    }
    TRun Run(const std::string& command, std::vector<std::string> more = {}) {
        std::vector<std::string> args{
            command, "--ini", fIni, "Physics", fDir.File("test.vqd"), fDir.File("out.xlsx")};
        args.insert(args.end(), more.begin(), more.end());
        return RunTool(args);
    }
    TToolTempFolder fDir;
    std::string fIni;
};

TEST_F(SheetCommands, WriteTheWorkbooksOrNothingWithAnExitStatus) {
    TRun missing = Run("marksheet");
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("Cannot read the mark sheet template " + fDir.File("sheet.qbt")),
              std::string::npos)
        << missing.Err;
    EXPECT_FALSE(std::filesystem::exists(fDir.File("out.xlsx")));

    fDir.Write("sheet.qbt", "quarrybook-sheet-template 1\nsheet \"Marks\"\n"
                            "formula B7 \"=COUNTA(A9:A1000)\"\nsheet \"Refs\"\n");
    // A spreadsheet's export, with a header line and a quoted comma.
    fDir.Write("class.csv",
               "Surname,Forename,DoB,Sex\r\n\"Smith, Jr\",Anna,,F\r\nJones,Ben,,M\r\n");
    TRun sheet = Run("marksheet", {"--students", fDir.File("class.csv")});
    EXPECT_EQ(sheet.Status, 0) << sheet.Err;
    EXPECT_EQ(sheet.Out, "Wrote " + fDir.File("out.xlsx") + ": 2 questions, 2 students\n");
    EXPECT_EQ(Run("file-index").Out, "Wrote " + fDir.File("out.xlsx") + ": 2 questions\n");

    TRun usage = RunTool({"file-index", "--ini", fIni, "Physics", fDir.File("test.vqd")});
    EXPECT_EQ(usage.Status, 2);
    EXPECT_NE(usage.Err.find("usage: qbtool file-index"), std::string::npos) << usage.Err;
}

} // namespace
