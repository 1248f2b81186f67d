#include "app/menu_layout.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {
TMenuItemSpec Sep() {
    return {"", "", nullptr, 0, false, {}};
}
TMenuItemSpec Item(const char* name, const char* caption, const char* shortcut = nullptr,
                   int help = 0, bool hidden = false) {
    return {name, caption, shortcut, help, hidden, {}};
}

void AddItems(QMenu& menu, const std::vector<TMenuItemSpec>& items,
              std::map<QString, QAction*>& actions, std::map<QString, QMenu*>* menus) {
    for (const auto& spec : items) {
        if (!*spec.name) {
            menu.addSeparator();
            continue;
        }
        QAction* action;
        if (!spec.submenu.empty()) {
            QMenu* sub = menu.addMenu(QString::fromUtf8(spec.caption));
            sub->setObjectName(spec.name);
            AddItems(*sub, spec.submenu, actions, menus);
            action = sub->menuAction();
            if (menus) (*menus)[spec.name] = sub;
        } else {
            action = menu.addAction(QString::fromUtf8(spec.caption));
        }
        action->setObjectName(spec.name);
        if (spec.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(spec.shortcut)));
        action->setProperty("helpContext", spec.helpContext);
        action->setVisible(!spec.hidden);
        actions[spec.name] = action;
    }
}
} // namespace

const std::vector<TMenuSpec>& MainMenuLayout() {
    static const std::vector<TMenuSpec> layout = {
        {"File1",
         "&File",
         161,
         false,
         {Item("New1", "&New", "Ctrl+N", 162), Item("Open1", "&Open...", "Ctrl+O", 163),
          Item("Close1", "&Close", nullptr, 164), Sep(), Item("Save1", "&Save", "Ctrl+S", 165),
          Item("SaveAs1", "Save &As...", nullptr, 166), Item("SaveAll1", "Save Al&l", nullptr, 167),
          Sep(), Item("PrintSetupM", "Print Set&up...", nullptr, 168),
          Item("PrintPreviewM", "Print Pre&view", nullptr, 169),
          Item("PrintM", "&Print...", "Ctrl+P", 170), Sep(), Item("Exit1", "E&xit", nullptr, 248)}},
        {"Edit1",
         "&Edit",
         171,
         false,
         {Item("CutM", "Cu&t", "Ctrl+X", 172),
          Item("CopyM", "&Copy", "Ctrl+C", 173),
          Item("PasteM", "&Paste", "Ctrl+V", 174),
          Item("ClearM", "Cle&ar", "Del", 175),
          Item("SelectAllM", "Select A&ll", "Ctrl+A", 176),
          Sep(),
          Item("ShowNumberM", "Show &Number", nullptr, 177),
          Sep(),
          {"Move1",
           "&Move",
           nullptr,
           178,
           false,
           {Item("MoveToTopM", "To &Top"), Item("MoveUpM", "&Up"), Item("MoveDownM", "&Down"),
            Item("MoveToBottomM", "To &Bottom")}},
          Sep(),
          Item("CopytoDocM", "Copy to &Document", "Ctrl+D", 179)}},
        {"View1",
         "&View",
         180,
         false,
         {Item("QuestionFinder1", "&Question Finder", "Ctrl+Q", 181),
          Item("Viewer1", "&Viewer", "Ctrl+W", 182),
          Sep(),
          Item("ViewMSM", "&Mark Schemes", nullptr, 183),
          Item("ViewExRepM", "Report&s", nullptr, 184),
          Item("ViewSylM", "Lin&ks", nullptr, 185),
          Sep(),
          Item("NextM", "&Next", nullptr, 186),
          Item("PrevM", "&Previous", nullptr, 187),
          Item("BackM", "&Back", "Ctrl+B", 188),
          Sep(),
          {"Related1",
           "&Related",
           nullptr,
           189,
           false,
           {Item("RelQM", "&Question"), Item("RelMSM", "&Mark Scheme"), Item("RelERM", "Report"),
            Item("RelSylM", "Link"), Item("RelNoteM", "&Notes")}}}},
        {"Insert1",
         "&Insert",
         190,
         false,
         {Item("InsertTitleM", "&Title", nullptr, 191),
          Item("InsertSectionM", "&Section", nullptr, 192),
          Item("InsertTextM", "Te&xt", nullptr, 193, true)}},
        {"Tools1",
         "&Tools",
         194,
         false,
         {Item("CreateMarkScheme1", "&Create Mark Scheme", "Ctrl+M", 195),
          Item("EditTextM", "&Edit Text...", "Ctrl+E", 196, true),
          Item("CreateReport1", "Create &Report", "Ctrl+R"),
          Item("CreateSummary1", "Create &File Index", nullptr, 0, true),
          Item("ExporttoWP2", "Exp&ort to WP"), Item("ExportPdfM", "Export to &PDF..."),
          Item("PupilLists2", "Create/Edit Student L&ists"),
          Item("AnalysisSheets2", "Create &Mark Entry Sheet")}},
        {"Window1",
         "&Window",
         0,
         false,
         {Item("Tile1", "&Tile"), Item("Cascade1", "&Cascade"),
          Item("ArrangeIcons1", "&Arrange Icons")}},
        {"Help1",
         "&Help",
         197,
         false,
         {Item("Contents1", "&Contents", nullptr, 198),
          Item("SearchforHelpon1", "&Search for Help on...", nullptr, 199),
          Item("ContextHelp1", "Conte&xt Help", "Ctrl+H", 0, true), Sep(),
          Item("AboutVantor1", "&About...", nullptr, 200)}},
        {"DebugM",
         "&Debug",
         0,
         true,
         {Item("Monitor1", "&Monitor"), Item("AddItems1", "&Add Items")}},
    };
    return layout;
}

std::map<QString, QAction*> BuildMenus(QMenuBar& bar, const std::vector<TMenuSpec>& layout,
                                       std::map<QString, QMenu*>* menus) {
    std::map<QString, QAction*> actions;
    for (const auto& spec : layout) {
        QMenu* menu = bar.addMenu(QString::fromUtf8(spec.caption));
        menu->setObjectName(spec.name);
        menu->menuAction()->setObjectName(spec.name);
        menu->menuAction()->setProperty("helpContext", spec.helpContext);
        menu->menuAction()->setVisible(!spec.hidden);
        actions[spec.name] = menu->menuAction();
        if (menus) (*menus)[spec.name] = menu;
        AddItems(*menu, spec.items, actions, menus);
    }
    return actions;
}
