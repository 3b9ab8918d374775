// The edit field's text model: typing over a selection, the limit that holds typing back but
// not the program, and caret moves that close or drag the selection.
#include <gtest/gtest.h>

#include "platform/user/dialog/edit_line.h"

namespace platform::user {
namespace {

using Extend = EditLine::Extend;
using Result = EditLine::Result;

EditLine Typed(const char* text) {
    EditLine line;
    for (const char* c = text; *c; ++c) line.Insert(*c);
    return line;
}

TEST(EditLine, TypingReplacesTheSelectionAndTheLimitCountsWhatIsReplaced) {
    EditLine line = Typed("abcd");
    line.set_limit(4);
    EXPECT_EQ(line.Insert('e'), Result::kFull);
    EXPECT_EQ(line.text(), "abcd");
    line.Select(1, 3);  // "bc"
    EXPECT_EQ(line.Insert('X'), Result::kChanged);
    EXPECT_EQ(line.text(), "aXd");
    EXPECT_EQ(line.caret(), 2u);
    EXPECT_FALSE(line.HasSelection());
    EXPECT_EQ(line.Insert('Y'), Result::kChanged);
    EXPECT_EQ(line.Insert('Z'), Result::kFull);
    EXPECT_EQ(line.text(), "aXYd");
    // A full field still takes a character that replaces one.
    line.Select(0, 1);
    EXPECT_EQ(line.Insert('q'), Result::kChanged);
    EXPECT_EQ(line.text(), "qXYd");
}

TEST(EditLine, TheLimitHoldsTypingBackButNotTheProgram) {
    EditLine line;
    EXPECT_EQ(line.limit(), 32767u);
    line.set_limit(3);
    line.SetText("longer than three");
    EXPECT_EQ(line.text(), "longer than three");
    EXPECT_EQ(line.caret(), 0u);
    EXPECT_EQ(line.Insert('x'), Result::kFull);
    EXPECT_EQ(line.Backspace(), Result::kUnchanged);  // nothing before the caret
    EXPECT_EQ(line.Delete(), Result::kChanged);
    EXPECT_EQ(line.text(), "onger than three");
    line.set_limit(0);
    EXPECT_EQ(line.limit(), EditLine::kMaximumLimit);
}

TEST(EditLine, SelectFollowsTheMessagesRules) {
    EditLine line = Typed("hello");
    line.Select(0, -1);
    EXPECT_EQ(line.selection_start(), 0u);
    EXPECT_EQ(line.selection_end(), 5u);
    EXPECT_EQ(line.caret(), 5u);
    line.Select(-1, 0);  // drops the selection, the caret stays
    EXPECT_FALSE(line.HasSelection());
    EXPECT_EQ(line.caret(), 5u);
    line.Select(4, 1);  // backwards: the caret at 1
    EXPECT_EQ(line.selection_start(), 1u);
    EXPECT_EQ(line.selection_end(), 4u);
    EXPECT_EQ(line.caret(), 1u);
    line.Select(2, 99);  // clamped to the text
    EXPECT_EQ(line.selection_end(), 5u);
}

TEST(EditLine, ArrowsCloseASelectionOrDragIt) {
    EditLine line = Typed("abcdef");
    line.Home(Extend::kMove);
    line.Right(Extend::kSelect);
    line.Right(Extend::kSelect);
    EXPECT_EQ(line.selection_start(), 0u);
    EXPECT_EQ(line.selection_end(), 2u);
    line.Left(Extend::kMove);  // closes at the selection's start
    EXPECT_EQ(line.caret(), 0u);
    EXPECT_FALSE(line.HasSelection());
    line.Left(Extend::kMove);  // stays at the start
    EXPECT_EQ(line.caret(), 0u);
    line.End(Extend::kSelect);
    line.Right(Extend::kMove);  // closes at the end
    EXPECT_EQ(line.caret(), 6u);
    line.Right(Extend::kMove);
    EXPECT_EQ(line.caret(), 6u);
    line.Home(Extend::kSelect);
    EXPECT_EQ(line.Backspace(), Result::kChanged);  // takes the whole selection
    EXPECT_EQ(line.text(), "");
}

TEST(EditLine, DeleteAndBackspaceTakeOneCharacterEitherSide) {
    EditLine line = Typed("abcd");
    line.MoveTo(2, Extend::kMove);
    EXPECT_EQ(line.Delete(), Result::kChanged);
    EXPECT_EQ(line.text(), "abd");
    EXPECT_EQ(line.caret(), 2u);
    EXPECT_EQ(line.Backspace(), Result::kChanged);
    EXPECT_EQ(line.text(), "ad");
    EXPECT_EQ(line.caret(), 1u);
    line.End(Extend::kMove);
    EXPECT_EQ(line.Delete(), Result::kUnchanged);
}

}  // namespace
}  // namespace platform::user
