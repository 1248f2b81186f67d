#include "app/text_index_loader.h"

#include "config/library_open.h"
#include "model/library.h"
#include "model/text_store.h"
#include "output/richtext/end_marks.h"
#include "output/rtf/rtf_reader.h"
#include "search/library_entries.h"
#include "search/text_index.h"

#include <QTextDocument>

namespace {

std::string StoredTextToPlain(const std::string& rtf) {
    QTextDocument doc;
    LoadRtf(doc, QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    RemoveEndMarks(doc);
    return RtfDocumentPlainText(doc).toUtf8().toStdString();
}

} // namespace

TTextIndexLoader::TTextIndexLoader(std::string subject, TReady ready, TProgress progress,
                                   TFailed failed)
    : fSubject(std::move(subject)), fReady(std::move(ready)), fProgress(std::move(progress)),
      fFailed(std::move(failed)) {
    fThread = std::thread([this] { Run(); });
}

TTextIndexLoader::~TTextIndexLoader() {
    fCancelled = true;
    if (fThread.joinable()) fThread.join();
}

void TTextIndexLoader::Run() {
    try {
        // The windows read the program's own copy of the text store; sharing its file
        // position with this thread would mix their reads.
        TOpenedLibrary opened = OpenLibrary(fSubject);
        const TLibraryFiles files{opened.Config.LibFilename, opened.Config.TextFilename};
        std::unique_ptr<TTextIndex> index = TTextIndex::OpenOrBuild(
            files, LibraryEntries(*opened.Library, StoredTextToPlain), [this](std::size_t done) {
                if (fCancelled) return false;
                QMetaObject::invokeMethod(
                    this, [this, done] { fProgress(done); }, Qt::QueuedConnection);
                return true;
            });
        if (!index || fCancelled) return;
        std::shared_ptr<const TTextIndex> shared(std::move(index));
        QMetaObject::invokeMethod(
            this, [this, shared] { fReady(shared); }, Qt::QueuedConnection);
    } catch (const std::exception& e) {
        QMetaObject::invokeMethod(
            this, [this, message = std::string(e.what())] { fFailed(message); },
            Qt::QueuedConnection);
    }
}
