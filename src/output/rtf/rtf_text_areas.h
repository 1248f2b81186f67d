#pragma once

#include <memory>
#include <vector>

class QTextDocument;

// A text of its own beside the body: a header, a footer or a footnote. It owns its
// document; a copy is a copy of the text.
class TRtfText {
public:
    TRtfText();
    explicit TRtfText(std::unique_ptr<QTextDocument> doc);
    ~TRtfText();
    TRtfText(const TRtfText& other);
    TRtfText& operator=(const TRtfText& other);
    TRtfText(TRtfText&&) noexcept;
    TRtfText& operator=(TRtfText&&) noexcept;

    const QTextDocument& Document() const { return *doc_; }
    QTextDocument& Document() { return *doc_; }

private:
    std::unique_ptr<QTextDocument> doc_;
};

// The pages a header or footer is printed on: every page, or (with \titlepg, or
// facing pages) only the first, left or right ones.
enum class TRtfAreaPages : int { All, Left, Right, First };

struct TRtfArea {
    TRtfAreaPages pages = TRtfAreaPages::All;
    TRtfText text;
};

// The headers, footers and footnotes of a document.
struct TRtfAreas {
    std::vector<TRtfArea> headers;
    std::vector<TRtfArea> footers;
    // Footnotes in the order of their marks; a note's mark in the body is the run
    // carrying RtfProperty::NoteMark.
    std::vector<TRtfText> notes;
    // \titlepg: the first page takes the first-page header and footer (none if the
    // file gives none) instead of the others.
    bool titlePage = false;
    // \ftnrstpg: the numbers of the notes start at 1 on every page.
    bool notesRestartEachPage = false;

    // The header or footer of the page, or null.
    const TRtfText* HeaderFor(int page) const { return AreaFor(headers, page); }
    const TRtfText* FooterFor(int page) const { return AreaFor(footers, page); }
    bool Empty() const { return headers.empty() && footers.empty() && notes.empty(); }

private:
    const TRtfText* AreaFor(const std::vector<TRtfArea>& areas, int page) const;
};
