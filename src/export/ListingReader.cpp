#include "export/ListingReader.h"

#include "export/CsvFields.h"
#include "export/ListingLayout.h"
#include "image/PointRecord.h"

#include <algorithm>

namespace modLumentorMGW {

void ListingReader::Read(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    // A line ends at LF, CR LF or a lone CR. The next of each is kept, so
    // that a file of one kind is not searched again for the other per line.
    const auto next = [&](char c, std::size_t from) { return std::min(text.find(c, from), text.size()); };
    std::size_t at = 0, lf = next('\n', 0), cr = next('\r', 0);
    while (at < text.size()) {
        lf = lf < at ? next('\n', at) : lf;
        cr = cr < at ? next('\r', at) : cr;
        const std::size_t end = std::min(lf, cr);
        ++line_;
        Line(text.substr(at, end - at));
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    if (block_ == Block::RelaysExpected && bitmap_ >= 0) {
        line_ = blockLine_;
        lineBad_ = false;
        Bad(QStringLiteral(",Relays Controlled missing after this multi relay point"));
    }
    if (out_.points_.empty() && out_.bad_ == 0)
        out_.Bad(QStringLiteral("no point is listed"));
}

void ListingReader::Line(std::string_view line)
{
    lineBad_ = false;
    if (line.substr(0, 3) == "\xEF\xBB\xBF")
        line.remove_prefix(3); // two exports joined: the second one's mark is no text
    if (line.find_first_not_of(" \t,;") == std::string_view::npos)
        return; // blank, or a row of empty cells
    if (!started_) {
        started_ = true;
        // The title line, quoted or not; its name may hold any separator.
        const std::string_view title = TitleWords.substr(0, TitleWords.find(':') + 1);
        const std::size_t first = line.find_first_not_of(" \t\"");
        if (first != std::string_view::npos && line.substr(first, title.size()) == title)
            return;
    }
    if (!separator_)
        separator_ = CsvSeparatorOf(line);
    if (!SplitCsvLine(line, separator_, f_, unquoted_))
        return Bad(QStringLiteral("a quote is not closed"));
    if (f_.empty())
        return;
    const bool relaysLine = f_.size() == 2 && f_[0].empty() && f_[1] == RelaysControlledWords;
    if (block_ == Block::RelaysExpected) {
        block_ = Block::Relays;
        if (!relaysLine)
            Bad(QStringLiteral(",Relays Controlled expected after the multi relay point of line %1").arg(blockLine_));
        return;
    }
    if (f_[0] == PointWord)
        return PointLine();
    if (relaysLine)
        return Bad(QStringLiteral(",Relays Controlled outside a multi relay point"));
    if (f_.size() >= 3 && f_[0].empty() && f_[1].empty() && f_[2] == BitmapNode.label)
        return NodeLine();
    std::size_t first = 0;
    while (f_[first].empty())
        ++first; // the last field is never empty
    Bad(QStringLiteral("%1: not a line of the listing").arg(Found(first)));
}

void ListingReader::PointLine()
{
    block_ = Block::None;
    if (f_.size() < 2 || f_[1].empty())
        return Bad(QStringLiteral("point number missing"));
    int number = 0;
    if (!ReadNumber(f_[1], NumberForm::Decimal, &number))
        return Bad(QStringLiteral("point %1: not a number").arg(Found(1)));
    if (number < 1 || number > pointCount_)
        return Bad(QStringLiteral("point %1: points are 1 to %2").arg(Found(1)).arg(pointCount_));
    const int p = number - 1;
    if (listedOn_[p])
        return Bad(QStringLiteral("point %1: listed before, on line %2").arg(number).arg(listedOn_[p]));
    listedOn_[p] = line_;
    if (f_.size() < 3 || f_[2].empty())
        return Bad(QStringLiteral("type missing"));
    int type = 0;
    while (type < ListingTypeCount && f_[2] != ListingTypes[type].name)
        ++type;
    if (type == ListingTypeCount)
        return Bad(QStringLiteral("type %1: not a type of the listing").arg(Found(2)));
    const ListingType &layout = ListingTypes[type];
    ListedPoint point{int16_t(p), {int16_t(type), 0, 0, 0}, -1};
    for (int k = 0; k < layout.fieldCount; ++k) {
        int shown = 0;
        if (!Field(3 + 2 * std::size_t(k), layout.fields[k], &shown))
            return;
        point.cells[layout.fields[k].cell] = int16_t(shown - 1);
    }
    if (f_.size() > 3 + 2 * std::size_t(layout.fieldCount)) {
        // Named by the first text past the fields (the last field is never empty).
        std::size_t extra = 3 + 2 * std::size_t(layout.fieldCount);
        while (f_[extra].empty())
            ++extra;
        const QString name = QString::fromLatin1(layout.name.data(), int(layout.name.size()));
        return Bad(QStringLiteral("%1: more fields than %2 %3 line has")
                       .arg(Found(extra), name.startsWith(QLatin1Char('U')) ? QStringLiteral("an") : QStringLiteral("a"),
                            name));
    }
    if (IsMultiRelayType(type)) {
        // Its ",Relays Controlled" is taken even when the point is refused.
        block_ = Block::RelaysExpected;
        blockLine_ = line_;
        bitmap_ = -1;
        nodesSeen_.reset();
        if (p >= MultiRelayPoints)
            return Bad(QStringLiteral("point %1: multi relay points are 1 to %2").arg(number).arg(MultiRelayPoints));
        bitmap_ = int(out_.bitmaps_.size());
        out_.bitmaps_.push_back({});
        point.bitmap = bitmap_;
    }
    out_.points_.push_back(point);
}

void ListingReader::NodeLine()
{
    if (block_ != Block::Relays)
        return Bad(QStringLiteral("a node's relays outside a multi relay point"));
    int node = 0;
    if (!Field(2, BitmapNode, &node))
        return;
    if (nodesSeen_[std::size_t(node)])
        return Bad(QStringLiteral("node %1: listed before for this point").arg(Found(3)));
    nodesSeen_[std::size_t(node)] = true;
    if (!Label(4, BitmapRelay.label))
        return;
    uint64_t relays = 0;
    for (std::size_t i = 5; i < f_.size(); ++i) {
        if (f_[i].empty())
            continue; // a cell cleared in a spreadsheet: no relay
        int relay = 0;
        if (!Number(i, BitmapRelay, &relay))
            return;
        const uint64_t bit = uint64_t(1) << (relay - 1);
        if (relays & bit)
            return Bad(QStringLiteral("relay %1: listed twice").arg(Found(i)));
        relays |= bit;
    }
    if (bitmap_ >= 0)
        out_.bitmaps_[std::size_t(bitmap_)][std::size_t(node - 1)] = relays;
}

// The label at i and the number after it, in the field's form and range.
bool ListingReader::Field(std::size_t i, const ListingField &field, int *shown)
{
    return Label(i, field.label) && Number(i + 1, field, shown);
}

bool ListingReader::Number(std::size_t i, const ListingField &field, int *shown)
{
    if (i < f_.size() && ReadNumber(f_[i], field.form, shown) && *shown >= field.first && *shown <= field.last)
        return true;
    const QString name = QString::fromLatin1(field.name);
    if (i >= f_.size() || f_[i].empty())
        Bad(name + QStringLiteral(" missing"));
    else if (!ReadNumber(f_[i], field.form, shown))
        Bad(QStringLiteral("%1 %2: not a %3number")
                .arg(name, Found(i), field.form == NumberForm::Hex2 ? QStringLiteral("hexadecimal ") : QString()));
    else
        Bad(QStringLiteral("%1 %2: %3 are %4 to %5")
                .arg(name, Found(i), QString::fromLatin1(field.plural), NumberText(field.form, field.first),
                     NumberText(field.form, field.last)));
    return false;
}

bool ListingReader::Label(std::size_t i, std::string_view label)
{
    if (i < f_.size() && f_[i] == label)
        return true;
    const QString expected = QString::fromLatin1(label.data(), int(label.size()));
    // Missing as the number's message says it: "relay missing".
    Bad(i < f_.size() && !f_[i].empty() ? QStringLiteral("%1: %2 expected").arg(Found(i), expected)
                                        : expected.toLower() + QStringLiteral(" missing"));
    return false;
}

// One message a line: the first fault found.
void ListingReader::Bad(const QString &why)
{
    if (lineBad_)
        return;
    lineBad_ = true;
    out_.Bad(QStringLiteral("line %1: %2").arg(line_).arg(why));
}

// A field as the file holds it, cut short when long; never empty (the
// callers name empty fields as missing). A control character (a tab inside
// a field) is shown as '?': a terminal or a box would act on it.
QString ListingReader::Found(std::size_t i) const
{
    QString text = QString::fromUtf8(f_[i].data(), int(std::min<std::size_t>(f_[i].size(), 64)));
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return text.size() > 24 ? text.left(21) + QStringLiteral("...") : text;
}

} // namespace modLumentorMGW
