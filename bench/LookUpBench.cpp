// Speed of the headword scan and of reading entries, on indexes built by
// tabrel-mkindex from generated dictionaries. Run build/bin/tabrel_bench.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "document/TabrelDoc.h"
#include "index/IndexFiles.h"
#include "index/StringTreeIndex.h"
#include "platform/UiServices.h"

using namespace tabrel;
namespace fs = std::filesystem;

namespace {


// An index directory built once per size: `headwords` lines "a<n>" with a
// short gloss, plus 1,000 lines under the headword "apple".
struct BenchIndex {
    std::string dir;
    std::string indexFile;  // the large "a" index file
    std::uintmax_t bytes = 0;
};

const BenchIndex& IndexOf(int headwords)
{
    static std::map<int, BenchIndex> built;
    auto it = built.find(headwords);
    if (it != built.end())
        return it->second;

    const fs::path root = fs::temp_directory_path() / ("tabrel-bench-" + std::to_string(headwords));
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path dict = root / "dict.txt";
    {
        std::ofstream out(dict, std::ios::binary);
        for (int i = 0; i < headwords; ++i)
            out << "\x1b" "a" << i * 7919 % 1000003 << "\x1b : gloss\r\n";
        for (int i = 0; i < 1000; ++i)
            out << "\x1b" "apple\x1b : sense " << i << "\r\n";
    }
    const std::string command = std::string(TABREL_MKINDEX) + " --quiet '" + (root / "index").string() + "' '" +
                                dict.string() + "'";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("tabrel-mkindex failed: " + command);

    BenchIndex index;
    index.dir = (root / "index").string() + "/";
    index.indexFile = index.dir + "$$TMP$$.a";
    index.bytes = fs::file_size(index.indexFile);
    return built.emplace(headwords, index).first->second;
}

// A key that is absent reads the whole file: the scan's throughput.
void BM_FullScan(benchmark::State& state)
{
    const BenchIndex& index = IndexOf(static_cast<int>(state.range(0)));
    const auto bufferSize = static_cast<std::size_t>(state.range(1));
    CStringTreeIndex tree;
    for (auto _ : state) {
        IndexOpenResult open = OpenIndexFile(index.indexFile, bufferSize);
        const bool found = tree.FindHeadword("absent-key", *open.stream);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * index.bytes));
    state.counters["index_MB"] = static_cast<double>(index.bytes) / 1e6;
}
// About 2 MB and 20 MB of index; the buffer size of the reader varies.
BENCHMARK(BM_FullScan)
    ->ArgsProduct({{60000, 600000}, {512, 4096, 64 * 1024}})
    ->ArgNames({"headwords", "buffer"})
    ->Unit(benchmark::kMillisecond);

// A present key with 1,000 postings: the scan up to it and 1,000 entry reads.
void BM_LookUpThousandPostings(benchmark::State& state)
{
    const BenchIndex& index = IndexOf(static_cast<int>(state.range(0)));
    CNullUiServices ui;
    auto doc = std::make_shared<CTabrelDoc>(ui);
    doc->SetIndexIni(GetIndexIniPath(index.dir));
    for (auto _ : state) {
        doc->LookUpWord("apple", index.indexFile);
        if (doc->GetResultList().GetCount() != 1000)
            state.SkipWithError("wrong number of result lines");
    }
}
BENCHMARK(BM_LookUpThousandPostings)->Arg(60000)->Arg(600000)->ArgName("headwords")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
