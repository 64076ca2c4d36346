#include "view/DialogBuilder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "view/Icons.h"
#include "view/QtText.h"

namespace tabrel {

void ApplyDialogColors(QWidget* dialog)
{
    QPalette pal = dialog->palette();
    const QColor grey(0xC0, 0xC0, 0xC0);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        pal.setColor(role, grey);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(role, Qt::black);
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);
}

QString ControlName(int id)
{
    return QStringLiteral("ctl%1").arg(id);
}

QDialog* BuildDialog(const res::DialogTemplate& tmpl, QWidget* parent)
{
    auto* dialog = new QDialog(parent);
    BuildDialogInto(dialog, tmpl);
    return dialog;
}

void BuildDialogInto(QDialog* dialog, const res::DialogTemplate& tmpl)
{
    dialog->setWindowTitle(FromUtf8(tmpl.caption));
    QFont font = dialog->font();
    const QString face = FromUtf8(tmpl.fontFace);
    if (face.compare(QLatin1String("System"), Qt::CaseInsensitive) != 0)
        font.setFamily(face);  // "System" stands for the platform's own dialog font
    font.setPointSize(tmpl.fontPoints);
    dialog->setFont(font);
    ApplyDialogColors(dialog);

    const QFontMetrics fm(font);
    const int baseX = (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
    const int baseY = fm.height();
    const auto rect = [&](int x, int y, int cx, int cy) {
        return QRect(x * baseX / 4, y * baseY / 8, cx * baseX / 4, cy * baseY / 8);
    };
    dialog->setFixedSize(rect(0, 0, tmpl.cx, tmpl.cy).size());
    if (tmpl.x != res::kNoPosition && tmpl.y != res::kNoPosition) {
        const QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        const QPoint origin = owner ? owner->geometry().topLeft()
                                    : (dialog->screen() ? dialog->screen()->availableGeometry().topLeft() : QPoint());
        dialog->move(origin + rect(tmpl.x, tmpl.y, 0, 0).topLeft());
    }

    for (const res::DialogControl& c : tmpl.controls) {
        QWidget* w = nullptr;
        const QString text = MenuText(c.text);
        switch (c.kind) {
        case res::DialogControl::DefPushButton:
        case res::DialogControl::PushButton: {
            auto* button = new QPushButton(text, dialog);
            button->setAutoDefault(false);
            button->setDefault(c.kind == res::DialogControl::DefPushButton);
            if (c.id == res::IDOK)
                QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
            else if (c.id == res::IDCANCEL)
                QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::reject);
            w = button;
            break;
        }
        case res::DialogControl::Edit:
            w = new QLineEdit(dialog);
            break;
        case res::DialogControl::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(dialog);
            edit->setLineWrapMode(QPlainTextEdit::NoWrap);  // long lines scroll sideways
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setTabChangesFocus(true);
            w = edit;
            break;
        }
        case res::DialogControl::Static:
        case res::DialogControl::CenteredStatic: {
            auto* label = new QLabel(text, dialog);
            label->setWordWrap(true);
            label->setAlignment(c.kind == res::DialogControl::CenteredStatic ? Qt::AlignHCenter | Qt::AlignTop
                                                                           : Qt::AlignLeft | Qt::AlignTop);
            w = label;
            break;
        }
        case res::DialogControl::Icon: {
            auto* label = new QLabel(dialog);
            label->setPixmap(IconPixmap(FromUtf8(c.text).toInt()));
            w = label;
            break;
        }
        case res::DialogControl::GroupBox:
            w = new QGroupBox(text, dialog);
            break;
        case res::DialogControl::ListBox:
            w = new QListWidget(dialog);
            break;
        case res::DialogControl::CheckBox:
            w = new QCheckBox(text, dialog);
            break;
        }
        if (!w)
            continue;
        w->setObjectName(ControlName(c.id));
        w->setGeometry(rect(c.x, c.y, c.cx, c.cy));
    }
}

}  // namespace tabrel
