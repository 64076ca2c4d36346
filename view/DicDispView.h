#pragma once
// The dictionary pane: the result lines of the last look-up.

#include "view/LinePane.h"

namespace tabrel {

class CDicDispView : public CLinePane {
    Q_OBJECT
public:
    using CLinePane::CLinePane;

    bool QueryCommand(int id, bool& enabled) override;

protected:
    CExStringList& Lines() const override { return GetDocument().m_ResultList; }
    /// Each result line ends in CR LF, which is not drawn.
    std::size_t HiddenTailBytes() const override { return 2; }
};

}  // namespace tabrel
