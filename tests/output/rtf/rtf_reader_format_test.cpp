#include "output/rtf/rtf_reader.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>

namespace {
QTextDocument* Load(QTextDocument& doc, const char* rtf) {
    LoadRtf(doc, QByteArray(rtf));
    return &doc;
}

// The character format at the first occurrence of `text`.
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& text) {
    QTextCursor c = doc.find(text);
    if (c.isNull()) return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

QTextBlockFormat BlockOf(const QTextDocument& doc, const QString& text) {
    return doc.find(text).block().blockFormat();
}
} // namespace

TEST(RtfReaderFormat, CharacterFormats) {
    QTextDocument doc;
    Load(
        doc,
        R"({\rtf1\ansi{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
        R"(\f0\fs24 plain {\b bold} {\i ital} {\ul under}{\ulnone  none} {\uld dots} {\strike gone})"
        R"( {\fs40 big} {\f1 sans} {\cf1 red} {\cb2 blueback} {\super up} {\sub down})"
        R"( {\scaps smallc} {\caps capsword} {\b\plain reset} {\b0 notbold}\par})");
    EXPECT_EQ(FormatOf(doc, "plain").fontPointSize(), 12.0);
    EXPECT_EQ(FormatOf(doc, "plain").fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatOf(doc, "bold").fontWeight(), QFont::Bold);
    EXPECT_TRUE(FormatOf(doc, "ital").fontItalic());
    EXPECT_TRUE(FormatOf(doc, "under").fontUnderline());
    EXPECT_FALSE(FormatOf(doc, "none").fontUnderline());
    EXPECT_EQ(FormatOf(doc, "dots").underlineStyle(), QTextCharFormat::DotLine);
    EXPECT_TRUE(FormatOf(doc, "gone").fontStrikeOut());
    EXPECT_EQ(FormatOf(doc, "big").fontPointSize(), 20.0);
    EXPECT_EQ(FormatOf(doc, "sans").fontFamilies().toStringList().first(), "Arial");
    // Font entries with groups inside them, or without a group of their own.
    QTextDocument fonts;
    LoadRtf(fonts, R"({\rtf1{\fonttbl{\f0\froman{\*\panose 0202}Times New Roman{\*\falt Times};})"
                   R"(\f1 Courier New;\f2\fswiss Arial;}\f0 serif \f1 mono \f2 sans})");
    EXPECT_EQ(FormatOf(fonts, "serif").fontFamilies().toStringList(),
              QStringList({"Times New Roman", "Liberation Serif", "Times"}));
    EXPECT_EQ(FormatOf(fonts, "mono").fontFamilies().toStringList().first(), "Courier New");
    EXPECT_EQ(FormatOf(fonts, "sans").fontFamilies().toStringList().first(), "Arial");
    EXPECT_EQ(FormatOf(doc, "red").foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatOf(doc, "blueback").background().color(), QColor(0, 0, 255));
    EXPECT_EQ(FormatOf(doc, "up").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(FormatOf(doc, "down").verticalAlignment(), QTextCharFormat::AlignSubScript);
    EXPECT_EQ(FormatOf(doc, "smallc").fontCapitalization(), QFont::SmallCaps);
    EXPECT_EQ(FormatOf(doc, "capsword").fontCapitalization(), QFont::AllUppercase);
    EXPECT_EQ(FormatOf(doc, "reset").fontWeight(), QFont::Normal);
    EXPECT_EQ(FormatOf(doc, "notbold").fontWeight(), QFont::Normal);
    // The group ends restore the formats: text after "bold" is not bold.
    EXPECT_EQ(FormatOf(doc, " ital").fontWeight(), QFont::Normal);
}

// Texts set in "TIMES NEW ROMAN" must lay out with a face of the same metrics on
// every machine.
TEST(RtfReaderFormat, TimesNewRomanUsesAMetricCompatibleFace) {
    // Font matching needs the GUI application; it lives for this test only.
    int argc = 1;
    char arg0[] = "qb_rtf_tests";
    char* argv[] = {arg0, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (!QGuiApplication::instance()) app = std::make_unique<QGuiApplication>(argc, argv);
    QTextDocument doc;
    Load(doc, R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman\fcharset0 TIMES NEW ROMAN;}}\f0 Text\par})");
    const QTextCharFormat f = FormatOf(doc, "Text");
    EXPECT_TRUE(f.fontFamilies().toStringList().contains("Liberation Serif"));
    const QString face = QFontInfo(f.font()).family();
    EXPECT_TRUE(face == "Liberation Serif" ||
                face.compare("Times New Roman", Qt::CaseInsensitive) == 0)
        << face.toStdString();
}

