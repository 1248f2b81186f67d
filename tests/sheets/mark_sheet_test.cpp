#include "empty_library.h"
#include "framework/errors.h"
#include "model/document.h"
#include "model/segments.h"
#include "sheets/mark_sheet.h"
#include "sheets/sheet_template.h"
#include "xlsx_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kTemplate = "quarrybook-sheet-template 1\n"
                              "font \"Arial\" 10\n"
                              "sheet \"Marks\"\n"
                              "width A:B 16\n"
                              "text A8 \"Surname\" bold\n"
                              "formula B7 \"=COUNTA(A9:A1000)\"\n"
                              "sheet \"References\"\n"
                              "text A1 \"Reference\"\n";

class TFolder {
public:
    TFolder() {
        std::string pattern = (fs::temp_directory_path() / "qb_sheets_XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        fPath = pattern;
    }
    ~TFolder() { fs::remove_all(fPath); }
    std::string File(const std::string& name) const { return fPath + "/" + name; }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
        return File(name);
    }

private:
    std::string fPath;
};

// A library of numbered questions with two levels, a topic, and a syllabus whose points
// the questions refer to.
class MarkSheet : public ::testing::Test {
protected:
    MarkSheet() : fLib(MakeEmptyLibrary("Sheets")) {
        fTopic = fLib->TopicRoot->AddChild(std::make_unique<TCategory>("Forces"));
        fLevels[0] = fLib->LevelRoot->AddChild(std::make_unique<TCategory>("Foundation"));
        fLevels[1] = fLib->LevelRoot->AddChild(std::make_unique<TCategory>("Higher"));
        Spec("3.1", "Speed");
        Spec("3.2", "Acceleration");
        Spec("10", "Energy");
    }

    TIdentityCategory* Spec(const std::string& id, const std::string& title) {
        return fLib->SyllabusRoot->AddChild(std::make_unique<TIdentityCategory>(id, title));
    }

    // Question `id` with its marks, related to the syllabus points `refs` (created as
    // identities of their own when the syllabus lacks them).
    TQuestion* Question(const std::string& id, int marks, std::vector<std::string> refs = {},
                        bool withTopicAndLevel = true) {
        auto* identity = fLib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>(id));
        auto* q = identity->SetSegment(std::make_unique<TQuestion>());
        q->Marks = static_cast<std::int16_t>(marks);
        if (withTopicAndLevel) {
            q->Topics.push_back(fTopic);
            q->Level = fLevels[1];
        }
        for (const std::string& ref : refs) {
            TIdentityCategory* point = fLib->FindIdentity(ref, 'S');
            if (!point || FullID(*point) != ref) point = Spec(ref, "");
            identity->Related.push_back(point);
        }
        fDoc.InsertEntries({q}, -1, fLib.get());
        return q;
    }

    TXlsxFile Write(const std::vector<TStudent>& students = {}) {
        TWorkbook book = ParseSheetTemplate(kTemplate, "test");
        FillMarkSheet(book, CollectQuestionFields(fDoc, *fLib, false), students, *fLib, false);
        book.Save(fFolder.File("marks.xlsx"));
        return TXlsxFile(fFolder.File("marks.xlsx"));
    }

    std::unique_ptr<TLibrary> fLib;
    TCategory* fTopic;
    TCategory* fLevels[2];
    TDocument fDoc;
    TFolder fFolder;
};

