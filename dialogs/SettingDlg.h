#pragma once
// The settings dialog: "自動" or "ﾏﾆｭｱﾙ" for each mouse button's
// double-click, the text directory and the index directory, each with a
// "参照" button that opens the directory chooser. The values and rules are
// CSettingModel's; OK stores them through it, Cancel stores nothing.

#include <QDialog>

#include <array>
#include <string>

#include "settings/SettingModel.h"

class QCheckBox;
class QLineEdit;

namespace tabrel {

class IUiServices;

class CSettingDlg : public QDialog {
    Q_OBJECT
public:
    /// Reads the values from the profile. `ui` shows the refusal of OK.
    explicit CSettingDlg(IUiServices& ui, QWidget* parent = nullptr);

    QCheckBox* Box(ModeBox box) const { return m_boxes[static_cast<std::size_t>(box)]; }
    QLineEdit* TextDirEdit() const { return m_textDir.edit; }
    QLineEdit* IndexDirEdit() const { return m_indexDir.edit; }

public slots:
    /// OK: stores the values, or refuses an empty index directory with a
    /// message and stays open with every entry as it is.
    void accept() override;

private:
    // A directory edit and the bytes it stands for: the edit shows them
    // decoded, and while its text is unchanged the bytes are what it holds.
    struct PathEdit {
        QLineEdit* edit = nullptr;
        std::string bytes;
        QString shown;
        void Show(const std::string& path);
        std::string Read() const;
    };

    void UpdateModel();     // controls to the model
    void UpdateControls();  // the model to the controls
    void OnModeClicked(ModeBox box, bool checked);
    void OnBrowse(PathEdit& target);

    IUiServices& m_ui;
    CSettingModel m_model;
    std::array<QCheckBox*, 4> m_boxes{};
    PathEdit m_textDir;
    PathEdit m_indexDir;
};

}  // namespace tabrel
