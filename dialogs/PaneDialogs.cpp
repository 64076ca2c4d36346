#include "dialogs/PaneDialogs.h"

#include "dialogs/EditCopyDlg.h"
#include "dialogs/FontColorDlg.h"
#include "dialogs/ManualDlg.h"
#include "dialogs/SettingDlg.h"
#include "settings/FontChoice.h"
#include "view/FontMapping.h"

namespace tabrel {

std::optional<QString> CPaneDialogs::AskManualWord(const QString& word, IUiServices& ui)
{
    CManualDlg dialog(ui);  // no parent: the dialog outlives nothing it belongs to
    dialog.m_strWord = word;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_strWord;
}

bool CPaneDialogs::ChooseFont(CFontChoice& choice, QWidget* parent)
{
    CFontColorDlg dialog(FontFromRecord(choice.font), parent);
    dialog.setObjectName(QStringLiteral("fontDialog"));
    dialog.SetSelectedColor(ToQColor(choice.color));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.font = RecordFromFont(dialog.SelectedFont(), choice.font);
    choice.color = FromQColor(dialog.SelectedColor());
    return true;
}

void CPaneDialogs::EditSettings(IUiServices& ui, QWidget* parent)
{
    CSettingDlg dialog(ui, parent);
    dialog.exec();  // the outcome is in the profile
}

void CPaneDialogs::RunEditCopy(const CEditCopy& copy, IUiServices& ui)
{
    CEditCopyDlg dialog(copy, ui);  // no parent, as the manual word dialog
    dialog.exec();                  // how it ended does not matter: only the clipboard outlives it
}

}  // namespace tabrel
