#include "wizard/frmcustomline.h"

#include <cmath>

#include "base/error.h"
#include "base/numbers.h"

namespace velmo {

namespace {
TCustomLineDialogHook& Hook() {
    static TCustomLineDialogHook hook;
    return hook;
}

// The value as the field shows it: rounded to the field's decimals.
double RoundTo(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(v * scale) / scale;
}

int Decimals(TfrmCustomLine::TField field) {
    return field == TfrmCustomLine::cfAveragePower ? 2 : 3;
}
}  // namespace

TCustomLineDialogHook SetCustomLineDialogHook(TCustomLineDialogHook hook) {
    TCustomLineDialogHook old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

void TfrmCustomLine::SetDescription(const std::string& v) {
    FDescription = v;
    FText[cfDescription] = v;
    Notify();
}

void TfrmCustomLine::SetAveragePower(double v) {
    FAveragePower = v;
    FText[cfAveragePower] = FormatFixed(v, 2);
    Notify();
}

void TfrmCustomLine::SetAttenuation(double v) {
    FAttenuation = v;
    FText[cfAttenuation] = FormatFixed(v, 3);
    Notify();
}

void TfrmCustomLine::EditField(TField field, const std::string& text) {
    FText[field] = text;
    if (field == cfDescription) FDescription = text;
    Notify();
}

bool TfrmCustomLine::LeaveField(TField field) {
    if (field == cfDescription) return true;
    double v = 0;
    const bool ok = TryStrToFloat(FText[field], v) && std::isfinite(v) && v >= MinValue &&
                    v <= MaxValue;
    if (!ok) {
        // Refused: the previous value comes back.
        FHint = RangeHint;
        if (field == cfAveragePower)
            SetAveragePower(FAveragePower);
        else
            SetAttenuation(FAttenuation);
        return false;
    }
    FHint.clear();
    v = RoundTo(v, Decimals(field));
    if (field == cfAveragePower)
        SetAveragePower(v);
    else
        SetAttenuation(v);
    return true;
}

bool TfrmCustomLine::AcceptFrom(TField field) {
    // The field being edited first, then every other one (each was committed when it
    // was left; a script may not have left it).
    if (!LeaveField(field)) return false;
    for (TField other : {cfDescription, cfAveragePower, cfAttenuation})
        if (other != field && !LeaveField(other)) return false;
    Close(true);
    return true;
}

void TfrmCustomLine::Close(bool ok) {
    FClosed = true;
    FOk = ok;
    Notify();
}

bool TfrmCustomLine::Execute() {
    if (!Hook()) throw Error("No user interface to ask");
    FClosed = false;
    FOk = false;
    FHint.clear();
    return Hook()(*this);
}

}  // namespace velmo
