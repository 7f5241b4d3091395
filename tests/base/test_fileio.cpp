#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/error.h"
#include "base/fileio.h"
#include "test_support.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

// The message of the Error `f` throws, or "no error".
template <typename F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

// Every name in the folder: a failed write must not leave its temporary file behind.
std::string Listing(const fs::path& dir) {
    std::string names;
    for (const auto& e : fs::directory_iterator(dir)) names += e.path().filename().string() + " ";
    return names;
}

TEST(ReadRegularFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const struct {
        std::string Path;
        std::string Reason;
    } cases[] = {
        {fifo, "It is not a regular file."},  // opening would wait for a writer
        {"/dev/zero", "It is not a regular file."},  // would never end
        {dir.Path().string(), "Is a directory"},
        {dir.File("missing"), "No such file or directory"},
    };
    for (const auto& c : cases) {
        try {
            ReadRegularFile(c.Path, 1000);
            ADD_FAILURE() << c.Path << " was read";
        } catch (const TFileError& e) {
            EXPECT_EQ(e.Reason(), c.Reason) << c.Path;
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + c.Path + "\". " + c.Reason);
        }
    }
}

TEST(ReadRegularFile, ReadsUpToItsBoundAndRefusesALargerFile) {
    test::TempDir dir;
    const std::string exact = dir.Write("exact", std::string(4096, 'a'));
    EXPECT_EQ(ReadRegularFile(exact, 4096), std::string(4096, 'a'));
    EXPECT_EQ(ReadRegularFile(dir.Write("empty", ""), 10), "");
    const std::string over = dir.Write("over", std::string(4097, 'a'));
    EXPECT_NE(ErrorOf([&] { ReadRegularFile(over, 4096); }).find("It is larger than"),
              std::string::npos);
}

TEST(WriteFileAtomic, AFileSizeLimitFailsTheWriteAndKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.Write("out.dat", "previous contents");
    const std::string failures = test::WithFileSizeLimit(64 * 1024, [&] {
        const std::string message = ErrorOf([&] { WriteFileAtomic(path, std::string(200000, 'x')); });
        if (message != "Unable to write to " + path + ". File too large") return "message: " + message;
        return std::string();
    });
    EXPECT_EQ("", failures);
    EXPECT_EQ(test::ReadAll(path), "previous contents");
    EXPECT_EQ(Listing(dir.Path()), "out.dat ");
}

TEST(WriteFileAtomic, RefusesTargetsThatAreNotWritableRegularFiles) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string folder = dir.File("folder/x");
    const std::string readOnly = dir.Write("readonly.dat", "kept");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // Write-protection binds root too: a file without any write bit is refused.
    const struct {
        std::string Path;
        std::string Reason;
    } cases[] = {
        {fifo, "It is not a regular file."},
        {dir.Path().string() + "/folder", "Is a directory"},
        {readOnly, "Permission denied"},
        {dir.Path().string() + "/no such folder/x.dat", "No such file or directory"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(c.Path, "new"); }),
                  "Cannot create file \"" + c.Path + "\". " + c.Reason);
    }
    struct stat st {};
    ASSERT_EQ(0, lstat(fifo.c_str(), &st));
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder"));
    EXPECT_EQ(test::ReadAll(readOnly), "kept");
    (void)folder;
}

TEST(WriteFileAtomic, WritesThroughLinksAndKeepsTheReplacedFilesMode) {
    test::TempDir dir;
    const std::string real = dir.Write("sub/real.dat", "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string link = dir.File("link.dat");
    fs::create_symlink("sub/real.dat", link);  // relative to the link's folder
    const std::string link2 = dir.File("link2.dat");
    fs::create_symlink(link, link2);  // a link to a link
    WriteFileAtomic(link2, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(link2));
    EXPECT_EQ(test::ReadAll(real), "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Listing(dir.Path() / "sub"), "real.dat ");

    // A link whose target does not exist yet creates the target.
    const std::string dangling = dir.File("dangling.dat");
    fs::create_symlink("sub/made.dat", dangling);
    WriteFileAtomic(dangling, "made");
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(test::ReadAll(dir.File("sub/made.dat")), "made");

    const std::string loop = dir.File("loop");
    fs::create_symlink("loop", loop);
    EXPECT_NE(ErrorOf([&] { WriteFileAtomic(loop, "x"); }).find("Cannot create file"),
              std::string::npos);
}

TEST(SameFile, ComparesTheFilesNotTheNames) {
    test::TempDir dir;
    const std::string a = dir.Write("a.bcst", "x");
    const std::string b = dir.Write("b.bcst", "x");
    const std::string link = dir.File("l.bcst");
    fs::create_symlink(a, link);
    EXPECT_TRUE(SameFile(a, link));
    EXPECT_TRUE(SameFile(a, dir.Path().string() + "/./a.bcst"));
    EXPECT_FALSE(SameFile(a, b));
    EXPECT_FALSE(SameFile(a, dir.File("missing")));
}

}  // namespace
}  // namespace velmo
