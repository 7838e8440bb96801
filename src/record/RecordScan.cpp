#include "record/RecordScan.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstring>

namespace modLumentorMGW {

const char *const ShownFields[8] = {"started", "gateway", "port", "adapter", "command", "files", "result", "verified"};

namespace {
qsizetype SkipSpace(const char *s, qsizetype n, qsizetype i)
{
    while (i < n && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n'))
        ++i;
    return i;
}

// Past the string whose opening quote is at i, or -1.
qsizetype SkipString(const char *s, qsizetype n, qsizetype i)
{
    for (++i; i < n; ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '"')
            return i + 1;
    }
    return -1;
}

// Past the value that starts at i, or -1 when it does not end in the line.
qsizetype SkipValue(const char *s, qsizetype n, qsizetype i)
{
    if (i >= n)
        return -1;
    if (s[i] == '"')
        return SkipString(s, n, i);
    if (s[i] == '{' || s[i] == '[') {
        int depth = 0;
        for (; i < n; ++i) {
            if (s[i] == '"') {
                i = SkipString(s, n, i);
                if (i < 0)
                    return -1;
                --i;
            } else if (s[i] == '{' || s[i] == '[') {
                ++depth;
            } else if ((s[i] == '}' || s[i] == ']') && --depth == 0) {
                return i + 1;
            }
        }
        return -1;
    }
    const qsizetype start = i;
    while (i < n && !std::strchr(",}] \t\r\n", s[i]))
        ++i;
    return i > start ? i : -1;
}

// One value decoded; undefined when it is not JSON.
QJsonValue Decode(const QByteArray &raw)
{
    if (raw.startsWith('"') && !raw.contains('\\'))
        return QString::fromUtf8(raw.mid(1, raw.size() - 2));
    if (raw == "true" || raw == "false")
        return raw == "true";
    if (raw == "null")
        return QJsonValue();
    // A document is an object or an array: anything else is read as one's element.
    const bool whole = raw.startsWith('{') || raw.startsWith('[');
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(whole ? raw : '[' + raw + ']', &error);
    if (error.error != QJsonParseError::NoError)
        return QJsonValue(QJsonValue::Undefined);
    if (!whole)
        return document.array().at(0);
    return document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
}
} // namespace

bool ScanRecordLine(const QByteArray &line, QJsonObject *shown)
{
    const char *s = line.constData();
    const qsizetype n = line.size();
    qsizetype i = SkipSpace(s, n, 0);
    if (i >= n || s[i] != '{')
        return false;
    i = SkipSpace(s, n, i + 1);
    if (i < n && s[i] == '}')
        return SkipSpace(s, n, i + 1) == n;
    for (;;) {
        if (i >= n || s[i] != '"')
            return false;
        const qsizetype keyEnd = SkipString(s, n, i);
        if (keyEnd < 0)
            return false;
        const char *key = s + i + 1;
        const size_t keySize = size_t(keyEnd - i - 2);
        i = SkipSpace(s, n, keyEnd);
        if (i >= n || s[i] != ':')
            return false;
        const qsizetype start = SkipSpace(s, n, i + 1);
        const qsizetype end = SkipValue(s, n, start);
        if (end < 0)
            return false;
        for (const char *field : ShownFields) {
            if (std::strlen(field) == keySize && std::memcmp(key, field, keySize) == 0) {
                const QJsonValue value = Decode(QByteArray(s + start, end - start));
                if (value.isUndefined())
                    return false;
                shown->insert(QLatin1String(field), value);
            }
        }
        i = SkipSpace(s, n, end);
        if (i < n && s[i] == ',') {
            i = SkipSpace(s, n, i + 1);
            continue;
        }
        return i < n && s[i] == '}' && SkipSpace(s, n, i + 1) == n;
    }
}

} // namespace modLumentorMGW
