#pragma once
// The splash window (borderless, on top, shown at start-up) and, with everything
// visible, the about box.
#include <QDialog>

namespace velmo {

class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    enum TMode { Splash, About };
    TfrmSplash(TMode mode, QWidget* parent);

    static QString SupportMail() { return "support@orvane.example"; }
    static QString WebSite() { return "https://www.orvane.example"; }
};

}  // namespace velmo
