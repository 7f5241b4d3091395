// velmo-cli report: opens a design file and writes its report as a PDF file: the full
// report of the design's system type, or the azimuth or elevation pages alone. Given
// several designs (or an output folder), it writes one report per design into the
// folder, spread over worker processes.
#ifdef VELMO_HAVE_REPORT

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "base/error.h"
#include "base/fileio.h"
#include "base/numbers.h"
#include "cli/command.h"
#include "cli/workerpool.h"
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

// Opens one design file and writes its report to `out`; returns the page count.
int ReportDesign(const std::string& designFile, TReportKind kind, const std::string& out) {
    std::string reason;
    if (!CheckDesignHeader(designFile, &reason))
        throw Error("Unable to open file. \"" + designFile + "\" is not a readable design file." +
                    (reason.empty() ? "" : " " + reason));
    // Writing the report over its own design would lose the design.
    if (SameFile(designFile, out))
        throw Error("Cannot create file \"" + out + "\". It is the design file being read.");
    const std::unique_ptr<TBroadcastDesign> design = LoadDesignFile(designFile);
    StartDecodingReportPictures(*design, kind);
    EnsureGuiApplication();
    return WriteReportPdf(*design, kind, out);
}

std::string PagesText(int pages) {
    return std::to_string(pages) + (pages == 1 ? " page" : " pages");
}

// Several designs, each to FOLDER/<file name without extension>.pdf, rendered by worker
// processes (one per core unless `jobs` says otherwise). A design that fails is
// reported and the others go on; the status is 1 when any failed.
int RunBatch(const std::vector<std::string>& designs, const std::string& folderArg,
             TReportKind kind, int jobs) {
    namespace fs = std::filesystem;
    const std::string folder = folderArg.back() == '/' ? folderArg : folderArg + "/";

    // Two designs of the same file name would write the same report: refused before
    // anything is written, rather than one report silently replacing the other.
    std::vector<std::string> outputs;
    std::map<std::string, size_t> byOutput;
    for (size_t i = 0; i < designs.size(); ++i) {
        outputs.push_back(folder + fs::path(designs[i]).stem().string() + ".pdf");
        const auto [it, added] = byOutput.emplace(outputs.back(), i);
        if (!added)
            throw Error("Designs \"" + designs[it->second] + "\" and \"" + designs[i] +
                        "\" would both be written to \"" + outputs.back() +
                        "\". Rename one of them.");
    }
    std::error_code ec;
    const fs::file_status st = fs::status(folderArg, ec);
    if (fs::exists(st) && !fs::is_directory(st))
        throw Error("Cannot create folder \"" + folderArg + "\". It is not a folder.");
    if (!fs::exists(st) && !fs::create_directories(folderArg, ec) && ec)
        throw Error("Cannot create folder \"" + folderArg + "\". " + ec.message());

    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    size_t finished = 0, failed = 0;
    auto progress = [&] {
        if (!terminal) return;
        std::cerr << "\rReports: " << finished << " of " << designs.size() << " done";
        if (failed) std::cerr << ", " << failed << " failed";
        std::cerr << "\033[K" << std::flush;
    };
    const std::string who = "velmo-cli report: ";
    progress();
    const auto results = RunInWorkers(
        designs.size(), jobs,
        [&](size_t i) { return ReportDesign(designs[i], kind, outputs[i]); },
        [&](size_t i, const TJobResult& r) {
            ++finished;
            if (!r.Ok) ++failed;
            if (terminal) std::cerr << "\r\033[K";
            for (const auto& w : r.Warnings)
                std::cerr << who << designs[i] << ": Warning: " << w << "\n";
            if (!r.Ok) std::cerr << who << designs[i] << ": " << r.Message << "\n";
            progress();
        });
    if (terminal) std::cerr << "\r\033[K" << std::flush;
    for (size_t i = 0; i < results.size(); ++i)
        if (results[i].Ok) std::cout << outputs[i] << " (" << PagesText(results[i].Pages) << ")\n";
    if (failed == 0) return 0;
    std::cerr << who << failed << " of " << designs.size()
              << (designs.size() == 1 ? " report" : " reports") << " failed.\n";
    return 1;
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
    std::string jobsText;
    long long jobs = UsableCores();
    if ((args.Option("-j", jobsText) || args.Option("--jobs", jobsText)) &&
        (!TryStrToInt(jobsText, jobs) || jobs < 1 || jobs > 256))
        UsageError("report --jobs needs a number of processes from 1 to 256");
    if (args.Rest().empty()) UsageError("report needs at least one design file");
    const TReportKind kind = azimuth ? rkAzimuth : elevation ? rkElevation : rkFull;

    // More than one design, or an output folder ("-o FOLDER/"): reports in a batch.
    if (args.Rest().size() > 1 || out.back() == '/')
        return RunBatch(args.Rest(), out, kind, static_cast<int>(jobs));

    const std::string& designFile = args.Rest().front();
    const int pages = ReportDesign(designFile, kind, out);
    std::cout << out << " (" << PagesText(pages) << ")\n";
    return 0;
}

const CommandRegistrar registrar{Command{
    "report",
    "report DESIGN.bcst -o OUT.pdf [--azimuth | --elevation]\n"
    "  report DESIGN.bcst... -o FOLDER/ [--jobs N] [--azimuth | --elevation]",
    "writes the design's report as PDF: the full report, or the azimuth or elevation pages;\n"
    "      several designs go to FOLDER/<design file name>.pdf, N at a time (one per core)",
    Run}};

}  // namespace
}  // namespace velmo::cli

#endif  // VELMO_HAVE_REPORT
