#include "export/CsvFields.h"

#include <algorithm>

namespace modLumentorMGW {

namespace {
bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}
} // namespace

bool SplitCsvLine(std::string_view line, char separator, std::vector<std::string> &fields)
{
    std::size_t used = 0;
    std::size_t i = 0;
    bool more = true;
    while (more) {
        if (used == fields.size())
            fields.emplace_back();
        std::string &field = fields[used++];
        field.clear();
        while (i < line.size() && isSpace(line[i]))
            ++i;
        if (i < line.size() && line[i] == '"') {
            bool closed = false;
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    closed = true;
                    ++i;
                    break;
                }
            }
            if (!closed) {
                fields.resize(used);
                return false;
            }
        }
        // Unquoted text, or what follows a closing quote up to the separator.
        const std::size_t end = std::min(line.find(separator, i), line.size());
        field += line.substr(i, end - i);
        field = std::string(trimmed(field));
        more = end < line.size();
        i = end + 1;
    }
    while (used > 0 && fields[used - 1].empty())
        --used;
    fields.resize(used);
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
