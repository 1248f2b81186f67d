#include "app/text_index_loader.h"

#include "config/library_open.h"
#include "model/library.h"
#include "model/text_store.h"
#include "output/richtext/end_marks.h"
#include "output/rtf/rtf_reader.h"
#include "search/library_entries.h"

#include <QTextDocument>

namespace {

std::string StoredTextToPlain(const std::string& rtf) {
    QTextDocument doc;
    LoadRtf(doc, QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    RemoveEndMarks(doc);
    return RtfDocumentPlainText(doc).toUtf8().toStdString();
}

} // namespace

TTextIndexLoader::TTextIndexLoader(TLibraryFiles files, TReady ready, TProgress progress,
                                   TFailed failed)
    : fFiles(std::move(files)), fReady(std::move(ready)), fProgress(std::move(progress)),
      fFailed(std::move(failed)) {
    Start(false);
}

TTextIndexLoader::~TTextIndexLoader() {
    fCancelled = true;
    if (fThread.joinable()) fThread.join();
}

void TTextIndexLoader::Rebuild() {
    if (fRunning) return;
    Start(true);
}

void TTextIndexLoader::Start(bool fresh) {
    if (fThread.joinable()) fThread.join();
    fRunning = true;
    fThread = std::thread([this, fresh] { Run(fresh); });
}

void TTextIndexLoader::Run(bool fresh) {
    struct TDone {
        std::atomic<bool>& running;
        ~TDone() { running = false; }
    } done{fRunning};
    try {
        const std::string path = IndexPathFor(fFiles);
        const std::string key = LibraryKey(fFiles);
        std::unique_ptr<TTextIndex> index = fresh ? nullptr : TTextIndex::OpenCurrent(path, key);
        if (!index && !fCancelled) {
            // The windows read the program's own copy of the text store; sharing its file
            // position with this thread would mix their reads.
            TOpenedLibrary opened = OpenLibraryFiles(fFiles.TextFile, fFiles.DataFile);
            std::size_t told = 0;
            index = TTextIndex::Build(path, key, LibraryEntries(*opened.Library, StoredTextToPlain),
                                      [this, &told](std::size_t count) {
                                          if (fCancelled) return false;
                                          if (count != told) {
                                              told = count;
                                              QMetaObject::invokeMethod(
                                                  this, [this, count] { fProgress(count); },
                                                  Qt::QueuedConnection);
                                          }
                                          return true;
                                      });
        }
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
