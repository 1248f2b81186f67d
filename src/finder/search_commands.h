#pragma once

#include "framework/command.h"
#include "model/selector.h"

class TAppLogic;
class TCategory;
class TSet;

enum class TPickResult { StartSearch, ContinueSearch, Cancel };

// Chooses one category of a tree: the picker window, or a script in tests.
class TCategoryPicker {
public:
    virtual ~TCategoryPicker() = default;
    // Offers the tree under `root` with `choice` highlighted. On Start or Continue
    // Search, `choice` receives the highlighted category; on Cancel it is left alone.
    virtual TPickResult Execute(TCategory* root, const TSet& candidates, TCategory*& choice) = 0;
};

// Narrows or restarts the Question Finder's search on one kind of category.
class TSearchCmd : public TCommand {
public:
    TSearchCmd(TAppLogic& app, TCategoryPicker& picker, TDimension dimension)
        : fApp(app), fPicker(picker), fDimension(dimension) {}
    void Execute(void* sender) override;
    TDimension Dimension() const { return fDimension; }

private:
    TAppLogic& fApp;
    TCategoryPicker& fPicker;
    TDimension fDimension;
};
using TSearchByIdentityCmd = TSearchCmd;
using TSearchByTopicCmd = TSearchCmd;
using TSearchByQuestionTypeCmd = TSearchCmd;
using TSearchByLevelCmd = TSearchCmd;
using TSearchByPaperCmd = TSearchCmd;
using TSearchByResCmd = TSearchCmd;
