#pragma once
// The one line format scripts/bench collects into its table:
//   FIGURE<tab>figure<tab>measured<tab>target<tab>met|missed|-
// Everything else a benchmark prints is detail for the reader.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline void Figure(const std::string &figure, const std::string &measured, const std::string &target,
                   int met = -1)
{
    std::printf("FIGURE\t%s\t%s\t%s\t%s\n", figure.c_str(), measured.c_str(), target.c_str(),
                met < 0 ? "-" : met ? "met" : "missed");
    std::fflush(stdout);
}

template <class... Args>
std::string Format(const char *format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double Worst(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace bench
