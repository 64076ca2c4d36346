#include "settings/RecentFileList.h"

#include <algorithm>

#include "platform/Profile.h"

namespace tabrel {
namespace {
constexpr char kSection[] = "Recent File List";

std::string Key(int i)
{
    return "File" + std::to_string(i + 1);
}

// Characters of a UTF-8 string: bytes that do not continue a sequence.
std::size_t CharCount(const std::string& s)
{
    return static_cast<std::size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}
}  // namespace

void CRecentFileList::ReadList()
{
    m_entries.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const std::string path = GetProfileString(kSection, Key(i), "");
        if (!path.empty())
            m_entries.push_back(path);
    }
}

void CRecentFileList::WriteList() const
{
    for (int i = 0; i < m_nSize; ++i) {
        const auto index = static_cast<std::size_t>(i);
        WriteProfileString(kSection, Key(i), index < m_entries.size() ? m_entries[index] : std::string());
    }
}

void CRecentFileList::Add(const std::string& path)
{
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > static_cast<std::size_t>(m_nSize))
        m_entries.resize(static_cast<std::size_t>(m_nSize));
}

void CRecentFileList::Remove(std::size_t index)
{
    if (index < m_entries.size())
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string CRecentFileList::ShortName(const std::string& path, std::size_t maxChars)
{
    if (CharCount(path) <= maxChars)
        return path;
    const std::size_t lastSlash = path.rfind('/');
    if (lastSlash == std::string::npos)
        return path;
    // "/first/.../last parts": keep the first folder when there is one.
    const std::size_t firstEnd = path.find('/', 1);
    const std::string head = (firstEnd != std::string::npos && firstEnd < lastSlash) ? path.substr(0, firstEnd + 1) : "";
    std::string tail = path.substr(lastSlash);  // "/name"
    for (std::size_t cut = lastSlash; cut != std::string::npos && cut > 0;) {
        const std::size_t prev = path.rfind('/', cut - 1);
        if (prev == std::string::npos || prev < head.size())
            break;
        const std::string longer = path.substr(prev);
        if (CharCount(head) + 3 + CharCount(longer) > maxChars)
            break;
        tail = longer;
        cut = prev;
    }
    const std::string shortened = head + "..." + tail;
    return CharCount(shortened) <= maxChars ? shortened : path.substr(lastSlash + 1);
}

}  // namespace tabrel
