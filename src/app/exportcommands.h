#pragma once
// The "Export Patterns" menu commands: a save dialog proposing the design's part
// number, then one file per pattern slot of the current design (a TV design with
// elliptical polarization writes its horizontal and vertical slots from one choice).
#include <string>
#include <vector>

#include "export/patternexport.h"
#include "wizard/userinterface.h"

namespace velmo {

class TBroadcastDesign;

// The save dialog the command shows for `format`.
TFileDialogSpec ExportDialogSpec(TBroadcastDesign& design, TExportFormat format);
// Asks for the file name through UI() and writes the files; returns the names
// written (none when the dialog was cancelled or the design has nothing to export).
// A pattern that cannot be exported throws Error before any file is written; a file
// that cannot be written throws Error with its message.
std::vector<std::string> ExportPatterns(TBroadcastDesign& design, TExportFormat format);

}  // namespace velmo
