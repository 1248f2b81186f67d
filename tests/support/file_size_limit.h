#pragma once

#include <csignal>
#include <sys/resource.h>

// While it lives, every write past `bytes` into any file fails as on a full disk
// (EFBIG instead of the signal that would end the process).
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &fOld);
        fOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = fOld;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &fOld);
        std::signal(SIGXFSZ, fOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit fOld{};
    void (*fOldHandler)(int) = SIG_DFL;
};
