#include "record/RecordScan.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>
#include <functional>

namespace modLumentorMGW {

namespace {
// A value's place in the line: [begin, end).
struct Span
{
    const char *begin;
    const char *end;
    bool Is(const char *text) const { return size_t(end - begin) == std::strlen(text) && !std::memcmp(begin, text, size_t(end - begin)); }
};

const char *SkipSpace(const char *s, const char *end)
{
    while (s < end && (*s == ' ' || *s == '\t' || *s == '\r' || *s == '\n'))
        ++s;
    return s;
}

// Past the string whose opening quote is at s, or null.
const char *SkipString(const char *s, const char *end)
{
    for (++s; s < end; ++s) {
        if (*s == '\\')
            ++s;
        else if (*s == '"')
            return s + 1;
    }
    return nullptr;
}

// Past the value at s, or null when it does not end in the line.
const char *SkipValue(const char *s, const char *end)
{
    if (s >= end)
        return nullptr;
    if (*s == '"')
        return SkipString(s, end);
    if (*s == '{' || *s == '[') {
        int depth = 0;
        for (; s < end; ++s) {
            if (*s == '"') {
                s = SkipString(s, end);
                if (!s)
                    return nullptr;
                --s;
            } else if (*s == '{' || *s == '[') {
                ++depth;
            } else if ((*s == '}' || *s == ']') && --depth == 0) {
                return s + 1;
            }
        }
        return nullptr;
    }
    const char *start = s;
    while (s < end && !std::strchr(",}] \t\r\n", *s))
        ++s;
    return s > start ? s : nullptr;
}

// Each member of the object (or element of the array) spanned by value:
// its key (empty in an array) and its value. False when it is not whole.
bool Members(Span value, bool object, const std::function<void(Span, Span)> &each)
{
    const char *s = SkipSpace(value.begin, value.end), *end = value.end;
    if (s >= end || *s != (object ? '{' : '['))
        return false;
    s = SkipSpace(s + 1, end);
    if (s < end && *s == (object ? '}' : ']'))
        return SkipSpace(s + 1, end) == end;
    for (;;) {
        Span key{s, s};
        if (object) {
            const char *keyEnd = s < end && *s == '"' ? SkipString(s, end) : nullptr;
            if (!keyEnd)
                return false;
            key = {s + 1, keyEnd - 1};
            s = SkipSpace(keyEnd, end);
            if (s >= end || *s != ':')
                return false;
            s = SkipSpace(s + 1, end);
        }
        const char *valueEnd = SkipValue(s, end);
        if (!valueEnd)
            return false;
        each(key, {s, valueEnd});
        s = SkipSpace(valueEnd, end);
        if (s < end && *s == ',') {
            s = SkipSpace(s + 1, end);
            continue;
        }
        return s < end && *s == (object ? '}' : ']') && SkipSpace(s + 1, end) == end;
    }
}

// A string's text; empty for anything else (null included).
QString Text(Span value)
{
    if (value.end - value.begin < 2 || *value.begin != '"')
        return QString();
    const QByteArray raw(value.begin, value.end - value.begin);
    if (!raw.contains('\\'))
        return QString::fromUtf8(raw.mid(1, raw.size() - 2));
    return QJsonDocument::fromJson('[' + raw + ']').array().at(0).toString();
}
} // namespace

bool ScanRecordLine(const QByteArray &line, RecordFields *f)
{
    bool whole = true;
    const bool object = Members({line.constData(), line.constData() + line.size()}, true, [&](Span key, Span value) {
        if (key.Is("started"))
            f->started = Text(value);
        else if (key.Is("gateway"))
            f->gateway = Text(value);
        else if (key.Is("command"))
            f->command = Text(value);
        else if (key.Is("result"))
            f->result = Text(value);
        else if (key.Is("verified"))
            f->verified = value.Is("true") ? 1 : value.Is("false") ? 0 : -1;
        else if (key.Is("port") && *value.begin == '{')
            whole &= Members(value, true, [&](Span k, Span v) {
                if (k.Is("given"))
                    f->portGiven = Text(v);
                else if (k.Is("resolved"))
                    f->portResolved = Text(v);
            });
        else if (key.Is("adapter") && *value.begin == '{')
            whole &= f->adapter = Members(value, true, [&](Span k, Span v) {
                if (k.Is("vendor_id"))
                    f->vendorId = Text(v);
                else if (k.Is("product_id"))
                    f->productId = Text(v);
                else if (k.Is("serial_number"))
                    f->serialNumber = Text(v);
            });
        else if (key.Is("files") && *value.begin == '[')
            whole &= Members(value, false, [&](Span, Span file) {
                RecordFields one;
                bool isMap = false;
                whole &= Members(file, true, [&](Span k, Span v) {
                    if (k.Is("role"))
                        isMap = v.Is("\"map\"");
                    else if (k.Is("path"))
                        one.mapPath = Text(v);
                    else if (k.Is("sha256"))
                        one.mapHash = Text(v);
                });
                if (isMap && !f->map) {
                    f->map = true;
                    f->mapPath = one.mapPath;
                    f->mapHash = one.mapHash;
                }
            });
    });
    return object && whole;
}

} // namespace modLumentorMGW
