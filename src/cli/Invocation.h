#pragma once
// One command line taken apart: the command, its files and options, and the
// console it answers on.
#include "cli/Mgw.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class QIODevice;
namespace modLumentorMGW { class RunReport; }

namespace mgw {

struct Invocation
{
    Invocation(const Console &console, const QString &command) : console(console), command(command) {}

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
    bool json = false;       // one JSON object on standard output, all else on standard error
    QString gateway;         // the operator's name for the gateway, for the record
    QString record;          // --record: the record file, when not the default
    bool recorded = false;   // a download, upload or verify: its end goes into the record
    modLumentorMGW::RunReport *report = nullptr; // what --json and the record are told
    QString since, map;      // mgw record's filters, with port and gateway
    bool last = false;

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
int Record(const Invocation &call);

// The port number for call.port, told to the report as named and as
// opened (the adapter behind it) before the gateway is met.
int16_t ReportedPort(const Invocation &call);

extern const char RecordHelp[];

// "unknown command", as a refused run (with --json, its JSON object).
int RefuseUnknown(const QStringList &arguments, const Console &console);

// The end of every run: the outcome into the report, the record's line for
// a transfer or verify, the JSON object when asked for. Returns status.
int EndRun(const Invocation &call, int status);

} // namespace mgw
