// Tabrel: an English text reader with a dictionary look-up.

#include "app/TabrelApp.h"
#include "app/TabrelApplication.h"
#include "platform/AtomicFile.h"

int main(int argc, char** argv)
{
    tabrel::IgnoreFileSizeSignal();  // a save past the file-size limit fails with a message
    tabrel::CTabrelApplication qapp(argc, argv);
    tabrel::CTabrelApp app;  // the command line is not used
    if (!app.InitInstance())
        return 0;
    return QApplication::exec();
}
