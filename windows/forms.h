#pragma once

#include "services/services.h"
#include "windows/form.h"

#include <QApplication>

#include <memory>

/// The game reaches its windows by name: one instance of each, created and
/// loaded on first use, gone once unloaded.
namespace forms {

/// The loaded instance of a window, or nullptr.
template <class F>
F *loaded()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (F *form = qobject_cast<F *>(window); form && !form->isUnloaded())
            return form;
    }
    return nullptr;
}

/// The window, loaded first (running its Form_Load) when it is not loaded.
template <class F>
F &load()
{
    if (F *form = loaded<F>())
        return *form;
    auto form = std::make_unique<F>();
    form->Form_Load();
    return *form.release();
}

/// Loads the window if needed and shows it; returns at once.
template <class F>
F &show()
{
    F &form = load<F>();
    platform().showWindow(form, form.hasTaskbarEntry());
    return form;
}

/// Loads the window if needed and shows it; returns when it has been
/// unloaded, while only it takes input.
template <class F>
void showModal()
{
    F &form = load<F>();
    platform().showModal(form, form.hasTaskbarEntry());
}

/// Makes the window, if it is loaded, the active one with the focus on its
/// first control.
template <class F>
void activate()
{
    if (F *form = loaded<F>()) {
        form->focusFirstControl();
        platform().activateWindow(*form);
    }
}

/// Hides the window if it is loaded; it stays loaded.
template <class F>
void hide()
{
    if (F *form = loaded<F>())
        platform().hideWindow(*form);
}

/// The program's unload of a window; its handlers may refuse it.
template <class F>
bool unload()
{
    if (F *form = loaded<F>())
        return form->unload(UnloadReason::ProgramCode);
    return true;
}

} // namespace forms
