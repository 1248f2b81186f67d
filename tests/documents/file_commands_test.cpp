#include "doc_window_fixture.h"

#include "framework/errors.h"

#include <fstream>

namespace {

template <class C> void RunCmd(TAppLogic& app, TFileDialogs& dialogs) {
    TCommand::Run<C>(app, dialogs);
}

} // namespace

TEST_F(DocWindowTest, ExitAsksAboutTheLastOpenedFirstAndEndsOnlyWhenNoneIsLeft) {
    TDocLogic& first = Document(1, 1);
    TDocLogic& second = Document(2, 2);
    TDocLogic& third = Document(3, 3);
    third.SaveToFile(Path("third.vqd"));
    third.InsertEntries({Seg(4)}, -1);
    int ended = 0;
    TExitCmd exit(app, dialogs, [&] { ++ended; });

    prompts.answers = {TAnswer::No, TAnswer::Cancel, TAnswer::No};
    exit.Execute(nullptr);
    EXPECT_EQ(prompts.asked,
              (std::vector<std::string>{SavePrompt("third.vqd"), SavePrompt("Untitled"),
                                        SavePrompt("Untitled")}));
    ASSERT_EQ(app.Documents(), std::vector<TDocLogic*>{&second});
    EXPECT_EQ(ended, 0);
    (void)first;

    prompts.answers = {TAnswer::No};
    exit.Execute(nullptr);
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_EQ(ended, 1);
    exit.Execute(nullptr); // nothing open: ends at once
    EXPECT_EQ(ended, 2);
    EXPECT_EQ(prompts.asked.size(), 4u);
}

TEST_F(DocWindowTest, SaveAllStopsAtTheUnnamedDocumentWhoseSaveAsIsCancelled) {
    TDocLogic& a = Document(1, 1);
    a.SaveToFile(Path("a.vqd"));
    a.InsertEntries({Seg(2)}, -1);
    TDocLogic& b = Document(3, 3);
    TDocLogic& c = Document(4, 4);
    c.SaveToFile(Path("c.vqd"));
    c.InsertEntries({Seg(5)}, -1);
    RunCmd<TSaveAllCmd>(app, dialogs);
    EXPECT_FALSE(a.Modified());
    EXPECT_TRUE(b.Modified());
    EXPECT_EQ(b.DisplayName(), "Untitled");
    EXPECT_TRUE(c.Modified());
    EXPECT_EQ(dialogs.offered, std::vector<std::string>{""});

    dialogs.names = {Path("b.vqd")};
    struct Control : TCommandControl {
        void SetEnabled(bool e) override { enabled = e; }
        void SetChecked(bool) override {}
        void SetClickHandler(std::function<void()>) override {}
        bool enabled = true;
    } item;
    auto saveAll = MakeCommand<TSaveAllCmd>(&item, nullptr, app, dialogs);
    saveAll->Execute(nullptr);
    EXPECT_FALSE(b.Modified());
    EXPECT_FALSE(c.Modified());
    EXPECT_EQ(b.DisplayName(), "b.vqd");
    EXPECT_FALSE(item.enabled);
    // A derived document arrives modified: Save All is offered at once.
    app.SetCurrentDoc(&a);
    app.CreateMarkSchemeDocument();
    EXPECT_TRUE(item.enabled);
}

TEST_F(DocWindowTest, ADocumentWhoseSaveFailsIsNeverClosed) {
    TDocLogic& doc = Document(1, 2);
    app.SetCurrentDoc(&doc);
    const std::string nowhere = Path("missing-folder/test.vqd");
    for (int round = 0; round < 3; ++round) {
        prompts.answers = {TAnswer::Yes};
        dialogs.names = {nowhere};
        if (round == 0) {
            EXPECT_THROW(RunCmd<TCloseCmd>(app, dialogs), EError);
        } else if (round == 1) {
            EXPECT_THROW(RunCmd<TCloseAllCmd>(app, dialogs), EError);
        } else {
            bool ended = false;
            TExitCmd exit(app, dialogs, [&] { ended = true; });
            EXPECT_THROW(exit.Execute(nullptr), EError);
            EXPECT_FALSE(ended);
        }
        ASSERT_EQ(app.Documents().size(), 1u) << round;
        EXPECT_TRUE(doc.Modified());
        EXPECT_EQ(doc.DisplayName(), "Untitled");
    }
    // A cancelled Save As keeps it open too; No closes it unsaved.
    prompts.answers = {TAnswer::Yes, TAnswer::No};
    RunCmd<TCloseCmd>(app, dialogs);
    EXPECT_EQ(app.Documents().size(), 1u);
    RunCmd<TCloseCmd>(app, dialogs);
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(DocWindowTest, OpeningFailsWithTheFileAndTheReasonAndOpenAsksForTheFile) {
    TDocLogic& doc = Document(1, 3);
    doc.SaveToFile(Path("kept.vqd"));
    int forgotten = 0;
    TOpenCmd open(app, dialogs, [&] { ++forgotten; });
    open.Execute(nullptr); // cancelled
    EXPECT_EQ(forgotten, 0);
    std::ofstream(Path("damaged.vqd")) << "not a document";
    for (const char* name : {"kept.vqd", "missing.vqd", "damaged.vqd"}) {
        dialogs.names = {Path(name)};
        try {
            open.Execute(nullptr);
            ADD_FAILURE() << name << " opened";
        } catch (const EError& e) {
            const std::string message = e.what();
            const auto newline = message.find('\n');
            EXPECT_EQ(message.substr(0, newline),
                      "Please check that the file is not already open, and that you have not "
                      "mis-typed the filename.");
            EXPECT_NE(message.find(Path(name), newline), std::string::npos) << message;
        }
    }
    EXPECT_EQ(app.Documents().size(), 1u);
    app.CloseDocument(doc);
    dialogs.names = {Path("kept.vqd")};
    open.Execute(nullptr);
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(app.Documents()[0]->Document().Entries.size(), 3u);
}
