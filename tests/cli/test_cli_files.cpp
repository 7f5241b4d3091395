// velmo-cli against hostile designs and outputs: every run must end, say what went
// wrong, and leave the files it was pointed at as they were.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/folders.h"
#include "test_support.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using test::ShellQuote;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

test::CliOptions Timeout(int seconds) {
    test::CliOptions o;
    o.TimeoutSeconds = seconds;
    return o;
}
test::CliOptions FileSizeLimit(size_t bytes) {
    test::CliOptions o;
    o.FileSizeLimit = bytes;
    return o;
}
test::CliOptions StdOut(const std::string& path) {
    test::CliOptions o;
    o.StdOut = path;
    return o;
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::string Sample(const std::string& name) { return AppPath() + "samples/" + name + ".bcst"; }

// A copy of a sample design with one line replaced (`from` must be a whole line).
std::string Patched(const test::TempDir& dir, const std::string& sample, const std::string& from,
                    const std::string& to, const std::string& name = "patched.bcst") {
    std::string text = test::ReadAll(Sample(sample));
    const size_t at = text.find(from + "\r\n");
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return dir.Write(name, text);
}

TEST(CliFiles, AbsurdBayCountsAreBoundedWithAWarning) {
    test::TempDir dir;
    const struct {
        std::string Count;
        std::string Used;
    } cases[] = {{"2147483647", "1000"}, {"20000000", "1000"}, {"-2147483648", "0"}};
    for (const auto& c : cases) {
        const std::string design =
            Patched(dir, "240c_fm", "fm_baycount=4", "fm_baycount=" + c.Count);
        const auto r = test::RunCliWith("info " + ShellQuote(design), Timeout(20));
        EXPECT_EQ(r.Status, 0) << c.Count << r.Err;
        EXPECT_TRUE(Has(r.Out, "BayCount: " + c.Used + "\n")) << c.Count;
        EXPECT_TRUE(Has(r.Err, "Warning: The design's fm_baycount of " + c.Count +
                                   " lies outside 0 to 1000; " + c.Used + " is used."))
            << r.Err;
        // The report (bay count on the mechanical page) is written too.
        const auto rep = test::RunCliWith(
            "report " + ShellQuote(design) + " -o " + ShellQuote(dir.File("b.pdf")),
            Timeout(60));
        EXPECT_EQ(rep.Status, 0) << c.Count << rep.Err;
    }
}

TEST(CliFiles, AWriteBeyondTheFileSizeLimitFailsAndKeepsThePreviousFile) {
    test::TempDir dir;
    const std::string pdf = dir.Write("old.pdf", "the previous report");
    const std::string edx = dir.Write("old_horizontal.dat", "the previous export");
    const struct {
        std::string Args;
        std::string Target;
        size_t Limit;
    } cases[] = {
        {"report " + ShellQuote(Sample("kvr_horizontal_ch34")) + " -o " + ShellQuote(pdf), pdf,
         64 * 1024},
        {"export edx " + ShellQuote(Sample("kvr_horizontal_ch34")) + " -o " +
             ShellQuote(dir.File("old.txt")),
         edx, 2048},
    };
    for (const auto& c : cases)
        for (bool signalDefault : {false, true}) {  // as a shell's "ulimit -f" leaves it
            const std::string before = test::ReadAll(c.Target);
            test::CliOptions o = FileSizeLimit(c.Limit);
            o.SIGXFSZDefault = signalDefault;
            const auto r = test::RunCliWith(c.Args, o);
            EXPECT_EQ(r.Status, 1) << c.Args;
            EXPECT_TRUE(Has(r.Err, "Unable to write to " + c.Target + ". File too large")) << r.Err;
            EXPECT_EQ(r.Out, "");  // nothing reported as written
            EXPECT_EQ(test::ReadAll(c.Target), before);
        }
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.Path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 2);  // no temporary file left behind
}

