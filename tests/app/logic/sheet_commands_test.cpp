#include "logic_fixture.h"

#include "app/logic/sheet_commands.h"
#include "framework/errors.h"

#include <fstream>

namespace {

class ScriptedFiles : public TSheetFiles {
public:
    std::optional<std::string> ChooseStudentList() override { return studentList; }
    std::optional<std::string> ChooseOutput() override { return output; }
    void Show(const std::string& path) override { shown.push_back(path); }
    std::optional<std::string> studentList, output;
    std::vector<std::string> shown;
};

class SheetCommands : public LogicTest {
protected:
    void SetUp() override {
        LogicTest::SetUp();
        templatePath = (dir / "t.qbt").string();
        std::ofstream(templatePath) << "quarrybook-sheet-template 1\nsheet \"A\"\n"
                                       "formula B7 \"=COUNTA(A9:A1000)\"\nsheet \"B\"\n";
    }
    std::string templatePath;
    ScriptedFiles files;
};

TEST_F(SheetCommands, WriteTheChosenFileAndShowIt) {
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    doc.InsertEntries({Seg("Q1"), Seg("Q2a")}, -1);
    TCreateMarkSheetCmd sheet(app, files, [&] { return TSheetSettings{templatePath, false}; });
    TCreateSummaryCmd index(app, files);

    // Cancelling where to save writes nothing.
    prompts.answers = {TAnswer::Yes};
    files.studentList = (dir / "class.ptx").string();
    {
        std::ofstream list(*files.studentList);
        for (int i = 0; i < 40; ++i)
            list << "Smith" << i << ",Anna,,F\r\n";
    }
    sheet.Execute(nullptr);
    EXPECT_EQ(prompts.asked, std::vector<std::string>{"Do you want to use a Student list?"});
    EXPECT_TRUE(files.shown.empty());

    files.output = (dir / "marks.xlsx").string();
    prompts.answers = {TAnswer::Yes};
    sheet.Execute(nullptr);
    files.output = (dir / "index.xlsx").string();
    index.Execute(nullptr);
    EXPECT_EQ(files.shown, (std::vector<std::string>{(dir / "marks.xlsx").string(),
                                                     (dir / "index.xlsx").string()}));
    EXPECT_TRUE(std::filesystem::file_size(dir / "marks.xlsx") > 0);
    // The fortieth student does not fit and the user hears of it.
    ASSERT_EQ(prompts.informed.size(), 1u);
    EXPECT_NE(prompts.informed[0].find("1 was left out"), std::string::npos) << prompts.informed[0];
    EXPECT_TRUE(std::filesystem::file_size(dir / "index.xlsx") > 0);

    // A template that cannot be read stops the command before it shows anything.
    std::filesystem::remove(templatePath);
    files.output = (dir / "again.xlsx").string();
    EXPECT_THROW(sheet.Execute(nullptr), EInOutError);
    EXPECT_FALSE(std::filesystem::exists(dir / "again.xlsx"));
    EXPECT_EQ(files.shown.size(), 2u);
}

} // namespace
