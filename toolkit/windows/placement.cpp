#include "toolkit/windows/placement.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hspring {

QLabel* placeLabel(QWidget* parent, const char* text, QPoint position) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->move(position);
    label->adjustSize();
    return label;
}

QLineEdit* placeField(QWidget* parent, const char* objectName, QPoint position, int width) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromUtf8(objectName));
    field->setGeometry(QRect(position, QSize(width, kFieldHeight)));
    return field;
}

QPushButton* placeButton(QWidget* parent, const char* objectName, const char* text, QRect geometry,
                         std::function<void()> onClick) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromUtf8(objectName));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, std::move(onClick));
    return button;
}

} // namespace hspring
