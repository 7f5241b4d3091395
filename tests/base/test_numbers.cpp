#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "base/conversions.h"
#include "base/numbers.h"

using namespace velmo;

TEST(Decibels, EachFunctionHasItsOwnEdge) {
    EXPECT_DOUBLE_EQ(-40, FieldTodB(0.005));
    EXPECT_DOUBLE_EQ(-40, FieldTodB(0.01));
    EXPECT_NEAR(-39.172, FieldTodB(0.011), 0.001);
    EXPECT_NEAR(-46.021, static_cast<double>(FieldTodBExt(0.005L)), 0.001);
    EXPECT_DOUBLE_EQ(-40, static_cast<double>(FieldTodBExt(0)));
    EXPECT_DOUBLE_EQ(-40, static_cast<double>(FieldTodBExt(-1)));
    EXPECT_DOUBLE_EQ(0, PowerTodB(0));
    EXPECT_DOUBLE_EQ(0, PowerTodB(-3));
    EXPECT_NEAR(3.0103, PowerTodB(2), 1e-4);
    EXPECT_DOUBLE_EQ(0, static_cast<double>(PowerTodBExt(0)));
    EXPECT_NEAR(1.9953, dBToPower(3), 1e-4);
    EXPECT_NEAR(1.9953, static_cast<double>(dBToPowerExt(3)), 1e-4);
    EXPECT_DOUBLE_EQ(0, static_cast<double>(AddFieldTodB(0, 5)));
    EXPECT_NEAR(3.979, static_cast<double>(AddFieldTodB(0.5, 10)), 1e-3);
    EXPECT_DOUBLE_EQ(25, FieldERP(100, 0.5));

    TRealPointList l;
    l.AddPoint(0, 1);
    l.AddPoint(1, 0.005);
    l.AddPoint(2, 0.5);
    l.ConvertTodB();
    EXPECT_DOUBLE_EQ(0, l.Point(0).Y);
    EXPECT_DOUBLE_EQ(-40, l.Point(1).Y);
    EXPECT_NEAR(-6.0206, l.Point(2).Y, 1e-4);
}

TEST(NumberTests, WholeNumbersFlagsAndRanges) {
    EXPECT_TRUE(IsWholeNumber(3.0));
    EXPECT_FALSE(IsWholeNumber(2.5));
    EXPECT_TRUE(IsWholeNumber(-2.0));
    EXPECT_TRUE(IsFlagSet("1"));
    for (const char* s : {"01", " 1", "true", "", "1 "}) EXPECT_FALSE(IsFlagSet(s)) << s;
    TRange r = GetRange(FiveToNinety);
    EXPECT_EQ(-10, r.Min); EXPECT_EQ(90, r.Max); EXPECT_EQ(5, r.Increment);
    r = GetRange(rtFiveToTen);
    EXPECT_EQ(-10, r.Min); EXPECT_EQ(10, r.Max); EXPECT_EQ(1, r.Increment);
}

TEST(NumberParsing, GrammarUnderTheProcessSeparator) {
    struct Case { const char* text; bool ok; double value; };
    const Case dot[] = {
        {"2.5", true, 2.5}, {"  -2.5  ", true, -2.5}, {"+3", true, 3}, {"1e3", true, 1000},
        {"1E-7", true, 1e-7}, {"5.", true, 5}, {".5", true, 0.5}, {"2,5", false, 0},
        {"", false, 0}, {"   ", false, 0}, {"abc", false, 0}, {"1.2.3", false, 0},
        {"1e", false, 0}, {"e5", false, 0}, {"0x10", false, 0}, {"1 2", false, 0},
        {"-", false, 0}, {".", false, 0}, {"1e999", false, 0}, {"nan", false, 0}, {"inf", false, 0},
    };
    for (const auto& c : dot) {
        double v = -99;
        EXPECT_EQ(c.ok, TryStrToFloat(c.text, v, '.')) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.value, v) << c.text;
        }
    }
    EXPECT_DOUBLE_EQ(7, StrToRealDef("abc", 7));
    EXPECT_DOUBLE_EQ(0, StrToRealDef("", 0));

    ScopedDecimalSeparator comma(',');
    EXPECT_TRUE(IsFloat("2,5"));
    EXPECT_DOUBLE_EQ(2.5, StrToRealDef("2,5", 0));
    EXPECT_FALSE(IsFloat("2.5"));
    EXPECT_DOUBLE_EQ(-1, StrToRealDef("2.5", -1));
    try {
        StrToFloat("2.5");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ("'2.5' is not a valid floating point value", e.what());
    }
}

TEST(NumberParsing, Integers) {
    struct Case { const char* text; bool ok; long long value; };
    const Case cases[] = {{"42", true, 42}, {" -7 ", true, -7}, {"0x1F", true, 31}, {"$ff", true, 255},
                          {"$FFFFFFFF", true, -1}, {"1.5", false, 0}, {"", false, 0},
                          {"0x", false, 0}, {"99999999999", false, 0}, {"abc", false, 0}};
    for (const auto& c : cases) {
        long long v = 0;
        EXPECT_EQ(c.ok, TryStrToInt(c.text, v)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.value, v) << c.text;
        }
    }
}

