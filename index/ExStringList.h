#pragma once
// Ordered list of code page 932 byte strings that caches the length of its
// longest string, for the panes' horizontal scroll extent.

#include <cstdint>
#include <string>
#include <vector>

namespace tabrel {

/// The text lines and the result lines of a document. Backed by a vector so
/// a pane reaches line k directly when it paints.
class CExStringList {
public:
    using const_iterator = std::vector<std::string>::const_iterator;

    CExStringList() = default;

    /// Removes every string, forgets the cached maximum and gives unused heap
    /// memory back to the operating system.
    void Clear();

    /// Cached length of the longest string; computes it when not yet known.
    /// An empty list reports -1.
    std::int32_t GetMaxLength();

    /// Raises the cached maximum to the longest string's length and returns it.
    /// Starts from the cached value and never lowers it.
    std::int32_t ComputeMaxLength();

    /// Appends a copy of `line`. Does not touch the cached maximum.
    void AddTail(std::string line);

    std::size_t GetCount() const { return m_lines.size(); }
    bool IsEmpty() const { return m_lines.empty(); }

    /// Line `index` (0-based); `index` must be below GetCount().
    const std::string& GetAt(std::size_t index) const { return m_lines[index]; }

    const_iterator begin() const { return m_lines.begin(); }
    const_iterator end() const { return m_lines.end(); }

private:
    std::vector<std::string> m_lines;
    std::int32_t m_nMaxLength = -1;
};

}  // namespace tabrel
