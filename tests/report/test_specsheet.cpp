// The specification sheet pages, read back from the recorded page items: positions,
// fonts and texts of the frame, cover, title block, characteristics pages and notes.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/folders.h"
#include "base/numbers.h"
#include "model/design.h"
#include "report/specsheet.h"

namespace velmo {
namespace {

// One text of a recorded page with the font it was drawn in.
struct TText {
    double X = 0, Y = 0;
    std::string Text;
    THorizPosition H = hpLeft;
    TVerticalPosition V = vpTop;
    TFontStyles Style = 0;
    double Height = 0;
};

std::vector<TText> Texts(const TPage& page) {
    std::vector<TText> out;
    FontInfo font;
    for (const TPageItem& item : page) {
        if (item.Kind == ikSetFont) font = std::get<FontInfo>(item.Data);
        if (item.Kind == ikTextOutEx) {
            const auto& t = std::get<TextOutExInfo>(item.Data);
            EXPECT_EQ(font.Name, "Arial");
            EXPECT_EQ(font.Color, clBlack);
            out.push_back({t.X, t.Y, t.Text, t.hPos, t.vPos, font.Style, font.Height});
        }
    }
    return out;
}

const TText* Find(const std::vector<TText>& texts, const std::string& text) {
    for (const TText& t : texts)
        if (t.Text == text) return &t;
    return nullptr;
}

// The value texts (centred on 625) from Y y0 to y1.
std::vector<std::string> ValuesBetween(const std::vector<TText>& texts, double y0, double y1) {
    std::vector<std::string> out;
    for (const TText& t : texts)
        if (t.X == 625 && t.H == hpCenter && t.Y >= y0 && t.Y < y1) out.push_back(t.Text);
    return out;
}

std::unique_ptr<TBroadcastDesign> Sample(const std::string& name) {
    return LoadDesignFile(AppPath() + "samples/" + name + ".bcst");
}

constexpr TFontStyles kBI = fsBold | fsItalic;

TEST(SpecSheet, FrameCarriesBorderLogoPartNumberAndPagePosition) {
    auto d = Sample("kvr_horizontal_ch34");
    TReporter r;
    r.NewPage();
    r.NewPage();
    DrawPageFrame(r, *d);
    const TPage& page = r.CurrentPage();

    bool border = false, rule = false, logo = false;
    TRealPoint moveTo{};
    for (const TPageItem& item : page) {
        if (item.Kind == ikRectangle) {
            const auto& rc = std::get<TRealRect>(item.Data);
            border = rc.Left == 65 && rc.Top == 40 && rc.Right == 780 && rc.Bottom == 1015;
        }
        if (item.Kind == ikMoveTo) moveTo = std::get<TRealPoint>(item.Data);
        if (item.Kind == ikLineTo) {
            const auto& p = std::get<TRealPoint>(item.Data);
            rule = moveTo.X == 107 && moveTo.Y == 77.5 && p.X == 737 && p.Y == 77.5;
        }
        if (item.Kind == ikDrawFromRes) {
            const auto& res = std::get<DrawFromResInfo>(item.Data);
            logo = res.ResName == "Orvane_LOGO2" && res.R.Left == 105 && res.R.Top == 1005 &&
                   res.R.Right == 445 && res.R.Bottom == 1025;
        }
    }
    EXPECT_TRUE(border);
    EXPECT_TRUE(rule);
    EXPECT_TRUE(logo);

    const auto texts = Texts(page);
    const TText* part = Find(texts, d->BuildPartNumber());
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->X, 110);
    EXPECT_EQ(part->Y, 62);
    EXPECT_EQ(part->Style, kBI);
    EXPECT_EQ(part->Height, 12);
    const TText* number = Find(texts, "SAMPLE  Page 3");  // the third page of the recorder
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->X, 730);
    EXPECT_EQ(number->H, hpRight);
    const TText* prelim = Find(texts, "Preliminary, subject to final design and review.");
    ASSERT_NE(prelim, nullptr);
    EXPECT_EQ(prelim->X, 422.5);
    EXPECT_EQ(prelim->H, hpCenter);
    EXPECT_EQ(prelim->Height, 16);
    // 1.5 text heights above the bottom border: close above the logo, under the body.
    EXPECT_GT(prelim->Y, 960);
    EXPECT_LT(prelim->Y, 1005 - 16);
}

