#pragma once
// The clipboard transfer dialog: the result lines that fit (CEditCopy) in an
// editable box, a note when some did not fit, and buttons that put all of
// the box's text or its selection on the clipboard. The document is never
// changed; Cancel leaves the clipboard alone.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tabrel {

class CEditCopy;
class IUiServices;

class CEditCopyDlg : public QDialog {
    Q_OBJECT
public:
    /// Shows the box text of `copy` and its note; messages and the beep go
    /// through `ui`.
    CEditCopyDlg(const CEditCopy& copy, IUiServices& ui, QWidget* parent = nullptr);

    /// The clipboard format that carries the code page 932 bytes with CR LF
    /// line ends, beside the Unicode text.
    static QString Cp932MimeType();

    QPlainTextEdit* Edit() const { return m_editText; }
    QLabel* Note() const { return m_staticNote; }

public slots:
    /// "全部ｺﾋﾟｰ" and Enter: selects and copies the whole box, reports it and closes.
    void accept() override;
    /// "一部ｺﾋﾟｰ": copies the selection, reports it and closes; with nothing
    /// selected beeps, says so and stays open.
    void OnCopyPart();

protected:
    void showEvent(QShowEvent* event) override;

private:
    /// Puts `text` on the clipboard as Unicode and as code page 932 bytes.
    static void PutOnClipboard(const QString& text);

    IUiServices& m_ui;
    QPlainTextEdit* m_editText = nullptr;
    QLabel* m_staticNote = nullptr;
    QPushButton* m_pCopyAll = nullptr;
};

}  // namespace tabrel
