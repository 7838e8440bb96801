// The recovery copy as the operator's work leaves it on disk, and the copies
// of ended windows as the next start offers them.
#include "recovery/RecoveryFixture.h"

#include <QLockFile>
#include <QRegularExpression>

using namespace modLumentorMGW;

TEST_F(RecoveryTest, CopyFollowsTheUnsavedImageUntilSaved)
{
    // A type, then an auto map run over 200 points: one write.
    SelectPoint(2);
    window->cboType->setCurrentIndex(5);
    window->cboAMGrp->setCurrentIndex(198);
    window->cmdAMGrp->click();
    RunUntil([&] { return Writer().Written() == 1; });
    EXPECT_EQ(Writer().Written(), 1);
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString name = FilesIn(Folder()).value(0).section('.', 0, 0);
    EXPECT_EQ(FilesIn(Folder()), QStringList({name + ".1.mgw", name + ".lock", name + ".txt"}));
    const QRegularExpression note("^file=None\nprotocol=BACnet\npoint=3\ntime=20\\d\\d-\\d\\d-\\d\\dT\\d\\d:\\d\\d:"
                                  "\\d\\d\\.\\d\\d\\dZ\npid=" + pid + "\nimage=" + pid + "-\\d+\\.1\\.mgw\n$");
    EXPECT_TRUE(note.match(ReadAll(Folder(name + ".txt"))).hasMatch()) << ReadAll(Folder(name + ".txt")).data();
    EXPECT_EQ(ReadAll(Folder(name + ".1.mgw")), ImageBytes());

    // Saved: no copy. Changed, its image again (its note names the file: the
    // test below); undone to the save, gone again.
    replies = {home.filePath("plant.MGW")};
    window->mnuFileSaveAs->trigger();
    Writer().Finish();
    EXPECT_EQ(FilesIn(Folder()), QStringList{name + ".lock"});
    window->cboType->setCurrentIndex(1);
    Snapshot();
    EXPECT_EQ(ReadAll(Folder(name + ".1.mgw")), ImageBytes());
    window->mnuEditUndo->trigger();
    RunUntil([&] { return FilesIn(Folder()).size() == 1; });
    EXPECT_EQ(FilesIn(Folder()), QStringList{name + ".lock"});
}

