#pragma once
// The directory chooser's state: the selected directory, the places a user
// starts from (shown as "[-name-]"), the selected directory's subfolders
// ("[..]" and "[name]") and its files, and the navigation by double-clicks.
// Paths and names are bytes in the file system's encoding and are never
// changed in case or length; the selected directory always ends in "/", as
// the index directory is joined to file names as it stands. The process's
// current directory is read, never changed.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel {

/// A place to start from: a folder and the name the chooser shows for it.
struct CSelDirPlace {
    std::string path;  ///< the folder, ending in "/"
    std::string name;  ///< readable name, file-system bytes
};

class CSelDirModel {
public:
    /// The places of the "drive" list: the root "/", the home folder
    /// `home` (left out when empty or "/"), then each of `volumes` that is a
    /// folder and not yet listed, by path. Paths are given "/" at the end.
    static std::vector<CSelDirPlace> MakePlaces(std::string_view home, std::vector<CSelDirPlace> volumes);

    explicit CSelDirModel(std::vector<CSelDirPlace> places) : m_places(std::move(places)) {}

    /// Opens on `start`: the current directory when it is empty; a relative
    /// path is taken from the current directory; "." and ".." are resolved
    /// in the text and "/" is appended. A start that cannot be listed (absent,
    /// no folder, unreadable) is replaced by the current directory; when that
    /// cannot be listed either, the selection is empty and so are the lists.
    void Open(std::string_view start);

    /// The selected directory: empty, or an absolute path ending in "/".
    const std::string& GetDir() const { return m_strDir; }

    const std::vector<CSelDirPlace>& Places() const { return m_places; }
    /// Place `i` as the list shows it: "[-" name "-]".
    std::string PlaceEntry(std::size_t i) const;

    /// The directory list: "[..]" except at "/" and whenever the selection
    /// is empty, then "[name]" for each subfolder (a link to a folder is a
    /// folder), sorted by bytes.
    const std::vector<std::string>& DirEntries() const { return m_dirEntries; }
    /// The names of the selected directory's files, sorted by bytes, for
    /// reference.
    const std::vector<std::string>& FileEntries() const { return m_fileEntries; }
    /// Whether the selected directory could be read when it was listed.
    bool IsListed() const { return m_bListed; }

    /// Double-click on row `row` of the directory list: "[..]" selects the
    /// parent, "[name]" the subfolder; the lists are filled again. False
    /// (nothing changes) when there is no such row.
    bool OpenDirEntry(std::size_t row);
    /// Double-click on place `i`: selects its folder and fills the lists
    /// again. False when there is no such place.
    bool OpenPlace(std::size_t i);

private:
    /// Selects `dir` (absolute, ending in "/") and lists it; false when it
    /// cannot be read.
    bool Select(std::string dir);

    std::vector<CSelDirPlace> m_places;
    std::string m_strDir;
    std::vector<std::string> m_dirNames;  // parallel to m_dirEntries; ".." for the parent
    std::vector<std::string> m_dirEntries;
    std::vector<std::string> m_fileEntries;
    bool m_bListed = false;
};

/// `path` made absolute from the current directory, with "." and ".."
/// resolved in the text and a "/" at the end; empty stays empty.
std::string NormalizeDirPath(std::string_view path);

/// The process's current directory ending in "/"; empty when it cannot be read.
std::string CurrentDirWithSlash();

}  // namespace tabrel
