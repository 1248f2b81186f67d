#include "output/richtext/text_streamer.h"

#include "framework/errors.h"
#include "model/text_store.h"
#include "output/richtext/rich_text_control.h"

#include <QByteArray>

void TTextStreamer::LoadInto(TTextChunk& chunk) {
    chunk_ = &chunk;
    lineIndex_ = 0;
    const TTextChunk::Lines& lines = chunk.GetLines();
    if (lines.empty()) throw EDataError("The text cannot be shown: it holds no lines.");
    const std::string& line = lines[std::size_t(lineIndex_)];
    control_.LoadRtf(QByteArray(line.data(), qsizetype(line.size())));
}

void TTextStreamer::SaveFrom(TTextChunk& chunk) {
    chunk_ = &chunk;
    lineIndex_ = 0;
    const QByteArray rtf = control_.GetRtf();
    chunk.GetLines().emplace_back(rtf.constData(), std::size_t(rtf.size()));
}
