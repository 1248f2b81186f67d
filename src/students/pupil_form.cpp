#include "students/pupil_form.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

const QString kSetCaption = QStringLiteral("Names of students in set");
const QString kClassCaption = QStringLiteral("Names of students in class ");
constexpr int kColumns = 4;
constexpr int kGridLeft = 24;
constexpr int kGridTop = 80;
constexpr int kGridHeight = 361;
constexpr int kNameWidth = 180;
constexpr int kDefaultWidth = 64;

std::string LocalPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace

// The cell editor: at most what a list keeps, and Enter and Tab move on to the next box.
class TPupilCellDelegate : public QStyledItemDelegate {
public:
    explicit TPupilCellDelegate(TPupilForm& form) : QStyledItemDelegate(&form), fForm(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setMaxLength(kMaxStudentCell);
        editor->setFrame(false);
        (void)option, (void)index;
        fEditor = editor;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == fEditor) fEditor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    bool Editing() const { return fEditor; }

    // Writes what the open editor holds into its cell and closes it.
    void CommitOpenEditor() {
        if (QWidget* editor = fEditor) {
            fEditor = nullptr;
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && fForm.eventFilter(watched, event)) return true;
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    TPupilForm& fForm;
    mutable QPointer<QWidget> fEditor;
};

TPupilForm::TPupilForm(QWidget* parent, std::unique_ptr<TPupilDialogs> dialogs)
    // A dialog-type window stays above the main window instead of vanishing behind it.
    : QWidget(parent, Qt::Dialog | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      fDialogs(std::move(dialogs)) {
    setObjectName("PupilForm");
    setWindowTitle(kSetCaption);
    resize(kWidth, kHeight);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);

    auto button = [this](QPushButton*& field, const char* name, const char* caption, int x, int y) {
        field = new QPushButton(QString::fromUtf8(caption), this);
        field->setObjectName(name);
        field->setGeometry(x, y, 75, 25);
    };
    int x = kGridLeft;
    for (auto [field, name, caption] :
         {std::tuple{&fNew, "btNew", "&New"}, std::tuple{&fOpen, "btOpen", "&Open"},
          std::tuple{&fImport, "btImport", "&Import"}, std::tuple{&fSave, "btSave", "&Save"},
          std::tuple{&fSaveAs, "btSaveAs", "Save &As"}, std::tuple{&fClose, "btClose", "&Close"}}) {
        button(*field, name, caption, x, 24);
        x += 85;
    }

    fGrid = new QTableWidget(kMaxStudents, kColumns, this);
    fGrid->setObjectName("grPupil");
    fGrid->setAccessibleName(QStringLiteral("Students"));
    fGrid->setHorizontalHeaderLabels({QStringLiteral("Surname"), QStringLiteral("Forename"),
                                      QStringLiteral("DoB"), QStringLiteral("Sex")});
    fGrid->verticalHeader()->hide();
    fGrid->verticalHeader()->setDefaultSectionSize(24);
    fGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    fGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    fGrid->setTabKeyNavigation(false);
    const int widths[kColumns] = {kNameWidth, kNameWidth, kDefaultWidth, kDefaultWidth};
    int gridWidth = 25;
    for (int c = 0; c < kColumns; ++c) {
        fGrid->setColumnWidth(c, widths[c]);
        gridWidth += widths[c];
    }
    fGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fGrid->setGeometry(kGridLeft, kGridTop, gridWidth, kGridHeight);
    for (int r = 0; r < kMaxStudents; ++r)
        for (int c = 0; c < kColumns; ++c)
            fGrid->setItem(r, c, new QTableWidgetItem);
    fGrid->setItemDelegate(new TPupilCellDelegate(*this));
    fGrid->installEventFilter(this);
    connect(fGrid, &QTableWidget::itemChanged, this, [this] {
        if (!fFilling) fModified = true;
    });

    const int below = kGridTop + kGridHeight + 12;
    button(fEdit, "btEdit", "&Edit", kGridLeft, below);
    button(fDelete, "btDelete", "&Delete", kGridLeft + 85, below);
    // Clicking them must not take the focus from the grid, whose state they act on.
    fEdit->setFocusPolicy(Qt::NoFocus);
    fDelete->setFocusPolicy(Qt::NoFocus);
    fEdit->setEnabled(false);
    fDelete->setEnabled(false);
    int y = below;
    for (const char* text :
         {"Type details in the boxes", "Press <Return> to move on to the next box"}) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(kGridLeft + 190, y, 320, 18);
        y += 20;
    }

