#pragma once
// The real window with its recovery copies in the test's own folder, times
// shown in UTC, and copies planted there as windows that ended left them.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QThread>

#include <ctime>
#include <functional>

class RecoveryTest : public WindowFixture {
protected:
    const NoSystemPorts noSystemPorts; // each window looks them up

    void SetUp() override
    {
        qputenv("TZ", "UTC");
        tzset();
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
        WindowFixture::SetUp();
        QCoreApplication::processEvents(); // the offer at start
    }

    QString Folder(const QString &file = {}) const
    {
        const QString folder = home.filePath("state/LumentorMGW/Recovery");
        return file.isEmpty() ? folder : folder + '/' + file;
    }
    modLumentorMGW::RecoveryWriter &Writer() const { return window->Recovery->Writer(); }
    // What the timer does, now.
    void Snapshot() const { window->Recovery->TakeSnapshot(), Writer().Finish(); }
    // Runs the events until `done` holds (at most 10 s), then lets the writer finish.
    void RunUntil(const std::function<bool()> &done) const
    {
        for (int i = 0; i < 2000 && !done(); ++i, QThread::msleep(5))
            QCoreApplication::processEvents();
        Writer().Finish();
    }
    // A window started afresh, its offers answered `answer`.
    void Restart(int answer = modLumentorMGW::vbNo)
    {
        window.reset();
        boxes.Clear();
        boxes.Answer(answer);
        window = std::make_unique<frmLumentorMGW>();
        QCoreApplication::processEvents();
    }
    // The copy `name` of a window that ended, its note starting with `head`,
    // its image in the file of generation `generation`.
    void Plant(const QString &name, const QByteArray &image = QByteArray(MapFileBytes, '\0'),
               const QByteArray &head = "file=None\nprotocol=BACnet\npoint=1\ntime=2026-03-01T10:00:00.000Z\n",
               int generation = 1) const
    {
        const QString file = name + '.' + QString::number(generation) + ".mgw";
        QDir().mkpath(Folder());
        WriteAll(Folder(name + ".txt"), head + "pid=77\nimage=" + file.toUtf8() + '\n');
        WriteAll(Folder(file), image);
    }
    static QByteArray ImageBytes()
    {
        return {reinterpret_cast<const char *>(modLumentorMGW::ConfigImage), MapFileBytes};
    }
};
