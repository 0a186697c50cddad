// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/windows/coefficient_editor.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <memory>

using namespace hspring;
using namespace hspring::test;

namespace {

// A settings record whose bytes outside the coefficients are all different from each other's
// neighbours, so any byte written back wrongly shows.
SettingsRecord patternedSettings() {
    SettingsRecord settings{};
    auto* bytes = reinterpret_cast<unsigned char*>(&settings);
    for (std::size_t i = 0; i < sizeof settings; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    settings.coefficients = {80, 80, 1.25, 15, 25, 30, 20};
    return settings;
}

} // namespace

class CoefficientEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<SettingsRecord> settings_;
    std::unique_ptr<CoefficientEditorDialog> editor_;
    QString settingsPath_;

    QLineEdit* field(int number) {
        return editor_->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
    }
    void setFields(const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
            field(i + 1)->setText(texts[i]);
    }
    void pressSet() { editor_->findChild<QPushButton*>("BitBtn1")->click(); }

private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        settingsPath_ = folder_->filePath(QStringLiteral("hspring.set"));
        settings_ = std::make_unique<SettingsRecord>(patternedSettings());
        QVERIFY(writeBytes(settingsPath_, imageOf(*settings_)));
        editor_ = std::make_unique<CoefficientEditorDialog>(*settings_, settingsPath_);
        editor_->show();
    }

    void cleanup() {
        editor_.reset();
        settings_.reset();
        folder_.reset();
    }

    void showsTheSevenFieldsInTheirGroups() {
        QCOMPARE(editor_->objectName(), QStringLiteral("keisuu_make"));
        QCOMPARE(editor_->windowTitle(), QStringLiteral("keisuu_make"));
        QVERIFY(editor_->isModal());

        const auto groups = editor_->findChildren<QGroupBox*>();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[0]->title(), QStringLiteral("許容応力の設定"));
        QCOMPARE(groups[1]->title(), QStringLiteral("初張力の設定"));
        QVERIFY(groups[0]->geometry().bottom() < groups[1]->geometry().top());

        struct Row {
            const char* label;
            const char* hint;
            const char* value;
        };
        const Row rows[] = {
            {"圧縮ばねと材料の許容ねじり応力の割合", "（　80%　）", "80"},
            {"冷間引張りばねと圧縮ばねの許容ねじり応力割合", "（　80%　）", "80"},
            {"引っ張りばねのフック部応力集中係数", "（ 1..25 ）", "1.25"},
            {"ステンレス鋼線の減少割合", "(15%)", "15"},
            {"低温焼なまししたピアノ線の減少割合", "(20%～35%)", "25"},
            {"低温焼なましした硬鋼線の減少割合", "(20%～35%)", "30"},
            {"低温焼なまししたステンレス鋼線の減少割合", "(15%～25%)", "20"},
        };
        for (int i = 0; i < 7; ++i) {
            QLineEdit* edit = field(i + 1);
            QVERIFY(edit);
            QCOMPARE(edit->parent(), groups[i < 3 ? 0 : 1]);
            QCOMPARE(edit->text(), QString::fromUtf8(rows[i].value));
            QStringList besides; // the texts on the field's line, left to right
            for (QLabel* label : edit->parentWidget()->findChildren<QLabel*>())
                if (qAbs(label->y() - edit->y()) <= 6)
                    besides << label->text();
            QCOMPARE(besides, (QStringList{QString::fromUtf8(rows[i].label),
                                           QString::fromUtf8(rows[i].hint)}));
        }
        auto* button = editor_->findChild<QPushButton*>("BitBtn1");
        QCOMPARE(button->text(), QStringLiteral("設定ボタン"));
        QVERIFY(button->y() > groups[1]->geometry().bottom());
        QCOMPARE(button->width(), groups[1]->width());
    }

    void theFieldsAreFilledOnceAtCreation() {
        field(2)->setText(QStringLiteral("77"));
        settings_->coefficients.hookStressFactor = 9;
        editor_->hide();
        editor_->show();
        QCOMPARE(field(2)->text(), QStringLiteral("77"));
        QCOMPARE(field(3)->text(), QStringLiteral("1.25"));
        // Closing without the button changes nothing in memory or on disk.
        QCOMPARE(settings_->coefficients.extensionToCompressionRatio, 80.0);
        QCOMPARE(fileBytes(settingsPath_), imageOf(patternedSettings()));
    }

    void twoSavesWriteTheCoefficientsAndKeepTheOtherBytes() {
        setFields({"70", "75", "1.3", "10", "30", "35", "25"});
        pressSet();
        SettingsRecord expected = patternedSettings();
        expected.coefficients = {70, 75, 1.3, 10, 30, 35, 25};
        QCOMPARE(imageOf(*settings_), imageOf(expected));
        QCOMPARE(fileBytes(settingsPath_), imageOf(expected));
        QVERIFY(editor_->isVisible()); // the window stays open

        pressSet();
        QCOMPARE(fileBytes(settingsPath_), imageOf(expected));

        setFields({"70", "75", "1.3", "-5", "0", "150", "1e1"}); // no range check
        pressSet();
        expected.coefficients = {70, 75, 1.3, -5, 0, 150, 10};
        QCOMPARE(fileBytes(settingsPath_), imageOf(expected));
    }

    void aConversionErrorStopsThereAndWritesNothing() {
        setFields({"60", "65", "1.4", "15%", "1", "2", "3"});
        auto error = test::answerNextMessageBox(QMessageBox::Ok);
        pressSet();
        QVERIFY(error->seen);
        QCOMPARE(error->text,
                 QStringLiteral("ステンレス鋼線の減少割合: '15%' は浮動小数点数ではありません"));
        const CoefficientSet& set = settings_->coefficients;
        QCOMPARE(set.compressionToMaterialRatio, 60.0);
        QCOMPARE(set.extensionToCompressionRatio, 65.0);
        QCOMPARE(set.hookStressFactor, 1.4);
        QCOMPARE(set.stainlessReduction, 15.0);
        QCOMPARE(set.annealedPianoReduction, 25.0);
        QCOMPARE(fileBytes(settingsPath_), imageOf(patternedSettings()));
        // The user is left on the text to correct.
        QTRY_COMPARE(editor_->focusWidget(), static_cast<QWidget*>(field(4)));
        QTRY_COMPARE(field(4)->selectedText(), QStringLiteral("15%"));
    }

    void aFailedWriteKeepsThePreviousFileAndReportsIt() {
        setFields({"70", "75", "1.3", "10", "30", "35", "25"});
        {
            const test::FileSizeLimit fullDisk(100); // the record takes 736 bytes
            auto error = test::answerNextMessageBox(QMessageBox::Ok);
            pressSet();
            QVERIFY(error->seen);
            QVERIFY2(error->text.contains(settingsPath_), qPrintable(error->text));
        }
        QCOMPARE(fileBytes(settingsPath_), imageOf(patternedSettings()));
        QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{"hspring.set"});

        // With the disk free again the same press succeeds.
        pressSet();
        QCOMPARE(fileBytes(settingsPath_), imageOf(*settings_));
    }
};

HSPRING_WINDOW_TEST(CoefficientEditorTest)

#include "coefficient_editor_test.moc"
