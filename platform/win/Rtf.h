#pragma once
// Our RTF reader and writer for the rich-edit control: text, paragraphs, bold,
// italic, underline, font face and size, text colour. Free of Qt so the reader
// can be fuzzed on its own. RTF files come from anywhere: the reader never
// throws, skips what it does not know and keeps to linear time and bounded
// memory whatever the input.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win::rtf {

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string face;     // empty: the control's font
    int halfPoints = 0;   // size in half points, 0: the control's size
    bool hasColor = false;
    uint32_t color = 0;   // COLORREF (0x00BBGGRR) when hasColor

    bool operator==(const CharFormat&) const = default;
};

struct Run {
    std::string text; // UTF-8; '\n' is a line break inside the paragraph, '\t' a tab
    CharFormat format;

    bool operator==(const Run&) const = default;
};

struct Paragraph {
    std::vector<Run> runs;

    bool operator==(const Paragraph&) const = default;
};

struct Document {
    std::vector<Paragraph> paragraphs; // at least one after Read

    bool operator==(const Document&) const = default;
    // The plain text, paragraphs joined by '\n'.
    std::string PlainText() const;
};

// A Windows-1252 byte as a code point (0x80..0x9F hold the code page's own letters).
char32_t FromCp1252(unsigned char c);

// Whether the bytes start like an RTF file ("{\rtf").
bool LooksLikeRtf(std::string_view data);

// Reads RTF; anything it cannot use is skipped. Deeper nesting than the reader
// keeps track of is read with the formatting of the deepest kept group.
Document Read(std::string_view data);

// Writes the document as RTF (Windows-1252 code page, other characters as \u).
std::string Write(const Document& doc);

} // namespace win::rtf
