// The lines of a settings file, as offsets into its bytes, so that a rewrite can keep every
// other line exactly as it was.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// [begin, end) is the whole line with its line ending; [textBegin, textEnd) its text, without
// the line ending (LF or CRLF) nor a byte-order mark starting the file.
struct TextLine {
    std::size_t begin;
    std::size_t textBegin;
    std::size_t textEnd;
    std::size_t end;
};

std::vector<TextLine> SplitLines(std::string_view data);
