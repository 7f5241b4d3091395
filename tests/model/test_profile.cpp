// The sectioned key=value reader/writer: lookups, value forms, update in place,
// encodings and the all-or-nothing save.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "base/error.h"
#include "model/profile.h"
#include "test_support.h"

using namespace velmo;

TEST(Profile, LookupIgnoresCaseAndTrimsAndUnquotes) {
    TProfile p;
    p.SetText("; comment\r\n"
              "[Design]\r\n"
              "  CompanyName  =   ACME Broadcasting  \r\n"
              "quoted=\"  inner blanks kept  \"\r\n"
              "half=\"only one\r\n"
              "empty=\r\n"
              "eq=a=b\r\n"
              "dup=first\r\n"
              "dup=second\r\n"
              "[ other ]\n"
              "companyname=elsewhere\n");
    EXPECT_EQ(p.ReadString("DESIGN", "companyname", "d"), "ACME Broadcasting");
    EXPECT_EQ(p.ReadString("design", "QUOTED", "d"), "  inner blanks kept  ");
    EXPECT_EQ(p.ReadString("design", "half", "d"), "\"only one");
    EXPECT_EQ(p.ReadString("design", "empty", "d"), "");
    EXPECT_EQ(p.ReadString("design", "eq", "d"), "a=b");
    EXPECT_EQ(p.ReadString("design", "dup", "d"), "first");
    EXPECT_EQ(p.ReadString("design", "missing", "d"), "d");
    EXPECT_EQ(p.ReadString("nosection", "companyname", "d"), "d");
    EXPECT_EQ(p.ReadString("Other", "companyname", "d"), "elsewhere");
}

TEST(Profile, IntegersAndBooleans) {
    TProfile p;
    p.SetText("[s]\nd=-42\nh=0x1F\nd2=$ff\nbad=12abc\nbig=99999999999\nt=7\nf=0\nb=yes\n");
    EXPECT_EQ(p.ReadInteger("s", "d", 5), -42);
    EXPECT_EQ(p.ReadInteger("s", "h", 5), 31);
    EXPECT_EQ(p.ReadInteger("s", "d2", 5), 255);
    EXPECT_EQ(p.ReadInteger("s", "bad", 5), 5);
    EXPECT_EQ(p.ReadInteger("s", "big", 5), 5);
    EXPECT_EQ(p.ReadInteger("s", "none", 5), 5);
    EXPECT_TRUE(p.ReadBool("s", "t", false));
    EXPECT_FALSE(p.ReadBool("s", "f", true));
    EXPECT_TRUE(p.ReadBool("s", "b", true));
    EXPECT_FALSE(p.ReadBool("s", "b", false));
}

TEST(Profile, UpdateInPlaceKeepsEveryOtherLine) {
    TProfile p;
    p.SetText("; my notes\r\n"
              "[A]\r\n"
              "Keep=1\r\n"
              "x=old\r\n"
              "stray line\r\n"
              "\r\n"
              "[B]\r\n"
              "y=2\r\n");
    p.WriteString("a", "X", "new");     // replaced where it stands
    p.WriteString("A", "z", "added");   // appended after the section's last entry
    p.WriteString("B", "w", "3");       // appended at the end of the last section
    p.WriteString("C", "v", "4");       // new section at the end
    p.WriteString("A", "x", "a\r\nb");  // a line break never splits an entry
    EXPECT_EQ(p.Text(),
              "; my notes\r\n"
              "[A]\r\n"
              "Keep=1\r\n"
              "x=a  b\r\n"
              "stray line\r\n"
              "z=added\r\n"
              "\r\n"
              "[B]\r\n"
              "y=2\r\n"
              "w=3\r\n"
              "\r\n"
              "[C]\r\n"
              "v=4\r\n");
    EXPECT_EQ(p.ReadString("A", "x", ""), "a  b");
    EXPECT_EQ(p.ReadString("C", "V", ""), "4");
}

