// SPDX-License-Identifier: GPL-3.0-or-later
// Texts that are no number, put into every numeric field of the main window and of both editors
// in turn: the action that reads the fields stops at that field with the conversion message,
// the fields read before it keep their new values, the later ones their old values, and once the
// field holds a number again the same action works.

#include "data/default_data.h"
#include "data/windows/material_grid.h"
#include "window_steps.h"
#include "windows_test_registry.h"

#include <QAbstractButton>
#include <QFile>
#include <functional>

using namespace hspring;
using namespace hspring::test;

namespace {

const QStringList kBadTexts = {QString(),
                               QStringLiteral("abc"),
                               QStringLiteral("1,5"),
                               QStringLiteral("1e999"),
                               QStringLiteral("nan"),
                               QStringLiteral("１，２"),
                               QString(5000, '1') + QStringLiteral("x")};

// A field described by its caption is named before the message.
QString conversionMessage(const QString& text, bool integer, const QString& caption) {
    return (caption.isEmpty() ? QString() : caption + QStringLiteral(": ")) +
           (integer ? QStringLiteral("'%1' は有効な整数ではありません")
                    : QStringLiteral("'%1' は浮動小数点数ではありません"))
               .arg(text);
}

// One numeric field: how to put a text into it, the value the action stores from it, and two
// texts that are numbers (the values before and after the change).
struct NumericField {
    QString name;
    std::function<void(const QString&)> setText;
    std::function<double()> stored;
    QString before;
    QString after;
    bool integer = false;
    QString caption;
};

// The fields in the order the action reads them, and the action (which answers its boxes).
struct FieldTable {
    std::vector<NumericField> fields;
    std::function<QStringList()> act;
};

// Every field with every bad text: the table's fields are all set to their `before` texts and
// the action runs; then all are set to their `after` texts except one, which gets the bad text.
void checkEveryFieldWithEveryBadText(const FieldTable& table) {
    for (std::size_t bad = 0; bad < table.fields.size(); ++bad) {
        const NumericField& field = table.fields[bad];
        for (const QString& text : kBadTexts) {
            const QString where =
                field.name + QStringLiteral(" '") + text.left(20) + QStringLiteral("'");
            for (const NumericField& each : table.fields)
                each.setText(each.before);
            QStringList texts = table.act();
            QVERIFY2(texts.isEmpty(), qPrintable(where + ": " + texts.join('\n')));
            std::vector<double> old;
            for (const NumericField& each : table.fields)
                old.push_back(each.stored());

            for (const NumericField& each : table.fields)
                each.setText(&each == &field ? text : each.after);
            texts = table.act();
            QVERIFY2(!texts.isEmpty(), qPrintable(where + ": no message"));
            for (const QString& shown : texts)
                QVERIFY2(shown == conversionMessage(text, field.integer, field.caption),
                         qPrintable(where + ": " + shown.left(200)));
            for (std::size_t i = 0; i < table.fields.size(); ++i) {
                const double expected = i < bad ? table.fields[i].after.toDouble() : old[i];
                QVERIFY2(table.fields[i].stored() == expected,
                         qPrintable(where + ": " + table.fields[i].name + " holds " +
                                    QString::number(table.fields[i].stored())));
            }

            field.setText(field.after);
            texts = table.act();
            QVERIFY2(texts.isEmpty(), qPrintable(where + " corrected: " + texts.join('\n')));
        }
    }
}

// A field of a packed record, read as a value.
template <typename Read>
std::function<double()> value(Read read) {
    return [read] { return static_cast<double>(read()); };
}

} // namespace

