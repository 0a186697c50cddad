#include "printing/windows/spec_sheet_window.h"

#include "printing/painting/spec_sheet_figure.h"
#include "printing/spec_sheet_text.h"
#include "printing/windows/window_print.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace hspring {

namespace {

constexpr QPoint kFigurePosition{192, 0};
constexpr std::array<QPoint, kSheetLabelCount> kLabelPositions = {
    {{240, 16}, {240, 48}, {240, 80}, {480, 72}, {480, 104}, {40, 152}}};
constexpr QRect kGridGeometry{96, 216, 561, 532};
constexpr int kGridCellHeight = 30;
const QList<int> kGridCellWidths = {64, 222, 97, 169};

QPixmap figurePixmap() {
    QImage image(kSpecSheetFigureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSpecSheetFigure(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

// Hides a widget for as long as it lives.
class HiddenWhile {
public:
    explicit HiddenWhile(QWidget& widget) : widget_(widget) { widget_.hide(); }
    ~HiddenWhile() { widget_.show(); }
    HiddenWhile(const HiddenWhile&) = delete;
    HiddenWhile& operator=(const HiddenWhile&) = delete;

private:
    QWidget& widget_;
};

} // namespace

SpecSheetWindow::SpecSheetWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("prinform"));
    setWindowTitle(QStringLiteral("prinform"));
    setFont(windowFont(12));
    setFixedSize(716, 832);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* figure = new QLabel(this);
    figure->setObjectName(QStringLiteral("Image1"));
    figure->setGeometry(QRect(kFigurePosition, kSpecSheetFigureSize));
    figure->setPixmap(figurePixmap());

    for (int i = 0; i < kSheetLabelCount; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        labels_[i]->setFont(windowFont(19));
        labels_[i]->move(kLabelPositions[i]);
    }

    grid_ = new CentredGrid(this);
    grid_->setObjectName(QStringLiteral("sg1"));
    grid_->setGeometry(kGridGeometry);
    grid_->setFont(windowFont(13));
    grid_->setColumnCount(kSheetColumnCount);
    grid_->setRowCount(kSheetRowCount);
    grid_->setFixedRowCount(1);
    grid_->setFixedColumnCount(1);
    grid_->setCellHeight(kGridCellHeight);
    grid_->setCellWidths(kGridCellWidths);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    printButton_ = new QPushButton(QStringLiteral("プリント"), this);
    printButton_->setObjectName(QStringLiteral("Button1"));
    printButton_->setGeometry(24, 80, 75, 25);
    connect(printButton_, &QPushButton::clicked, this, &SpecSheetWindow::onPrintClicked);
}

void SpecSheetWindow::fillSpecSheet(const SpringDesign& design, const MaterialLibrary& library,
                                    bool leftHanded) {
    const SpecSheetTexts sheet = specSheetTexts(design, library, leftHanded);
    for (int row = 0; row < kSheetRowCount; ++row)
        for (int column = 0; column < kSheetColumnCount; ++column)
            grid_->setCellText(row, column, QString::fromStdString(sheet.cells[row][column]));
    for (int i = 0; i < kSheetLabelCount; ++i) {
        labels_[i]->setText(QString::fromStdString(sheet.labels[i]));
        labels_[i]->adjustSize();
    }
}

void SpecSheetWindow::printSheet(QPrinter& printer) {
    // The button belongs to the screen, not to the paper.
    const HiddenWhile noButton(*printButton_);
    printWindowImage(*this, PrintScaling::Proportional, printer);
}

void SpecSheetWindow::printSheetToPdf(const QString& path) {
    printToPdfFile(path, [this](QPrinter& printer) { printSheet(printer); });
}

void SpecSheetWindow::onPrintClicked() {
    const bool printed = runReportingErrors(this, [this] { printSheet(*openDefaultPrinter()); });
    if (printed)
        close();
}

} // namespace hspring
