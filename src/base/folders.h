#pragma once
// The fifteen installation folders, computed once at start-up from the location of
// the executable. Every name is a full path ending in exactly one "/".
#include <string>

namespace velmo {

struct TFolders {
    std::string AppPath;
    std::string DataPath;
    std::string PatternsPath;
    std::string AzimuthHPolPath;
    std::string AzimuthVPolPath;
    std::string ElevationHPolPath;
    std::string ElevationVPolPath;
    std::string FMDataPath;
    std::string FMPatternsPath;
    std::string FMAzimuthHPolPath;
    std::string FMAzimuthVPolPath;
    std::string FMAzimuthCPolPath;
    std::string FMElevationHPolPath;
    std::string FMElevationVPolPath;
    std::string FMElevationCPolPath;
};

// Builds the fifteen names below an installation folder (a trailing "/" is optional).
TFolders MakeFolders(const std::string& installFolder);
// The folder that holds the running executable (/proc/self/exe), with a trailing "/".
std::string ExecutableFolder();

// The process-wide names. InitFolders sets them; before it runs they are computed
// from the executable's own folder on first use.
const TFolders& Folders();
void InitFolders(const std::string& installFolder);
void InitFoldersFromExecutable();

inline const std::string& AppPath() { return Folders().AppPath; }
inline const std::string& DataPath() { return Folders().DataPath; }
inline const std::string& PatternsPath() { return Folders().PatternsPath; }
inline const std::string& AzimuthHPolPath() { return Folders().AzimuthHPolPath; }
inline const std::string& AzimuthVPolPath() { return Folders().AzimuthVPolPath; }
inline const std::string& ElevationHPolPath() { return Folders().ElevationHPolPath; }
inline const std::string& ElevationVPolPath() { return Folders().ElevationVPolPath; }
inline const std::string& FMDataPath() { return Folders().FMDataPath; }
inline const std::string& FMPatternsPath() { return Folders().FMPatternsPath; }
inline const std::string& FMAzimuthHPolPath() { return Folders().FMAzimuthHPolPath; }
inline const std::string& FMAzimuthVPolPath() { return Folders().FMAzimuthVPolPath; }
inline const std::string& FMAzimuthCPolPath() { return Folders().FMAzimuthCPolPath; }
inline const std::string& FMElevationHPolPath() { return Folders().FMElevationHPolPath; }
inline const std::string& FMElevationVPolPath() { return Folders().FMElevationVPolPath; }
inline const std::string& FMElevationCPolPath() { return Folders().FMElevationCPolPath; }

}  // namespace velmo