TEST(SpecSheet, CoverStacksTheAddresseeAndNamesPartAndSpecification) {
    auto d = Sample("kvr_horizontal_ch34");
    d->DesignInfo.Date = 45351.6;  // 29 February 2024, afternoon
    TReporter r;
    DrawCoverPage(r, *d);
    const auto texts = Texts(r.CurrentPage());

    const std::vector<std::string> lines = {"Prepared For Channel 34", "Sample Television",
                                            "1200 Transmitter Road", "Mount Sample",
                                            "February 29, 2024"};
    for (size_t i = 0; i < lines.size(); ++i) {
        const TText* t = Find(texts, lines[i]);
        ASSERT_NE(t, nullptr) << lines[i];
        EXPECT_EQ(t->Y, 600 + 20 * static_cast<double>(i)) << lines[i];
        EXPECT_EQ(t->X, 425);
        EXPECT_EQ(t->H, hpCenter);
        EXPECT_EQ(t->Style, fsItalic);
    }
    const TText* part = Find(texts, d->BuildPartNumber());
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->X, 100);
    EXPECT_EQ(part->Y, 820);
    EXPECT_EQ(part->Style, kBI);
    const TText* spec = Find(texts, "SAMPLE");
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->X, 575);
    EXPECT_EQ(spec->Y, 820);
    EXPECT_NE(Find(texts, "ANTENNA TYPE:"), nullptr);
    EXPECT_EQ(Find(texts, "SAMPLE  Page 1"), nullptr) << "the cover has no frame";
    const TText* title = Find(texts, "PRELIMINARY SPECIFICATION FOR");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Y, 200);
}

TEST(SpecSheet, LongDateFormat) {
    const struct {
        double Date;
        const char* Text;
    } cases[] = {{0, "December 30, 1899"},  {2, "January 1, 1900"},   {60, "February 28, 1900"},
                 {61, "March 1, 1900"},     {45351.99, "February 29, 2024"},
                 {46001.375, "December 10, 2025"}, {-1.5, "December 28, 1899"},
                 {2958465, "December 31, 9999"}, {2958466, ""}, {NAN, ""}, {INFINITY, ""}};
    for (const auto& c : cases) EXPECT_EQ(FormatLongDate(c.Date), c.Text) << c.Date;
}

TEST(SpecSheet, RegisteredMarkIsRaisedAndTheWholeTitleCentred) {
    auto d = Sample("rnvx_circular_fm");
    const std::string title = d->GetTitle();
    const size_t mark = title.find("\xC2\xAE");
    ASSERT_NE(mark, std::string::npos) << title;
    TReporter r;
    DrawPreliminaryTitle(r, *d, 125);
    const auto texts = Texts(r.CurrentPage());

    const TText* before = Find(texts, title.substr(0, mark));
    const TText* sign = Find(texts, "\xC2\xAE");
    const TText* after = Find(texts, title.substr(mark + 2));
    ASSERT_TRUE(before && sign && after);
    EXPECT_EQ(before->Height, 24);
    EXPECT_EQ(sign->Height, 15);
    EXPECT_EQ(after->Height, 24);
    for (const TText* t : {before, sign, after}) {
        EXPECT_EQ(t->Y, 149);  // one 24-unit line under the first
        EXPECT_EQ(t->V, vpTop);  // the smaller sign stands raised
    }
    r.SetFont("Arial", clBlack, kBI, 24);
    const double wBefore = r.TextWidth(before->Text), wAfter = r.TextWidth(after->Text);
    r.SetFont("Arial", clBlack, kBI, 15);
    const double wSign = r.TextWidth(sign->Text);
    EXPECT_NEAR(sign->X, before->X + wBefore, 1e-9);
    EXPECT_NEAR(after->X, sign->X + wSign, 1e-9);
    EXPECT_NEAR((before->X + after->X + wAfter) / 2, 425, 1e-9);
    EXPECT_NE(Find(texts, "FM BROADCAST ANTENNA"), nullptr);

    // A title without the sign is one centred text.
    auto kvr = Sample("kvr_horizontal_ch34");
    TReporter r2;
    DrawPreliminaryTitle(r2, *kvr, 125);
    const auto texts2 = Texts(r2.CurrentPage());
    const TText* whole = Find(texts2, kvr->GetTitle());
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->X, 425);
    EXPECT_EQ(whole->H, hpCenter);
    EXPECT_NE(Find(texts2, "COAXIAL SLOTTED ARRAY ANTENNA"), nullptr);
}

