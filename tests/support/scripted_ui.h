#pragma once
// A TUserInterface that answers from a script and records what was asked, so tests
// drive commands that show message boxes and file dialogs without a screen. An
// unexpected question (the script is empty) fails the test and answers Cancel.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "wizard/userinterface.h"

namespace velmo::test {

class ScriptedUI : public TUserInterface {
public:
    ScriptedUI() { SetUI(this); }
    ~ScriptedUI() override { SetUI(nullptr); }

    struct Asked {
        std::string What;  // "message", "open", "save", "clipboard", "preview"
        std::string Text;  // message text, file filter, clipboard text
        TMsgKind Kind = TMsgKind::Information;
        TMsgButtons Buttons = TMsgButtons::Ok;
        TFileDialogSpec Spec;
        TReportRequest Report = TReportRequest::Full;
    };

    std::deque<TMsgResult> Answers;                   // for Message
    std::deque<std::optional<std::string>> Files;     // for OpenFileName / SaveFileName
    std::vector<Asked> Log;
    std::string Clipboard;

    TMsgResult Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) override {
        Asked a;
        a.What = "message";
        a.Text = text;
        a.Kind = kind;
        a.Buttons = buttons;
        Log.push_back(a);
        if (Answers.empty()) {
            if (buttons == TMsgButtons::Ok) return TMsgResult::Ok;
            ADD_FAILURE() << "unexpected question: " << text;
            return TMsgResult::Cancel;
        }
        TMsgResult r = Answers.front();
        Answers.pop_front();
        return r;
    }
    std::optional<std::string> OpenFileName(const TFileDialogSpec& spec) override {
        return File("open", spec);
    }
    std::optional<std::string> SaveFileName(const TFileDialogSpec& spec) override {
        return File("save", spec);
    }
    void SetClipboardText(const std::string& text) override {
        Asked a;
        a.What = "clipboard";
        a.Text = text;
        Log.push_back(a);
        Clipboard = text;
    }
    void PreviewReport(TBroadcastDesign&, TReportRequest request) override {
        Asked a;
        a.What = "preview";
        a.Report = request;
        Log.push_back(a);
    }

    // The texts of the messages shown, in order.
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const Asked& a : Log)
            if (a.What == "message") out.push_back(a.Text);
        return out;
    }

private:
    std::optional<std::string> File(const char* what, const TFileDialogSpec& spec) {
        Asked a;
        a.What = what;
        a.Text = spec.Filter;
        a.Spec = spec;
        Log.push_back(a);
        if (Files.empty()) {
            ADD_FAILURE() << "unexpected file dialog: " << spec.Filter;
            return std::nullopt;
        }
        std::optional<std::string> r = Files.front();
        Files.pop_front();
        return r;
    }
};

}  // namespace velmo::test
