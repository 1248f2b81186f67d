#pragma once

#include "search/text_index.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// Opens or builds the full-text index of a library on a thread of its own, from its own
// copy of the library files, so that the program never waits for it. An index that is
// up to date is opened without reading the library. The callbacks run on the thread
// that created the loader. Destroying the loader abandons a build in progress and
// returns as soon as the build notices; the half-built file is removed.
class TTextIndexLoader : public QObject {
public:
    using TReady = std::function<void(std::shared_ptr<const TTextIndex>)>;
    using TProgress = std::function<void(std::size_t done)>;
    using TFailed = std::function<void(const std::string& message)>;

    TTextIndexLoader(TLibraryFiles files, TReady ready, TProgress progress, TFailed failed);
    ~TTextIndexLoader() override;
    TTextIndexLoader(const TTextIndexLoader&) = delete;
    TTextIndexLoader& operator=(const TTextIndexLoader&) = delete;

    // Builds the index afresh, not trusting the one there, as when a search found it
    // damaged. Does nothing while a build is already running.
    void Rebuild();

private:
    void Start(bool fresh);
    void Run(bool fresh);

    TLibraryFiles fFiles;
    TReady fReady;
    TProgress fProgress;
    TFailed fFailed;
    std::atomic<bool> fCancelled{false};
    std::atomic<bool> fRunning{false};
    std::thread fThread;
};
