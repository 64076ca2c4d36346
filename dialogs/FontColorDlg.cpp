#include "dialogs/FontColorDlg.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "res/Resources.h"
#include "view/QtText.h"

namespace tabrel {

namespace {
// The sixteen basic colours offered beside the font.
const QRgb kBasicColors[] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
}  // namespace

CFontColorDlg::CFontColorDlg(const QFont& initial, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(LoadQString(res::IDS_FONT_TITLE));
    m_pFontChooser = new QFontDialog(initial, this);
    m_pFontChooser->setObjectName(QStringLiteral("fontChooser"));
    m_pFontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_pFontChooser->setWindowFlags(Qt::Widget);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(LoadQString(res::IDS_FONT_COLOR), this));
    m_pSwatches = new QButtonGroup(this);
    int index = 0;
    for (QRgb rgb : kBasicColors) {
        auto* swatch = new QToolButton(this);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(index));
        swatch->setCheckable(true);
        swatch->setFixedSize(18, 18);
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid gray; }"
                                             "QToolButton:checked { border: 2px solid black; }")
                                  .arg(QColor(rgb).name()));
        m_pSwatches->addButton(swatch, index++);
        colorRow->addWidget(swatch);
    }
    connect(m_pSwatches, &QButtonGroup::idClicked, this,
            [this](int id) { m_color = QColor(kBasicColors[id]); });
    auto* more = new QPushButton(LoadQString(res::IDS_FONT_MORE_COLORS), this);
    connect(more, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(m_color, this);
        if (chosen.isValid())
            SetSelectedColor(chosen);
    });
    colorRow->addWidget(more);
    colorRow->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(LoadQString(res::IDS_CANCEL), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pFontChooser);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    SetSelectedColor(Qt::black);
}

QFont CFontColorDlg::SelectedFont() const
{
    return m_pFontChooser->currentFont();
}

void CFontColorDlg::SetSelectedColor(const QColor& color)
{
    m_color = color;
    for (int i = 0; i < 16; ++i) {
        if (QColor(kBasicColors[i]) == color)
            m_pSwatches->button(i)->setChecked(true);
    }
}

}  // namespace tabrel
