#pragma once
// mgw run in-process against the gateway simulator on a pseudo-terminal
// (port 1, COM1), its output captured, map files in a folder of the test's
// own, the record too. No window: mgw has none. Every --json object a run
// prints is checked as a script reads it, and against the schema when the
// test ends.
#include "common/SchemaCheck.h"
#include "common/TestFiles.h"
#include "transfer/GatewaySide.h"

#include "cli/Mgw.h"
#include "image/ConfigImage.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"
#include "link/PortList.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

// What one in-process run of mgw returned and wrote.
struct Ran {
    int status = -1;
    QString out, err;
    QByteArray bytes; // out as written
    QJsonObject json; // with --json: the object on out
};

inline Ran RunMgw(const QStringList &arguments, QIODevice *in = nullptr)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = mgw::RunMgw(arguments, mgw::Console{out, err, false, in});
    return {status, QString::fromUtf8(out.data()), QString::fromUtf8(err.data()), out.data(),
            QJsonDocument::fromJson(out.data()).object()};
}

class MgwTest : public ::testing::Test {
protected:
    // Said after every download that did not end.
    inline static const QString Warning = "Lumentor Controller May Not Function\nProperly Until A Download Is Complete.\n";

    // The record of what met the gateway and where a download stopped go
    // to the test's folder: no test resumes another's.
    void SetUp() override
    {
        qputenv("MGW_RECORD", QFile::encodeName(dir.filePath("record.jsonl")));
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath("state")));
    }

    void TearDown() override
    {
        if (!objects.isEmpty()) {
            EXPECT_EQ(SchemaErrors(dir.path(), objects), "");
        }
        qunsetenv("MGW_RECORD");
        qputenv("XDG_STATE_HOME", state);
        modLumentorMGW::ForgetNamedPorts();
    }

    // With --json: one line, the object alone, its status the exit status.
    Ran Mgw(const QStringList &arguments, QIODevice *in = nullptr)
    {
        const Ran r = RunMgw(arguments, in);
        if (arguments.contains("--json") && !(arguments[0] == "record" && r.status == 0)) { // JSON Lines then
            const std::string what = arguments.join(' ').toStdString();
            EXPECT_TRUE(r.bytes.startsWith("{\"format_version\":1,") && r.bytes.count('\n') == 1
                        && r.bytes.endsWith("}\n")) << what << ": " << r.bytes.toStdString();
            EXPECT_EQ(r.json["exit_status"].toInt(-1), r.status) << what;
            EXPECT_EQ(r.json["command"].toString(), arguments[0]) << what;
            objects += r.bytes;
        }
        return r;
    }

    // The image as it stands, saved as a map file in the test's folder.
    QString Save(const QString &name)
    {
        modLumentorMGW::FileName = dir.filePath(name);
        EXPECT_TRUE(modLumentorMGW::WriteImageFile());
        return modLumentorMGW::FileName;
    }

    // Point 003 multi relay on relay 1 of node 01 (cell 4096 of bank 1);
    // point 012 single relay on node 05, relay 12.
    QString SampleMap()
    {
        modLumentorMGW::ClearImage();
        modLumentorMGW::SetPointType(2, 3);
        modLumentorMGW::SetRelayBit(2, 0, 0, true);
        modLumentorMGW::SetPointType(11, 1);
        modLumentorMGW::SetPointNode(11, 4);
        modLumentorMGW::SetPointRelay(11, 11);
        return Save("plant.MGW");
    }

    QString Pty() const { return QString::fromStdString(gateway.sim.SlavePath()); }

    std::vector<std::string> Commands() const { return CommandsOf(gateway.sim); }
    size_t Sent(const std::string &prefix) const { return SentOf(gateway.sim, prefix); }

    QTemporaryDir dir;
    SimulatedGateway gateway;
    QByteArray objects; // every --json object printed, one a line
    const QByteArray state = qgetenv("XDG_STATE_HOME");
};
