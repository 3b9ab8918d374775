// CText's buffer handling: exact allocations, growth only when a result does not fit.
#include "text.h"

#include <cassert>
#include <cstring>
#include <limits>

namespace {

int32_t CountChars(const char* chars) {
    assert(chars && "a text is built from NUL-terminated characters, never from null");
    const size_t length = std::strlen(chars);
    assert(length < static_cast<size_t>(std::numeric_limits<int32_t>::max()) &&
           "a text holds fewer than 2^31 - 1 characters");
    return static_cast<int32_t>(length);
}

}  // namespace

CText::CText() : m_Length(0), m_Capacity(1), m_Chars(new char[1]) {
    m_Chars[0] = '\0';
}

CText::CText(const char* chars)
    : m_Length(CountChars(chars)), m_Capacity(m_Length + 1), m_Chars(new char[m_Capacity]) {
    std::memcpy(m_Chars, chars, m_Capacity);
}

CText::CText(const CText& other)
    : m_Length(other.m_Length), m_Capacity(other.m_Length + 1), m_Chars(new char[m_Capacity]) {
    std::memcpy(m_Chars, other.m_Chars, m_Capacity);
}

CText::~CText() {
    delete[] m_Chars;
}

CText& CText::operator=(const CText& other) {
    if (this != &other) Assign(other.m_Chars, other.m_Length);
    return *this;
}

CText& CText::operator=(const char* chars) {
    Assign(chars, CountChars(chars));
    return *this;
}

void CText::Assign(const char* chars, int32_t length) {
    if (m_Capacity < length + 1) {
        char* grown = new char[length + 1];
        delete[] m_Chars;
        m_Chars = grown;
        m_Capacity = length + 1;
    }
    // The characters may lie inside this very buffer (a text assigned its own Chars()).
    std::memmove(m_Chars, chars, static_cast<size_t>(length) + 1);
    m_Length = length;
}

CText& CText::operator+=(const CText& other) {
    // Copied first, so that appending a text to itself reads it as it was before.
    const CText appended(other);
    const int32_t start = m_Length;
    assert(appended.m_Length < std::numeric_limits<int32_t>::max() / 2 - start &&
           "a text holds fewer than 2^30 characters after an append");
    const int32_t total = start + appended.m_Length;
    if (total >= m_Capacity) {
        int32_t capacity = total + 1;
        if (appended.m_Length == 1) capacity *= 2;
        char* grown = new char[capacity];
        std::memcpy(grown, m_Chars, static_cast<size_t>(start) + 1);
        delete[] m_Chars;
        m_Chars = grown;
        m_Capacity = capacity;
    }
    std::memcpy(m_Chars + start, appended.m_Chars, static_cast<size_t>(appended.m_Length) + 1);
    m_Length = total;
    return *this;
}

CText operator+(const CText& a, const CText& b) {
    CText result(a);
    result += b;
    return result;
}

bool operator==(const CText& a, const CText& b) {
    const char* x = a.Chars();
    const char* y = b.Chars();
    for (;; ++x, ++y) {
        if (*x != *y) return false;
        if (*x == '\0') return true;
    }
}

std::ostream& operator<<(std::ostream& stream, const CText& text) {
    return stream << text.Chars();
}
