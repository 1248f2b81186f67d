#pragma once

#include "framework/observer.h"

// Codes of the view managers, a set of their own.
enum TViewCode : int { vcVisible = 1, vcDocked = 2, vcKind = 3 };

// Whether the Question Finder or the viewer is to be shown, and whether it is docked.
class TViewManager : public TObservable {
public:
    virtual void SetVisible(bool visible);
    // Notifies even when the value does not change.
    virtual void SetDocked(bool docked);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Visible() const { return fVisible; }
    bool Docked() const { return fDocked; }

protected:
    bool fVisible = false;
    bool fDocked = false;
};

// The kinds of text the text-list window shows, by kind letter.
enum class TListKind : char { None = 0, MarkScheme = 'M', ExaminersReport = 'E', Syllabus = 'S', Resource = 'R' };

// The text-list window's manager: also which kind of text it lists.
class TTSListManager : public TViewManager {
public:
    void ShowKind(TListKind kind);
    TListKind Kind() const { return fKind; }

private:
    TListKind fKind = TListKind::None;
};
