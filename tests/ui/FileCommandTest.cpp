// The file menu and the export through the window: questions, dialogs, what
// reaches the disk, and failures that leave everything as it was.
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"

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
    const std::pair<const char *, const char *> opens[] = {{"missing.MGW", "No such file or directory"},
        {"short.MGW", "The file holds 262142 bytes; a map file holds 262144."},
        {"", "file to open is a directory"}}; // "" names the folder itself
    for (const auto &[name, why] : opens) {
        const QString chosen = *name ? path(name) : dir.path();
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
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"a.MGW", "short.MGW"}));
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
