#pragma once
// Building an index directory from dictionary text files: the postings of
// each line are gathered per lower-cased word, then every index file is
// written as one balanced binary search tree in pre-order, and the FileID
// table as kplindex.ini.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "index/IndexFormat.h"

namespace tabrel {

inline constexpr std::uint8_t kHeadwordPostingType = 1;  ///< the line's headword
inline constexpr std::uint8_t kPhraseWordPostingType = 3;  ///< one word of a headword of several words
inline constexpr std::size_t kMaxDictionaryFiles = 32767;  ///< FileID is a signed 16-bit value
inline constexpr std::size_t kMaxDictionaryPathBytes = 259;  ///< what the reader takes of a FileID value
inline constexpr std::uint64_t kMaxDictionaryFileBytes = 0x7FFFFFFF;  ///< offsets are signed 32-bit

/// How lines are read.
struct IndexBuildOptions {
    /// Empty: a line that begins with ESC has the bytes up to the next ESC as
    /// its headword. Otherwise the headword is the bytes before the first
    /// occurrence of this text, and a line without it has none.
    std::string separator;
    /// Type of the postings of the other words of a line.
    std::uint8_t bodyType = kHiddenPostingType;
    /// Lower-cased words whose body postings are always hidden.
    std::unordered_set<std::string> stopWords;
};

/// Figures for the summary.
struct IndexBuildStats {
    std::size_t files = 0;
    std::uint64_t lines = 0;
    std::uint64_t headwords = 0;         ///< lines with a headword that was indexed
    std::uint64_t skippedHeadwords = 0;  ///< headwords of more than kMaxHeadwordBytes bytes
    std::uint64_t words = 0;             ///< tree nodes, over all index files
    std::uint64_t postings = 0;
    std::uint64_t bytesWritten = 0;
};

/// Gathers postings in memory and turns them into index file contents.
class CIndexBuilder {
public:
    /// Called for a headword that is too long: file id, line number, headword.
    using WarningSink = std::function<void(std::int16_t, std::uint32_t, std::string_view)>;

    explicit CIndexBuilder(IndexBuildOptions options = {});

    void SetWarningSink(WarningSink sink) { m_warn = std::move(sink); }

    /// How the lines added from now on are read, so that dictionaries of
    /// different layouts can share one index.
    void SetOptions(IndexBuildOptions options) { m_options = std::move(options); }

    /// Indexes every line of `text`, the whole content of dictionary file
    /// `fileId` (at most kMaxDictionaryFileBytes bytes). Lines end in LF or
    /// CR LF; a last line without a line end counts too. `progress`, when
    /// given, is called now and then with the bytes done so far.
    void AddDictionary(std::string_view text, std::int16_t fileId,
                       const std::function<void(std::size_t)>& progress = {});

    /// Indexes one line without its line end; `where` gives its offset,
    /// number and file, and its type is ignored.
    void AddLine(std::string_view line, const Posting& where);

    /// Index file contents by initial character ('a'-'z', '_', '#'); only
    /// initials that have words appear.
    std::map<char, std::string> Serialize() const;

    const IndexBuildStats& Stats() const { return m_stats; }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using PostingMap = std::unordered_map<std::string, std::vector<Posting>, Hash, std::equal_to<>>;

    /// Adds a posting of `type` under `word` unless the line already has one there.
    void Post(std::string_view word, const Posting& where, std::uint8_t type);
    void AddHeadword(std::string_view headword, const Posting& where);
    void AddBody(std::string_view body, const Posting& where);

    IndexBuildOptions m_options;
    PostingMap m_postings;
    IndexBuildStats m_stats;
    WarningSink m_warn;
    std::string m_buffer;  // zero-terminated copy for NextToken
};

/// What BuildIndexDirectory reports while it runs.
struct IndexBuildReport {
    /// A headword that is too long, with its file path and line number.
    std::function<void(const std::string& path, std::uint32_t line, std::string_view headword)> skippedHeadword;
    /// Bytes of dictionary file `fileIndex` read so far, of `total`.
    std::function<void(std::size_t fileIndex, std::uint64_t done, std::uint64_t total)> progress;
    /// Called before each step of publishing the new index (the generation
    /// folder, each index file, kplindex.ini, each link, the clean-up);
    /// returning false stops the build there, as a kill would, so tests can
    /// check what readers see at every step.
    std::function<bool(const std::string& step)> publishStep;
};

enum class IndexBuildStatus {
    Ok,
    BadInput,     ///< a dictionary file is missing, unreadable or too large, or its path unusable
    WriteFailed,  ///< the index directory or a file in it could not be written
};

struct IndexBuildResult {
    IndexBuildStatus status = IndexBuildStatus::Ok;
    std::string error;  ///< what went wrong, naming the file; empty on Ok
    IndexBuildStats stats;
};

/// One dictionary text file and how its lines are read.
struct DictionarySource {
    std::string path;
    IndexBuildOptions options;
};

/// Builds the index directory `dir` (created when missing) from `sources`,
/// FileID i being sources[i], each read with its own options: writes
/// kplindex.ini and the "$$TMP$$.<c>" index files, and then removes the
/// index files of other initials left there by an earlier build. Every
/// input is checked before anything is written, and the output goes to
/// temporary files that are renamed only once all of them are complete, so a
/// failure leaves the directory as it was.
IndexBuildResult BuildIndexDirectory(const std::string& dir, const std::vector<DictionarySource>& sources,
                                     const IndexBuildReport& report = {});

/// The same with one set of options for every file.
IndexBuildResult BuildIndexDirectory(const std::string& dir, const std::vector<std::string>& files,
                                     const IndexBuildOptions& options, const IndexBuildReport& report = {});

/// The content of kplindex.ini for dictionary files at these paths.
std::string IndexIniText(const std::vector<std::string>& paths);

}  // namespace tabrel
