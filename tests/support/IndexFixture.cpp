#include "IndexFixture.h"

namespace tabrel::test {

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
