#include "ByteString.h"

#include <cstdio>

namespace tabrel::test {

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        if (!out.empty())
            out += ' ';
        out += buf;
    }
    return out;
}

::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "bytes differ\n  expected (" << expected.size() << "): " << Hex(expected)
                                         << "\n  actual   (" << actual.size() << "): " << Hex(actual);
}

}  // namespace tabrel::test