TEST(RtfReaderFormat, ParagraphFormats) {
    QTextDocument doc;
    Load(doc,
         R"({\rtf1\ansi \pard\qc centre\par\pard\qr right\par\pard\qj\li1440\ri720\fi-360)"
         R"(\sb240\sa120 indented\par\pard\sl360\slmult1 onehalf\par\pard\sl-300 exact\par)"
         R"(\pard\keep\keepn kept\par\pard\tx1440\tqr\tx5000\tqc\tx3000 tabs\par)"
         R"(\pard\sb240\ATXbrdr60 boxed\par\pard\ATXbrdr0 unboxed\par\pard\box\brdrs framed\par)"
         R"(\pard\sb99999\sa31680\li-99999\ri99999 huge\par})");
    EXPECT_EQ(BlockOf(doc, "centre").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(BlockOf(doc, "right").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    const QTextBlockFormat ind = BlockOf(doc, "indented");
    EXPECT_EQ(ind.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(ind.leftMargin(), 96.0);
    EXPECT_EQ(ind.rightMargin(), 48.0);
    EXPECT_EQ(ind.textIndent(), -24.0);
    EXPECT_EQ(ind.topMargin(), 16.0);
    EXPECT_EQ(ind.bottomMargin(), 8.0);
    EXPECT_EQ(BlockOf(doc, "onehalf").lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    EXPECT_EQ(BlockOf(doc, "onehalf").lineHeight(), 150.0);
    EXPECT_EQ(BlockOf(doc, "exact").lineHeightType(), int(QTextBlockFormat::FixedHeight));
    EXPECT_EQ(BlockOf(doc, "exact").lineHeight(), 20.0);
    EXPECT_TRUE(BlockOf(doc, "kept").boolProperty(RtfProperty::KeepTogether));
    EXPECT_TRUE(BlockOf(doc, "kept").boolProperty(RtfProperty::KeepWithNext));
    EXPECT_FALSE(BlockOf(doc, "centre").boolProperty(RtfProperty::KeepTogether));
    const QList<QTextOption::Tab> tabs = BlockOf(doc, "tabs").tabPositions();
    ASSERT_EQ(tabs.size(), 3);
    EXPECT_EQ(tabs[0].position, 96.0);
    EXPECT_EQ(tabs[1].type, QTextOption::CenterTab);
    EXPECT_EQ(tabs[2].type, QTextOption::RightTab);
    EXPECT_TRUE(BlockOf(doc, "boxed").boolProperty(RtfProperty::ParagraphBorder));
    EXPECT_FALSE(BlockOf(doc, "unboxed").boolProperty(RtfProperty::ParagraphBorder));
    EXPECT_TRUE(BlockOf(doc, "framed").boolProperty(RtfProperty::ParagraphBorder));
    // Spaces and indents beyond what a page holds are cut to the page's height or width.
    const QTextBlockFormat huge = BlockOf(doc, "huge");
    EXPECT_EQ(huge.topMargin(), 16848 / 15.0);
    EXPECT_EQ(huge.bottomMargin(), 16848 / 15.0);
    EXPECT_EQ(huge.rightMargin(), 11880 / 15.0);
    EXPECT_EQ(huge.leftMargin(), 0.0);
}

// What Qt cannot show is kept in properties so that writing gives it back.
TEST(RtfReaderFormat, PropertiesForTheWriter) {
    QTextDocument doc;
    const TRtfExtras extras = LoadRtf(
        doc,
        R"({\rtf1\paperw11906\paperh16838\margl1134\margr567\margt720\margb1440\footery500)"
        R"(\pard\tqr\tldot\tx5000\tx1000\tlhyph\tx3000 tabs\par {\uldb dbl} {\ulw words} {\ulth thick} {\ul one}})");
    const QTextBlockFormat tabs = BlockOf(doc, "tabs");
    ASSERT_EQ(tabs.tabPositions().size(), 3);
    EXPECT_EQ(tabs.tabPositions()[2].type, QTextOption::RightTab);
    const QVariantList leaders = tabs.property(RtfProperty::TabLeaders).toList();
    ASSERT_EQ(leaders.size(), 3); // in position order: 1000, 3000, 5000
    EXPECT_EQ(leaders[0].toInt(), int(TRtfTabLeader::None));
    EXPECT_EQ(leaders[1].toInt(), int(TRtfTabLeader::Hyphen));
    EXPECT_EQ(leaders[2].toInt(), int(TRtfTabLeader::Dot));
    EXPECT_EQ(FormatOf(doc, "dbl").intProperty(RtfProperty::UnderlineKind),
              int(TRtfUnderlineKind::Double));
    EXPECT_EQ(FormatOf(doc, "words").intProperty(RtfProperty::UnderlineKind),
              int(TRtfUnderlineKind::Words));
    EXPECT_EQ(FormatOf(doc, "thick").intProperty(RtfProperty::UnderlineKind),
              int(TRtfUnderlineKind::Thick));
    EXPECT_FALSE(FormatOf(doc, "one").hasProperty(RtfProperty::UnderlineKind));
    EXPECT_TRUE(FormatOf(doc, "one").fontUnderline());
    EXPECT_EQ(extras.page.width, 11906);
    EXPECT_EQ(extras.page.height, 16838);
    EXPECT_EQ(extras.page.marginLeft, 1134);
    EXPECT_EQ(extras.page.marginRight, 567);
    EXPECT_EQ(extras.page.marginTop, 720);
    EXPECT_EQ(extras.page.marginBottom, 1440);
    EXPECT_EQ(extras.page.footerDistance, 500);
    QTextDocument plain;
    EXPECT_EQ(LoadRtf(plain, "{\\rtf1 x}").page.width, TRtfPage{}.width);
}

TEST(RtfReaderFormat, TitleBorderSpansOnlyTheTitleParagraph) {
    QTextDocument doc;
    LoadRtf(
        doc,
        QByteArray(
            R"({\rtf1\ansi\ansicpg1252\uc1 \deff0{\fonttbl{\f0\froman\fcharset0 TIMES NEW ROMAN;}})"
            R"(\par\pard\plain\qc\sa480\f0\fs24 Org\par\sb240\sa240\ATXbrdr60\fs52\b Title)"
            R"(\par\pard\qc\sb480\sa288\ATXbrdr0\fs36\b0 Sub\par\pard -\par\pard})"));
    EXPECT_FALSE(BlockOf(doc, "Org").boolProperty(RtfProperty::ParagraphBorder));
    EXPECT_TRUE(BlockOf(doc, "Title").boolProperty(RtfProperty::ParagraphBorder));
    EXPECT_FALSE(BlockOf(doc, "Sub").boolProperty(RtfProperty::ParagraphBorder));
    EXPECT_EQ(FormatOf(doc, "Title").fontPointSize(), 26.0);
    EXPECT_EQ(FormatOf(doc, "Title").fontWeight(), QFont::Bold);
    EXPECT_EQ(BlockOf(doc, "Title").topMargin(), 16.0);
}

TEST(RtfReaderFormat, PageAndSectionBreaks) {
    QTextDocument doc;
    Load(doc, R"({\rtf1 one\page two\par{\page}\par three\par\pard\pagebb four\par\pard)"
              R"( five\sect\sectd\sbknone six\sect\sectd seven\par\page})");
    auto breaks = [&](const char* t) {
        return BlockOf(doc, t).pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore;
    };
    EXPECT_FALSE(breaks("one"));
    EXPECT_TRUE(breaks("two"));
    EXPECT_TRUE(breaks("four"));
    EXPECT_FALSE(breaks("five"));
    EXPECT_FALSE(breaks("six"));  // a continuous section
    EXPECT_TRUE(breaks("seven")); // a section starts a new page by default
    // A break at the very end makes no empty page.
    EXPECT_NE(doc.lastBlock().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(RtfDocumentPlainText(doc), "one\ntwo\n\nthree\nfour\nfive\nsix\nseven\n");
}

TEST(RtfReaderFormat, CharactersAndCodePages) {
    // \uN with its fallback skipped by \ucN, also when the fallback is a \'hh.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc1 a\u8364\'80b\uc2\u945 xyc{\uc0\u946}d})"),
              QString::fromUtf8("a€bαcβd"));
    // A hex byte or a control word is one fallback character.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc1\u8364\'80x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc2\u8364\'e9\'e8x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc1\u8364\bullet x})"), QString::fromUtf8("€x"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc2\u8364\emdash\'e9x})"), QString::fromUtf8("€x"));
    // Control characters are dropped; the tab and the line break stay.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 a\'00b\'07c\u1?d\'7f\tab e\line f})"),
              QStringLiteral("abcd\te\nf"));
    // A group ends the skipping.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc3 {\u945}x})"), QString::fromUtf8("αx"));
    // Surrogate pairs written as two negative \u values.
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\uc0\u-10179\u-8704})"), QString::fromUtf8("😀"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\ansi \'e9\'80\'93\'94})"), QString::fromUtf8("é€“”"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0})"), QString::fromUtf8("Пр"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1{\fonttbl{\f0 A;}{\f1\fcharset238 B;}{\f2\fcharset161 C;}})"
                             R"(\f1\'8a\f2\'e1\f0\'e1})"),
              QString::fromUtf8("Šαá"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1{\fonttbl{\f0\fcharset128 M;}}\f0\'93\'fa\'96\'7b})"),
              QString::fromUtf8("日本"));
    EXPECT_EQ(RtfToPlainText(
                  R"({\rtf1 a\~b\-c\_d\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})"),
              QString::fromUtf8("a\u00a0b\u00adc\u2011d—–•‘’“”"));
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 a\tab b\line c\par d\{\}\\})"), "a\tb\nc\nd{}\\");
    EXPECT_EQ(RtfToPlainText(R"({\rtf1 shown{\v hidden}{\v0 back}})"), "shownback");
}

