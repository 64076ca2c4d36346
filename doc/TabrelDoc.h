#pragma once
// The document behind a document window: the lines of the opened text file,
// the result lines of the last look-up, and the look-up state. Knows its
// views only as listeners; has no Qt.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "index/ExStringList.h"
#include "index/StringTreeIndex.h"
#include "platform/Error.h"

namespace tabrel {

class CIndexStream;
class CTabrelDoc;
class IUiServices;

/// A window pane showing a document. UpdateAllViews() calls OnUpdate() on
/// each registered view, which recomputes its scroll extent and repaints.
class IDocView {
public:
    virtual ~IDocView() = default;
    virtual void OnUpdate(CTabrelDoc& doc) = 0;
};

/// How a look-up ended.
enum class LookUpOutcome {
    Done,          ///< ran to the end (also when the key or a dictionary file was missing)
    Busy,          ///< another look-up on this document was running: nothing done
    NoIndex,       ///< the index file cannot be opened
    WrongVersion,  ///< the index file is not of version 4
    Abandoned,     ///< an index or dictionary file could not be read to the end
};

struct LookUpStatus {
    LookUpOutcome outcome = LookUpOutcome::Done;
    Error error;  ///< what went wrong when Abandoned
};

/// The file chooser's filter of the Open command (from the string table).
extern const std::string_view kOpenTextFilter;
/// Shown when the phrase look-up meets an index file of another version.
extern const std::string_view kMsgIndexVersion;

class CTabrelDoc : public std::enable_shared_from_this<CTabrelDoc> {
public:
    /// `ui` serves message boxes and the file chooser; it must outlive the
    /// document. Reads the index directory from the profile to find
    /// "kplindex.ini".
    explicit CTabrelDoc(IUiServices& ui);
    ~CTabrelDoc();
    CTabrelDoc(const CTabrelDoc&) = delete;
    CTabrelDoc& operator=(const CTabrelDoc&) = delete;

    // Title and path, as the windows show them. New documents are titled
    // by whoever creates them; the path is set by an open or a save.
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(std::string title) { m_strTitle = std::move(title); }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(std::string path) { m_strPathName = std::move(path); }

    // Views.
    void AddView(IDocView* view);
    void RemoveView(IDocView* view);
    const std::vector<IDocView*>& GetViews() const { return m_views; }
    /// Calls every registered view, including views added or removed by a
    /// view while this runs only from the next call on.
    void UpdateAllViews();

    // Saving.
    /// The bytes Save writes: each result line followed by "\r\n".
    std::string SerializeResults() const;
    /// Writes the results to `path` through a temporary file and a rename;
    /// on failure the old file stays as it was and false is returned.
    bool SaveResults(const std::string& path) const;

    // Command states.
    bool CanCopy() const { return !m_ResultList.IsEmpty(); }
    bool CanOutputTextFile(bool textPaneActive) const { return textPaneActive && !m_TextList.IsEmpty(); }

    /// Lets the user choose a text file, starting in the profile's text
    /// directory, and replaces the text lines with its lines (at most 2047
    /// bytes each, CR LF read as LF, each cut at its first zero byte).
    /// Returns 1 when the user cancelled or the file was read, 0 when the
    /// chosen file cannot be opened. The caller calls UpdateAllViews().
    int OpenTextFile();

    /// Empties the result lines and fills them with the dictionary lines of
    /// `word` (already lower-cased) found through the index file `indexPath`,
    /// read `indexBufferSize` bytes at a time.
    LookUpStatus LookUpWord(const std::string& word, const std::string& indexPath,
                            std::size_t indexBufferSize = CIndexStream::kDefaultBufferSize);

    /// Appends the dictionary lines, found under `key`, that contain `phrase`
    /// as whole words. Works on its own copies of both, so a pick that fills
    /// m_szWord and m_szPhrase meanwhile cannot change a running look-up.
    LookUpStatus LookUpPhrase(const std::string& key, const std::string& phrase, const std::string& indexPath,
                              std::size_t indexBufferSize = CIndexStream::kDefaultBufferSize);

    /// The user-interface services the document was made with.
    IUiServices& GetUi() const { return m_ui; }

    /// True while a look-up or a text load runs on this document. Such an
    /// operation dispatches window messages; a window that is asked to close
    /// meanwhile must wait until this is false.
    bool IsOperationRunning() const { return m_nRunning > 0; }

    /// Changes each time the text lines are replaced by a new load, so a pane
    /// can tell a new text (start at its first line) from more of the same.
    std::uint64_t GetTextSerial() const { return m_nTextSerial; }
    /// Changes each time a look-up starts; GetLookUpFirstLine() is the index
    /// of the first result line that look-up adds (0 for a single word,
    /// the earlier results' count for a phrase).
    std::uint64_t GetLookUpSerial() const { return m_nLookUpSerial; }
    std::size_t GetLookUpFirstLine() const { return m_nLookUpFirstLine; }

    // Members in the order the document declares them.
    CExStringList m_ResultList;
    CStringTreeIndex m_IndexTree;
    std::string m_strIndexIni;
    char m_szWord[200] = {};
    char m_szPhrase[200] = {};
    std::int32_t m_bHideType2 = 1;
    std::int32_t m_bBusy = 0;
    CExStringList m_TextList;

private:
    class OperationGuard;
    class BusyGuard;

    // Follows the postings of `key`, appending lines; with a phrase only the
    // lines holding it as whole words.
    void ReadEntries(const std::string& key, const std::string* phrase, CIndexStream& stream);
    void AddResultLine(std::string line);
    LookUpStatus FinishLookUp(CIndexStream& stream, const std::string& key, const std::string* phrase);

    IUiServices& m_ui;
    std::string m_strTitle;
    std::string m_strPathName;
    std::vector<IDocView*> m_views;
    int m_nRunning = 0;
    bool m_bLoadingText = false;
    std::uint64_t m_nTextSerial = 0;
    std::uint64_t m_nLookUpSerial = 0;
    std::size_t m_nLookUpFirstLine = 0;
};

}  // namespace tabrel