    connect(fNew, &QPushButton::clicked, this, &TPupilForm::NewList);
    connect(fOpen, &QPushButton::clicked, this, &TPupilForm::OpenList);
    connect(fImport, &QPushButton::clicked, this, &TPupilForm::ImportList);
    connect(fSave, &QPushButton::clicked, this, &TPupilForm::SaveList);
    connect(fSaveAs, &QPushButton::clicked, this, &TPupilForm::SaveListAs);
    connect(fClose, &QPushButton::clicked, this, &QWidget::close);
    connect(fEdit, &QPushButton::clicked, this, &TPupilForm::EditCell);
    connect(fDelete, &QPushButton::clicked, this, &TPupilForm::DeleteRow);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    ForgetFileName();
}

TPupilForm::~TPupilForm() = default;

TPupilCellDelegate& TPupilForm::Delegate() const {
    return *static_cast<TPupilCellDelegate*>(fGrid->itemDelegate());
}

std::vector<TStudent> TPupilForm::Rows() const {
    std::vector<TStudent> rows(kMaxStudents);
    for (int r = 0; r < kMaxStudents; ++r)
        rows[r] = {Cell(r, 0), Cell(r, 1), Cell(r, 2), Cell(r, 3)};
    return rows;
}

std::string TPupilForm::Cell(int row, int column) const {
    return ToCp1252(fGrid->item(row, column)->text());
}

void TPupilForm::SetCell(int row, int column, const std::string& cp1252) {
    fGrid->item(row, column)->setText(FromCp1252(cp1252));
}

void TPupilForm::NewList() {
    Delegate().CommitOpenEditor();
    if (!AskToSave()) return;
    StartOver();
    // A new list is not the file opened before: Save must ask for a name.
    ForgetFileName();
}

void TPupilForm::OpenList() {
    Delegate().CommitOpenEditor();
    if (!AskToSave()) return;
    const QString name = fDialogs->OpenListName(this);
    if (name.isEmpty()) return;
    TStudentListRead read;
    try {
        read = ReadStudentList(LocalPath(name));
    } catch (const std::exception& e) {
        fDialogs->Error(this, e.what());
        return;
    }
    Fill(read);
    setWindowTitle(kClassCaption + name);
    fFileName = name;
    fSave->setEnabled(true);
    fModified = false;
    FocusFirstCell();
    if (!read.Warnings.empty()) fDialogs->Warn(this, Joined(read.Warnings));
}

void TPupilForm::ImportList() {
    Delegate().CommitOpenEditor();
    if (!AskToSave()) return;
    const QString name = fDialogs->ImportName(this);
    if (name.isEmpty()) return;
    TStudentListRead read;
    try {
        read = ImportStudentCsv(LocalPath(name));
    } catch (const std::exception& e) {
        fDialogs->Error(this, e.what());
        return;
    }
    Fill(read);
    setWindowTitle(kClassCaption + name);
    // The imported class belongs to no list file yet: saving asks for a name, and
    // closing asks whether to keep it.
    fFileName.clear();
    fSave->setEnabled(false);
    fModified = true;
    FocusFirstCell();
    if (!read.Warnings.empty()) fDialogs->Warn(this, Joined(read.Warnings));
}

bool TPupilForm::SaveList() {
    Delegate().CommitOpenEditor();
    if (fFileName.isEmpty()) return SaveListAs();
    if (!WriteTo(fFileName)) return false;
    fModified = false;
    EditCurrent();
    return true;
}

