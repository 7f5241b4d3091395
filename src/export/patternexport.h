#pragma once
// Pattern files for coverage-prediction tools: EDX (".dat"), Planet (".pln") and a
// comma-delimited layout (".csv"). Each file holds one pattern slot of a design: the
// slot's azimuth pattern turned by the design's rotation, and its elevation pattern.
// Files are 8-bit Windows-1252 text without a byte-order mark, every line (the last
// included) ended by CR LF; numbers use the program's decimal separator.
// The standard MSI layout (".msi") and the ".az"/".el" pair (export/coverageexport.h)
// go through the same names and commands.
#include <string>
#include <vector>

#include "base/types.h"

namespace velmo {

class TBroadcastDesign;

enum TExportFormat { efEDX = 0, efPlanet = 1, efCSV = 2, efMSI = 3, efSPLAT = 4 };

// The output name: `fileName` with its extension (from the last "." of the file name
// part) replaced by the layout's suffix for the slot, or the suffix appended when there
// is none: "/out/AB12.txt", efPlanet, ptHorizontal -> "/out/AB12_horizontal.pln".
std::string ExportFileName(const std::string& fileName, TExportFormat format,
                           TPatternType patternType);
// The output name without folder and extension, as the Planet and CSV files name
// themselves: "/out/AB12_horizontal.pln" -> "AB12_horizontal".
std::string ExportBaseName(const std::string& outputName);

// The export menu is offered for every design except custom ("CTM") ones.
bool CanExportPatterns(const TBroadcastDesign& design);
// The slots the export menu writes: TV ptHorizontal, followed by ptVertical when the
// polarization code is "E"; FM ptFM; custom designs (and designs of no known system
// type) nothing.
std::vector<TPatternType> ExportPatternTypes(const TBroadcastDesign& design);

// The complete bytes of one file. Each loads the slot's points (a pattern already
// loaded is not read again) and rebuilds the azimuth pattern's rotated list; nothing
// else in the design changes (the part number is built without touching InputType).
// Throws Error when the azimuth pattern does not hold a point for every degree.
std::string EDXText(TPatternType patternType, TBroadcastDesign& design);
std::string PlanetText(const std::string& baseName, TPatternType patternType,
                       TBroadcastDesign& design);
std::string CSVText(const std::string& baseName, TPatternType patternType,
                    TBroadcastDesign& design);
// The text of `format` for the file `outputName` (an ExportFileName result); for
// efSPLAT the ".az" text.
std::string ExportText(TExportFormat format, const std::string& outputName,
                       TPatternType patternType, TBroadcastDesign& design);

// Each builds the whole text, then writes it to ExportFileName(fileName, ...) through a
// temporary file and a rename (an existing file is replaced; on any failure it is left
// as it was). Returns the name written (efSPLAT writes the slot's ".az" and ".el" files
// and returns the ".az" name). A file that cannot be created throws Error
// "Cannot create file \"<name>\". <reason>".
std::string ExportEDX(const std::string& fileName, TPatternType patternType,
                      TBroadcastDesign& design);
std::string ExportPlanet(const std::string& fileName, TPatternType patternType,
                         TBroadcastDesign& design);
std::string ExportCSV(const std::string& fileName, TPatternType patternType,
                      TBroadcastDesign& design);
std::string ExportPattern(TExportFormat format, const std::string& fileName,
                          TPatternType patternType, TBroadcastDesign& design);

// The export command after the file name has been chosen: one file per slot of
// ExportPatternTypes. The texts of all slots are built and every target is checked
// and written aside before the first file is replaced, so a slot that cannot be
// exported, or one target that is refused or cannot be written, leaves every file as
// it was. Returns the names written, in slot order (efSPLAT: ".az" then ".el" of each
// slot; empty for a custom design).
std::vector<std::string> ExportDesign(TExportFormat format, const std::string& fileName,
                                      TBroadcastDesign& design);

}  // namespace velmo
