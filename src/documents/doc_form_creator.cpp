#include "documents/doc_form_creator.h"

#include "app/logic/app_logic.h"
#include "app/logic/codes.h"
#include "documents/doc_form.h"

#include <QMdiArea>
#include <QTimer>

namespace {
const QSize kFallbackSize(360, 300);
}

TDocFormCreator::TDocFormCreator(TAppLogic& app, TFileDialogs& dialogs, QMdiArea& workspace,
                                 std::function<QSize()> windowSize)
    : fApp(app), fDialogs(dialogs), fWorkspace(workspace), fWindowSize(std::move(windowSize)) {
    fApp.AddObserver(MakeHandler<&TDocFormCreator::Changed>(this));
}

TDocFormCreator::~TDocFormCreator() {
    fApp.RemoveObserver(MakeHandler<&TDocFormCreator::Changed>(this));
}

void TDocFormCreator::Changed(TObservable*, const TCodeSet& codes) {
    if (!codes.Has(ncDocCreate) || fApp.Documents().empty()) return;
    QSize size = fWindowSize ? fWindowSize() : QSize();
    if (!size.isValid() || size.isEmpty()) size = kFallbackSize;
    auto* form = new TDocForm(fApp, fDialogs, size);
    fWorkspace.addSubWindow(form);
    form->resize(size);
    form->show();
    fNewest = form;
    // A new document becomes current once its window is active. That is done after
    // this notification has reached every observer: a notification sent from inside
    // another ends the outer one's pass.
    // Unless something made it current in the meantime (the first showing does, before
    // it gives the Question Finder the focus).
    QTimer::singleShot(0, form, [form, app = &fApp, area = &fWorkspace] {
        if (form->DocLogic() && app->CurrentDoc() != form->DocLogic())
            area->setActiveSubWindow(form);
    });
}
