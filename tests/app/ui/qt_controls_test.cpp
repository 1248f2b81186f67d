#include "ui/qt_controls.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "qb_controls_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// A toggle that may refuse or fail instead.
class ToggleCmd : public TCommand {
public:
    enum class Mode { Toggle, Refuse, Fail };
    void Execute(void*) override {
        if (mode == Mode::Refuse) return;
        if (mode == Mode::Fail) throw std::runtime_error("Cannot do that now");
        on = !on;
        UpdateState();
    }
    bool IsChecked() const override { return on; }
    Mode mode = Mode::Toggle;
    bool on = false;
};

} // namespace

TEST(CommandControls, ShowOnlyTheCheckedStateTheCommandLeftAfterAClick) {
    EnsureApp();
    QAction action(QStringLiteral("Dock"));
    action.setCheckable(true);
    QToolButton button;
    button.setCheckable(true);
    TActionControl item(&action);
    TButtonControl tool(&button);
    auto cmd = MakeCommand<ToggleCmd>(&item, &tool);

    action.trigger();
    EXPECT_TRUE(action.isChecked());
    EXPECT_TRUE(button.isChecked());

    cmd->mode = ToggleCmd::Mode::Refuse;
    action.trigger();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(action.isChecked());
    EXPECT_TRUE(button.isChecked());

    // The error box is modal; dismiss it once it shows.
    cmd->mode = ToggleCmd::Mode::Fail;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        if (i == 0)
            action.trigger();
        else
            QTest::mouseClick(&button, Qt::LeftButton);
    }
    EXPECT_TRUE(action.isChecked());
    EXPECT_TRUE(button.isChecked());

    cmd->mode = ToggleCmd::Mode::Toggle;
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(action.isChecked());
    EXPECT_FALSE(button.isChecked());
}
