// View > Transfer Record... of the real window: the record newest first,
// the gateway's name kept per port, a line for each transfer as it ends,
// the filter and copy, and a record that cannot be written said once.
#include "common/SchemaCheck.h"
#include "transfer/TransferFixture.h"

#include "ui/record/TransferRecordView.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>

using namespace modLumentorMGW;

namespace {
QStringList Row(QTableView *view, int row)
{
    QStringList cells;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        cells << view->model()->index(row, c).data().toString();
    return cells;
}
} // namespace

TEST_F(TransferTest, TransferRecordShowsTheRecordNewestFirstAndLiveAsTransfersEnd)
{
    QTemporaryDir dir;
    const QString record = dir.filePath("record.jsonl");
    ASSERT_TRUE(WriteAll(record,
                         "{\"format_version\":1,\"started\":\"2026-03-01T09:00:00.000Z\",\"gateway\":\"south\","
                         "\"port\":{\"given\":\"ttyUSB0\",\"resolved\":\"/dev/ttyUSB0\"},\"adapter\":null,"
                         "\"command\":\"verify\",\"files\":[{\"role\":\"map\",\"path\":\"/m/plant.MGW\",\"sha256\":\""
                         + QByteArray(64, 'a') + "\"}],\"result\":\"differs\",\"verified\":false}\n"));
    qputenv("MGW_RECORD", QFile::encodeName(record));
    QAction *entry = window->findChild<QAction *>("mnuViewRecord");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    auto *view = window->findChild<TransferRecordView *>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->View()->model()->rowCount(), 1);
    view->GatewayName()->setText("north ");
    emit view->GatewayName()->editingFinished();

    // Download then upload on COM1: each adds its line on top as it ends.
    ConfigImage[0] = 1;
    Run(window->mnuDownload);
    Run(window->mnuUpload);
    QTableView *table = view->View();
    ASSERT_EQ(table->model()->rowCount(), 3);
    // The map by its content: 262144 bytes, the first 1, the rest 0.
    EXPECT_EQ(Row(table, 0).mid(1), (QStringList{"north", "COM1", "upload", "(unsaved) 7a718a5b", "complete", "yes"}));
    EXPECT_EQ(Row(table, 1).mid(1), (QStringList{"north", "COM1", "download", "(unsaved) 7a718a5b", "complete", "yes"}));
    EXPECT_EQ(Row(table, 2), (QStringList{"2026-03-01 09:00:00", "south", "ttyUSB0", "verify", "plant.MGW aaaaaaaa",
                                          "differs", "no"}));
    const QStringList lines = QString::fromUtf8(ReadAll(record)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains("\"program\":\"LumentorMGW\"")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains("\"gateway\":\"north\""));
    EXPECT_EQ(SchemaErrors(dir.path(), (lines[1] + '\n' + lines[2] + '\n').toUtf8()), "");

    // The overview's filter and copy: tab-separated rows as shown.
    view->FilterText()->setText("DIFFERS");
    ASSERT_EQ(table->model()->rowCount(), 1);
    table->selectAll();
    view->CopySelection();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "2026-03-01 09:00:00\tsouth\tttyUSB0\tverify\tplant.MGW aaaaaaaa\tdiffers\tno\n");

    // A record that cannot be written: the transfer completes, one box says so once.
    qputenv("MGW_RECORD", QFile::encodeName(dir.path()));
    Run(window->mnuDownload);
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"},
                                  {"The Transfer Record Was Not Written:\r\n" + dir.path() + "\r\nit is a folder", 48,
                                   "Transfer Record"}}));
    Run(window->mnuDownload);
    qunsetenv("MGW_RECORD");
    EXPECT_EQ(boxes.boxes, (Boxes{{"Download Complete", 0, "Download"}}));
}
