// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/qt_translations.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace hspring;

class QtTranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // The standard buttons of Qt's boxes and dialogs take their texts from Qt's catalogue.
    void standardButtonsSpeakJapaneseOnceTheCatalogueIsInstalled() {
        const auto texts = [] {
            QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No |
                                     QDialogButtonBox::Cancel);
            return QStringList{buttons.button(QDialogButtonBox::Yes)->text(),
                               buttons.button(QDialogButtonBox::No)->text(),
                               buttons.button(QDialogButtonBox::Cancel)->text()};
        };
        QCOMPARE(texts(), (QStringList{"&Yes", "&No", "Cancel"}));
        QVERIFY(installQtJapanese(*qApp));
        const QStringList japanese = texts();
        // Dates in the file dialog's list follow the default locale, whatever LANG says.
        const QString date = QLocale().toString(QDate(2026, 3, 4), QLocale::LongFormat);
        QLocale::setDefault(QLocale::c());
        QVERIFY2(date.contains(QStringLiteral("2026年3月4日")), qPrintable(date));
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QCOMPARE(japanese[2], QStringLiteral("キャンセル"));
        QVERIFY2(japanese[0].startsWith(QStringLiteral("はい")), qPrintable(japanese[0]));
        QVERIFY2(japanese[1].startsWith(QStringLiteral("いいえ")), qPrintable(japanese[1]));
        QCOMPARE(texts()[2], QStringLiteral("Cancel"));
    }
};

HSPRING_WINDOW_TEST(QtTranslationsTest)
#include "qt_translations_test.moc"
