#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "framework/errors.h"
#include "model/text_store.h"
#include "output/print/derive_commands.h"
#include "output/print/output_commands.h"
#include "output/print/preview_form.h"
#include "output/print/print_form.h"
#include "output/richtext/rich_text_control.h"

#include "../richtext/test_application.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <deque>

namespace {

class Prompts : public TUserPrompts {
public:
    TAnswer Ask(const std::string& message, bool) override {
        asked.push_back(message);
        return TAnswer::No;
    }
    void Inform(const std::string& message) override { informed.push_back(message); }
    std::vector<std::string> asked, informed;
};

class Control : public TCommandControl {
public:
    void SetEnabled(bool on) override { enabled = on; }
    void SetChecked(bool) override {}
    void SetClickHandler(std::function<void()>) override {}
    bool enabled = false;
};

std::unique_ptr<TTextChunk> Text(int lines) {
    std::string rtf =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman TIMES NEW ROMAN;}}\\pard\\f0\\fs24 ";
    for (int i = 1; i <= lines; ++i)
        rtf += "Line " + std::to_string(i) + "\\par ";
    return MakeChunk({rtf + "-\\par }"});
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct OutputTest : ::testing::Test {
    // The print form is a widget: the application comes first.
    struct TApplicationFirst {
        TApplicationFirst() { EnsureApplication(); }
    } applicationFirst;
    Prompts prompts;
    TAppLogic app{prompts};
    TPrintForm form;
    std::deque<QString> choices;
    QString status;
    TOutputContext context{form, QStringLiteral("Hillside School"), nullptr,
                           [this](const QString& s) { status = s; },
                           [this](const QString&, const QString&) {
                               QString next = choices.empty() ? QString() : choices.front();
                               if (!choices.empty()) choices.pop_front();
                               return next;
                           }};
};

} // namespace

TEST_F(OutputTest, CommandsNeedACurrentDocumentWithAnEntry) {
    Control print, scheme;
    auto printCmd = MakeCommand<TPrintCmd>(&print, nullptr, app, context);
    auto schemeCmd = MakeCommand<TCreateMarkSchemeCmd>(&scheme, nullptr, app);
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    EXPECT_FALSE(print.enabled);
    EXPECT_FALSE(scheme.enabled);
    doc.InsertTextEntry(-1, "Q", true, Text(1), 2, 0);
    EXPECT_TRUE(print.enabled);
    EXPECT_TRUE(scheme.enabled);
}

TEST_F(OutputTest, ExportAsksOnceBeforeReplacingAFileAndSaysWhereItWent) {
    QTemporaryDir dir;
    TDocLogic& doc = app.NewDocument();
    app.SetCurrentDoc(&doc);
    TExportCmd exportCmd(app, context);
    exportCmd.Execute(nullptr);
    EXPECT_EQ(prompts.informed,
              std::vector<std::string>{"There are no items in the current document to export."});

    doc.InsertTextEntry(-1, "Q", true, Text(2), 2, 0);
    const QString existing = dir.filePath("kept.rtf");
    QFile(existing).open(QIODevice::WriteOnly);
    choices = {existing, dir.filePath("answer")}; // No to the first: back to the dialog
    exportCmd.Execute(nullptr);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0], QDir::toNativeSeparators(existing).toStdString() +
                                    " exists. Do you want to overwrite it?");
    EXPECT_TRUE(Read(existing).isEmpty());
    EXPECT_TRUE(Read(dir.filePath("answer.doc")).startsWith("{\\rtf1"));
    EXPECT_EQ(status, "Exported to " + QDir::toNativeSeparators(dir.filePath("answer.doc")));

    TExportPdfCmd pdfCmd(app, context);
    choices = {dir.filePath("answer")};
    pdfCmd.Execute(nullptr);
    EXPECT_TRUE(Read(dir.filePath("answer.pdf")).startsWith("%PDF"));
}

TEST_F(OutputTest, PreviewStepsThroughThePages) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertTextEntry(-1, "Short", true, Text(3), 2, 0);
    form.Assemble(doc.Document(), context.organisation);
    {
        TPreviewForm preview(form.PrintATX(), nullptr);
        EXPECT_EQ(preview.Caption(), "Page 1 of 1  ");
        EXPECT_FALSE(preview.Button("NextB")->isEnabled());
        EXPECT_FALSE(preview.Button("PrevB")->isEnabled());
    }
    doc.InsertTextEntry(-1, "Long", true, Text(120), 2, 0);
    form.Assemble(doc.Document(), context.organisation);
    TPreviewForm preview(form.PrintATX(), nullptr);
    ASSERT_EQ(preview.PageCount(), 4); // the long text starts page 2 and runs on
    EXPECT_TRUE(preview.Button("WholeB")->isChecked());
    EXPECT_TRUE(preview.Button("NextB")->isEnabled());
    EXPECT_FALSE(preview.Button("PrevB")->isEnabled());
    preview.NextPage();
    EXPECT_EQ(preview.Caption(), "Page 2 of 4  ");
    EXPECT_TRUE(preview.Button("PrevB")->isEnabled());
    preview.NextPage();
    preview.NextPage();
    preview.NextPage(); // past the last: stays
    EXPECT_EQ(preview.CurrentPage(), 4);
    EXPECT_FALSE(preview.Button("NextB")->isEnabled());
    preview.ShowFullSize();
    EXPECT_FALSE(preview.Button("WholeB")->isChecked());
    EXPECT_EQ(preview.Preview()->size(), preview.Preview()->pixmap().size());
}

TEST_F(OutputTest, AFailedAssemblyLeavesNoHourglass) {
    TDocLogic& doc = app.NewDocument();
    doc.InsertTextEntry(-1, "Empty", true, std::make_unique<TTextChunk>(), 2, 0);
    EXPECT_THROW(form.Assemble(doc.Document(), context.organisation), EDataError);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
