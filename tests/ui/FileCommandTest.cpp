#include "common/WindowFixture.h"
#include "image/MapFile.h"
#include "ui/CommonDialog.h"

#include <QFile>
#include <csignal>
#include <deque>
#include <sys/resource.h>

using namespace modLumentorMGW;

namespace {
const QString MapFilter = QStringLiteral("Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");
constexpr int FileBytes = 262144;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The window with its file dialog answered from a queue; a dialog nobody
// expected fails the test and is cancelled.
class FileCommandTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        previousDialog = CommonDialog::SetHandler([this](const CommonDialog::Request &r) -> std::optional<QString> {
            asked.push_back(r);
            if (replies.empty()) {
                ADD_FAILURE() << "unexpected file dialog";
                return std::nullopt;
            }
            const std::optional<QString> reply = replies.front();
            replies.pop_front();
            return reply;
        });
    }
    void TearDown() override
    {
        CommonDialog::SetHandler(previousDialog);
        WindowFixture::TearDown();
    }

    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Maps point index p to preset n, as the operator would.
    void MapPreset(int p, int n)
    {
        SelectPoint(p);
        window->cboType->setCurrentIndex(7);
        window->cboLLPrs->setCurrentIndex(n - 1);
    }

    struct State {
        std::vector<int16_t> image;
        QString fileName, label;
        int point;
        bool dirty;
    };
    State Now() const { return {ImageCopy(), FileName, window->lblFileName->text(), window->cboPoint->currentIndex(), Dirty}; }
    void ExpectUnchanged(const State &before) const
    {
        EXPECT_TRUE(ChangedCells(before.image).empty());
        EXPECT_EQ(FileName, before.fileName);
        EXPECT_EQ(window->lblFileName->text(), before.label);
        EXPECT_EQ(window->cboPoint->currentIndex(), before.point);
        EXPECT_EQ(Dirty, before.dirty);
    }
    void ExpectFailureBox(const QString &text, const QString &title)
    {
        ASSERT_GE(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Last().text.startsWith(text + QLatin1Char('\n'))) << qPrintable(boxes.Last().text);
        EXPECT_GT(boxes.Last().text.size(), text.size() + 1); // a reason follows
        EXPECT_EQ(boxes.Last().style, 16);
        EXPECT_EQ(boxes.Last().title, title);
    }

    QTemporaryDir dir;
    std::vector<CommonDialog::Request> asked;
    std::deque<std::optional<QString>> replies;
    CommonDialog::Handler previousDialog;
};
} // namespace

TEST_F(FileCommandTest, NewAndOpenAskOnlyWhileDirtyAndNoChangesNothing)
{
    window->mnuFileNew->trigger();
    EXPECT_EQ(boxes.Count(), 0);

    MapPreset(4, 3);
    ASSERT_TRUE(Dirty);
    const State before = Now();
    boxes.Answer(vbNo);
    window->mnuFileNew->trigger();
    boxes.Answer(vbNo);
    window->mnuFileOpen->trigger();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Last().text, "Discard Any Changes?");
    EXPECT_EQ(boxes.Last().style, 36);
    EXPECT_EQ(boxes.Last().title, "Arvane Lumentor");
    EXPECT_TRUE(asked.empty());
    ExpectUnchanged(before);

    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    EXPECT_TRUE(ChangedCells(std::vector<int16_t>(CellCount, 0)).empty());
    EXPECT_EQ(window->lblFileName->text(), "None");
    EXPECT_EQ(window->cboPoint->currentIndex(), 0);
    EXPECT_FALSE(Dirty);
}