TEST(RtfReaderFormat, SymbolFontTextBecomesUnicode) {
    const char* rtf =
        R"({\rtf1\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fnil Symbol;}{\f2\fcharset2 MT Symbol;}})"
        R"({\f1 \'61\'62\'44\'57 \'a3\'b3\'b9\'b1\'b4\'b8\'ae\'b0\'b7 }{\f2 p}{\f1\u61538\'3f})"
        R"({\field{\*\fldinst SYMBOL 183 \\f "Symbol"}{\fldrslt }}})";
    QTextDocument doc;
    LoadRtf(doc, rtf);
    EXPECT_EQ(RtfDocumentPlainText(doc), QString::fromUtf8("αβΔΩ ≤≥≠±×÷→°• πβ•"));
    // The mapped text is shown in the body font, not in a symbol font.
    EXPECT_EQ(FormatOf(doc, QString::fromUtf8("α")).fontFamilies().toStringList().first(),
              "Times New Roman");
}

TEST(RtfReaderFormat, FooterWithPageNumberGoesToTheExtras) {
    const TRtfExtras extras = [] {
        QTextDocument doc;
        return LoadRtf(doc, R"({\rtf1{\footer\pard\plain\fs18\i Greenfield Academy\tab )"
                            R"({\field{\*\fldinst PAGE}{\fldrslt 3}}\par}Body\par})");
    }();
    EXPECT_TRUE(extras.footer.present);
    EXPECT_EQ(extras.footer.text, "Greenfield Academy\t");
    EXPECT_EQ(extras.footer.pageNumberAt, 19);
    EXPECT_EQ(extras.footer.pointSize, 9.0);
    EXPECT_TRUE(extras.footer.italic);
    EXPECT_EQ(
        RtfToPlainText(R"({\rtf1{\footer\pard\plain Foot\chpgn\par}{\header Head\par}Body\par})"),
        "Body\n");
    QTextDocument doc;
    EXPECT_FALSE(LoadRtf(doc, R"({\rtf1 Body})").footer.present);
}

