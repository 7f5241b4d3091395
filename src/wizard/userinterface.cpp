#include "wizard/userinterface.h"

#include "base/error.h"
#include "base/warnings.h"

namespace velmo {
namespace {

class TNoUserInterface : public TUserInterface {
public:
    TMsgResult Message(TMsgKind, const std::string& text, TMsgButtons) override {
        throw Error(text);
    }
    std::optional<std::string> OpenFileName(const TFileDialogSpec&) override { Refuse(); }
    std::optional<std::string> SaveFileName(const TFileDialogSpec&) override { Refuse(); }
    void SetClipboardText(const std::string&) override { Refuse(); }
    void PreviewReport(TBroadcastDesign&, TReportRequest) override { Refuse(); }

private:
    [[noreturn]] static void Refuse() { throw Error("No user interface to ask"); }
};

TNoUserInterface NoUI;
TUserInterface* CurrentUI = &NoUI;

}  // namespace

TUserInterface& UI() { return *CurrentUI; }
void SetUI(TUserInterface* ui) { CurrentUI = ui ? ui : &NoUI; }

void ShowWarningsThroughUI() {
    SetWarningHandler([](const std::string& message) {
        UI().Message(TMsgKind::Warning, message, TMsgButtons::Ok);
    });
}

}  // namespace velmo
