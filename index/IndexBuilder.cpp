#include "index/IndexBuilder.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <span>
#include <system_error>

#include "index/IndexFiles.h"
#include "text/CharClass.h"
#include "text/Cp932Text.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

namespace tabrel {
namespace fs = std::filesystem;

namespace {

constexpr char kEsc = '\x1b';
constexpr std::size_t kProgressStep = 4u << 20;

bool IsControl(unsigned char b)
{
    return b < 0x20;
}

std::string_view TrimSpace(std::string_view s)
{
    while (!s.empty() && IsPickSpace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && IsPickSpace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

// The tokenizer needs a writable zero-terminated copy. Control bytes (ESC
// highlight markers, a stray NUL) become blanks so they split words instead
// of joining them or cutting the line short; a second byte of a double-byte
// character is never below 0x40, so none is touched.
void PrepareForTokens(std::string& buffer, std::string_view lowered)
{
    buffer.assign(lowered);
    for (char& c : buffer) {
        if (IsControl(static_cast<unsigned char>(c)))
            c = ' ';
    }
}

char InitialOf(std::string_view word)
{
    return GetIndexFilePath({}, word).value().back();
}

using Entry = std::pair<const std::string, std::vector<Posting>>;

// Middle element as the root, lower half before, upper half after: the
// depth stays at log2(n), and so does this recursion.
void AppendTree(std::string& out, std::span<const Entry* const> items)
{
    const std::size_t mid = items.size() / 2;
    AppendNodeHead(out, items[mid]->first, items[mid]->second);
    const auto before = items.first(mid);
    const auto after = items.subspan(mid + 1);
    AppendU8(out, before.empty() ? 0 : 1);
    if (!before.empty())
        AppendTree(out, before);
    AppendU8(out, after.empty() ? 0 : 1);
    if (!after.empty())
        AppendTree(out, after);
}

}  // namespace

CIndexBuilder::CIndexBuilder(IndexBuildOptions options) : m_options(std::move(options)) {}

void CIndexBuilder::AddDictionary(std::string_view text, std::int16_t fileId,
                                  const std::function<void(std::size_t)>& progress)
{
    ++m_stats.files;
    Posting where;
    where.fileId = fileId;
    std::size_t nextReport = kProgressStep;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        where.offset = static_cast<std::int32_t>(pos);
        ++where.lineNumber;
        AddLine(line, where);
        pos = next;
        if (progress && pos >= nextReport) {
            progress(pos);
            nextReport = pos + kProgressStep;
        }
    }
}

void CIndexBuilder::AddLine(std::string_view line, const Posting& where)
{
    ++m_stats.lines;
    std::string_view body = line;
    if (m_options.separator.empty()) {
        if (!line.empty() && line.front() == kEsc) {
            const std::size_t close = line.find(kEsc, 1);
            if (close != std::string_view::npos) {
                AddHeadword(line.substr(1, close - 1), where);
                body = line.substr(close + 1);
            } else {
                body = line.substr(1);
            }
        }
    } else {
        const std::size_t at = line.find(m_options.separator);
        if (at != std::string_view::npos) {
            AddHeadword(line.substr(0, at), where);
            body = line.substr(at + m_options.separator.size());
        }
    }
    AddBody(body, where);
}

void CIndexBuilder::AddHeadword(std::string_view headword, const Posting& where)
{
    headword = TrimSpace(headword);
    if (headword.empty())
        return;
    if (headword.size() > kMaxHeadwordBytes) {
        ++m_stats.skippedHeadwords;
        if (m_warn)
            m_warn(where.fileId, where.lineNumber, headword);
        return;
    }
    ++m_stats.headwords;

    const std::string lowered = LowerCp932(headword);
    PrepareForTokens(m_buffer, lowered);
    std::vector<std::string_view> tokens;
    CTokenizer tokenizer(m_buffer.data());
    for (char* t = tokenizer.Next(); t; t = tokenizer.Next())
        tokens.emplace_back(t);

    if (tokens.size() <= 1) {
        // A single word is found both as typed in full ("-ing", "...") and
        // as a double-click picks it, without the separators ("ing").
        const bool usable = std::none_of(lowered.begin(), lowered.end(),
                                         [](char c) { return IsControl(static_cast<unsigned char>(c)); });
        if (usable)
            Post(lowered, where, kHeadwordPostingType);
        if (!tokens.empty())
            Post(tokens.front(), where, kHeadwordPostingType);
        return;
    }
    // A phrase is looked up by its first word and then matched in the line,
    // so each of its words leads to the line.
    for (std::string_view token : tokens)
        Post(token, where, kPhraseWordPostingType);
}

void CIndexBuilder::AddBody(std::string_view body, const Posting& where)
{
    if (body.empty())
        return;
    PrepareForTokens(m_buffer, LowerCp932(body));
    CTokenizer tokenizer(m_buffer.data());
    for (char* t = tokenizer.Next(); t; t = tokenizer.Next()) {
        const std::string_view word(t);
        bool letter = false;
        bool lead = false;
        for (char c : word) {
            const auto b = static_cast<unsigned char>(c);
            letter = letter || IsAsciiLetter(b);
            lead = lead || IsLeadByte(b);
        }
        if (!letter || lead)
            continue;
        const bool stop = !m_options.stopWords.empty() && m_options.stopWords.count(std::string(word)) != 0;
        Post(word, where, stop ? kHiddenPostingType : m_options.bodyType);
    }
}

void CIndexBuilder::Post(std::string_view word, const Posting& where, std::uint8_t type)
{
    // A word of more than kMaxHeadwordBytes bytes cannot be stored; a word
    // beginning with a double-byte character is never looked up.
    if (word.empty() || word.size() > kMaxHeadwordBytes || IsLeadByte(static_cast<unsigned char>(word.front())))
        return;
    auto it = m_postings.find(word);
    if (it == m_postings.end()) {
        it = m_postings.emplace(std::string(word), std::vector<Posting>{}).first;
        ++m_stats.words;
    } else {
        // Lines come in order, so a posting for this line would be the last.
        const Posting& last = it->second.back();
        if (last.fileId == where.fileId && last.offset == where.offset)
            return;
    }
    Posting p = where;
    p.type = type;
    it->second.push_back(p);
    ++m_stats.postings;
}

std::map<char, std::string> CIndexBuilder::Serialize() const
{
    std::map<char, std::vector<const Entry*>> groups;
    for (const Entry& e : m_postings)
        groups[InitialOf(e.first)].push_back(&e);

    std::map<char, std::string> files;
    for (auto& [initial, items] : groups) {
        // std::string compares its bytes as unsigned values.
        std::sort(items.begin(), items.end(), [](const Entry* a, const Entry* b) { return a->first < b->first; });
        std::size_t size = 1;
        for (const Entry* e : items)
            size += 1 + e->first.size() + 1 + 4 + e->second.size() * kPostingBytes + 4 + 2;
        std::string& out = files[initial];
        out.reserve(size);
        AppendU8(out, kIndexVersion);
        AppendTree(out, items);
    }
    return files;
}

std::string IndexIniText(const std::vector<std::string>& paths)
{
    std::string text = "[FileID]\n";
    for (std::size_t i = 0; i < paths.size(); ++i)
        text += std::to_string(i) + "=" + paths[i] + "\n";
    return text;
}

namespace {

IndexBuildResult Fail(IndexBuildStatus status, std::string error)
{
    IndexBuildResult r;
    r.status = status;
    r.error = std::move(error);
    return r;
}

// The path as kplindex.ini will hold it, or why it cannot.
std::string CheckDictionaryPath(const std::string& given, std::string& absolute)
{
    std::error_code ec;
    // The file as it is read: links resolved before "..", so the path
    // recorded names the very file indexed.
    absolute = fs::canonical(given, ec).string();
    if (ec)
        return given + ": " + ec.message();
    const fs::file_status st = fs::status(given, ec);
    if (ec)
        return given + ": " + ec.message();
    if (!fs::is_regular_file(st))
        return given + ": not a regular file";
    const std::uintmax_t size = fs::file_size(given, ec);
    if (ec)
        return given + ": " + ec.message();
    if (size > kMaxDictionaryFileBytes)
        return given + ": file of 2 GiB or more (index offsets are signed 32-bit); split it";
    if (absolute.size() > kMaxDictionaryPathBytes)
        return absolute + ": path longer than " + std::to_string(kMaxDictionaryPathBytes) +
               " bytes, which the reader cannot use";
    // The reader trims blanks around values and reads one line per key.
    if (absolute.find_first_of("\r\n") != std::string::npos || absolute.back() == ' ' || absolute.back() == '\t')
        return absolute + ": path ends in a blank or holds a line break, which kplindex.ini cannot keep";
    return {};
}

// A name no other build, even of the same process, has used.
std::string NewGenerationName()
{
    static unsigned counter = 0;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::string(kGenerationPrefix) + std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(now).count()) +
           "-" + ProcessTag() + "-" + std::to_string(++counter);
}

// Generation folders other than `current`, and temporary files of builds
// that were stopped, go.
void RemoveOtherGenerations(const fs::path& dir, const std::string& current)
{
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        const bool oldGeneration = name.starts_with(kGenerationPrefix) && name != current;
        const bool staged = name.starts_with(std::string(".") + kIndexFilePrefix) && name.find(".new") != std::string::npos;
        if (oldGeneration || staged)
            leftovers.push_back(entry.path());
    }
    for (const fs::path& p : leftovers)
        fs::remove_all(p, ec);
}

bool IsIndexFileName(const std::string& name)
{
    return name.size() == sizeof(kIndexFilePrefix) && name.starts_with(kIndexFilePrefix);
}

// Index files of initials this build did not write. A capital-letter name
// that is the very file just written (a file system that ignores case) stays.
void RemoveStaleIndexFiles(const fs::path& dir, const std::set<std::string>& written)
{
    std::error_code ec;
    std::vector<fs::path> stale;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (!IsIndexFileName(name) || written.count(name) || !entry.is_regular_file(ec))
            continue;
        std::string lower = name;
        lower.back() = static_cast<char>(std::tolower(static_cast<unsigned char>(lower.back())));
        std::error_code eq;
        if (written.count(lower) && fs::equivalent(entry.path(), dir / lower, eq))
            continue;
        stale.push_back(entry.path());
    }
    for (const fs::path& p : stale)
        fs::remove(p, ec);
}

}  // namespace

