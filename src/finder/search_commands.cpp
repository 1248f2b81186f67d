#include "finder/search_commands.h"

#include "app/logic/app_logic.h"
#include "framework/collections.h"

void TSearchCmd::Execute(void*) {
    TQuestionSelector* selector = fApp.Selector();
    if (!selector) return;
    TCategory* root = selector->Root(fDimension);
    if (!root) return;
    TCategory* choice = selector->Current(fDimension);
    const std::unique_ptr<TSet> candidates = selector->Available(fDimension);
    const TPickResult result = fPicker.Execute(root, *candidates, choice);
    if (result == TPickResult::Cancel || !choice) return;
    selector->Set(fDimension, choice, result == TPickResult::StartSearch);
}
