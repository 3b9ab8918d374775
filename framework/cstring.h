// CString: the framework's string of single-byte characters, enough for dialog data exchange
// and window texts.
#pragma once

#include <string>

#include "platform/win32.h"

class CString {
  public:
    CString() = default;
    CString(LPCSTR text) : text_(text ? text : "") {}  // NOLINT: converts like the original
    CString(const std::string& text) : text_(text) {}  // NOLINT
    CString& operator=(LPCSTR text);

    int GetLength() const { return static_cast<int>(text_.size()); }
    BOOL IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    operator LPCSTR() const { return text_.c_str(); }
    char GetAt(int index) const { return text_[static_cast<size_t>(index)]; }

    // Room for at least `min_length` characters and a terminator, to be written through the
    // pointer; ReleaseBuffer then takes the length up to the terminator (or `new_length`).
    LPSTR GetBuffer(int min_length);
    void ReleaseBuffer(int new_length = -1);

    CString& operator+=(LPCSTR text);
    friend CString operator+(const CString& a, LPCSTR b);

    int Compare(LPCSTR other) const;
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
    friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

  private:
    std::string text_;
};
