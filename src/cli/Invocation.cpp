#include "cli/Invocation.h"

#include "cli/TerminalPanel.h"
#include "image/MapFile.h"

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
    mgw::Say(console.err, text);
}

void Invocation::Print(const QString &text) const
{
    console.out.write((text + QLatin1Char('\n')).toUtf8());
}

int Invocation::Refuse(const QString &text) const
{
    Say(QStringLiteral("mgw %1: %2").arg(command, text));
    return ExitUsage;
}

bool Invocation::ReadMap(const QString &file) const
{
    modLumentorMGW::FileName = file;
    QString reason;
    if (QFileInfo(file).isDir())
        reason = QStringLiteral("it is a folder");
    else if (modLumentorMGW::ReadImageFile(&reason))
        return true;
    Refuse(QStringLiteral("cannot read %1: %2").arg(file, reason));
    return false;
}

} // namespace mgw
