#pragma once

#include <QString>

#include <memory>

class QWidget;
class TAppLogic;
class TEditForm;
class TSectionForm;
class TTitleForm;

// The title, section and text dialogs, made once with the main window and reused.
struct TEditDialogs {
    TEditDialogs(TAppLogic& app, const QString& organisation, QWidget* parent);
    ~TEditDialogs();

    std::unique_ptr<TTitleForm> title;
    std::unique_ptr<TSectionForm> section;
    std::unique_ptr<TEditForm> editor;
};
