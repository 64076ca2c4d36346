#include "app/TabrelApplication.h"

#include <QMessageBox>

#include <exception>

#include "res/ErrorText.h"
#include "res/Resources.h"
#include "view/QtText.h"

namespace tabrel {

namespace {
void Report(const QString& what)
{
    QMessageBox::critical(QApplication::activeWindow(), LoadQString(res::IDS_APP_TITLE),
                          FromUtf8(res::FormatString(res::IDS_ERR_UNEXPECTED, what.toStdString())), QMessageBox::Ok);
}
}  // namespace

bool CTabrelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {  // std::bad_alloc among them
        Report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Report(QStringLiteral("?"));
    }
    return false;
}

}  // namespace tabrel
