#include "output/richtext/hidden_text.h"
#include "output/richtext/print_copy.h"
#include "output/richtext/rich_text_control.h"
#include "output/rtf/rtf_reader.h"

#include "test_application.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

// The printed copy shows list markers as text and no hidden text, and the
// positions of the text still find their place in it.
TEST(PrintCopy, MarkersAsTextHiddenTextGone) {
    EnsureApplication();
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;})"
                 R"({\levelnumbers\'01;}\fi-360\li720}\listid1}})"
                 R"({\*\listoverridetable{\listoverride\listid1\ls1}})"
                 R"(\pard\ls1 First\par\pard\ls1 Second {\v note}end\par})");
    const int end = doc.find("end").selectionStart();
    std::unique_ptr<QTextDocument> copy(doc.clone());
    const TPrintPositions positions = PrepareForPrint(*copy);
    EXPECT_EQ(copy->toPlainText(), "1.\tFirst\n2.\tSecond end\n");
    EXPECT_EQ(copy->firstBlock().textList(), nullptr);
    EXPECT_EQ(copy->firstBlock().blockFormat().textIndent(), -360 / 15.0);
    EXPECT_EQ(positions.ToCopy(end), copy->find("end").selectionStart());
    EXPECT_EQ(positions.ToCopy(0), 3);
}

// Hidden text takes no room on the printed pages.
TEST(PrintCopy, HiddenTextTakesNoPages) {
    EnsureApplication();
    QByteArray rtf = R"({\rtf1 Shown{\v )";
    for (int i = 0; i < 300; ++i)
        rtf += R"(hidden line\line )";
    rtf += R"(}\par Last\par})";
    TRichTextControl control;
    control.LoadRtf(rtf);
    EXPECT_EQ(control.PageCount(), 1);
    EXPECT_EQ(control.PageOfPosition(control.Find("Last", 0)), 1);
}
