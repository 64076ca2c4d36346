#pragma once
// User-interface services for tests: records messages and beeps, and answers
// the file chooser with a path set in advance.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/TabrelDoc.h"
#include "platform/UiServices.h"

namespace tabrel::test {

class RecordingUi : public CNullUiServices {
public:
    void MessageBox(std::string_view text) override { messages.emplace_back(text); }
    void Beep() override { ++beeps; }
    std::optional<std::string> ChooseFileToOpen(std::string_view filter) override
    {
        filters.emplace_back(filter);
        chooserStartDirs.push_back(std::filesystem::current_path().string());
        return nextChoice;
    }

    std::vector<std::string> messages;
    int beeps = 0;
    std::optional<std::string> nextChoice;  ///< nothing: the user cancels
    std::vector<std::string> filters;
    std::vector<std::string> chooserStartDirs;
};

/// A view that counts its updates and can run something at each one.
class CountingView : public IDocView {
public:
    void OnUpdate(CTabrelDoc& doc) override
    {
        ++updates;
        resultCounts.push_back(doc.GetResultList().GetCount());
        if (onUpdate)
            onUpdate(doc);
    }
    int updates = 0;
    std::vector<std::size_t> resultCounts;  ///< result lines seen at each update
    std::function<void(CTabrelDoc&)> onUpdate;
};

}  // namespace tabrel::test
