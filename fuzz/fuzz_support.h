#pragma once
// Shared by the libFuzzer targets: a private copy of the installation's pattern and
// data folders in a temporary folder, so a target can place its input where the
// program looks for a file and read it through the ordinary loading code.
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/folders.h"

namespace velmo::fuzz {

// Creates an empty installation tree under a fresh temporary folder and makes it the
// process-wide installation. Returns its folder (with a trailing "/").
inline std::string MakeScratchInstallation() {
    std::string tmpl = "/tmp/velmo-fuzz-XXXXXX";
    if (!mkdtemp(tmpl.data())) std::abort();
    InitFolders(tmpl);
    for (const std::string& f :
         {Folders().DataPath, Folders().AzimuthHPolPath, Folders().ElevationHPolPath,
          Folders().FMAzimuthHPolPath, Folders().FMElevationHPolPath}) {
        const std::string cmd = "mkdir -p '" + f + "'";
        if (std::system(cmd.c_str()) != 0) std::abort();
    }
    return Folders().AppPath;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

}  // namespace velmo::fuzz
