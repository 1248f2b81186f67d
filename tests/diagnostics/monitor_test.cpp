#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "diagnostics/debug_commands.h"
#include "diagnostics/monitor_form.h"
#include "empty_library.h"
#include "framework/stream.h"
#include "model/document.h"
#include "model/segments.h"
#include "model/text_store.h"

#include <QApplication>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <deque>

namespace {

QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "qb_diagnostics_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct NoPrompts : TUserPrompts {
    TAnswer Ask(const std::string&, bool) override { return TAnswer::No; }
    void Inform(const std::string&) override {}
};

class MonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        auto lib = MakeEmptyLibrary("Test");
        auto* q1 = lib->QuestionRoot->AddChild(std::make_unique<TIdentityCategory>("1", "One"));
        q1->SetSegment(std::make_unique<TQuestion>());
        app.SetLibrary("Test", std::make_unique<TTextStore>(std::make_unique<TMemoryStream>()),
                       std::move(lib));
    }
    NoPrompts prompts;
    TAppLogic app{prompts};
};

} // namespace

TEST_F(MonitorTest, LogsEachNotificationWithItsSenderAndCodeNamesWhileShown) {
    TMonitorForm monitor(app);
    monitor.show();
    TDocLogic& doc = app.NewDocument();
    doc.SetModified(true);
    app.Notify({ncClipboard, ncHistory, ncDocument});
    const QStringList lines = monitor.Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(
        QRegularExpression("^TAppLogic \\([0-9A-F]{8,}\\): DocCreate$").match(lines[0]).hasMatch())
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("TDocLogic (")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("): Modified"));
    EXPECT_TRUE(lines[2].endsWith("): Document History")) << lines[2].toStdString();

    monitor.hide();
    EXPECT_TRUE(monitor.Lines().isEmpty());
    app.Notify({ncDocument});
    monitor.show();
    EXPECT_TRUE(monitor.Lines().isEmpty());
}

TEST_F(MonitorTest, AddItemsAppendsRepeatsWithoutAskingAndWarnsOfUnknownIds) {
    std::deque<std::string> typed = {"Q1", "Q1", "Q99"};
    std::vector<std::string> warnings;
    TDebugAddItemsCmd cmd(
        app,
        [&]() -> std::optional<std::string> {
            if (typed.empty()) return std::nullopt;
            std::string id = typed.front();
            typed.pop_front();
            return id;
        },
        [&](const std::string& m) { warnings.push_back(m); });
    cmd.Bind(nullptr, nullptr);
    EXPECT_FALSE(cmd.IsEnabled());
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    ASSERT_TRUE(cmd.IsEnabled());

    cmd.Execute(nullptr);
    ASSERT_EQ(doc.Document().Entries.size(), 2u);
    EXPECT_EQ(doc.Document().Entries[1]->Segment, app.Library()->FindSegment("Q1"));
    EXPECT_EQ(warnings, std::vector<std::string>{"Invalid ID: Q99"});
}
