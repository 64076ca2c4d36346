#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>

#include "ByteString.h"
#include "IndexFixture.h"
#include "RecordingUi.h"
#include "TempDir.h"
#include "document/LookUpTrigger.h"
#include "document/PickLogic.h"
#include "platform/MessagePump.h"

using namespace tabrel;
using namespace tabrel::test;

namespace {

TEST(Pick, ExtractWordAroundAByte)
{
    struct Case {
        const char* line;
        std::size_t at;
        const char* word;
    } cases[] = {
        {"big dog", 1, "big"},     {"big dog", 3, "dog"},    // on the space: the word after it
        {"big, dog", 3, ""},       {"big, dog", 4, "dog"},   // on the comma before a space: nothing
        {"(see", 2, "see"},        {"(see", 0, "see"},
        {"don't", 1, "don"},       {"don't", 4, "t"},        {"end.", 3, ""},
        {"a\x82\xA0z b", 2, "a\x82\xA0z"},                   // bytes from 0x80 up belong to words
        {"tab\there", 3, "here"},  {"x", 5, ""},
    };
    for (const Case& c : cases)
        EXPECT_BYTES_EQ(c.word, ExtractWord(c.line, c.at)) << c.line << " @" << c.at;
}

TEST(Pick, TokenizerSplitsInPlace)
{
    struct Case {
        const char* text;
        std::vector<std::string> tokens;
    } cases[] = {
        {"take off", {"take", "off"}},
        {"don't stop", {"don't", "stop"}},       // apostrophe between letters stays
        {"3.14 x 1,000 and 3 4", {"3.14", "x", "1,000", "and", "3 4"}},  // separators between digits stay
        {"apple.", {"apple"}},
        {"apple  ", {"apple"}},
        {"  ...", {}},
        {"'tis rock'n'roll", {"tis", "rock'n'roll"}},
        {"a\x83\x2Cz,b", {"a\x83\x2Cz", "b"}},  // a lead byte takes the next byte, even a comma
        {"", {}},
    };
    for (const Case& c : cases) {
        char buffer[64];
        std::strcpy(buffer, c.text);
        std::vector<std::string> tokens;
        CTokenizer tokenizer(buffer);
        for (char* t = tokenizer.Next(); t; t = tokenizer.Next())
            tokens.emplace_back(t);
        EXPECT_EQ(tokens, c.tokens) << c.text;
        EXPECT_EQ(tokenizer.Next(), nullptr);
    }
}

TEST(Pick, LowerCaseStepsOverDoubleByteCharacters)
{
    EXPECT_BYTES_EQ("apple \x83\x41x\x82\x60", LowerCp932("APPLE \x83\x41X\x82\x60"));  // アＡ keep their bytes
    EXPECT_BYTES_EQ("\xB1" "a", LowerCp932("\xB1" "A"));  // half-width katakana is one byte
}

TEST(Pick, ManualTextChecks)
{
    struct Case {
        std::string text;
        std::string_view message;  // empty: accepted
    } cases[] = {
        {"", {}},       {"take", {}},          {".take", {}},  {"(see", {}},
        {"ab\xB1\xB2", {}},                          // half-width katakana passes
        {" take", kMsgLeadingSpace},                      {"\ttake", kMsgLeadingSpace},
        {"take\x8A\xBF", kMsgDoubleByte},                 {"\x82\xA0", kMsgDoubleByte},
        {std::string(199, 'a'), {}},                 {std::string(200, 'a'), kMsgTooLong},
    };
    EXPECT_EQ(kMsgTooLong, "199バイトより長い文字列は使用できません!!");  // the texts come from the string table
    for (const Case& c : cases) {
        const auto refusal = CheckManualText(c.text);
        if (!c.message.empty())
            EXPECT_EQ(refusal.value_or("<accepted>"), c.message) << c.text;
        else
            EXPECT_FALSE(refusal) << c.text;
    }
}

// Index files named as a case-sensitive file system holds them: the letters in lower case.
struct PickRig {
    ScopedProfile profile;
    TempDir dir;
    RecordingUi ui;
    std::shared_ptr<CTabrelDoc> doc = std::make_shared<CTabrelDoc>(ui);
    std::string indexDir = dir.Path() + "/";

