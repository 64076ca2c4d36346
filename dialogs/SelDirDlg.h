#pragma once
// The directory chooser: the places to start from, the selected
// directory's subfolders and, for reference, its files. A double-click in
// the first two lists moves the selection; OK returns the text of the edit.
// The lists and the rules live in CSelDirModel; this dialog shows them.

#include <QDialog>

#include <string>

#include "settings/SelDirModel.h"

class QLineEdit;
class QListWidget;

namespace tabrel {

class CSelDirDlg : public QDialog {
    Q_OBJECT
public:
    /// The places are the root, the home folder and the mounted volumes.
    explicit CSelDirDlg(QWidget* parent = nullptr);

    /// The selected directory, file-system bytes: set before exec(), read
    /// after it accepted. A path chosen in the lists ends in "/"; a text
    /// typed into the edit comes back as typed.
    std::string m_strDir;

    QLineEdit* Edit() const { return m_editDir; }
    QListWidget* DriveList() const { return m_listDrives; }
    QListWidget* DirList() const { return m_listDirs; }
    QListWidget* FileList() const { return m_listFiles; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CenterOnScreen();
    void OnDblclkDriveList(int row);
    void OnDblclkDirList(int row);
    /// The model's lists and selection into the controls; the drive list
    /// only when `drives`.
    void ShowModel(bool drives);

    CSelDirModel m_model;
    bool m_bInitialised = false;
    QString m_strShown;  // the edit's text as the model last set it
    QLineEdit* m_editDir = nullptr;
    QListWidget* m_listDrives = nullptr;
    QListWidget* m_listDirs = nullptr;
    QListWidget* m_listFiles = nullptr;
};

}  // namespace tabrel
