#pragma once
// The panes' dialogs as the front end shows them: the manual word dialog
// and the font and colour dialog.

#include "view/PaneDialogs.h"

namespace tabrel {

class CPaneDialogs : public IPaneDialogs {
public:
    std::optional<QString> AskManualWord(const QString& word, IUiServices& ui) override;
    bool ChooseFont(CFontChoice& choice, QWidget* parent) override;
};

}  // namespace tabrel
