#pragma once
// One point of the image as the overview lists it: each column's text in
// the window's forms, a key to sort by, and whether the stored value lies
// outside its list (shown as stored, plus 1 like every shown number, and
// marked, never hidden).
#include <QString>
#include <QStringList>
#include <array>

struct PointField {
    QString text;
    int key = 0;         // sorts numerically; empty fields sort first
    QString odd;         // why the value is marked; empty when it is in its list
};

class PointRow
{
public:
    enum Column { Point, Action, Node, Relay, Device, Input, Group, Preset, Relays, OnNodes, Columns };

    static QString Header(int column);

    // Reads point index p; `types` are the type list's entries.
    void Read(int p, const QStringList &types);

    const PointField &Field(int column) const { return fields_[column]; }
    bool Mapped() const { return mapped_; }
    // Lower-case "header value" of every shown field, for the text filter.
    const QString &Haystack() const { return haystack_; }

private:
    void ReadRelays(int p);
    void SetNumber(Column column, int stored, int last, bool hex, const QString &list);

    std::array<PointField, Columns> fields_;
    bool mapped_ = false;
    QString haystack_;
    QString nodeTerms_;
};
