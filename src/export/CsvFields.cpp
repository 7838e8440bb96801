#include "export/CsvFields.h"

#include <algorithm>

namespace modLumentorMGW {

namespace {
using uchar = unsigned char;

// The length of the space that starts text: a space or tab, or a no-break
// space (from a web page or Sheets) in UTF-8 or ANSI; 0 when none. A lone
// 0xA0 never starts a UTF-8 character, so it can only be ANSI's.
std::size_t spaceAt(std::string_view text)
{
    if (text.empty())
        return 0;
    if (text[0] == ' ' || text[0] == '\t' || text[0] == '\xA0')
        return 1;
    return text.substr(0, 2) == "\xC2\xA0" ? 2 : 0;
}

// The same at the end; 0xA0 after a lead byte is part of its character
// ("\xC3\xA0" is a-grave).
std::size_t spaceBefore(std::string_view text)
{
    if (text.empty())
        return 0;
    const char last = text.back();
    if (last == ' ' || last == '\t')
        return 1;
    if (last != '\xA0')
        return 0;
    if (text.size() < 2 || uchar(text[text.size() - 2]) < 0x80)
        return 1;
    return text[text.size() - 2] == '\xC2' ? 2 : 0;
}

std::string_view trimmed(std::string_view text)
{
    while (const std::size_t n = spaceAt(text))
        text.remove_prefix(n);
    while (const std::size_t n = spaceBefore(text))
        text.remove_suffix(n);
    return text;
}
} // namespace

bool SplitCsvLine(std::string_view line, char separator, std::vector<std::string_view> &fields,
                  std::string &scratch)
{
    fields.clear();
    scratch.clear();
    scratch.reserve(line.size()); // never outgrown: the views into it stay valid
    std::size_t i = 0;
    for (;;) {
        while (const std::size_t n = spaceAt(line.substr(i)))
            i += n;
        std::size_t end = i;
        if (i < line.size() && line[i] == '"') {
            // Unquoted into scratch, with whatever follows the closing quote.
            const std::size_t start = scratch.size();
            bool closed = false;
            for (++i; i < line.size() && !closed; ++i) {
                if (line[i] != '"')
                    scratch += line[i];
                else if (i + 1 < line.size() && line[i + 1] == '"')
                    scratch += line[++i];
                else
                    closed = true;
            }
            if (!closed)
                return false;
            end = std::min(line.find(separator, i), line.size());
            scratch.append(line.substr(i, end - i));
            fields.push_back(trimmed(std::string_view(scratch).substr(start)));
        } else {
            while (end < line.size() && line[end] != separator)
                ++end; // fields are short: a loop beats a call
            fields.push_back(trimmed(line.substr(i, end - i)));
        }
        if (end >= line.size())
            break;
        i = end + 1;
    }
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return true;
}

char CsvSeparatorOf(std::string_view line)
{
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == ',' || c == ';'))
            return c;
    }
    return ',';
}

} // namespace modLumentorMGW
