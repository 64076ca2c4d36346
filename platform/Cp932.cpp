#include "platform/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace tabrel {
namespace {

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(::iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between code page 932 and UTF-8");
    }
    ~Converter() { ::iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on a sequence iconv refuses, appends `replacement`, skips
    // `skip(in)` bytes and goes on.
    template <typename Skip>
    std::string Run(std::string_view in, std::string_view replacement, Skip skip, std::size_t* replaced)
    {
        if (replaced)
            *replaced = 0;
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        char buf[1024];
        char* src = const_cast<char*>(in.data());
        std::size_t left = in.size();
        while (left > 0) {
            char* dst = buf;
            std::size_t room = sizeof buf;
            const std::size_t rc = ::iconv(m_cd, &src, &left, &dst, &room);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (cut off at the end): replace and step over it.
            out += replacement;
            if (replaced)
                ++*replaced;
            const std::size_t n = std::min(left, skip(std::string_view(src, left)));
            src += n;
            left -= n;
            ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t m_cd;
};

// A refused code page 932 sequence: drop its first byte only, so a valid
// character that follows a stray lead byte is kept.
std::size_t SkipOneByte(std::string_view) { return 1; }

// A refused UTF-8 sequence: drop one whole character when it is well formed
// (a character code page 932 lacks), else one byte.
std::size_t SkipUtf8Char(std::string_view s)
{
    const unsigned char b = static_cast<unsigned char>(s[0]);
    std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 1;
    if (b >= 0xF5)
        n = 1;
    if (n > s.size())
        return 1;
    for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932)
{
    thread_local Converter conv("UTF-8", "CP932");
    return conv.Run(cp932, "\xEF\xBF\xBD", SkipOneByte, nullptr);
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* replaced)
{
    thread_local Converter conv("CP932", "UTF-8");
    return conv.Run(utf8, "?", SkipUtf8Char, replaced);
}

}  // namespace tabrel
