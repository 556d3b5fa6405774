#pragma once
// Every event handler runs inside this guard: an error that escapes it is shown
// in the standard error box and the program goes on with the state it reached.
#include "ui/UserPrompts.h"

#include <exception>

class QWidget;

namespace qf {

template <typename Handler>
void guarded(UserPrompts &prompts, QWidget *parent, Handler &&handler) noexcept
{
    try {
        handler();
    } catch (const std::exception &e) {
        prompts.showError(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        prompts.showError(parent, QStringLiteral("Unbekannter Fehler."));
    }
}

} // namespace qf
