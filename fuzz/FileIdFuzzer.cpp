// The FileID table of kplindex.ini over file content from outside. The
// table read once (CFileIdTable::Read) must name the same dictionary file
// for every FileID as the profile reader asked key by key
// (CProfileFile::GetString of section "FileID"): for the ids 0 to 40, the
// 16-bit limits, and every number written as a key in the file.

#include <charconv>
#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "index/IndexFiles.h"
#include "platform/Profile.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

// Integers that stand at the start of a line (after blanks) before '=':
// the FileIDs the file seems to name.
void AddKeyNumbers(std::string_view content, std::set<int>& ids)
{
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        std::string_view line = content.substr(start, end - start);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        int id = 0;
        const auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), id);
        if (ec == std::errc())
            ids.insert(id);
        start = end + 1;
    }
}

std::vector<std::string> Seeds()
{
    return {
        "[FileID]\r\n0=/dict/a.txt\r\n1=/dict/b.txt\r\n",
        "; made by hand\n[fileid]\n 0 = /spaced/path.txt \n00=/zero zero\n+1=/plus\n-1=/minus\n"
        "[Other]\n2=/not here\n[FILEID]\n2=/second section\n0=/shadowed\n",
        "[FileID]\n32767=/last\n32768=/beyond\n1=\x83\x65\x83\x58\x83\x67.txt\n3=\n",
        "[FileID\n0=/unclosed header\n[ FileID ]\n1=/spaced header\n",
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
    const std::string_view content = Bytes(data, size);
    const std::string path = ScratchDir() + kIndexIniName;
    WriteBytes(path, content);

    const CFileIdTable table = CFileIdTable::Read(path);
    const CProfileFile profile(path);
    std::set<int> ids = {-1, 32767, -32768, 32768, 65535};
    for (int id = 0; id <= 40; ++id)
        ids.insert(id);
    AddKeyNumbers(content, ids);
    for (const int id : ids) {
        const std::string fromProfile = profile.GetString(kFileIdSection, std::to_string(id), "");
        CheckBytes(fromProfile, table.GetFileName(id), "the FileID table and the profile reader disagree");
    }
    return 0;
}
