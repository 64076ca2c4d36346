#include "dialogs/EditCopyDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "document/EditCopy.h"
#include "platform/UiServices.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/QtText.h"

namespace tabrel {

CEditCopyDlg::CEditCopyDlg(const CEditCopy& copy, IUiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    if (const res::DialogTemplate* tmpl = res::FindDialogTemplate(res::IDD_EDITCOPY))
        BuildDialogInto(this, *tmpl);
    setObjectName(QStringLiteral("editCopyDialog"));
    m_editText = DialogControl<QPlainTextEdit>(this, res::IDC_COPY_TEXT);
    m_staticNote = DialogControl<QLabel>(this, res::IDC_COPY_NOTE);
    m_pCopyAll = DialogControl<QPushButton>(this, res::IDOK);
    connect(DialogControl<QPushButton>(this, res::IDC_COPY_PART), &QPushButton::clicked, this,
            &CEditCopyDlg::OnCopyPart);

    m_staticNote->setText(FromUtf8(copy.GetNote()));
    m_editText->setPlainText(FromCp932(copy.GetBoxText()));
}

QString CEditCopyDlg::Cp932MimeType()
{
    return QStringLiteral("text/plain;charset=Shift_JIS");
}

void CEditCopyDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_pCopyAll->setFocus();  // Enter copies everything
}

void CEditCopyDlg::PutOnClipboard(const QString& text)
{
    // Desktop programs paste the Unicode text (LF line ends). setText offers
    // it as Qt's plain text; the UTF-8 type is also named outright, so it is
    // there under that name on every platform. A program that wants the
    // bytes as they were takes the code page 932 form, with CR LF.
    auto* mime = new QMimeData;
    mime->setText(text);
    mime->setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
    mime->setData(Cp932MimeType(), QByteArray::fromStdString(ToClipboardBytes(ToCp932(text))));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CEditCopyDlg::accept()
{
    m_editText->selectAll();  // the user sees what goes
    m_editText->ensureCursorVisible();
    PutOnClipboard(m_editText->toPlainText());
    m_ui.MessageBox(kMsgCopyDone);
    QDialog::accept();
}

void CEditCopyDlg::OnCopyPart()
{
    const QTextCursor cursor = m_editText->textCursor();
    if (const auto refusal = CheckCopyPart(static_cast<std::size_t>(cursor.selectionStart()),
                                           static_cast<std::size_t>(cursor.selectionEnd()))) {
        m_ui.Beep();
        m_ui.MessageBox(*refusal);
        return;
    }
    PutOnClipboard(cursor.selection().toPlainText());
    m_ui.MessageBox(kMsgCopyDone);
    QDialog::accept();
}

}  // namespace tabrel
