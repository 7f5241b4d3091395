#pragma once
// The dialog that edits the user-defined "Custom" transmission line: a short
// description, the line's maximum average power at the channel and its attenuation.
// The logic lives here; the desktop program shows it as a modal dialog through the
// hook below, and tests answer it from a script.
#include <functional>
#include <string>

namespace velmo {

class TfrmCustomLine {
public:
    // The three entry fields, in tab order.
    enum TField { cfDescription = 0, cfAveragePower = 1, cfAttenuation = 2 };

    static constexpr const char* Caption = "Customer defined transmission line";
    static constexpr const char* DescriptionPrompt = "Enter short custom line description";
    static constexpr const char* AveragePowerPrompt =
        "Enter the maximum power for this transmission line at this channnel";
    static constexpr const char* AttenuationPrompt = "Enter the attenuation for this channel";
    // Shown beside the fields when a number was refused.
    static constexpr const char* RangeHint = "Enter a number from 0 to 100.";
    static constexpr double MinValue = 0;
    static constexpr double MaxValue = 100;

    TfrmCustomLine() = default;

    // Setting a property updates its entry field.
    const std::string& Description() const { return FDescription; }
    void SetDescription(const std::string& v);
    // kW, shown with 2 decimals.
    double AveragePower() const { return FAveragePower; }
    void SetAveragePower(double v);
    // dB/100 ft, shown with 3 decimals.
    double Attenuation() const { return FAttenuation; }
    void SetAttenuation(double v);

    // The text of a field as shown.
    const std::string& FieldText(TField field) const { return FText[field]; }
    // The user typed: the description follows at once, a number when the field is left.
    void EditField(TField field, const std::string& text);
    // The user leaves a field. A number field whose text is not a number from 0 to 100
    // is refused: the previous value is restored and the hint shown; false then.
    bool LeaveField(TField field);
    // Empty, or RangeHint after a refusal (cleared by the next accepted number).
    const std::string& Hint() const { return FHint; }

    // Enter in a field, or the OK button: the field being edited is left first, then
    // the others; the dialog closes with OK only when all were accepted (a refused
    // number keeps the dialog open with the previous value back in the field).
    bool AcceptFrom(TField field);
    // Closes with OK or Cancel.
    void Close(bool ok);
    bool Closed() const { return FClosed; }
    bool ModalResultOk() const { return FOk; }

    // Shows the dialog modally (through the installed hook); true when closed with OK.
    bool Execute();

    // Called after every change of a field, the hint or the closed state.
    std::function<void()> OnChanged;

private:
    void Notify() {
        if (OnChanged) OnChanged();
    }
    std::string FDescription;
    double FAveragePower = 0;
    double FAttenuation = 0;
    std::string FText[3];
    std::string FHint;
    bool FClosed = false;
    bool FOk = false;
};

// Shows `dialog` modally and returns whether it was closed with OK. The desktop
// program installs the real dialog; tests install a script. Without a hook Execute
// fails with an Error (a headless caller must not ask).
using TCustomLineDialogHook = std::function<bool(TfrmCustomLine& dialog)>;
// Installs `hook` (nothing: no dialog) and returns the one it replaces.
TCustomLineDialogHook SetCustomLineDialogHook(TCustomLineDialogHook hook);

}  // namespace velmo
