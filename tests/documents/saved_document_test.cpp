#include "doc_window_fixture.h"

#include "config/library_open.h"

#include <cstdio>

namespace {
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        ::pclose(p);
    }
    return out;
}
} // namespace

// What the windows save, the command-line tool reads back: the entries in the order the
// user left them, numbered, with a typed text kept in the file.
TEST_F(DocWindowTest, TheCommandLineToolReadsASavedDocumentAsTheWindowShowedIt) {
    const std::string sample = QB_BINARY_DIR "/data/sample";
    TOpenedLibrary opened = OpenLibrary("Sample", sample + "/vantor32.ini");
    app.SetLibrary("Sample", std::move(opened.Store), std::move(opened.Library));
    TDocLogic& doc = app.NewDocument();
    TDocForm* form = Window(doc);
    app.SetSelection({app.Library()->FindSegment("Q3"), app.Library()->FindSegment("Q1")}, nullptr);
    form->List()->Dropped(false, -1);
    doc.InsertTextEntry(0, "Mock test", false,
                        MakeChunk({"{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fcharset0 TIMES NEW "
                                   "ROMAN;}}\\f0 Mock test\\par -\\par}"}),
                        0, 0);
    app.SetCurrentDoc(&doc);
    dialogs.names = {Path("Mock test.vqd")};
    TCommand::Run<TSaveCmd>(app, dialogs);
    ASSERT_FALSE(doc.Modified());
    EXPECT_EQ(form->windowTitle(), "Mock test.vqd");

    const std::string json =
        Output("'" QB_BINARY_DIR "/tools/qbtool/qbtool' doc Sample '" + Path("Mock test.vqd") +
               "' --ini '" + sample + "/vantor32.ini'");
    auto at = [&](const char* text) { return json.find(text); };
    ASSERT_NE(at("\"library\": \"Sample\""), std::string::npos) << json;
    const auto text = at("\"title\": \"Mock test\"");
    const auto q3 = at("\"id\": \"Q3\"");
    const auto q1 = at("\"id\": \"Q1\"");
    ASSERT_NE(text, std::string::npos) << json;
    ASSERT_NE(q3, std::string::npos) << json;
    ASSERT_NE(q1, std::string::npos) << json;
    EXPECT_LT(text, q3);
    EXPECT_LT(q3, q1);
    EXPECT_NE(at("\"number\": 2"), std::string::npos) << json;
    EXPECT_NE(json.find("\"hasText\": true", text), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "~temp.vqd"));
}