TEST(RtfReaderFormat, FieldsShowTheirResultAndHyperlinksStayLinks) {
    QTextDocument doc;
    LoadRtf(
        doc,
        R"({\rtf1 See {\field{\*\fldinst {HYPERLINK "https://example.org/a b"}}{\fldrslt {\ul site}}})"
        R"( or {\field{\*\fldinst HYPERLINK \\l "mark"}{\fldrslt here}} on page )"
        R"({\field{\*\fldinst PAGE}{\fldrslt 4}}.})");
    EXPECT_EQ(RtfDocumentPlainText(doc), "See site or here on page 4.");
    const QTextCharFormat link = FormatOf(doc, "site");
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), "https://example.org/a b");
    EXPECT_EQ(FormatOf(doc, "here").anchorHref(), "#mark");
    EXPECT_FALSE(FormatOf(doc, " on").isAnchor());
}

TEST(RtfReaderFormat, DestinationsAndStyles) {
    EXPECT_EQ(RtfToPlainText(
                  R"({\rtf1{\*\unknown skipped {nested}}{\info{\title T}}{\*\generator G;})"
                  R"({\stylesheet{\s1\b\fs40 Heading;}}{\pict\wmetafile8 00}A{\*\bkmkstart x}B})"),
              "AB");
    QTextDocument doc;
    LoadRtf(doc, R"({\rtf1{\stylesheet{\s1\qc\sb240\b\fs40 Heading 1;}{\*\cs2\i Emph;}})"
                 R"(\pard\s1 Title\par\pard plain {\cs2 emph}\par})");
    EXPECT_EQ(FormatOf(doc, "Title").fontPointSize(), 20.0);
    EXPECT_EQ(FormatOf(doc, "Title").fontWeight(), QFont::Bold);
    EXPECT_EQ(BlockOf(doc, "Title").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(FormatOf(doc, "emph").fontItalic());
    EXPECT_FALSE(FormatOf(doc, "plain").fontItalic());
}

TEST(RtfReaderFormat, InsertAtTheCursorKeepsTheSurroundingText) {
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText("XY");
    cursor.setPosition(1);
    InsertRtf(cursor, R"({\rtf1 {\b a}\par b})");
    EXPECT_EQ(doc.toPlainText(), "Xa\nbY");
    EXPECT_EQ(FormatOf(doc, "a").fontWeight(), QFont::Bold);
    // Appending texts one after another, as printing does.
    QTextDocument all;
    QTextCursor end(&all);
    InsertRtf(end, R"({\rtf1 one\par -\par})");
    end.movePosition(QTextCursor::End);
    InsertRtf(end, R"({\rtf1 two\par -\par})");
    EXPECT_EQ(all.toPlainText(), "one\n-\ntwo\n-\n");
    // A selection is replaced.
    QTextDocument sel;
    QTextCursor s(&sel);
    s.insertText("abc");
    s.setPosition(1);
    s.setPosition(2, QTextCursor::KeepAnchor);
    InsertRtf(s, R"({\rtf1 Z})");
    EXPECT_EQ(sel.toPlainText(), "aZc");
}

TEST(RtfReaderFormat, NonRtfInputIsReadAsPlainText) {
    EXPECT_EQ(RtfToPlainText("first line\r\nsecond \\ line\n"), "first line\nsecond \\ line\n");
    EXPECT_EQ(RtfToPlainText(""), "");
}
