#include "document/TabrelDoc.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>

#include "document/EditCopy.h"
#include "text/CharClass.h"
#include "index/IndexFiles.h"
#include "index/IndexFormat.h"
#include "platform/AtomicFile.h"
#include "platform/MessagePump.h"
#include "platform/Profile.h"
#include "platform/TextFile.h"
#include "platform/UiServices.h"
#include "res/ErrorText.h"
#include "res/Resources.h"
#include "settings/ProfileKeys.h"

namespace tabrel {

const std::string_view kOpenTextFilter = res::LoadString(res::IDS_OPEN_TEXT_FILTER);
const std::string_view kMsgIndexVersion = res::LoadString(res::IDS_INDEX_VERSION);

namespace {
constexpr std::size_t kTextChunkBytes = 2047;   // one read of a text file
constexpr std::size_t kEntryLineBytes = 7998;   // longest dictionary line read
}  // namespace

// Marks an operation that dispatches messages, and keeps the document alive
// until it returns even if its last window lets go of it meanwhile. Declared
// first in an operation, so it is the last thing destroyed.
class CTabrelDoc::OperationGuard {
public:
    explicit OperationGuard(CTabrelDoc& doc) : m_doc(doc), m_keepAlive(doc.weak_from_this().lock()) { ++doc.m_nRunning; }
    ~OperationGuard()
    {
        if (--m_doc.m_nRunning == 0 && m_doc.m_onStateChanged)
            m_doc.m_onStateChanged();  // a close held back for this operation may now go ahead
    }
    OperationGuard(const OperationGuard&) = delete;
    OperationGuard& operator=(const OperationGuard&) = delete;

private:
    CTabrelDoc& m_doc;
    std::shared_ptr<CTabrelDoc> m_keepAlive;
};

// Sets m_bBusy and clears it on every way out.
class CTabrelDoc::BusyGuard {
public:
    explicit BusyGuard(CTabrelDoc& doc) : m_doc(doc) { m_doc.m_bBusy = 1; }
    ~BusyGuard() { m_doc.m_bBusy = 0; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    CTabrelDoc& m_doc;
};

CTabrelDoc::CTabrelDoc(IUiServices& ui) : m_ui(ui)
{
    m_bHideType2 = 1;
    m_bBusy = 0;
    m_strIndexIni = GetIndexIniPath(GetProfileString(profile::kIndex, profile::kDir, ""));
}

CTabrelDoc::~CTabrelDoc() = default;

bool CTabrelDoc::SetWordAndPhrase(std::string_view word, std::string_view phrase)
{
    if (m_bBusy)
        return false;
    // Copied before either buffer is written: a caller may pass the current ones.
    const std::string w(word.substr(0, std::min(word.size(), sizeof m_szWord - 1)));
    const std::string p(phrase.substr(0, std::min(phrase.size(), sizeof m_szPhrase - 1)));
    std::memcpy(m_szWord, w.c_str(), w.size() + 1);
    std::memcpy(m_szPhrase, p.c_str(), p.size() + 1);
    return true;
}

void CTabrelDoc::AddView(IDocView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CTabrelDoc::RemoveView(IDocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CTabrelDoc::UpdateAllViews()
{
    // A view may go away while another one repaints: call only those still registered.
    const std::vector<IDocView*> views = m_views;
    for (IDocView* view : views) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(*this);
    }
    if (m_onStateChanged)
        m_onStateChanged();
}

std::string CTabrelDoc::SerializeResults() const
{
    std::string out;
    for (std::string_view line : m_ResultList) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool CTabrelDoc::SaveResults(const std::string& path) const
{
    return WriteFileAtomically(path, SerializeResults());
}

std::optional<std::string> ChooseTextFile(IUiServices& ui)
{
    namespace fs = std::filesystem;

    // The chooser starts in the text directory; the current directory is put
    // back afterwards, whatever happens.
    struct RestoreDir {
        std::optional<fs::path> saved;
        ~RestoreDir()
        {
            std::error_code ec;
            if (saved)
                fs::current_path(*saved, ec);
        }
    } restore;
    const std::string textDir = GetProfileString(profile::kOption, profile::kTextDir, "");
    if (!textDir.empty()) {
        std::error_code ec;
        restore.saved = fs::current_path(ec);
        if (ec)
            restore.saved.reset();
        fs::current_path(textDir, ec);  // a failure leaves the chooser where it is
    }

    const std::optional<std::string> chosen = ui.ChooseFileToOpen(kOpenTextFilter);
    if (!chosen)
        return std::nullopt;
    std::error_code ec;
    const fs::path full = fs::absolute(*chosen, ec);
    if (ec)
        return *chosen;  // left as typed: opening it decides
    // As a file chooser does, the chosen file's folder becomes the current directory.
    fs::current_path(full.parent_path(), ec);
    return full.string();
}

void CTabrelDoc::ShowCopyDialog(IEditCopyRunner& runner) const
{
    if (m_ResultList.IsEmpty())
        return;  // the command is disabled then; never an empty dialog
    // The dialog works on its own copy of the lines, and the document is not
    // touched again once it runs, so nothing needs to hold the document while
    // the dialog waits for the user.
    const CEditCopy copy(m_ResultList);
    runner.RunEditCopy(copy, m_ui);
}

int CTabrelDoc::OpenTextFile()
{
    OperationGuard guard(*this);
    if (m_bLoadingText) {
        m_ui.Beep();  // a load into this document is already running: no chooser
        return 1;
    }
    const std::optional<std::string> chosen = ChooseTextFile(m_ui);
    if (!chosen)
        return 1;
    return LoadTextFile(*chosen) == TextLoadOutcome::CannotOpen ? 0 : 1;
}

TextLoadOutcome CTabrelDoc::LoadTextFile(const std::string& path)
{
    OperationGuard guard(*this);
    if (m_bLoadingText) {
        m_ui.Beep();  // a load into this document is already running
        return TextLoadOutcome::Busy;
    }
    CTextFile file;
    if (!file.Open(path))
        return TextLoadOutcome::CannotOpen;

    m_bLoadingText = true;
    m_TextList.Clear();
    m_strTextPath = path;
    ++m_nTextSerial;
    Error error;
    try {
        std::string chunk;
        while (file.ReadString(chunk, kTextChunkBytes)) {
            DispatchPendingMessage();
            if (chunk.back() == '\n')
                chunk.pop_back();
            chunk.resize(std::strlen(chunk.c_str()));  // the stored line ends at a zero byte
            m_TextList.AddTail(chunk);
        }
    } catch (const CFileReadError& e) {
        error = e.GetError();
    } catch (const std::bad_alloc&) {
        error = {ErrorCode::TextTooLarge, path};  // more text than memory: keep what fitted
    }
    m_bLoadingText = false;
    // A views update during the load cached the longest line of part of the
    // text: measure the whole list again.
    m_TextList.ComputeMaxLength();
    if (error)
        m_ui.MessageBox(res::ErrorText(error));  // the lines read so far stay
    return TextLoadOutcome::Read;
}

void CTabrelDoc::AddResultLine(std::string line)
{
    line.resize(std::strlen(line.c_str()));  // the line as a string: up to a zero byte
    // A line cut at the length limit, or the last line of a file without a
    // line end, keeps all its bytes.
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    line += "\r\n";
    m_ResultList.AddTail(std::move(line));
}

namespace {
// Whether `phrase` occurs in `line` with a change of character class at both ends.
bool HoldsDelimitedPhrase(const char* line, const char* phrase)
{
    const std::size_t len = std::strlen(phrase);
    if (len == 0)
        return false;
    for (const char* p = std::strstr(line, phrase); p; p = std::strstr(p + 1, phrase)) {
        if (IsDelimitedMatch(line, static_cast<int>(p - line), static_cast<int>(len)))
            return true;
    }
    return false;
}
}  // namespace

void CTabrelDoc::ReadEntries(const std::string& key, const std::string* phrase, CIndexStream& stream)
{
    if (!m_IndexTree.FindHeadword(key.c_str(), stream)) {
        UpdateAllViews();
        return;
    }
    // The dictionary files are named by the description file chosen when the
    // look-up started, or without one by the application profile.
    const CFileIdTable fileIds =
        CFileIdTable::Read(m_strIndexIni.empty() ? GetApplicationProfilePath() : m_strIndexIni);
    CTextFile dictionary;
    std::string line;
    int currentFileId = -1;
    for (std::int32_t offset = stream.ReadI32(); offset >= 0; offset = stream.ReadI32()) {
        DispatchPendingMessage();
        stream.ReadU32();  // line number: for reference only
        const std::int16_t fileId = stream.ReadI16();
        const std::uint8_t type = stream.ReadU8();
        // A negative file number is outside the format: the postings end here.
        if (fileId < 0)
            return;
        if (fileId != currentFileId) {
            dictionary.Close();
            UpdateAllViews();  // show what was gathered before the next file is read
            const std::string name = fileIds.GetFileName(fileId);
            if (name.empty() || !dictionary.Open(name))
                return;
            currentFileId = fileId;
        }
        // A hidden posting adds nothing: its line need not even be read.
        if (m_bHideType2 && type == kHiddenPostingType)
            continue;
        dictionary.Seek(offset);
        if (dictionary.ReadString(line, kEntryLineBytes)) {
            if (!phrase || HoldsDelimitedPhrase(line.c_str(), phrase->c_str()))
                AddResultLine(line);
        }
    }
    dictionary.Close();
    UpdateAllViews();
}

LookUpStatus CTabrelDoc::FinishLookUp(CIndexStream& stream, const std::string& key, const std::string* phrase)
{
    LookUpStatus status;
    try {
        ReadEntries(key, phrase, stream);
    } catch (const CCoreError& e) {  // an index or dictionary file that cannot be read to the end
        status.outcome = LookUpOutcome::Abandoned;
        status.error = e.GetError();
    }
    m_ResultList.ComputeMaxLength();
    UpdateAllViews();
    return status;
}

LookUpStatus CTabrelDoc::LookUpWord(const std::string& word, const std::string& indexPath,
                                    std::size_t indexBufferSize)
{
    OperationGuard guard(*this);
    if (m_bBusy)
        return {LookUpOutcome::Busy, {}};
    m_ResultList.Clear();
    BusyGuard busy(*this);
    ++m_nLookUpSerial;
    m_nLookUpFirstLine = 0;

    IndexOpenResult index = OpenIndexFile(indexPath, indexBufferSize);
    if (index.status != IndexOpenStatus::Ok) {
        UpdateAllViews();  // the old results are gone: no pane may keep showing them
        return {index.status == IndexOpenStatus::WrongVersion ? LookUpOutcome::WrongVersion : LookUpOutcome::NoIndex,
                {}};
    }
    const std::string key = word;  // the caller's string may change while messages are dispatched
    return FinishLookUp(*index.stream, key, nullptr);
}

LookUpStatus CTabrelDoc::LookUpPhrase(const std::string& key, const std::string& phrase, const std::string& indexPath,
                                      std::size_t indexBufferSize)
{
    OperationGuard guard(*this);
    // The scan state is the document's: never run beside a single-word look-up.
    if (m_bBusy)
        return {LookUpOutcome::Busy, {}};
    BusyGuard busy(*this);
    ++m_nLookUpSerial;
    m_nLookUpFirstLine = m_ResultList.GetCount();

    IndexOpenResult index = OpenIndexFile(indexPath, indexBufferSize);
    if (index.status == IndexOpenStatus::CannotOpen)
        return {LookUpOutcome::NoIndex, {}};
    if (index.status == IndexOpenStatus::WrongVersion) {
        m_ui.MessageBox(kMsgIndexVersion);
        return {LookUpOutcome::WrongVersion, {}};
    }
    const std::string ownKey = key;
    const std::string ownPhrase = phrase;
    return FinishLookUp(*index.stream, ownKey, &ownPhrase);
}

}  // namespace tabrel
