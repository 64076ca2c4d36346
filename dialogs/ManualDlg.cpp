#include "dialogs/ManualDlg.h"

#include <QLineEdit>
#include <QPushButton>

#include "document/PickLogic.h"
#include "platform/UiServices.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/QtText.h"

namespace tabrel {

CManualDlg::CManualDlg(IUiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    if (const res::DialogTemplate* tmpl = res::FindDialogTemplate(res::IDD_MANUAL))
        BuildDialogInto(this, *tmpl);
    setObjectName(QStringLiteral("manualDialog"));
    m_editWord = DialogControl<QLineEdit>(this, res::IDC_MANUAL_WORD);
    m_pOk = DialogControl<QPushButton>(this, res::IDOK);
    // The core takes at most this many bytes; longer text cannot be typed.
    m_editWord->setMaxLength(static_cast<int>(kMaxPickBytes));
}

void CManualDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_editWord->setText(m_strWord);
    m_pOk->setFocus();  // Enter takes the picked word as it is
}

void CManualDlg::accept()
{
    m_strWord = m_editWord->text();
    std::size_t replaced = 0;
    const std::string bytes = Utf8ToCp932(m_strWord.toStdString(), &replaced);
    std::optional<std::string> refusal = CheckManualText(bytes);
    if (!refusal && replaced != 0)
        refusal = kMsgDoubleByte;  // a character code page 932 lacks is no single-byte character either
    if (!refusal) {
        QDialog::accept();
        return;
    }
    m_ui.Beep();
    m_ui.MessageBox(*refusal);
    m_editWord->setText(m_strWord);
    m_editWord->setFocus();
}

}  // namespace tabrel
