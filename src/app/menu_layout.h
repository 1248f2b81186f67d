#pragma once

#include <QString>
#include <map>
#include <vector>

class QMenuBar;
class QAction;
class QMenu;

// One item of the main menu. An empty name is a separator.
struct TMenuItemSpec {
    const char* name;
    const char* caption;
    const char* shortcut; // QKeySequence text, or null
    int helpContext;
    bool hidden;
    std::vector<TMenuItemSpec> submenu;
};

struct TMenuSpec {
    const char* name;
    const char* caption;
    int helpContext;
    bool hidden;
    std::vector<TMenuItemSpec> items;
};

// The main window's menus, in order.
const std::vector<TMenuSpec>& MainMenuLayout();

// Fills a menu bar from the layout. Returns every menu and item by its name; items are
// QActions, menus their QMenu's menuAction(). The help context rides on each action as
// the property "helpContext".
std::map<QString, QAction*> BuildMenus(QMenuBar& bar, const std::vector<TMenuSpec>& layout,
                                       std::map<QString, QMenu*>* menus = nullptr);
