#include "wizard/designinfo.h"

#include <cmath>

#include "model/designfile.h"

namespace velmo {
namespace {

long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr long long kUnixToDayNumber = 25569;  // 1 January 1970 is day 25569

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return out;
}

}  // namespace

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                             static_cast<unsigned>(day)) +
                               kUnixToDayNumber);
}

void DecodeDate(double date, int& year, int& month, int& day) {
    CivilFromDays(static_cast<long long>(std::trunc(date)) - kUnixToDayNumber, year, month, day);
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool TfrmDesignInfo::PickerAccepts(double date) {
    if (!std::isfinite(date)) return false;
    return date >= EncodeDate(1753, 1, 1) && date < EncodeDate(9999, 12, 31) + 1;
}

TfrmDesignInfo::TfrmDesignInfo() {
    FDate = NowAsDateTime();
    FDesignInfo.Date = FDate;
    FFields.PickerDate = FDate;
}

void TfrmDesignInfo::SetDesignInfo(const TDesignInfo& value) {
    FDesignInfo.Assign(value);
    FCompanyName = value.CompanyName;
    FLocation = value.Location;
    FLocation2 = value.Location2;
    FDesigner = value.Designer;
    FSpecNo = value.SpecNo;
    FNotes = value.Notes;
    FDate = value.Date;
    if (PickerAccepts(value.Date)) FFields.PickerDate = value.Date;
    FFields.TVDown = value.SystemType == "TV";
    FFields.FMDown = value.SystemType == "FM";
    FFields.OkEnabled = FFields.TVDown || FFields.FMDown;
    Show();
}

void TfrmDesignInfo::Show() {
    FFields.CompanyName = FCompanyName;
    FFields.Location = FLocation;
    FFields.Location2 = FLocation2;
    FFields.Designer = FDesigner;
    FFields.SpecNo = FSpecNo;
    FFields.NotesText = JoinLines(FNotes);
    Changed();
}

void TfrmDesignInfo::SetCompanyName(const std::string& v) {
    FCompanyName = v;
    FFields.CompanyName = v;
    Changed();
}
void TfrmDesignInfo::SetLocation(const std::string& v) {
    FLocation = v;
    FFields.Location = v;
    Changed();
}
void TfrmDesignInfo::SetLocation2(const std::string& v) {
    FLocation2 = v;
    FFields.Location2 = v;
    Changed();
}
void TfrmDesignInfo::SetDesigner(const std::string& v) {
    FDesigner = v;
    FFields.Designer = v;
    Changed();
}
void TfrmDesignInfo::SetSpecNo(const std::string& v) {
    FSpecNo = v;
    FFields.SpecNo = v;
    Changed();
}
void TfrmDesignInfo::SetDate(double v) {
    FDate = v;
    if (PickerAccepts(v)) FFields.PickerDate = v;
    Changed();
}
void TfrmDesignInfo::SetNotes(const std::vector<std::string>& v) {
    FNotes = v;
    FFields.NotesText = JoinLines(v);
    Changed();
}

void TfrmDesignInfo::PickDay(int year, int month, int day) {
    const double old = FFields.PickerDate;
    const double time = std::fabs(old - std::trunc(old));
    const double days = EncodeDate(year, month, day);
    const double date = days < 0 ? days - time : days + time;
    if (PickerAccepts(date)) FFields.PickerDate = date;
    Changed();
}

void TfrmDesignInfo::PressTV() {
    FFields.TVDown = true;
    FFields.FMDown = false;
    FFields.OkEnabled = true;
    Changed();
}

void TfrmDesignInfo::PressFM() {
    FFields.FMDown = true;
    FFields.TVDown = false;
    FFields.OkEnabled = true;
    Changed();
}

bool TfrmDesignInfo::OkClick() {
    if (!FFields.OkEnabled) return false;
    FCompanyName = FDesignInfo.CompanyName = FFields.CompanyName;
    FDesigner = FDesignInfo.Designer = FFields.Designer;
    FLocation = FDesignInfo.Location = FFields.Location;
    FLocation2 = FDesignInfo.Location2 = FFields.Location2;
    FSpecNo = FDesignInfo.SpecNo = FFields.SpecNo;
    FDate = FDesignInfo.Date = FFields.PickerDate;
    FNotes = TextLines(FFields.NotesText);
    FDesignInfo.Notes = FNotes;
    if (!FFields.TVDown && !FFields.FMDown) FFields.TVDown = true;
    FDesignInfo.SystemType = FFields.TVDown ? "TV" : "FM";
    return true;
}

}  // namespace velmo