// Y of each label of a characteristics page, in order of appearance.
std::vector<std::pair<std::string, double>> Labels(const std::vector<TText>& texts) {
    std::vector<std::pair<std::string, double>> out;
    for (const TText& t : texts)
        if (t.X == 100 && t.H == hpLeft && t.V == vpTop && t.Y > 220) out.emplace_back(t.Text, t.Y);
    return out;
}

TEST(SpecSheet, TVElectricalSingleAndDualPolarizationSpacing) {
    auto d = Sample("kvr_horizontal_ch34");
    TReporter r;
    DrawElectricalPage(r, *d);
    auto labels = Labels(Texts(r.CurrentPage()));
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[0].first, "CHANNEL:");
    EXPECT_EQ(labels[0].second, 254);  // the heading's next line plus a blank line
    EXPECT_EQ(labels[1].second - labels[0].second, 16 + 24);  // single polarization gap 24
    for (const auto& l : labels) EXPECT_NE(l.first, "ELEVATION GAIN:");

    auto e = Sample("miraldo_uhf_elliptical_top");
    TReporter re;
    DrawElectricalPage(re, *e);
    const auto texts = Texts(re.CurrentPage());
    labels = Labels(texts);
    const std::vector<std::string> expected = {
        "CHANNEL:", "FREQUENCY RANGE:", "AZIMUTH PATTERN NUMBER:", "ELEVATION PATTERN NUMBER:",
        "AZIMUTH DIRECTIVITY:", "ELEVATION DIRECTIVITY:", "ELEVATION GAIN:", "PEAK POWER GAIN:",
        "GAIN AT HORIZONTAL:", "GAIN RATIO: VER POL/HOR POL", "ELECTRICAL BEAM TILT:",
        "INPUT POWER REQUIRED:", "MAXIMUM INPUT POWER:", "INPUT TYPE:", "ANTENNA VSWR (MAXIMUM):"};
    ASSERT_EQ(labels.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(labels[i].first, expected[i]);
    // Two-row items take 2 lines + the half gap; one-row items one line + the half gap.
    EXPECT_EQ(labels[1].second - labels[0].second, 16 + 12);
    EXPECT_EQ(labels[3].second - labels[2].second, 32 + 12);
    // Each Ver Pol row sits directly under its Hor Pol row.
    int pairs = 0;
    for (const TText& t : texts)
        if (t.Text == "Hor Pol:") {
            ++pairs;
            bool below = false;
            for (const TText& u : texts) below |= u.Text == "Ver Pol:" && u.Y == t.Y + 16;
            EXPECT_TRUE(below) << t.Y;
            EXPECT_EQ(t.X, 455);
            EXPECT_EQ(t.H, hpRight);
        }
    EXPECT_EQ(pairs, 7);
    // The gain rows carry the model's figures.
    const TPowerAnalysis& a = e->AnalysisPage.Analysis;
    const double yPeak = labels[7].second;
    const auto peak = ValuesBetween(texts, yPeak, yPeak + 32);
    ASSERT_EQ(peak.size(), 2u);
    EXPECT_EQ(peak[0], FormatFixed(a.PowerGainRatioHorz(), 2) + " (" +
                           FormatFixed(a.PowerGaindBdHorz(), 2) + " dBd)");
    EXPECT_EQ(peak[1], FormatFixed(a.PowerGainRatioVert(), 2) + " (" +
                           FormatFixed(a.PowerGaindBdVert(), 2) + " dBd)");
    const double yRatio = labels[9].second;
    EXPECT_EQ(ValuesBetween(texts, yRatio, yRatio + 1),
              std::vector<std::string>{FormatFixed(a.VerticalRatio() / 100, 2)});
}

// The value texts of the item whose label is `label`.
std::vector<std::string> ItemValues(const std::vector<TText>& texts, const std::string& label) {
    const auto labels = Labels(texts);
    for (size_t i = 0; i < labels.size(); ++i)
        if (labels[i].first == label)
            return ValuesBetween(texts, labels[i].second,
                                 i + 1 < labels.size() ? labels[i + 1].second : 1100);
    ADD_FAILURE() << "no item " << label;
    return {};
}

