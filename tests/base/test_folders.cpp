#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.h"
#include "base/fileio.h"
#include "base/folders.h"
#include "base/textcodec.h"
#include "refdata/texttable.h"
#include "test_support.h"

using namespace velmo;

TEST(Folders, FifteenNamesEachEndingInOneSeparator) {
    for (std::string base : {"/opt/my velmo", "/opt/my velmo/", "/opt/my velmo//"}) {
        TFolders f = MakeFolders(base);
        const std::string* all[] = {&f.AppPath, &f.DataPath, &f.PatternsPath, &f.AzimuthHPolPath,
                                    &f.AzimuthVPolPath, &f.ElevationHPolPath, &f.ElevationVPolPath,
                                    &f.FMDataPath, &f.FMPatternsPath, &f.FMAzimuthHPolPath,
                                    &f.FMAzimuthVPolPath, &f.FMAzimuthCPolPath, &f.FMElevationHPolPath,
                                    &f.FMElevationVPolPath, &f.FMElevationCPolPath};
        for (const std::string* s : all) {
            ASSERT_GE(s->size(), 2u);
            EXPECT_EQ('/', s->back()) << *s;
            EXPECT_NE('/', (*s)[s->size() - 2]) << *s;
        }
        EXPECT_EQ("/opt/my velmo/", f.AppPath);
        EXPECT_EQ("/opt/my velmo/FM data/", f.FMDataPath);
        EXPECT_EQ("/opt/my velmo/FM patterns/elevation/cpol/", f.FMElevationCPolPath);
        EXPECT_EQ("/opt/my velmo/patterns/azimuth/vpol/", f.AzimuthVPolPath);
    }
}

TEST(Folders, TablesOpenFromAnInstallationWhosePathHasBlanks) {
    test::TempDir dir;
    std::string install = dir.File("Program Files/Velmo 1");
    std::filesystem::create_directories(install + "/FM data");
    dir.Write("Program Files/Velmo 1/FM data/tblRadomes.txt", "FAMILYID|RADOME\r\nRNVX|Y\r\nBKX|N\r\n");
    TFolders f = MakeFolders(install);
    TTextTable t;
    t.LoadFromFile(f.FMDataPath + "tblRadomes.txt");
    EXPECT_EQ("RNVX", t.Field("FAMILYID"));
}

TEST(Folders, ExecutableFolderIsWhereTheTestRuns) {
    std::string dir = ExecutableFolder();
    EXPECT_EQ('/', dir.back());
    EXPECT_TRUE(std::filesystem::exists(dir + "test_model"));
}

TEST(FileIO, AtomicWriteReplacesAndChangeFileExt) {
    test::TempDir dir;
    std::string path = dir.File("a.txt");
    WriteFileAtomic(path, "one");
    WriteFileAtomic(path, "two");
    EXPECT_EQ("two", test::ReadAll(path));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()),
                               std::filesystem::directory_iterator()));
    EXPECT_THROW(WriteFileAtomic((dir.Path() / "missing" / "x").string(), "y"), Error);
    EXPECT_EQ("/a/b.pat", ChangeFileExt("/a/b.txt", ".pat"));
    EXPECT_EQ("/a.d/b.pat", ChangeFileExt("/a.d/b", ".pat"));
}

TEST(TextCodec, Windows1252AndUtf8) {
    EXPECT_EQ("\xC2\xAE \xC3\xA9 \xE2\x82\xAC", Windows1252ToUtf8("\xAE \xE9 \x80"));
    std::string back;
    ASSERT_TRUE(Utf8ToWindows1252("\xC2\xAE \xC3\xA9 \xE2\x82\xAC", back));
    EXPECT_EQ("\xAE \xE9 \x80", back);
    EXPECT_FALSE(Utf8ToWindows1252("\xE4\xB8\xAD", back));  // a CJK character
    EXPECT_FALSE(Utf8ToWindows1252("\xC3", back));          // truncated sequence
}
