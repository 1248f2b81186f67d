// Feeds files to a fuzz target without libFuzzer, so that the corpus runs as a test
// under the sanitizers with any compiler.
//   replay [--time-limit=SECONDS] PATH...   (each PATH a file or a folder of files)
// An input that runs past the time limit ends the replay with a failure naming it.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
void OnTimeLimit(int) {
    static const char kMessage[] = "\nthe input above ran past the time limit (a hang)\n";
    // Only async-signal-safe calls here.
    (void)!write(STDERR_FILENO, kMessage, sizeof(kMessage) - 1);
    _exit(3);
}
} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    unsigned timeLimit = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--time-limit=", 0) == 0) {
            timeLimit = unsigned(std::stoul(arg.substr(13)));
            continue;
        }
        fs::path p = arg;
        if (fs::is_directory(p)) {
            for (const auto& e : fs::directory_iterator(p))
                if (e.is_regular_file()) files.push_back(e.path());
        } else if (fs::is_regular_file(p)) {
            files.push_back(p);
        } else {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "nothing to replay\n");
        return 2;
    }
    std::sort(files.begin(), files.end());
    if (timeLimit > 0) std::signal(SIGALRM, OnTimeLimit);
    for (const auto& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::printf("%s (%zu bytes)\n", f.filename().c_str(), bytes.size());
        std::fflush(stdout);
        // A copy of exactly the input's size, so that reading past it is caught.
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        alarm(timeLimit);
        LLVMFuzzerTestOneInput(data.data(), data.size());
        alarm(0);
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
