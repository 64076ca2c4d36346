#pragma once
// The dictionary pane: the result lines of the last look-up. A look-up's
// first line is brought into sight when it arrives below the visible part.

#include <cstdint>

#include "view/LinePane.h"

namespace tabrel {

class CDicDispView : public CLinePane {
    Q_OBJECT
public:
    CDicDispView(CTabrelDoc& doc, IPaneHost& host, QWidget* parent = nullptr);

    bool QueryCommand(int id, bool& enabled) override;

protected:
    const CExStringList& Lines() const override { return GetDocument().GetResultList(); }
    /// Each result line ends in CR LF, which is not drawn.
    std::size_t HiddenTailBytes() const override { return 2; }
    void FollowDocument(CTabrelDoc& doc) override;

private:
    std::uint64_t m_nLookUpSerial;    // the last look-up this pane has seen start
    bool m_bFollowing = false;        // that look-up's first line is still to be brought to the top
    std::size_t m_nFirstLine = 0;     // the first line that look-up adds
    int m_nPlacedAt = -1;             // where the pane last put it; -1: not yet
};

}  // namespace tabrel
