#pragma once
// The clipboard transfer dialog's rules: which result lines the dialog's box
// takes (whole lines, fewer than 32767 bytes in all), the note shown when a
// line was left out, how the box shows the lines, the bytes the clipboard
// gets, and the dialog's messages.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tabrel {

class CExStringList;
class IUiServices;

/// The box takes lines while its total stays below this many bytes.
inline constexpr std::size_t kCopyLimit = 32767;

/// Texts of the dialog (UTF-8, from the string table).
extern const std::string_view kMsgCopyTooLarge;     ///< the note: a line was left out
extern const std::string_view kMsgCopyDone;         ///< after either copy
extern const std::string_view kMsgCopyNoSelection;  ///< copy part with nothing selected

/// What the clipboard transfer dialog starts from. Built from the result
/// lines when the dialog opens; a copy, so nothing the dialog does reaches
/// the document.
class CEditCopy {
public:
    /// Walks `results` from the head, appending each line unchanged (its own
    /// CR LF separates it from the next), and stops at the first line that
    /// would bring the total to kCopyLimit bytes or more.
    explicit CEditCopy(const CExStringList& results);

    /// The lines taken, as stored: highlight markers and line ends included.
    const std::string& GetText() const { return m_strText; }
    /// How many whole lines were taken.
    std::size_t GetLineCount() const { return m_nLines; }
    /// Whether a line was left out.
    bool IsCut() const { return m_bCut; }
    /// The note beside the box: kMsgCopyTooLarge when a line was left out,
    /// otherwise empty.
    std::string_view GetNote() const;

    /// The taken lines as the box shows them (code page 932 bytes): without
    /// the ESC bytes that mark the highlighted stretches, and each CR LF as
    /// one LF, the edit box's own line end.
    std::string GetBoxText() const;

private:
    std::string m_strText;
    std::size_t m_nLines = 0;
    bool m_bCut = false;
};

/// A box text (code page 932 bytes, LF line ends) as the clipboard carries
/// its code page 932 form: every LF not already after a CR becomes CR LF.
std::string ToClipboardBytes(std::string_view boxText);

/// Checks copy part on the selection [start, end) of the box: nothing
/// selected is refused. Returns the message to show, or nothing when the
/// selection may be copied.
std::optional<std::string_view> CheckCopyPart(std::size_t start, std::size_t end);

/// Runs the clipboard transfer dialog over `copy`, its messages and beep
/// going through `ui`. The front end shows its dialog; tools and tests may
/// stand in for it.
class IEditCopyRunner {
public:
    virtual ~IEditCopyRunner() = default;
    virtual void RunEditCopy(const CEditCopy& copy, IUiServices& ui) = 0;
};

}  // namespace tabrel
