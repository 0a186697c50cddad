// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace hspring {

// The kit that places the controls of the fixed-layout windows at their pixel positions. Every
// control takes the object name it has in the window's definition ("Edit18"), by which tests and
// accessibility tools find it; an empty name leaves the control without one.

// Height of a field in the editor dialogs.
inline constexpr int kDialogFieldHeight = 21;

// Names `widget` and puts it at `geometry`.
template <typename Widget>
Widget* placeWidget(Widget* widget, const QString& objectName, const QRect& geometry) {
    if (!objectName.isEmpty())
        widget->setObjectName(objectName);
    widget->setGeometry(geometry);
    return widget;
}

// A caption with its top-left corner at `topLeft`, as wide as its text in `font` (the parent's
// font when none is given).
QLabel* placeLabel(QWidget* parent, const QString& text, QPoint topLeft,
                   const QString& objectName = {}, const std::optional<QFont>& font = std::nullopt);

// A single-line field holding `text`.
QLineEdit* placeField(QWidget* parent, const QString& objectName, const QRect& geometry,
                      const QString& text = {});
// A field of an editor dialog, kDialogFieldHeight high.
QLineEdit* placeField(QWidget* parent, const QString& objectName, QPoint topLeft, int width);

// A drop-down list that takes no typing.
QComboBox* placeList(QWidget* parent, const QString& objectName, const QRect& geometry);

// A check box as wide as its text.
QCheckBox* placeCheckBox(QWidget* parent, const QString& objectName, const QString& text,
                         QPoint topLeft, bool checked);

// A speed button acts without taking the focus, so a field being edited keeps it and its text is
// read exactly as typed.
QToolButton* placeToolButton(QWidget* parent, const QString& objectName, const QString& text,
                             const QRect& geometry);

// A push button that runs `onClick` when one is given. It is never a default button, so Enter in
// a field does not press it.
QPushButton* placeButton(QWidget* parent, const QString& objectName, const QString& text,
                         const QRect& geometry, std::function<void()> onClick = {});

// A group box with its title.
QGroupBox* placeGroup(QWidget* parent, const QString& objectName, const QString& title,
                      const QRect& geometry);

} // namespace hspring