class BadFieldTextsWindowTest : public QObject {
    Q_OBJECT

private slots:
    // "計算" reads the fields in this order. The pair the length mode leaves open and the initial
    // tension taken from the range are results the calculation overwrites: only the fields the
    // user fills in stop it, the lengths in one mode, the loads in the other.
    void mainWindowFields() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        OpenWindow w(folder);
        const SpringDesign& s = w.state.current();
        w.control<QAbstractButton>("CheckBox1")->setChecked(false);
        const auto field = [&w](const char* name) {
            QLineEdit* edit = w.edit(name);
            return [edit](const QString& text) { edit->setText(text); };
        };
        const auto calculate = [&w] {
            const MessageBoxWatch boxes;
            w.clickButton("BitBtn2");
            return boxes.texts();
        };
        const FieldTable lengthsGiven{
            {
                {"Edit18", field("Edit18"), value([&] { return s.meanDiameter; }), "10", "11",
                 false, QStringLiteral("平均径")},
                {"Edit19", field("Edit19"), value([&] { return s.totalTurns; }), "20", "15.5",
                 false, QStringLiteral("巻き数")},
                {"Edit33", field("Edit33"), value([&] { return s.initialTension; }), "0.3", "0.5",
                 false, QStringLiteral("初張力")},
                {"Edit1", field("Edit1"), value([&] { return s.freeLength; }), "39", "45", false,
                 QStringLiteral("自由長さ")},
                {"Edit4", field("Edit4"), value([&] { return s.length1; }), "45", "50", false,
                 QStringLiteral("長さ（Ｌ１）")},
                {"Edit5", field("Edit5"), value([&] { return s.length2; }), "55", "60", false,
                 QStringLiteral("長さ（Ｌ２）")},
                {"Edit12", field("Edit12"), value([&] { return s.hookAngle; }), "80", "70", false,
                 QStringLiteral("フック角度")},
                {"Edit14", field("Edit14"), value([&] { return s.hookLength; }), "10", "12", false,
                 QStringLiteral("フック長さ")},
                {"Edit15", field("Edit15"), value([&] { return s.hookOpening; }), "3", "4", false,
                 QStringLiteral("開口長さ")},
                {"Edit13", field("Edit13"), value([&] { return s.hookMinRadius; }), "3", "2.5",
                 false, QStringLiteral("最小Ｒ")},
            },
            calculate};
        checkEveryFieldWithEveryBadText(lengthsGiven);

