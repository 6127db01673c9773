#pragma once

#include "core/common/ChangeList.h"

#include <utility>

// Opens the window of a model whose prerequisites hold, built as
// `Window(model, args...)`, and answers what the model wrote, whether the window
// closed with OK or not ("Next >>" saves before a Cancel).
template <typename Window, typename Model, typename... Args> ChangeList RunWindow(Model& model, Args&&... args)
{
    if (!model.checkPrerequisites())
        return {};
    Window window(model, std::forward<Args>(args)...);
    window.exec();
    return model.changes();
}
