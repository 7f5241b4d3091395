#pragma once
// The widgets of the step 1 pages. They render the page logic and forward every
// click, pick and keystroke to it; the rules live in the logic.
#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace velmo {

class TfrmOptions;
class TfrmFMOptions;
class TRadioGroup;
class TChannelListView;
class TFamilyBox;

class TfrmOptionsView : public QWidget {
public:
    TfrmOptionsView(TfrmOptions& page, QWidget* parent = nullptr);
    ~TfrmOptionsView() override;
    void Refresh();

protected:
    // The page starts in its first step, not on a button of the wizard.
    void showEvent(QShowEvent* event) override;

private:
    TfrmOptions& FPage;
    bool FFocusSet = false;
    std::unique_ptr<TRadioGroup> FMarkets;
    std::unique_ptr<TChannelListView> FChannels;
    std::unique_ptr<TFamilyBox> FFamily;
    std::unique_ptr<TRadioGroup> FMounts;
    std::unique_ptr<TRadioGroup> FPols;
    std::unique_ptr<TRadioGroup> FServices;
    QCheckBox* FHighWind = nullptr;
    QLabel* FVerticalCaption = nullptr;
    QSpinBox* FVertical = nullptr;
    QWidget* FFMRow = nullptr;
    QLineEdit* FFMFrequency = nullptr;
    QPushButton* FReadNote = nullptr;
};

class TfrmFMOptionsView : public QWidget {
public:
    TfrmFMOptionsView(TfrmFMOptions& page, QWidget* parent = nullptr);
    ~TfrmFMOptionsView() override;
    void Refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TfrmFMOptions& FPage;
    bool FFocusSet = false;
    std::unique_ptr<TChannelListView> FChannels;
    std::unique_ptr<TRadioGroup> FPols;
    std::unique_ptr<TFamilyBox> FFamily;
    std::unique_ptr<TRadioGroup> FMounts;
    std::unique_ptr<TRadioGroup> FFeeds;
    QCheckBox* FRadome = nullptr;
    QCheckBox* FDeicer = nullptr;
    QLineEdit* FERP = nullptr;
};

}  // namespace velmo
