#include <gtest/gtest.h>

#include "ByteString.h"
#include "platform/Cp932.h"

using namespace tabrel;

namespace {

#define REPL "\xEF\xBF\xBD"  // U+FFFD

TEST(Cp932, DecodesToUtf8AndReplacesBadBytes)
{
    struct Case {
        const char* name;
        std::string cp932;
        std::string utf8;
    } cases[] = {
        {"ascii, backslash and tilde stay", "a\\b~c", "a\\b~c"},
        {"ESC passes through", "\x1b" "take\x1b", "\x1b" "take\x1b"},
        {"hiragana", "\x82\xA0\x82\xA2", "\xE3\x81\x82\xE3\x81\x84"},               // あい
        {"kanji", "\x8E\xAB\x8F\x91", "\xE8\xBE\x9E\xE6\x9B\xB8"},                  // 辞書
        {"half-width katakana", "\xB1", "\xEF\xBD\xB1"},                            // ｱ
        {"zero byte kept", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"lead byte cut off at the end", "ab\x82", "ab" REPL},
        {"lead byte before a blank", "\x82 x", REPL " x"},
        {"stray byte then a valid pair", "\xFF\x82\xA0", REPL "\xE3\x81\x82"},
    };
    for (const Case& c : cases)
        EXPECT_BYTES_EQ(c.utf8, Cp932ToUtf8(c.cp932)) << c.name;
}

TEST(Cp932, EncodesFromUtf8AndReplacesWhatIsMissing)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string cp932;
    } cases[] = {
        {"ascii", "take off\\", "take off\\"},
        {"kana and kanji", "\xE3\x81\x82\xE8\xBE\x9E", "\x82\xA0\x8E\xAB"},        // あ辞
        {"character outside the code page", "r\xC5\x8Du", "r?u"},                  // rōu
        {"invalid utf-8 byte", "a\xC3", "a?"},
        {"truncated sequence mid-text", "a\xE3\x81z", "a??z"},
    };
    for (const Case& c : cases)
        EXPECT_BYTES_EQ(c.cp932, Utf8ToCp932(c.utf8)) << c.name;

    std::size_t replaced = 99;
    Utf8ToCp932("ok \xE3\x81\x82", &replaced);
    EXPECT_EQ(replaced, 0u);
    Utf8ToCp932("r\xC5\x8Du\xC3", &replaced);  // one missing character, one bad byte
    EXPECT_EQ(replaced, 2u);
}

TEST(Cp932, LongTextRoundTrips)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "\x89\x70\x8C\xEA English ";  // 英語, longer than the conversion buffer
    EXPECT_BYTES_EQ(text, Utf8ToCp932(Cp932ToUtf8(text)));
}

}  // namespace
