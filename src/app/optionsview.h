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

class TfrmOptionsView : public QWidget {
public:
    TfrmOptionsView(TfrmOptions& page, QWidget* parent = nullptr);
    ~TfrmOptionsView() override;
    void Refresh();

private:
    TfrmOptions& FPage;
    std::unique_ptr<TRadioGroup> FMarkets;
    std::unique_ptr<TChannelListView> FChannels;
    std::unique_ptr<TRadioGroup> FFamilies;
    std::unique_ptr<TRadioGroup> FMounts;
    std::unique_ptr<TRadioGroup> FPols;
    std::unique_ptr<TRadioGroup> FServices;
    QLabel* FDescription = nullptr;
    QLabel* FCustomLabelCaption = nullptr;
    QLineEdit* FCustomLabel = nullptr;
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

private:
    TfrmFMOptions& FPage;
    std::unique_ptr<TChannelListView> FChannels;
    std::unique_ptr<TRadioGroup> FPols;
    std::unique_ptr<TRadioGroup> FFamilies;
    std::unique_ptr<TRadioGroup> FMounts;
    std::unique_ptr<TRadioGroup> FFeeds;
    QLabel* FDescription = nullptr;
    QLabel* FCustomLabelCaption = nullptr;
    QLineEdit* FCustomLabel = nullptr;
    QCheckBox* FRadome = nullptr;
    QCheckBox* FDeicer = nullptr;
    QLineEdit* FERP = nullptr;
};

}  // namespace velmo
