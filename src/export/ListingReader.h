#pragma once
// The line by line check of a listing, by the layout the export writes: it
// fills a ListingImport with the points read and every bad line.
#include "export/ListingImport.h"

#include <bitset>
#include <string>
#include <string_view>

namespace modLumentorMGW {

struct ListingField;

class ListingReader
{
public:
    ListingReader(ListingImport &out, int pointCount)
        : out_(out), pointCount_(pointCount), listedOn_(std::size_t(pointCount), 0) {}

    void Read(std::string_view text);

private:
    enum class Block { None, RelaysExpected, Relays };

    void Line(std::string_view line);
    void PointLine();
    void NodeLine();
    bool Field(std::size_t i, const ListingField &field, int *shown);
    bool Number(std::size_t i, const ListingField &field, int *shown);
    bool Label(std::size_t i, std::string_view label);
    void Bad(const QString &why);
    QString Found(std::size_t i) const;

    ListingImport &out_;
    const int pointCount_;
    std::vector<int> listedOn_;   // by point index: the line that listed it, or 0
    std::vector<std::string_view> f_;  // the fields of the line at hand
    std::string unquoted_;        // what they view when quotes were taken out
    int line_ = 0;
    bool lineBad_ = false;
    bool started_ = false;        // a line other than blank ones seen: no title line from here
    char separator_ = 0;          // taken from the first line after the title
    Block block_ = Block::None;
    int blockLine_ = 0;           // the multi relay point's line
    int bitmap_ = -1;             // its bitmap, -1 when its line was bad
    std::bitset<256> nodesSeen_;
};

} // namespace modLumentorMGW
