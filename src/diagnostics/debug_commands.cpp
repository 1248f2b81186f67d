#include "diagnostics/debug_commands.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"
#include "diagnostics/monitor_form.h"
#include "framework/errors.h"
#include "model/library.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

void TDebugMonitorCmd::Execute(void*) {
    fMonitor.setWindowState(fMonitor.windowState() & ~Qt::WindowMinimized);
    fMonitor.show();
    fMonitor.raise();
    fMonitor.activateWindow();
}

TDebugAddItemsCmd::TDebugAddItemsCmd(TAppLogic& app, TAskFn ask, TWarnFn warn)
    : TAppCommand(app, Triggers::CurrentDoc), fAsk(std::move(ask)), fWarn(std::move(warn)) {
    if (!fAsk)
        fAsk = []() -> std::optional<std::string> {
            bool ok = false;
            const QString id =
                QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("Add Item"),
                                      QStringLiteral("Enter the ID of the text segment to add"),
                                      QLineEdit::Normal, QString(), &ok);
            if (!ok) return std::nullopt;
            return ToCp1252(id.trimmed());
        };
    if (!fWarn)
        fWarn = [](const std::string& message) {
            QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Add Item"),
                                 QString::fromStdString(message), QMessageBox::Ok);
        };
}

bool TDebugAddItemsCmd::IsEnabled() const {
    return App().CurrentDoc() != nullptr;
}

void TDebugAddItemsCmd::Execute(void*) {
    while (const auto id = fAsk()) {
        // The document may have closed while the question was open.
        TDocLogic* doc = App().CurrentDoc();
        if (!doc || !App().Library()) return;
        try {
            TTextSegment* segment = App().Library()->FindSegment(*id);
            doc->InsertEntries({segment}, -1);
        } catch (const EDataError& e) {
            fWarn(e.what());
        }
    }
}
