#include "framework/cstring.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(CString, BufferRoundTripAndComparison) {
    CString text;
    EXPECT_TRUE(text.IsEmpty());
    std::strcpy(text.GetBuffer(10), "Quibbert");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 8);
    EXPECT_STREQ(static_cast<LPCSTR>(text), "Quibbert");
    text.GetBuffer(3);
    text.ReleaseBuffer(3);
    EXPECT_TRUE(text == "Qui");
    EXPECT_EQ(text.Compare("Quibbert"), -1);

    CString copy = text;
    copy += "bbert";
    EXPECT_TRUE(copy == CString("Quibbert"));
    EXPECT_TRUE(text == "Qui");  // copies do not share
    text = nullptr;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_TRUE(CString("a") < CString("b"));
}

}  // namespace
