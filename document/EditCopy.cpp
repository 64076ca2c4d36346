#include "document/EditCopy.h"

#include "index/ExStringList.h"
#include "res/Resources.h"

namespace tabrel {

const std::string_view kMsgCopyTooLarge = res::LoadString(res::IDS_COPY_TOO_LARGE);
const std::string_view kMsgCopyDone = res::LoadString(res::IDS_COPY_DONE);
const std::string_view kMsgCopyNoSelection = res::LoadString(res::IDS_COPY_NO_SELECTION);

namespace {
constexpr char kEsc = '\x1b';  // starts and ends a highlighted stretch
}  // namespace

CEditCopy::CEditCopy(const CExStringList& results)
{
    for (std::string_view line : results) {
        if (m_strText.size() + line.size() >= kCopyLimit) {
            m_bCut = true;
            return;
        }
        m_strText += line;
        ++m_nLines;
    }
}

std::string_view CEditCopy::GetNote() const
{
    return m_bCut ? kMsgCopyTooLarge : std::string_view();
}

std::string CEditCopy::GetBoxText() const
{
    std::string shown;
    shown.reserve(m_strText.size());
    for (std::size_t i = 0; i < m_strText.size(); ++i) {
        const char c = m_strText[i];
        if (c == kEsc)
            continue;
        if (c == '\r' && i + 1 < m_strText.size() && m_strText[i + 1] == '\n')
            continue;  // the LF that follows stands for the pair
        shown += c;
    }
    return shown;
}

std::string ToClipboardBytes(std::string_view boxText)
{
    std::string bytes;
    bytes.reserve(boxText.size() + boxText.size() / 8);
    for (std::size_t i = 0; i < boxText.size(); ++i) {
        if (boxText[i] == '\n' && (i == 0 || boxText[i - 1] != '\r'))
            bytes += '\r';
        bytes += boxText[i];
    }
    return bytes;
}

std::optional<std::string_view> CheckCopyPart(std::size_t start, std::size_t end)
{
    if (start == end)
        return kMsgCopyNoSelection;
    return std::nullopt;
}

}  // namespace tabrel
