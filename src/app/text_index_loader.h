#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class TTextIndex;

// Opens or builds the full-text index of a subject's library on a thread of its own,
// from its own copy of the library files, so that the program never waits for it.
// The callbacks run on the thread that created the loader. Destroying the loader
// abandons a build in progress and returns as soon as the build notices.
class TTextIndexLoader : public QObject {
public:
    using TReady = std::function<void(std::shared_ptr<const TTextIndex>)>;
    using TProgress = std::function<void(std::size_t done)>;
    using TFailed = std::function<void(const std::string& message)>;

    TTextIndexLoader(std::string subject, TReady ready, TProgress progress, TFailed failed);
    ~TTextIndexLoader() override;
    TTextIndexLoader(const TTextIndexLoader&) = delete;
    TTextIndexLoader& operator=(const TTextIndexLoader&) = delete;

private:
    void Run();

    std::string fSubject;
    TReady fReady;
    TProgress fProgress;
    TFailed fFailed;
    std::atomic<bool> fCancelled{false};
    std::thread fThread;
};
