// CText: the game's own counted string of single-byte characters. It owns its buffer, keeps a
// NUL terminator after the last character, and only ever grows the buffer.
#pragma once

#include <cstdint>
#include <ostream>

class CText {
  public:
    CText();
    explicit CText(const char* chars);
    // The copy gets a buffer of exactly the source's length, not the source's capacity.
    CText(const CText& other);
    ~CText();

    // Both keep the current buffer when the new text fits in it.
    CText& operator=(const CText& other);
    CText& operator=(const char* chars);

    // A one-character append that does not fit doubles what it allocates, because the display
    // text is built by many short appends.
    CText& operator+=(const CText& other);

    int32_t Length() const { return m_Length; }
    int32_t Capacity() const { return m_Capacity; }
    const char* Chars() const { return m_Chars; }

  private:
    void Assign(const char* chars, int32_t length);

    int32_t m_Length;
    int32_t m_Capacity;
    char* m_Chars;
};

CText operator+(const CText& a, const CText& b);
// Byte for byte up to the terminators; there is no ordering.
bool operator==(const CText& a, const CText& b);
std::ostream& operator<<(std::ostream& stream, const CText& text);
