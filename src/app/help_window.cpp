#include "app/help_window.h"

#include "config/config_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Orrin Quarrybook Help"));
    setObjectName("HelpWindow");
    resize(820, 600);
    auto* layout = new QHBoxLayout(this);
    auto* splitter = new QSplitter(this);
    auto* side = new QWidget(splitter);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), side);
    sideLayout->addWidget(searchLabel);
    fSearch = new QLineEdit(side);
    searchLabel->setBuddy(fSearch);
    fSearch->setObjectName("HelpSearch");
    fSearch->setPlaceholderText(QStringLiteral("Words to find"));
    sideLayout->addWidget(fSearch);
    fResults = new QListWidget(side);
    fResults->setObjectName("HelpResults");
    sideLayout->addWidget(fResults, 1);
    fBrowser = new QTextBrowser(splitter);
    fBrowser->setObjectName("HelpPage");
    fBrowser->setOpenExternalLinks(false);
    fBrowser->setSearchPaths({ManualFolder()});
    splitter->addWidget(side);
    splitter->addWidget(fBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 600});
    layout->addWidget(splitter);

    connect(fSearch, &QLineEdit::returnPressed, this, [this] { Search(fSearch->text()); });
    auto open = [this](QListWidgetItem* item) {
        const QString page = item->data(Qt::UserRole).toString();
        if (!page.isEmpty()) fBrowser->setSource(QUrl(page)); // not the "nothing found" row
    };
    connect(fResults, &QListWidget::itemActivated, this, open);
    connect(fResults, &QListWidget::itemClicked, this, open);
}

QString THelpWindow::CurrentPage() const {
    const QUrl source = fBrowser->source();
    const QString name = QFileInfo(source.path()).fileName();
    return source.hasFragment() ? name + "#" + source.fragment() : name;
}

QString THelpWindow::ManualFolder() {
    QString env = qEnvironmentVariable("QUARRYBOOK_MANUAL_DIR");
    if (!env.isEmpty() && QFileInfo::exists(env + "/index.html")) return env;
    // Beside the program first, so that an installed copy moved elsewhere still finds its
    // own manual.
    QStringList dirs = {QCoreApplication::applicationDirPath() + "/../share/quarrybook/manual"};
    // The source tree only for a program run from its build tree.
    if (RunningFromBuildTree()) dirs << QStringLiteral(QB_SOURCE_MANUAL_DIR);
    dirs << QStringLiteral(QB_INSTALLED_MANUAL_DIR);
    for (const QString& dir : dirs)
        if (QFileInfo::exists(dir + "/index.html")) return dir;
    return QStringLiteral(QB_INSTALLED_MANUAL_DIR);
}

QString THelpWindow::PageForContext(int context) {
    // Contexts come in blocks, one per menu; each block has its section.
    if (context == 201) return QStringLiteral("finding.html#finder");
    if (context == 216) return QStringLiteral("finding.html#picker");
    if (context >= 168 && context <= 170) return QStringLiteral("output.html#print");
    if (context == 242) return QStringLiteral("output.html#preview");
    if (context >= 161 && context <= 170) return QStringLiteral("documents.html#file");
    if (context == 248) return QStringLiteral("documents.html#file");
    if (context >= 171 && context <= 179) return QStringLiteral("editing.html#edit");
    if (context == 196 || context == 206) return QStringLiteral("editing.html#editor");
    if (context == 207) return QStringLiteral("editing.html#formatting");
    if (context == 221) return QStringLiteral("editing.html#title");
    if (context == 222) return QStringLiteral("editing.html#section");
    if (context == 220) return QStringLiteral("viewer.html#viewer");
    if (context == 189) return QStringLiteral("viewer.html#related");
    if (context == 247) return QStringLiteral("viewer.html#textlist");
    if (context >= 180 && context <= 189) return QStringLiteral("finding.html#view");
    if (context >= 190 && context <= 193) return QStringLiteral("editing.html#insert");
    if (context >= 194 && context <= 196) return QStringLiteral("output.html#tools");
    if (context >= 197 && context <= 200) return QStringLiteral("index.html");
    return QStringLiteral("index.html");
}

void THelpWindow::ShowContext(int context) {
    fBrowser->setSource(QUrl(PageForContext(context)));
    show();
    raise();
    activateWindow();
}

void THelpWindow::FocusSearch() {
    fSearch->setFocus();
    fSearch->selectAll();
}

void THelpWindow::Search(const QString& words) {
    fResults->clear();
    const QStringList terms = words.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    if (terms.isEmpty()) return;
    QDir dir(ManualFolder());
    for (const QString& name : dir.entryList({"*.html"}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) continue;
        QString html = QString::fromUtf8(f.readAll());
        QString text = html;
        text.remove(QRegularExpression("<[^>]*>"));
        bool all = std::all_of(terms.begin(), terms.end(), [&](const QString& t) {
            return text.contains(t, Qt::CaseInsensitive);
        });
        if (!all) continue;
        QRegularExpressionMatch m = QRegularExpression("<title>(.*?)</title>").match(html);
        auto* item = new QListWidgetItem(m.hasMatch() ? m.captured(1) : name, fResults);
        item->setData(Qt::UserRole, name);
    }
    if (fResults->count() == 0) {
        auto* none = new QListWidgetItem(QStringLiteral("(nothing found)"), fResults);
        none->setFlags(Qt::NoItemFlags);
    }
}
