#pragma once

#include <QImage>
#include <QWidget>

namespace hspring {

// Image1 of the group "疲れ強さ線図": the fatigue-strength diagram as a 400 × 417 picture. The
// picture is kept, not redrawn on demand, so that the clipboard copy and the window print get
// exactly the diagram last shown. Until the first showDiagram it is white.
class DiagramView : public QWidget {
    Q_OBJECT

public:
    explicit DiagramView(QWidget* parent = nullptr);

    // Redraws the picture for the coil point (upper, lower: τ2/σB, τ1/σB) and the hook point
    // (both × hookStressFactor). Returns how many graphAreaOverNotice() lines the caller appends
    // to its message list (0, 1 or 2).
    int showDiagram(double upper, double lower, double hookStressFactor);

    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

} // namespace hspring
