#pragma once
// Turns a dialog template (controls placed in dialog units) into a QDialog.
// Each control is named after its id, so code and tests find it through
// DialogControl and the named ids of res/; IDOK and IDCANCEL accept and
// reject the dialog.

#include <QDialog>

#include "res/Resources.h"

namespace tabrel {

/// Fills `dialog` with the controls of template `tmpl` and gives it the
/// template's caption, font, size, position (when the template gives one)
/// and the light grey background.
void BuildDialogInto(QDialog* dialog, const res::DialogTemplate& tmpl);

/// The dialog of template `tmpl`, with light grey background and black text.
/// Dialog units scale with the template's font: a horizontal unit is a
/// quarter of the average character width, a vertical one an eighth of the
/// font height.
QDialog* BuildDialog(const res::DialogTemplate& tmpl, QWidget* parent = nullptr);

/// Object name of the control `id` (a res::ControlId).
QString ControlName(int id);

/// The control with `id` (a res::ControlId) in a dialog made from a
/// template; nullptr when it has none of that type.
template <typename T>
T* DialogControl(const QWidget* dialog, int id)
{
    return dialog ? dialog->findChild<T*>(ControlName(id)) : nullptr;
}

/// Gives a dialog the program's dialog colours: light grey, black text.
void ApplyDialogColors(QWidget* dialog);

}  // namespace tabrel
