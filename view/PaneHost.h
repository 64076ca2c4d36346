#pragma once
// What a pane asks of the window it sits in.

#include <string>

class QPrinter;

namespace tabrel {

class CLinePane;
class IPaneDialogs;

class IPaneHost {
public:
    virtual ~IPaneHost() = default;
    /// Makes `pane` the window's active pane: it gets the focus and the commands.
    virtual void SetActiveView(CLinePane* pane) = 0;
    /// Activates the pane after (`forward`) or before `from`.
    virtual void ActivateNextPane(CLinePane* from, bool forward) = 0;
    /// The application's printer, which printer setup also configures.
    virtual QPrinter& Printer() = 0;
    /// A pane's Open read the text file `path` into the document: the
    /// application lists it among the recent files.
    virtual void OnTextOpened(const std::string& path) = 0;
    /// The dialogs the pane runs.
    virtual IPaneDialogs& Dialogs() = 0;
};

}  // namespace tabrel
