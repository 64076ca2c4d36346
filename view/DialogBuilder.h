#pragma once
// Turns a dialog template (controls placed in dialog units) into a QDialog.
// Each control is named "ctl<id>" so code and tests find it by id; buttons
// 1 and 2 accept and reject the dialog.

#include <QDialog>

#include "res/Resources.h"

namespace tabrel {

/// Fills `dialog` with the controls of template `tmpl` and gives it the
/// template's caption, font, size and the light grey background.
void BuildDialogInto(QDialog* dialog, const res::DialogTemplate& tmpl);

/// The dialog of template `tmpl`, with light grey background and black text.
/// Dialog units scale with the template's font: a horizontal unit is a
/// quarter of the average character width, a vertical one an eighth of the
/// font height.
QDialog* BuildDialog(const res::DialogTemplate& tmpl, QWidget* parent = nullptr);

/// The control with `id` in a dialog made by BuildDialog.
template <typename T>
T* DialogControl(QDialog* dialog, int id)
{
    return dialog->findChild<T*>(QStringLiteral("ctl%1").arg(id));
}

/// Gives a dialog the program's dialog colours: light grey, black text.
void ApplyDialogColors(QWidget* dialog);

}  // namespace tabrel
