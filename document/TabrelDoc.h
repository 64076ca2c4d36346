#pragma once
// The document behind a document window: the lines of the opened text file,
// the result lines of the last look-up, and the look-up state. Knows its
// views only as listeners; has no Qt.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "index/ExStringList.h"
#include "index/StringTreeIndex.h"
#include "platform/Error.h"

namespace tabrel {

class CIndexStream;
class CTabrelDoc;
class IEditCopyRunner;
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

/// How loading a text file into a document ended.
enum class TextLoadOutcome {
    Read,        ///< the file was read (a read error part-way was reported and the lines so far kept)
    CannotOpen,  ///< the file cannot be opened: nothing changed
    Busy,        ///< a load into this document was running: refused with a beep
};

/// Lets the user choose a text file with the Open command's filter,
/// starting in the profile's text directory. With a text directory the
/// current directory is put back afterwards; without one it becomes the
/// chosen file's folder, where the next chooser starts. Returns the chosen
/// file's absolute path, or nothing when the user cancels.
std::optional<std::string> ChooseTextFile(IUiServices& ui);

/// The document behind one or more document windows: the lines of the
/// opened text, the result lines of the look-ups and the look-up state.
/// Owns its lists by value; its views read them afresh at every paint.
/// Looking up and loading a text dispatch window messages as they run, so
/// the document keeps itself alive until they return, refuses a second
/// look-up meanwhile, and tells its state-changed handler when they end.
/// Callers hold it in a std::shared_ptr.
class CTabrelDoc : public std::enable_shared_from_this<CTabrelDoc> {
public:
    /// `ui` serves message boxes and the file chooser; it must outlive the
    /// document. Reads the index directory from the profile to find
    /// "kplindex.ini".
    explicit CTabrelDoc(IUiServices& ui);
    ~CTabrelDoc();
    CTabrelDoc(const CTabrelDoc&) = delete;
    CTabrelDoc& operator=(const CTabrelDoc&) = delete;

    // Title and save target. New documents are titled by whoever creates
    // them. The save target is set only by a save to a name the user chose:
    // a document opened from a text has none, so its text is never
    // written over by a Save.
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(std::string title) { m_strTitle = std::move(title); }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(std::string path) { m_strPathName = std::move(path); }
    /// The file the text lines were last loaded from; empty before any load.
    const std::string& GetTextPath() const { return m_strTextPath; }

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

    /// Lets the user choose a text file (ChooseTextFile) and loads it
    /// (LoadTextFile). Returns 1 when the user cancelled or the file was
    /// read, 0 when the chosen file cannot be opened (silently). The caller
    /// calls UpdateAllViews().
    int OpenTextFile();

    /// Replaces the text lines with the lines of `path`: at most 2047 bytes
    /// each, CR LF read as LF, each cut at its first zero byte, with one
    /// DispatchPendingMessage() per chunk read. A read error part-way is
    /// shown in a message box and the lines read so far stay. The caller
    /// calls UpdateAllViews().
    TextLoadOutcome LoadTextFile(const std::string& path);

    /// The Copy command: runs the clipboard transfer dialog through `runner`
    /// on the result lines that fit its box (CEditCopy), with this
    /// document's UI services. Does nothing without result lines. The
    /// document is not changed.
    void ShowCopyDialog(IEditCopyRunner& runner) const;

    /// Empties the result lines and fills them with the dictionary lines of
    /// `word` (already lower-cased) found through the index file `indexPath`,
    /// read `indexBufferSize` bytes at a time.
    LookUpStatus LookUpWord(const std::string& word, const std::string& indexPath,
                            std::size_t indexBufferSize = CIndexStream::kDefaultBufferSize);

    /// Appends the dictionary lines, found under `key`, that contain `phrase`
    /// as whole words. Works on its own copies of both, so a pick that stores
    /// another key and phrase meanwhile cannot change a running look-up.
    LookUpStatus LookUpPhrase(const std::string& key, const std::string& phrase, const std::string& indexPath,
                              std::size_t indexBufferSize = CIndexStream::kDefaultBufferSize);

