#pragma once
// The panes' dialogs as the front end shows them: the manual word dialog,
// the font and colour dialog, the settings dialog and the clipboard
// transfer dialog.

#include "view/PaneDialogs.h"

namespace tabrel {

class CPaneDialogs : public IPaneDialogs {
public:
    std::optional<QString> AskManualWord(const QString& word, IUiServices& ui) override;
    bool ChooseFont(CFontChoice& choice, QWidget* parent) override;
    void EditSettings(IUiServices& ui, QWidget* parent) override;
    void RunEditCopy(const CEditCopy& copy, IUiServices& ui) override;
};

}  // namespace tabrel
