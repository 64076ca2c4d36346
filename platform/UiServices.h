#pragma once
// What the core asks of the user interface: a message box, a beep, and the
// choice of a file to open. The Qt front end implements it; tools, tests
// and benchmarks build on the null implementation.

#include <optional>
#include <string>
#include <string_view>

namespace tabrel {

class IUiServices {
public:
    virtual ~IUiServices() = default;

    /// Shows `text` (UTF-8) with the caption "Tabrel" and an OK button.
    virtual void MessageBox(std::string_view text) = 0;

    /// The default beep.
    virtual void Beep() = 0;

    /// Lets the user choose an existing file, starting in the current
    /// directory. `filter` is "description|pattern|description|pattern..."
    /// (UTF-8), its first entry selected. Returns the chosen path, or nothing
    /// when the user cancels.
    virtual std::optional<std::string> ChooseFileToOpen(std::string_view filter) = 0;
};

/// Services with nobody to ask: messages and beeps go nowhere and no file
/// is chosen. Tools, benchmarks and tests start from it and override what
/// they need.
class CNullUiServices : public IUiServices {
public:
    void MessageBox(std::string_view) override {}
    void Beep() override {}
    std::optional<std::string> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
};

}  // namespace tabrel
