#pragma once
// The real window with its recovery copies in the test's own folder, times
// shown in UTC.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "ui/recovery/RecoveryCopy.h"

#include <QElapsedTimer>
#include <QThread>

#include <ctime>

class RecoveryTest : public WindowFixture {
protected:
    void SetUp() override
    {
        qputenv("TZ", "UTC");
        tzset();
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
        WindowFixture::SetUp();
    }

    QString Folder(const QString &file = {}) const { return home.filePath("state/LumentorMGW/Recovery/" + file); }
    modLumentorMGW::RecoveryWriter &Writer() const { return RecoveryCopy::Of(window.get())->Writer(); }

    // Runs the window until `done` holds (at most 10 s), then lets the writer finish.
    void RunUntil(const std::function<bool()> &done) const
    {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 10000) {
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        Writer().Finish();
    }

    static QByteArray ImageBytes()
    {
        return QByteArray(reinterpret_cast<const char *>(modLumentorMGW::ConfigImage), MapFileBytes);
    }
};
