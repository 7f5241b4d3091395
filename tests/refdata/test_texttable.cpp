#include <gtest/gtest.h>

#include "base/error.h"
#include "base/numbers.h"
#include "refdata/texttable.h"
#include "test_support.h"

using namespace velmo;

namespace {
TTextTable Load(const test::TempDir& dir, const std::string& bytes) {
    TTextTable t;
    t.LoadFromFile(dir.Write("t.txt", bytes));
    return t;
}
std::vector<std::string> Column(TTextTable& t, const std::string& name) {
    std::vector<std::string> out;
    for (t.Reset(); !t.Eof(); t.MoveNext()) out.push_back(t.Field(name));
    return out;
}
}  // namespace

TEST(TextTable, FewerThanThreeLinesIsEmpty) {
    test::TempDir dir;
    for (const char* bytes : {"", "A|B", "A|B\r\n", "A|B\r\n1|2", "A|B\r\n1|2\r\n"}) {
        TTextTable t = Load(dir, bytes);
        EXPECT_TRUE(t.Eof()) << bytes;
        EXPECT_EQ(-1, t.RecNo());
        EXPECT_TRUE(t.FieldNames().empty());
    }
    // Reset over the raw lines of a two-line table: rows, but no field names.
    TTextTable t = Load(dir, "A|B\r\n1|2\r\n");
    t.Reset();
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(0, t.RecNo());
    EXPECT_EQ("", t.Field("A"));
}

TEST(TextTable, WalksRowsWithEveryLineEnding) {
    test::TempDir dir;
    for (const char* bytes : {"A|B\r\n1|2\r\n3|4\r\n", "A|B\n1|2\n3|4", "A|B\r1|2\r3|4\r"}) {
        TTextTable t = Load(dir, bytes);
        ASSERT_FALSE(t.Eof());
        EXPECT_EQ(0, t.RecNo());
        EXPECT_EQ("1", t.Field("A"));
        t.MoveNext();
        EXPECT_EQ(1, t.RecNo());
        EXPECT_EQ("4", t.Field("b"));
        t.MoveNext();
        EXPECT_TRUE(t.Eof());
        t.MoveNext();
        EXPECT_TRUE(t.Eof());
        t.Reset();
        EXPECT_FALSE(t.Eof());
        EXPECT_EQ("2", t.Field("B"));
    }
}

TEST(TextTable, FieldsAreTakenCharacterForCharacter) {
    test::TempDir dir;
    TTextTable t = Load(dir, "CHANNEL|NAME|EXTRA|\r\n 32|a b |x|\r\na||c\r\nonly|two\r\n\r\n");
    ASSERT_EQ(4u, t.FieldNames().size());  // the trailing "|" makes an empty last name
    EXPECT_EQ("", t.FieldNames()[3]);
    EXPECT_EQ(std::vector<std::string>({" 32", "a", "only", ""}), Column(t, "channel"));
    EXPECT_EQ(std::vector<std::string>({"a b ", "", "two", ""}), Column(t, "Name"));
    EXPECT_EQ(std::vector<std::string>({"x", "c", "", ""}), Column(t, "EXTRA"));
    EXPECT_EQ(std::vector<std::string>({"", "", "", ""}), Column(t, "MISSING"));
    t.Reset();
    EXPECT_NE("32", t.Field("CHANNEL"));
}

TEST(TextTable, ByteOrderMarksAndWindows1252) {
    test::TempDir dir;
    TTextTable utf8 = Load(dir, "\xEF\xBB\xBFNAME|V\r\n\xC3\xA9t\xC3\xA9|1\r\nx|2\r\n");
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", utf8.Field("NAME"));
    TTextTable ansi = Load(dir, "NAME|V\r\n\xE9t\xE9\xAE|1\r\nx|2\r\n");
    EXPECT_EQ("\xC3\xA9t\xC3\xA9\xC2\xAE", ansi.Field("NAME"));
    auto utf16 = [](const std::string& s, bool be) {
        std::string out = be ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
        for (char c : s) {
            out += be ? std::string{'\0', c} : std::string{c, '\0'};
        }
        return out;
    };
    for (bool be : {false, true}) {
        TTextTable t = Load(dir, utf16("NAME|V\r\nabc|1\r\nx|2\r\n", be));
        EXPECT_EQ("abc", t.Field("NAME")) << be;
        EXPECT_EQ("1", t.Field("V"));
    }
}

TEST(TextTable, MissingFileGivesTheFullPathAndReason) {
    test::TempDir dir;
    std::string path = dir.File("no such/tblNothing.txt");
    TTextTable t;
    try {
        t.LoadFromFile(path);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ("Cannot open file \"" + path + "\". No such file or directory", std::string(e.what()));
    }
}

TEST(TextTable, SurvivesArbitraryBytes) {
    test::TempDir dir;
    std::string bytes = "A|B\r\n";
    for (int i = 0; i < 2000; ++i) bytes += static_cast<char>((i * 7919) % 256);
    TTextTable t = Load(dir, bytes);
    for (; !t.Eof(); t.MoveNext()) {
        (void)t.Field("A");
        (void)t.Field("B");
    }
    TTextTable odd = Load(dir, std::string("\xFF\xFE\x41", 3));  // odd UTF-16 length
    EXPECT_TRUE(odd.Eof());
}

// Tables travel between installations: their numbers read with "." under every locale,
// and with the locale's own separator too.
TEST(TextTable, NumbersReadWithPointOrTheLocaleSeparator) {
    test::TempDir dir;
    TTextTable t = Load(dir, "GAIN|LOSS|NAME\r\n4.2744|0,25|RNVX-8C\r\n|x|\r\n");
    for (char sep : {'.', ','}) {
        ScopedDecimalSeparator s(sep);
        t.Reset();
        EXPECT_DOUBLE_EQ(4.2744, t.FloatField("GAIN")) << sep;
        EXPECT_DOUBLE_EQ(sep == ',' ? 0.25 : -1, t.FloatFieldDef("LOSS", -1)) << sep;
        EXPECT_THROW(t.FloatField("NAME"), ConvertError);
        EXPECT_DOUBLE_EQ(-1, t.FloatFieldDef("UNKNOWN", -1));
        t.MoveNext();
        EXPECT_DOUBLE_EQ(0, t.FloatFieldDef("GAIN", 0));  // empty cell
        try {
            t.FloatField("LOSS");
            ADD_FAILURE();
        } catch (const ConvertError& e) {
            EXPECT_STREQ("'x' is not a valid floating point value", e.what());
        }
    }
}
