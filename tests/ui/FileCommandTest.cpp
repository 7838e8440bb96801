// The file menu and the export through the window: questions, dialogs, what
// reaches the disk, and failures that leave everything as it was.
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"

#include <sys/stat.h>

using namespace modLumentorMGW;

namespace {
class FileCommandTest : public WindowFixture {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // What a refused command leaves as it was.
    using State = std::tuple<std::vector<int16_t>, QString, QString, int, bool>;
    State Now() const
    {
        return {ImageCopy(), FileName, window->lblFileName->text(), window->cboPoint->currentIndex(), Dirty};
    }

    QTemporaryDir dir;
};
} // namespace

TEST_F(FileCommandTest, SaveWritesAtOnceNewAndOpenAskOnlyWhileDirtyAndDialogsProposeTheLastChoice)
{
    const QString pattern = home.path() + QStringLiteral("/Arvane Lumentor Mapped Gateway/*.MGW");
    replies = {pattern, path("plant"), std::nullopt, std::nullopt};
    window->mnuFileNew->trigger();  // unchanged: no question
    window->mnuFileOpen->trigger(); // answering with the pattern itself chooses nothing
    window->mnuFileSave->trigger(); // no name yet: Save As, typed without extension, saved so
    window->cboType->setCurrentIndex(7);
    window->mnuFileSave->trigger(); // named: no dialog
    EXPECT_FALSE(Dirty);
    QByteArray expected(MapFileBytes, '\0');
    expected[0] = 7; // point 001's type
    EXPECT_EQ(ReadAll(path("plant")), expected);
    window->mnuFileSaveAs->trigger(); // cancelled
    window->mnuFileOpen->trigger();   // cancelled

    // Changed again: New and Open ask first, and No changes nothing.
    SelectPoint(4);
    window->cboTimeout->setCurrentIndex(2);
    const State before = Now();
    boxes.Answer(vbNo);
    window->mnuFileNew->trigger();
    boxes.Answer(vbNo);
    window->mnuFileOpen->trigger();
    EXPECT_EQ(boxes.boxes, Boxes(2, {"Discard Any Changes?", 36, "Arvane Lumentor"}));
    EXPECT_EQ(Now(), before);

    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    EXPECT_TRUE(ImageIsClear());
    EXPECT_EQ(window->lblFileName->text(), "None");

    SelectPoint(9);
    replies = {path("plant")};
    window->mnuFileOpen->trigger();
    EXPECT_EQ(window->lblFileName->text(), path("plant"));
    EXPECT_EQ(window->cboType->currentIndex(), 7); // point 001 shown
    EXPECT_FALSE(Dirty); // cleared after the redraw, which stores what it shows

    QStringList shown;
    for (const CommonDialog::Request &r : asked)
        shown << (r.mode == CommonDialog::Mode::Open ? "Open " : "Save ") + r.fileName;
    EXPECT_EQ(asked[0].filter, "Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");
    EXPECT_EQ(asked[0].flags, 6150);
    // Open starts empty; Save As proposes what the dialog returned last, even the pattern.
    EXPECT_EQ(shown, (QStringList{"Open " + pattern, "Save " + pattern, "Save " + path("plant"), "Open ", "Open "}));
}

TEST_F(FileCommandTest, RefusedOpenAndFailedSaveLeaveEverythingAsItWas)
{
    replies = {path("a.MGW")};
    window->mnuFileSaveAs->trigger();
    const QByteArray saved = ReadAll(path("a.MGW"));
    SelectPoint(6);
    window->cboType->setCurrentIndex(7);
    ASSERT_TRUE(WriteAll(path("short.MGW"), QByteArray(MapFileBytes - 2, 1)));
    const State before = Now();
    ASSERT_EQ(mkfifo(QFile::encodeName(path("fifo.MGW")).constData(), 0600), 0); // no writer: an open would block
    const QString notRegular = "It is not a regular file, so it cannot be a map file.";
    const std::pair<const char *, QString> opens[] = {{"missing.MGW", "No such file or directory"},
        {"short.MGW", "The file holds 262142 bytes; a map file holds 262144."},
        {"", "It is a folder."}, // "" names the folder itself
        {"fifo.MGW", notRegular}, {"/dev/zero", notRegular}};
    for (const auto &[name, why] : opens) {
        const QString chosen = *name == '/' ? QString(name) : *name ? path(name) : dir.path();
        boxes.Answer(vbYes);
        replies = {chosen};
        window->mnuFileOpen->trigger();
        EXPECT_EQ(boxes.Last(), (RecordedBox{"File Not Opened: " + chosen + '\n' + why, 16, "File Error"}));
    }

    replies = {path("nofolder/x.MGW")};
    window->mnuFileSaveAs->trigger();
    EXPECT_EQ(boxes.Last(), (RecordedBox{"File Not Saved: " + path("nofolder/x.MGW") + "\nNo such file or directory",
                                         16, "File Error"}));
    // A file size limit below the map file's size: the write stops part way.
    {
        FileSizeLimit limit(100000);
        window->mnuFileSave->trigger();
    }
    EXPECT_EQ(boxes.Last(), (RecordedBox{"File Not Saved: " + path("a.MGW") + "\nFile too large", 16, "File Error"}));
    // Nothing lost: the window as it was, the saved file whole, no temporary file left.
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(ReadAll(path("a.MGW")), saved);
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"a.MGW", "fifo.MGW", "short.MGW"}));
}

