#include "view/DicDispView.h"

#include <QScrollBar>

#include "res/Resources.h"

namespace tabrel {

CDicDispView::CDicDispView(CTabrelDoc& doc, IPaneHost& host, QWidget* parent)
    : CLinePane(doc, host, parent), m_nLookUpSerial(doc.GetLookUpSerial())
{
}

void CDicDispView::FollowDocument(CTabrelDoc& doc)
{
    if (doc.GetLookUpSerial() != m_nLookUpSerial) {
        m_nLookUpSerial = doc.GetLookUpSerial();
        m_nFirstLine = doc.GetLookUpFirstLine();
        m_nPlacedAt = -1;
        m_bFollowing = m_nFirstLine > 0;
        if (!m_bFollowing)
            ScrollToLine(0);  // a fresh list shows from the top
    }
    if (!m_bFollowing)
        return;
    if (!doc.IsBusy()) {
        m_bFollowing = false;  // the look-up has ended: later updates move nothing
        return;
    }
    if (m_nPlacedAt >= 0 && (verticalScrollBar()->value() != m_nPlacedAt || horizontalScrollBar()->value() != 0)) {
        m_bFollowing = false;  // the user has scrolled since: leave the position to them
        return;
    }
    if (Lines().GetCount() <= m_nFirstLine)
        return;  // nothing added yet
    if (m_nPlacedAt < 0 && IsLineVisible(m_nFirstLine)) {
        m_bFollowing = false;  // already in sight
        return;
    }
    // Lines that arrive later let the first one move further up, until it is the top line.
    ScrollToLine(m_nFirstLine);
    m_nPlacedAt = verticalScrollBar()->value();
    m_bFollowing = m_nPlacedAt < static_cast<long long>(m_nFirstLine) * LineHeight();
}

bool CDicDispView::QueryCommand(int id, bool& enabled)
{
    if (id == res::ID_TEXT_OUTPUT) {  // text file output never applies to the results
        enabled = false;
        return true;
    }
    return CLinePane::QueryCommand(id, enabled);
}

}  // namespace tabrel
