#pragma once
// Ordered list of code page 932 byte strings that caches the length of its
// longest string, for the panes' horizontal scroll extent.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tabrel {

/// The text lines and the result lines of a document. The bytes of the
/// lines are packed into large blocks and each line is a view into them, so
/// a text of many short lines costs little more than its size, and a pane
/// reaches line k directly when it paints.
class CExStringList {
public:
    using const_iterator = std::vector<std::string_view>::const_iterator;

    CExStringList() = default;
    CExStringList(CExStringList&&) noexcept = default;
    CExStringList& operator=(CExStringList&&) noexcept = default;
    CExStringList(const CExStringList&) = delete;
    CExStringList& operator=(const CExStringList&) = delete;

    /// Removes every string, forgets the cached maximum and gives unused heap
    /// memory back to the operating system.
    void Clear();

    /// Cached length of the longest string; computes it when not yet known.
    /// An empty list reports -1.
    std::int32_t GetMaxLength() const;

    /// Raises the cached maximum to the longest string's length and returns it.
    /// Starts from the cached value and never lowers it.
    std::int32_t ComputeMaxLength();

    /// Appends a copy of `line`. Does not touch the cached maximum.
    void AddTail(std::string_view line);

    std::size_t GetCount() const { return m_lines.size(); }
    bool IsEmpty() const { return m_lines.empty(); }

    /// Line `index` (0-based); `index` must be below GetCount(). The view
    /// stays valid until Clear or destruction.
    std::string_view GetAt(std::size_t index) const { return m_lines[index]; }

    const_iterator begin() const { return m_lines.begin(); }
    const_iterator end() const { return m_lines.end(); }

private:
    // Room for `bytes` more bytes in the current block.
    char* Reserve(std::size_t bytes);

    std::vector<std::string_view> m_lines;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockSize = 0;  // size of the current (last) block
    std::size_t m_blockUsed = 0;  // bytes used in it
    mutable std::int32_t m_nMaxLength = -1;  // a cache: filled by const readers too
};

}  // namespace tabrel
