#pragma once
// Naming and opening the files of an index directory: the index file of a
// word's initial character, the index description file "kplindex.ini", and
// the dictionary text file of a FileID. Paths are joined by plain
// concatenation: the index directory is expected to end in a separator.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "index/IndexStream.h"

namespace tabrel {

inline constexpr char kIndexIniName[] = "kplindex.ini";
inline constexpr char kIndexFilePrefix[] = "$$TMP$$.";

/// dir + "$$TMP$$." + the initial character of `word`, chosen from its first
/// byte before any change of case: a digit gives '_', an ASCII letter
/// itself, any other byte '#'. Nothing for an empty word or one that begins
/// with a double-byte lead byte: such a word is not looked up.
std::optional<std::string> GetIndexFilePath(std::string_view dir, std::string_view word);

/// dir + "kplindex.ini" when that file can be opened for reading, else "".
std::string GetIndexIniPath(std::string_view dir);

/// Path of the dictionary text file numbered `fileId`: from section "FileID"
/// of `indexIni` when that is not empty, else of the application profile.
/// Empty when there is no such file.
std::string GetDictionaryFileName(const std::string& indexIni, int fileId);

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
