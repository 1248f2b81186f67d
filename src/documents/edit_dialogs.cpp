#include "documents/edit_dialogs.h"

#include "documents/edit_form.h"
#include "documents/section_form.h"
#include "documents/title_form.h"

TEditDialogs::TEditDialogs(TAppLogic& app, const QString& organisation, QWidget* parent)
    : title(std::make_unique<TTitleForm>(app, organisation, parent)),
      section(std::make_unique<TSectionForm>(app, parent)),
      editor(std::make_unique<TEditForm>(app, parent)) {}

TEditDialogs::~TEditDialogs() = default;
