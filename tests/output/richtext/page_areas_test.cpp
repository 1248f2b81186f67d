#include "output/richtext/rich_text_control.h"

#include "test_application.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {
// A page as the text printed on it: each line's text by its height on the page (in
// points from the top edge), the runs of one line joined.
using TPrinted = std::map<int, QString>;

class TTextRecorder : public QPaintDevice {
public:
    TPrinted lines;
    std::vector<QRectF> pictures; // where pictures were drawn, in points

    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmWidthMM:
            return 600;
        case PdmHeight:
        case PdmHeightMM:
            return 850;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class TEngine : public QPaintEngine {
    public:
        TEngine(TPrinted& lines, std::vector<QRectF>& pictures)
            : QPaintEngine(AllFeatures), lines_(lines), pictures_(pictures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override {
            pictures_.push_back(state->transform().mapRect(r));
        }
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QPointF at = state->transform().map(p);
            lines_[int(std::lround(at.y()))] += item.text();
        }
        Type type() const override { return User; }

    private:
        TPrinted& lines_;
        std::vector<QRectF>& pictures_;
    };
    mutable TEngine engine_{lines, pictures};
};

// The page printed at one unit per point of an A4 page.
void Print(const TRichTextControl& control, int page, TTextRecorder& recorder) {
    QPainter painter(&recorder);
    const QSizeF inches = control.PageSizeInches();
    control.PrintPage(painter, page, QRectF(0, 0, inches.width() * 72, inches.height() * 72));
}

TPrinted Print(const TRichTextControl& control, int page) {
    TTextRecorder recorder;
    Print(control, page, recorder);
    return recorder.lines;
}

// The height of the first line holding `text`, or -1.
int LineOf(const TPrinted& printed, const QString& text) {
    for (const auto& [y, line] : printed)
        if (line.contains(text)) return y;
    return -1;
}

const QByteArray kA4 = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                       "\\paperw11906\\paperh16838\\margl1440\\margr1440\\margt1440\\margb1440";

// `count` body paragraphs of 20 points each, "line N."; `notes` puts a footnote of
// `noteLines` lines after the line of that number.
QByteArray Lines(int count, int noteAt = -1, int noteLines = 1) {
    QByteArray rtf = kA4;
    for (int i = 0; i < count; ++i) {
        rtf += "\\pard\\sl-400 line " + QByteArray::number(i) + ".";
        if (i == noteAt) {
            rtf += "{\\super\\chftn}{\\footnote\\pard\\sl-400{\\super\\chftn} note";
            for (int n = 1; n < noteLines; ++n)
                rtf += "\\par more";
            rtf += "}";
        }
        rtf += "\\par ";
    }
    return rtf + "}";
}

class PageAreasTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        owned = std::make_unique<TRichTextControl>();
    }
    std::unique_ptr<TRichTextControl> owned;
    TRichTextControl& control() { return *owned; }
};
} // namespace

TEST_F(PageAreasTest, HeadersAndFootersShowThePrintedPage) {
    control().LoadRtf(kA4 + "\\titlepg{\\headerf\\pard Title page\\par}"
                            "{\\header\\pard Head {\\field{\\*\\fldinst PAGE}{\\fldrslt 9}}\\par}"
                            "{\\footer\\pard Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 9}} of "
                            "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 9}}\\par}"
                            "\\pard One.\\par\\page Two.\\par\\page Three.\\par}");
    control().SetPage(control().DocumentPage());
    ASSERT_EQ(control().PageCount(), 3);

    const TPrinted first = Print(control(), 1);
    EXPECT_GE(LineOf(first, "Title page"), 0);
    EXPECT_EQ(LineOf(first, "Head"), -1);
    EXPECT_EQ(LineOf(first, "Page"), -1); // a title page without a footer of its own

    const TPrinted second = Print(control(), 2);
    const int head = LineOf(second, "Head 2");
    const int body = LineOf(second, "Two.");
    const int foot = LineOf(second, "Page 2 of 3");
    // The header half an inch down, the body at the top margin, the footer's foot
    // half an inch above the bottom edge.
    EXPECT_NEAR(head, 36 + 11, 3);
    EXPECT_NEAR(body, 72 + 11, 3);
    EXPECT_NEAR(foot, 842 - 36 - 3, 3);
    EXPECT_GE(LineOf(Print(control(), 3), "Page 3 of 3"), 0);
}

TEST_F(PageAreasTest, ATallHeaderPushesTheBodyDown) {
    control().LoadRtf(kA4 +
                      "{\\header\\pard\\sl-400 one\\par two\\par three\\par}\\pard Body.\\par}");
    control().SetPage(control().DocumentPage());
    const TPrinted page = Print(control(), 1);
    // Three lines of 20 points from half an inch down end at 96 points, past the
    // one-inch margin; the body follows them.
    EXPECT_GT(LineOf(page, "Body."), 96);
    EXPECT_LT(LineOf(page, "Body."), 96 + 20);
}

