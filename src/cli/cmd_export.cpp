// velmo-cli export: writes a design's patterns for coverage-prediction tools, the
// slots chosen as the desktop program's export menu chooses them.
#include <iostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "cli/command.h"
#include "export/patternexport.h"
#include "model/design.h"

namespace velmo::cli {
namespace {

int Run(const std::vector<std::string>& argv) {
    Args args(argv);
    std::string output;
    if (!args.Option("-o", output) && !args.Option("--output", output))
        UsageError("export needs -o NAME");
    if (output.empty()) UsageError("export needs a non-empty output name");
    const std::vector<std::string>& rest = args.Rest();
    if (rest.size() != 2) UsageError("usage: velmo-cli export {edx|planet|csv|msi|splat} DESIGN.bcst -o NAME");
    TExportFormat format;
    if (rest[0] == "edx") {
        format = efEDX;
    } else if (rest[0] == "planet") {
        format = efPlanet;
    } else if (rest[0] == "csv") {
        format = efCSV;
    } else if (rest[0] == "msi") {
        format = efMSI;
    } else if (rest[0] == "splat") {
        format = efSPLAT;
    } else {
        UsageError("unknown export layout '" + rest[0] + "' (edx, planet, csv, msi or splat)");
    }
    const std::string& designFile = rest[1];
    if (!CheckDesignHeader(designFile))
        throw Error("Unable to open file. \"" + designFile + "\" is not a readable design file.");
    std::unique_ptr<TBroadcastDesign> design = LoadDesignFile(designFile);
    if (!CanExportPatterns(*design))
        throw Error("Custom (CTM) designs have no pattern export.");
    std::vector<std::string> written = ExportDesign(format, output, *design);
    if (written.empty())
        throw Error("The design's system type \"" + design->DesignInfo.SystemType +
                    "\" is neither TV nor FM: no pattern to export.");
    for (const std::string& name : written) std::cout << name << "\n";
    return 0;
}

const CommandRegistrar registrar({
    "export",
    "export {edx|planet|csv|msi|splat} DESIGN.bcst -o NAME",
    "write the design's patterns as EDX, Planet, CSV, standard MSI or .az/.el files (NAME "
    "with the layout's suffix in place of its extension); prints the files written",
    Run,
});

}  // namespace
}  // namespace velmo::cli
