// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windows/detail_page.h"
#include "calc/hook_type.h"
#include "data/design_record.h"
#include "printing/title_block.h"

#include <QObject>
#include <QString>
#include <string>
#include <vector>

namespace hspring {

class MainWindow;

// The calculation file the main window has open, and what goes with it: the window's title
// names it ("引張りコイルバネ計算 — name.hbd"), marked while the slots differ from what was last
// read or saved; the JIS sheet's title block is kept beside it (title_block.h) and read with it.
// Before any file is read or saved the title is the program's caption alone, and the title block
// lives in memory until the calculation is saved.
class CalculationDocument : public QObject {
    Q_OBJECT

public:
    // The document of `window`, made the first time it is asked for.
    static CalculationDocument& of(MainWindow& window);

    // The open file's path (empty when none) and its name.
    QString path() const { return path_; }
    QString fileName() const;

    const TitleBlock& titleBlock() const { return titleBlock_; }
    // Keeps the block; with a file open it is written beside the file at once. Throws Error
    // when it cannot be written.
    void setTitleBlock(const TitleBlock& block);
    // The design's tolerance grade, chosen on the chart page or brought from the search: kept
    // with the block, and written with the slots when they are saved (until then the document
    // counts as changed, as the slots do).
    int toleranceGrade() const { return titleBlock_.toleranceGrade; }
    void setToleranceGrade(int grade);

    // The slots were just read from `path` with the title block beside them: the file is open,
    // the window's design basis and tolerance grade are set to the file's (JIS and grade 2 for a
    // file without them) and the shape page's hook radii to the file's (empty without them).
    void read(const std::string& path, const TitleBlock& block);
    // 新規: no file is open, the title block is empty, the hook radii not given and the grade the
    // usual one.
    void clear();
    // The slots were just saved to `path`: the title block, the design basis, the grade and the
    // hook radii go beside it.
    void saved(const std::string& path);

    // Whether the slots, the hook radii or the grade differ from the file's; false while no file
    // is open.
    bool slotsChanged() const;
    // Whether closing now would lose work: with a file open, slots, radii or a grade that differ
    // from it (the title's mark); without one, a title block typed or a grade chosen (they are
    // kept only with a file).
    bool hasUnsavedChanges() const;
    // Before the window's slots are replaced or the window closes: with unsaved changes asks
    // 保存 / 破棄 / キャンセル. Returns whether to go on (saved, discarded, or nothing to lose).
    bool askToKeepChanges();
    // Sets the window's title and its mark for the slots as they are now.
    void refreshTitle();

private:
    explicit CalculationDocument(MainWindow& window);
    void remember(const std::string& path);
    // Puts the window's design basis and hook radii into the side data the title block travels
    // with.
    void keepWindowData();

    MainWindow& window_;
    QString path_;
    DesignSlots fileSlots_{};
    TitleBlock titleBlock_;
    // What the side file holds, as last read or written.
    TitleBlock fileBlock_;
};

// The window title for an open file's name: the program's caption alone for none.
QString mainWindowTitle(const QString& fileName);

// "仕様書（JIS形式）": the JIS sheet window for slot 0 as it stands, with the hook type of the
// hook page shown and the window's coiling direction; the title block typed there is kept with
// the calculation when the window closes. `concerns`: the broken rules and warnings of a design
// the designer chose to make a sheet of anyway, which the sheet names.
void openJisSheet(MainWindow& window, HookType hookType,
                  const std::vector<std::string>& concerns = {});

// What the detail page's print says it is: the part name of the title block, else the material
// and d × D × N of slot 0; today's date; the open file's name.
DetailPage::PrintedDesign describePrintedDesign(MainWindow& window);

} // namespace hspring
