#include "app/text_index_loader.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "qb_app_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// On the sample library, in a cache folder of its own.
TEST(TextIndexLoader, LeavesNoHalfIndexWhenStoppedAndRebuildsOnRequest) {
    EnsureApplication();
    const TLibraryFiles files{QB_BINARY_DIR "/data/sample/library.dat",
                              QB_BINARY_DIR "/data/sample/texts.dat"};
    if (!fs::exists(files.DataFile)) GTEST_SKIP() << "the sample library is not built";
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    int ready = 0;
    auto make = [&] {
        return std::make_unique<TTextIndexLoader>(
            files, [&](std::shared_ptr<const TTextIndex> index) { ready += index != nullptr; },
            [](std::size_t) {}, [](const std::string& message) { ADD_FAILURE() << message; });
    };

    // Stopped at once, as when the program closes during the build: what is left is
    // either nothing or a whole index, never the temporary file.
    make().reset();
    const std::string path = IndexPathFor(files);
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path(), none))
        EXPECT_EQ(entry.path().string(), path);
    if (fs::exists(path)) {
        EXPECT_TRUE(TTextIndex::OpenCurrent(path, LibraryKey(files)));
    }

    auto loader = make();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready == 1; }, 30000));
    const auto built = fs::last_write_time(path);
    loader->Rebuild(); // a search found it damaged: not trusted, built again
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready == 2; }, 30000));
    EXPECT_NE(fs::last_write_time(path), built);
    loader.reset();
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace
