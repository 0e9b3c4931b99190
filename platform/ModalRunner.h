#pragma once
// How a command shows its modal window: empty = QDialog::exec(). Tests and
// the main window put their own runner here.

#include <QDialog>
#include <functional>

using ModalRunner = std::function<int(QDialog&)>;

/// Runs the dialog through the runner, or exec() when none is set.
inline int zeigeModal(const ModalRunner& modal, QDialog& dialog) {
    return modal ? modal(dialog) : dialog.exec();
}
