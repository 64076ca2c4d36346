// Tabrel: an English text reader with a dictionary look-up.

#include <QApplication>

#include "app/TabrelApp.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    tabrel::CTabrelApp app;  // the command line is not used
    if (!app.InitInstance())
        return 0;
    return QApplication::exec();
}
