// The text reader over file content from outside. Input: a flag byte, a pad
// byte, then the file content. With the flag's low bit the content follows
// a filler that ends just before the reader's 64 KiB buffer boundary, so a
// CR LF pair or a chunk end can straddle a refill. The file is read in
// chunks of 2047 bytes, as a text file is loaded: the chunks joined must be
// the content with every CR LF read as LF, a chunk holds LF only as its last
// byte, and only the last chunk may be short without ending in LF. After a
// Seek to each line start and to a few other offsets (one past the end
// among them) the rest of the file must read the same way.

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/TextFile.h"

using namespace tabrel;
using namespace tabrel::fuzz;

namespace {

constexpr std::size_t kChunkBytes = 2047;
constexpr std::size_t kReaderBuffer = 64 * 1024;
constexpr std::size_t kMaxSeeks = 16;

std::string CrLfAsLf(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            continue;
        out += s[i];
    }
    return out;
}

// Reads chunks to the end and checks them against `rest`, the bytes from
// the reader's position on.
void CheckChunks(CTextFile& file, std::string_view rest, std::size_t maxBytes, const char* phase)
{
    // The message is put together only when a check fails: this runs per chunk.
    const auto check = [phase](bool ok, const char* what) {
        if (!ok)
            Fail(std::string(phase) + ": " + what);
    };
    std::string joined, chunk;
    bool shortSeen = false;
    while (file.ReadString(chunk, maxBytes)) {
        check(!shortSeen, "a chunk after a short one without LF");
        check(chunk.size() <= maxBytes, "a chunk longer than asked");
        const std::size_t lf = chunk.find('\n');
        check(lf == std::string::npos || lf + 1 == chunk.size(), "LF inside a chunk");
        if (lf == std::string::npos && chunk.size() < maxBytes)
            shortSeen = true;
        joined += chunk;
    }
    check(chunk.empty(), "the end of the file left bytes in the line");
    if (CrLfAsLf(rest) != joined)
        Fail(std::string(phase) + ": the chunks are not the content", CrLfAsLf(rest), joined);
    check(!file.ReadString(chunk, maxBytes), "a read after the end gave bytes");
}

std::string Filler(std::size_t bytes)
{
    std::string out;
    while (out.size() < bytes)
        out += "filler line\r\n";
    out.resize(bytes);
    return out;
}

std::vector<std::string> Seeds()
{
    const std::string longLine(5000, 'w');
    return {
        std::string("\0\0", 2) + "first line\r\nsecond\nthird without end",
        std::string("\0\0", 2) + "lone\rcr\r\r\n\n\r\n" + longLine + "\r\nend\r",
        std::string("\1\1", 2) + "\r\nafter the boundary\r\n",
        std::string("\1\2", 2) + "\r\n\r\n\r\nx",
        std::string("\0\0", 2) + std::string(2046, 'a') + "\r\n" + std::string(2047, 'b') + "\r\n",
        std::string("\0\0", 2) + std::string("nul\0inside\n", 11),
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
    if (size < 2)
        return 0;
    const std::string_view input = Bytes(data, size);
    const bool pad = (input[0] & 1) != 0;
    const std::size_t fillerBytes = pad ? kReaderBuffer - static_cast<unsigned char>(input[1]) % 8 : 0;
    const std::string content = Filler(fillerBytes) + std::string(input.substr(2));
    const std::string path = ScratchDir() + "text.txt";
    WriteBytes(path, content);

    CTextFile file;
    Check(file.Open(path), "the text file does not open");
    CheckChunks(file, content, kChunkBytes, "whole file");

    // Seeks: to each line start of the fuzzed part, then to a few offsets
    // chosen by the flag byte, and past the end.
    std::vector<std::size_t> seeks;
    for (std::size_t i = fillerBytes; i <= content.size() && seeks.size() + 3 < kMaxSeeks; ++i) {
        if (i == fillerBytes || content[i - 1] == '\n')
            seeks.push_back(i);
    }
    seeks.push_back(fillerBytes + static_cast<unsigned char>(input[0]) % (content.size() - fillerBytes + 1));
    seeks.push_back(content.size());
    seeks.push_back(content.size() + 1);
    const std::size_t maxBytes = 1 + static_cast<unsigned char>(input[1]) % 64;
    for (std::size_t i = 0; i < seeks.size(); ++i) {
        const std::size_t at = seeks[i];
        file.Seek(static_cast<std::int64_t>(at));
        const std::string_view rest = at < content.size() ? std::string_view(content).substr(at) : std::string_view();
        // Alternate the chunk size so that short chunks split CR LF pairs too.
        CheckChunks(file, rest, i % 2 ? maxBytes : kChunkBytes, "after a seek");
    }
    return 0;
}
