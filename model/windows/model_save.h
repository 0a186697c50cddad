// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/hook_type.h"
#include "data/design_record.h"
#include "drawing/windows/shape_page.h"
#include "model/spring_model.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

namespace hspring {

// What the main window knows that a model needs beside the design: the hook page shown, the
// coiling direction, the product's name and the file name to propose.
struct ModelSubject {
    SpringDesign design;
    HookType hookType = HookType::Round;
    bool leftHanded = false;
    std::string productName;
    QString proposedStem;
};

// Adds 「3Dモデルを保存…」 to the spring view's right-click menu. `subject` gives the design as it
// goes out (the main window calculates first when an input changed), or nothing when it could
// not, and then nothing is saved.
void addModelSaveItem(ShapePage& page, std::function<std::optional<ModelSubject>()> subject);

// The save dialog (STEP or STL, and the state: フリー, 荷重１ or 荷重２), then the model written.
// A spring that cannot be modelled says why in the error box and writes nothing; so does a
// failure of the writing.
void saveSpringModel(QWidget* parent, const ModelSubject& subject);

// Why a spring cannot be modelled, in the window's words.
QString modelRefusalText(const ModelRefusal& refusal, const SpringModelRequest& request);

} // namespace hspring
