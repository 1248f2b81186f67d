#pragma once

#include <string>
#include <vector>

class QMainWindow;
class QMdiArea;

// What the finding and viewing windows need from the main window that holds them.
class TFinderHost {
public:
    virtual ~TFinderHost() = default;
    // The frame whose right and bottom edges take docked windows.
    virtual QMainWindow* Frame() = 0;
    virtual QMdiArea* Workspace() const = 0;
    // Whether clicking a question with a resource offers to add the resource.
    virtual bool ResourcePromptOption() const = 0;
    // Resources already offered since the last New or Open, by full identifier.
    virtual std::vector<std::string>& ResourcePromptList() = 0;
    virtual void ShowHelp(int context) = 0;
};
