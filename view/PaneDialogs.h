#pragma once
// The dialogs a pane runs. The panes sit below the dialogs layer, so they
// reach the dialogs through this interface, which the window hosting them
// hands over (IPaneHost::Dialogs). It also runs the clipboard transfer
// dialog for the document's Copy (IEditCopyRunner).

#include <QString>

#include <optional>

#include "document/EditCopy.h"

class QWidget;

namespace tabrel {

class IUiServices;
struct CFontChoice;

class IPaneDialogs : public IEditCopyRunner {
public:
    virtual ~IPaneDialogs() = default;

    /// The manual word dialog, showing `word` for editing; its refusals go
    /// through `ui`. The text the user confirmed, or nothing when cancelled.
    virtual std::optional<QString> AskManualWord(const QString& word, IUiServices& ui) = 0;

    /// The font command's dialog over `choice`, owned by `parent`. True when
    /// the user pressed OK; `choice` then holds the font and colour chosen.
    virtual bool ChooseFont(CFontChoice& choice, QWidget* parent) = 0;

    /// The settings dialog over `parent`, its refusal shown through `ui`.
    /// It stores what the user chose itself; every reader of those values
    /// reads them afresh, so the caller refreshes nothing.
    virtual void EditSettings(IUiServices& ui, QWidget* parent) = 0;
};

}  // namespace tabrel