TEST(NumberFormatting, ShortestGeneralFormAndFixed) {
    struct Case { double v; const char* text; };
    const Case cases[] = {
        {100, "100"}, {0.1, "0.1"}, {98.1, "98.1"}, {1e-7, "1E-7"}, {123456789012345678.0, "1.23456789012346E17"},
        {-2.5, "-2.5"}, {0, "0"}, {0.00001, "0.00001"}, {0.000001, "1E-6"}, {1e14, "100000000000000"},
        {1e15, "1E15"}, {1.0 / 3, "0.333333333333333"}, {579.25, "579.25"}, {-1e-20, "-1E-20"},
        {0.30000000000000004, "0.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, FormatGeneral(c.v, '.')) << c.v;
    EXPECT_EQ("98,1", FormatGeneral(98.1, ','));
    EXPECT_EQ("-6.021", FormatFixed(-6.0206, 3, '.'));
    EXPECT_EQ("0,500", FormatFixed(0.5, 3, ','));
    EXPECT_EQ("10", FormatFixed(9.6, 0, '.'));
    // No negative zero, whatever rounds to it.
    const Case zeros[] = {{-0.0, "0.00"}, {-0.004, "0.00"}, {-0.0049999, "0.00"}, {-0.005001, "-0.01"},
                          {-1e-300, "0.00"}, {-0.4, "0"}};
    for (const auto& c : zeros)
        EXPECT_EQ(c.text, FormatFixed(c.v, c.v == -0.4 ? 0 : 2, '.')) << c.v;
    EXPECT_EQ("0,000", FormatFixed(-0.0001, 3, ','));
    EXPECT_EQ("0", FormatGeneral(-0.0, '.'));
    // Every general form reads back to the same double at 15 digits.
    for (double v : {0.1, 98.1, 1e-7, 3.14159265358979, 12345.678}) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FormatGeneral(v, '.'), back, '.'));
        EXPECT_NEAR(v, back, std::fabs(v) * 1e-14);
    }
}

TEST(NumberFormatEnvironment, ReadsTheLocaleSeparatorWithoutTouchingTheCLocale) {
    char old = NumberFormat::DecimalSeparator();
    const char* oldAll = std::getenv("LC_ALL");
    std::string saved = oldAll ? oldAll : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    NumberFormat::InitFromEnvironment();
    char got = NumberFormat::DecimalSeparator();
    setenv("LC_ALL", "C", 1);
    NumberFormat::InitFromEnvironment();
    EXPECT_EQ('.', NumberFormat::DecimalSeparator());
    if (oldAll) setenv("LC_ALL", saved.c_str(), 1); else unsetenv("LC_ALL");
    NumberFormat::SetDecimalSeparator(old);
    if (got == '.') GTEST_SKIP() << "de_DE.UTF-8 locale is not generated on this machine";
    EXPECT_EQ(',', got);
}

// Data (tables, design files) takes "." as well as the locale's separator; entry fields
// keep the locale's grammar exactly.
TEST(DataNumbers, AcceptPointAndTheLocaleSeparator) {
    struct Case { char sep; const char* text; bool ok; double v; };
    const Case cases[] = {
        {',', "2,5", true, 2.5},   {',', "2.5", true, 2.5},    {',', " -0.125 ", true, -0.125},
        {',', "1.5E-3", true, 0.0015}, {',', "98,1", true, 98.1}, {',', "2,5.1", false, 0},
        {',', "2.5,1", false, 0}, {',', "1.2.3", false, 0},     {',', "", false, 0},
        {',', ".", false, 0},      {',', "1,000.5", false, 0}, {'.', "2.5", true, 2.5},
        {'.', "2,5", false, 0},    {'.', "100", true, 100},
    };
    for (const auto& c : cases) {
        ScopedDecimalSeparator sep(c.sep);
        double v = -1;
        EXPECT_EQ(c.ok, TryDataStrToFloat(c.text, v)) << c.sep << " " << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(c.v, v) << c.text;
        }
        EXPECT_EQ(c.ok ? c.v : 7.0, DataStrToRealDef(c.text, 7)) << c.text;
        if (!c.ok) {
            try {
                DataStrToFloat(c.text);
                ADD_FAILURE() << c.text;
            } catch (const ConvertError& e) {
                EXPECT_EQ(std::string("'") + c.text + "' is not a valid floating point value", e.what());
            }
        }
    }
    ScopedDecimalSeparator comma(',');
    EXPECT_FALSE(IsFloat("2.5"));  // an entry field under a comma locale
    EXPECT_EQ(7, StrToRealDef("2.5", 7));
}