// An export of several files replaces none of them when one target is refused or one
// write fails: the files are written aside and renamed only when all are complete.
TEST(CliFiles, AnExportOfSeveralFilesIsAllOrNothing) {
    test::TempDir dir;
    const std::string az = dir.Write("p.az", "the previous .az");
    const std::string el = dir.Write("p.el", "the previous .el");
    const std::string h = dir.Write("two_horizontal.dat", "the previous horizontal");
    const std::string v = dir.Write("two_vertical.dat", "the previous vertical");
    const std::string splat =
        "export splat " + ShellQuote(Sample("rnvx_circular_fm")) + " -o " + ShellQuote(dir.File("p.txt"));
    const std::string edx = "export edx " + ShellQuote(Sample("miraldo_uhf_elliptical_top")) + " -o " +
                            ShellQuote(dir.File("two.txt"));
    const auto readOnly = [](const std::string& f) {
        fs::permissions(f, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    };
    const auto writable = [](const std::string& f) {
        fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write);
    };
    const struct {
        std::string Args;
        std::string Protected;  // made read-only for the run; empty: none
        test::CliOptions Options;
        std::string Message;
    } cases[] = {
        {splat, el, Timeout(30), "Cannot create file \"" + el + "\". Permission denied"},
        {edx, v, Timeout(30), "Cannot create file \"" + v + "\". Permission denied"},
        // The .az text (4.5 kB) fits under the limit, the .el text (149 kB) does not.
        {splat, "", FileSizeLimit(16 * 1024), "Unable to write to " + el + ". File too large"},
    };
    for (const auto& c : cases) {
        if (!c.Protected.empty()) readOnly(c.Protected);
        const auto r = test::RunCliWith(c.Args, c.Options);
        if (!c.Protected.empty()) writable(c.Protected);
        EXPECT_EQ(r.Status, 1) << c.Args;
        EXPECT_TRUE(Has(r.Err, c.Message)) << c.Args << ": " << r.Err;
        EXPECT_EQ(r.Out, "") << c.Args;
        EXPECT_EQ(test::ReadAll(az), "the previous .az");
        EXPECT_EQ(test::ReadAll(el), "the previous .el");
        EXPECT_EQ(test::ReadAll(h), "the previous horizontal");
        EXPECT_EQ(test::ReadAll(v), "the previous vertical");
    }
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.Path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 4);  // no temporary file left behind
}