TEST_F(MarkSheet, ThreeQuestionsWithoutStudentsGiveTheQuestionRowsAndNoStudentRows) {
    Question("1", 2, {"3.1"});
    Question("2", 3, {"3.2", "10"}, false);
    Question("3", 5);
    TXlsxFile file = Write();
    const TReadSheet& s = file.Sheet(1);
    EXPECT_EQ(s.Name, "Marks");
    EXPECT_EQ(s.At("A8").Text, "Surname");
    EXPECT_EQ(s.At("B7").Formula, "=COUNTA(A9:A1000)");

    EXPECT_EQ(s.At("E1").Text, "Q1");
    EXPECT_EQ(s.At("E2").Text, "Forces");
    EXPECT_EQ(s.At("E3").Text, "3.1");
    EXPECT_EQ(s.At("E5").Number, 2); // Higher, the second level
    EXPECT_EQ(s.At("E6").Number, 2);
    EXPECT_EQ(s.At("E8").Number, 1);
    // A question without topic, level or second reference leaves those cells empty.
    EXPECT_EQ(s.At("F4").Text, "10");
    EXPECT_FALSE(s.Has("F2") || s.Has("F5") || s.Has("G3") || s.Has("G4"));
    EXPECT_EQ(s.At("G7").Formula,
              "=IF(OR(B7=0,G6=0,COUNT(G9:G1000)=0),\"\",ROUND(SUM(G9:G1000)*100/(B7*G6),0))");

    EXPECT_EQ(s.At("H8").Text, "Total");
    EXPECT_EQ(s.At("I8").Text, "%Correct");
    EXPECT_EQ(s.At("B6").Formula, "=SUM(E6:G6)");
    EXPECT_NEAR(s.Widths.at(8), 7, 1);
    EXPECT_NEAR(s.Widths.at(9), 9, 1);
    EXPECT_NEAR(s.Widths.at(1), 16, 1);
    for (const auto& [name, cell] : s.Cells) {
        int row = std::stoi(name.substr(name.find_first_of("0123456789")));
        EXPECT_LT(row, 9) << name;
    }
}

TEST_F(MarkSheet, StudentRowsCarryTheirTotalsAndPercentages) {
    Question("1", 2);
    Question("2", 3);
    Question("3", 5);
    TXlsxFile file = Write({{"Smith", "Anna", "12/03/2011", "F"}, {"Jones", "Ben", "", "M"}});
    const TReadSheet& s = file.Sheet(1);
    EXPECT_EQ(s.At("A9").Text, "Smith");
    EXPECT_EQ(s.At("C9").Text, "12/03/2011");
    EXPECT_EQ(s.At("D10").Text, "M");
    EXPECT_EQ(s.At("H10").Formula, "=SUM(E10:G10)");
    EXPECT_EQ(s.At("I10").Formula, "=IF(COUNT(E10:G10)=0,\"\",ROUND(H10*100/10,0))");
    EXPECT_FALSE(s.Has("H11"));
}

TEST_F(MarkSheet, TheTwentySeventhQuestionIsInColumnAE) {
    for (int i = 1; i <= 27; ++i)
        Question(std::to_string(i), 1);
    TXlsxFile file = Write();
    const TReadSheet& s = file.Sheet(1);
    EXPECT_EQ(s.At("AE1").Text, "Q27");
    EXPECT_EQ(s.At("AE8").Number, 27);
    EXPECT_EQ(s.At("AF8").Text, "Total");
    EXPECT_EQ(s.At("AG8").Text, "%Correct");
    EXPECT_EQ(s.At("B6").Formula, "=SUM(E6:AE6)");
    EXPECT_EQ(ColumnName(26), "Z");
    EXPECT_EQ(ColumnName(52), "AZ");
    EXPECT_EQ(ColumnName(53), "BA");
    EXPECT_EQ(ColumnName(703), "AAA");
}

TEST_F(MarkSheet, ReferencesAreListedOnceWithoutTheirLetterInCaselessOrder) {
    Spec("4a", "Waves");
    Question("1", 1, {"3.2b", "10"});
    Question("2", 1, {"3.2a", "4A"});
    Question("3", 1, {"3.1", "4a"});
    TXlsxFile file = Write();
    const TReadSheet& refs = file.Sheet(2);
    EXPECT_EQ(refs.At("A1").Text, "Reference");
    // 3.2b and 3.2a stand for 3.2; 4A and 4a for 4, which has no title; 10 keeps its 0.
    std::vector<std::string> listed;
    for (int row = 2; refs.Has("A" + std::to_string(row)); ++row)
        listed.push_back(refs.At("A" + std::to_string(row)).Text);
    EXPECT_EQ(listed, (std::vector<std::string>{"10", "3.1", "3.2", "4"}));
    EXPECT_EQ(refs.At("B2").Text, "Energy");
    EXPECT_EQ(refs.At("B3").Text, "Speed");
    EXPECT_EQ(refs.At("B4").Text, "Acceleration");
    EXPECT_FALSE(refs.Has("B5"));
    // The sheet itself keeps the references as the questions give them.
    EXPECT_EQ(file.Sheet(1).At("F4").Text, "4A");
}

