#include "base/folders.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace velmo {

TFolders MakeFolders(const std::string& installFolder) {
    std::string app = installFolder;
    while (app.size() > 1 && app.back() == '/') app.pop_back();
    if (app != "/") app += '/';
    TFolders f;
    f.AppPath = app;
    f.DataPath = app + "data/";
    f.PatternsPath = app + "patterns/";
    f.AzimuthHPolPath = f.PatternsPath + "azimuth/hpol/";
    f.AzimuthVPolPath = f.PatternsPath + "azimuth/vpol/";
    f.ElevationHPolPath = f.PatternsPath + "elevation/hpol/";
    f.ElevationVPolPath = f.PatternsPath + "elevation/vpol/";
    f.FMDataPath = app + "FM data/";
    f.FMPatternsPath = app + "FM patterns/";
    f.FMAzimuthHPolPath = f.FMPatternsPath + "azimuth/hpol/";
    f.FMAzimuthVPolPath = f.FMPatternsPath + "azimuth/vpol/";
    f.FMAzimuthCPolPath = f.FMPatternsPath + "azimuth/cpol/";
    f.FMElevationHPolPath = f.FMPatternsPath + "elevation/hpol/";
    f.FMElevationVPolPath = f.FMPatternsPath + "elevation/vpol/";
    f.FMElevationCPolPath = f.FMPatternsPath + "elevation/cpol/";
    return f;
}

std::string ExecutableFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::current_path(ec) / "velmo";
    std::string dir = exe.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

namespace {
std::unique_ptr<TFolders> gFolders;
}

const TFolders& Folders() {
    if (!gFolders) InitFoldersFromExecutable();
    return *gFolders;
}

void InitFolders(const std::string& installFolder) {
    gFolders = std::make_unique<TFolders>(MakeFolders(installFolder));
}

void InitFoldersFromExecutable() { InitFolders(ExecutableFolder()); }

}  // namespace velmo