TEST_F(FileCommandTest, ExportListsTheImageBesideTheMapFile)
{
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.boxes, (Boxes{{"File Must Be Saved Prior To Exporting", 64, "Export CSV"}}));

    window->optProtocol[1]->setChecked(true);
    replies = {path("p.MGW")};
    window->mnuFileSaveAs->trigger();
    ASSERT_TRUE(WriteAll(path("p.CSV"), QByteArray(100000, 'o'))); // an old listing, replaced
    SelectPoint(1);
    window->cboType->setCurrentIndex(7); // unsaved, listed all the same
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.Last(), (RecordedBox{"Settings Exported To: " + path("p.CSV"), 0, "LumentorMGW"}));
    QByteArray expected = "Mapped Gateway File: " + path("p.MGW").toUtf8() + "\r\nPoint,1,Unused\r\n"
                          + "Point,2,Preset Activate,Preset,1\r\n";
    for (int p = 3; p <= 350; ++p)
        expected += "Point," + QByteArray::number(p) + ",Unused\r\n";
    EXPECT_EQ(ReadAll(path("p.CSV")), expected);

    // A failed write says why (what it leaves is the file writer's own test).
    {
        FileSizeLimit limit(4000);
        window->mnuExport->trigger();
    }
    EXPECT_EQ(boxes.Last(),
              (RecordedBox{"Settings Not Exported To: " + path("p.CSV") + "\nFile too large", 16, "Export CSV"}));
}

TEST_F(FileCommandTest, ImportListingIsOneUndoStepAndABadListingChangesNothing)
{
    ASSERT_TRUE(WriteAll(path("bad.CSV"), "Point,1,Relay On/Off,Node,05,Relay,65\nPoint,2,Unused\nPoint,351,Unused\n"));
    ASSERT_TRUE(WriteAll(path("good.CSV"), "\xEF\xBB\xBFPoint;2;Group On/Off;Group;100\n"
                                           "Point;3;Multi Relay On/Off\n;Relays Controlled\n;;Node;0A;Relay;3\n"));
    window->optProtocol[1]->setChecked(true);
    const auto before = Now();
    replies = {path("bad.CSV"), path("good.CSV")};
    window->mnuFileImport->trigger();
    EXPECT_EQ(asked[0].fileName, home.path() + QStringLiteral("/Arvane Lumentor Mapped Gateway/*.CSV"));
    EXPECT_EQ(boxes.boxes, (Boxes{{"Listing Not Imported: " + path("bad.CSV") + "\n\nline 1: relay 65: relays are 1 to 64\n"
                                   "line 3: point 351: points are 1 to 350", 16, "Import Listing"}}));
    EXPECT_EQ(Now(), before);

    SelectPoint(1);
    window->mnuFileImport->trigger();
    EXPECT_EQ(asked[1].fileName, path("bad.CSV")); // the listing chosen last
    EXPECT_EQ(window->cboType->currentIndex(), 5); // the shown point redrawn
    EXPECT_EQ(window->cboLLGrp->currentIndex(), 99);
    EXPECT_EQ(ChangedCells(std::get<0>(before)), (std::vector<int>{8, 14, 16, 1 + 2 * (4096 + 72)}));
    EXPECT_EQ(ConfigImage[1 + 2 * (4096 + 72)], 4);
    EXPECT_TRUE(Dirty);
    EXPECT_EQ(window->mnuEditUndo->text(), "Undo Import");
    window->mnuEditUndo->trigger();
    EXPECT_EQ(ImageCopy(), std::get<0>(before));
    // A listing that changes nothing is no step and leaves the image unchanged.
    ASSERT_TRUE(WriteAll(path("same.CSV"), "Point,2,Unused\n"));
    replies = {path("same.CSV")};
    window->mnuFileImport->trigger();
    EXPECT_FALSE(Dirty);
    EXPECT_EQ(window->mnuEditRedo->text(), "Redo Import");
}