// Newest first; damaged ones set aside; a live window's copy left alone;
// No keeps a copy until the next save, Yes puts the window back and the
// copy becomes its own.
TEST_F(RecoveryTest, CopiesOfEndedWindowsAreOfferedNewestFirst)
{
    const auto Pattern = [](int seed) {   // every cell unlike its neighbours
        QByteArray image(MapFileBytes, '\0');
        for (int i = 0; i < MapFileBytes; i += 2)
            image[i] = char(i / 2 * seed % 251);
        return image;
    };
    const QByteArray unsaved = "file=None\nprotocol=BACnet\npoint=3\n";
    Plant("77-1", Pattern(3), "file=/maps/plant.MGW\nprotocol=LonWorks\npoint=12\ntime=2026-03-01T09:30:00.000Z\n", 2);
    Plant("77-2", Pattern(5), unsaved + "time=2026-03-01T10:00:00.000Z\n", 2);
    Plant("77-3", QByteArray(1000, 'x'), unsaved + "time=2026-03-01T11:00:00.000Z\n", 2);
    Plant("77-4", Pattern(7), unsaved, 2);
    Plant("77-5", Pattern(9), unsaved + "time=2026-03-01T12:00:00.000Z\n", 2);
    WriteAll(Folder("77-6.1.mgw"), Pattern(11));   // a first write stopped before its note
    QLockFile running(Folder("77-5.lock"));        // 77-5's window still runs
    ASSERT_TRUE(running.tryLock(0));

    boxes.Answer(vbNo);
    Restart(vbYes);
    const QString aside = "\nIt was set aside in " + Folder("Damaged") + ".";
    const QString no = "\nNo keeps the copy until the next successful Save, which drops it.";
    EXPECT_EQ(boxes.boxes,
              (Boxes{{"The recovery copy " + Folder("77-3.txt") + " cannot be used: its image holds 1000 bytes; a copy "
                      "holds 262144." + aside, 48, "LumentorMGW"},
                     {"The recovery copy " + Folder("77-4.txt") + " cannot be used: its note has no time."
                          + aside, 48, "LumentorMGW"},
                     {"Recover the unsaved changes to an unsaved map from 2026-03-01 10:00:00?" + no, 36, "LumentorMGW"},
                     {"Recover the unsaved changes to /maps/plant.MGW from 2026-03-01 09:30:00?" + no, 36,
                      "LumentorMGW"}}));
    EXPECT_EQ(window->lblFileName->text(), "/maps/plant.MGW");
    EXPECT_TRUE(window->optProtocol[1]->isChecked());
    EXPECT_EQ(window->cboPoint->currentText(), "Point: 012");
    EXPECT_EQ(ImageBytes(), Pattern(3));
    EXPECT_TRUE(Dirty);
    EXPECT_EQ(QDir(Folder("Damaged")).entryList(QDir::Files).join(' ').count("77-"), 4);

    // The recovered copy is this window's now; the declined one stays, and a
    // second window does not ask about it again.
    RunUntil([&] { return Writer().Written() == 1; });
    EXPECT_EQ(ReadAll(Folder("77-1.1.mgw")), Pattern(3));
    EXPECT_TRUE(ReadAll(Folder("77-1.txt")).contains("pid=" + QByteArray::number(QCoreApplication::applicationPid())));
    {
        frmLumentorMGW second;
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(boxes.Count(), 4);

    // New gives the recovered map up, copy and all; the next save gives up the declined one.
    const QStringList others{"77-2.2.mgw", "77-2.lock", "77-2.txt", "77-5.2.mgw", "77-5.lock", "77-5.txt"};
    boxes.Answer(vbYes);
    window->mnuFileNew->trigger();
    Writer().Finish();
    EXPECT_EQ(FilesIn(Folder()), QStringList{"77-1.lock"} + others);
    replies = {home.filePath("plant.MGW")};
    window->mnuFileSaveAs->trigger();
    EXPECT_EQ(FilesIn(Folder()), QStringList({"77-1.lock", "77-5.2.mgw", "77-5.lock", "77-5.txt"}));
    window.reset();
    EXPECT_EQ(FilesIn(Folder()), QStringList({"77-5.2.mgw", "77-5.lock", "77-5.txt"}));
}

// A map file's path with a space, a per cent sign before digits (as a
// message's placeholders are written) and letters beyond ASCII, in the folder
// and the name: the copy of an ended window names exactly that file.
TEST_F(RecoveryTest, CopyBringsBackItsMapFileUnderExactlyItsPath)
{
    const QString folder = home.filePath(QStringLiteral("100% Büro"));
    const QString file = QStringLiteral("Halle 3 – Ост %1 %20.MGW");
    ASSERT_TRUE(QDir().mkpath(folder));
    replies = {folder + '/' + file};
    SelectPoint(2);
    window->cboType->setCurrentIndex(5);
    window->mnuFileSaveAs->trigger();
    window->cboType->setCurrentIndex(1);
    Snapshot();
    const QString name = FilesIn(Folder()).value(0).section('.', 0, 0);
    QByteArray note = ReadAll(Folder(name + ".txt"));   // UTF-8, a per cent sign escaped
    EXPECT_TRUE(note.startsWith("file=" + home.path().toUtf8() + "/100%25 B\xC3\xBCro/Halle 3 \xE2\x80\x93 "
                                "\xD0\x9E\xD1\x81\xD1\x82 %251 %2520.MGW\n")) << note.data();

    // Planted again as the copy of a window that has ended.
    Plant("77-1", ReadAll(Folder(name + ".1.mgw")), note.left(note.indexOf("pid=")));
    Restart(vbYes);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().text.startsWith("Recover the unsaved changes to " + folder + '/' + file + " from 20"))
        << boxes.Last().text.toStdString();
    EXPECT_EQ(window->lblFileName->text(), folder + '/' + file);   // where Save writes: FileCommandTest
}
