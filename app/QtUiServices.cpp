#include "app/QtUiServices.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include <chrono>

#include "platform/MessagePump.h"
#include "res/Resources.h"
#include "view/QtText.h"

namespace tabrel {

void CQtUiServices::MessageBox(std::string_view text)
{
    QMessageBox::information(QApplication::activeWindow(), LoadQString(res::IDS_APP_TITLE), FromUtf8(text),
                             QMessageBox::Ok);
}

void CQtUiServices::Beep()
{
    QApplication::beep();
}

std::optional<std::string> CQtUiServices::ChooseFileToOpen(std::string_view filter)
{
    // "description|pattern|..." becomes Qt's list of filters, which take
    // their patterns from the parentheses that end each description.
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString inParentheses = QLatin1Char('(') + parts[i + 1] + QLatin1Char(')');
        nameFilters << (parts[i].endsWith(inParentheses) ? parts[i] : parts[i] + QLatin1Char(' ') + inParentheses);
    }

    QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::currentPath());
    // Qt's own dialog matches patterns without regard to case, so "*.TXT" finds "alice.txt".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name is not checked here: opening it fails quietly
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ToPath(dialog.selectedFiles().constFirst());
}

void InstallQtMessagePump()
{
    SetDispatchHandler([] {
        using Clock = std::chrono::steady_clock;
        static Clock::time_point last;
        const Clock::time_point now = Clock::now();
        if (now - last < std::chrono::milliseconds(15))
            return;
        last = now;
        QCoreApplication::processEvents();
    });
}

}  // namespace tabrel
