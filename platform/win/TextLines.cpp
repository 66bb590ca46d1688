#include "platform/win/TextLines.h"

#include <algorithm>

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

}  // namespace

std::vector<TextLine> SplitLines(std::string_view data) {
    std::vector<TextLine> lines;
    std::size_t pos = 0;
    while (pos < data.size()) {
        const std::size_t lf = data.find('\n', pos);
        const bool last = lf == std::string_view::npos;
        TextLine line{pos, pos == 0 && data.starts_with(kBom) ? kBom.size() : pos,
                      last ? data.size() : lf, last ? data.size() : lf + 1};
        if (!last && line.textEnd > line.textBegin && data[line.textEnd - 1] == '\r')
            --line.textEnd;
        line.textEnd = std::max(line.textEnd, line.textBegin);
        lines.push_back(line);
        pos = line.end;
    }
    return lines;
}
