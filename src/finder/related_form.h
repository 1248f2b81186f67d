#pragma once

#include "finder/browse_commands.h"

#include <QDialog>

#include <vector>

class QPushButton;
class TSegmentListModel;
class TSegmentListView;

// "Related Information": offers the candidates of a related-text jump. OK stays
// disabled until a row has been clicked.
class TRelatedForm : public QDialog, public TRelatedChooser {
    Q_OBJECT
public:
    explicit TRelatedForm(QWidget* parent = nullptr);
    ~TRelatedForm() override;
    bool Choose(const std::vector<TTextSegment*>& candidates, TTextSegment*& chosen) override;

    TSegmentListView* List() const { return fList; }
    QPushButton* OkButton() const { return fOk; }
    QPushButton* CancelButton() const { return fCancel; }

private:
    std::vector<TTextSegment*> fItems;
    TSegmentListModel* fModel;
    TSegmentListView* fList;
    QPushButton* fOk;
    QPushButton* fCancel;
};
