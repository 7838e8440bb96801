// The file menu and the export through the window: questions, dialogs, what
// reaches the disk, and failures that leave everything as it was.
#include "common/TestFiles.h"
#include "common/WindowFixture.h"
#include "image/MapFile.h"

using namespace modLumentorMGW;

namespace {
const RecordedBox Discard{"Discard Any Changes?", 36, "Arvane Lumentor"};

class FileCommandTest : public WindowFixture {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Maps point index p to preset n, as the operator would.
    void MapPreset(int p, int n)
    {
        SelectPoint(p);
        window->cboType->setCurrentIndex(7);
        window->cboLLPrs->setCurrentIndex(n - 1);
    }

    // What a refused command leaves as it was.
    using State = std::tuple<std::vector<int16_t>, QString, QString, int, bool>;
    State Now() const
    {
        return {ImageCopy(), FileName, window->lblFileName->text(), window->cboPoint->currentIndex(), Dirty};
    }
    // The last box tells `text` and, on a line of its own, why (in words, when given).
    void ExpectFailureBox(const QString &text, const QString &title = "File Error", const QString &why = {})
    {
        ASSERT_GE(boxes.Count(), 1);
        const QString reason = boxes.Last().text.section('\n', 1);
        EXPECT_EQ(boxes.Last(), (RecordedBox{text + '\n' + (why.isEmpty() ? reason : why), 16, title}));
        EXPECT_FALSE(reason.isEmpty());
    }

    QTemporaryDir dir;
};
} // namespace

TEST_F(FileCommandTest, DialogsStartOnThePatternThenOnTheLastChoice)
{
    const QString pattern = home.path() + QStringLiteral("/Arvane Lumentor Mapped Gateway/*.MGW");
    // Answering with the pattern itself chooses nothing.
    replies = {pattern, path("a.MGW"), std::nullopt, std::nullopt, path("a.MGW"), std::nullopt};
    window->mnuFileOpen->trigger();
    EXPECT_EQ(FileName, "None");
    MapPreset(0, 3);
    window->mnuFileSave->trigger(); // no name yet: Save As
    EXPECT_EQ(window->lblFileName->text(), path("a.MGW"));
    window->mnuFileSaveAs->trigger(); // cancelled
    window->mnuFileOpen->trigger();   // cancelled
    window->mnuFileOpen->trigger();
    window->mnuFileSaveAs->trigger(); // cancelled

    using Mode = CommonDialog::Mode;
    std::vector<std::pair<Mode, QString>> shown;
    for (const CommonDialog::Request &r : asked)
        shown.push_back({r.mode, r.fileName});
    EXPECT_EQ(asked[0].filter, "Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");
    EXPECT_EQ(asked[0].flags, 6150);
    // Open starts empty; Save As proposes what the dialog returned last, even the pattern.
    EXPECT_EQ(shown, (std::vector<std::pair<Mode, QString>>{{Mode::Open, pattern}, {Mode::Save, pattern},
        {Mode::Save, path("a.MGW")}, {Mode::Open, ""}, {Mode::Open, ""}, {Mode::Save, path("a.MGW")}}));
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(FileCommandTest, SaveWritesAtOnceAndNewAndOpenAskOnlyWhileDirty)
{
    window->mnuFileNew->trigger();
    EXPECT_EQ(boxes.Count(), 0);
    replies = {path("plant")};
    window->mnuFileSaveAs->trigger();
    EXPECT_EQ(ReadAll(path("plant")), QByteArray(MapFileBytes, '\0')); // typed without extension, saved so

    MapPreset(0, 3);
    window->mnuFileSave->trigger();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(Dirty);
    QByteArray expected(MapFileBytes, '\0');
    expected[0] = 7; // point 001: type at offset 0, preset index at 12
    expected[12] = 2;
    EXPECT_EQ(ReadAll(path("plant")), expected);

    // Changed again: New and Open ask first, and No changes nothing.
    MapPreset(4, 3);
    const State before = Now();
    boxes.Answer(vbNo);
    window->mnuFileNew->trigger();
    boxes.Answer(vbNo);
    window->mnuFileOpen->trigger();
    EXPECT_EQ(boxes.boxes, (Boxes{Discard, Discard}));
    EXPECT_EQ(asked.size(), 1u);
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
    EXPECT_EQ(boxes.Count(), 3);
}

TEST_F(FileCommandTest, RefusedOpenLeavesEverythingAsItWas)
{
    replies = {path("a.MGW")};
    window->mnuFileSaveAs->trigger();
    MapPreset(6, 5);
    ASSERT_TRUE(WriteAll(path("short.MGW"), QByteArray(MapFileBytes - 2, 1)));
    ASSERT_TRUE(WriteAll(path("empty.MGW"), QByteArray()));
    const State before = Now();
    for (const char *name : {"missing.MGW", "short.MGW", "empty.MGW", ""}) { // "" names the folder itself
        const QString chosen = *name ? path(name) : dir.path();
        boxes.Answer(vbYes);
        replies = {chosen};
        window->mnuFileOpen->trigger();
        ExpectFailureBox("File Not Opened: " + chosen);
        EXPECT_EQ(Now(), before);
    }
}

TEST_F(FileCommandTest, FailedSaveKeepsTheFileTheNameAndDirty)
{
    // Paths below a regular file or a missing folder fail for root as well.
    ASSERT_TRUE(WriteAll(path("plain"), "x"));
    replies = {path("a.MGW")};
    window->mnuFileSaveAs->trigger();
    const QByteArray saved = ReadAll(path("a.MGW"));
    MapPreset(1, 9);
    const State before = Now();
    for (const char *name : {"plain/sub.MGW", "nofolder/x.MGW"}) {
        replies = {path(name)};
        window->mnuFileSaveAs->trigger();
        ExpectFailureBox("File Not Saved: " + path(name));
        EXPECT_EQ(Now(), before);
    }

    // A file size limit below the map file's size: the write stops part way.
    {
        FileSizeLimit limit(100000);
        window->mnuFileSave->trigger();
    }
    ExpectFailureBox("File Not Saved: " + path("a.MGW"), "File Error", "File too large");
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(ReadAll(path("a.MGW")), saved);
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"a.MGW", "plain"}));
}

