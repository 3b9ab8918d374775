// wsprintfA: the conversions the game and window system use, flags, and the output limit.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/win32.h"

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[1100];
    int length = wsprintfA(buffer, format, args...);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

TEST(Wsprintf, SignedAndUnsignedDecimals) {
    EXPECT_EQ(Format("%i", 0), "0");
    EXPECT_EQ(Format("%i", -42), "-42");
    EXPECT_EQ(Format("%d|%i", INT_MAX, INT_MIN), "2147483647|-2147483648");
    EXPECT_EQ(Format("%u", -1), "4294967295");
    EXPECT_EQ(Format("%ld %lu", -5, 7u), "-5 7");
}

TEST(Wsprintf, HexCharactersStringsAndPercent) {
    EXPECT_EQ(Format("%x %X %#x %#X %#x", 0xBEEFu, 0xBEEFu, 255u, 255u, 0u),
              "beef BEEF 0xff 0XFF 0");
    EXPECT_EQ(Format("[%c%c]", 'o', 'k'), "[ok]");
    EXPECT_EQ(Format("%s and %s", "this", "that"), "this and that");
    EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "(null)");
    EXPECT_EQ(Format("100%% sure"), "100% sure");
    EXPECT_EQ(Format("%q"), "q");  // unknown conversions print their letter
    EXPECT_EQ(Format("trailing %"), "trailing ");
}

TEST(Wsprintf, WidthPrecisionAndFlags) {
    EXPECT_EQ(Format("[%5i]", -42), "[  -42]");
    EXPECT_EQ(Format("[%-5i]", 42), "[42   ]");
    EXPECT_EQ(Format("[%05i]", -42), "[-0042]");
    EXPECT_EQ(Format("[%.3u]", 7u), "[007]");
    EXPECT_EQ(Format("[%08X]", 0xABCu), "[00000ABC]");
    EXPECT_EQ(Format("[%.2s|%4s|%-4s]", "abcdef", "ab", "ab"), "[ab|  ab|ab  ]");
}

TEST(Wsprintf, OutputStopsAt1023Characters) {
    std::string long_text(2000, 'z');
    char buffer[1100];
    buffer[1023] = 'x';
    buffer[1024] = 'x';
    EXPECT_EQ(wsprintfA(buffer, "%s%s", long_text.c_str(), "tail"), 1023);
    EXPECT_EQ(buffer[1023], '\0');
    EXPECT_EQ(buffer[1024], 'x');
    EXPECT_EQ(wsprintfA(nullptr, "%i", 1), 0);
}

}  // namespace
