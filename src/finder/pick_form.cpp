#include "finder/pick_form.h"

#include "app/logic/app_logic.h"
#include "finder/pick_model.h"
#include "framework/collections.h"
#include "model/library.h"
#include "model/selector.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum : int { kCancelCode = 0, kStartCode = 1, kContinueCode = 2 };

// The two listing glyphs: letters over a downward arrow, and an indented outline.
QIcon ListingIcon(bool alphabetical) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    if (alphabetical) {
        QFont f;
        f.setPixelSize(7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(0, 0, 9, 8), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRect(0, 8, 9, 8), Qt::AlignCenter, QStringLiteral("Z"));
        p.drawLine(12, 2, 12, 13);
        p.drawLine(10, 11, 12, 13);
        p.drawLine(14, 11, 12, 13);
    } else {
        p.fillRect(1, 2, 6, 2, Qt::black);
        p.drawLine(2, 4, 2, 12);
        p.drawLine(2, 8, 5, 8);
        p.drawLine(2, 12, 5, 12);
        p.fillRect(6, 7, 8, 2, Qt::darkBlue);
        p.fillRect(6, 11, 8, 2, Qt::darkBlue);
    }
    return QIcon(pixmap);
}

QToolButton* ListingButton(QWidget* parent, const char* name, const QString& hint, bool alpha) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setFixedSize(25, 25);
    b->setIcon(ListingIcon(alpha));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    return b;
}

QPushButton* DialogButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // The default button follows the rules below, not the focus.
    b->setAutoDefault(false);
    return b;
}

} // namespace

TPickForm::TPickForm(TAppLogic& app, std::function<void(int)> showHelp, QWidget* parent)
    : QDialog(parent), fApp(app), fShowHelp(std::move(showHelp)) {
    setWindowTitle(QStringLiteral("Search"));
    setObjectName(QStringLiteral("PickForm"));
    setProperty("helpContext", kHelpContext);
    resize(320, 238);

    fModel = new TPickModel(this);
    fList = new QListView(this);
    fList->setObjectName(QStringLiteral("CategoriesLB"));
    fList->setAccessibleName(QStringLiteral("Categories"));
    fList->setUniformItemSizes(true);
    fList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fList->setSelectionMode(QAbstractItemView::SingleSelection);
    fList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fList->setModel(fModel);
    fList->setItemDelegate(new TPickDelegate(fList));
    fList->installEventFilter(this);

    fAlpha = ListingButton(this, "AlphaB", QStringLiteral("List alphabetically"), true);
    fOutline = ListingButton(this, "OutlineB", QStringLiteral("List hierarchically"), false);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    group->addButton(fAlpha);
    group->addButton(fOutline);
    fOutline->setChecked(true);

    fStart = DialogButton(this, "StartB", QStringLiteral("&Start Search"));
    fContinue = DialogButton(this, "ContinueB", QStringLiteral("Con&tinue Search"));
    fCancel = DialogButton(this, "CancelB", QStringLiteral("&Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(fAlpha);
    buttons->addWidget(fOutline);
    buttons->addStretch(1);
    buttons->addWidget(fStart);
    buttons->addWidget(fContinue);
    buttons->addWidget(fCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(fList, 1);
    layout->addLayout(buttons);

    connect(fStart, &QPushButton::clicked, this, [this] { done(kStartCode); });
    connect(fContinue, &QPushButton::clicked, this, [this] { done(kContinueCode); });
    connect(fCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(group, &QButtonGroup::buttonClicked, this, [this] { Refill(); });
    connect(fList, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        fModel->Toggle(index.row());
        UpdateButtons();
    });
    connect(fList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        fChoice = Highlighted();
        UpdateButtons();
    });
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (fShowHelp) fShowHelp(kHelpContext);
    });
}

TPickForm::~TPickForm() = default;

void TPickForm::Prepare(TCategory* root, const TSet& candidates, TCategory* choice) {
    fRoot = root;
    fCandidates = &candidates;
    fChoice = choice;
    fNoOtherRestriction = true;
    if (const TQuestionSelector* selector = fApp.Selector())
        for (int d = 0; d < kDimensionCount; ++d) {
            const TCategory* f = selector->Filter(static_cast<TDimension>(d));
            if (f && f != choice) fNoOtherRestriction = false;
        }
    fTopics = fApp.Library() && root == fApp.Library()->TopicRoot.get();
    fAlpha->setVisible(fTopics);
    fOutline->setVisible(fTopics);
    Refill();
    fList->setFocus();
}

TPickResult TPickForm::Execute(TCategory* root, const TSet& candidates, TCategory*& choice) {
    Prepare(root, candidates, choice);
    const int code = exec();
    fCandidates = nullptr;
    fModel->ForgetCandidates();
    if (code != kStartCode && code != kContinueCode) return TPickResult::Cancel;
    choice = Highlighted();
    return code == kStartCode ? TPickResult::StartSearch : TPickResult::ContinueSearch;
}

TCategory* TPickForm::Highlighted() const {
    const QModelIndexList rows = fList->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : fModel->Category(rows.front().row());
}

void TPickForm::Refill() {
    const bool alphabetical = fTopics && fAlpha->isChecked();
    TCategory* keep = fChoice;
    fModel->Fill(fRoot, fCandidates, alphabetical);
    const int row = fModel->RowOf(keep);
    if (row >= 0) {
        const QModelIndex index = fModel->index(row);
        fList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        fList->scrollTo(index);
    } else {
        // A choice the listing does not show (deeper than its first level) is dropped.
        fChoice = nullptr;
        fList->selectionModel()->clearSelection();
        fList->selectionModel()->setCurrentIndex(fModel->index(0), QItemSelectionModel::NoUpdate);
    }
    fChoice = Highlighted();
    UpdateButtons();
}

void TPickForm::UpdateButtons() {
    const TCategory* highlighted = Highlighted();
    const bool canContinue =
        !fNoOtherRestriction && highlighted && fModel->IsCandidate(highlighted);
    fContinue->setEnabled(canContinue);
    fContinue->setDefault(canContinue);
    fStart->setEnabled(highlighted != nullptr);
    fStart->setDefault(!canContinue);
}

bool TPickForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = fList->currentIndex();
        const bool open = key == Qt::Key_Right || key == Qt::Key_Plus;
        const bool close = key == Qt::Key_Left || key == Qt::Key_Minus;
        if ((open || close) && current.isValid()) {
            if (fModel->CanOpen(current.row()) && fModel->IsExpanded(current.row()) == close) {
                fModel->Toggle(current.row());
                UpdateButtons();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
