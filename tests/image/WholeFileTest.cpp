// The one file writer, where an atomic replace is not enough: hard links,
// folders that refuse new files, owners, and failures named in words. Each
// refusal is real for whoever runs the tests (see ChildProcess.h).
#include "common/ChildProcess.h"
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "image/WholeFile.h"

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

QByteArray Name(const QString &path) { return QFile::encodeName(path); }
} // namespace

TEST(WholeFile, HardLinksOwnerAndPermissionsAreKept)
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.MGW"), b = dir.filePath("b.MGW"), c = dir.filePath("c.MGW");
    ASSERT_TRUE(WriteAll(a, Old));
    ASSERT_EQ(link(Name(a), Name(b)), 0);
    EXPECT_EQ(Write(a), "written");
    EXPECT_EQ(ReadAll(b), New); // the other name sees the new content

    // Under the old owner (root can give it one) and permissions.
    ASSERT_TRUE(WriteAll(c, Old));
    chmod(Name(c), 0604);
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(chown(Name(c), owner, getegid()), 0);
    EXPECT_EQ(Write(c), "written");
    EXPECT_EQ(ReadAll(c), New);
    struct stat s {};
    stat(Name(c), &s);
    EXPECT_EQ(s.st_mode & 07777, 0604u);
    EXPECT_EQ(s.st_uid, owner);
}

TEST(WholeFile, RefusalsAreNamedAndAWritableFileInALockedFolderIsWrittenInPlace)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(WriteAll(locked + "/open.MGW", Old));
    ASSERT_TRUE(WriteAll(locked + "/closed.MGW", Old));
    chmod(Name(locked + "/open.MGW"), 0666);
    chmod(Name(locked + "/closed.MGW"), 0444);
    chmod(Name(dir.path()), 0755);
    chmod(Name(locked), 0555);
    const struct { const char *name; std::string outcome; QByteArray after; } cases[] = {
        {"open.MGW", "written", New}, {"closed.MGW", "Permission denied", Old}, {"new.MGW", "Permission denied", {}}};
    for (const auto &c : cases) {
        const QString path = locked + '/' + c.name;
        // As nobody (the object of a call is made before its argument); a
        // failed change of user shows before the outcome.
        EXPECT_EQ(InChild([&] { return BecomeUnprivileged().append(Write(path)); }), c.outcome) << c.name;
        EXPECT_EQ(ReadAll(path), c.after) << c.name;
    }
    chmod(Name(locked), 0755);

    // A write stopped part way in place (a second link) names its reason too.
    const QString limited = dir.filePath("limited.MGW");
    ASSERT_TRUE(WriteAll(limited, Old));
    ASSERT_EQ(link(Name(limited), Name(limited + "2")), 0);
    FileSizeLimit limit(100000);
    EXPECT_EQ(Write(limited), "File too large");
}
