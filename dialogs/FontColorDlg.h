#pragma once
// The font command's dialog: a font chooser and a text colour in one
// dialog. The colour starts at black.

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QButtonGroup;

namespace tabrel {

class CFontColorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFontColorDlg(const QFont& initial, QWidget* parent = nullptr);

    QFont SelectedFont() const;
    QColor SelectedColor() const { return m_color; }
    void SetSelectedColor(const QColor& color);

private:
    QFontDialog* m_pFontChooser = nullptr;
    QButtonGroup* m_pSwatches = nullptr;
    QColor m_color = Qt::black;
};

}  // namespace tabrel