TEST(SpecSheet, TVElectricalValues) {
    struct Case {
        const char* Name;
        TServiceType Service;
        double InputkW, MaxkW, Tilt;
        int Aural;
        const char* Input;
        const char* Max;
        const char* TiltText;
        std::vector<std::string> Vswr;
    };
    const std::vector<Case> cases = {
        {"analog", stAnalog, 12.5, 30, 0.75, 10, "12.500 kW Peak Visual plus 10% Aural",
         "30.000 kW Peak Visual plus 10% Aural", "-0.75 Degrees",
         {"1.05 Visual + 0.5 MHz", "1.08 Chroma", "1.10 Over remainder of Channel"}},
        {"digital, no rating", stDigital, 7.2184, 0, 1, 20, "7.218 kW Average Power, 8VSB Digital",
         "CONTACT Orvane", "-1.00 Degrees", {"1.10 Over 6 MHz of Channel"}},
        {"digital, zero tilt", stDigital, 1, 2.5, 0, 10, "1.000 kW Average Power, 8VSB Digital",
         "2.50 kW Average Power", "0.00 Degrees", {"1.10 Over 6 MHz of Channel"}},
    };
    for (const Case& c : cases) {
        auto d = Sample("qdmax_ch30");
        d->OptionsPage.Service = c.Service;
        d->AnalysisPage.Analysis.AntennaInputkW = c.InputkW;
        d->AnalysisPage.Analysis.MaxInputPower = c.MaxkW;
        d->LinesPage.Line.SetAural(c.Aural);
        d->ElevationPage.HorzPattern.SetBeamtilt(c.Tilt);
        TReporter r;
        DrawElectricalPage(r, *d);
        const auto texts = Texts(r.CurrentPage());
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ItemValues(texts, "INPUT POWER REQUIRED:"), std::vector<std::string>{c.Input});
        EXPECT_EQ(ItemValues(texts, "MAXIMUM INPUT POWER:"), std::vector<std::string>{c.Max});
        EXPECT_EQ(ItemValues(texts, "ELECTRICAL BEAM TILT:"), std::vector<std::string>{c.TiltText});
        EXPECT_EQ(ItemValues(texts, "ANTENNA VSWR (MAXIMUM):"), c.Vswr);
        const std::string service = c.Service == stDigital ? "DTV:" : "NTSC:";
        int serviceLabels = 0;
        for (const TText& t : texts) serviceLabels += t.Text == service;
        EXPECT_EQ(serviceLabels, 3);  // channel, frequency range, VSWR
        EXPECT_EQ(ItemValues(texts, "GAIN AT HORIZONTAL:"),
                  std::vector<std::string>{FormatFixed(d->GetGainAtHorzNum(ptHorizontal), 2) +
                                           " (" + FormatFixed(d->GetGainAtHorzdBd(ptHorizontal), 2) +
                                           " dBd)"});
    }
}

TEST(SpecSheet, CustomDesignsGetTheCustomTitleAndLeaveOutCatalogItems) {
    for (const char* name : {"custom_tv", "custom_fm"}) {
        SCOPED_TRACE(name);
        auto d = Sample(name);
        TReporter r;
        DrawElectricalPage(r, *d);
        const auto texts = Texts(r.CurrentPage());
        const TText* title = Find(texts, "CUSTOM ELECTRICAL DATA");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->Y, 155);
        EXPECT_EQ(title->Height, 30);
        EXPECT_EQ(Find(texts, "PRELIMINARY SPECIFICATION FOR"), nullptr);
        EXPECT_EQ(ItemValues(texts, "ELECTRICAL BEAM TILT:"),
                  std::vector<std::string>{"CUSTOMER DEFINED"});
        for (const char* gone : {"GAIN AT HORIZONTAL:", "MAXIMUM INPUT POWER:",
                                 "ANTENNA VSWR (MAXIMUM):"})
            EXPECT_EQ(Find(texts, gone), nullptr) << gone;
    }
}

