#include "finder/browse_commands.h"

#include "app/logic/app_logic.h"
#include "finder/view_manager.h"
#include "framework/errors.h"
#include "model/categories.h"
#include "model/library.h"
#include "model/segments.h"
#include "model/selector.h"

namespace {
TIdentityCategory* ParentIdentity(const TIdentityCategory* identity) {
    return identity ? dynamic_cast<TIdentityCategory*>(identity->Parent) : nullptr;
}

TIdentityCategory* SearchUpward(TIdentityCategory* start, char kind) {
    while (start && !start->SegmentFor(kind))
        start = ParentIdentity(start);
    return start;
}

// An identity's related list decides: none, the one related identity, or the
// identity itself, whose related identities the chooser then offers.
TIdentityCategory* ByRelatedList(TIdentityCategory* identity) {
    if (!identity || identity->Related.empty()) return nullptr;
    return identity->Related.size() == 1 ? identity->Related.front() : identity;
}

TTextSegment* FindResourceText(const TLibrary* library, const TIdentityCategory& resource) {
    if (!library) return nullptr;
    try {
        return library->FindSegment("R" + FullID(resource));
    } catch (const EDataError&) {
        return nullptr; // a resource identity without its text offers nothing
    }
}
} // namespace

TTextSegment* SelectedText(const TAppLogic& app) {
    TListItem item = app.SelectedItem();
    if (TTextSegment* segment = SegmentOfItem(item)) return segment;
    if (auto* identity = dynamic_cast<TIdentityCategory*>(item)) return identity->Resource.get();
    return nullptr;
}

void TBrowseCmd::ShowViewer() {
    fViewer.Show();
}

void TStepCmd::Execute(void*) {
    if (!IsEnabled()) return;
    TAppLogic& app = App();
    TItemList* list = app.CurrentList();
    app.SetCurrentList(list, app.CurrentIndex() + fStep);
    app.SelectItem(list->Item(app.CurrentIndex()), list, true);
    ShowViewer();
}

bool TStepCmd::IsEnabled() const {
    const TItemList* list = App().CurrentList();
    const int index = App().CurrentIndex();
    if (!list || index == -1) return false;
    return fStep < 0 ? index > 0 : index < list->Count() - 1;
}

void TBackCmd::Execute(void*) {
    if (!IsEnabled()) return;
    App().Back();
    ShowViewer();
}

bool TBackCmd::IsEnabled() const {
    return !App().History().empty();
}

bool TRelatedCmd::IsEnabled() const {
    const TTextSegment* s = SelectedText(App());
    fTarget = s ? FindTarget(*s) : nullptr;
    return fTarget != nullptr;
}

void TRelatedCmd::Execute(void*) {
    // The target is found afresh, so that a command run from code never acts on a
    // target left by an earlier item.
    if (!IsEnabled()) return;
    ViewTarget(*SelectedText(App()), *fTarget);
}

void TRelatedCmd::View(TTextSegment* segment) {
    if (segment) App().SelectItem(segment, nullptr, false);
}

bool TRelatedCmd::ChooseAndView(const std::vector<TTextSegment*>& candidates) {
    TTextSegment* chosen = nullptr;
    if (!fChooser.Choose(candidates, chosen) || !chosen) return false;
    View(chosen);
    return true;
}

void TRelatedCmd::ViewOwnOrRelated(TIdentityCategory& target, char kind) {
    if (TTextSegment* own = target.SegmentFor(kind)) {
        View(own);
    } else {
        std::vector<TTextSegment*> candidates;
        for (TIdentityCategory* related : target.Related)
            if (TTextSegment* text = related ? related->SegmentFor(kind) : nullptr)
                candidates.push_back(text);
        ChooseAndView(candidates);
    }
    ShowViewer();
}

TIdentityCategory* TRelatedUpwardCmd::FindTarget(const TTextSegment& s) const {
    TIdentityCategory* start = s.Kind() == fKind ? ParentIdentity(s.Identity) : s.Identity;
    return SearchUpward(start, fKind);
}

void TRelatedUpwardCmd::ViewTarget(const TTextSegment&, TIdentityCategory& target) {
    View(target.SegmentFor(fKind));
    ShowViewer();
}

TIdentityCategory* TRelatedQuestionsCmd::FindTarget(const TTextSegment& s) const {
    switch (s.Kind()) {
    case 'R':
        return s.Identity;
    case 'S':
        return ByRelatedList(s.Identity);
    case 'Q':
        return SearchUpward(ParentIdentity(s.Identity), 'Q');
    default:
        return SearchUpward(s.Identity, 'Q');
    }
}

void TRelatedQuestionsCmd::ViewTarget(const TTextSegment& s, TIdentityCategory& target) {
    if (s.Kind() != 'R') {
        ViewOwnOrRelated(target, 'Q');
        return;
    }
    const TLibrary* library = App().Library();
    if (!library) return;
    TQuestionSelector selector(*library);
    selector.SetResource(&target, true);
    const std::vector<TTextSegment*> questions(selector.Matches().begin(),
                                               selector.Matches().end());
    ChooseAndView(questions);
}

TIdentityCategory* TRelatedSyllabusCmd::FindTarget(const TTextSegment& s) const {
    switch (s.Kind()) {
    case 'S':
        return SearchUpward(ParentIdentity(s.Identity), 'S');
    case 'Q':
    case 'M':
    case 'E':
    case 'N':
        return ByRelatedList(s.Identity);
    default: // resources, free texts and edited copies have no links of their own
        return nullptr;
    }
}

void TRelatedSyllabusCmd::ViewTarget(const TTextSegment&, TIdentityCategory& target) {
    ViewOwnOrRelated(target, 'S');
}

TIdentityCategory* TRelatedResourceCmd::FindTarget(const TTextSegment& s) const {
    const auto* question = dynamic_cast<const TQuestion*>(&s);
    return question && !question->Resources.empty() ? s.Identity : nullptr;
}

void TRelatedResourceCmd::ViewTarget(const TTextSegment& s, TIdentityCategory&) {
    const auto& resources = static_cast<const TQuestion&>(s).Resources;
    const TLibrary* library = App().Library();
    if (resources.size() == 1) {
        if (resources.front()) View(FindResourceText(library, *resources.front()));
    } else {
        std::vector<TTextSegment*> candidates;
        for (const TIdentityCategory* resource : resources)
            if (TTextSegment* text = resource ? FindResourceText(library, *resource) : nullptr)
                candidates.push_back(text);
        ChooseAndView(candidates);
    }
    ShowViewer();
}
