// The custom pattern pages: defaults against design values, the gain fields, Validate
// and the identifiers written on exit.
#include <string>

#include "base/numbers.h"
#include "page_fixture.h"
#include "wizard/custompages.h"

namespace velmo {
namespace {

using test::PatternPageTest;
using CustomPages = PatternPageTest;

TEST_F(CustomPages, NewTVDesignShowsDefaultsUntilTheLinePageWasSeen) {
    Options("TV", "CTM", "H");
    auto az = Enter<TfrmCustomAzimuth>();
    EXPECT_FALSE(az->VertVisible());
    EXPECT_EQ(az->HorzField().Text, "1");
    EXPECT_EQ(az->VertField().Text, "1");
    EXPECT_EQ(az->HorzField().dBText, "0.00");
    EXPECT_TRUE(Next.Enabled());
    az->txtAzHorzGainChange("2");
    EXPECT_EQ(az->HorzField().dBText, "3.01");
    EXPECT_DOUBLE_EQ(Design().AzimuthPage.HorzPattern.Gain(), 2);

    auto el = Enter<TfrmCustomElevation>();
    EXPECT_TRUE(CustomElevationEntered());
    EXPECT_EQ(el->HorzField().Text, "15");
    EXPECT_EQ(el->VertField().Text, "13");
    EXPECT_EQ(el->HorzField().dBText, "11.76");
    el->txtHorzGainChange("14.5");
    EXPECT_DOUBLE_EQ(Design().ElevationPage.HorzPattern.Gain(), 14.5);
    EXPECT_NEAR(Design().ElevationPage.HorzPattern.MainLobedBd, 11.6137, 1e-4);

    // Back to the azimuth page: the design's gains now.
    EXPECT_EQ(Enter<TfrmCustomAzimuth>()->HorzField().Text, "2");
    // Still defaults on the elevation page until the line page was entered.
    EXPECT_EQ(Enter<TfrmCustomElevation>()->HorzField().Text, "15");
    LinesPageEntered() = true;
    auto again = Enter<TfrmCustomElevation>();
    EXPECT_EQ(again->HorzField().Text, "15");  // the default typed on the last visit
    again->txtHorzGainChange("14.25");
    EXPECT_EQ(Enter<TfrmCustomElevation>()->HorzField().Text, "14.25");
}

TEST_F(CustomPages, EditModeShowsTheDesignsGains) {
    Options("FM", "CTM", "E");
    Design().AzimuthPage.FMPattern.SetGain(1.0 / 3);
    Design().ElevationPage.FMPattern.SetGain(6.5);
    EXPECT_EQ(Enter<TfrmFMCustomAzimuth>(dsEdit)->HorzField().Text, "0.333333333333333");
    auto el = Enter<TfrmFMCustomElevation>(dsEdit);
    EXPECT_EQ(el->HorzField().Text, "6.5");
    EXPECT_EQ(el->HorzField().dBText, "8.13");
    EXPECT_FALSE(el->VertVisible());  // FM pages have one field
    // A new FM design starts at 1.
    EXPECT_EQ(Enter<TfrmFMCustomElevation>(dsNew)->HorzField().Text, "1");
}

TEST_F(CustomPages, GainTexts) {
    struct Case {
        const char* Text;
        double Stored;  // the design's gain afterwards (previous: 5)
        const char* dB;
        bool Next;
    } cases[] = {
        {"0", 0, "0.00", false},  {"-2", -2, "0.00", true}, {"", 5, "", false},
        {"abc", 5, "", false},    {"4", 4, "6.02", true},    {"1e1", 10, "10.00", true},
    };
    Options("TV", "CTM", "H");
    auto page = Enter<TfrmCustomAzimuth>();
    for (const Case& c : cases) {
        page->txtAzHorzGainChange("5");
        page->txtAzHorzGainChange(c.Text);
        EXPECT_DOUBLE_EQ(Design().AzimuthPage.HorzPattern.Gain(), c.Stored) << c.Text;
        EXPECT_EQ(page->HorzField().dBText, c.dB) << c.Text;
        EXPECT_EQ(Next.Enabled(), c.Next) << c.Text;
        EXPECT_EQ(page->Validate(), c.Next) << c.Text;
    }
    // The user's decimal separator.
    ScopedDecimalSeparator comma(',');
    page->txtAzHorzGainChange("2,5");
    EXPECT_DOUBLE_EQ(Design().AzimuthPage.HorzPattern.Gain(), 2.5);
    EXPECT_EQ(page->HorzField().dBText, "3,98");
}

TEST_F(CustomPages, EllipticalNeedsBothFields) {
    Options("TV", "CTM", "E");
    auto page = Enter<TfrmCustomElevation>();
    EXPECT_TRUE(page->VertVisible());
    EXPECT_TRUE(Next.Enabled());
    page->txtVertGainChange("0");
    EXPECT_FALSE(Next.Enabled());
    EXPECT_DOUBLE_EQ(Design().ElevationPage.VertPattern.Gain(), 0);
    page->txtVertGainChange("12");
    EXPECT_TRUE(Next.Enabled());
    // With "H" the vertical field does not count.
    Options("TV", "CTM", "H");
    auto h = Enter<TfrmCustomElevation>();
    h->txtVertGainChange("");
    EXPECT_TRUE(Next.Enabled());
}

TEST_F(CustomPages, ExitWritesIdentifiersAndLabels) {
    Options("TV", "CTM", "H");
    auto az = Enter<TfrmCustomAzimuth>();
    struct Case {
        const char* Text;
        const char* ID;
    } cases[] = {{"1", "NON-DIRECTIONAL"}, {"1.0001", "DIRECTIONAL"}, {"1.0", "NON-DIRECTIONAL"}, {"0.5", "DIRECTIONAL"}};
    for (const Case& c : cases) {
        az->txtAzHorzGainChange(c.Text);
        az->PageExit();
        EXPECT_EQ(Design().AzimuthPage.HorzPattern.PatternID, c.ID) << c.Text;
    }
    // The hidden vertical pattern is named from the gain it holds.
    Design().AzimuthPage.VertPattern.SetGain(3);
    az->PageExit();
    EXPECT_EQ(Design().AzimuthPage.VertPattern.PatternID, "DIRECTIONAL");
    EXPECT_EQ(Design().AzimuthPage.FMPattern.PatternID, "");

    Options("FM", "CTM", "H");
    auto fm = Enter<TfrmFMCustomAzimuth>();
    fm->txtAzFMGainChange("1");
    fm->PageExit();
    EXPECT_EQ(Design().AzimuthPage.FMPattern.PatternID, "NON-DIRECTIONAL");

    Enter<TfrmCustomElevation>()->PageExit();
    EXPECT_EQ(Design().ElevationPage.HorzPattern.DetailLabel, "CUSTOMER DEFINED");
    EXPECT_EQ(Design().ElevationPage.VertPattern.DetailLabel, "CUSTOMER DEFINED");
    EXPECT_EQ(Design().ElevationPage.FMPattern.DetailLabel, "");
    Enter<TfrmFMCustomElevation>()->PageExit();
    EXPECT_EQ(Design().ElevationPage.FMPattern.DetailLabel, "CUSTOMER DEFINED");
}

}  // namespace
}  // namespace velmo
