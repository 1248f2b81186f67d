#include "students/student_list.h"

#include "framework/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class StudentListTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("qb_students_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Put(const std::string& name, const std::string& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    std::string Get(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
};

std::string Data(const char* name) {
    return std::string(QB_TEST_DATA_DIR) + "/students/" + name;
}

} // namespace

TEST(StudentLine, FirstThreeFieldsRunToCommasAndTheRestIsSex) {
    EXPECT_EQ(SplitStudentLine("Smith,Ann,1/2/10,F"), (TStudent{"Smith", "Ann", "1/2/10", "F"}));
    EXPECT_EQ(SplitStudentLine("Smith,Ann,1/2/10,F,extra"),
              (TStudent{"Smith", "Ann", "1/2/10", "F,extra"}));
    // A missing comma leaves its field empty and the text for the next one.
    EXPECT_EQ(SplitStudentLine("Smith,Ann"), (TStudent{"Smith", "", "", "Ann"}));
    EXPECT_EQ(SplitStudentLine("Smith"), (TStudent{"", "", "", "Smith"}));
}

TEST_F(StudentListTest, SavedListReadsBackAndStopsAtTheFirstBlankSurname) {
    std::vector<TStudent> rows(kMaxStudents);
    rows[0] = {"Smith", "Ann", "1/2/10", "F"};
    rows[1] = {"Jones", "", "", ""};
    rows[2] = {"Dupr\xE9", "Zo\xEB", "", "F"};
    rows[4] = {"After", "the", "gap", "M"};
    const std::string path = (dir / "set.ptx").string();
    WriteStudentList(path, rows);
    EXPECT_EQ(Get("set.ptx"), "Smith,Ann,1/2/10,F\r\nJones,,,\r\nDupr\xE9,Zo\xEB,,F\r\n");

    const TStudentListRead back = ReadStudentList(path);
    EXPECT_EQ(back.Students, std::vector<TStudent>(rows.begin(), rows.begin() + 3));
    EXPECT_TRUE(back.Warnings.empty());
}

TEST_F(StudentListTest, ReadsEveryKindOfLineEnd) {
    const auto read = ReadStudentList(Put("mixed.ptx", "A,a,,F\rB,b,,M\nC,c,,F\r\n\r\nE,e,,M"));
    ASSERT_EQ(read.Students.size(), 5u);
    EXPECT_EQ(read.Students[1].Surname, "B");
    EXPECT_EQ(read.Students[3], TStudent{});
    EXPECT_EQ(read.Students[4].Sex, "M");
}

TEST_F(StudentListTest, MoreThanThirtyNineStudentsAreReadUpToTheLimitWithAWarning) {
    std::string bytes;
    for (int i = 1; i <= 42; ++i)
        bytes += "S" + std::to_string(i) + ",F,,M\r\n";
    const auto read = ReadStudentList(Put("big.ptx", bytes + "\r\n"));
    ASSERT_EQ(read.Students.size(), 39u);
    EXPECT_EQ(read.Students.back().Surname, "S39");
    ASSERT_EQ(read.Warnings.size(), 1u);
    EXPECT_NE(read.Warnings[0].find("3 were left out"), std::string::npos) << read.Warnings[0];
}

TEST_F(StudentListTest, ACommaInACellRefusesTheSaveAndKeepsTheOldFile) {
    const std::string path = Put("set.ptx", "Old,List,,\r\n");
    std::vector<TStudent> rows = {{"Smith", "Ann", "", "F"}, {"Lee", "Mei, Ling", "", "F"}};
    try {
        WriteStudentList(path, rows);
        FAIL() << "saved a comma";
    } catch (const EDataError& e) {
        EXPECT_NE(std::string(e.what()).find("Row 2, column \"Forename\""), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Get("set.ptx"), "Old,List,,\r\n");
}

TEST(StudentCsv, ReadsAUtf8ExportWithHeaderQuotesAndLineBreaks) {
    const auto read = ImportStudentCsv(Data("class_utf8_bom.csv"));
    EXPECT_TRUE(read.Warnings.empty());
    const std::vector<TStudent> expected = {
        {"O'Brien, Jr.", "Se\xE1n", "12/03/2011", "M"},
        {"Smith \"Smithy\"", "Anne-Marie", "01/09/2010", "F"},
        {"Lee", "Mei Ling", "", "F"},
        {"Zo\xEB", "Kr\xFCger", "", "F"},
    };
    EXPECT_EQ(read.Students, expected);
}

TEST(StudentCsv, ReadsASemicolonExportInTheCodePage) {
    const auto read = ReadStudentFile(Data("class_semicolon_cp1252.csv"));
    const std::vector<TStudent> expected = {
        {"M\xFCller", "J\xF6rg", "05.06.2011", "M"},
        {"Dupr\xE9", "Zo\xEB", "", "F"},
        {"Nguyen", "An", "", "M"},
    };
    EXPECT_EQ(read.Students, expected);
}

TEST(StudentCsv, CutsLongCellsDropsControlsAndWarnsAboutExtraColumns) {
    const std::string longName(45, 'x');
    const auto read = ParseStudentCsv("name,first\n" + longName + ",A\x01n\x7F,,M,Form 7\n");
    ASSERT_EQ(read.Students.size(), 1u);
    EXPECT_EQ(read.Students[0], (TStudent{std::string(40, 'x'), "An", "", "M"}));
    EXPECT_EQ(read.Warnings.size(), 2u);
}
