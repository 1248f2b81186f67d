#include "app/logic/status_text.h"

#include "app/logic/app_logic.h"
#include "app/logic/doc_logic.h"

#include <cstdio>

namespace {
std::string Format(const char* pattern, int a, int b = 0) {
    char buf[96];
    std::snprintf(buf, sizeof buf, pattern, a, b);
    return buf;
}

std::string ListName(const TAppLogic& app) {
    TItemList* list = app.CurrentList();
    if (app.CurrentDoc() && list == &app.CurrentDoc()->EntryList())
        return app.CurrentDoc()->DisplayName();
    if (list == app.SelectorList()) return "Question Finder";
    return "Text List";
}
} // namespace

std::string BuildStatusText(const TAppLogic& app) {
    const auto& selection = app.Selection();
    if (selection.empty()) return {};
    std::string text;
    std::int32_t marks = 0, time = 0;
    auto add = [&](TListItem item) {
        if (TTextSegment* s = SegmentOfItem(item)) {
            marks += s->Marks;
            time += s->Time;
        }
    };
    TItemList* list = app.CurrentList();
    int index = app.CurrentIndex();
    if (selection.size() == 1 && list && index != -1 && index < list->Count() &&
        list->Item(index) == selection.front()) {
        text = Format("  Item %d of %d in ", index + 1, list->Count()) + ListName(app);
        for (int i = 0; i < list->Count(); ++i) add(list->Item(i));
    } else {
        text = selection.size() == 1 ? "1 item" : Format("  %d items", static_cast<int>(selection.size()));
        for (TListItem item : selection) add(item);
    }
    if (marks > 0) text += Format(", total marks: %d", marks);
    if (time > 0) text += Format(", time allowed: %d min", time);
    return text;
}
