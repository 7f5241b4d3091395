#pragma once
// Shared set-up of the step 1 page tests: a fresh working design, the sample
// installation (or a copy of it with tables replaced or removed), a scripted UI.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/folders.h"
#include "model/design.h"
#include "scripted_ui.h"
#include "test_support.h"
#include "wizard/optionbutton.h"
#include "wizard/wizardpage.h"

namespace velmo::test {

class StepOneTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitFolders(BinDir());
        TBroadcastDesign fresh;
        WorkingDesign().Assign(fresh);
    }
    void TearDown() override { InitFolders(BinDir()); }

    // Copies the sample data folders into a temporary installation, writes `files`
    // over them (an empty text removes the file) and points the folders at it.
    void UseInstall(const std::map<std::string, std::string>& files) {
        namespace fs = std::filesystem;
        for (const char* sub : {"data", "FM data"})
            fs::copy(fs::path(BinDir()) / sub, FInstall.Path() / sub,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        for (const auto& [name, text] : files) {
            if (text.empty()) fs::remove(FInstall.Path() / name);
            else FInstall.Write(name, text);
        }
        InitFolders(FInstall.Path().string());
    }

    // Indexes of the enabled (or selected) buttons of a group.
    static std::vector<int> Enabled(const TOptionGroup& g) {
        std::vector<int> out;
        for (size_t i = 0; i < g.size(); ++i)
            if (g[i].Enabled) out.push_back(static_cast<int>(i));
        return out;
    }
    static std::string SelectedKey(const TOptionGroup& g) {
        const int i = SelectedIndex(g);
        return i < 0 ? "-" : g[static_cast<size_t>(i)].Key;
    }

    TWizardButton Next;
    ScriptedUI UIScript;
    TempDir FInstall;
};

}  // namespace velmo::test
