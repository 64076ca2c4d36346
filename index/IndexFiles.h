#pragma once
// Naming and opening the files of an index directory: the index file of a
// word's initial character, the index description file "kplindex.ini", and
// the dictionary text file of a FileID. Paths are joined by plain
// concatenation: the index directory is expected to end in a separator.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "index/IndexStream.h"

namespace tabrel {

inline constexpr char kIndexIniName[] = "kplindex.ini";
inline constexpr char kIndexFilePrefix[] = "$$TMP$$.";
// The generation of the index files a build published: a section of
// kplindex.ini naming a folder in the index directory that holds them.
inline constexpr char kIndexSection[] = "Index";
inline constexpr char kGenerationKey[] = "Generation";
inline constexpr char kGenerationPrefix[] = ".tabrel-gen-";

/// dir + "$$TMP$$." + the initial character of `word`, chosen from its first
/// byte before any change of case: a digit gives '_', an ASCII letter
/// itself, any other byte '#'. Nothing for an empty word or one that begins
/// with a double-byte lead byte: such a word is not looked up.
std::optional<std::string> GetIndexFilePath(std::string_view dir, std::string_view word,
                                            std::string_view generation = {});

/// The generation folder ("name/") that the description file `indexIni`
/// names, when it is one of ours and exists in `dir`; "" otherwise, and the
/// index files are then read from `dir` itself.
std::string GetIndexGeneration(std::string_view dir, const std::string& indexIni);

/// dir + "kplindex.ini" when that file can be opened for reading, else "".
std::string GetIndexIniPath(std::string_view dir);

inline constexpr char kFileIdSection[] = "FileID";

/// The table that names the dictionary text file of each FileID: section
/// "FileID" of an initialization file, read once, so a look-up whose
/// postings change file often does not parse the file again each time.
class CFileIdTable {
public:
    /// Reads section "FileID" of the initialization file `path`; an absent
    /// or unreadable file gives an empty table.
    static CFileIdTable Read(const std::string& path);

    /// Path of the dictionary text file numbered `fileId`; empty when the
    /// table has none.
    std::string GetFileName(int fileId) const;

private:
    std::unordered_map<std::string, std::string> m_files;  // key as written, lower-cased
};

enum class IndexOpenStatus { Ok, CannotOpen, WrongVersion };

struct IndexOpenResult {
    IndexOpenStatus status = IndexOpenStatus::CannotOpen;
    std::unique_ptr<CIndexStream> stream;  ///< at the root node when status is Ok
};

/// Opens an index file and checks its version byte. When no file of that
/// name exists and the name ends in a letter, the same name with the letter
/// in the other case is tried, so either spelling of an index directory
/// serves on a file system that distinguishes case.
IndexOpenResult OpenIndexFile(const std::string& path,
                              std::size_t bufferSize = CIndexStream::kDefaultBufferSize);

}  // namespace tabrel
