#pragma once
// mgw against the gateway simulator on a pseudo-terminal, run in-process
// with its output captured: the window's transfer fixture, map files in a
// folder of the test's own.
#include "common/TestFiles.h"
#include "transfer/TransferFixture.h"

#include "cli/Mgw.h"
#include "image/MapFile.h"
#include "image/PointRecord.h"

#include <QBuffer>
#include <QTemporaryDir>

// What one in-process run of mgw returned and wrote.
struct Ran {
    int status = -1;
    QString out, err;
    QByteArray bytes; // out as written
};

// The window's transfer fixture: the simulator behind COM1 and Commands().
class MgwTest : public TransferTest {
protected:
    Ran Mgw(const QStringList &arguments)
    {
        QBuffer out, err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = mgw::RunMgw(arguments, mgw::Console{out, err, false});
        return {status, QString::fromUtf8(out.data()), QString::fromUtf8(err.data()), out.data()};
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

    QTemporaryDir dir;
};
