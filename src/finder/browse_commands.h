#pragma once

#include "app/logic/app_command.h"

#include <vector>

class TIdentityCategory;
class TTextSegment;
class TViewManager;

// Offers several related texts and answers the one the user picked.
class TRelatedChooser {
public:
    virtual ~TRelatedChooser() = default;
    // True when the user chose one (stored in `chosen`); false on Cancel.
    virtual bool Choose(const std::vector<TTextSegment*>& candidates, TTextSegment*& chosen) = 0;
};

// A command that moves the viewer to another item and then shows the viewer.
class TBrowseCmd : public TAppCommand {
public:
    TBrowseCmd(TAppLogic& app, TViewManager& viewer, const TCommandTriggers& triggers)
        : TAppCommand(app, triggers), fViewer(viewer) {}

protected:
    void ShowViewer();

private:
    TViewManager& fViewer;
};

// Steps through the current list; stepping starts the history afresh.
class TStepCmd : public TBrowseCmd {
public:
    TStepCmd(TAppLogic& app, TViewManager& viewer, int step)
        : TBrowseCmd(app, viewer, Triggers::CurrentList), fStep(step) {}
    void Execute(void*) override;
    bool IsEnabled() const override;

private:
    int fStep;
};

class TPrevCmd : public TStepCmd {
public:
    TPrevCmd(TAppLogic& app, TViewManager& viewer) : TStepCmd(app, viewer, -1) {}
};

class TNextCmd : public TStepCmd {
public:
    TNextCmd(TAppLogic& app, TViewManager& viewer) : TStepCmd(app, viewer, +1) {}
};

class TBackCmd : public TBrowseCmd {
public:
    TBackCmd(TAppLogic& app, TViewManager& viewer) : TBrowseCmd(app, viewer, Triggers::History) {}
    void Execute(void*) override;
    bool IsEnabled() const override;
};

// A jump from the selected item to a related text. The enabled test finds the target
// identity; viewing adds the item left behind to the history, so that Back returns.
class TRelatedCmd : public TBrowseCmd {
public:
    TRelatedCmd(TAppLogic& app, TViewManager& viewer, TRelatedChooser& chooser)
        : TBrowseCmd(app, viewer, Triggers::CurrentSelection), fChooser(chooser) {}
    bool IsEnabled() const override;
    void Execute(void*) override;
    TIdentityCategory* Target() const { return fTarget; }

protected:
    // The target for the selected segment, or null when the command does not apply.
    virtual TIdentityCategory* FindTarget(const TTextSegment& s) const = 0;
    virtual void ViewTarget(const TTextSegment& s, TIdentityCategory& target) = 0;
    void View(TTextSegment* segment);
    // Offers the candidates; views the one chosen. Cancel views nothing.
    bool ChooseAndView(const std::vector<TTextSegment*>& candidates);
    // Views the target's text of `kind`, or offers that text of each related identity.
    void ViewOwnOrRelated(TIdentityCategory& target, char kind);

private:
    TRelatedChooser& fChooser;
    mutable TIdentityCategory* fTarget = nullptr;
};

// Mark scheme, report and note: the nearest identity at or above the item carrying one.
class TRelatedUpwardCmd : public TRelatedCmd {
public:
    TRelatedUpwardCmd(TAppLogic& app, TViewManager& viewer, TRelatedChooser& chooser, char kind)
        : TRelatedCmd(app, viewer, chooser), fKind(kind) {}

protected:
    TIdentityCategory* FindTarget(const TTextSegment& s) const override;
    void ViewTarget(const TTextSegment& s, TIdentityCategory& target) override;

private:
    char fKind;
};

class TRelatedMarkSchemeCmd : public TRelatedUpwardCmd {
public:
    TRelatedMarkSchemeCmd(TAppLogic& app, TViewManager& viewer, TRelatedChooser& chooser)
        : TRelatedUpwardCmd(app, viewer, chooser, 'M') {}
};

class TRelatedExaminersReportCmd : public TRelatedUpwardCmd {
public:
    TRelatedExaminersReportCmd(TAppLogic& app, TViewManager& viewer, TRelatedChooser& chooser)
        : TRelatedUpwardCmd(app, viewer, chooser, 'E') {}
};

class TRelatedNoteCmd : public TRelatedUpwardCmd {
public:
    TRelatedNoteCmd(TAppLogic& app, TViewManager& viewer, TRelatedChooser& chooser)
        : TRelatedUpwardCmd(app, viewer, chooser, 'N') {}
};

class TRelatedQuestionsCmd : public TRelatedCmd {
public:
    using TRelatedCmd::TRelatedCmd;

protected:
    TIdentityCategory* FindTarget(const TTextSegment& s) const override;
    void ViewTarget(const TTextSegment& s, TIdentityCategory& target) override;
};

class TRelatedSyllabusCmd : public TRelatedCmd {
public:
    using TRelatedCmd::TRelatedCmd;

protected:
    TIdentityCategory* FindTarget(const TTextSegment& s) const override;
    void ViewTarget(const TTextSegment& s, TIdentityCategory& target) override;
};

class TRelatedResourceCmd : public TRelatedCmd {
public:
    using TRelatedCmd::TRelatedCmd;

protected:
    TIdentityCategory* FindTarget(const TTextSegment& s) const override;
    void ViewTarget(const TTextSegment& s, TIdentityCategory& target) override;
};

// The text the single selected item stands for: a segment, a document entry's
// segment, or an identity's resource; null without a single item.
TTextSegment* SelectedText(const TAppLogic& app);
