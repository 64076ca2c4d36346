#pragma once
// The manual word dialog: shows the picked word for editing before the
// look-up, and refuses a text that begins with white space or holds a
// double-byte character.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tabrel {

class IUiServices;

class CManualDlg : public QDialog {
    Q_OBJECT
public:
    /// `ui` gives the beep of a refusal.
    explicit CManualDlg(IUiServices& ui, QWidget* parent = nullptr);

    /// The text in the edit box: set before exec(), read after it accepted.
    QString m_strWord;

    QLineEdit* Edit() const { return m_editWord; }

public slots:
    /// OK: accepts the text, or refuses it with a beep and a message and
    /// keeps the dialog open with the focus in the edit box.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IUiServices& m_ui;
    QLineEdit* m_editWord = nullptr;
    QPushButton* m_pOk = nullptr;
};

}  // namespace tabrel
