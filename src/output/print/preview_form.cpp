#include "output/print/preview_form.h"

#include "output/richtext/rich_text_control.h"
#include "ui/drawing/drawing.h"
#include "ui/error_report.h"
#include "ui/help_request.h"

#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPreviewHelp = 242;
constexpr int kGap = 8;
} // namespace

TPreviewForm::TPreviewForm(const TRichTextControl& control, std::function<void()> print,
                           QWidget* parent)
    : QDialog(parent), fControl(control), fPrint(std::move(print)) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setMinimumSize(425, 300);
    setWindowState(Qt::WindowMaximized);
    setModal(true);

    auto* statusP = new QFrame(this);
    statusP->setObjectName(QStringLiteral("StatusP"));
    statusP->setFrameShape(QFrame::Panel);
    statusP->setFrameShadow(QFrame::Raised);
    auto* bar = new QHBoxLayout(statusP);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    fPrintB = AddButton("PrintB", "Print", 3);
    fWholeB = AddButton("WholeB", "View whole page", 23);
    fZoomB = AddButton("ZoomB", "View full size", 24);
    fPrevB = AddButton("PrevB", "Previous page", 17);
    fNextB = AddButton("NextB", "Next page", 16);
    fCloseB = AddButton("CloseB", "Close the Print Preview", -1);
    fCloseB->setText(QStringLiteral("&Close"));
    fCloseB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (QToolButton* b : {fPrintB, fWholeB, fZoomB, fPrevB, fNextB, fCloseB})
        bar->addWidget(b);
    bar->addStretch(1);
    fCaption = new QLabel(statusP);
    fCaption->setObjectName(QStringLiteral("PageCaption"));
    fCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar->addWidget(fCaption);

    fWholeB->setCheckable(true);
    fZoomB->setCheckable(true);
    auto* zoom = new QButtonGroup(this);
    zoom->setExclusive(true);
    zoom->addButton(fWholeB);
    zoom->addButton(fZoomB);
    fWholeB->setChecked(true);

    fPreviewSB = new QScrollArea(this);
    fPreviewSB->setObjectName(QStringLiteral("PreviewSB"));
    fPreviewSB->setProperty("helpContext", kPreviewHelp);
    fPreviewSB->setWidgetResizable(false);
    fPreviewSB->setBackgroundRole(QPalette::Dark);
    fPreviewSB->setFocusPolicy(Qt::StrongFocus);
    fPreviewSB->setAccessibleName(QStringLiteral("Page preview"));
    fSheet = new QWidget;
    fImageLabel = new QLabel(fSheet);
    fImageLabel->setObjectName(QStringLiteral("IPreview"));
    fImageLabel->setScaledContents(true);
    fPreviewSB->setWidget(fSheet);
    fPreviewSB->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(statusP);
    layout->addWidget(fPreviewSB, 1);

    // The page image: 8.25 x 11.7 inches at the screen's own density.
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    const QSizeF inches = fControl.PageSizeInches();
    fPageImage = QImage(int(std::lround(inches.width() * dpiX)),
                        int(std::lround(inches.height() * dpiY)), QImage::Format_Grayscale8);
    fPageImage.setDotsPerMeterX(int(std::lround(dpiX / 0.0254)));
    fPageImage.setDotsPerMeterY(int(std::lround(dpiY / 0.0254)));

    connect(fPrintB, &QToolButton::clicked, this, [this] {
        if (fPrint) RunReportingErrors(fPrint);
    });
    connect(fWholeB, &QToolButton::clicked, this, &TPreviewForm::ShowWholePage);
    connect(fZoomB, &QToolButton::clicked, this, &TPreviewForm::ShowFullSize);
    connect(fPrevB, &QToolButton::clicked, this, &TPreviewForm::PreviousPage);
    connect(fNextB, &QToolButton::clicked, this, &TPreviewForm::NextPage);
    connect(fCloseB, &QToolButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            &TPreviewForm::NextPage);
    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            &TPreviewForm::PreviousPage);
    InstallHelpKey(this, kPreviewHelp);

    fPage = 1;
    fPageCount = std::max(1, fControl.PageCount());
    Draw();
}

QToolButton* TPreviewForm::AddButton(const char* name, const char* hint, int glyph) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    b->setToolTip(QString::fromUtf8(hint));
    b->setAccessibleName(QString::fromUtf8(hint));
    b->setFocusPolicy(Qt::TabFocus);
    if (glyph >= 0) {
        b->setIconSize(QSize(16, 16));
        LoadButtonGlyph(*b, glyph);
    }
    return b;
}

QToolButton* TPreviewForm::Button(const char* name) const {
    return findChild<QToolButton*>(QString::fromLatin1(name));
}

QString TPreviewForm::Caption() const {
    return fCaption->text();
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    LayOut();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fPreviewSB->viewport() && event->type() == QEvent::Resize) LayOut();
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::NextPage() {
    if (fPage >= fPageCount) return;
    ++fPage;
    LayOut();
    Draw();
}

void TPreviewForm::PreviousPage() {
    if (fPage < 2) return;
    --fPage;
    LayOut();
    Draw();
}

void TPreviewForm::ShowWholePage() {
    fWholeB->setChecked(true);
    LayOut();
}

void TPreviewForm::ShowFullSize() {
    fZoomB->setChecked(true);
    LayOut();
}

void TPreviewForm::Draw() {
    // Drawn in colour with antialiasing, then kept in grey levels.
    QImage page(fPageImage.size(), QImage::Format_RGB32);
    page.setDotsPerMeterX(fPageImage.dotsPerMeterX());
    page.setDotsPerMeterY(fPageImage.dotsPerMeterY());
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        fControl.PrintPage(painter, fPage, QRectF(QPointF(0, 0), QSizeF(page.size())));
    }
    fPageImage = page.convertToFormat(QImage::Format_Grayscale8);
    fImageLabel->setPixmap(QPixmap::fromImage(fPageImage));
    fImageLabel->setAccessibleName(QStringLiteral("Page %1 of %2").arg(fPage).arg(fPageCount));
    fCaption->setText(QStringLiteral("Page %1 of %2  ").arg(fPage).arg(fPageCount));
    fNextB->setEnabled(fPage < fPageCount);
    fPrevB->setEnabled(fPage >= 2);
}

void TPreviewForm::LayOut() {
    const QSize box = fPreviewSB->viewport()->size();
    const int iw = fPageImage.width(), ih = fPageImage.height();
    if (fWholeB->isChecked()) {
        fPreviewSB->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fPreviewSB->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int w = std::max(1, box.width() - 2 * kGap);
        const int h = std::max(1, box.height() - 2 * kGap);
        const double rw = double(iw) / w, rh = double(ih) / h;
        QRect r;
        if (rh > rw) {
            const int width = int(std::lround(iw / rh));
            r = QRect((w - width) / 2 + kGap, kGap, width, h);
        } else {
            const int height = int(std::lround(ih / rw));
            r = QRect(kGap, (h - height) / 2 + kGap, w, height);
        }
        fSheet->resize(box);
        fImageLabel->setGeometry(r);
    } else {
        fPreviewSB->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        fPreviewSB->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        const int left = std::max(kGap, (box.width() - iw) / 2);
        fSheet->resize(std::max(box.width(), iw + 2 * left), ih + 2 * kGap);
        fImageLabel->setGeometry(left, kGap, iw, ih);
    }
}
