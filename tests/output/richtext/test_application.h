#pragma once

#include <QApplication>
#include <QByteArray>

// The widgets need an application object; the tests' main comes from GoogleTest, so
// the first test that needs one makes it. It lives until the process ends.
inline void EnsureApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qb_output_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // deliberately never destroyed: see above
}
