#pragma once
// The list of the most recently opened documents, kept in the profile's
// section "Recent File List" under the keys File1, File2, ...

#include <string>
#include <vector>

namespace tabrel {

class CRecentFileList {
public:
    explicit CRecentFileList(int size) : m_nSize(size) {}

    /// Reads File1..FileN from the profile; empty values are skipped.
    void ReadList();
    /// Writes File1..FileN, an empty value for each free place.
    void WriteList() const;

    /// Puts `path` first, removing an equal entry and the oldest beyond the size.
    void Add(const std::string& path);
    /// Removes entry `index` (a file that could not be opened).
    void Remove(std::size_t index);

    const std::vector<std::string>& Entries() const { return m_entries; }

    /// The entry as a menu shows it: whole when it fits in `maxChars`
    /// characters (UTF-8 paths, counted in characters), else the first folder,
    /// "...", and as many of the last parts as fit; at least the file name.
    static std::string ShortName(const std::string& path, std::size_t maxChars = 30);

private:
    int m_nSize;
    std::vector<std::string> m_entries;
};

}  // namespace tabrel
