#include "ui/help_request.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
std::function<void(int)>& Handler() {
    static std::function<void(int)> handler;
    return handler;
}

// Takes F1 from the main window's own F1 key while the focus is inside the window
// part, so that the part's section opens rather than neither.
class THelpKeyFilter : public QObject {
public:
    THelpKeyFilter(QWidget* window, int context) : QObject(window), fContext(context) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        key->accept();
        if (event->type() == QEvent::KeyPress) RequestHelp(fContext);
        return true;
    }

private:
    int fContext;
};
} // namespace

void SetHelpHandler(std::function<void(int context)> handler) {
    Handler() = std::move(handler);
}

void RequestHelp(int context) {
    if (Handler()) Handler()(context);
}

void InstallHelpKey(QWidget* window, int context) {
    window->setProperty("helpContext", context);
    window->installEventFilter(new THelpKeyFilter(window, context));
}
