#include "platform/Profile.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabrel {
namespace {

// Longest value a read returns, as the classic 260-byte buffer holds it.
constexpr std::size_t kMaxValueBytes = 259;

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

// One physical line of the file: its text without the line end, and the
// line end as it stood ("\n", "\r\n" or nothing on a last line).
struct Line {
    std::string text;
    std::string eol;
};

enum class LineKind { Other, Section, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key
    std::string_view value;  // value of an entry
};

ParsedLine Parse(std::string_view text)
{
    ParsedLine p;
    std::string_view t = Trim(text);
    if (t.empty() || t.front() == ';')
        return p;
    if (t.front() == '[') {
        t.remove_prefix(1);
        const auto close = t.find(']');
        p.kind = LineKind::Section;
        p.name = Trim(t.substr(0, close));
        return p;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return p;
    p.kind = LineKind::Entry;
    p.name = Trim(t.substr(0, eq));
    p.value = Trim(t.substr(eq + 1));
    return p;
}

std::vector<Line> SplitLines(const std::string& content)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const auto nl = content.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        std::size_t end = nl;
        std::string eol = "\n";
        if (end > start && content[end - 1] == '\r') {
            --end;
            eol = "\r\n";
        }
        lines.push_back({content.substr(start, end - start), eol});
        start = nl + 1;
    }
    return lines;
}

// Where a key stands in the file: the line holding it, or, when the key is
// absent, the line after which it goes in the first matching section.
struct KeyPlace {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> sectionEnd;  // last entry or header line of the section
};

KeyPlace FindKey(const std::vector<Line>& lines, std::string_view section, std::string_view key)
{
    KeyPlace place;
    bool inSection = false;
    bool firstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine p = Parse(lines[i].text);
        if (p.kind == LineKind::Section) {
            inSection = EqualNoCase(p.name, section);
            firstSection = inSection && !place.sectionEnd;
            if (firstSection)
                place.sectionEnd = i;
        } else if (inSection && p.kind == LineKind::Entry) {
            if (EqualNoCase(p.name, key)) {
                place.keyLine = i;
                return place;
            }
            if (firstSection)
                place.sectionEnd = i;
        }
    }
    return place;
}

// An advisory lock on a small file beside the profile, held while it lives.
// Without the lock file (a read-only folder) the write goes ahead unlocked;
// it will fail on its own if the folder is not writable.
class CFileLock {
public:
    explicit CFileLock(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600))
    {
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~CFileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);  // releases the lock
    }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

private:
    int m_fd;
};

// Gives the last line, which has no line end, the line end `eol`. A CR
// ending its text would join an LF into a CR LF line end and leave the
// text; then the line end is CR LF, so the text keeps its CR.
void EndLastLine(Line& line, const std::string& eol)
{
    line.eol = !line.text.empty() && line.text.back() == '\r' ? "\r\n" : eol;
}

bool HasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

std::string CProfileFile::GetString(std::string_view section, std::string_view key, std::string_view def) const
{
    const auto content = ReadWholeFile(m_strPath);
    if (!content)
        return std::string(def);
    const std::vector<Line> lines = SplitLines(*content);
    const KeyPlace place = FindKey(lines, Trim(section), Trim(key));
    if (!place.keyLine)
        return std::string(def);
    const std::string_view value = Parse(lines[*place.keyLine].text).value;
    return std::string(value.substr(0, kMaxValueBytes));
}

std::vector<std::pair<std::string, std::string>> CProfileFile::GetSection(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> entries;
    const auto content = ReadWholeFile(m_strPath);
    if (!content)
        return entries;
    section = Trim(section);
    bool inSection = false;
    for (const Line& line : SplitLines(*content)) {
        const ParsedLine p = Parse(line.text);
        if (p.kind == LineKind::Section) {
            inSection = EqualNoCase(p.name, section);
        } else if (inSection && p.kind == LineKind::Entry) {
            const bool seen = std::any_of(entries.begin(), entries.end(),
                                          [&](const auto& e) { return EqualNoCase(e.first, p.name); });
            if (!seen)
                entries.emplace_back(std::string(p.name), std::string(p.value.substr(0, kMaxValueBytes)));
        }
    }
    return entries;
}

int CProfileFile::GetInt(std::string_view section, std::string_view key, int def) const
{
    const std::string text = GetString(section, key, {});
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return def;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // saturate, keep room for INT_MIN
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

bool CProfileFile::CanStore(std::string_view section, std::string_view key, std::string_view value)
{
    // Refused: anything that would not read back as written (a key that
    // starts like a comment or a section header, a line break, "=" in a key).
    section = Trim(section);
    key = Trim(key);
    return !section.empty() && !key.empty() && !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
           section.find(']') == std::string_view::npos && key.find('=') == std::string_view::npos &&
           key.front() != ';' && key.front() != '[';
}

bool CProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) const
{
    if (!CanStore(section, key, value))
        return false;
    section = Trim(section);
    key = Trim(key);

    // Writers take turns: each reads the file afresh under the lock, so one
    // process's change is never lost to another's write of an older copy.
    const CFileLock lock(m_strPath + ".lock");
    const auto content = ReadWholeFile(m_strPath);
    if (!content) {
        // Only a file that is surely absent may be created. One that is there
        // but unreadable, a folder, or a path that cannot even be checked
        // (a link loop, a folder without search permission) is left alone.
        struct stat st {};
        if (::stat(m_strPath.c_str(), &st) == 0 || errno != ENOENT)
            return false;
    }
    std::vector<Line> lines = SplitLines(content.value_or(std::string()));

    // New lines follow the file's own line ends.
    std::string eol = "\n";
    for (const Line& l : lines) {
        if (!l.eol.empty()) {
            eol = l.eol;
            break;
        }
    }

    const KeyPlace place = FindKey(lines, section, key);
    if (place.keyLine) {
        Line& line = lines[*place.keyLine];
        const std::string storedKey(Parse(line.text).name);
        line.text = storedKey + "=" + std::string(value);
    } else {
        Line entry{std::string(key) + "=" + std::string(value), eol};
        if (place.sectionEnd) {
            Line& before = lines[*place.sectionEnd];
            if (before.eol.empty())
                EndLastLine(before, eol);
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd + 1), entry);
        } else {
            if (!lines.empty() && lines.back().eol.empty())
                EndLastLine(lines.back(), eol);
            lines.push_back({"[" + std::string(section) + "]", eol});
            lines.push_back(entry);
        }
    }

    std::string out;
    for (const Line& l : lines)
        out += l.text + l.eol;
    return WriteFileAtomically(m_strPath, out);
}

bool CProfileFile::WriteInt(std::string_view section, std::string_view key, int value) const
{
    return WriteString(section, key, std::to_string(value));
}

std::string GetApplicationProfilePath()
{
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw ? pw->pw_dir : "";
        }
        base = std::string(home) + "/.config";
    }
    return base + "/tabrel/TABREL.INI";
}

namespace {
CProfileFile ApplicationProfile()
{
    return CProfileFile(GetApplicationProfilePath());
}
}  // namespace

std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def)
{
    return ApplicationProfile().GetString(section, key, def);
}

int GetProfileInt(std::string_view section, std::string_view key, int def)
{
    return ApplicationProfile().GetInt(section, key, def);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value)
{
    const CProfileFile profile = ApplicationProfile();
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(profile.GetPath()).parent_path(), ec);
    return profile.WriteString(section, key, value);
}

bool WriteProfileInt(std::string_view section, std::string_view key, int value)
{
    return WriteProfileString(section, key, std::to_string(value));
}

}  // namespace tabrel
