#pragma once
// Byte-string checks for tests: a mismatch prints both strings in hex.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tabrel::test {

/// Bytes as two-digit hex values separated by spaces.
std::string Hex(std::string_view bytes);

/// Succeeds when the byte strings are equal; otherwise shows both in hex.
::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual);

}  // namespace tabrel::test

#define EXPECT_BYTES_EQ(expected, actual) EXPECT_TRUE(::tabrel::test::BytesEqual((expected), (actual)))
