#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

// A property that must hold for every input the reader accepts. Failing it is a bug in
// the readers or writers, so the fuzzer must stop and keep the input.
#define QB_FUZZ_CHECK(cond)                                                                        \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// With QB_FUZZ_VERBOSE set (for looking at a corpus), says why an input was refused.
inline void NoteRefused(const std::exception& e) {
    static const bool verbose = std::getenv("QB_FUZZ_VERBOSE") != nullptr;
    if (verbose) std::fprintf(stderr, "  refused: %s\n", e.what());
}

inline std::string AsString(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Cheap deterministic choices drawn from the input, so that what a target exercises
// after a successful read varies with the bytes.
class TInputChoice {
public:
    TInputChoice(const std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            fState = (fState ^ data[i]) * 1099511628211ULL;
    }
    std::size_t Below(std::size_t n) {
        fState = fState * 6364136223846793005ULL + 1442695040888963407ULL;
        return n ? static_cast<std::size_t>((fState >> 33) % n) : 0;
    }

private:
    std::uint64_t fState = 14695981039346656037ULL;
};
