#pragma once
// The design information dialog's logic: its own copy of a design's header data, the
// field texts, the date the picker holds, the "TV"/"FM" toggles and the OK rule. The
// dialog window renders it and forwards every edit.
#include <functional>
#include <string>
#include <vector>

#include "model/design.h"

namespace velmo {

class TfrmDesignInfo {
public:
    // The picker holds the current local date and time; OK is disabled.
    TfrmDesignInfo();
    TfrmDesignInfo(const TfrmDesignInfo&) = delete;
    TfrmDesignInfo& operator=(const TfrmDesignInfo&) = delete;

    // The edited copy. Writing it shows every field of `value`, puts "TV" or "FM" down
    // by its system type and enables OK exactly when one of them is down.
    const TDesignInfo& DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(const TDesignInfo& value);

    const std::string& CompanyName() const { return FCompanyName; }
    void SetCompanyName(const std::string& v);
    const std::string& Location() const { return FLocation; }
    void SetLocation(const std::string& v);
    const std::string& Location2() const { return FLocation2; }
    void SetLocation2(const std::string& v);
    const std::string& Designer() const { return FDesigner; }
    void SetDesigner(const std::string& v);
    const std::string& SpecNo() const { return FSpecNo; }
    void SetSpecNo(const std::string& v);
    double Date() const { return FDate; }
    // Stores the date and puts it into the picker; a date the picker cannot show
    // leaves the picker as it was.
    void SetDate(double v);
    const std::vector<std::string>& Notes() const { return FNotes; }
    void SetNotes(const std::vector<std::string>& v);
    // The design's report lines as one text; the dialog hands it back unchanged.
    const std::string& ReportTitle() const { return FReportTitle; }
    void SetReportTitle(const std::string& v) { FReportTitle = v; }

    // ---- what the window shows and edits -------------------------------------------
    struct TFields {
        std::string CompanyName, Location, Location2, SpecNo, Designer;
        std::string NotesText;  // lines joined with "\n"
        double PickerDate = 0;  // day number with the time of day
        bool TVDown = false, FMDown = false;
        bool OkEnabled = false;
    };
    const TFields& Fields() const { return FFields; }
    void EditCompanyName(const std::string& v) { FFields.CompanyName = v; }
    void EditLocation(const std::string& v) { FFields.Location = v; }
    void EditLocation2(const std::string& v) { FFields.Location2 = v; }
    void EditSpecNo(const std::string& v) { FFields.SpecNo = v; }
    void EditDesigner(const std::string& v) { FFields.Designer = v; }
    void EditNotes(const std::string& text) { FFields.NotesText = text; }
    // A calendar day chosen in the picker: the picker keeps its time of day.
    void PickDay(int year, int month, int day);
    // The toggles: pressing one puts it down and the other up (at most one is down).
    void PressTV();
    void PressFM();
    // Copies the fields into the edited copy; true when the dialog may close with OK.
    bool OkClick();

    // Announced after every change the window must show.
    std::function<void()> OnChanged;

    // The dates the picker can show: 1 January 1753 to 31 December 9999.
    static bool PickerAccepts(double date);

private:
    void Show();
    void Changed() {
        if (OnChanged) OnChanged();
    }

    TDesignInfo FDesignInfo;
    std::string FCompanyName, FLocation, FLocation2, FDesigner, FSpecNo;
    double FDate = 0;
    std::vector<std::string> FNotes;
    std::string FReportTitle;
    TFields FFields;
};

// Day numbers (days since 30 December 1899, the fraction the time of day) and
// calendar days.
double EncodeDate(int year, int month, int day);
void DecodeDate(double date, int& year, int& month, int& day);
// The lines of a multi-line text, as a list of entries; an empty text gives none and a
// final line break adds no entry.
std::vector<std::string> TextLines(const std::string& text);

}  // namespace velmo