TEST_F(MarkSheet, WithTheResourceOptionTheReferencesAreTheQuestionsResources) {
    auto* sheet =
        fLib->ResourceRoot->AddChild(std::make_unique<TIdentityCategory>("DS1", "Data sheet"));
    Question("1", 1, {"3.1"})->Resources.push_back(sheet);
    TMarkSheetRequest request;
    request.TemplatePath = fFolder.Write("t.qbt", kTemplate);
    request.UseResource = true;
    WriteMarkSheet(fDoc, *fLib, request, fFolder.File("r.xlsx"));
    TXlsxFile file(fFolder.File("r.xlsx"));
    EXPECT_EQ(file.Sheet(1).At("E3").Text, "DS1");
    EXPECT_EQ(file.Sheet(2).At("A2").Text, "DS1");
    EXPECT_EQ(file.Sheet(2).At("B2").Text, "Data sheet");
}

TEST_F(MarkSheet, ABadTemplateOrStudentListWritesNothing) {
    Question("1", 1);
    std::string out = fFolder.File("out.xlsx");
    TMarkSheetRequest request;
    request.TemplatePath = fFolder.File("missing.qbt");
    EXPECT_THROW(WriteMarkSheet(fDoc, *fLib, request, out), EInOutError);
    request.TemplatePath = fFolder.Write("no-b7.qbt", "quarrybook-sheet-template 1\n"
                                                      "sheet \"A\"\nsheet \"B\"\n");
    try {
        WriteMarkSheet(fDoc, *fLib, request, out);
        ADD_FAILURE() << "a template without B7 was taken";
    } catch (const EDataError& e) {
        EXPECT_NE(std::string(e.what()).find("B7"), std::string::npos) << e.what();
    }
    EXPECT_THROW(
        ParseSheetTemplate("quarrybook-sheet-template 1\nsheet \"A\"\ntext ZZ \"x\"\n", "t"),
        EDataError);
    request.TemplatePath = fFolder.Write("good.qbt", kTemplate);
    request.StudentList = fFolder.File("missing.ptx");
    EXPECT_THROW(WriteMarkSheet(fDoc, *fLib, request, out), EInOutError);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(out).parent_path()),
                            fs::directory_iterator()),
              2); // the two templates written, and no temporary file
}

TEST_F(MarkSheet, TheFileIndexKeepsATitleWithACommaInItsCell) {
    Question("1", 4, {"3.1", "3.2"})->Identity->Title = "Speed, distance and time";
    Question("2", 1, {}, false);
    WriteFileIndex(fDoc, *fLib, fFolder.File("index.xlsx"));
    TXlsxFile file(fFolder.File("index.xlsx"));
    const TReadSheet& s = file.Sheet(1);
    EXPECT_EQ(s.At("A1").Text, "Question");
    EXPECT_EQ(s.At("H1").Text, "Topic");
    EXPECT_EQ(s.At("A2").Text, "1.    ");
    EXPECT_EQ(s.At("B2").Text, "Q1");
    EXPECT_EQ(s.At("C2").Text, "Speed, distance and time");
    EXPECT_EQ(s.At("D2").Text, "2   ");
    EXPECT_EQ(s.At("E2").Text, "4 marks");
    EXPECT_EQ(s.At("F2").Text, "3.1");
    EXPECT_EQ(s.At("G2").Text, "3.2");
    EXPECT_EQ(s.At("H2").Text, "Forces");
    EXPECT_EQ(s.At("A3").Text, "2.    ");
    EXPECT_EQ(s.At("D3").Text, "   ");
    EXPECT_NEAR(s.Widths.at(3), 45, 1);
    EXPECT_NEAR(s.Widths.at(8), 20, 1);
    EXPECT_NEAR(s.Widths.at(2), 12, 1);
}

} // namespace
