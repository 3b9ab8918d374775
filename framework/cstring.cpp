#include "framework/cstring.h"

#include <cstring>

CString& CString::operator=(LPCSTR text) {
    text_ = text ? text : "";
    return *this;
}

LPSTR CString::GetBuffer(int min_length) {
    size_t wanted = min_length > 0 ? static_cast<size_t>(min_length) : 0;
    if (text_.size() < wanted) text_.resize(wanted, '\0');
    // std::string keeps a terminator after size(), so size() characters plus it are writable.
    return text_.data();
}

void CString::ReleaseBuffer(int new_length) {
    if (new_length < 0) {
        text_.resize(std::strlen(text_.c_str()));
    } else if (static_cast<size_t>(new_length) <= text_.size()) {
        text_.resize(static_cast<size_t>(new_length));
    }
}

CString& CString::operator+=(LPCSTR text) {
    if (text) text_ += text;
    return *this;
}

CString operator+(const CString& a, LPCSTR b) {
    CString result = a;
    result += b;
    return result;
}

int CString::Compare(LPCSTR other) const {
    int order = std::strcmp(text_.c_str(), other ? other : "");
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}