    /// The user-interface services the document was made with.
    IUiServices& GetUi() const { return m_ui; }

    /// True while a look-up or a text load runs on this document. Such an
    /// operation dispatches window messages; a window that is asked to close
    /// meanwhile must wait until this is false.
    bool IsOperationRunning() const { return m_nRunning > 0; }

    /// `handler` is called whenever something that command states depend on
    /// may have changed: after every UpdateAllViews() and when the last
    /// running operation ends. It runs with the operation's callers still on
    /// the stack, so it must not destroy the document's windows at once
    /// (schedule that instead). An empty function removes it.
    void SetStateChangedHandler(std::function<void()> handler) { m_onStateChanged = std::move(handler); }

    /// Changes each time the text lines are replaced by a new load, so a pane
    /// can tell a new text (start at its first line) from more of the same.
    std::uint64_t GetTextSerial() const { return m_nTextSerial; }
    /// Changes each time a look-up starts; GetLookUpFirstLine() is the index
    /// of the first result line that look-up adds (0 for a single word,
    /// the earlier results' count for a phrase).
    std::uint64_t GetLookUpSerial() const { return m_nLookUpSerial; }
    std::size_t GetLookUpFirstLine() const { return m_nLookUpFirstLine; }

    // What the panes, the pick and the tools read.
    const CExStringList& GetResultList() const { return m_ResultList; }
    const CExStringList& GetTextList() const { return m_TextList; }
    /// Path of "kplindex.ini" in the index directory, or "" when that file
    /// cannot be opened; refreshed by every pick.
    const std::string& GetIndexIni() const { return m_strIndexIni; }
    void SetIndexIni(std::string path) { m_strIndexIni = std::move(path); }
    /// Key and phrase of the last phrase pick, as the pick stored them.
    const char* GetWord() const { return m_szWord; }
    const char* GetPhrase() const { return m_szPhrase; }
    /// Stores the key and phrase of a phrase pick (each cut to 199 bytes);
    /// refused (false) while a look-up runs, which works on its own copies.
    bool SetWordAndPhrase(std::string_view word, std::string_view phrase);
    /// True while a look-up runs: another one on this document is refused.
    bool IsBusy() const { return m_bBusy != 0; }
    /// Whether look-ups leave out postings of type 2 (always, here).
    bool HidesType2() const { return m_bHideType2 != 0; }

    /// Appends `line` as it stands to the text lines or the result lines,
    /// without telling the views: for tools and test fixtures that build a
    /// document's content without a file.
    void AppendTextLine(std::string_view line) { m_TextList.AddTail(line); }
    void AppendResultLine(std::string_view line) { m_ResultList.AddTail(line); }
    void ClearTextLines() { m_TextList.Clear(); }
    void ClearResultLines() { m_ResultList.Clear(); }

private:
    class OperationGuard;
    class BusyGuard;

    // Follows the postings of `key`, appending lines; with a phrase only the
    // lines holding it as whole words.
    void ReadEntries(const std::string& key, const std::string* phrase, CIndexStream& stream);
    void AddResultLine(std::string line);
    LookUpStatus FinishLookUp(CIndexStream& stream, const std::string& key, const std::string* phrase);

    // The document's state, in the order it declares it.
    CExStringList m_ResultList;
    CStringTreeIndex m_IndexTree;
    std::string m_strIndexIni;
    char m_szWord[200] = {};
    char m_szPhrase[200] = {};
    std::int32_t m_bHideType2 = 1;
    std::int32_t m_bBusy = 0;
    CExStringList m_TextList;

    IUiServices& m_ui;
    std::string m_strTitle;
    std::string m_strPathName;
    std::string m_strTextPath;
    std::vector<IDocView*> m_views;
    int m_nRunning = 0;
    bool m_bLoadingText = false;
    std::uint64_t m_nTextSerial = 0;
    std::uint64_t m_nLookUpSerial = 0;
    std::size_t m_nLookUpFirstLine = 0;
    std::function<void()> m_onStateChanged;
};

}  // namespace tabrel
