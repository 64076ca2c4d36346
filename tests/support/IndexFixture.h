#pragma once
// Small index directories written byte by byte, for look-up tests that need
// exact control over node order, postings and damaged files.

#include <string>
#include <vector>

#include "TempDir.h"
#include "index/IndexFormat.h"

namespace tabrel::test {

struct FixtureNode {
    std::string word;
    std::vector<Posting> postings;
};

/// The 53 bytes of the index file holding "cat" (line 5 at byte 120) with
/// "car" (line 4 at byte 96) in its before-subtree, written out by hand.
std::string WorkedExampleBytes();

/// Version byte 4 and the nodes chained through their after-subtrees, so the
/// stored order is the order given.
std::string ChainIndexBytes(const std::vector<FixtureNode>& nodes);

/// A dictionary text file: its path and the byte offset of each line.
struct DictFile {
    std::string path;
    std::vector<std::int32_t> offsets;
};

/// Writes `lines` (each with its own line end, or none) as file `name` in `dir`.
DictFile WriteDict(const TempDir& dir, const std::string& name, const std::vector<std::string>& lines);

/// Writes dir/kplindex.ini mapping FileID i to paths[i] (an empty path is left out).
void WriteIndexIni(const TempDir& dir, const std::vector<std::string>& paths);

}  // namespace tabrel::test
