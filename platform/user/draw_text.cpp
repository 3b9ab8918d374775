// DrawTextA: lines split at line feeds and, with DT_WORDBREAK, between words to fit the
// rectangle (a word longer than a line keeps its line to itself); tab expansion, alignment,
// "&" prefixes drawn underlined, and DT_CALCRECT measuring without drawing.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

struct Prefixed {
    std::string text;            // what is shown
    std::vector<size_t> marked;  // indexes of the characters drawn underlined
};

Prefixed StripPrefixes(const char* text, int count, bool keep_ampersands) {
    Prefixed out;
    for (int i = 0; i < count; ++i) {
        if (!keep_ampersands && text[i] == '&') {
            if (i + 1 < count && text[i + 1] == '&') {
                out.text += '&';
                ++i;
            } else if (i + 1 < count) {
                out.marked.push_back(out.text.size());
            }
            continue;
        }
        out.text += text[i];
    }
    return out;
}

class Measurer {
  public:
    Measurer(HDC hdc, bool expand_tabs) : hdc_(hdc), expand_tabs_(expand_tabs) {
        TEXTMETRICA metrics{};
        GetTextMetricsA(hdc, &metrics);
        line_height_ = metrics.tmHeight;
        ascent_ = metrics.tmAscent;
        tab_width_ = std::max<LONG>(1, 8 * metrics.tmAveCharWidth);
    }
    int line_height() const { return line_height_; }
    int ascent() const { return ascent_; }

    // The width of `text`, tabs reaching the next tab stop when they are expanded.
    int Width(const std::string& text, size_t begin, size_t end) const {
        int width = 0;
        size_t run = begin;
        for (size_t i = begin; i <= end; ++i) {
            if (i < end && !(expand_tabs_ && text[i] == '\t')) continue;
            width += Extent(text.data() + run, i - run);
            if (i < end) width = (width / tab_width_ + 1) * tab_width_;
            run = i + 1;
        }
        return width;
    }

    // Draws [begin, end) at (x, y), segment by segment between tabs.
    void Draw(const std::string& text, size_t begin, size_t end, int x, int y) const {
        size_t run = begin;
        for (size_t i = begin; i <= end; ++i) {
            if (i < end && !(expand_tabs_ && text[i] == '\t')) continue;
            if (i > run)
                TextOutA(hdc_, x + Width(text, begin, run), y, text.data() + run,
                         static_cast<int>(i - run));
            run = i + 1;
        }
    }

  private:
    int Extent(const char* text, size_t count) const {
        if (count == 0) return 0;
        SIZE size{};
        GetTextExtentPoint32A(hdc_, text, static_cast<int>(count), &size);
        return size.cx;
    }

    HDC hdc_;
    bool expand_tabs_;
    int line_height_ = 0;
    int ascent_ = 0;
    int tab_width_ = 1;
};

struct Line {
    size_t begin;
    size_t end;
};

bool IsSpace(char c) {
    return c == ' ';
}

// Breaks one paragraph [begin, end) into lines no wider than `limit` where words allow.
void WrapParagraph(const std::string& text, size_t begin, size_t end, int limit,
                   const Measurer& measure, std::vector<Line>* lines) {
    if (begin == end) {
        lines->push_back(Line{begin, end});
        return;
    }
    size_t start = begin;
    while (start < end) {
        size_t fit_end = 0;  // end of the last whole word that fits
        size_t i = start;
        while (i < end) {
            size_t word_end = i;
            while (word_end < end && IsSpace(text[word_end])) ++word_end;
            while (word_end < end && !IsSpace(text[word_end])) ++word_end;
            if (fit_end != 0 && measure.Width(text, start, word_end) > limit) break;
            fit_end = word_end;  // the first word of a line stays, however wide
            i = word_end;
        }
        lines->push_back(Line{start, fit_end});
        start = fit_end;
        while (start < end && IsSpace(text[start])) ++start;
    }
}

std::vector<Line> SplitLines(const std::string& text, UINT format, int limit,
                             const Measurer& measure) {
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(Line{0, text.size()});
        return lines;
    }
    size_t begin = 0;
    for (;;) {
        size_t feed = text.find('\n', begin);
        size_t end = feed == std::string::npos ? text.size() : feed;
        size_t content_end = end > begin && text[end - 1] == '\r' ? end - 1 : end;
        if (format & DT_WORDBREAK) {
            WrapParagraph(text, begin, content_end, limit, measure, &lines);
        } else {
            lines.push_back(Line{begin, content_end});
        }
        if (feed == std::string::npos) break;
        begin = feed + 1;
    }
    return lines;
}

void Underline(HDC hdc, int left, int top, int right) {
    HBRUSH ink = CreateSolidBrush(GetTextColor(hdc));
    RECT bar{left, top, right, top + 1};
    FillRect(hdc, &bar, ink);
    DeleteObject(ink);
}

}  // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!hdc || !text || !rect) return 0;
    if (count < 0) count = static_cast<int>(std::strlen(text));
    Prefixed shown = StripPrefixes(text, count, (format & DT_NOPREFIX) != 0);
    Measurer measure(hdc, (format & DT_EXPANDTABS) != 0);
    // Trailing spaces of a wrapped line take no room.
    std::vector<Line> lines = SplitLines(shown.text, format, rect->right - rect->left, measure);
    for (Line& line : lines)
        if (format & DT_WORDBREAK)
            while (line.end > line.begin && IsSpace(shown.text[line.end - 1])) --line.end;

    int line_height = measure.line_height();
    int total_height = line_height * static_cast<int>(lines.size());
    int widest = 0;
    for (const Line& line : lines)
        widest = std::max(widest, measure.Width(shown.text, line.begin, line.end));
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + total_height;
        return total_height;
    }

    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top - line_height) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - line_height;
    }
    int first_y = y;
    for (const Line& line : lines) {
        int width = measure.Width(shown.text, line.begin, line.end);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->right - rect->left - width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - width;
        measure.Draw(shown.text, line.begin, line.end, x, y);
        for (size_t mark : shown.marked) {
            if (mark < line.begin || mark >= line.end) continue;
            int left = x + measure.Width(shown.text, line.begin, mark);
            int right = x + measure.Width(shown.text, line.begin, mark + 1);
            Underline(hdc, left, y + measure.ascent() + 1, right);
        }
        y += line_height;
    }
    return first_y - rect->top + total_height;
}
