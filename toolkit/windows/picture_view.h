// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

namespace hspring {

// A picture of fixed size as the program last drew it. The screen shows the drawn image; the
// drawing itself is kept too, so that a printer, a PDF or an SVG file gets it drawn anew at its
// own resolution, with its lines and texts as such. The right-click menu saves the picture as PNG
// (the image as shown) or SVG, followed by the actions added to the view (QWidget::addAction).
// Until the first picture the view is white and has nothing to save; the white image is made only
// when asked for, so that a view the user has not looked at yet costs no pixels.
class PictureView : public QWidget {
    Q_OBJECT

public:
    using Paint = std::function<void(QPainter&)>;

    // `fileName` is what the save dialog proposes (without extension); `title` names the SVG.
    PictureView(QSize size, const QString& fileName, const QString& title,
                QWidget* parent = nullptr);

    // Shows `image`, the picture `paint` draws (in the view's pixels, from the origin).
    void showPicture(QImage image, Paint paint);

    // What a saved picture says it shows (a line below it) and the name the save dialog
    // proposes; both follow the design the page last drew.
    void setCaption(const QString& caption) { caption_ = caption; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }
    const QString& caption() const { return caption_; }
    const QString& fileName() const { return fileName_; }

    // The picture shown: white and of the view's size before the first one.
    const QImage& image() const;
    bool hasPicture() const { return static_cast<bool>(paint_); }

    // Writes the picture with its caption below: SVG for a name ending in ".svg", PNG otherwise;
    // a PNG at `scale` 1 is the image as shown, at 2 to 4 the picture drawn anew that many times
    // larger, antialiased. Throws Error when it cannot be written.
    void savePicture(const std::string& path, int scale = 1) const;
    // "画像として保存…": asks for the file and the PNG's scale (倍率), in the folder last used
    // for pictures, and saves; a failure shows in the error box.
    void askAndSavePicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    mutable QImage image_;
    Paint paint_;
    QString fileName_;
    QString title_;
    QString caption_;
};

} // namespace hspring