bool TPupilForm::SaveListAs() {
    Delegate().CommitOpenEditor();
    const QString name = fDialogs->SaveListName(this);
    if (name.isEmpty() || !WriteTo(name)) return false;
    setWindowTitle(kClassCaption + name);
    fFileName = name;
    fSave->setEnabled(true);
    fModified = false;
    EditCurrent();
    return true;
}

bool TPupilForm::WriteTo(const QString& name) {
    try {
        const std::vector<TStudent> rows = Rows();
        WriteStudentList(LocalPath(name), rows);
        if (const std::string warning = RowsLeftOutWarning(rows); !warning.empty())
            fDialogs->Warn(this, warning);
        return true;
    } catch (const std::exception& e) {
        fDialogs->Error(this, e.what());
        return false;
    }
}

void TPupilForm::DeleteRow() {
    Delegate().CommitOpenEditor();
    const int row = fGrid->currentRow();
    if (row < 0) return;
    fFilling = true;
    for (int r = row + 1; r < kMaxStudents; ++r)
        for (int c = 0; c < kColumns; ++c)
            fGrid->item(r - 1, c)->setText(fGrid->item(r, c)->text());
    // The last row moved up; it must not stay behind as well.
    for (int c = 0; c < kColumns; ++c)
        fGrid->item(kMaxStudents - 1, c)->setText(QString());
    fFilling = false;
    fModified = true;
    EditCurrent();
}

void TPupilForm::EditCell() {
    EditCurrent();
}

bool TPupilForm::AskToSave() {
    if (!fModified) return true;
    switch (fDialogs->AskToSave(this)) {
    case TAnswer::Yes:
        // A cancelled or failed save keeps the list: dropping it would lose the changes.
        return SaveList();
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

void TPupilForm::StartOver() {
    Fill({});
    FocusFirstCell();
    fModified = false;
}

void TPupilForm::ForgetFileName() {
    fFileName.clear();
    fSave->setEnabled(false);
    setWindowTitle(kSetCaption);
}

void TPupilForm::Fill(const TStudentListRead& read) {
    fFilling = true;
    for (int r = 0; r < kMaxStudents; ++r) {
        const TStudent s =
            r < static_cast<int>(read.Students.size()) ? read.Students[r] : TStudent{};
        SetCell(r, 0, s.Surname);
        SetCell(r, 1, s.Forename);
        SetCell(r, 2, s.DoB);
        SetCell(r, 3, s.Sex);
    }
    fFilling = false;
}

void TPupilForm::FocusFirstCell() {
    fGrid->setCurrentCell(0, 0);
    EditCurrent();
}

void TPupilForm::EditCurrent() {
    fGrid->setFocus();
    if (Delegate().Editing()) return;
    if (QTableWidgetItem* item = fGrid->currentItem()) fGrid->editItem(item);
}

void TPupilForm::MoveOn() {
    const int row = fGrid->currentRow();
    const int column = fGrid->currentColumn();
    if (row < 0 || column < 0) return;
    Delegate().CommitOpenEditor();
    if (column < kColumns - 1)
        fGrid->setCurrentCell(row, column + 1);
    else if (row < kMaxStudents - 1)
        fGrid->setCurrentCell(row + 1, 0);
    EditCurrent();
}

void TPupilForm::FocusChanged(QWidget* now) {
    const bool inGrid = now && (now == fGrid || fGrid->isAncestorOf(now));
    if (inGrid) {
        fEdit->setEnabled(true);
        fDelete->setEnabled(true);
    } else if (now && isAncestorOf(now)) {
        fEdit->setEnabled(false);
    }
}

bool TPupilForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == fGrid || fGrid->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        // Any key in the grid counts as a change, even one that changes nothing.
        fModified = true;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            MoveOn();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPupilForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Restoring from minimised is not a new start.
    if (event->spontaneous()) return;
    StartOver();
    ForgetFileName();
}

void TPupilForm::closeEvent(QCloseEvent* event) {
    Delegate().CommitOpenEditor();
    if (AskToSave())
        event->accept();
    else
        event->ignore();
}