TEST(SpecSheet, FMElectricalValues) {
    auto d = Sample("rnvx_circular_fm");
    d->ElevationPage.FMPattern.SetBeamtilt(-0.5);
    TReporter r;
    DrawElectricalPage(r, *d);
    auto texts = Texts(r.CurrentPage());
    const TPowerAnalysis& a = d->AnalysisPage.Analysis;
    EXPECT_EQ(ItemValues(texts, "ELECTRICAL BEAM TILT:"), std::vector<std::string>{"-0.50 Degrees"});
    EXPECT_EQ(ItemValues(texts, "POWER GAIN:"),
              std::vector<std::string>{FormatFixed(a.PowerGainRatioHorz(), 4) + " (" +
                                       FormatFixed(a.PowerGaindBdHorz(), 4) + " dBd)"});
    EXPECT_EQ(ItemValues(texts, "FREQUENCY:"),
              std::vector<std::string>{FormatGeneral(d->OptionsPage.Channel.MidFreq) + " MHz"});
    EXPECT_EQ(ItemValues(texts, "ANTENNA VSWR (MAXIMUM):"),
              (std::vector<std::string>{"1.07:1 or less, with field matching;",
                                        "1.25:1 or less, top pole or Cresta\u2122",
                                        "section mounting; 1.5:1 or less, side",
                                        "mounted, without field mounting."}));
    int circular = 0;
    for (const TText& t : texts) circular += t.Text == "Cir Pol:";
    EXPECT_EQ(circular, 2);

    {
        // Numbers follow the program's decimal separator.
        ScopedDecimalSeparator comma(',');
        TReporter rc;
        DrawFMElectrical(rc, *d);
        const auto commaTexts = Texts(rc.CurrentPage());
        EXPECT_EQ(ItemValues(commaTexts, "ELECTRICAL BEAM TILT:"),
                  std::vector<std::string>{"-0,50 Degrees"});
        EXPECT_EQ(ItemValues(commaTexts, "FREQUENCY:"), std::vector<std::string>{"98,1 MHz"});
    }

    auto c = Sample("240c_fm");
    TReporter r2;
    DrawElectricalPage(r2, *c);
    EXPECT_EQ(ItemValues(Texts(r2.CurrentPage()), "ANTENNA VSWR (MAXIMUM):"),
              (std::vector<std::string>{"1.07:1 or less, with field matching;",
                                        "1.5:1 or less, without field matching."}));

    // A family outside the listed ones: the label, no value.
    c->OptionsPage.FamilyID = "K410";
    TReporter r3;
    DrawFMElectrical(r3, *c);
    texts = Texts(r3.CurrentPage());
    EXPECT_NE(Find(texts, "ANTENNA VSWR (MAXIMUM):"), nullptr);
    EXPECT_TRUE(ItemValues(texts, "ANTENNA VSWR (MAXIMUM):").empty());
}

// The Y of the bottom-aligned note lines, lowest first.
std::vector<const TText*> NoteLines(const std::vector<TText>& texts) {
    std::vector<const TText*> out;
    for (const TText& t : texts)
        if (t.V == vpBottom && t.X == 100) out.push_back(&t);
    return out;
}

// The bottom of the lowest top-aligned text above the frame's footer line.
double LowestItemBottom(const std::vector<TText>& texts) {
    double bottom = 0;
    for (const TText& t : texts)
        if (t.V == vpTop && t.Y < 950) bottom = std::max(bottom, t.Y + t.Height);
    return bottom;
}

