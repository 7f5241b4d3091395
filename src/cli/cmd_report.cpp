// velmo-cli report: opens a design file and writes its report as a PDF file: the full
// report of the design's system type, or the azimuth or elevation pages alone.
#ifdef VELMO_HAVE_REPORT

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "base/error.h"
#include "base/fileio.h"
#include "cli/command.h"
#include "model/design.h"
#include "report/reportbuild.h"

namespace velmo::cli {
namespace {

// The report measures its texts with Qt's fonts, which need a GUI application; the
// offscreen platform needs no display.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Without a runtime folder Qt warns on every start; a private one (mode 0700,
    // removed at exit, after the application) keeps batch output clean.
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        static QTemporaryDir runtimeDir;
        if (runtimeDir.isValid()) setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 1);
    }
    static int argc = 1;
    static char name[] = "velmo-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

int Run(const std::vector<std::string>& argv) {
    Args args(argv);
    const bool azimuth = args.Flag("--azimuth");
    const bool elevation = args.Flag("--elevation");
    if (azimuth && elevation) UsageError("report takes --azimuth or --elevation, not both");
    std::string out;
    if (!args.Option("-o", out) && !args.Option("--output", out))
        UsageError("report needs -o OUT.pdf");
    if (out.empty()) UsageError("report needs -o OUT.pdf");
    if (args.Rest().size() != 1) UsageError("report needs exactly one design file");
    const std::string& designFile = args.Rest().front();

    std::string reason;
    if (!CheckDesignHeader(designFile, &reason))
        throw Error("Unable to open file. \"" + designFile + "\" is not a readable design file." +
                    (reason.empty() ? "" : " " + reason));
    // Writing the report over its own design would lose the design.
    if (SameFile(designFile, out))
        throw Error("Cannot create file \"" + out + "\". It is the design file being read.");
    const std::unique_ptr<TBroadcastDesign> design = LoadDesignFile(designFile);

    EnsureGuiApplication();
    const TReportKind kind = azimuth ? rkAzimuth : elevation ? rkElevation : rkFull;
    const int pages = WriteReportPdf(*design, kind, out);
    std::cout << out << " (" << pages << (pages == 1 ? " page" : " pages") << ")\n";
    return 0;
}

const CommandRegistrar registrar{Command{
    "report", "report DESIGN.bcst -o OUT.pdf [--azimuth | --elevation]",
    "writes the design's report as PDF: the full report, or the azimuth or elevation pages",
    Run}};

}  // namespace
}  // namespace velmo::cli

#endif  // VELMO_HAVE_REPORT
