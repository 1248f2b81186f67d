// libFuzzer target for the RTF reader: any bytes must read without a crash, a
// hang or runaway memory.
#include "output/rtf/rtf_reader.h"

#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray rtf(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    LoadRtf(doc, rtf);
    (void)RtfDocumentPlainText(doc);
    return 0;
}