TEST(SpecSheet, MechanicalPagesItemsAreasAndNotes) {
    // KVR side mount: front and side areas with symbols, no flange, the area footnote.
    auto d = Sample("kvr_horizontal_ch34");
    TMechanicalData m;
    d->GetMechanical(m);
    ASSERT_NE(m.CaAc, 0);
    ASSERT_NE(m.SideCaAc, 0);
    TReporter r;
    DrawMechanicalPage(r, *d);
    auto texts = Texts(r.CurrentPage());
    EXPECT_EQ(Find(texts, "MOUNTING FLANGE:"), nullptr);
    EXPECT_EQ(ItemValues(texts, "MOUNTING CONFIGURATION:"), std::vector<std::string>{"Side Mount"});
    EXPECT_EQ(ItemValues(texts, "CALCULATED WEIGHT\xC2\xB9:"),
              std::vector<std::string>{FormatFixed(m.Weight, 0) + " lbs."});
    const TText* front = Find(texts, "FRONT AREA:");
    const TText* side = Find(texts, "SIDE AREA:");
    ASSERT_TRUE(front && side);
    const auto areas = ValuesBetween(texts, front->Y, side->Y + 40);
    ASSERT_EQ(areas.size(), 4u);
    EXPECT_EQ(areas[0], FormatFixed(m.CaAc, 1) + " square feet");
    EXPECT_EQ(areas[2], FormatFixed(m.SideCaAc, 1) + " square feet");
    const TText* ac = Find(texts, FormatFixed(m.Ac, 1) + " square feet");
    ASSERT_NE(ac, nullptr);
    EXPECT_EQ(ac->Y, front->Y + 16);  // directly below
    EXPECT_EQ(side->Y, front->Y + 32 + 18);

    // Notes: the wind note lowest, its last line bottom-aligned on 940; bottom to top
    // wind, area, weight (short form for KVR), structure.
    auto notes = NoteLines(texts);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front()->Y, 940);
    EXPECT_EQ(notes.front()->Style, fsBold | fsItalic);
    EXPECT_EQ(notes.front()->Height, 15);
    std::string all;
    for (auto it = notes.rbegin(); it != notes.rend(); ++it) all += (*it)->Text + "\n";
    const size_t structure = all.find("This antenna is designed");
    const size_t weight = all.find("\xC2\xB9 Calculated weight");
    const size_t area = all.find("\xC2\xB3 Antenna Area");
    const size_t wind = all.find("Note: Localized");
    EXPECT_TRUE(structure < weight && weight < area && area < wind) << all;
    EXPECT_EQ(all.find("antenna input section"), std::string::npos);
    for (size_t i = 1; i < notes.size(); ++i) EXPECT_LT(notes[i]->Y, notes[i - 1]->Y);
    EXPECT_LE(LowestItemBottom(texts) + 15, notes.back()->Y - 15) << "a free line above the notes";

    // KLX-UHF top mount: contact texts and the flange item; the long weight note.
    auto k = Sample("miraldo_uhf_elliptical_top");
    TReporter rk;
    DrawMechanicalPage(rk, *k);
    texts = Texts(rk.CurrentPage());
    EXPECT_EQ(ItemValues(texts, "MOUNTING FLANGE:"), std::vector<std::string>{"CONTACT Orvane"});
    EXPECT_EQ(ItemValues(texts, "ANTENNA AREA:"), std::vector<std::string>{"CONTACT Orvane"});
    EXPECT_EQ(ItemValues(texts, "DEICING:"), std::vector<std::string>{"Pressurized Radome Enclosure"});
    all.clear();
    for (const TText* t : NoteLines(texts)) all += t->Text + " ";
    EXPECT_NE(all.find("antenna input section"), std::string::npos);
    EXPECT_EQ(all.find("\xC2\xB3"), std::string::npos);

    // QD-MAX turned to top mount: the three bolt rows.
    auto q = Sample("qdmax_ch30");
    q->OptionsPage.MountCode = "T";
    m = TMechanicalData{};
    q->GetMechanical(m);
    TReporter rq;
    DrawMechanicalPage(rq, *q);
    texts = Texts(rq.CurrentPage());
    EXPECT_EQ(ItemValues(texts, "MOUNTING FLANGE:"),
              (std::vector<std::string>{
                  m.BC != 0 ? FormatFixed(m.BC, 2) + " inches" : "CONTACT Orvane", "1.25 inches",
                  m.QTY != 0 ? FormatInt(m.QTY) : "CONTACT Orvane"}));
    EXPECT_NE(Find(texts, "NUMBER OF BOLTS:"), nullptr);

    // KVR top mount: both areas and the flange. The item gaps shrink so that the list
    // stops one note line above the notes; unknown bolt data print the contact text.
    d->OptionsPage.MountCode = "T";
    m = TMechanicalData{};
    d->GetMechanical(m);
    TReporter rt;
    DrawMechanicalPage(rt, *d);
    texts = Texts(rt.CurrentPage());
    notes = NoteLines(texts);
    ASSERT_FALSE(notes.empty());
    EXPECT_LE(LowestItemBottom(texts) + 15, notes.back()->Y - 15 + 1e-9);
    EXPECT_GT(LowestItemBottom(texts) + 15, notes.back()->Y - 15 - 10) << "gaps shrink only as needed";
    const auto flange = ItemValues(texts, "MOUNTING FLANGE:");
    ASSERT_EQ(flange.size(), 3u);
    EXPECT_EQ(flange[0], m.BC != 0 ? FormatFixed(m.BC, 2) + " inches" : "CONTACT Orvane");
    EXPECT_EQ(flange[2], m.QTY != 0 ? FormatInt(m.QTY) : "CONTACT Orvane");
}