TEST_F(FileCommandTest, DialogsStartOnThePatternThenOnTheLastChoice)
{
    const QString pattern = home.path() + QStringLiteral("/Arvane Lumentor Mapped Gateway/*.MGW");
    // Answering with the pattern itself chooses nothing.
    replies = {pattern, path("a.MGW"), std::nullopt, std::nullopt, path("a.MGW"), std::nullopt};
    window->mnuFileOpen->trigger();
    EXPECT_EQ(FileName, "None");
    MapPreset(0, 3);
    window->mnuFileSave->trigger(); // no name yet: Save As
    EXPECT_EQ(FileName, path("a.MGW"));
    EXPECT_EQ(window->lblFileName->text(), path("a.MGW"));
    EXPECT_FALSE(Dirty);
    window->mnuFileSaveAs->trigger(); // cancelled
    window->mnuFileOpen->trigger();   // cancelled
    window->mnuFileOpen->trigger();
    window->mnuFileSaveAs->trigger(); // cancelled

    ASSERT_EQ(asked.size(), 6u);
    EXPECT_EQ(asked[0].mode, CommonDialog::Mode::Open);
    EXPECT_EQ(asked[0].fileName, pattern);
    EXPECT_EQ(asked[0].filter, MapFilter);
    EXPECT_EQ(asked[0].flags, 6150);
    EXPECT_EQ(asked[1].mode, CommonDialog::Mode::Save);
    EXPECT_EQ(asked[1].fileName, pattern); // what the Open before returned
    EXPECT_EQ(asked[2].fileName, path("a.MGW"));
    EXPECT_EQ(asked[3].fileName, "");
    EXPECT_EQ(asked[5].mode, CommonDialog::Mode::Save);
    EXPECT_EQ(asked[5].fileName, path("a.MGW"));
    EXPECT_EQ(asked[5].flags, 6150);
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(FileCommandTest, SaveWritesAtOnceAndOpenBringsTheImageBack)
{
    replies = {path("plant")};
    window->mnuFileSaveAs->trigger(); // first dialog: the pattern
    EXPECT_TRUE(asked[0].fileName.endsWith(QStringLiteral("/Arvane Lumentor Mapped Gateway/*.MGW")));
    EXPECT_EQ(readAll(path("plant")), QByteArray(FileBytes, '\0')); // typed without extension, saved so

    MapPreset(0, 3);
    window->mnuFileSave->trigger();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_FALSE(Dirty);
    QByteArray expected(FileBytes, '\0');
    expected[0] = 7; // point 001: type at offset 0, preset index at 12
    expected[12] = 2;
    EXPECT_EQ(readAll(path("plant")), expected);

    window->mnuFileNew->trigger();
    SelectPoint(9);
    replies = {path("plant")};
    window->mnuFileOpen->trigger();
    EXPECT_EQ(window->lblFileName->text(), path("plant"));
    EXPECT_EQ(window->cboPoint->currentIndex(), 0);
    EXPECT_EQ(window->cboType->currentIndex(), 7);
    EXPECT_EQ(ImageGet(0, 3), 2);
    EXPECT_FALSE(Dirty); // cleared after the redraw, which stores what it shows
    EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(FileCommandTest, RefusedOpenLeavesEverythingAsItWas)
{
    replies = {path("a.MGW")};
    window->mnuFileSaveAs->trigger();
    MapPreset(6, 5);
    writeAll(path("short.MGW"), QByteArray(FileBytes - 2, 1));
    const State before = Now();
    for (const char *name : {"missing.MGW", "short.MGW", ""}) { // "" names the folder itself
        const QString chosen = *name ? path(name) : dir.path();
        boxes.Answer(vbYes);
        replies = {chosen};
        window->mnuFileOpen->trigger();
        ExpectFailureBox(QStringLiteral("File Not Opened: ") + chosen, QStringLiteral("File Error"));
        ExpectUnchanged(before);
    }

    // A file that vanishes between the dialog and the read.
    writeAll(path("gone.MGW"), QByteArray(FileBytes, 1));
    const auto queued = CommonDialog::SetHandler([this](const CommonDialog::Request &) -> std::optional<QString> {
        QFile::remove(path("gone.MGW"));
        return path("gone.MGW");
    });
    boxes.Answer(vbYes);
    window->mnuFileOpen->trigger();
    CommonDialog::SetHandler(queued);
    ExpectFailureBox(QStringLiteral("File Not Opened: ") + path("gone.MGW"), QStringLiteral("File Error"));
    ExpectUnchanged(before);
}

TEST_F(FileCommandTest, FailedSaveKeepsTheFileTheNameAndDirty)
{
    replies = {path("plain") + QStringLiteral("/sub.MGW")};
    writeAll(path("plain"), "x");
    window->mnuFileSave->trigger();
    ExpectFailureBox(QStringLiteral("File Not Saved: ") + path("plain") + QStringLiteral("/sub.MGW"),
                     QStringLiteral("File Error"));
    EXPECT_EQ(window->lblFileName->text(), "None");

    replies = {path("a.MGW")};
    window->mnuFileSaveAs->trigger();
    const QByteArray saved = readAll(path("a.MGW"));
    MapPreset(1, 9);
    const State before = Now();
    for (const QString &nowhere : {path("plain") + QStringLiteral("/sub.MGW"), path("nofolder/x.MGW")}) {
        replies = {nowhere};
        window->mnuFileSaveAs->trigger();
        ExpectFailureBox(QStringLiteral("File Not Saved: ") + nowhere, QStringLiteral("File Error"));
        ExpectUnchanged(before);
    }

    // A file size limit below the map file's size: the write stops part way.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100000;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    window->mnuFileSave->trigger();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    ExpectFailureBox(QStringLiteral("File Not Saved: ") + path("a.MGW"), QStringLiteral("File Error"));
    ExpectUnchanged(before);
    EXPECT_EQ(readAll(path("a.MGW")), saved);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.MGW", "plain"}));
}

TEST_F(FileCommandTest, ExportListsTheImageBesideTheMapFile)
{
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.Last().text, "File Must Be Saved Prior To Exporting");
    EXPECT_EQ(boxes.Last().style, 64);
    EXPECT_EQ(boxes.Last().title, "Export CSV");

    window->optProtocol[1]->setChecked(true);
    replies = {path("p.MGW")};
    window->mnuFileSaveAs->trigger();
    MapPreset(1, 3); // unsaved, listed all the same
    window->mnuExport->trigger();
    EXPECT_EQ(boxes.Last().text, "Settings Exported To: " + path("p.CSV"));
    EXPECT_EQ(boxes.Last().style, 0);
    EXPECT_EQ(boxes.Last().title, "LumentorMGW");
    QByteArray expected = "Mapped Gateway File: " + path("p.MGW").toUtf8() + "\r\nPoint,1,Unused\r\n"
                          + "Point,2,Preset Activate,Preset,3\r\n";
    for (int p = 3; p <= 350; ++p)
        expected += "Point," + QByteArray::number(p) + ",Unused\r\n";
    EXPECT_EQ(readAll(path("p.CSV")), expected);
    EXPECT_TRUE(Dirty);
    EXPECT_EQ(FileName, path("p.MGW"));

    // A map file whose name already ends in CSV is never overwritten by its listing.
    replies = {path("x.CSV")};
    window->mnuFileSaveAs->trigger();
    const QByteArray map = readAll(path("x.CSV"));
    window->mnuExport->trigger();
    ExpectFailureBox(QStringLiteral("Settings Not Exported To: ") + path("x.CSV"), QStringLiteral("Export CSV"));
    EXPECT_EQ(readAll(path("x.CSV")), map);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"p.CSV", "p.MGW", "x.CSV"}));
}
