#pragma once
// The schematic picture beside the transmitter figures of the analysis pages: a
// transmitter cabinet, the line running along the ground and up the tower, and the
// antenna radiating at the top. Drawn with QPainter at any size; it carries no data.
#include <QWidget>

namespace velmo {

class TSchematicWidget : public QWidget {
public:
    explicit TSchematicWidget(QWidget* parent);
    QSize sizeHint() const override { return {180, 212}; }
    QSize minimumSizeHint() const override { return {90, 100}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return w * 212 / 180; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmo
