// The baseline of the start-up benchmark: a bare Qt Widgets program that
// shows one empty window (of the main window's size with --size WxH) and
// reports its first paint as bench_startup does.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    const auto start = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    QWidget window;
    const QStringList args = app.arguments();
    const int at = int(args.indexOf(QStringLiteral("--size")));
    const QStringList size = at > 0 && at + 1 < args.size() ? args[at + 1].split(QLatin1Char('x')) : QStringList();
    if (size.size() == 2)
        window.resize(size[0].toInt(), size[1].toInt());
    bench::FirstPaint watch(window, start);
    window.show();
    return app.exec();
}
