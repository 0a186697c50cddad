// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/windows/model_save.h"

#include "base/number_format.h"
#include "model/model_file.h"
#include "model/step_module.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/file_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

namespace hspring {

namespace {

const QString kStepFilter = QStringLiteral("STEP (*.step *.stp)");
const QString kStlFilter = QStringLiteral("STL (*.stl)");
const QString kModelKind = QStringLiteral("model");

QString millimetres(double value) {
    return QString::fromStdString(formatF4(value)) + QStringLiteral("mm");
}

struct ModelChoice {
    std::string path;
    ModelState state = ModelState::Free;
};

std::optional<ModelChoice> askModelFile(QWidget* parent, const QString& proposedStem) {
    QFileDialog dialog(parent, QStringLiteral("3Dモデルを保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({kStepFilter, kStlFilter});
    dialog.setDefaultSuffix(QStringLiteral("step"));
    const QString folder = lastFolderFor(kModelKind);
    const QString name = proposedStem + QStringLiteral(".step");
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(folder.isEmpty() ? name : QDir(folder).filePath(name));
    // The state the spring is modelled in, below the file type.
    auto* states = new QComboBox(&dialog);
    states->setObjectName(QStringLiteral("modelState"));
    states->addItem(QStringLiteral("フリー (L0)"), static_cast<int>(ModelState::Free));
    states->addItem(QStringLiteral("荷重１ (L1)"), static_cast<int>(ModelState::Length1));
    states->addItem(QStringLiteral("荷重２ (L2)"), static_cast<int>(ModelState::Length2));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QStringLiteral("状態:"), &dialog), row, 0);
        grid->addWidget(states, row, 1);
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         dialog.setDefaultSuffix(filter == kStlFilter ? QStringLiteral("stl")
                                                                      : QStringLiteral("step"));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolderFor(kModelKind, chosen);
    return ModelChoice{QFile::encodeName(chosen).toStdString(),
                       static_cast<ModelState>(states->currentData().toInt())};
}

// Why the model could not be made, after "3Dモデルを作れませんでした: ".
QString modelFailureText(const ModelWriteFailure& problem) {
    const QString detail = QString::fromStdString(problem.detail);
    switch (problem.failure) {
    case ModelFailure::WriterMissing: {
        // The folder, then the loader's reasons.
        const qsizetype reasons = detail.indexOf(QStringLiteral("; "));
        return QStringLiteral("STEP 出力モジュール %1 が %2 にありません%3")
            .arg(QString::fromLatin1(kModelModuleName), detail.left(reasons),
                 reasons < 0 ? QString() : detail.mid(reasons));
    }
    case ModelFailure::BendNotDrawn:
        return QStringLiteral("フックの曲げをコイル上に描けません");
    case ModelFailure::CentreLineBroken:
        return QStringLiteral("線の中心線がつながりません");
    case ModelFailure::SweepFailed:
        return QStringLiteral("線を中心線に沿って掃引できません");
    case ModelFailure::SolidInvalid:
        return QStringLiteral("掃引した立体が正しくありません");
    case ModelFailure::NotOneSolid:
        return QStringLiteral("掃引が一つの立体になりません");
    case ModelFailure::VolumeWrong:
        return QStringLiteral("掃引した立体の体積が線の体積と合いません");
    case ModelFailure::NotTransferred:
        return QStringLiteral("立体を STEP に変換できません");
    case ModelFailure::NotWritten:
        return QStringLiteral("STEP ファイルを書き込めません");
    case ModelFailure::ModellerFailed:
        return QStringLiteral("OpenCASCADE のエラー: ") + detail;
    case ModelFailure::Unexpected:
        break;
    }
    return detail;
}

} // namespace

QString modelRefusalText(const ModelRefusal& refusal, const SpringModelRequest& request) {
    switch (refusal.problem) {
    case ModelProblem::NoCoil:
        return QStringLiteral("線径・コイル径がないため3Dモデルを作れません");
    case ModelProblem::TooManyTurns:
        return QStringLiteral("巻数が多すぎるため3Dモデルを作れません（%1巻まで）")
            .arg(QString::fromStdString(formatF4(refusal.limit)));
    case ModelProblem::TooFewTurns:
        return QStringLiteral("巻数が少なすぎてフックをつなげないため3Dモデルを作れません");
    case ModelProblem::HookAngleOutside:
        return QStringLiteral("フック角度が範囲外のため3Dモデルを作れません");
    case ModelProblem::UHookDoesNotFit:
        return QStringLiteral("Uフックの寸法が合わないため3Dモデルを作れません");
    case ModelProblem::BendDoesNotFit:
        return QStringLiteral("コイルが小さく丸フックの曲げが入らないため3Dモデルを作れません");
    case ModelProblem::BendTooTight:
        return QStringLiteral("フックの曲げが線径に対してきつすぎるため3Dモデルを作れません");
    case ModelProblem::WireMeetsItself:
        return QStringLiteral("フックの線がコイルまたはフック自身に当たるため3Dモデルを作れません");
    case ModelProblem::LongerThanCoil:
        return QStringLiteral(
                   "長さ%1ではピッチがコイルの一周より広くなるため3Dモデルを作れません（%2まで）")
            .arg(millimetres(request.length), millimetres(refusal.limit));
    case ModelProblem::ShorterThanClosed:
        return QStringLiteral("長さ%1がフックを含む密着長さ%2より短いため3Dモデルを作れません")
            .arg(millimetres(request.length), millimetres(refusal.limit));
    }
    return {};
}

void saveSpringModel(QWidget* parent, const ModelSubject& subject) {
    const std::optional<ModelChoice> choice = askModelFile(parent, subject.proposedStem);
    if (!choice)
        return;
    const std::optional<ModelFormat> format = modelFormatOf(choice->path);
    if (!format) {
        showErrorBox(parent, QStringLiteral("3Dモデルは .step（.stp）または .stl で保存します"));
        return;
    }
    const SpringModelRequest request =
        modelRequestOf(subject.design, subject.hookType, subject.leftHanded, choice->state);
    const auto centreLine = springCentreLine(request);
    if (const auto* refusal = std::get_if<ModelRefusal>(&centreLine)) {
        showErrorBox(parent, modelRefusalText(*refusal, request));
        return;
    }
    runReportingErrors(parent, [&] {
        if (const auto failure = writeSpringModel(
                choice->path, *format, std::get<SpringCentreLine>(centreLine), subject.productName))
            showErrorBox(parent, QStringLiteral("3Dモデルを作れませんでした: ") +
                                     modelFailureText(*failure));
    });
}

void addModelSaveItem(ShapePage& page, std::function<std::optional<ModelSubject>()> subject) {
    auto* item = new QAction(QStringLiteral("3Dモデルを保存…"), &page);
    item->setObjectName(QStringLiteral("saveModel"));
    QObject::connect(item, &QAction::triggered, &page, [&page, subject = std::move(subject)] {
        runReportingErrors(&page, [&] {
            if (const std::optional<ModelSubject> current = subject())
                saveSpringModel(&page, *current);
        });
    });
    page.addViewMenuItem(item);
}

} // namespace hspring