TEST(Profile, EncodingsOnDisk) {
    test::TempDir dir;
    // Windows-1252 without a mark: 0xAE is the registered sign, 0xE9 an e acute.
    std::string path = dir.Write("old.ini", std::string("[s]\r\nk=Caf\xE9 \xAE\r\n"));
    TProfile p;
    ASSERT_TRUE(p.LoadFromFile(path));
    EXPECT_EQ(p.ReadString("s", "k", ""), "Caf\u00E9 \u00AE");

    // Written back as Windows-1252 while every character fits...
    p.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path), std::string("[s]\r\nk=Caf\xE9 \xAE\r\n"));
    // ...and as UTF-8 with a mark once one does not.
    p.WriteString("s", "greek", "\u03A9");
    p.SaveToFile(path);
    EXPECT_EQ(test::ReadAll(path),
              "\xEF\xBB\xBF[s]\r\nk=Caf\u00E9 \u00AE\r\ngreek=\u03A9\r\n");
    TProfile back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(back.ReadString("s", "greek", ""), "\u03A9");
    EXPECT_EQ(back.ReadString("s", "k", ""), "Caf\u00E9 \u00AE");

    // UTF-16 LE with a mark.
    std::string u16 = "\xFF\xFE";
    for (char c : std::string("[s]\r\nk=v\r\n")) {
        u16 += c;
        u16 += '\0';
    }
    TProfile w;
    ASSERT_TRUE(w.LoadFromFile(dir.Write("u16.ini", u16)));
    EXPECT_EQ(w.ReadString("s", "k", ""), "v");

    EXPECT_FALSE(w.LoadFromFile(dir.File("missing.ini")));
    EXPECT_TRUE(w.Lines().empty());
}

TEST(Profile, FailedSaveLeavesTheOldFile) {
    test::TempDir dir;
    TProfile p;
    p.WriteString("s", "k", "old");
    const std::string path = dir.File("design.ini");
    p.SaveToFile(path);
    const std::string before = test::ReadAll(path);

    // A folder that does not exist.
    const std::string missing = dir.File("no/such/folder") + "/x.ini";
    try {
        p.SaveToFile(missing);
        FAIL() << "saved into a missing folder";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + missing);
    }

    // A write that fails half-way (the file size limit stops it even for root):
    // the old file keeps its contents and no temporary file stays behind.
    TProfile big;
    for (int i = 0; i < 2000; ++i) big.WriteString("s", "k" + std::to_string(i), "value");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool threw = false;
    try {
        big.SaveToFile(path);
    } catch (const Error& e) {
        threw = true;
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(test::ReadAll(path), before);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2);  // design.ini and the "no" folder
}

TEST(Profile, SavingThroughALinkUpdatesTheFileItNames) {
    test::TempDir dir;
    TProfile p;
    p.WriteString("s", "k", "v");
    const std::string real = dir.File("real.ini");
    p.SaveToFile(real);
    const std::string link = dir.File("link.ini");
    std::filesystem::create_symlink(real, link);
    p.WriteString("s", "k", "through the link");
    p.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::ReadAll(real), "[s]\r\nk=through the link\r\n");
}

namespace {
// Permissions do not bind root: when the tests run as root, `body` runs in a child
// process that has dropped to the unprivileged user "nobody". Returns the failures
// `body` reports (empty when it passed).
std::string AsUnprivileged(const std::function<std::string()>& body) {
    if (geteuid() != 0) return body();
    int fds[2];
    if (pipe(fds) != 0) return "pipe failed";
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::string r = setgid(65534) == 0 && setuid(65534) == 0 ? body() : "cannot drop privileges";
        if (!r.empty() && write(fds[1], r.data(), r.size()) < 0) _exit(2);
        _exit(0);
    }
    close(fds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) out += " (child failed)";
    return out;
}
}  // namespace

TEST(Profile, ReadOnlyFolderAndFile) {
    test::TempDir dir;
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
    TProfile p;
    p.WriteString("s", "k", "v");
    const std::string path = dir.File("ro/design.ini");
    p.SaveToFile(path);
    std::filesystem::permissions(dir.Path() / "ro",
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::string file = dir.File("rofile.ini");
    p.WriteString("s", "k", "changed");
    p.SaveToFile(file);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);

    const std::string failures = AsUnprivileged([&] {
        std::string f;
        auto refused = [&](const std::string& target, const std::string& value) {
            TProfile q;
            q.WriteString("s", "k", value);
            try {
                q.SaveToFile(target);
                f += "saved " + target + "; ";
            } catch (const Error& e) {
                if (std::string(e.what()) != "Unable to write to " + target) f += std::string("message: ") + e.what() + "; ";
            }
        };
        refused(path, "changed");
        if (test::ReadAll(path) != "[s]\r\nk=v\r\n") f += "read-only folder: old file changed; ";
        refused(file, "again");
        if (test::ReadAll(file) != "[s]\r\nk=changed\r\n") f += "read-only file: old file changed; ";
        return f;
    });
    EXPECT_EQ("", failures);
}
