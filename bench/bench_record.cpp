// The commissioning record:
//  - one append of a real line (lock, one write, one sync), median and worst
//    of 200, against 2 ms;
//  - the real mgw record over 100,000 lines, start-up included, the whole
//    table and "each gateway's last line of a map", against 1 s.
#include "BenchReport.h"

#include "record/RecordFile.h"
#include "record/RunReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A download's line as mgw writes it, for gateway n with map m.
QByteArray Line(int n, int m)
{
    modLumentorMGW::RunReport report("mgw", "1.6", "download",
                                     {QStringLiteral("/srv/maps/plant-%1.MGW").arg(m), "--port", "/dev/ttyUSB0",
                                      "--gateway", QStringLiteral("gateway %1").arg(n)});
    report.SetPort("/dev/ttyUSB0", "/dev/ttyUSB0");
    report.AddFile("map", QStringLiteral("/srv/maps/plant-%1.MGW").arg(m), QByteArray(262144, char(m)));
    report.AddMessage("Download Complete");
    report.Finish(0);
    report.AddWhereAndWho(QStringLiteral("gateway %1").arg(n));
    return report.Line();
}

double RunMgw(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), MGW_PROGRAM);
    std::vector<char *> argv;
    for (std::string &a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = -1;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return -1;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return Since(start);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir; // on the disk the tests use: its sync is what is measured
    const QString record = dir.filePath("record.jsonl");
    const QByteArray line = Line(1, 1);
    std::vector<double> appends;
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        if (!modLumentorMGW::AppendRecordLine(record, line, nullptr))
            return 1;
        appends.push_back(Since(start));
    }
    std::printf("a line of %d bytes, appended 200 times to %s\n", int(line.size()), qPrintable(record));
    const double append = bench::Median(appends);
    bench::Figure("record append, one line with its lock and sync (median / worst of 200)",
                  bench::Format("%.2f / %.2f ms", append, bench::Worst(appends)), "< 2 ms", append < 2);

    // 100,000 lines: 500 gateways, 4 maps.
    QFile file(record);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    for (int i = 0; i < 100000; ++i)
        file.write(Line(i % 500, i % 4) + '\n');
    std::printf("%lld bytes of record\n", static_cast<long long>(file.size()));
    file.close();
    QFile map(dir.filePath("plant.MGW"));
    if (!map.open(QIODevice::WriteOnly) || map.write(QByteArray(262144, char(2))) != 262144)
        return 1;
    map.close();
    const std::string path = record.toStdString(), plant = map.fileName().toStdString();
    for (const auto &[figure, arguments] :
         {std::pair<const char *, std::vector<std::string>>{"mgw record over 100,000 lines, the table (median of 3)",
                                                            {"record", "--record", path}},
          {"mgw record --map FILE --last over 100,000 lines (median of 3)",
           {"record", "--record", path, "--map", plant, "--last"}}}) {
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i)
            runs.push_back(RunMgw(arguments));
        const double ms = bench::Median(runs);
        bench::Figure(figure, bench::Format("%.0f ms", ms), "< 1 s", ms < 1000);
    }
    return 0;
}