TEST(CliFiles, OneRuleForEveryOutputTarget) {
    test::TempDir dir;
    const std::string design = Sample("kvr_horizontal_ch34");
    const std::string fifo = dir.File("fifo.pdf");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    ASSERT_EQ(0, mkfifo(dir.File("fifo_horizontal.dat").c_str(), 0600));
    fs::create_directories(dir.Path() / "folder.pdf");
    fs::create_directories(dir.Path() / "folder_horizontal.dat");
    const std::string ro = dir.Write("ro.pdf", "read-only report");
    const std::string roEdx = dir.Write("ro_horizontal.dat", "read-only export");
    for (const std::string& f : {ro, roEdx})
        fs::permissions(f, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const struct {
        std::string Command;  // "report" or "export"
        std::string Output;   // the -o argument
        std::string Reason;
    } refused[] = {
        {"report", fifo, "It is not a regular file."},
        {"export", dir.File("fifo.txt"), "It is not a regular file."},
        {"report", dir.Path().string() + "/folder.pdf", "Is a directory"},
        {"export", dir.Path().string() + "/folder.txt", "Is a directory"},
        {"report", ro, "Permission denied"},
        {"export", dir.File("ro.txt"), "Permission denied"},
    };
    for (const auto& c : refused) {
        const std::string args = c.Command == "report"
                                     ? "report " + ShellQuote(design) + " -o " + ShellQuote(c.Output)
                                     : "export edx " + ShellQuote(design) + " -o " + ShellQuote(c.Output);
        const auto r = test::RunCliWith(args, Timeout(30));
        EXPECT_EQ(r.Status, 1) << args;
        EXPECT_TRUE(Has(r.Err, "Cannot create file \"")) << args << ": " << r.Err;
        EXPECT_TRUE(Has(r.Err, c.Reason)) << args << ": " << r.Err;
    }
    struct stat st {};
    ASSERT_EQ(0, lstat(fifo.c_str(), &st));
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder_horizontal.dat"));
    EXPECT_EQ(test::ReadAll(ro), "read-only report");
    EXPECT_EQ(test::ReadAll(roEdx), "read-only export");

    // A link is written through: the file it names gets the output, the link stays.
    const std::string realPdf = dir.Write("real.pdf", "old");
    const std::string realEdx = dir.Write("real_horizontal.dat", "old");
    fs::create_symlink(realPdf, dir.File("link.pdf"));
    fs::create_symlink(realEdx, dir.File("link_horizontal.dat"));
    EXPECT_EQ(test::RunCli("report " + ShellQuote(design) + " -o " + ShellQuote(dir.File("link.pdf"))).Status, 0);
    EXPECT_EQ(test::RunCli("export edx " + ShellQuote(design) + " -o " + ShellQuote(dir.File("link.txt"))).Status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.File("link.pdf")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link_horizontal.dat")));
    EXPECT_EQ(test::ReadAll(realPdf).substr(0, 5), "%PDF-");
    EXPECT_EQ(test::ReadAll(realEdx).substr(0, 1), "'");
}

TEST(CliFiles, AnOutputThatIsTheDesignItselfIsRefused) {
    test::TempDir dir;
    const std::string design = dir.Write("a.bcst", test::ReadAll(Sample("kvr_horizontal_ch34")));
    fs::create_symlink(design, dir.File("link.bcst"));
    // The export's output name for "-o d.txt" is d_horizontal.dat: a design of that name.
    const std::string named = dir.Write("d_horizontal.dat", test::ReadAll(design));
    const struct {
        std::string Args;
        std::string Design;
    } cases[] = {
        {"report " + ShellQuote(design) + " -o " + ShellQuote(design), design},
        {"report " + ShellQuote(design) + " -o " + ShellQuote(dir.File("link.bcst")), design},
        {"report " + ShellQuote(dir.File("link.bcst")) + " -o " + ShellQuote(dir.Path().string() + "/./a.bcst"),
         design},
        {"export edx " + ShellQuote(named) + " -o " + ShellQuote(dir.File("d.txt")), named},
    };
    const std::string before = test::ReadAll(design);
    for (const auto& c : cases) {
        const auto r = test::RunCli(c.Args);
        EXPECT_EQ(r.Status, 1) << c.Args;
        EXPECT_TRUE(Has(r.Err, "It is the design file being read.")) << r.Err;
        EXPECT_EQ(test::ReadAll(c.Design), before) << c.Args;
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("link.bcst")));
}

TEST(CliFiles, OutputNamesAreUsedAsTheBytesGiven) {
    test::TempDir dir;
    const std::string pdf = dir.File("r\xff.pdf");
    const auto r = test::RunCli("report " + ShellQuote(Sample("kvr_horizontal_ch34")) + " -o " +
                                ShellQuote(pdf) + " --azimuth");
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(fs::is_regular_file(pdf));
    EXPECT_FALSE(fs::exists(dir.File("r\xEF\xBF\xBD.pdf")));
    EXPECT_TRUE(Has(r.Out, pdf + " (")) << r.Out;
    const auto e = test::RunCli("export csv " + ShellQuote(Sample("kvr_horizontal_ch34")) + " -o " +
                                ShellQuote(dir.File("e\xff.txt")));
    EXPECT_EQ(e.Status, 0) << e.Err;
    EXPECT_TRUE(fs::is_regular_file(dir.File("e\xff_horizontal.csv")));
}

TEST(CliFiles, AFailedStandardOutputFailsTheCommand) {
    for (const std::string& args :
         {"info " + ShellQuote(Sample("240c_fm")), "info --json " + ShellQuote(Sample("240c_fm")),
          std::string("--version")}) {
        const auto r = test::RunCliWith(args, StdOut("/dev/full"));
        EXPECT_EQ(r.Status, 1) << args;
        EXPECT_TRUE(Has(r.Err, "Unable to write to standard output. No space left on device")) << r.Err;
    }
}

TEST(CliFiles, OnlyRegularDesignFilesOfASaneSizeAreRead) {
    test::TempDir dir;
    const std::string fifo = dir.File("design.bcst");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    const std::string big = dir.File("big.bcst");
    {
        std::string head = test::ReadAll(Sample("240c_fm"));
        dir.Write("big.bcst", head);
        fs::resize_file(big, size_t{17} << 20);  // sparse: costs no disk
    }
    const struct {
        std::string Path;
        std::string Reason;
    } cases[] = {
        {fifo, "It is not a regular file."},
        {"/dev/zero", "It is not a regular file."},
        {dir.Path().string(), "Is a directory"},
        {big, "It is larger than 16 MB"},
    };
    for (const auto& c : cases) {
        for (const std::string command : {"info ", "export csv ", "report "}) {
            std::string args = command + ShellQuote(c.Path);
            if (command != std::string("info ")) args += " -o " + ShellQuote(dir.File("out.txt"));
            const auto r = test::RunCliWith(args, Timeout(20));
            EXPECT_EQ(r.Status, 1) << args;
            EXPECT_TRUE(Has(r.Err, "Unable to open file.")) << args << ": " << r.Err;
            EXPECT_TRUE(Has(r.Err, c.Reason)) << args << ": " << r.Err;
        }
    }
}

TEST(CliFiles, PatternNamesOutsideThePatternFoldersLeaveThePatternEmpty) {
    test::TempDir dir;
    const struct {
        std::string Sample, From, To, Name;
    } cases[] = {
        {"kvr_horizontal_ch34", "horz_filename=az_cd.pat", "horz_filename=../../../../../../../../etc/passwd",
         "../../../../../../../../etc/passwd"},
        {"kvr_horizontal_ch34", "horz_filename=az_cd.pat", "horz_filename=" + AppPath() + "patterns/azimuth/hpol/az_cd.pat",
         AppPath() + "patterns/azimuth/hpol/az_cd.pat"},
        // An FM polarization without a folder: the name was used as given.
        {"240c_fm", "fm_polcode=E", "fm_polcode=X", "fm_side24.pat"},
    };
    for (const auto& c : cases) {
        const std::string design = Patched(dir, c.Sample, c.From, c.To);
        const auto r = test::RunCli("info " + ShellQuote(design));
        const auto original = test::RunCli("info " + ShellQuote(Sample(c.Sample)));
        EXPECT_EQ(r.Status, 0) << c.To << r.Err;
        // The one pattern is empty now, and nothing else changed.
        EXPECT_EQ(Count(r.Out, "PointCount: 0\n"), Count(original.Out, "PointCount: 0\n") + 1);
        EXPECT_TRUE(Has(r.Err, "Warning: The pattern file name \"" + c.Name +
                                   "\" does not lie inside a pattern folder of the installation"))
            << r.Err;
    }
}

// A copy of the installation with velmo-cli beside it, so a test may place its own
// pattern files where the program looks for them.
class PrivateInstallation {
public:
    PrivateInstallation() {
        for (const char* f : {"data", "FM data", "patterns", "FM patterns", "samples"})
            fs::copy(fs::path(AppPath()) / f, FDir.Path() / f, fs::copy_options::recursive);
        fs::copy_file(VELMO_CLI, FDir.Path() / "velmo-cli");
    }
    const test::TempDir& Dir() const { return FDir; }
    test::CommandResult Run(const std::string& args) const {
        const std::string out = FDir.File("stdout"), err = FDir.File("stderr");
        const std::string cmd = "timeout 120 " + ShellQuote((FDir.Path() / "velmo-cli").string()) + " " +
                                args + " >" + ShellQuote(out) + " 2>" + ShellQuote(err) + " </dev/null";
        const int rc = std::system(cmd.c_str());
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, test::ReadAll(out), test::ReadAll(err)};
    }

private:
    test::TempDir FDir;
};

