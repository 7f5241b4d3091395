#include "app/exportcommands.h"

#include "model/design.h"
#include "product/partnumber.h"

namespace velmo {

namespace {
const char* FormatName(TExportFormat format) {
    switch (format) {
        case efEDX:
            return "EDX";
        case efPlanet:
            return "Planet";
        case efCSV:
            return "CSV";
        case efMSI:
            return "MSI";
        case efSPLAT:
            return "SPLAT!";
    }
    return "file";
}
}  // namespace

TFileDialogSpec ExportDialogSpec(TBroadcastDesign& design, TExportFormat format) {
    TFileDialogSpec spec;
    spec.Title = std::string("Export Patterns to ") + FormatName(format);
    spec.Filter = "All Files (*.*)|*.*";
    // The proposal is the part number; building it here changes nothing in the design.
    std::string inputType = design.InputType();
    spec.FileName = BuildPartNumber(design.PartNumberInputs(), inputType);
    spec.OverwritePrompt = false;
    return spec;
}

std::vector<std::string> ExportPatterns(TBroadcastDesign& design, TExportFormat format) {
    if (ExportPatternTypes(design).empty()) return {};
    const std::optional<std::string> chosen = UI().SaveFileName(ExportDialogSpec(design, format));
    if (!chosen || chosen->empty()) return {};
    return ExportDesign(format, *chosen, design);
}

}  // namespace velmo
