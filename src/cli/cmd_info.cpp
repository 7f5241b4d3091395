// velmo-cli info: opens a design file the way the desktop program does and prints
// what the main window and the report show of it: title, part number, connector,
// system parameters, patterns with their gains, line, power analysis, gains towards
// the horizon and mechanical data.
#include <cmath>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "cli/command.h"
#include "cli/json.h"
#include "model/design.h"
#include "patterns/elpattern.h"
#include "product/mechanical.h"

namespace velmo::cli {
namespace {

// An ordered tree of named values, printed as indented text or as JSON.
struct TNode {
    enum Kind { Text, Number, Integer, Boolean, Object, List } kind = Object;
    std::string name;
    std::string text;
    double number = 0;
    long long integer = 0;
    std::vector<TNode> children;

    TNode& Add(TNode n) {
        children.push_back(std::move(n));
        return children.back();
    }
    TNode& Str(const std::string& n, const std::string& v) {
        return Add({Text, n, v, 0, 0, {}});
    }
    TNode& Num(const std::string& n, double v) { return Add({Number, n, "", v, 0, {}}); }
    TNode& Int(const std::string& n, long long v) { return Add({Integer, n, "", 0, v, {}}); }
    TNode& Bool(const std::string& n, bool v) { return Add({Boolean, n, "", 0, v ? 1 : 0, {}}); }
    TNode& Obj(const std::string& n) { return Add({Object, n, "", 0, 0, {}}); }
    TNode& Lst(const std::string& n) { return Add({List, n, "", 0, 0, {}}); }
};

std::string JsonValue(const TNode& n, int indent) {
    switch (n.kind) {
        case TNode::Text: return JsonString(n.text);
        case TNode::Number: return std::isfinite(n.number) ? FormatGeneral(n.number, '.') : "null";
        case TNode::Integer: return FormatInt(n.integer);
        case TNode::Boolean: return n.integer ? "true" : "false";
        case TNode::Object:
        case TNode::List: {
            const bool list = n.kind == TNode::List;
            if (n.children.empty()) return list ? "[]" : "{}";
            std::string pad(static_cast<size_t>(indent + 2), ' ');
            std::string out = list ? "[\n" : "{\n";
            for (size_t i = 0; i < n.children.size(); ++i) {
                out += pad;
                if (!list) out += JsonString(n.children[i].name) + ": ";
                out += JsonValue(n.children[i], indent + 2);
                out += i + 1 < n.children.size() ? ",\n" : "\n";
            }
            return out + std::string(static_cast<size_t>(indent), ' ') + (list ? "]" : "}");
        }
    }
    return "null";
}

void PrintText(const TNode& n, int indent, std::ostream& out) {
    for (const TNode& c : n.children) {
        out << std::string(static_cast<size_t>(indent), ' ');
        if (n.kind != TNode::List) out << c.name << ":";
        switch (c.kind) {
            case TNode::Text: out << (n.kind == TNode::List ? "" : " ") << c.text << "\n"; break;
            case TNode::Number: out << " " << FormatGeneral(c.number) << "\n"; break;
            case TNode::Integer: out << " " << FormatInt(c.integer) << "\n"; break;
            case TNode::Boolean: out << " " << (c.integer ? "yes" : "no") << "\n"; break;
            case TNode::Object:
            case TNode::List:
                out << "\n";
                PrintText(c, indent + 2, out);
                break;
        }
    }
}

const char* MarketName(TMarketType m) {
    switch (m) {
        case mtUS: return "mtUS";
        case mtEurope: return "mtEurope";
        case mtAustralia: return "mtAustralia";
    }
    return "";
}

void AzimuthNode(TNode& parent, const std::string& name, const TAzPattern& p) {
    TNode& n = parent.Obj(name);
    n.Str("PatternCode", p.PatternCode);
    n.Str("PatternID", p.PatternID);
    n.Str("Desc", p.Desc);
    n.Str("PolCode", p.PolCode);
    n.Str("FileName", p.FileName);
    n.Num("Gain", p.Gain());
    n.Num("GaindB", p.GaindB);
    n.Num("Beamwidth", p.Beamwidth);
    n.Int("PointCount", p.Points.Count());
}

void ElevationNode(TNode& parent, const std::string& name, const TElPattern& p) {
    TNode& n = parent.Obj(name);
    n.Str("PolID", p.PolID);
    n.Str("PolCode", p.PolCode);
    n.Str("BaseCose", p.BaseCose);
    n.Str("DetailLabel", p.DetailLabel);
    n.Str("Description", p.Description);
    n.Str("FileName", p.FileName);
    n.Num("Gain", p.Gain());
    n.Num("MainLobedBd", p.MainLobedBd);
    n.Num("HorzdBd", p.HorzdBd);
    n.Num("HorzNum", p.HorzNum);
    n.Num("GainAtZero", p.GainAtZero());
    n.Num("DefaultBeamtilt", p.DefaultBeamtilt());
    n.Num("Beamtilt", p.Beamtilt());
    n.Num("BeamWidth", p.BeamWidth);
    n.Bool("Smooth", p.Smooth);
    n.Int("BayCount", p.BayCount);
    if (p.PatternType == ptFM) {
        n.Num("BaySpacing", p.BaySpacing);
        n.Str("FeedCode", p.FeedCode);
        n.Num("FirstNullFillPercent", p.FirstNullFillPercent());
        n.Num("SecondNullFillPercent", p.SecondNullFillPercent());
    }
    n.Int("PointCount", p.Points.Count());
}

TNode Describe(TBroadcastDesign& d) {
    TNode root;
    const bool fm = d.DesignInfo.SystemType == "FM";
    const bool elliptical = d.OptionsPage.PolCode == "E";
    // The part number first: for FM designs it also decides the connector text.
    const std::string partNumber = d.BuildPartNumber();
    TMechanicalData mech;
    d.GetMechanical(mech);

    root.Str("Title", d.GetTitle());
    root.Str("PartNumber", partNumber);
    root.Str("InputType", d.InputType());

    const TDesignInfo& i = d.DesignInfo;
    TNode& info = root.Obj("DesignInfo");
    info.Str("CompanyName", i.CompanyName);
    info.Str("Location", i.Location);
    info.Str("Location2", i.Location2);
    info.Str("Designer", i.Designer);
    info.Num("Date", i.Date);
    info.Str("SpecNo", i.SpecNo);
    TNode& notes = info.Lst("Notes");
    for (const auto& line : i.Notes) notes.Str("", line);

    const TOptionsPage& o = d.OptionsPage;
    root.Str("SystemType", i.SystemType);
    root.Str("Market", MarketName(o.Market));
    root.Str("Service", o.Service == stAnalog ? "stAnalog" : "stDigital");
    root.Str("FamilyID", o.FamilyID);
    root.Str("PowerCode", o.PowerCode);
    root.Str("MountCode", o.MountCode);
    root.Str("PolCode", o.PolCode);
    root.Str("FeedCode", o.FeedCode);
    root.Str("CustomLabel", o.CustomLabel);
    root.Str("ChannelNumber", o.Channel.ChannelNumber);
    root.Str("ChannelDesc", o.Channel.Desc);
    root.Num("BegFreq", o.Channel.BegFreq);
    root.Num("EndFreq", o.Channel.EndFreq);
    root.Num("MidFreq", o.Channel.MidFreq);
    root.Num("Frequency", o.Channel.Frequency);
    root.Bool("Radome", o.Radome);
    root.Bool("Deicer", o.Deicer);
    root.Num("MaxERPkW", o.MaxERPkW);
    root.Num("VerticalComponent", o.VerticalComponent);
    root.Bool("HighWind", o.HighWind);

    TNode& az = root.Obj("AzimuthPage");
    az.Int("Angle", d.AzimuthPage.Angle());
    if (fm) {
        AzimuthNode(az, "FMPattern", d.AzimuthPage.FMPattern);
    } else {
        AzimuthNode(az, "HorzPattern", d.AzimuthPage.HorzPattern);
        if (elliptical) AzimuthNode(az, "VertPattern", d.AzimuthPage.VertPattern);
    }
    TNode& el = root.Obj("ElevationPage");
    if (fm) {
        ElevationNode(el, "FMPattern", d.ElevationPage.FMPattern);
    } else {
        ElevationNode(el, "HorzPattern", d.ElevationPage.HorzPattern);
        if (elliptical) ElevationNode(el, "VertPattern", d.ElevationPage.VertPattern);
    }

    const TLinesPage& lp = d.LinesPage;
    TNode& line = root.Obj("Line");
    line.Str("PartNumber", lp.Line.PartNumber);
    line.Str("Description", lp.Line.Description);
    line.Int("VertLength", lp.VertLength);
    line.Int("HorzLength", lp.HorzLength);
    line.Int("TotalRunLength", lp.Line.TotalRunLength());
    line.Num("dBPerFoot", lp.Line.dBPerFoot());
    line.Num("HorzdB", lp.Line.HorzdB);
    line.Num("TotaldB", lp.Line.TotaldB());
    line.Num("AvgPower", lp.Line.AvgPower());
    line.Num("PeakPower", lp.Line.PeakPower());
    line.Int("Aural", lp.Line.Aural());

    const TPowerAnalysis& a = d.AnalysisPage.Analysis;
    root.Num("TransmitterPowerkW", a.TransmitterPowerkW());
    root.Num("TransmitterPowerdBk", a.TransmitterPowerdBk());
    root.Num("IsolationTransformerLossDB", a.IsolationTransformerLossDB());
    root.Num("IsolationTransformerLosskW", a.IsolationTransformerLosskW());
    root.Num("FilterLossDB", a.FilterLossDB());
    root.Num("FilterLosskW", a.FilterLosskW());
    root.Num("CirculatorLossDB", a.CirculatorLossDB());
    root.Num("CirculatorLosskW", a.CirculatorLosskW());
    root.Num("LineLossdB", a.LineLossdB());
    root.Num("LineLosskW", a.LineLosskW());
    root.Num("Efficiency", a.Efficiency());
    root.Num("AntennaInputkW", a.AntennaInputkW);
    root.Num("AntennaInputdBk", a.AntennaInputdBk());
    root.Num("MaxInputPower", a.MaxInputPower);
    root.Num("LinePeakPower", a.LinePeakPower);
    root.Num("PowerGainRatioHorz", a.PowerGainRatioHorz());
    root.Num("PowerGaindBdHorz", a.PowerGaindBdHorz());
    root.Num("ERPkWHorz", a.ERPkWHorz());
    root.Num("ERPdBkHorz", a.ERPdBkHorz());
    if (elliptical) {
        root.Num("VerticalRatio", a.VerticalRatio());
        root.Num("PowerGainRatioVert", a.PowerGainRatioVert());
        root.Num("PowerGaindBdVert", a.PowerGaindBdVert());
        root.Num("ERPkWVert", a.ERPkWVert());
        root.Num("ERPdBkVert", a.ERPdBkVert());
    }
    const TPatternType slot = fm ? ptFM : ptHorizontal;
    root.Num("GainAtHorzdBd", d.GetGainAtHorzdBd(slot));
    root.Num("GainAtHorzNum", d.GetGainAtHorzNum(slot));
    if (elliptical && !fm) {
        root.Num("GainAtHorzdBdVert", d.GetGainAtHorzdBd(ptVertical));
        root.Num("GainAtHorzNumVert", d.GetGainAtHorzNum(ptVertical));
    }

    TNode& m = root.Obj("Mechanical");
    m.Num("Length", mech.Length);
    m.Num("TotalLength", mech.TotalLength);
    m.Num("Weight", mech.Weight);
    m.Num("Shear", mech.Shear);
    m.Num("RadomeDiameter", mech.RadomeDiameter);
    m.Str("RadomeColor", mech.RadomeColor);
    m.Str("ClimbingDevice", mech.ClimbingDevice);
    m.Num("Ac", mech.Ac);
    m.Num("CaAc", mech.CaAc);
    m.Num("SideAc", mech.SideAc);
    m.Num("SideCaAc", mech.SideCaAc);
    m.Num("OTM", mech.OTM);
    m.Num("BC", mech.BC);
    m.Int("QTY", mech.QTY);
    return root;
}

int Run(const std::vector<std::string>& argv) {
    Args args(argv);
    const bool json = args.Flag("--json");
    if (args.Rest().size() != 1) UsageError("usage: velmo-cli info DESIGN.bcst [--json]");
    const std::string fileName = args.Rest()[0];
    std::string reason;
    if (!CheckDesignHeader(fileName, &reason))
        throw Error("Unable to open file." + (reason.empty() ? "" : " " + reason));
    SetElMessageHandler([](const std::string& message) {
        std::cerr << "velmo-cli info: " << message << "\n";
    });
    std::unique_ptr<TBroadcastDesign> design = LoadDesignFile(fileName);
    TNode root = Describe(*design);
    if (json)
        std::cout << JsonValue(root, 0) << "\n";
    else
        PrintText(root, 0, std::cout);
    return 0;
}

CommandRegistrar reg({"info", "info DESIGN.bcst [--json]",
                      "prints a design's title, part number, parameters, patterns, line, power "
                      "analysis and mechanical data",
                      Run});

}  // namespace
}  // namespace velmo::cli
