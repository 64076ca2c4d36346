#pragma once
// Hook that long loops (text loading, index scans, reading entries) call once
// per step, so the user interface can repaint and take commands meanwhile.
// The core only calls the hook; the front end installs what it does.

#include <functional>

namespace tabrel {

/// Runs the installed handler; does nothing when none is installed.
void DispatchPendingMessage();

/// Installs `handler` (an empty function removes it) and returns the one it
/// replaces, so a caller can put the old one back.
std::function<void()> SetDispatchHandler(std::function<void()> handler);

}  // namespace tabrel
