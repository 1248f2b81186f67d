#include "app/startup.h"

#include "app/about_form.h"
#include "app/logic/app_logic.h"
#include "app/main_form.h"
#include "app/message_prompts.h"
#include "app/text_index_loader.h"
#include "config/library_open.h"
#include "finder/finder_form.h"
#include "finder/pick_form.h"
#include "finder/related_form.h"
#include "finder/text_search.h"
#include "finder/ts_list_form.h"
#include "finder/view_manager.h"
#include "finder/viewer_form.h"
#include "framework/cp1252.h"
#include "model/library.h"
#include "model/text_store.h"
#include "qb_version.h"
#include "ui/drawing/drawing.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

namespace {
// Reports a start-up failure on standard error and, where there is a screen to show it
// on, in an error box.
int FailStartup(int argc, char** argv, const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return 1;
    // A display that cannot be reached must not turn a clear message into an abort.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland;offscreen");
    QApplication qapp(argc, argv);
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return 1;
    QMessageBox::critical(nullptr, QStringLiteral("Orrin Quarrybook"),
                          QString::fromStdString(message), QMessageBox::Ok);
    return 1;
}
} // namespace

void NameApplication() {
    // No display name: Qt would append it to every window title on Linux, and the main
    // window's caption is exactly the program's name and the library's.
    QApplication::setApplicationName(QStringLiteral("Orrin Quarrybook"));
    QApplication::setWindowIcon(ProgramIcon());
}

int RunQuarrybook(int argc, char** argv) {
    // Answered before any library or display is opened, so that it works anywhere.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%s %s\n", kProgramName, kProgramVersion);
        return 0;
    }
    // The library is opened before any window system is touched, so that a wrong
    // subject is reported even where no window can be shown.
    auto prompts = std::make_unique<TMessagePrompts>();
    auto app = std::make_unique<TAppLogic>(*prompts);
    TStartupChoice choice;
    TSubjectConfig config;
    try {
        std::optional<std::string> argument;
        if (argc > 1) argument = argv[1];
        choice = ChooseSubject(argument);
        // Section names and library names are code page 1252; the command line is UTF-8.
        if (!choice.Document) {
            std::string converted = Utf8ToCp1252(choice.Subject);
            if (Cp1252ToUtf8(converted) == choice.Subject) choice.Subject = converted;
        }
        TOpenedLibrary opened = OpenLibrary(choice.Subject);
        config = opened.Config;
        app->SetLibrary(choice.Subject, std::move(opened.Store), std::move(opened.Library));
    } catch (const std::exception& e) {
        return FailStartup(argc, argv, e.what());
    }

    QApplication qapp(argc, argv);
    NameApplication();
    BuildSymbolTables(*app->Library());

    // Before the windows that search it, which it outlives.
    TTextSearch textSearch(*app->Library());
    TViewManager finderManager;
    TViewManager viewerManager;
    TTSListManager listManager;
    TMainForm mainForm(
        {*app, finderManager, viewerManager, listManager, config, choice.Subject, choice.Document});
    // Each window comes after the one it hands work to: the picker before the finder
    // whose search buttons use it, the chooser before the Viewer's related-text commands.
    TPickForm picker(
        *app, [&mainForm](int context) { mainForm.ShowHelp(context); }, &mainForm);
    TQFForm finder(*app, finderManager, mainForm, picker);
    finder.SetTextSearch(&textSearch);
    mainForm.SetFinder(&finder);
    TRelatedForm related(&mainForm);
    TViewerForm viewer(*app, viewerManager, related, mainForm, *mainForm.Workspace());
    TTSListForm textList(*app, listManager, &mainForm);
    textList.SetTextSearch(&textSearch);
    mainForm.SetViewer(viewer, related);
    finder.OnTextSearch([&viewer](const QStringList& terms) { viewer.SetHighlightTerms(terms); });
    textList.OnTextSearch(
        [&viewer](const QStringList& terms) { viewer.SetTextListHighlightTerms(terms); });
    TAboutExForm about(FromCp1252(choice.Subject), &mainForm);
    mainForm.ApplyCaptionOverrides();
    mainForm.SetAboutBox(&about);
    mainForm.showMaximized();

    // Built after the windows are up, so that a long build never delays the start; the
    // loader goes before the finder it reports to.
    auto* indexStatus = new QLabel(mainForm.statusBar());
    indexStatus->setObjectName(QStringLiteral("SearchIndexStatus"));
    mainForm.statusBar()->addPermanentWidget(indexStatus);
    indexStatus->hide();
    TTextIndexLoader indexLoader(
        TLibraryFiles{config.LibFilename, config.TextFilename},
        [&textSearch, indexStatus](std::shared_ptr<const TTextIndex> index) {
            textSearch.SetIndex(std::move(index));
            if (indexStatus->isVisible()) {
                indexStatus->setText(QStringLiteral("Search index ready"));
                QTimer::singleShot(3000, indexStatus, &QWidget::hide);
            }
        },
        [indexStatus](std::size_t done) {
            indexStatus->setText(
                QStringLiteral("Building the search index\u2026 %1 texts").arg(done));
            indexStatus->setToolTip(QString());
            indexStatus->show();
        },
        [&textSearch, indexStatus](const std::string& message) {
            indexStatus->setText(QStringLiteral("Search is unavailable"));
            indexStatus->setToolTip(QStringLiteral("Search is unavailable: ") +
                                    QString::fromUtf8(message));
            indexStatus->show();
            textSearch.SetUnavailable(message);
        });
    textSearch.OnDamaged([&indexLoader, indexStatus] {
        indexStatus->setText(QStringLiteral("The search index is damaged; rebuilding it"));
        indexStatus->show();
        indexLoader.Rebuild();
    });
    int status = qapp.exec();
    // Gone from the screen at once, even while the index build notices that it is
    // abandoned.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    textSearch.OnDamaged({});
    // The logic outlives the windows that observe it.
    return status;
}
