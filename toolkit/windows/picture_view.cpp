// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/picture_view.h"

#include "toolkit/painting/picture_files.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/file_dialogs.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPaintEngine>

namespace hspring {

namespace {

const QString kPngFilter = QStringLiteral("PNG 画像 (*.png)");
const QString kSvgFilter = QStringLiteral("SVG 画像 (*.svg)");
const QString kPictureKind = QStringLiteral("picture");

// Devices that keep drawing commands (PDF, printers, recorded pictures, SVG) get the drawing
// itself; pixel devices (the screen, a grab, the clipboard's image) get the image as shown.
bool keepsDrawingCommands(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine)
        return false;
    switch (engine->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::Picture:
    case QPaintEngine::SVG:
        return true;
    default:
        return false;
    }
}

} // namespace

PictureView::PictureView(QSize size, const QString& fileName, const QString& title, QWidget* parent)
    : QWidget(parent), fileName_(fileName), title_(title) {
    setFixedSize(size);
    // The picture covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::showPicture(QImage image, Paint paint) {
    image_ = std::move(image);
    paint_ = std::move(paint);
    update();
}

const QImage& PictureView::image() const {
    if (image_.isNull()) {
        image_ = QImage(size(), QImage::Format_RGB32);
        image_.fill(Qt::white);
    }
    return image_;
}

void PictureView::savePicture(const std::string& path, int scale) const {
    const QSize size = image().size();
    const QSize saved = captionedSize(size, caption_);
    const Paint shown = [this](QPainter& painter) { painter.drawImage(0, 0, image()); };
    if (pictureFormatOf(path) == PictureFormat::Png) {
        if (scale <= 1 || !paint_) {
            if (caption_.isEmpty()) {
                writePngFile(path, image());
                return;
            }
            QImage picture(saved, QImage::Format_RGB32);
            QPainter painter(&picture);
            withCaption(size, caption_, shown)(painter);
            painter.end();
            writePngFile(path, picture);
        } else {
            writePngFile(path,
                         renderScaledPicture(saved, scale, withCaption(size, caption_, paint_)));
        }
        return;
    }
    writeSvgFile(path, saved, title_, withCaption(size, caption_, paint_ ? paint_ : shown));
}

void PictureView::askAndSavePicture() {
    QFileDialog dialog(this, QStringLiteral("画像として保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({kPngFilter, kSvgFilter});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    const QString folder = lastFolderFor(kPictureKind);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.selectFile(folder.isEmpty() ? fileName_ + QStringLiteral(".png")
                                       : QDir(folder).filePath(fileName_ + QStringLiteral(".png")));
    // The PNG's scale, below the file type: 1 is the picture as the screen shows it.
    auto* scales = new QComboBox(&dialog);
    scales->setObjectName(QStringLiteral("pictureScale"));
    for (int scale = 1; scale <= kLargestPictureScale; ++scale)
        scales->addItem(QStringLiteral("%1 倍").arg(scale), scale);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QStringLiteral("倍率（PNG）:"), &dialog), row, 0);
        grid->addWidget(scales, row, 1);
    }
    // A name typed without an extension gets the one of the type chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kSvgFilter ? QStringLiteral("svg")
                                                     : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolderFor(kPictureKind, chosen);
    const std::string path = QFile::encodeName(chosen).toStdString();
    const int scale = scales->currentData().toInt();
    runReportingErrors(this, [&] { savePicture(path, scale); });
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (paint_ && keepsDrawingCommands(painter))
        paint_(painter);
    else if (image_.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, image_);
}

void PictureView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* save = menu.addAction(QStringLiteral("画像として保存…"));
    save->setObjectName(QStringLiteral("savePicture"));
    save->setEnabled(hasPicture());
    // What the page showing the picture offers besides (added to the view with addAction).
    if (!actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(actions());
    }
    if (menu.exec(event->globalPos()) == save)
        askAndSavePicture();
}

} // namespace hspring
