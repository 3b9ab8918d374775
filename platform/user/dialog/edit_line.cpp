// Caret, selection and typing on the text of a single-line edit field.
#include "platform/user/dialog/edit_line.h"

#include <algorithm>
#include <utility>

namespace platform::user {

void EditLine::SetText(std::string text) {
    text_ = std::move(text);
    caret_ = anchor_ = 0;
}

void EditLine::Select(long start, long end) {
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    size_t size = text_.size();
    anchor_ = std::min(static_cast<size_t>(start), size);
    caret_ = end < 0 ? size : std::min(static_cast<size_t>(end), size);
}

void EditLine::MoveTo(size_t position, Extend extend) {
    caret_ = std::min(position, text_.size());
    if (extend == Extend::kMove) anchor_ = caret_;
}

// Without Shift an arrow first closes a selection at the side it points to.
void EditLine::Left(Extend extend) {
    if (extend == Extend::kMove && HasSelection())
        MoveTo(selection_start(), extend);
    else
        MoveTo(caret_ > 0 ? caret_ - 1 : 0, extend);
}

void EditLine::Right(Extend extend) {
    if (extend == Extend::kMove && HasSelection())
        MoveTo(selection_end(), extend);
    else
        MoveTo(caret_ + 1, extend);
}

EditLine::Result EditLine::EraseSelection() {
    if (!HasSelection()) return Result::kUnchanged;
    size_t start = selection_start();
    text_.erase(start, selection_end() - start);
    caret_ = anchor_ = start;
    return Result::kChanged;
}

EditLine::Result EditLine::Insert(char character) {
    size_t selected = selection_end() - selection_start();
    if (text_.size() - selected + 1 > limit_) return Result::kFull;
    EraseSelection();
    text_.insert(caret_, 1, character);
    anchor_ = ++caret_;
    return Result::kChanged;
}

EditLine::Result EditLine::Backspace() {
    if (HasSelection()) return EraseSelection();
    if (caret_ == 0) return Result::kUnchanged;
    text_.erase(--caret_, 1);
    anchor_ = caret_;
    return Result::kChanged;
}

EditLine::Result EditLine::Delete() {
    if (HasSelection()) return EraseSelection();
    if (caret_ == text_.size()) return Result::kUnchanged;
    text_.erase(caret_, 1);
    return Result::kChanged;
}

}  // namespace platform::user
