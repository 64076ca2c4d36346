// The profile store over file content from outside. Input: a choice byte,
// a pick byte, a name length and a value length, the name, the value, and
// then the content of the profile file. Every key of every section is read
// (GetSection and GetString must agree), one key is written (an existing
// one, a new key in an existing section, or a new section), and then every
// other key must read as before and the written key must read back its
// value. A refused write must leave the file as it was.

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Profile.h"
#include "platform/RegularFile.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

constexpr std::size_t kMaxValueBytes = 259;

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

// Section names of the header lines, each once (without regard to case).
std::vector<std::string> SectionNames(std::string_view content)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = Trim(content.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line = Trim(line.substr(0, line.size() - 1));
        if (!line.empty() && line.front() == '[') {
            line.remove_prefix(1);
            const std::string name(Trim(line.substr(0, line.find(']'))));
            bool seen = false;
            for (const std::string& n : names)
                seen = seen || EqualNoCase(n, name);
            if (!seen)
                names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}

struct Entry {
    std::string section;
    std::string key;
    std::string value;
};

std::vector<std::string> Seeds()
{
    const auto seed = [](char choice, char pick, std::string_view name, std::string_view value,
                         std::string_view content) {
        std::string s{choice, pick, static_cast<char>(name.size()), static_cast<char>(value.size())};
        return s + std::string(name) + std::string(value) + std::string(content);
    };
    const std::string ini = "; settings\r\n[Option]\r\nTextDir = /home/a \r\nHide=1\r\n\r\n[Index]\r\n"
                            "Dir=/x/\r\n[option]\r\nhide=2\r\nExtra=\x83\x65\r\n";
    return {
        seed(0, 0, "", "2", ini),
        seed(0, 1, "", " spaced value ", ini),
        seed(1, 1, "NewKey", "v", ini),
        seed(2, 0, "Fresh", "value", ini),
        seed(2, 0, "Fresh", "value", "[A]\nk=v"),
        seed(1, 0, "k", "line\nbreak", "[A]\nk=v\n"),
        seed(0, 0, "", std::string(300, 'v'), "[A]\n  k  =  v  \n[B]\n=empty key\nnoequals\n[C\nc=1\n"),
        seed(1, 0, "K", "x", "[A]\r\nk=1\n[a]\nk=2\nK2=3"),
    };
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    WriteSeedsIfAsked(Seeds);
    ScratchDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::string_view input = Bytes(data, size);
    const unsigned choice = static_cast<unsigned char>(input[0]) % 3;
    const unsigned pick = static_cast<unsigned char>(input[1]);
    std::string_view rest = input.substr(4);
    const std::string_view name = rest.substr(0, static_cast<unsigned char>(input[2]) % 32);
    rest.remove_prefix(name.size());
    const std::string_view value = rest.substr(0, static_cast<unsigned char>(input[3]));
    rest.remove_prefix(value.size());
    const std::string_view content = rest;

    const std::string path = ScratchDir() + "TABREL.INI";
    WriteBytes(path, content);
    const CProfileFile profile(path);

    // Read everything; both readers must agree.
    std::vector<Entry> entries;
    const std::vector<std::string> sections = SectionNames(content);
    for (const std::string& section : sections) {
        for (auto& [key, v] : profile.GetSection(section)) {
            CheckBytes(v, profile.GetString(section, key, "\x01" "default"), "GetString differs from GetSection");
            Check(v.size() <= kMaxValueBytes, "a value longer than 259 bytes");
            profile.GetInt(section, key, 7);
            entries.push_back({section, key, v});
        }
    }

    // The key to write.
    std::string section, key;
    if (choice == 0 && !entries.empty()) {
        section = entries[pick % entries.size()].section;
        key = entries[pick % entries.size()].key;
    } else if (choice == 1 && !sections.empty()) {
        section = sections[pick % sections.size()];
        key = name;
    } else {
        section = name;
        key = name;
    }

    if (!profile.WriteString(section, key, value)) {
        std::string now;
        Check(ReadWholeFile(path, now, UINT64_MAX) == 0, "the profile cannot be read after a refused write");
        CheckBytes(content, now, "a refused write changed the file");
        return 0;
    }
    const std::string_view wantSection = Trim(section), wantKey = Trim(key);
    const std::string expected(Trim(value).substr(0, kMaxValueBytes));
    CheckBytes(expected, profile.GetString(section, key, "\x01" "absent"), "the written key does not read back");
    for (const Entry& e : entries) {
        if (EqualNoCase(Trim(e.section), wantSection) && EqualNoCase(Trim(e.key), wantKey))
            continue;
        CheckBytes(e.value, profile.GetString(e.section, e.key, "\x01" "absent"), "a write changed another key");
    }
    return 0;
}
