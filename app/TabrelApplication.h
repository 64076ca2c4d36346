#pragma once
// The Qt application object with a last line of defence: an exception that
// escapes an event handler is reported in a message box instead of ending
// the program, which keeps the user's windows and unsaved results.

#include <QApplication>

namespace tabrel {

class CTabrelApplication : public QApplication {
public:
    CTabrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tabrel