TEST(SpecSheet, FMMechanicalRadomeColourFollowsTheRadomeChoice) {
    auto d = Sample("rnvx_circular_fm");
    for (bool radome : {true, false}) {
        d->OptionsPage.Radome = radome;
        TReporter r;
        DrawMechanicalPage(r, *d);
        const auto texts = Texts(r.CurrentPage());
        EXPECT_EQ(ItemValues(texts, "RADOME SELECTED:"),
                  std::vector<std::string>{radome ? "YES" : "NO"});
        EXPECT_EQ(Find(texts, "RADOME COLOR:") != nullptr, radome);
        std::string all;
        for (const TText* t : NoteLines(texts)) all += t->Text + " ";
        EXPECT_NE(all.find("Vertical tower space"), std::string::npos);
        EXPECT_NE(all.find("radial ice."), std::string::npos);
    }
}

TEST(SpecSheet, AreaSymbolsPutSubscriptsOnTheLineBottom) {
    TReporter r;
    r.SetFont("Arial", clBlack, fsItalic, 16);
    DrawCaAcLabel(r, 455, 500);
    auto texts = Texts(r.CurrentPage());
    ASSERT_EQ(texts.size(), 5u);
    const char* pieces[] = {"C", "A", "A", "C", ":"};
    const bool sub[] = {false, true, false, true, false};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(texts[i].Text, pieces[i]);
        if (sub[i]) {
            EXPECT_EQ(texts[i].Height, 10);
            EXPECT_EQ(texts[i].V, vpBottom);
            EXPECT_EQ(texts[i].Y, 516);
        } else {
            EXPECT_EQ(texts[i].V, vpTop);
            EXPECT_EQ(texts[i].Y, 500);
        }
        if (i > 0) {
            r.SetFont("Arial", clBlack, texts[i - 1].Style, texts[i - 1].Height);
            EXPECT_NEAR(texts[i].X, texts[i - 1].X + r.TextWidth(texts[i - 1].Text), 1e-9);
        }
    }
    EXPECT_EQ(texts[0].Height, 16);
    EXPECT_EQ(texts[2].Height, 18);
    EXPECT_EQ(texts[4].Height, 18);

    TReporter r2;
    r2.SetFont("Arial", clBlack, fsItalic, 18);
    DrawAcLabel(r2, 455, 500);
    texts = Texts(r2.CurrentPage());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].Y, 518);
    EXPECT_EQ(r2.GetFontHeight(), 18);
}

TEST(SpecSheet, MountingPagePicksTheDrawingByMounting) {
    auto d = Sample("kvr_horizontal_ch34");
    for (const char* mount : {"S", "T"}) {
        d->OptionsPage.MountCode = mount;
        TReporter r;
        DrawMountingPage(r, *d);
        std::string picture;
        for (const TPageItem& item : r.CurrentPage())
            if (item.Kind == ikDrawFromRes) {
                const auto& res = std::get<DrawFromResInfo>(item.Data);
                if (res.R.Left == 130 && res.R.Top == 120 && res.R.Right == 710 &&
                    res.R.Bottom == 970)
                    picture = res.ResName;
            }
        EXPECT_EQ(picture, std::string(mount) == "S" ? "SIDE_MOUNT" : "TOP_MOUNT");
        const auto texts = Texts(r.CurrentPage());
        const TText* line = Find(texts,
                                 "TYPICAL MOUNTING CONFIGURATION SHOWN. ACTUAL MOUNTING "
                                 "CONFIGURATION MAY VARY.");
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->Y, 100);
        EXPECT_EQ(line->Height, 15);
    }
}

}  // namespace
}  // namespace velmo
