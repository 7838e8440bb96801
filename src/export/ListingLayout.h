#pragma once
// The line layout of the listing, the one place that knows it: the words,
// the type names, the fields each type shows after its name, and the two
// number forms. The listing is written and read back with these.
#include <QByteArray>
#include <QString>
#include <string_view>

namespace modLumentorMGW {

constexpr std::string_view ListingEol = "\r\n";
constexpr std::string_view TitleWords = "Mapped Gateway File: ";
constexpr std::string_view PointWord = "Point";
constexpr std::string_view RelaysControlledWords = "Relays Controlled";

enum class NumberForm { Decimal, Hex2 };

// A number field: its label in the line, the record cell it shows (plus 1),
// its form, and the shown numbers the window's list offers.
struct ListingField {
    std::string_view label;   // "Node"
    const char *name;         // "node", as messages name one
    const char *plural;       // "nodes"
    int cell;                 // 1 to 3 of the point record; 0 for a bitmap line's fields
    NumberForm form;
    int first, last;
};

struct ListingType {
    std::string_view name;    // as the listing writes it
    int fieldCount;
    ListingField fields[3];
};

constexpr int ListingTypeCount = 10;
// By type code 0 to 9.
extern const ListingType ListingTypes[ListingTypeCount];
inline bool IsMultiRelayType(int type) { return type == 3 || type == 4; }

// The node and relay numbers of a multi relay point's ",,Node,hh,Relay,r,..."
// lines: node slots 0 to 254, one more than the window's node lists offer.
extern const ListingField BitmapNode;
extern const ListingField BitmapRelay;

// Decimal: the value, a sign when negative. Hex2: the low byte in two
// upper-case digits.
void AppendNumber(QByteArray &out, NumberForm form, int value);
QString NumberText(NumberForm form, int value);

// The value of text in form: decimal or hexadecimal digits of either case,
// leading zeros allowed; values past 99999 read as 99999. False when text is
// empty or holds anything else.
bool ReadNumber(std::string_view text, NumberForm form, int *value);

} // namespace modLumentorMGW
