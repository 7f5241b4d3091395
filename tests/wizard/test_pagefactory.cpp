#include <gtest/gtest.h>

#include "wizard/pagefactory.h"

namespace velmo {

TEST(PageFactory, StepToPageClassBySystemTypeAndFamily) {
    struct Case {
        int Step;
        const char* System;
        const char* Family;
        const char* Class;
    } cases[] = {
        {1, "TV", "KVR", "TfrmOptions"},          {1, "TV", "CTM", "TfrmOptions"},
        {1, "FM", "RNVX", "TfrmFMOptions"},       {1, "FM", "CTM", "TfrmFMOptions"},
        {2, "TV", "KVR", "TfrmAzimuth"},          {2, "TV", "CTM", "TfrmCustomAzimuth"},
        {2, "FM", "RNVX", "TfrmFMAzimuth"},       {2, "FM", "CTM", "TfrmFMCustomAzimuth"},
        {3, "TV", "KVR", "TfrmElevation"},        {3, "TV", "CTM", "TfrmCustomElevation"},
        {3, "FM", "RNVX", "TfrmFMElevation"},     {3, "FM", "CTM", "TfrmFMCustomElevation"},
        {4, "TV", "KVR", "TfrmLines"},            {4, "FM", "CTM", "TfrmLines"},
        {4, "", "", "TfrmLines"},                 {5, "TV", "CTM", "TfrmAnalysis"},
        {5, "FM", "RNVX", "TfrmFMAnalysis"},      {1, "", "KVR", ""},
        {2, "tv", "KVR", ""},                     {5, "", "", ""},
        {0, "TV", "KVR", ""},                     {6, "TV", "KVR", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageClassFor(c.Step, c.System, c.Family), c.Class)
            << c.Step << " " << c.System << " " << c.Family;
}

}  // namespace velmo

#include "wizard/azimuthpages.h"
#include "wizard/custompages.h"
#include "wizard/elevationpages.h"

namespace velmo {

TEST(PageFactory, CreatesThePatternPages) {
    TWizardButton next;
    auto is = [&](const char* name, auto* typed) {
        std::unique_ptr<TWizardPage> page = CreateWizardPage(name, next);
        return page && dynamic_cast<decltype(typed)>(page.get()) != nullptr;
    };
    EXPECT_TRUE(is("TfrmAzimuth", static_cast<TfrmAzimuth*>(nullptr)));
    EXPECT_TRUE(is("TfrmFMAzimuth", static_cast<TfrmFMAzimuth*>(nullptr)));
    EXPECT_TRUE(is("TfrmElevation", static_cast<TfrmElevation*>(nullptr)));
    EXPECT_TRUE(is("TfrmFMElevation", static_cast<TfrmFMElevation*>(nullptr)));
    EXPECT_TRUE(is("TfrmCustomAzimuth", static_cast<TfrmCustomAzimuth*>(nullptr)));
    EXPECT_TRUE(is("TfrmFMCustomAzimuth", static_cast<TfrmFMCustomAzimuth*>(nullptr)));
    EXPECT_TRUE(is("TfrmCustomElevation", static_cast<TfrmCustomElevation*>(nullptr)));
    EXPECT_TRUE(is("TfrmFMCustomElevation", static_cast<TfrmFMCustomElevation*>(nullptr)));
    EXPECT_FALSE(is("TfrmCustomAzimuth", static_cast<TfrmFMCustomAzimuth*>(nullptr)));
}

}  // namespace velmo
