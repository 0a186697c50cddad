// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/main_window_fixture.h"

#include "data/short_string.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>

namespace hspring::test {

MaterialRecord wireMaterial(int kind, const char* kindName, const char* gradeSymbol,
                            std::initializer_list<WireRow> rows) {
    MaterialRecord record{};
    record.kind = kind;
    setShortStringText(record.kindName, kindName);
    setShortStringText(record.gradeSymbol, gradeSymbol);
    record.shearModulus = 78500;
    record.youngModulus = 206000;
    record.torsionPercent = 45;
    for (const WireRow& row : rows) {
        record.diameters[record.diameterCount] = row.diameter;
        record.tensileStrength[record.diameterCount] = row.tensileStrength;
        record.allowableTorsion[record.diameterCount] = row.allowableTorsion;
        ++record.diameterCount;
    }
    return record;
}

MaterialLibrary libraryOf(std::initializer_list<MaterialRecord> records) {
    MaterialLibrary library{};
    for (MaterialRecord& record : library)
        record.kind = kUnusedKind;
    int index = 0;
    for (const MaterialRecord& record : records)
        library[index++] = record;
    return library;
}

MaterialLibrary referenceLibrary() {
    return libraryOf({
        wireMaterial(0, "硬鋼線", "SW-B", {{0.8, 2000, 0}, {1.0, 1900, 0}, {1.2, 1850, 0}}),
        wireMaterial(1, "ピアノ線", "SWP-A",
                     {{0.8, 2300, 900}, {1.0, 2200, 880}, {1.2, 2150, 860}, {2.0, 2000, 800}}),
    });
}

SettingsRecord referenceSettings() {
    SettingsRecord settings{};
    settings.coefficients = CoefficientSet{80, 80, 1.25, 15, 25, 25, 20};
    return settings;
}

DataFolder::DataFolder(const std::optional<MaterialLibrary>& materials,
                       const std::optional<SettingsRecord>& settings) {
    if (materials)
        saveMaterialLibrary(file(QString::fromLatin1(kMaterialFileName)).toStdString(), *materials);
    if (settings)
        saveSettings(file(QString::fromLatin1(kSettingsFileName)).toStdString(), *settings);
}

OpenWindow::OpenWindow(const DataFolder& folder)
    : start(startProgram(DataFiles::in(folder.path().toStdString()), MissingDataFile::UseBuiltIn)),
      state(*start.state),
      window(std::make_unique<MainWindow>(state, folder.path(), start.notices)) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qFatal("the main window did not become active");
}

QString OpenWindow::text(const char* name) const {
    QObject* found = window->findChild<QObject*>(QString::fromLatin1(name));
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    if (auto* list = qobject_cast<QComboBox*>(found))
        return list->currentText();
    qFatal("no text control %s", name);
}

QStringList OpenWindow::statusLines() const {
    QStringList lines;
    auto* list = control<QListWidget>("ListBox1");
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

void OpenWindow::clickButton(const char* name) const {
    QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
}

void OpenWindow::triggerMenu(const char* name) const {
    control<QAction>(name)->trigger();
}

void pickInList(QComboBox* list, int index) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    // As from the keyboard: the item made current in the open list, then Return. (A click into
    // the popup within the double-click interval of its opening would be ignored.)
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void leaveField(QWidget* field, QWidget* next) {
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    next->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(next->hasFocus());
}

QColor fieldColour(const QWidget* field) {
    return field->palette().color(QPalette::Base);
}

} // namespace hspring::test