        w.triggerMenu("llcheng");
        const FieldTable loadsGiven{
            {
                {"Edit1", field("Edit1"), value([&] { return s.freeLength; }), "39", "45", false,
                 QStringLiteral("自由長さ")},
                {"Edit6", field("Edit6"), value([&] { return s.load1; }), "0.5", "1.5", false,
                 QStringLiteral("荷重(P1)")},
                {"Edit7", field("Edit7"), value([&] { return s.load2; }), "1", "2.5", false,
                 QStringLiteral("荷重(P2)")},
                {"Edit12", field("Edit12"), value([&] { return s.hookAngle; }), "80", "70", false,
                 QStringLiteral("フック角度")},
            },
            calculate};
        checkEveryFieldWithEveryBadText(loadsGiven);
    }

    // "設定ボタン" stores Edit1..Edit7 in order and writes the file only when all are numbers.
    void coefficientEditorFields() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        OpenWindow w(folder);
        const QString settingsPath = folder.file(QString::fromLatin1(kSettingsFileName));
        const auto editor = closeNextDialog([&](QDialog& dialog) {
            const CoefficientSet& c = w.state.settings.coefficients;
            const auto field = [&dialog](int number) {
                auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
                return [edit](const QString& text) { edit->setText(text); };
            };
            QByteArray savedFile;
            const FieldTable table{
                {
                    {"Edit1", field(1), value([&] { return c.compressionToMaterialRatio; }), "80",
                     "75", false, QStringLiteral("圧縮ばねと材料の許容ねじり応力の割合")},
                    {"Edit2", field(2), value([&] { return c.extensionToCompressionRatio; }), "80",
                     "70", false, QStringLiteral("冷間引張りばねと圧縮ばねの許容ねじり応力割合")},
                    {"Edit3", field(3), value([&] { return c.hookStressFactor; }), "1.25", "1.3",
                     false, QStringLiteral("引っ張りばねのフック部応力集中係数")},
                    {"Edit4", field(4), value([&] { return c.stainlessReduction; }), "15", "16",
                     false, QStringLiteral("ステンレス鋼線の減少割合")},
                    {"Edit5", field(5), value([&] { return c.annealedPianoReduction; }), "25", "30",
                     false, QStringLiteral("低温焼なまししたピアノ線の減少割合")},
                    {"Edit6", field(6), value([&] { return c.annealedHardSteelReduction; }), "25",
                     "22", false, QStringLiteral("低温焼なましした硬鋼線の減少割合")},
                    {"Edit7", field(7), value([&] { return c.annealedStainlessReduction; }), "20",
                     "18", false, QStringLiteral("低温焼なまししたステンレス鋼線の減少割合")},
                },
                [&] {
                    const MessageBoxWatch boxes;
                    QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1")),
                                      Qt::LeftButton);
                    // Nothing is written unless every field was a number.
                    QFile file(settingsPath);
                    const QByteArray now = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
                    if (boxes.texts().isEmpty())
                        savedFile = now;
                    else if (now != savedFile)
                        return QStringList{QStringLiteral("the settings file changed")};
                    return boxes.texts();
                }};
            checkEveryFieldWithEveryBadText(table);
        });
        w.triggerMenu("N8");
        QVERIFY(*editor);
    }

    // "▲" stores the record shown: the moduli, the percentages (whole numbers), then the table
    // entry by entry. On record 29 it stays on the record, so every store goes to the same one.
    void materialEditorFields() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        OpenWindow w(folder);
        const auto editor = closeNextDialog([&](QDialog& dialog) {
            auto* next = dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn3"));
            for (int record = 0; record < kMaterialCount - 1; ++record)
                QTest::mouseClick(next, Qt::LeftButton);
            const MaterialRecord& r = w.state.materials[kMaterialCount - 1];
            auto* grid = dialog.findChild<MaterialGrid*>(QStringLiteral("SG1"));
            const auto field = [&dialog](const char* name) {
                auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
                return [edit](const QString& text) { edit->setText(text); };
            };
            const auto cell = [grid](int column) {
                return [grid, column](const QString& text) { grid->setEntryText(0, column, text); };
            };
            const FieldTable table{
                {
                    {"Edit3", field("Edit3"), value([&] { return r.shearModulus; }), "78500",
                     "79000", false, QStringLiteral("横弾性係数")},
                    {"Edit5", field("Edit5"), value([&] { return r.youngModulus; }), "206000",
                     "200000", false, QStringLiteral("縦弾性係数")},
                    {"Edit10", field("Edit10"), value([&] { return r.torsionPercent; }), "45", "50",
                     true, QStringLiteral("ねじり応力比")},
                    {"Edit11", field("Edit11"), value([&] { return r.bendingPercent; }), "80", "75",
                     true, QStringLiteral("曲げ応力比")},
                    {"SG1 diameter", cell(0), value([&] { return r.diameters[0]; }), "1", "1.2"},
                    {"SG1 tensile strength", cell(1), value([&] { return r.tensileStrength[0]; }),
                     "2000", "1900"},
                    {"SG1 allowable torsion", cell(2), value([&] { return r.allowableTorsion[0]; }),
                     "0", "880"},
                    {"SG1 allowable bending", cell(3), value([&] { return r.allowableBending[0]; }),
                     "0", "1000"},
                },
                [&] {
                    const MessageBoxWatch boxes;
                    QTest::mouseClick(next, Qt::LeftButton);
                    return boxes.texts();
                }};
            checkEveryFieldWithEveryBadText(table);
        });
        w.triggerMenu("N7");
        QVERIFY(*editor);
    }
};

HSPRING_WINDOW_TEST(BadFieldTextsWindowTest)
#include "bad_field_texts_window_test.moc"
