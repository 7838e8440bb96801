#include "cli/Invocation.h"

#include "cli/TerminalPanel.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "record/RunReport.h"

#include <QFileInfo>
#include <QIODevice>

namespace mgw {

void Say(QIODevice &err, const QString &text)
{
    EndProgressLine(err);
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    err.write((line + QLatin1Char('\n')).toUtf8());
}

void Invocation::Say(const QString &text) const
{
    if (report)
        report->AddMessage(text);
    mgw::Say(console.err, text);
}

// With --json standard output holds the JSON object alone.
void Invocation::Print(const QString &text) const
{
    (json ? console.err : console.out).write((text + QLatin1Char('\n')).toUtf8());
}

int Invocation::Refuse(const QString &text) const
{
    Say(QStringLiteral("mgw %1: %2").arg(command, text));
    return ExitUsage;
}

namespace {
// The first cell outside 0 to 255, as "bank B address A holds V"; empty when none.
QString CellNotAByte()
{
    using namespace modLumentorMGW;
    for (int i = 0; i < CellCount; ++i) {
        if (ConfigImage[i] < 0 || ConfigImage[i] > 255)
            return QStringLiteral("bank %1 address %2 holds %3").arg(i % 2).arg(i / 2).arg(ConfigImage[i]);
    }
    return QString();
}
} // namespace

bool Invocation::ReadMap(const QString &file, bool forGateway) const
{
    using namespace modLumentorMGW;
    const QFileInfo info(file);
    // Told from the size alone: a long file is never read.
    if (forGateway && info.isFile() && info.size() != MapFileSize) {
        Refuse(QStringLiteral("%1 is not a map file: it holds %2 bytes; a map file holds exactly %3.")
                   .arg(file).arg(info.size()).arg(MapFileSize));
        return false;
    }
    FileName = file;
    QString reason;
    if (ReadImageFile(&reason)) {
        const QString cell = forGateway ? CellNotAByte() : QString();
        if (cell.isEmpty())
            return true;
        Refuse(QStringLiteral("%1 is not a map file: %2; the gateway's cells hold 0 to 255.").arg(file, cell));
        return false;
    }
    Refuse(QStringLiteral("cannot read %1: %2").arg(file, reason));
    return false;
}

} // namespace mgw
