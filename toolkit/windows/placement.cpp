// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace hspring {

QLabel* placeLabel(QWidget* parent, const QString& text, QPoint topLeft, const QString& objectName,
                   const std::optional<QFont>& font) {
    auto* label = new QLabel(text, parent);
    if (!objectName.isEmpty())
        label->setObjectName(objectName);
    if (font)
        label->setFont(*font);
    label->adjustSize();
    label->move(topLeft);
    return label;
}

QLineEdit* placeField(QWidget* parent, const QString& objectName, const QRect& geometry,
                      const QString& text) {
    return placeWidget(new QLineEdit(text, parent), objectName, geometry);
}

QLineEdit* placeField(QWidget* parent, const QString& objectName, QPoint topLeft, int width) {
    return placeField(parent, objectName, QRect(topLeft, QSize(width, kDialogFieldHeight)));
}

QComboBox* placeList(QWidget* parent, const QString& objectName, const QRect& geometry) {
    auto* list = placeWidget(new QComboBox(parent), objectName, geometry);
    list->setEditable(false);
    return list;
}

QCheckBox* placeCheckBox(QWidget* parent, const QString& objectName, const QString& text,
                         QPoint topLeft, bool checked) {
    auto* box = new QCheckBox(text, parent);
    if (!objectName.isEmpty())
        box->setObjectName(objectName);
    box->setChecked(checked);
    box->adjustSize();
    box->move(topLeft);
    return box;
}

QToolButton* placeToolButton(QWidget* parent, const QString& objectName, const QString& text,
                             const QRect& geometry) {
    auto* button = placeWidget(new QToolButton(parent), objectName, geometry);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton* placeButton(QWidget* parent, const QString& objectName, const QString& text,
                         const QRect& geometry, std::function<void()> onClick) {
    auto* button = placeWidget(new QPushButton(text, parent), objectName, geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    if (onClick)
        QObject::connect(button, &QPushButton::clicked, parent, std::move(onClick));
    return button;
}

QGroupBox* placeGroup(QWidget* parent, const QString& objectName, const QString& title,
                      const QRect& geometry) {
    return placeWidget(new QGroupBox(title, parent), objectName, geometry);
}

} // namespace hspring
