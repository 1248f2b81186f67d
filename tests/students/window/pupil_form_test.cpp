#include "students/pupil_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "qb_students_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Answers each dialog with the next scripted reply and records what was shown.
struct ScriptedDialogs : TPupilDialogs {
    QString OpenListName(QWidget*) override { return Next(); }
    QString SaveListName(QWidget*) override { return Next(); }
    QString ImportName(QWidget*) override { return Next(); }
    TAnswer AskToSave(QWidget*) override {
        ++questions;
        return answer;
    }
    void Warn(QWidget*, const std::string& m) override { messages.push_back(m); }
    void Error(QWidget*, const std::string& m) override { messages.push_back(m); }
    QString Next() {
        if (names.empty()) return {};
        QString n = names.front();
        names.pop_front();
        return n;
    }
    std::deque<QString> names;
    TAnswer answer = TAnswer::Cancel;
    int questions = 0;
    std::vector<std::string> messages;
};

class PupilFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        dir = fs::temp_directory_path() /
              ("qb_pupil_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir);
        auto owned = std::make_unique<ScriptedDialogs>();
        dialogs = owned.get();
        form = std::make_unique<TPupilForm>(nullptr, std::move(owned));
        form->show();
    }
    void TearDown() override {
        dialogs->answer = TAnswer::No;
        form.reset();
        fs::remove_all(dir);
    }
    QString Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return QString::fromStdString((dir / name).string());
    }
    std::string Get(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    QString Text(int row, int column) { return form->Grid()->item(row, column)->text(); }
    QPushButton* Button(const char* name) { return form->findChild<QPushButton*>(name); }

    fs::path dir;
    ScriptedDialogs* dialogs = nullptr;
    std::unique_ptr<TPupilForm> form;
};

} // namespace

TEST_F(PupilFormTest, OpenReplacesTheWholeListAndSavesItBackUnchanged) {
    dialogs->names = {Put("long.ptx", "A,a,,F\r\nB,b,,M\r\nC,c,,F\r\n"),
                      Put("short.ptx", "Dupr\xE9,Zo\xEB,1/2/11,F\r\n")};
    form->OpenList();
    form->OpenList();
    EXPECT_EQ(Text(0, 1), QStringLiteral("Zoë"));
    EXPECT_EQ(Text(1, 0), QString()); // not left from the list before
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Names of students in class ") + form->FileName());
    EXPECT_TRUE(Button("btSave")->isEnabled());
    EXPECT_FALSE(form->Modified());

    EXPECT_TRUE(form->SaveList());
    EXPECT_EQ(Get("short.ptx"), "Dupr\xE9,Zo\xEB,1/2/11,F\r\n");
}

TEST_F(PupilFormTest, SavingPastARowWithoutSurnameSaysWhichRowsWereLeftOut) {
    dialogs->names = {Put("gap.ptx", "A,a,,F\r\n,b,,M\r\nC,c,,F\r\n")};
    form->OpenList();
    EXPECT_TRUE(form->SaveList());
    EXPECT_EQ(Get("gap.ptx"), "A,a,,F\r\n");
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_NE(dialogs->messages[0].find("Row 2 has no surname"), std::string::npos);
    EXPECT_NE(dialogs->messages[0].find("2 rows were left out"), std::string::npos);

    // A list that ends at its first blank row saves without a word.
    dialogs->messages.clear();
    dialogs->names = {Put("whole.ptx", "A,a,,F\r\n")};
    form->OpenList();
    EXPECT_TRUE(form->SaveList());
    EXPECT_TRUE(dialogs->messages.empty());
}

TEST_F(PupilFormTest, ImportAndNewForgetTheFileSoSaveAsksForAName) {
    dialogs->names = {Put("old.ptx", "Old,class,,\r\n"),
                      Put("new.csv", "Surname,Forename\r\nNew,pupil\r\n")};
    form->OpenList();
    form->ImportList();
    EXPECT_EQ(Text(0, 1), QStringLiteral("pupil"));
    EXPECT_TRUE(form->FileName().isEmpty());
    EXPECT_FALSE(Button("btSave")->isEnabled());
    EXPECT_TRUE(form->Modified());

    // Closing asks; Cancel keeps the window and the list.
    dialogs->answer = TAnswer::Cancel;
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs->questions, 1);

    // Yes with no file name goes to Save As; cancelling it keeps the list too.
    dialogs->answer = TAnswer::Yes;
    form->NewList();
    EXPECT_EQ(Text(0, 0), QStringLiteral("New"));
    EXPECT_EQ(Get("old.ptx"), "Old,class,,\r\n");

    dialogs->names = {QString::fromStdString((dir / "new.ptx").string())};
    form->NewList();
    EXPECT_EQ(Get("new.ptx"), "New,pupil,,\r\n");
    EXPECT_EQ(Text(0, 0), QString());
    EXPECT_TRUE(form->FileName().isEmpty());
}

TEST_F(PupilFormTest, DeleteShiftsTheRowsUpAndEmptiesTheLast) {
    std::string full;
    for (int i = 1; i <= 39; ++i)
        full += "S" + std::to_string(i) + ",F,,M\r\n";
    dialogs->names = {Put("full.ptx", full)};
    form->OpenList();
    form->Grid()->setCurrentCell(37, 0);
    form->DeleteRow();
    EXPECT_EQ(Text(37, 0), QStringLiteral("S39"));
    EXPECT_EQ(Text(38, 0), QString());
    EXPECT_TRUE(form->Modified());
}

TEST_F(PupilFormTest, EnterAndTabMoveOnAndAnyKeyCountsAsAChange) {
    QTableWidget* grid = form->Grid();
    grid->setCurrentCell(0, 3);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_TRUE(form->Modified());

    QWidget* editor = nullptr;
    for (auto* e : grid->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, "Lee");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Text(1, 0), QStringLiteral("Lee"));
    EXPECT_EQ(grid->currentColumn(), 1);
}