TEST_F(FileCommandTest, ExportListsTheImageBesideTheMapFile)
{
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.boxes, (Boxes{{"File Must Be Saved Prior To Exporting", 64, "Export CSV"}}));

    window->optProtocol[1]->setChecked(true);
    replies = {path("p.MGW")};
    window->mnuFileSaveAs->trigger();
    ASSERT_TRUE(WriteAll(path("p.CSV"), QByteArray(100000, 'o'))); // an old listing, replaced
    MapPreset(1, 3); // unsaved, listed all the same
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.Last(), (RecordedBox{"Settings Exported To: " + path("p.CSV"), 0, "LumentorMGW"}));
    QByteArray expected = "Mapped Gateway File: " + path("p.MGW").toUtf8() + "\r\nPoint,1,Unused\r\n"
                          + "Point,2,Preset Activate,Preset,3\r\n";
    for (int p = 3; p <= 350; ++p)
        expected += "Point," + QByteArray::number(p) + ",Unused\r\n";
    EXPECT_EQ(ReadAll(path("p.CSV")), expected);

    // A failed write keeps the old listing whole and leaves no temporary file;
    // the listing fits the file buffer (16 KB), so the failure shows only when it is flushed.
    ASSERT_GT(expected.size(), 4000);
    ASSERT_LT(expected.size(), 16384);
    MapPreset(2, 4);
    {
        FileSizeLimit limit(4000);
        window->mnuExport->trigger();
    }
    ExpectFailureBox("Settings Not Exported To: " + path("p.CSV"), "Export CSV", "File too large");
    EXPECT_EQ(ReadAll(path("p.CSV")), expected);
    EXPECT_EQ(FilesIn(dir.path()), (QStringList{"p.CSV", "p.MGW"}));
}
