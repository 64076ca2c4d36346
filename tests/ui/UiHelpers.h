#pragma once
// What the front end tests share: answering modal dialogs, and a window
// stand-in for panes tested on their own.

#include <QApplication>
#include <QFileDialog>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <string>

#include "view/PaneHost.h"
#include "dialogs/PaneDialogs.h"
#include "view/QtText.h"

namespace tabrel::test {

/// Runs `act` on the next modal dialog once it shows. `act` must close it.
inline void OnNextModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, [act] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        act(QApplication::activeModalWidget());
    });
}

/// Answers the next modal dialog, which must be a file dialog: `inspect`
/// (when given) sees it first; then `path` is chosen and the dialog
/// accepted, or it is cancelled when `path` is empty.
inline void AnswerNextFileDialog(const std::string& path, std::function<void(QFileDialog*)> inspect = {})
{
    OnNextModal([path, inspect](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (!dialog) {
            static_cast<QDialog*>(w)->reject();
            QFAIL("a file dialog was expected");
        }
        if (inspect)
            inspect(dialog);
        if (path.empty()) {
            static_cast<QDialog*>(dialog)->reject();
            return;
        }
        dialog->selectFile(FromPath(path));  // in place of any name the dialog proposed
        if (dialog->selectedFiles() != QStringList{FromPath(path)}) {
            static_cast<QDialog*>(dialog)->reject();
            QFAIL("the file dialog did not take the name");
        }
        static_cast<QDialog*>(dialog)->accept();
    });
}

/// A host for panes without a document window around them.
struct LoneHost : IPaneHost {
    QPrinter printer;
    CPaneDialogs dialogs;
    void SetActiveView(CLinePane*) override {}
    void ActivateNextPane(CLinePane*, bool) override {}
    QPrinter& Printer() override { return printer; }
    void OnTextOpened(const std::string&) override {}
    IPaneDialogs& Dialogs() override { return dialogs; }
};

}  // namespace tabrel::test
