#include "index/IndexFiles.h"

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

#include "text/CharClass.h"
#include "index/IndexFormat.h"
#include "platform/Profile.h"
#include "platform/RegularFile.h"

namespace tabrel {

std::optional<std::string> GetIndexFilePath(std::string_view dir, std::string_view word, std::string_view generation)
{
    if (word.empty())
        return std::nullopt;
    const auto first = static_cast<unsigned char>(word[0]);
    if (IsLeadByte(first))
        return std::nullopt;
    char initial = '#';
    if (IsAsciiDigit(first))
        initial = '_';
    else if (IsAsciiLetter(first))
        initial = static_cast<char>(first);
    return std::string(dir) + std::string(generation) + kIndexFilePrefix + initial;
}

std::string GetIndexGeneration(std::string_view dir, const std::string& indexIni)
{
    if (indexIni.empty())
        return {};
    const std::string generation = CProfileFile(indexIni).GetString(kIndexSection, kGenerationKey, "");
    // A single folder name of our own: nothing else is followed.
    const bool ours = generation.starts_with(kGenerationPrefix) && generation.back() == '/' &&
                      generation.find('/') == generation.size() - 1 && generation.find("..") == std::string::npos;
    if (!ours)
        return {};
    struct stat st {};
    if (::stat((std::string(dir) + generation).c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return generation;
}

std::string GetIndexIniPath(std::string_view dir)
{
    std::string path = std::string(dir) + kIndexIniName;
    std::FILE* f = OpenRegularFile(path);
    if (!f)
        return {};
    std::fclose(f);
    return path;
}

namespace {
std::string LowerAscii(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}
}  // namespace

CFileIdTable CFileIdTable::Read(const std::string& path)
{
    CFileIdTable table;
    for (auto& [key, value] : CProfileFile(path).GetSection(kFileIdSection))
        table.m_files.emplace(LowerAscii(key), std::move(value));
    return table;
}

std::string CFileIdTable::GetFileName(int fileId) const
{
    const auto it = m_files.find(std::to_string(fileId));
    return it == m_files.end() ? std::string() : it->second;
}

namespace {
std::FILE* OpenEitherCase(const std::string& path)
{
    std::FILE* f = OpenRegularFile(path);
    if (f || errno != ENOENT || path.empty())
        return f;
    std::string other = path;
    char& last = other.back();
    if (last >= 'a' && last <= 'z')
        last = static_cast<char>(last - 'a' + 'A');
    else if (last >= 'A' && last <= 'Z')
        last = static_cast<char>(last - 'A' + 'a');
    else
        return nullptr;
    return OpenRegularFile(other);
}
}  // namespace

IndexOpenResult OpenIndexFile(const std::string& path, std::size_t bufferSize)
{
    IndexOpenResult result;
    std::FILE* f = OpenEitherCase(path);
    if (!f)
        return result;
    auto stream = std::make_unique<CIndexStream>(f, path, bufferSize);
    try {
        if (stream->ReadU8() != kIndexVersion) {
            result.status = IndexOpenStatus::WrongVersion;
            return result;
        }
    } catch (const CIndexReadError&) {
        result.status = IndexOpenStatus::WrongVersion;  // empty file: no version byte 4
        return result;
    }
    result.status = IndexOpenStatus::Ok;
    result.stream = std::move(stream);
    return result;
}

}  // namespace tabrel
