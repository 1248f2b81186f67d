#pragma once

#include <QApplication>

#include <memory>

// Qt needs an application object for fonts and widgets; a command run from the
// terminal makes its own, on the offscreen platform when there is no display.
class TQtSession {
public:
    TQtSession() {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[7] = "qbtool";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};
