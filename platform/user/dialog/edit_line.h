// The text of a single-line edit field with its caret and selection, and what typing does to
// it. No window and no font: the edit control measures and draws around this.
#pragma once

#include <cstddef>
#include <string>

namespace platform::user {

class EditLine {
  public:
    static constexpr size_t kDefaultLimit = 32767;
    static constexpr size_t kMaximumLimit = 0x7FFFFFFE;  // what a limit of 0 asks for

    enum class Extend { kMove, kSelect };  // whether a caret move drags the selection along
    enum class Result { kUnchanged, kChanged, kFull };

    const std::string& text() const { return text_; }
    size_t caret() const { return caret_; }
    size_t selection_start() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t selection_end() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool HasSelection() const { return caret_ != anchor_; }
    size_t limit() const { return limit_; }
    // The limit holds typing back only; text already longer stays as it is.
    void set_limit(size_t limit) { limit_ = limit == 0 ? kMaximumLimit : limit; }

    // Replaces the text whatever its length, caret at the start.
    void SetText(std::string text);
    // As EM_SETSEL: a start of -1 drops the selection, an end of -1 means the end of the text.
    void Select(long start, long end);

    void MoveTo(size_t position, Extend extend);
    void Left(Extend extend);
    void Right(Extend extend);
    void Home(Extend extend) { MoveTo(0, extend); }
    void End(Extend extend) { MoveTo(text_.size(), extend); }

    // A character replaces the selection; kFull when the limit leaves no room for it.
    Result Insert(char character);
    Result Backspace();
    Result Delete();

  private:
    Result EraseSelection();

    std::string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;  // the other end of the selection
    size_t limit_ = kDefaultLimit;
};

}  // namespace platform::user
