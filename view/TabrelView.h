#pragma once
// The text pane: the lines of the opened text file. A double-click picks
// the word under the pointer and looks it up, at once or through the manual
// word dialog, as the profile sets each mouse button. A newly loaded text
// shows from its first line, fully left.

#include <cstdint>
#include <optional>
#include <string_view>

#include "view/LinePane.h"

namespace tabrel {

class CTabrelView : public CLinePane {
    Q_OBJECT
public:
    CTabrelView(CTabrelDoc& doc, IPaneHost& host, QWidget* parent = nullptr);

    bool QueryCommand(int id, bool& enabled) override;

    /// Where a point of the pane falls: a line and the byte under the pointer.
    struct Hit {
        std::string_view line;
        std::size_t index = 0;
    };
    /// Nothing when the list is empty, the line empty, or the point right
    /// of the line's text. Below the last line, the last line is taken.
    std::optional<Hit> HitTest(QPoint point) const;

    /// True while a double-click is being handled.
    bool IsPicking() const { return m_bPicking; }

protected:
    const CExStringList& Lines() const override { return GetDocument().GetTextList(); }
    void FollowDocument(CTabrelDoc& doc) override;

    void mouseDoubleClickEvent(QMouseEvent* event) override;

    void OnLButtonDblClk(QPoint point);
    void OnRButtonDblClk(QPoint point);
    void AutoLookUp(QPoint point);
    void ManualLookUp(QPoint point);

private:
    // Runs `pick` with the picking flag set; a double-click meanwhile is ignored.
    template <typename Pick>
    void Picking(Pick pick);

    bool m_bPicking = false;
    std::uint64_t m_nTextSerial;  // the text this pane has shown from its start
};

}  // namespace tabrel
