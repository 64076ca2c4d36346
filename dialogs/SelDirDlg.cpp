#include "dialogs/SelDirDlg.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStorageInfo>

#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/QtText.h"

namespace tabrel {

namespace {

// The root, the home folder and every mounted volume that is ready.
std::vector<CSelDirPlace> StartPlaces()
{
    std::vector<CSelDirPlace> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            volumes.push_back({ToPath(volume.rootPath()), ToPath(volume.displayName())});
    }
    return CSelDirModel::MakePlaces(ToPath(QDir::homePath()), std::move(volumes));
}

void Fill(QListWidget* list, const std::vector<std::string>& entries)
{
    list->clear();
    for (const std::string& entry : entries)
        list->addItem(FromPath(entry));
}

}  // namespace

CSelDirDlg::CSelDirDlg(QWidget* parent) : QDialog(parent), m_model(StartPlaces())
{
    if (const res::DialogTemplate* tmpl = res::FindDialogTemplate(res::IDD_SELDIR))
        BuildDialogInto(this, *tmpl);
    setObjectName(QStringLiteral("selDirDialog"));
    m_editDir = DialogControl<QLineEdit>(this, res::IDC_SELDIR_PATH);
    m_listDrives = DialogControl<QListWidget>(this, res::IDC_SELDIR_DRIVES);
    m_listDirs = DialogControl<QListWidget>(this, res::IDC_SELDIR_DIRS);
    m_listFiles = DialogControl<QListWidget>(this, res::IDC_SELDIR_FILES);
    for (QListWidget* list : {m_listDrives, m_listDirs, m_listFiles})
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_listDrives, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnDblclkDriveList(m_listDrives->row(item)); });
    connect(m_listDirs, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnDblclkDirList(m_listDirs->row(item)); });

    CenterOnScreen();
}

void CSelDirDlg::CenterOnScreen()
{
    // The screen of whoever opened the dialog; the whole window, frame and all.
    const QWidget* owner = parentWidget() ? parentWidget() : QApplication::activeWindow();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = isVisible() ? frameGeometry().size() : size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
}

void CSelDirDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_bInitialised)
        return;
    m_bInitialised = true;
    CenterOnScreen();  // now that the frame is known
    m_model.Open(m_strDir);
    ShowModel(true);
}

void CSelDirDlg::ShowModel(bool drives)
{
    if (drives) {
        std::vector<std::string> entries;
        for (std::size_t i = 0; i < m_model.Places().size(); ++i)
            entries.push_back(m_model.PlaceEntry(i));
        Fill(m_listDrives, entries);
    }
    Fill(m_listDirs, m_model.DirEntries());
    Fill(m_listFiles, m_model.FileEntries());
    m_strDir = m_model.GetDir();
    m_strShown = FromPath(m_strDir);
    m_editDir->setText(m_strShown);
}

void CSelDirDlg::OnDblclkDriveList(int row)
{
    if (row >= 0 && m_model.OpenPlace(static_cast<std::size_t>(row)))
        ShowModel(false);
}

void CSelDirDlg::OnDblclkDirList(int row)
{
    if (row >= 0 && m_model.OpenDirEntry(static_cast<std::size_t>(row)))
        ShowModel(false);
}

void CSelDirDlg::accept()
{
    // The model's bytes while the edit shows them, so a name that is not
    // valid in the file system's encoding survives; typed text otherwise.
    const QString text = m_editDir->text();
    m_strDir = text == m_strShown ? m_model.GetDir() : ToPath(text);
    QDialog::accept();
}

}  // namespace tabrel
