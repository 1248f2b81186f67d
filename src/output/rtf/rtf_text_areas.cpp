#include "output/rtf/rtf_text_areas.h"

#include <QTextDocument>

TRtfText::TRtfText() : doc_(std::make_unique<QTextDocument>()) {}
TRtfText::TRtfText(std::unique_ptr<QTextDocument> doc)
    : doc_(doc ? std::move(doc) : std::make_unique<QTextDocument>()) {}
TRtfText::~TRtfText() = default;
TRtfText::TRtfText(const TRtfText& other) : doc_(other.doc_->clone()) {}
TRtfText& TRtfText::operator=(const TRtfText& other) {
    if (this != &other) doc_.reset(other.doc_->clone());
    return *this;
}
TRtfText::TRtfText(TRtfText&& other) noexcept : doc_(std::move(other.doc_)) {
    other.doc_ = std::make_unique<QTextDocument>();
}
TRtfText& TRtfText::operator=(TRtfText&& other) noexcept {
    std::swap(doc_, other.doc_);
    return *this;
}

const TRtfText* TRtfAreas::AreaFor(const std::vector<TRtfArea>& areas, int page) const {
    const TRtfAreaPages wanted = titlePage && page == 1 ? TRtfAreaPages::First
                                 : page % 2 == 0        ? TRtfAreaPages::Left
                                                        : TRtfAreaPages::Right;
    const TRtfText* all = nullptr;
    const TRtfText* side = nullptr; // the other side's, for files that give only one
    for (const TRtfArea& a : areas) {
        if (a.pages == wanted) return &a.text;
        if (a.pages == TRtfAreaPages::All && !all) all = &a.text;
        if (a.pages != TRtfAreaPages::First && !side) side = &a.text;
    }
    // The first page of a title page shows only its own.
    if (wanted == TRtfAreaPages::First) return nullptr;
    return all ? all : side;
}
