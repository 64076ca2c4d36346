#pragma once
// What the front end tests share: answering modal dialogs, and a window
// stand-in for panes tested on their own.

#include <QApplication>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "view/PaneHost.h"

namespace tabrel::test {

/// Runs `act` on the next modal dialog once it shows. `act` must close it.
inline void OnNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        act(QApplication::activeModalWidget());
    });
}

/// A host for panes without a document window around them.
struct LoneHost : IPaneHost {
    QPrinter printer;
    void SetActiveView(CLinePane*) override {}
    void ActivateNextPane(CLinePane*, bool) override {}
    QPrinter& Printer() override { return printer; }
};

}  // namespace tabrel::test