IndexBuildResult BuildIndexDirectory(const std::string& dir, const std::vector<std::string>& files,
                                     const IndexBuildOptions& options, const IndexBuildReport& report)
{
    std::vector<DictionarySource> sources;
    sources.reserve(files.size());
    for (const std::string& path : files)
        sources.push_back({path, options});
    return BuildIndexDirectory(dir, sources, report);
}

IndexBuildResult BuildIndexDirectory(const std::string& dir, const std::vector<DictionarySource>& sources,
                                     const IndexBuildReport& report)
{
    if (sources.empty())
        return Fail(IndexBuildStatus::BadInput, "no dictionary files given");
    if (sources.size() > kMaxDictionaryFiles)
        return Fail(IndexBuildStatus::BadInput, std::to_string(sources.size()) + " dictionary files; at most " +
                                                    std::to_string(kMaxDictionaryFiles) + " can be indexed");

    std::vector<std::string> absolute(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::string error = CheckDictionaryPath(sources[i].path, absolute[i]);
        if (!error.empty())
            return Fail(IndexBuildStatus::BadInput, std::move(error));
    }

    CIndexBuilder builder;
    builder.SetWarningSink([&](std::int16_t fileId, std::uint32_t line, std::string_view headword) {
        if (report.skippedHeadword)
            report.skippedHeadword(sources[static_cast<std::size_t>(fileId)].path, line, headword);
    });
    std::string content;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const std::string& path = sources[i].path;
        if (const int error = ReadWholeFile(path, content, kMaxDictionaryFileBytes); error != 0)
            return Fail(IndexBuildStatus::BadInput,
                        path + ": " + (error == EFBIG ? std::string("file of 2 GiB or more") : std::strerror(error)));
        builder.SetOptions(sources[i].options);
        const std::uint64_t total = content.size();
        if (report.progress && total > 0)
            report.progress(i, 0, total);
        builder.AddDictionary(content, static_cast<std::int16_t>(i), [&](std::size_t done) {
            if (report.progress)
                report.progress(i, done, total);
        });
        if (report.progress)
            report.progress(i, total, total);
    }
    content = std::string();

    std::vector<std::pair<std::string, std::string>> outputs;
    for (auto& [initial, bytes] : builder.Serialize())
        outputs.emplace_back(kIndexFilePrefix + std::string(1, initial), std::move(bytes));

    const fs::path outDir(dir);
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec || !fs::is_directory(outDir, ec))
        return Fail(IndexBuildStatus::WriteFailed, dir + ": cannot create the index directory");

    // Publishing is one step: the index files go into a generation folder
    // of their own, and the rename that puts the new kplindex.ini in place,
    // naming that folder, switches readers from the old index to the new
    // one. Stopped before it, the old index answers as before; the next
    // build removes what was left.
    const auto step = [&](const std::string& what) { return !report.publishStep || report.publishStep(what); };
    const std::string generation = NewGenerationName();
    const fs::path genDir = outDir / generation;
    if (!step("generation") || !fs::create_directory(genDir, ec) || ec)
        return Fail(IndexBuildStatus::WriteFailed, genDir.string() + ": cannot create the folder");
    const auto discardGeneration = [&] {
        std::error_code ignored;
        fs::remove_all(genDir, ignored);
    };
    IndexBuildResult result;
    for (const auto& [name, bytes] : outputs) {
        if (!step(name))
            return Fail(IndexBuildStatus::WriteFailed, "stopped before " + name);
        if (!WriteFileAtomically((genDir / name).string(), bytes)) {
            discardGeneration();
            return Fail(IndexBuildStatus::WriteFailed, (genDir / name).string() + ": cannot write the file");
        }
        result.stats.bytesWritten += bytes.size();
    }
    const std::string ini = IndexIniText(absolute) + "[" + kIndexSection + "]\n" + kGenerationKey + "=" + generation + "/\n";
    if (!step(kIndexIniName))
        return Fail(IndexBuildStatus::WriteFailed, std::string("stopped before ") + kIndexIniName);
    if (!WriteFileAtomically((outDir / kIndexIniName).string(), ini)) {
        discardGeneration();
        return Fail(IndexBuildStatus::WriteFailed, (outDir / kIndexIniName).string() + ": cannot write the file");
    }
    result.stats.bytesWritten += ini.size();

    // Published. The index files also stand in the index directory itself,
    // as links to the generation's, for readers that do not know
    // generations; each is replaced by a rename of its own.
    std::set<std::string> written;
    for (const auto& output : outputs) {
        const std::string& name = output.first;
        if (!step("link " + name))
            return result;
        const fs::path temp = outDir / ("." + name + ".new" + ProcessTag());
        fs::remove(temp, ec);
        fs::create_hard_link(genDir / name, temp, ec);
        if (ec)
            fs::copy_file(genDir / name, temp, fs::copy_options::overwrite_existing, ec);
        if (!ec)
            fs::rename(temp, outDir / name, ec);
        if (ec)
            fs::remove(temp, ec);
        else
            written.insert(name);
    }
    SyncFolder(outDir.string());
    if (!step("clean up"))
        return result;
    RemoveStaleIndexFiles(outDir, written);
    RemoveOtherGenerations(outDir, generation);

    const std::uint64_t bytes = result.stats.bytesWritten;
    result.stats = builder.Stats();
    result.stats.bytesWritten = bytes;
    return result;
}

}  // namespace tabrel
