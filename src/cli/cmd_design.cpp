// velmo-cli new / edit / list: a design made or changed from options, one option per
// choice of the design wizard. The choices go through the wizard's own steps
// (wizard/scripteddesign.h); here are only the options and the output.
#include <functional>
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
#include "wizard/scripteddesign.h"

namespace velmo::cli {
namespace {

const char* const kChoicesHelp =
    "Design information:\n"
    "  --system TV|FM            system type (new designs only)\n"
    "  --company TEXT            company name\n"
    "  --address TEXT            company address\n"
    "  --site TEXT               location of the site\n"
    "  --designer TEXT           designer\n"
    "  --spec-no TEXT            specification number\n"
    "  --date YYYY-MM-DD         design date (default: today)\n"
    "  --note TEXT               a line of the notes (repeat for more lines)\n"
    "Step 1, system parameters:\n"
    "  --market US|Euro|Aus      market (TV)\n"
    "  --channel N               channel number (TV: 2 ... 69, FM; FM: 201 ... 300)\n"
    "  --frequency MHZ           FM: the channel starting at this frequency;\n"
    "                            TV channel FM: the frequency of the custom antenna\n"
    "  --family KEY              antenna family (KLX-UHF, KVR, RNVX, CTM ...)\n"
    "  --power-class CODE        the family's power class (TV: L, M, N)\n"
    "  --mount S|T               side or top mount\n"
    "  --pol H|E|V               horizontal, elliptical / circular, vertical (FM)\n"
    "  --service A|D             analog or digital service (TV)\n"
    "  --vertical-component PCT  elliptical MIRALDO and custom TV antennas\n"
    "  --high-wind yes|no        MIRALDO UHF top mount\n"
    "  --custom-label TEXT       custom antennas\n"
    "  --feed E|C|P              end, center or corporate fed (FM)\n"
    "  --radome yes|no           FM\n"
    "  --deicer yes|no           FM\n"
    "  --station-class N|NAME    FM: 1 \"Class A (3kW)\" ... 6 \"Class C\"\n"
    "  --max-erp KW              FM maximum ERP\n"
    "Step 2, azimuth pattern:\n"
    "  --azimuth CODE            pattern code from the family's catalog\n"
    "  --vert-azimuth CODE       TV elliptical: the vertical pattern\n"
    "  --rotation DEG            rotation of the pattern\n"
    "  --az-gain G               custom antennas: azimuth gain\n"
    "  --vert-az-gain G          custom TV elliptical: vertical azimuth gain\n"
    "Step 3, elevation pattern:\n"
    "  --elevation CODE          pattern code\n"
    "  --vert-elevation CODE     TV elliptical: the vertical pattern\n"
    "  --bays N                  FM: the pattern with this bay count\n"
    "  --spacing WL              FM: and this bay spacing (wavelengths)\n"
    "  --tilt DEG                beam tilt (TV steps of 0.25, FM steps of 0.05)\n"
    "  --first-null-fill PCT     FM, 0 ... 15\n"
    "  --second-null-fill PCT    FM RNVX and TGX, 0 ... 10\n"
    "  --el-gain G               custom antennas: elevation gain\n"
    "  --vert-el-gain G          custom TV elliptical: vertical elevation gain\n"
    "Step 4, transmission line:\n"
    "  --line PART               part number, or Custom\n"
    "  --line-description TEXT   the Custom line's description\n"
    "  --line-attenuation DB     the Custom line's dB/100 ft (0 ... 100)\n"
    "  --line-power KW           the Custom line's average power (0 ... 100)\n"
    "  --vert-length FT          vertical run (0 ... 99999)\n"
    "  --horz-length FT          horizontal run (0 ... 99999)\n"
    "  --aural PCT               analog service, 5 ... 20\n"
    "Step 5, power analysis:\n"
    "  --power KW                transmitter power\n"
    "  --erp KW                  horizontal ERP (instead of --power)\n"
    "  --isolation-loss DB       FM component losses\n"
    "  --filter-loss DB\n"
    "  --circulator-loss DB\n"
    "  --vertical-ratio PCT      TV elliptical families with an editable ratio\n"
    "\n"
    "A choice that is not given stays as the wizard proposes it (new) or as the design\n"
    "holds it (edit). A choice the wizard does not offer at that point stops the command\n"
    "with a message naming the step, the value and what is offered; no file is written.\n"
    "--list STEP (1 ... 5) prints what the step offers after the choices before it and\n"
    "its own (choices of later steps are not used), with --json as JSON.\n";

double ReadNumber(const std::string& option, const std::string& text) {
    double v = 0;
    if (TryStrToFloat(text, v) || TryStrToFloat(text, v, '.')) return v;
    UsageError("option " + option + " needs a number, not '" + text + "'");
}

int ReadInt(const std::string& option, const std::string& text) {
    long long v = 0;
    if (!TryStrToInt(text, v) || v < -1000000 || v > 1000000)
        UsageError("option " + option + " needs a whole number, not '" + text + "'");
    return static_cast<int>(v);
}

bool ReadYesNo(const std::string& option, const std::string& text) {
    if (text == "yes") return true;
    if (text == "no") return false;
    UsageError("option " + option + " needs yes or no, not '" + text + "'");
}

using TSetter = std::function<void(TDesignChoices&, const std::string& option, const std::string& v)>;

template <typename T>
TSetter Text(std::optional<T> TDesignChoices::*m) {
    return [m](TDesignChoices& c, const std::string&, const std::string& v) { c.*m = v; };
}
TSetter Number(std::optional<double> TDesignChoices::*m) {
    return [m](TDesignChoices& c, const std::string& o, const std::string& v) { c.*m = ReadNumber(o, v); };
}
TSetter Whole(std::optional<int> TDesignChoices::*m) {
    return [m](TDesignChoices& c, const std::string& o, const std::string& v) { c.*m = ReadInt(o, v); };
}
TSetter YesNo(std::optional<bool> TDesignChoices::*m) {
    return [m](TDesignChoices& c, const std::string& o, const std::string& v) { c.*m = ReadYesNo(o, v); };
}

const std::vector<std::pair<std::string, TSetter>>& Options() {
    using C = TDesignChoices;
    static const std::vector<std::pair<std::string, TSetter>> options = {
        {"--system", Text(&C::SystemType)},
        {"--company", Text(&C::CompanyName)},
        {"--address", Text(&C::Location)},
        {"--site", Text(&C::Location2)},
        {"--designer", Text(&C::Designer)},
        {"--spec-no", Text(&C::SpecNo)},
        {"--date", Text(&C::Date)},
        {"--market", Text(&C::Market)},
        {"--channel", Text(&C::Channel)},
        {"--frequency", Number(&C::Frequency)},
        {"--family", Text(&C::Family)},
        {"--power-class", Text(&C::PowerClass)},
        {"--mount", Text(&C::Mount)},
        {"--pol", Text(&C::Pol)},
        {"--service", Text(&C::Service)},
        {"--vertical-component", Number(&C::VerticalComponent)},
        {"--high-wind", YesNo(&C::HighWind)},
        {"--custom-label", Text(&C::CustomLabel)},
        {"--feed", Text(&C::Feed)},
        {"--radome", YesNo(&C::Radome)},
        {"--deicer", YesNo(&C::Deicer)},
        {"--station-class", Text(&C::StationClass)},
        {"--max-erp", Number(&C::MaxERP)},
        {"--azimuth", Text(&C::Azimuth)},
        {"--vert-azimuth", Text(&C::VertAzimuth)},
        {"--rotation", Number(&C::Rotation)},
        {"--az-gain", Number(&C::AzimuthGain)},
        {"--vert-az-gain", Number(&C::VertAzimuthGain)},
        {"--elevation", Text(&C::Elevation)},
        {"--vert-elevation", Text(&C::VertElevation)},
        {"--bays", Whole(&C::Bays)},
        {"--spacing", Number(&C::Spacing)},
        {"--tilt", Number(&C::Tilt)},
        {"--first-null-fill", Number(&C::FirstNullFill)},
        {"--second-null-fill", Number(&C::SecondNullFill)},
        {"--el-gain", Number(&C::ElevationGain)},
        {"--vert-el-gain", Number(&C::VertElevationGain)},
        {"--line", Text(&C::Line)},
        {"--line-description", Text(&C::LineDescription)},
        {"--line-attenuation", Number(&C::LineAttenuation)},
        {"--line-power", Number(&C::LinePower)},
        {"--vert-length", Number(&C::VertLength)},
        {"--horz-length", Number(&C::HorzLength)},
        {"--aural", Whole(&C::Aural)},
        {"--power", Number(&C::TransmitterPower)},
        {"--erp", Number(&C::ERP)},
        {"--isolation-loss", Number(&C::IsolationLoss)},
        {"--filter-loss", Number(&C::FilterLoss)},
        {"--circulator-loss", Number(&C::CirculatorLoss)},
        {"--vertical-ratio", Whole(&C::VerticalRatio)},
    };
    return options;
}

TDesignChoices ReadChoices(Args& args) {
    TDesignChoices c;
    std::string v;
    for (const auto& [name, set] : Options())
        if (args.Option(name, v)) {
            set(c, name, v);
            if (args.Option(name, v)) UsageError("option " + name + " is given more than once");
        }
    std::vector<std::string> notes;
    while (args.Option("--note", v)) notes.push_back(v);
    if (!notes.empty()) c.Notes = notes;
    return c;
}

void RejectUnknown(const std::vector<std::string>& rest, size_t positional, const std::string& usage) {
    for (const auto& a : rest)
        if (a.size() > 1 && a[0] == '-') UsageError("unknown option " + a + "; see velmo-cli new --help");
    if (rest.size() != positional) UsageError("usage: " + usage);
}

void PrintOffers(const TStepOffers& o, bool json) {
    if (json) {
        std::cout << "{\n  \"step\": " << o.Step << ",\n  \"page\": " << JsonString(o.PageClass)
                  << ",\n  \"choices\": [";
        for (size_t i = 0; i < o.Groups.size(); ++i) {
            const TOfferGroup& g = o.Groups[i];
            std::cout << (i ? "," : "") << "\n    {\"option\": " << JsonString("--" + g.Name);
            if (g.Items.empty() && !g.Range.empty()) {
                std::cout << ", \"range\": " << JsonString(g.Range) << ", \"value\": " << JsonString(g.Value)
                          << "}";
                continue;
            }
            std::cout << ", \"offered\": [";
            for (size_t k = 0; k < g.Items.size(); ++k) {
                const TOfferItem& it = g.Items[k];
                std::cout << (k ? "," : "") << "\n      {\"key\": " << JsonString(it.Key)
                          << ", \"detail\": " << JsonString(it.Detail) << ", \"caption\": " << JsonString(it.Caption)
                          << ", \"selected\": " << (it.Selected ? "true" : "false") << "}";
            }
            std::cout << (g.Items.empty() ? "]}" : "\n    ]}");
        }
        std::cout << "\n  ]\n}\n";
        return;
    }
    std::cout << "step " << o.Step << " (" << o.PageClass << ")\n";
    for (const TOfferGroup& g : o.Groups) {
        if (g.Items.empty() && !g.Range.empty()) {
            std::cout << "--" << g.Name << ": " << (g.Value.empty() ? "(empty)" : g.Value) << "  [" << g.Range
                      << "]\n";
            continue;
        }
        std::cout << "--" << g.Name << ":" << (g.Items.empty() ? " (nothing offered)" : "") << "\n";
        for (const TOfferItem& it : g.Items) {
            std::cout << (it.Selected ? "  * " : "    ") << it.Key;
            if (!it.Detail.empty()) std::cout << "  [" << it.Detail << "]";
            if (!it.Caption.empty()) std::cout << "  " << it.Caption;
            std::cout << "\n";
        }
    }
}

int ReadStep(const std::string& text) {
    long long step = 0;
    if (!TryStrToInt(text, step) || step < 1 || step > 5) UsageError("--list needs a step from 1 to 5, not '" + text + "'");
    return static_cast<int>(step);
}

void RouteElevationMessages(const std::string& who) {
    SetElMessageHandler([who](const std::string& m) { std::cerr << who << ": Warning: " << m << "\n"; });
}

std::unique_ptr<TBroadcastDesign> Open(const std::string& fileName) {
    std::string reason;
    if (!CheckDesignHeader(fileName, &reason))
        throw Error("Unable to open file." + (reason.empty() ? "" : " " + reason));
    return LoadDesignFile(fileName);
}

bool WantsHelp(Args& args, const std::string& usage) {
    if (!args.Flag("--help") && !args.Flag("-h")) return false;
    std::cout << "Usage: velmo-cli " << usage << "\n\n" << kChoicesHelp;
    return true;
}

// new and edit: "-o OUT" writes the design that the choices make (edit: of the design
// named first), "--list STEP" prints what that step offers instead.
int RunDesignCommand(const std::vector<std::string>& argv, const std::string& command,
                     const std::string& usage, bool edit) {
    Args args(argv);
    if (WantsHelp(args, usage)) return 0;
    RouteElevationMessages("velmo-cli " + command);
    const bool json = args.Flag("--json");
    std::string out, list;
    const bool hasOut = args.Option("-o", out) || args.Option("--output", out);
    const bool listing = args.Option("--list", list);
    const TDesignChoices choices = ReadChoices(args);
    RejectUnknown(args.Rest(), edit ? 1 : 0, usage);
    std::unique_ptr<TBroadcastDesign> design;
    if (edit) design = Open(args.Rest()[0]);
    if (listing) {
        PrintOffers(ListStep(choices, ReadStep(list), design.get()), json);
        return 0;
    }
    if (!hasOut) UsageError("usage: velmo-cli " + usage);
    if (edit)
        EditDesign(*design, choices);
    else
        design = MakeDesign(choices);
    design->SaveToFile(out);
    return 0;
}

int RunNew(const std::vector<std::string>& argv) {
    return RunDesignCommand(argv, "new",
                            "new -o DESIGN.bcst [CHOICES] | new --list STEP [CHOICES] [--json]", false);
}

int RunEdit(const std::vector<std::string>& argv) {
    return RunDesignCommand(
        argv, "edit", "edit DESIGN.bcst -o OUT.bcst [CHOICES] | edit DESIGN.bcst --list STEP [CHOICES] [--json]",
        true);
}

int RunList(const std::vector<std::string>& argv) {
    const std::string usage = "list STEP [DESIGN.bcst] [CHOICES] [--json]";
    Args args(argv);
    if (WantsHelp(args, usage)) return 0;
    RouteElevationMessages("velmo-cli list");
    const bool json = args.Flag("--json");
    const TDesignChoices choices = ReadChoices(args);
    const auto& rest = args.Rest();
    RejectUnknown(rest, rest.size() == 2 ? 2 : 1, usage);
    const int step = ReadStep(rest[0]);
    std::unique_ptr<TBroadcastDesign> design;
    if (rest.size() == 2) design = Open(rest[1]);
    PrintOffers(ListStep(choices, step, design.get()), json);
    return 0;
}

CommandRegistrar regNew({"new", "new -o DESIGN.bcst [CHOICES] [--list STEP [--json]]",
                         "makes a design through the wizard's steps, one option per choice "
                         "(velmo-cli new --help lists them)",
                         RunNew});
CommandRegistrar regEdit({"edit", "edit DESIGN.bcst -o OUT.bcst [CHOICES] [--list STEP [--json]]",
                          "changes some choices of a design through the wizard's steps in edit mode",
                          RunEdit});
CommandRegistrar regList({"list", "list STEP [DESIGN.bcst] [CHOICES] [--json]",
                          "prints what a wizard step offers after the given choices",
                          RunList});

}  // namespace
}  // namespace velmo::cli
