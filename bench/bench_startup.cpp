// Start-up: from the start of main() to the main window shown and painted,
// headless, and the resident memory then, against a bare Qt Widgets program
// showing an empty window of the same size (bench_bare_window), both run as
// fresh processes in turn.
// bench_startup --window does what the program's main() does, with the
// first paint stamped; without it, it runs both programs and reports.
#include "BenchReport.h"
#include "FirstPaint.h"

#include "ui/dialogs/MessageBox.h"
#include "ui/window/frmLumentorMGW.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>
#include <type_traits>

using bench::Format;

namespace {
struct Run
{
    double beforeMain = 0, toPaint = 0, mib = 0;
    QString size;
};

// One fresh process; false when it printed no PAINTED line.
bool Launch(const QString &program, const QStringList &args, const QProcessEnvironment &env, Run *run)
{
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto launched = std::chrono::steady_clock::now();
    child.start(program, args);
    if (!child.waitForFinished(30000))
        return false;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 6 || f[0] != "PAINTED")
            continue;
        run->beforeMain = (f[1].toDouble() - double(launched.time_since_epoch().count())) / 1e6;
        run->toPaint = f[2].toDouble();
        run->mib = f[3].toDouble() / 1024;
        run->size = QString::fromLatin1(f[4] + 'x' + f[5]);
        return true;
    }
    return false;
}

int Drive(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    static_assert(std::is_same_v<std::chrono::steady_clock::duration, std::chrono::nanoseconds>);
    QTemporaryDir home; // the window makes its default folder there
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_STATE_HOME"), home.path());   // no recovery copies of the user's asked about
    if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR")))
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    const QString dir = QCoreApplication::applicationDirPath();
    constexpr int Runs = 7;
    std::vector<double> windowMs, bareMs, windowMiB, bareMiB;
    for (int i = 0; i < Runs; ++i) {
        Run w, b;
        if (!Launch(dir + QStringLiteral("/bench_startup"), {QStringLiteral("--window")}, env, &w)
            || !Launch(dir + QStringLiteral("/bench_bare_window"), {QStringLiteral("--size"), w.size}, env, &b)) {
            std::fprintf(stderr, "a start-up run reported no paint\n");
            return 1;
        }
        std::printf("  run %d: window %.1f ms after main() (%.1f ms before it), %.1f MiB; "
                    "bare %.1f ms (%.1f ms before), %.1f MiB; %s\n",
                    i + 1, w.toPaint, w.beforeMain, w.mib, b.toPaint, b.beforeMain, b.mib, qPrintable(w.size));
        windowMs.push_back(w.toPaint);
        bareMs.push_back(b.toPaint);
        windowMiB.push_back(w.mib);
        bareMiB.push_back(b.mib);
    }
    const double ms = bench::Median(windowMs);
    bench::Figure(Format("Start-up: main() to window painted, offscreen (median / worst of %d)", Runs),
                  Format("%.0f / %.0f ms (bare window %.0f ms)", ms, bench::Worst(windowMs), bench::Median(bareMs)),
                  "< 150 ms", ms < 150);
    const double above = bench::Median(windowMiB) - bench::Median(bareMiB);
    bench::Figure("Resident memory when painted, above a bare Qt Widgets window",
                  Format("%.1f MiB (%.1f vs %.1f MiB)", above, bench::Median(windowMiB), bench::Median(bareMiB)),
                  "< 40 MiB", above < 40);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    const auto start = std::chrono::steady_clock::now();
    if (argc < 2 || std::strcmp(argv[1], "--window") != 0)
        return Drive(argc, argv);

    // As the program's main() does.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LumentorMGW"));
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW window;
    bench::FirstPaint watch(window, start);
    window.show();
    return app.exec();
}
