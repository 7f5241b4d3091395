#pragma once
// The widgets of the custom pattern pages: gain entries with their decibel fields.
#include <functional>
#include <string>

#include <QWidget>

class QLabel;
class QLineEdit;

namespace velmo {

class TCustomPageBase;

// One widget serves the four custom pages: a title, the horizontal (or FM) gain row
// and, on the TV pages, the vertical gain row.
class TCustomPatternView : public QWidget {
public:
    // `horzCaption`/`vertCaption`: the entry captions; `dBCaption`: "dB" or "dBd";
    // `onHorz`/`onVert`: the page's change handlers.
    TCustomPatternView(TCustomPageBase& page, const QString& title, const QString& horzCaption,
                       const QString& vertCaption, const QString& dBCaption,
                       std::function<void(const std::string&)> onHorz,
                       std::function<void(const std::string&)> onVert, QWidget* parent);
    ~TCustomPatternView() override;
    void Refresh();

private:
    TCustomPageBase& FPage;
    QLineEdit* FHorz = nullptr;
    QLineEdit* FHorzdB = nullptr;
    QWidget* FVertPanel = nullptr;
    QLineEdit* FVert = nullptr;
    QLineEdit* FVertdB = nullptr;
};

// The widget of a custom page logic object, or nullptr when `page` is none of them.
QWidget* CreateCustomPageView(class TWizardPage& page, QWidget* parent);

}  // namespace velmo
