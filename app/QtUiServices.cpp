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
    // "description|pattern|..." becomes Qt's list of filters: each stored
    // description followed by the pattern in parentheses, which Qt takes as
    // the pattern and, with the details hidden, leaves out of what it shows.
    // "*.*" means every file, also one without a dot in its name.
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1] == QStringLiteral("*.*") ? QStringLiteral("*") : parts[i + 1];
        nameFilters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }

    QFileDialog dialog(QApplication::activeWindow(), QString(), QDir::currentPath());
    // Qt's own dialog matches patterns without regard to case, so "*.TXT" finds "alice.txt".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
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
