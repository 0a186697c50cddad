// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windows/main_window.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "startup/program_start.h"
#include "startup/program_state.h"

#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

namespace hspring::test {

// A wire table row {diameter mm, tensile strength N/mm^2, allowable torsion N/mm^2 or 0}.
struct WireRow {
    double diameter;
    double tensileStrength;
    double allowableTorsion;
};
MaterialRecord wireMaterial(int kind, const char* kindName, const char* gradeSymbol,
                            std::initializer_list<WireRow> rows);
// A library with every record unused (kind 10) but the given ones, from record 0 on.
MaterialLibrary libraryOf(std::initializer_list<MaterialRecord> records);

// Record 0: hard-drawn wire (kind 0) "SW-B"; record 1: piano wire (kind 1) "SWP-A" with
// G = 78500 N/mm^2 and an explicit allowable torsion of 880 N/mm^2 at 1.0 mm.
MaterialLibrary referenceLibrary();
// Both allowable-stress ratios 80 %, hook factor 1.25.
SettingsRecord referenceSettings();

// A data folder holding zaidat.dst and the settings file written by the core; a file given as
// nullopt is missing.
class DataFolder {
public:
    DataFolder(const std::optional<MaterialLibrary>& materials,
               const std::optional<SettingsRecord>& settings);
    QString path() const { return folder_.path(); }
    QString file(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
};

// The main window on a data folder, shown and active.
// The state comes from the start-up step on the folder, as in the program.
struct OpenWindow {
    ProgramStart start;
    ProgramState& state;
    std::unique_ptr<MainWindow> window;

    explicit OpenWindow(const DataFolder& folder);

    template <typename Control>
    Control* control(const char* name) const {
        auto* found = window->findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    QComboBox* list(const char* name) const { return control<QComboBox>(name); }
    QString text(const char* name) const;
    QStringList statusLines() const;
    void clickButton(const char* name) const;
    void triggerMenu(const char* name) const;
};

// Picks an entry of a drop-down list with the mouse, as the user does.
void pickInList(QComboBox* list, int index);
// Replaces a field's text by typing (ASCII only).
void typeInto(QLineEdit* field, const QString& text);
// Gives the field the focus, then moves it on to `next` as a Tab would.
void leaveField(QWidget* field, QWidget* next);

QColor fieldColour(const QWidget* field);
inline const QColor kAqua(0, 255, 255);
inline const QColor kWhite(255, 255, 255);

} // namespace hspring::test
