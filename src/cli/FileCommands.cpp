// export and diff: map files only, no gateway.
#include "cli/Invocation.h"

#include "export/CsvFile.h"
#include "export/CsvListing.h"
#include "export/CsvPath.h"
#include "image/ConfigImage.h"
#include "image/PointRecord.h"
#include "record/RunReport.h"

#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <vector>

using namespace modLumentorMGW;

namespace mgw {

// As the window's Export, whose file name is the dialog's full path.
int Export(const Invocation &call)
{
    if (call.output == QLatin1String("-") && call.json)
        return call.Refuse(QStringLiteral("--json takes standard output: the listing cannot go there too (--output -)"));
    if (!call.ReadMap(call.files[0]))
        return ExitUsage;
    call.report->AddFile(QStringLiteral("map"), call.files[0]);
    const QString fileName = QFileInfo(call.files[0]).absoluteFilePath();
    if (call.output == QLatin1String("-")) {
        call.console.out.write(CsvListing(fileName, call.points));
        return 0;
    }
    QString csvPath = call.output;
    QString reason;
    const bool written = csvPath.isEmpty()
        ? ExportCsvFile(fileName, call.points, &csvPath, &reason)
        : CsvPathAllowed(fileName, csvPath, &reason) && WriteCsvListing(csvPath, CsvListing(fileName, call.points), &reason);
    if (!written)
        return call.Refuse(QStringLiteral("Settings Not Exported To: %1: %2").arg(csvPath, reason));
    call.report->AddFile(QStringLiteral("listing"), csvPath);
    call.Say(QStringLiteral("Settings Exported To: ") + csvPath);
    return 0;
}

namespace {
// One map file as the diff sees it: its cells, its listing lines by point
// number (points with no line have none), and its settings as lines.
struct MapView
{
    std::vector<int16_t> cells;
    QMap<int, QStringList> points;
    QStringList settings;
};

MapView View()
{
    MapView view;
    view.cells.assign(ConfigImage, ConfigImage + CellCount);
    for (int p = 0; p < 750; ++p) {
        const QStringList lines = QString::fromUtf8(CsvPointLines(p)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            view.points[p + 1] = lines;
    }
    static const QStringList timeouts = {QStringLiteral("Normal"), QStringLiteral("Extended 1"),
                                         QStringLiteral("Extended 2")};
    const int16_t timeout = GetTimeoutCode();
    view.settings << QStringLiteral("Command Resend,%1").arg(GetResendFlag() ? QStringLiteral("On") : QStringLiteral("Off"))
                  << QStringLiteral("Timeout,%1").arg(timeout >= 0 && timeout < 3 ? timeouts[timeout] : QString::number(timeout));
    return view;
}

// Printed, and kept for --json as {"point": N or "settings", "a": [...], "b": [...]}.
void Lines(const Invocation &call, const QJsonValue &point, const QStringList &a, const QStringList &b)
{
    QJsonArray diff = call.report->Object().value(QLatin1String("diff")).toArray();
    diff.append(QJsonObject{{QLatin1String("point"), point},
                            {QLatin1String("a"), QJsonArray::fromStringList(a)},
                            {QLatin1String("b"), QJsonArray::fromStringList(b)}});
    call.report->Set(QStringLiteral("diff"), diff);
    call.Print(point.isString() ? QStringLiteral("Settings") : QStringLiteral("Point %1").arg(point.toInt()));
    for (const QString &line : a)
        call.Print(QLatin1Char('-') + line);
    for (const QString &line : b)
        call.Print(QLatin1Char('+') + line);
}
} // namespace

int Diff(const Invocation &call)
{
    if (!call.ReadMap(call.files[0]))
        return ExitUsage;
    const MapView a = View();
    if (!call.ReadMap(call.files[1]))
        return ExitUsage;
    const MapView b = View();
    call.report->AddFile(QStringLiteral("a"), call.files[0]);
    call.report->AddFile(QStringLiteral("b"), call.files[1]);
    call.report->Set(QStringLiteral("diff"), QJsonArray());
    if (a.cells == b.cells)
        return 0;
    for (int p = 1; p <= 750; ++p) {
        if (a.points.value(p) != b.points.value(p))
            Lines(call, p, a.points.value(p), b.points.value(p));
    }
    for (int i = 0; i < a.settings.size(); ++i) {
        if (a.settings[i] != b.settings[i])
            Lines(call, QStringLiteral("settings"), {a.settings[i]}, {b.settings[i]});
    }
    // Cells no listing line shows (spare cells, bank 1) differ too: say how many differ in all.
    int cells = 0;
    for (int i = 0; i < CellCount; ++i)
        cells += a.cells[size_t(i)] != b.cells[size_t(i)];
    call.report->Set(QStringLiteral("cells_differing"), cells);
    call.Print(QStringLiteral("Cells Differing: %1").arg(cells));
    return ExitDiffers;
}

} // namespace mgw