    PickRig()
    {
        const DictFile d = WriteDict(dir, "d.txt", {"apple line\n", "take off line\n", "3rd line\n", "dots ...\n",
                                                    "apple. line\n"});
        WriteIndexIni(dir, {d.path});
        dir.Write("$$TMP$$.a", ChainIndexBytes({{"apple", {{d.offsets[0], 1, 0, 1}}},
                                                {"apple.", {{d.offsets[4], 5, 0, 1}}}}));
        dir.Write("$$TMP$$.t", ChainIndexBytes({{"take", {{d.offsets[1], 2, 0, 3}}}}));
        dir.Write("$$TMP$$._", ChainIndexBytes({{"3rd", {{d.offsets[2], 3, 0, 1}}}}));
        dir.Write("$$TMP$$.#", ChainIndexBytes({{"...", {{d.offsets[3], 4, 0, 1}}}}));
    }
    std::vector<std::string> Results() const { return {doc->GetResultList().begin(), doc->GetResultList().end()}; }
};

TEST(Pick, AutoLookUpChoosesIndexFileAndKey)
{
    struct Case {
        const char* word;
        bool lookedUp;
        const char* indexFile;
        std::vector<std::string> results;
    } cases[] = {
        {"Apple", true, "$$TMP$$.A", {"apple line\r\n"}},  // capital in the name, lower-case key
        {"3rd", true, "$$TMP$$._", {"3rd line\r\n"}},
        {"\x8E\xAB\x8F\x91", false, "", {}},               // Japanese: no look-up, no beep
        {"", false, "", {}},
    };
    for (const Case& c : cases) {
        PickRig rig;
        const PickOutcome out = AutoLookUp(*rig.doc, c.word, rig.indexDir);
        EXPECT_EQ(out.lookedUp, c.lookedUp) << c.word;
        if (c.lookedUp) {
            EXPECT_EQ(out.indexPath, rig.indexDir + c.indexFile);
        }
        EXPECT_EQ(rig.Results(), c.results) << c.word;
        EXPECT_EQ(rig.doc->GetIndexIni(), c.word[0] ? rig.indexDir + "kplindex.ini" : "");
    }
}

TEST(Pick, ManualLookUpChoosesWordOrPhrase)
{
    struct Case {
        std::string text;
        bool lookedUp;
        const char* word;    // GetWord() afterwards
        const char* phrase;  // GetPhrase() afterwards
        std::vector<std::string> results;
    } cases[] = {
        {"Take Off", true, "take", "take off", {"take off line\r\n"}},  // phrase look-up, keyed "take"
        {"apple.", true, "apple", "", {"apple. line\r\n"}},             // one token: the whole text
        {"apple  ", true, "apple", "", {}},                             // "apple  " is no headword
        {"...", true, "", "", {"dots ...\r\n"}},
        {"", false, "", "", {}},
        {std::string(200, 'a'), false, "", "", {}},
    };
    for (const Case& c : cases) {
        PickRig rig;
        const PickOutcome out = ManualLookUp(*rig.doc, c.text, rig.indexDir);
        EXPECT_EQ(out.lookedUp, c.lookedUp) << c.text;
        EXPECT_STREQ(rig.doc->GetWord(), c.word) << c.text;
        EXPECT_STREQ(rig.doc->GetPhrase(), c.phrase) << c.text;
        EXPECT_EQ(rig.Results(), c.results) << c.text;
    }
}

TEST(Pick, PhraseResultsFollowWordResults)
{
    PickRig rig;
    AutoLookUp(*rig.doc, "apple", rig.indexDir);
    ManualLookUp(*rig.doc, "take off", rig.indexDir);
    EXPECT_EQ(rig.Results(), (std::vector<std::string>{"apple line\r\n", "take off line\r\n"}));
}

// A pick from a second window on the same document while a look-up runs is
// refused before it touches the index path, the key or the phrase; the
// running look-up finds what it finds alone.
TEST(Pick, SecondPickDuringALookUpIsRefused)
{
    struct Case {
        bool firstManual;
        std::string first;
        bool secondManual;
        std::string second;
        const char* word;    // GetWord() afterwards
        const char* phrase;  // GetPhrase() afterwards
        std::vector<std::string> results;
    } cases[] = {
        {true, "take off", true, "apple pie", "take", "take off", {"take off line\r\n"}},
        {true, "take off", true, "apple", "take", "take off", {"take off line\r\n"}},
        {true, "take off", false, "apple", "take", "take off", {"take off line\r\n"}},
        {false, "apple", true, "take off", "", "", {"apple line\r\n"}},
        {false, "apple", false, "take", "", "", {"apple line\r\n"}},
    };
    for (const Case& c : cases) {
        PickRig rig;
        std::optional<PickOutcome> second;
        const auto old = SetDispatchHandler([&] {
            if (second)
                return;
            TempDir elsewhere;  // another index directory: must not reach the document either
            const std::string otherDir = elsewhere.Path() + "/";
            second = c.secondManual ? ManualLookUp(*rig.doc, c.second, otherDir)
                                    : AutoLookUp(*rig.doc, c.second, otherDir);
        });
        const PickOutcome first = c.firstManual ? ManualLookUp(*rig.doc, c.first, rig.indexDir)
                                                : AutoLookUp(*rig.doc, c.first, rig.indexDir);
        SetDispatchHandler(old);
        ASSERT_TRUE(second) << c.first << " / " << c.second;
        EXPECT_EQ(second->status.outcome, LookUpOutcome::Busy) << c.second;
        EXPECT_EQ(first.status.outcome, LookUpOutcome::Done) << c.first;
        EXPECT_STREQ(rig.doc->GetWord(), c.word) << c.second;
        EXPECT_STREQ(rig.doc->GetPhrase(), c.phrase) << c.second;
        EXPECT_EQ(rig.doc->GetIndexIni(), rig.indexDir + "kplindex.ini");
        EXPECT_EQ(rig.Results(), c.results) << c.first << " / " << c.second;
    }
}

}  // namespace
