#include "view/TabrelView.h"

#include <QMouseEvent>
#include <QPointer>

#include "document/LookUpTrigger.h"
#include "document/PickLogic.h"
#include "platform/Profile.h"
#include "platform/UiServices.h"
#include "res/ErrorText.h"
#include "res/Resources.h"
#include "settings/ProfileKeys.h"
#include "view/PaneDialogs.h"
#include "view/PaneHost.h"
#include "view/QtText.h"

namespace tabrel {

CTabrelView::CTabrelView(CTabrelDoc& doc, IPaneHost& host, QWidget* parent)
    : CLinePane(doc, host, parent), m_nTextSerial(doc.GetTextSerial())
{
}

void CTabrelView::FollowDocument(CTabrelDoc& doc)
{
    if (doc.GetTextSerial() == m_nTextSerial)
        return;
    m_nTextSerial = doc.GetTextSerial();
    ScrollToLine(0);  // a new text: its first line, whatever the old one showed
}

bool CTabrelView::QueryCommand(int id, bool& enabled)
{
    if (id == res::ID_TEXT_OUTPUT) {  // offered once a text is open; does nothing
        enabled = GetDocument().CanOutputTextFile(true);
        return true;
    }
    return CLinePane::QueryCommand(id, enabled);
}

std::optional<CTabrelView::Hit> CTabrelView::HitTest(QPoint point) const
{
    const CExStringList& lines = Lines();
    if (lines.IsEmpty())
        return std::nullopt;
    const QPoint doc = point + GetScrollPosition();
    const int lineIndex = std::max(0, doc.y()) / LineHeight();
    const std::size_t k = std::min(static_cast<std::size_t>(lineIndex), lines.GetCount() - 1);
    const std::string_view line = lines.GetAt(k);
    if (line.empty() || PrefixWidth(line, line.size()) < doc.x())
        return std::nullopt;
    // The smallest n whose prefix reaches the pointer; widths grow with n.
    std::size_t low = 1, high = line.size();
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (PrefixWidth(line, mid) >= doc.x())
            high = mid;
        else
            low = mid + 1;
    }
    return Hit{line, low - 1};
}

template <typename Pick>
void CTabrelView::Picking(Pick pick)
{
    if (m_bPicking)
        return;  // a look-up is running: this double-click is ignored
    m_bPicking = true;
    QPointer<CTabrelView> self(this);
    pick();
    if (self)
        m_bPicking = false;
}

void CTabrelView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_host.SetActiveView(this);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDblClk(point);
    else
        CLinePane::mouseDoubleClickEvent(event);
}

void CTabrelView::OnLButtonDblClk(QPoint point)
{
    Picking([&] {
        if (GetProfileInt(profile::kOption, profile::kLeftAuto, profile::kDefaultLeftAuto) == 1)
            AutoLookUp(point);
        else
            ManualLookUp(point);
    });
}

void CTabrelView::OnRButtonDblClk(QPoint point)
{
    Picking([&] {
        if (GetProfileInt(profile::kOption, profile::kRightManual, profile::kDefaultRightManual) == 1)
            ManualLookUp(point);
        else
            AutoLookUp(point);
    });
}

namespace {
// After a look-up that ran: the beep, and the reason when it was abandoned.
void Finish(CTabrelDoc& doc, const PickOutcome& outcome)
{
    if (!outcome.lookedUp)
        return;
    doc.GetUi().Beep();
    if (outcome.status.outcome == LookUpOutcome::Abandoned)
        doc.GetUi().MessageBox(res::ErrorText(outcome.status.error));
}
}  // namespace

void CTabrelView::AutoLookUp(QPoint point)
{
    const auto hit = HitTest(point);
    if (!hit)
        return;
    const std::string word = ExtractWord(hit->line, hit->index);
    if (word.empty())
        return;
    // The document may lose its last window while events run during the look-up.
    CTabrelDoc& doc = GetDocument();
    const std::shared_ptr<CTabrelDoc> keepDoc = doc.weak_from_this().lock();
    const PickOutcome outcome = tabrel::AutoLookUp(doc, word, GetProfileString(profile::kIndex, profile::kDir, ""));
    Finish(doc, outcome);
}

void CTabrelView::ManualLookUp(QPoint point)
{
    const auto hit = HitTest(point);
    if (!hit)
        return;
    CTabrelDoc& doc = GetDocument();
    const std::shared_ptr<CTabrelDoc> keepDoc = doc.weak_from_this().lock();
    const QPointer<CTabrelView> self(this);
    const std::optional<QString> confirmed =
        m_host.Dialogs().AskManualWord(FromCp932(ExtractWord(hit->line, hit->index)), doc.GetUi());
    if (!confirmed || !self)
        return;
    const std::string text = ToCp932(*confirmed);
    if (text.empty())
        return;
    const PickOutcome outcome = tabrel::ManualLookUp(doc, text, GetProfileString(profile::kIndex, profile::kDir, ""));
    Finish(doc, outcome);
}

}  // namespace tabrel
