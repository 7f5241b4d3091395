#include "app/startup.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/artwork.h"
#include "app/preview.h"
#include "app/mainwindow.h"
#include "app/qtui.h"
#include "app/settingsstore.h"
#include "app/splash.h"
#include "base/folders.h"
#include "base/numbers.h"
#include "base/warnings.h"
#include "model/design.h"
#include "patterns/elpattern.h"
#include "report/reporter.h"
#include "wizard/userinterface.h"

namespace velmo {

int RunDesktopProgram(int argc, char** argv) {
    // A save beyond the file-size limit fails with a message instead of ending the
    // program with the design unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    // 1. The folders beside the executable and the one working design.
    InitFoldersFromExecutable();
    NumberFormat::InitFromEnvironment();
    WorkingDesign();

    QApplication app(argc, argv);
    QApplication::setOrganizationName("Orvane");
    QApplication::setApplicationName("Velmo");
    QApplication::setDesktopFileName("velmo");
    QApplication::setWindowIcon(AppIcon());

    TQtUserInterface ui;
    SetUI(&ui);
    InstallPreviewHandler();
    SetElMessageHandler([](const std::string& message) {
        UI().Message(TMsgKind::Warning, message, TMsgButtons::Ok);
    });
    // What a design file or pattern file held out of bounds reaches the user too.
    ShowWarningsThroughUI();

    // 2. The splash, shown without waiting. VELMO_SPLASH_MS shortens it (0: none),
    // for measuring the start-up.
    int splashMs = 2000;
    if (const char* v = std::getenv("VELMO_SPLASH_MS")) splashMs = std::max(0, std::atoi(v));
    std::unique_ptr<TfrmSplash> splash;
    if (splashMs > 0) {
        splash = std::make_unique<TfrmSplash>(TfrmSplash::Splash, nullptr);
        splash->adjustSize();
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = splash->frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            splash->move(r.topLeft());
        }
        splash->show();
        QApplication::processEvents();
    }

    // 3. The application title and the main window.
    QApplication::setApplicationDisplayName("Orvane Velmo");
    TSettingsRecentStore store;
    TfrmMain main(&store);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

    // 4. The splash stays up for its time, then the main window shows and a design
    // named on the command line opens: a message about a bad file then sits over the
    // main window, not hidden under the splash that stays on top.
    QTimer::singleShot(splashMs, &main, [&] {
        splash.reset();
        main.show();
        main.Create(args);
    });
    const int rc = app.exec();
    SetElMessageHandler(nullptr);
    SetWarningHandler(nullptr);
    TReporter::SetPreviewHandler(nullptr);
    SetUI(nullptr);
    return rc;
}

}  // namespace velmo
