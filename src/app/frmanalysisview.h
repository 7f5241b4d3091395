#pragma once
// The widgets of the TV and FM power analysis pages. They render TfrmAnalysis /
// TfrmFMAnalysis and forward every keystroke, commit and spin step to them.
#include <QWidget>
#include <array>

#include "wizard/frmanalysis.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace velmo {

class TAnalysisViewBase : public QWidget {
public:
    TAnalysisViewBase(TAnalysisPageBase& logic, QWidget* parent);
    ~TAnalysisViewBase() override;

    QLineEdit* FieldEdit(TAnalysisField f) const { return FEdits[f]; }

protected:
    virtual void Refresh();

    TAnalysisPageBase& FLogic;
    std::array<QLineEdit*, afFieldCount> FEdits{};
    QLabel* FHeading = nullptr;
    QLabel* FERPCaptionHorz = nullptr;
    QLabel* FERPCaptionVert = nullptr;
    QLabel* FGainCaptionHorz = nullptr;
    QLabel* FGainCaptionVert = nullptr;
    QLabel* FRatioCaption = nullptr;
    QSpinBox* FRatio = nullptr;
    QLabel* FWarning = nullptr;
    QLabel* FERPWarning = nullptr;
    QLabel* FLineType = nullptr;
    QLabel* FLineDescription = nullptr;
    QLabel* FVertLength = nullptr;
    QLabel* FHorzLength = nullptr;
    QLabel* FAttenuation = nullptr;
    bool FUpdating = false;

private:
    QLineEdit* MakeField(TAnalysisField f, const char* name, const QString& accessible);
};

class TfrmAnalysisView : public TAnalysisViewBase {
public:
    TfrmAnalysisView(TfrmAnalysis& logic, QWidget* parent);

protected:
    void Refresh() override;

private:
    TfrmAnalysis& FTV;
};

class TfrmFMAnalysisView : public TAnalysisViewBase {
public:
    TfrmFMAnalysisView(TfrmFMAnalysis& logic, QWidget* parent);

protected:
    void Refresh() override;

private:
    TfrmFMAnalysis& FFM;
};

}  // namespace velmo
