#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace tabrel::fuzz {
namespace {

std::string Hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

std::string MakeScratchDir()
{
    std::string root;
    if (const char* env = std::getenv("TABREL_FUZZ_TMP"); env && *env)
        root = env;
    else if (::access("/dev/shm", W_OK | X_OK) == 0)
        root = "/dev/shm";
    else if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        root = tmp;
    else
        root = "/tmp";
    std::string pattern = root + "/tabrel-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror(pattern.c_str());
        std::abort();
    }
    return pattern + "/";
}

std::string g_scratch;

void RemoveScratch()
{
    std::error_code ec;
    std::filesystem::remove_all(g_scratch, ec);
}

}  // namespace

const std::string& ScratchDir()
{
    if (g_scratch.empty()) {
        g_scratch = MakeScratchDir();
        std::atexit(RemoveScratch);
    }
    return g_scratch;
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (!f || std::fclose(f) != 0 || !ok) {
        std::perror(path.c_str());
        std::abort();
    }
}

void Fail(std::string_view what, std::string_view expected, std::string_view actual)
{
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!expected.empty() || !actual.empty()) {
        std::fprintf(stderr, "  expected: %s\n  actual:   %s\n", Hex(expected).c_str(), Hex(actual).c_str());
    }
    std::abort();
}

void WriteSeedsIfAsked(const std::function<std::vector<std::string>()>& seeds)
{
    const char* dir = std::getenv("TABREL_FUZZ_SEEDS");
    if (!dir || !*dir)
        return;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::vector<std::string> all = seeds();
    for (std::size_t i = 0; i < all.size(); ++i)
        WriteBytes(std::string(dir) + "/seed-" + std::to_string(i), all[i]);
    std::fprintf(stderr, "%zu seeds written to %s\n", all.size(), dir);
    std::exit(0);
}

}  // namespace tabrel::fuzz
