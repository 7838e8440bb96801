#pragma once
// The note kept beside a recovery copy: what the window showed when
// the copy was taken, so that a later start can name it in its question and
// put the window back as it was. Lines of "key=value", written whole.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace modLumentorMGW {

struct RecoveryNote {
    QString file = QStringLiteral("None");   // the map file, or "None"
    int protocol = 0;                        // 0 BACnet, 1 LonWorks
    int point = 1;                           // the point shown, numbered as in its list
    QDateTime time;                          // when the copy was taken
    qint64 pid = 0;                          // the process that wrote it
    QString image;                           // the copy's file, in the same folder

    QByteArray Text() const;
    // A note read from text. On a missing or impossible value *why says
    // which ("no time", "a wrong point (751)"); such a note is not to be used.
    static RecoveryNote Parse(const QByteArray &text, QString *why);
};

} // namespace modLumentorMGW
