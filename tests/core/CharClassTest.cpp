#include "text/CharClass.h"

#include <gtest/gtest.h>

namespace tabrel {
namespace {

// A match of `len` bytes at `pos`, the classes on both sides of each of its
// ends, and whether it counts as delimited.
struct MatchCase {
    const char* name;
    const char* text;
    int pos;
    int len;
    int before;  // class at pos - 1
    int first;   // class at pos
    int last;    // class at pos + len - 1
    int after;   // class at pos + len
    bool delimited;
};

TEST(CharClassTest, ClassesAndDelimitedMatches)
{
    const MatchCase cases[] = {
        {"phrase at text start, comma after", "take off,", 0, 8, 9, 0, 0, 1, true},
        {"letter right after the phrase", "take offer", 0, 8, 9, 0, 0, 0, false},
        {"hyphen bounds the word before it", "take-off", 0, 4, 9, 0, 0, 1, true},
        {"hyphen bounds the word after it", "take-off", 5, 3, 1, 0, 0, 9, true},
        {"apostrophes bound the word", "'take'", 1, 4, 1, 0, 0, 1, true},
        {"match starting with a space", " take", 0, 5, 9, 9, 0, 9, false},
        // 漢字を: kanji run then hiragana
        {"kanji run ends at hiragana", "\x8A\xBF\x8E\x9A\x82\xF0", 0, 4, 9, 5, 5, 4, true},
        {"kanji inside a kanji run", "\x8A\xBF\x8E\x9A\x82\xF0", 0, 2, 9, 5, 5, 5, false},
        // コーヒー: katakana with the prolonged sound mark
        {"whole katakana run", "\x83\x52\x81\x5B\x83\x71\x81\x5B", 0, 8, 9, 3, 3, 9, true},
        {"katakana before the sound mark", "\x83\x52\x81\x5B\x83\x71\x81\x5B", 0, 2, 9, 3, 3, 3, false},
        {"sound mark inside the run", "\x83\x52\x81\x5B\x83\x71\x81\x5B", 2, 2, 3, 3, 3, 3, false},
        // Ａｔ: full-width t is a Latin letter
        {"full-width t joins full-width A", "\x82\x60\x82\x94", 0, 2, 9, 6, 6, 6, false},
        // Ａｕ: full-width u is not
        {"full-width u differs from full-width A", "\x82\x60\x82\x95", 0, 2, 9, 6, 6, 10, true},
        // あ漢: match begins on the second byte of あ
        {"match starts mid character", "\x82\xA0\x8A\xBF", 1, 3, 4, 4, 5, 9, false},
        // あ漢: match ends on the lead byte of 漢
        {"match ends mid character", "\x82\xA0\x8A\xBF", 0, 3, 9, 4, 5, 5, false},
        // ヒ: second byte 0x71 is 'q' but belongs to the katakana
        {"ASCII-valued second byte", "\x83\x71", 1, 1, 3, 3, 3, 9, false},
        // ｈ then a lone 0x9F: the walk pairs 0x82 0x88, so 0x9F is not a second byte
        {"boundary found by walking", "\x82\x88\x9F", 2, 1, 6, 10, 10, 9, true},
        {"lead byte before the terminating zero", "ab\x88", 2, 1, 0, 10, 10, 9, true},
        {"letters before a trailing lead byte", "ab\x88", 0, 2, 9, 0, 0, 10, true},
        // 0x8A followed by '0': an invalid second byte stands alone
        {"invalid second byte is a byte of its own", "\x8A\x30", 1, 1, 10, 0, 0, 9, true},
        // ｶﾀ｡: single-byte katakana then its punctuation
        {"single-byte katakana", "\xB6\xC0\xA1", 0, 2, 9, 2, 2, 1, true},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetCharClass(c.text, c.pos - 1), c.before);
        EXPECT_EQ(GetCharClass(c.text, c.pos), c.first);
        EXPECT_EQ(GetCharClass(c.text, c.pos + c.len - 1), c.last);
        EXPECT_EQ(GetCharClass(c.text, c.pos + c.len), c.after);
        EXPECT_EQ(IsDelimitedMatch(c.text, c.pos, c.len), c.delimited);
    }
}

TEST(CharClassTest, DbcsClassRangeEnds)
{
    const struct {
        unsigned code;
        int cls;
    } cases[] = {
        {0x815B, 3},                                             // ー
        {0x8141, 7}, {0x817A, 7}, {0x815A, 7}, {0x815C, 7},     // 、 】 and the neighbours of ー
        {0x8140, 8},                                             // full-width space
        {0x889F, 5}, {0x9872, 5}, {0x989F, 5}, {0xEA9E, 5},     // first/last kanji of each level
        {0x889E, 10}, {0x9873, 10}, {0xEA9F, 10},               // just outside the kanji levels
        {0x8A7F, 10}, {0x9900, 10}, {0xA0A0, 10},               // invalid second or lead byte
        {0x829F, 4}, {0x82F1, 4}, {0x82F2, 10},                 // hiragana
        {0x8340, 3}, {0x8396, 3}, {0x837F, 10}, {0x8397, 10},   // katakana
        {0x824F, 6}, {0x8294, 6}, {0x824E, 10}, {0x8295, 10},   // ０ to ｔ
        {0x817B, 10},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDbcsCharClass(c.code), c.cls) << std::hex << "0x" << c.code;
}

TEST(CharClassTest, ByteTableBits)
{
    EXPECT_EQ(CharType(-1), 0);
    EXPECT_EQ(CharType('\0'), kCtControl);
    EXPECT_EQ(CharType('\t'), kCtControl | kCtSpace);
    EXPECT_EQ(CharType(' '), kCtSpace | kCtPrint);
    EXPECT_EQ(CharType('7'), kCtDigit | kCtHexDigit | kCtPrint);
    EXPECT_EQ(CharType('F'), kCtUpper | kCtHexDigit | kCtPrint);
    EXPECT_EQ(CharType('g'), kCtLower | kCtPrint);
    EXPECT_EQ(CharType('_'), kCtPunct | kCtPrint);
    EXPECT_EQ(CharType(0x7F), kCtControl);
    EXPECT_EQ(CharType(0x80), 0);
    EXPECT_EQ(CharType(0xFF), 0);

    const struct {
        unsigned char byte;
        std::uint8_t bits;
    } dbcs[] = {
        {0x3F, 0},         {0x40, kDbTrail},           {0x7F, 0},
        {0x80, kDbTrail},  {0x81, kDbLead | kDbTrail}, {0x9F, kDbLead | kDbTrail},
        {0xA0, kDbTrail},  {0xA1, kDbKanaPunct | kDbTrail}, {0xA6, kDbKatakana | kDbTrail},
        {0xDF, kDbKatakana | kDbTrail}, {0xE0, kDbLead | kDbTrail}, {0xFC, kDbLead | kDbTrail},
        {0xFD, 0},
    };
    for (const auto& c : dbcs)
        EXPECT_EQ(DbcsType(c.byte), c.bits) << std::hex << "0x" << int{c.byte};
}

}  // namespace
}  // namespace tabrel
