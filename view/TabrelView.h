#pragma once
// The text pane: the lines of the opened text file.

#include "view/LinePane.h"

namespace tabrel {

class CTabrelView : public CLinePane {
    Q_OBJECT
public:
    using CLinePane::CLinePane;

    bool QueryCommand(int id, bool& enabled) override;
    void RunCommand(int id) override;

protected:
    const CExStringList& Lines() const override { return GetDocument().m_TextList; }
};

}  // namespace tabrel
