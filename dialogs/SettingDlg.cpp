#include "dialogs/SettingDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/SelDirDlg.h"
#include "platform/UiServices.h"
#include "res/Resources.h"
#include "view/DialogBuilder.h"
#include "view/QtText.h"

namespace tabrel {

namespace {

constexpr std::pair<ModeBox, int> kBoxIds[] = {
    {ModeBox::LeftAuto, res::IDC_LEFT_AUTO},
    {ModeBox::LeftManual, res::IDC_LEFT_MANUAL},
    {ModeBox::RightAuto, res::IDC_RIGHT_AUTO},
    {ModeBox::RightManual, res::IDC_RIGHT_MANUAL},
};

}  // namespace

void CSettingDlg::PathEdit::Show(const std::string& path)
{
    bytes = path;
    shown = FromPath(path);
    if (edit->text() != shown)  // keeps the cursor where it is otherwise
        edit->setText(shown);
}

std::string CSettingDlg::PathEdit::Read() const
{
    const QString text = edit->text();
    return text == shown ? bytes : ToPath(text);
}

CSettingDlg::CSettingDlg(IUiServices& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_model(CSettingModel::Load())
{
    if (const res::DialogTemplate* tmpl = res::FindDialogTemplate(res::IDD_SETTING))
        BuildDialogInto(this, *tmpl);
    setObjectName(QStringLiteral("settingDialog"));
    for (const auto& [box, id] : kBoxIds) {
        QCheckBox* check = DialogControl<QCheckBox>(this, id);
        m_boxes[static_cast<std::size_t>(box)] = check;
        // The click has toggled the box already; then its partner follows.
        connect(check, &QCheckBox::clicked, this, [this, b = box](bool checked) { OnModeClicked(b, checked); });
    }
    m_textDir.edit = DialogControl<QLineEdit>(this, res::IDC_TEXT_DIR);
    m_indexDir.edit = DialogControl<QLineEdit>(this, res::IDC_INDEX_DIR);
    connect(DialogControl<QPushButton>(this, res::IDC_TEXT_DIR_BROWSE), &QPushButton::clicked, this,
            [this] { OnBrowse(m_textDir); });
    connect(DialogControl<QPushButton>(this, res::IDC_INDEX_DIR_BROWSE), &QPushButton::clicked, this,
            [this] { OnBrowse(m_indexDir); });
    UpdateControls();
}

void CSettingDlg::UpdateModel()
{
    for (const auto& [box, id] : kBoxIds)
        m_model.SetChecked(box, Box(box)->isChecked());
    m_model.m_strTextDir = m_textDir.Read();
    m_model.m_strIndexDir = m_indexDir.Read();
}

void CSettingDlg::UpdateControls()
{
    for (const auto& [box, id] : kBoxIds)
        Box(box)->setChecked(m_model.IsChecked(box));
    m_textDir.Show(m_model.m_strTextDir);
    m_indexDir.Show(m_model.m_strIndexDir);
}

void CSettingDlg::OnModeClicked(ModeBox box, bool checked)
{
    UpdateModel();
    m_model.OnModeClicked(box, checked);
    UpdateControls();
}

void CSettingDlg::OnBrowse(PathEdit& target)
{
    UpdateModel();  // text typed into the edit is where the chooser starts
    CSelDirDlg chooser;
    chooser.m_strDir = target.Read();
    if (chooser.exec() != QDialog::Accepted)
        return;
    (&target == &m_textDir ? m_model.m_strTextDir : m_model.m_strIndexDir) = chooser.m_strDir;
    UpdateControls();
}

void CSettingDlg::accept()
{
    UpdateModel();
    if (const std::optional<std::string> refusal = m_model.OnOK()) {
        m_ui.MessageBox(*refusal);
        return;
    }
    QDialog::accept();
}

}  // namespace tabrel
