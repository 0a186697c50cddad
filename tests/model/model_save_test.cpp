// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/windows/shape_page.h"
#include "model/windows/model_save.h"
#include "support/example_design.h"
#include "support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using hspring::ModelSubject;

namespace {

// The example spring (d = 1, D = 10, N = 20) free at 39 mm, with the hooks given.
ModelSubject subjectWith(hspring::HookType hookType, double hookLength) {
    ModelSubject subject;
    subject.design = hspring::test::exampleDesign();
    subject.design.freeLength = 39;
    subject.design.hookAngle = 80;
    subject.design.hookLength = hookLength;
    subject.design.hookOpening = 2;
    subject.design.hookMinRadius = 1.5;
    subject.hookType = hookType;
    subject.productName = "SW-A d1xD10xN20";
    subject.proposedStem = QStringLiteral("spring");
    return subject;
}

QAction* modelItem(hspring::ShapePage& page) {
    return page.findChild<QAction*>(QStringLiteral("saveModel"));
}

} // namespace

class ModelSaveTest : public QObject {
    Q_OBJECT

private slots:
    // The item of the spring view's menu saves the design it is given, in the file type the
    // name asks for; a U hook that cannot be formed says so and writes nothing.
    void savesTheSpringOrSaysWhyItCannot() {
        QTemporaryDir folder;
        const hspring::SpringDesign design = hspring::test::exampleDesign();
        hspring::ShapePage page(design);
        ModelSubject subject = subjectWith(hspring::HookType::Round, 0);
        hspring::addModelSaveItem(page, [&subject] { return subject; });
        QAction* item = modelItem(page);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("3Dモデルを保存…"));

        const QString stl = folder.filePath(QStringLiteral("spring.stl"));
        const auto dialog = hspring::test::answerNextFileDialog(stl);
        item->trigger();
        QVERIFY(dialog->seen);
        QFile written(stl);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("hspring 3D model: SW-A d1xD10xN20"));
        const quint32 triangles = *reinterpret_cast<const quint32*>(bytes.constData() + 80);
        QCOMPARE(bytes.size(), 84 + 50 * qsizetype(triangles));

        subject = subjectWith(hspring::HookType::U, 4); // shorter than its U
        const QString refused = folder.filePath(QStringLiteral("refused.stl"));
        const auto again = hspring::test::answerNextFileDialog(refused);
        hspring::test::MessageBoxWatch boxes;
        item->trigger();
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().constFirst().contains(QStringLiteral("Uフックの寸法が合わない")));
        QVERIFY(!QFile::exists(refused));
    }
};

HSPRING_WINDOW_TEST(ModelSaveTest)
#include "model_save_test.moc"
