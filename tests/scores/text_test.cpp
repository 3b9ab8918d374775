#include "scores/text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(CText, StartsEmptyWithRoomForTheTerminatorOnly) {
    const CText text;
    EXPECT_EQ(text.Length(), 0);
    EXPECT_EQ(text.Capacity(), 1);
    EXPECT_STREQ(text.Chars(), "");
}

TEST(CText, OneCharacterAppendsDoubleWhatTheyAllocate) {
    CText text;
    text += CText("a");
    EXPECT_EQ(text.Capacity(), 4);
    const char* buffer = text.Chars();
    text += CText("b");
    text += CText("c");
    EXPECT_EQ(text.Chars(), buffer) << "appends that fit must not reallocate";
    EXPECT_EQ(text.Capacity(), 4);
    text += CText("d");
    EXPECT_EQ(text.Capacity(), 10);
    EXPECT_STREQ(text.Chars(), "abcd");
    EXPECT_EQ(text.Length(), 4);
}

TEST(CText, LongerAppendsAllocateExactly) {
    CText text;
    text += CText("ab");
    EXPECT_EQ(text.Capacity(), 3);
    text += CText("cde");
    EXPECT_EQ(text.Capacity(), 6);
    EXPECT_STREQ(text.Chars(), "abcde");

    const char* buffer = text.Chars();
    text += CText("");
    EXPECT_EQ(text.Chars(), buffer);
    EXPECT_EQ(text.Capacity(), 6);
    EXPECT_EQ(text.Length(), 5);
}

TEST(CText, AppendingATextToItselfRepeatsIt) {
    CText grown("ab");
    grown += grown;  // through a new buffer
    EXPECT_STREQ(grown.Chars(), "abab");
    EXPECT_EQ(grown.Length(), 4);

    CText roomy(std::string(60, 'x').c_str());
    roomy = "xy";
    roomy += roomy;  // in place
    EXPECT_STREQ(roomy.Chars(), "xyxy");
    roomy += roomy;
    EXPECT_STREQ(roomy.Chars(), "xyxyxyxy");
    EXPECT_EQ(roomy.Capacity(), 61);
}

TEST(CText, AssignmentKeepsABufferThatIsLargeEnough) {
    CText text(std::string(60, 'x').c_str());
    const char* buffer = text.Chars();
    text = CText("abc");
    EXPECT_EQ(text.Chars(), buffer);
    EXPECT_EQ(text.Capacity(), 61);
    EXPECT_EQ(text.Length(), 3);
    EXPECT_STREQ(text.Chars(), "abc");

    text = "";
    EXPECT_EQ(text.Chars(), buffer);
    EXPECT_EQ(text.Length(), 0);

    CText small("ab");
    small = CText("abcdef");
    EXPECT_EQ(small.Capacity(), 7);
    EXPECT_STREQ(small.Chars(), "abcdef");
}

TEST(CText, AssignmentFromItsOwnCharacters) {
    CText text("hello");
    text = text;
    EXPECT_STREQ(text.Chars(), "hello");
    text = text.Chars();
    EXPECT_STREQ(text.Chars(), "hello");
    text = text.Chars() + 2;
    EXPECT_STREQ(text.Chars(), "llo");
    EXPECT_EQ(text.Length(), 3);
}

TEST(CText, CopiesAllocateOnlyWhatTheyNeed) {
    CText roomy(std::string(60, 'x').c_str());
    roomy = "abc";
    const CText copy(roomy);
    EXPECT_EQ(copy.Capacity(), 4);
    EXPECT_EQ(copy.Length(), 3);
    EXPECT_NE(copy.Chars(), roomy.Chars());
    roomy = "xyz";
    EXPECT_STREQ(copy.Chars(), "abc") << "a copy must not share its source's buffer";
}

TEST(CText, EqualityComparesCharactersOnly) {
    EXPECT_FALSE(CText("") == CText(" "));
    EXPECT_FALSE(CText(" ") == CText(""));
    EXPECT_FALSE(CText("ab") == CText("abc"));
    EXPECT_FALSE(CText("abc") == CText("ab"));
    EXPECT_FALSE(CText("abd") == CText("abc"));
    EXPECT_TRUE(CText("") == CText());

    CText roomy(std::string(60, 'x').c_str());
    roomy = "Quibbert";
    EXPECT_TRUE(roomy == CText("Quibbert"));
}

TEST(CText, ConcatenationLeavesBothSidesAlone) {
    const CText a("Quib");
    const CText b("bert");
    const CText joined = a + b;
    EXPECT_STREQ(joined.Chars(), "Quibbert");
    EXPECT_EQ(joined.Length(), 8);
    EXPECT_STREQ(a.Chars(), "Quib");
    EXPECT_STREQ(b.Chars(), "bert");
    EXPECT_STREQ((a + a).Chars(), "QuibQuib");
}

TEST(CText, StreamInsertionWritesTheCharactersAlone) {
    std::ostringstream out;
    out << CText() << "|" << CText("a b") << "|";
    EXPECT_EQ(out.str(), "|a b|");
}

}  // namespace
