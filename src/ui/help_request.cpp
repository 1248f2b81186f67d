#include "ui/help_request.h"

#include <QShortcut>
#include <QWidget>

namespace {
std::function<void(int)>& Handler() {
    static std::function<void(int)> handler;
    return handler;
}
} // namespace

void SetHelpHandler(std::function<void(int context)> handler) {
    Handler() = std::move(handler);
}

void RequestHelp(int context) {
    if (Handler()) Handler()(context);
}

void InstallHelpKey(QWidget* window, int context) {
    window->setProperty("helpContext", context);
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, window, [context] { RequestHelp(context); });
}
