#include "export/ListingLayout.h"

#include "link/Hex.h"

#include <charconv>

namespace modLumentorMGW {

namespace {
constexpr ListingField Node{"Node", "node", "nodes", 1, NumberForm::Hex2, 1, 254};
constexpr ListingField Relay{"Relay", "relay", "relays", 2, NumberForm::Decimal, 1, 64};
constexpr ListingField Device{"Device", "device", "devices", 2, NumberForm::Hex2, 1, 64};
constexpr ListingField Group{"Group", "group", "groups", 3, NumberForm::Decimal, 1, 256};
constexpr ListingField Preset{"Preset", "preset", "presets", 3, NumberForm::Decimal, 1, 256};
constexpr ListingField Input{"Input", "input", "inputs", 3, NumberForm::Decimal, 1, 8};

constexpr int Largest = 99999;
} // namespace

const ListingType ListingTypes[ListingTypeCount] = {
    {"Unused", 0, {}},
    {"Relay On/Off", 2, {Node, Relay}},
    {"Relay On/Timer Off", 2, {Node, Relay}},
    {"Multi Relay On/Off", 0, {}},
    {"Multi Relay On/Timer Off", 0, {}},
    {"Group On/Off", 1, {Group}},
    {"Group On/Timer Off", 1, {Group}},
    {"Preset Activate", 1, {Preset}},
    {"TL On Input", 3, {Node, Device, Input}},
    {"TL Off Input", 3, {Node, Device, Input}},
};

const ListingField BitmapNode{"Node", "node", "nodes", 0, NumberForm::Hex2, 1, 255};
const ListingField BitmapRelay{"Relay", "relay", "relays", 0, NumberForm::Decimal, 1, 64};

void AppendNumber(QByteArray &out, NumberForm form, int value)
{
    if (form == NumberForm::Hex2) {
        const char pair[2] = {HexDigitOf(unsigned(value) >> 4), HexDigitOf(unsigned(value))};
        out.append(pair, 2);
        return;
    }
    char text[12];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, int(end - text));
}

QString NumberText(NumberForm form, int value)
{
    QByteArray text;
    AppendNumber(text, form, value);
    return QString::fromLatin1(text);
}

bool ReadNumber(std::string_view text, NumberForm form, int *value)
{
    if (text.empty())
        return false;
    int n = 0;
    for (const char c : text) {
        const int d = form == NumberForm::Decimal ? (c >= '0' && c <= '9' ? c - '0' : -1) : HexDigit(c);
        if (d < 0)
            return false;
        if (n <= Largest)
            n = n * (form == NumberForm::Decimal ? 10 : 16) + d;
    }
    *value = n > Largest ? Largest : n;
    return true;
}

} // namespace modLumentorMGW
