#pragma once
// One command line taken apart: the command, its files and options, and the
// console it answers on.
#include "cli/Mgw.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace mgw {

struct Invocation
{
    const Console &console;
    QString command;
    QStringList files;
    QString port;
    QString output;
    int points = 750;
    bool quiet = false;
    QString into;   // import: the map file the listed points go onto
    QString log, capture; // --log, --capture: the line's records
    int retries = 0;      // download, upload: tries more of a command the line spoilt
    int waitPort = 60;    // download, upload: seconds to wait for a port gone
    bool resume = false;  // download: from where the last one stopped

    // A message line on standard error, CR LF written as a line break.
    void Say(const QString &text) const;
    // A result line on standard output.
    void Print(const QString &text) const;
    // "mgw <command>: <text>" on standard error; returns ExitUsage.
    int Refuse(const QString &text) const;
    // Reads a map file into the image; false after saying why. For the
    // gateway it must be a map file exactly, every cell a byte: anything else
    // could only fail once the gateway's map is gone.
    bool ReadMap(const QString &file, bool forGateway = false) const;
};

// A message line on err, CR LF written as a line break.
void Say(QIODevice &err, const QString &text);

int Download(const Invocation &call);
int Upload(const Invocation &call);
int Verify(const Invocation &call);
int Export(const Invocation &call);
int Diff(const Invocation &call);
int Import(const Invocation &call);
int Probe(const Invocation &call);

} // namespace mgw