// Also in a text that has columns further on, which is laid out as sections.
TEST_F(PageAreasTest, ANotePrintsAtTheFootOfItsMarksPage) {
    for (const QByteArray tail : {"", "\\sect\\sectd\\sbknone\\cols2 two columns.\\par"}) {
        SCOPED_TRACE(tail.toStdString());
        const auto load = [&](const QByteArray& rtf) {
            control().Clear();
            control().LoadRtf(rtf.chopped(1) + tail + "}");
            control().SetPage(control().DocumentPage());
        };
        load(Lines(40));
        const int withoutNotes = control().PageOfPosition(control().Find("line 33.", 0));

        load(Lines(40, 2, 3));
        TPrinted first = Print(control(), 1);
        const int note = LineOf(first, "note");
        EXPECT_GT(note, LineOf(first, "line 30."));
        EXPECT_LT(note, 842 - 72);
        EXPECT_GT(LineOf(first, "more"), note);
        // The note's three lines and its rule take the room of three lines of the body.
        EXPECT_EQ(withoutNotes, 1);
        EXPECT_GE(LineOf(first, "line 30."), 0);
        EXPECT_EQ(LineOf(first, "line 31."), -1);

        // A mark on the page's last line whose note cannot fit there goes on with it.
        load(Lines(40, 33, 1));
        first = Print(control(), 1);
        EXPECT_GE(LineOf(first, "line 32."), 0);
        EXPECT_EQ(LineOf(first, "line 33."), -1);
        EXPECT_EQ(LineOf(first, "note"), -1);
        const TPrinted second = Print(control(), 2);
        EXPECT_GE(LineOf(second, "line 33."), 0);
        EXPECT_GT(LineOf(second, "note"), LineOf(second, "line 39."));
    }
}

TEST_F(PageAreasTest, TextsPutTogetherKeepEachTheirNote) {
    // As a test document is assembled: one text after another into the control,
    // each numbering its own notes from 1.
    for (const char* note : {"first note", "second note"}) {
        control().LoadRtf(QByteArray("{\\rtf1\\ansi Question{\\super\\chftn}"
                                     "{\\footnote\\chftn  ") +
                          note + "}\\par}");
    }
    ASSERT_EQ(control().Areas().notes.size(), 2u);
    const TPrinted page = Print(control(), 1);
    const int first = LineOf(page, "1 first note");
    EXPECT_GE(first, 0);
    EXPECT_GT(LineOf(page, "2 second note"), first);
    // The second mark, raised above its line, shows its number in the document.
    EXPECT_TRUE(std::any_of(page.begin(), page.end(),
                            [](const auto& line) { return line.second == "2"; }));
}

// A picture no text wraps around takes no room: its paragraph is as tall as an empty
// one in its font, and the picture is drawn at its offset from the top of its
// paragraph and from its character (past the indent), kept on the paper.
TEST_F(PageAreasTest, AFloatingPictureTakesNoRoom) {
    const auto rtf = [](const QByteArray& picture, int top) {
        return kA4 +
               "\\pard\\sl-400 line A.\\par\\pard\\li1440\\fs40 {\\shp{\\*\\shpinst\\shpleft0"
               "\\shptop" +
               QByteArray::number(top) +
               "\\shpright2000\\shpbottom0\\shpwr3{\\sp{\\sn posrelh}{\\sv 3}}"
               "{\\sp{\\sn pib}{\\sv " +
               picture + "}}}}\\par\\pard\\sl-400 line B.\\par}";
    };
    control().LoadRtf(rtf("", -400));
    control().SetPage(control().DocumentPage());
    const int after = LineOf(Print(control(), 1), "line B.");
    const QByteArray pict =
        "{\\pict\\pngblip 89504e470d0a1a0a0000000d494844520000000100000001080200"
        "0000907753de0000000c49444154789c63f8cfc0000003010100c9fe92ef000000"
        "0049454e44ae426082}";
    for (int top : {-400, -3000}) {
        owned = std::make_unique<TRichTextControl>();
        control().LoadRtf(rtf(pict, top));
        control().SetPage(control().DocumentPage());
        TTextRecorder recorder;
        Print(control(), 1, recorder);
        EXPECT_EQ(LineOf(recorder.lines, "line B."), after);
        ASSERT_EQ(recorder.pictures.size(), 1u);
        // The paragraph starts 20 points below the one-inch margin.
        const double expectedTop = std::max(0.0, 72 + 20 + top / 20.0);
        EXPECT_NEAR(recorder.pictures[0].top(), expectedTop, 0.5) << top;
        EXPECT_NEAR(recorder.pictures[0].left(), 72 + 72, 0.5);
        EXPECT_NEAR(recorder.pictures[0].width(), 100, 0.5);
    }
}

// A logo floating in the header stands over the page and leaves the header as tall
// as its text.
TEST_F(PageAreasTest, AFloatingPictureInTheHeaderTakesNoRoom) {
    const QByteArray pict =
        "{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright2000\\shpbottom4000\\shpwr3{\\sp{\\sn pib}"
        "{\\sv {\\pict\\pngblip 89504e470d0a1a0a0000000d494844520000000100000001080200"
        "0000907753de0000000c49444154789c63f8cfc0000003010100c9fe92ef000000"
        "0049454e44ae426082}}}}}";
    int body[2];
    for (int withPicture = 0; withPicture < 2; ++withPicture) {
        owned = std::make_unique<TRichTextControl>();
        control().LoadRtf(kA4 + "{\\header\\pard " + (withPicture ? pict : "") +
                          "Head\\par}\\pard Body.\\par}");
        control().SetPage(control().DocumentPage());
        TTextRecorder recorder;
        Print(control(), 1, recorder);
        body[withPicture] = LineOf(recorder.lines, "Body.");
        EXPECT_EQ(recorder.pictures.size(), std::size_t(withPicture));
    }
    EXPECT_EQ(body[1], body[0]);
}
