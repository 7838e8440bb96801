#include "export/CsvFields.h"

#include <algorithm>

namespace modLumentorMGW {

namespace {
bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    if (text.empty() || !(isSpace(text.front()) || isSpace(text.back())))
        return text;
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
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
        while (i < line.size() && isSpace(line[i]))
            ++i;
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
