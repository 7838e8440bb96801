#include "link/Hex.h"

namespace modLumentorMGW {

namespace {

template <typename CharAt>
int32_t hexVal(int available, int width, CharAt charAt)
{
    int32_t value = 0;
    for (int i = 0; i < width && i < available; ++i) {
        const int d = HexDigit(charAt(i));
        if (d < 0)
            break;
        value = value * 16 + d;
    }
    return value;
}
} // namespace

QString Hex2(int16_t value)
{
    const unsigned v = static_cast<uint16_t>(value);
    const QChar out[2] = {QLatin1Char(HexDigitOf(v >> 4)), QLatin1Char(HexDigitOf(v))};
    return QString(out, 2);
}

QString Hex4(int32_t value)
{
    const unsigned v = static_cast<uint32_t>(value);
    const QChar out[4] = {QLatin1Char(HexDigitOf(v >> 12)), QLatin1Char(HexDigitOf(v >> 8)),
                          QLatin1Char(HexDigitOf(v >> 4)), QLatin1Char(HexDigitOf(v))};
    return QString(out, 4);
}

int32_t HexVal2(const QString &text)
{
    return hexVal(int(text.size()), 2, [&](int i) { return int(text.at(i).unicode()); });
}

int32_t HexVal4(const QString &text)
{
    return hexVal(int(text.size()), 4, [&](int i) { return int(text.at(i).unicode()); });
}

int32_t HexVal2(const char *text, int length)
{
    return hexVal(length, 2, [&](int i) { return int(static_cast<unsigned char>(text[i])); });
}

int32_t HexVal4(const char *text, int length)
{
    return hexVal(length, 4, [&](int i) { return int(static_cast<unsigned char>(text[i])); });
}

int HexDigit(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace modLumentorMGW
