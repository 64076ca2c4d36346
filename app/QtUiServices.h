#pragma once
// The core's user-interface services on Qt: message boxes with the
// application's title, the default beep, and the file chooser. Also the
// message pump that long loops of the core call.

#include "platform/UiServices.h"

class QWidget;

namespace tabrel {

class CQtUiServices : public IUiServices {
public:
    void MessageBox(std::string_view text) override;
    void Beep() override;
    std::optional<std::string> ChooseFileToOpen(std::string_view filter) override;
};

/// Lets the core's long loops keep the windows alive: pending events are
/// processed at most every 15 ms, so a scan still runs at full speed.
void InstallQtMessagePump();

}  // namespace tabrel
