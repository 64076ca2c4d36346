#pragma once
// The document's own commands: Close, Save and Save As.

#include "view/CommandTarget.h"

namespace tabrel {

class CTabrelApp;
class CTabrelDoc;

class CDocumentCommands : public ICommandTarget {
public:
    CDocumentCommands(CTabrelApp& app, CTabrelDoc& doc) : m_app(app), m_doc(doc) {}

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

    /// Saves to the document's path, asking for one when it has none.
    /// Returns whether the results were written.
    bool DoSave(bool askForName);

private:
    CTabrelApp& m_app;
    CTabrelDoc& m_doc;
};

}  // namespace tabrel
