// The commissioning record:
//  - one append of a real line (lock, one write, one sync), median and worst
//    of 200, against 2 ms;
//  - the real mgw record over 100,000 lines, start-up included, the whole
//    table and "each gateway's last line of a map", against 1 s.
#include "BenchReport.h"
#include "SpawnMgw.h"

#include "record/RecordFile.h"
#include "record/RunReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <unistd.h>


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

// Wall time in ms; *cpu: the program's user and system time.
double RunMgw(std::vector<std::string> arguments, double *cpu)
{
    int status = 0;
    rusage used{};
    const double ms = SpawnMgw(std::move(arguments), &status, &used);
    *cpu = (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 + (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
    return ms;
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
    // What the disk itself takes: the same write and sync with no lock or check.
    std::vector<double> bare;
    const int fd = ::open(QFile::encodeName(dir.filePath("bare")).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    for (int i = 0; i < 200 && fd >= 0; ++i) {
        const auto start = Clock::now();
        if (::write(fd, line.constData(), size_t(line.size())) != line.size() || ::fdatasync(fd) != 0)
            return 1;
        bare.push_back(Since(start));
    }
    if (fd >= 0)
        ::close(fd);
    std::printf("the same write and fdatasync alone, no lock: median %.2f ms, worst %.2f ms\n", bench::Median(bare),
                bench::Worst(bare));
    const double append = bench::Median(appends);
    bench::Figure("record append, one line with its lock and sync (median / worst of 200)",
                  bench::Format("%.2f / %.2f ms", append, bench::Worst(appends)), "< 2 ms", append < 2);

    // 100,000 lines: 500 gateways, 4 maps (each hashed once, its gateway renamed).
    QFile file(record);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    std::vector<QByteArray> byMap;
    for (int m = 0; m < 4; ++m)
        byMap.push_back(Line(0, m));
    for (int i = 0; i < 100000; ++i)
        file.write(QByteArray(byMap[size_t(i % 4)]).replace("gateway 0", "gateway " + QByteArray::number(i % 500)) + '\n');
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
        std::vector<double> runs, cpus;
        for (int i = 0; i < 3; ++i) {
            double cpu = 0;
            runs.push_back(RunMgw(arguments, &cpu));
            cpus.push_back(cpu);
        }
        const double ms = bench::Median(runs);
        // The processor time too: on a shared machine the wall time waits for the others.
        bench::Figure(figure, bench::Format("%.0f ms (%.0f ms processor)", ms, bench::Median(cpus)), "< 1 s", ms < 1000);
    }
    return 0;
}
