#pragma once
// Stamps the moment a window has been painted for the first time (its
// first paint pass and the flush after it), prints
//   PAINTED <start of main, steady ns> <ms since then> <VmRSS KiB> <width> <height>
// and ends the event loop. Shared by the start-up benchmark's two programs.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace bench {

inline long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget &window, std::chrono::steady_clock::time_point start) : window_(window), start_(start)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs once the whole paint pass, children included, is done.
            QTimer::singleShot(0, this, [this] { Report(); });
        }
        return false;
    }

private:
    void Report()
    {
        using namespace std::chrono;
        const auto now = steady_clock::now();
        std::printf("PAINTED %lld %.3f %ld %d %d\n",
                    static_cast<long long>(duration_cast<nanoseconds>(start_.time_since_epoch()).count()),
                    duration<double, std::milli>(now - start_).count(), ResidentKiB(), window_.width(),
                    window_.height());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    QWidget &window_;
    std::chrono::steady_clock::time_point start_;
    bool seen_ = false;
};

} // namespace bench
