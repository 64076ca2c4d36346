#pragma once
// Helpers shared by the fuzz targets: a scratch folder, writing files,
// checks that abort (so libFuzzer keeps the input that broke a rule), and
// the seed mode that writes a target's starting corpus.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tabrel::fuzz {

/// A fresh folder for this process, ending in '/', removed at exit. Made
/// under $TABREL_FUZZ_TMP when set, else /dev/shm when writable (profile
/// writes sync to disk; a memory file system makes that cheap), else $TMPDIR
/// or /tmp.
const std::string& ScratchDir();

/// Writes `bytes` as the file `path`; aborts when it cannot.
void WriteBytes(const std::string& path, std::string_view bytes);

/// Prints `what` with the two byte strings in hex and aborts.
[[noreturn]] void Fail(std::string_view what, std::string_view expected = {}, std::string_view actual = {});

inline void Check(bool ok, std::string_view what)
{
    if (!ok)
        Fail(what);
}

/// Aborts, showing both in hex, when the byte strings differ.
inline void CheckBytes(std::string_view expected, std::string_view actual, std::string_view what)
{
    if (expected != actual)
        Fail(what, expected, actual);
}

/// When TABREL_FUZZ_SEEDS names a folder, writes each of `seeds()` there as
/// "seed-<n>" and ends the process; otherwise does nothing. Called from
/// LLVMFuzzerInitialize.
void WriteSeedsIfAsked(const std::function<std::vector<std::string>()>& seeds);

/// The input as a byte string.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace tabrel::fuzz
