#pragma once
// One line of a CSV file taken apart as spreadsheets write it: any field may
// stand in double quotes (a quote inside doubled), spaces around a field
// mean nothing, and rows padded to the widest row end in empty fields.
#include <string>
#include <string_view>
#include <vector>

namespace modLumentorMGW {

// The fields of line, split at separator, each without surrounding spaces
// or tabs and unquoted; empty fields at the end are dropped, so a blank or
// padded-empty line gives none. A field views line itself, or scratch when
// quotes had to be taken out; both must outlive the fields. False when a
// quote is not closed.
bool SplitCsvLine(std::string_view line, char separator, std::vector<std::string_view> &fields,
                  std::string &scratch);

// The separator a line uses: the first ',' or ';' outside quotes, else ','.
char CsvSeparatorOf(std::string_view line);

} // namespace modLumentorMGW
