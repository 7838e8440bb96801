// The one file writer, where an atomic replace is not enough: hard links,
// folders that refuse new files, owners, and failures named in words. Each
// refusal is real for whoever runs the tests (see ChildProcess.h).
#include "common/ChildProcess.h"
#include "common/TestFiles.h"
#include "image/WholeFile.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace modLumentorMGW;

namespace {
const QByteArray Old(1000, 'o');
const QByteArray New(MapFileBytes, 'n');

std::string Write(const QString &path)
{
    QString reason;
    return WriteWholeFile(path, New, &reason) ? "written" : reason.toStdString();
}

struct stat StatOf(const QString &path)
{
    struct stat s {};
    stat(QFile::encodeName(path).constData(), &s);
    return s;
}
} // namespace

TEST(WholeFile, HardLinksOwnerAndPermissionsAreKept)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.MGW"), b = dir.filePath("b.MGW");
    ASSERT_TRUE(WriteAll(a, Old));
    ASSERT_EQ(link(QFile::encodeName(a).constData(), QFile::encodeName(b).constData()), 0);
    EXPECT_EQ(Write(a), "written");
    EXPECT_EQ(ReadAll(b), New); // the other name sees the new content
    EXPECT_EQ(StatOf(a).st_nlink, 2u);

    // Replaced atomically, under the old owner (root can give it one) and permissions.
    const QString c = dir.filePath("c.MGW");
    ASSERT_TRUE(WriteAll(c, Old));
    chmod(QFile::encodeName(c).constData(), 0604);
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(chown(QFile::encodeName(c).constData(), owner, getegid()), 0);
    const ino_t before = StatOf(c).st_ino;
    EXPECT_EQ(Write(c), "written");
    EXPECT_EQ(ReadAll(c), New);
    EXPECT_NE(StatOf(c).st_ino, before);
    EXPECT_EQ(StatOf(c).st_mode & 07777, 0604u);
    EXPECT_EQ(StatOf(c).st_uid, owner);
}

TEST(WholeFile, RefusalsAreNamedAndAWritableFileInALockedFolderIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const struct { const char *name; int mode; std::string outcome; QByteArray after; } cases[] = {
        {"open.MGW", 0666, "written", New},
        {"closed.MGW", 0444, "Permission denied", Old},
        {"new.MGW", -1, "Permission denied", QByteArray()}};
    for (const auto &c : cases) {
        const QString path = locked + '/' + c.name;
        if (c.mode >= 0) {
            ASSERT_TRUE(WriteAll(path, Old));
            chmod(QFile::encodeName(path).constData(), mode_t(c.mode));
        }
    }
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    chmod(QFile::encodeName(locked).constData(), 0555);
    for (const auto &c : cases) {
        const QString path = locked + '/' + c.name;
        EXPECT_EQ(InChild([&] {
                      const std::string who = BecomeUnprivileged();
                      return who.empty() ? Write(path) : who;
                  }),
                  c.outcome)
            << c.name;
        EXPECT_EQ(ReadAll(path), c.after) << c.name;
    }
    EXPECT_EQ(FilesIn(locked), (QStringList{"closed.MGW", "open.MGW"}));
    chmod(QFile::encodeName(locked).constData(), 0755);

    // A file size limit, replacing and in place (a second link).
    const QString limited = dir.filePath("limited.MGW");
    ASSERT_TRUE(WriteAll(limited, Old));
    FileSizeLimit limit(100000);
    EXPECT_EQ(Write(limited), "File too large");
    EXPECT_EQ(ReadAll(limited), Old);
    ASSERT_EQ(link(QFile::encodeName(limited).constData(), QFile::encodeName(limited + "2").constData()), 0);
    EXPECT_EQ(Write(limited), "File too large");
}

TEST(WholeFile, AFullDiskIsNamedAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string report = InChild([&] {
        const std::string why = MountSmallTmpfs(folder, 64 * 1024);
        if (!why.empty())
            return "cannot: " + why;
        const QString path = dir.filePath("full.MGW");
        WriteAll(path, Old);
        return Write(path) + (ReadAll(path) == Old ? ", kept " : ", lost ") + FilesIn(dir.path()).join(',').toStdString();
    });
    if (report.rfind("cannot: ", 0) == 0)
        GTEST_SKIP() << "no small file system to fill: " << report;
    EXPECT_EQ(report, "No space left on device, kept full.MGW");
}
