#pragma once

#include <QPoint>
#include <QRect>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace hspring {

// Controls of the fixed-layout editor windows, placed at their pixel positions.

inline constexpr int kFieldHeight = 21;

QLabel* placeLabel(QWidget* parent, const char* text, QPoint position);

// A single-line field; `objectName` is the control's name in the window definition ("Edit1").
QLineEdit* placeField(QWidget* parent, const char* objectName, QPoint position, int width);

// A push button that runs `onClick`. It is never a default button, so Enter in a field does not
// press it.
QPushButton* placeButton(QWidget* parent, const char* objectName, const char* text, QRect geometry,
                         std::function<void()> onClick);

} // namespace hspring