TEST(CliFiles, OversizedPatternFilesAreCutOrRefused) {
    PrivateInstallation inst;
    const std::string design = inst.Dir().File("samples/kvr_horizontal_ch34.bcst");
    const auto normal = inst.Run("report --azimuth " + ShellQuote(design) + " -o " + ShellQuote(inst.Dir().File("n.pdf")));
    ASSERT_EQ(normal.Status, 0) << normal.Err;
    const auto normalInfo = inst.Run("info " + ShellQuote(design));

    // 36,000 points: the first 361 are read, and the report is as long as usual.
    std::string body;
    for (int i = 0; i < 36000; ++i) body += std::to_string(i % 360) + " 0.5\r\n";
    inst.Dir().Write("patterns/azimuth/hpol/az_cd.pat", body);
    const auto cut = inst.Run("report --azimuth " + ShellQuote(design) + " -o " + ShellQuote(inst.Dir().File("c.pdf")));
    EXPECT_EQ(cut.Status, 0) << cut.Err;
    EXPECT_TRUE(Has(cut.Err, "holds more than 361 points; only the first 361 are used.")) << cut.Err;
    EXPECT_EQ(cut.Out.substr(cut.Out.find(" (")), normal.Out.substr(normal.Out.find(" (")));

    // Beyond 1 MB the file is not read at all.
    inst.Dir().Write("patterns/azimuth/hpol/az_cd.pat", body + std::string(size_t{1} << 20, '!'));
    const auto info = inst.Run("info " + ShellQuote(design));
    EXPECT_EQ(info.Status, 0) << info.Err;
    EXPECT_TRUE(Has(info.Err, "az_cd.pat\" is not read. It is larger than 1 MB")) << info.Err;
    EXPECT_TRUE(Has(info.Out, "FileName: az_cd.pat\n    Gain: ")) << info.Out;
    EXPECT_EQ(Count(info.Out, "PointCount: 0\n"), Count(normalInfo.Out, "PointCount: 0\n") + 1);
}

}  // namespace
}  // namespace velmo
