#include "IndexFixture.h"

namespace tabrel::test {

std::string WorkedExampleBytes()
{
    return std::string("\x04"
                       "\x04" "cat\0" "\x01\0\0\0" "\x78\0\0\0" "\x05\0\0\0" "\0\0" "\x01" "\xFF\xFF\xFF\xFF"
                       "\x01"
                       "\x04" "car\0" "\x01\0\0\0" "\x60\0\0\0" "\x04\0\0\0" "\0\0" "\x01" "\xFF\xFF\xFF\xFF"
                       "\0\0\0",
                       53);
}

std::string ChainIndexBytes(const std::vector<FixtureNode>& nodes)
{
    std::string out;
    AppendU8(out, kIndexVersion);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        AppendNodeHead(out, nodes[i].word, nodes[i].postings);
        AppendU8(out, 0);                         // no before-subtree
        AppendU8(out, i + 1 < nodes.size());      // the next node is the after-subtree
    }
    return out;
}

DictFile WriteDict(const TempDir& dir, const std::string& name, const std::vector<std::string>& lines)
{
    DictFile dict;
    std::string content;
    for (const std::string& line : lines) {
        dict.offsets.push_back(static_cast<std::int32_t>(content.size()));
        content += line;
    }
    dict.path = dir.Write(name, content);
    return dict;
}

void WriteIndexIni(const TempDir& dir, const std::vector<std::string>& paths)
{
    std::string ini = "[FileID]\r\n";
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!paths[i].empty())
            ini += std::to_string(i) + "=" + paths[i] + "\r\n";
    }
    dir.Write("kplindex.ini", ini);
}

}  // namespace tabrel::test
