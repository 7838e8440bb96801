// A state folder that refuses recovery copies, told in the window rather
// than lost on standard error; copies that cannot be claimed or set aside;
// a crashed window's copy under this very process id.
#include "common/ChildProcess.h"
#include "common/FileSizeLimit.h"
#include "image/LeftCopies.h"
#include "recovery/RecoveryFixture.h"

#include <QLockFile>

#include <sys/stat.h>

using namespace modLumentorMGW;

using RecoveryFolderTest = RecoveryTest;

// Each way the folder refuses: one box naming the folder and the reason,
// not again while it keeps refusing, again once a copy was written since.
TEST_F(RecoveryFolderTest, CopiesThatCannotBeWrittenAreToldOnceInTheWindow)
{
    const QString state = home.filePath("state");
    const QString tail = ".\nUnsaved changes are not kept for a restart after a crash until they can be.";
    std::unique_ptr<FileSizeLimit> limit;
    const std::tuple<const char *, std::function<void()>, std::function<void()>, QString> cases[] = {
        {"under a file", [&] { WriteAll(state, "a file"); }, [&] { QFile::remove(state); },
         state + " is a file, not a folder"},
        {"full", [&] { limit = std::make_unique<FileSizeLimit>(100000); }, [&] { limit.reset(); }, "File too large"},
    };
    int type = 1;
    const auto change = [&] { // an unsaved change, its copy written (or not), and any box it raised shown
        window->cboType->setCurrentIndex(type++);
        Snapshot();
        QCoreApplication::processEvents();
    };
    for (const auto &[what, refuse, allow, why] : cases) {
        Restart();
        refuse();
        change();
        change();
        EXPECT_EQ(boxes.boxes, (Boxes{{"Recovery copies cannot be written in " + Folder() + ": " + why + tail, 48,
                                       "LumentorMGW"}}))
            << what;
        allow();
        change();
        EXPECT_EQ(boxes.Count(), 1) << what;
        EXPECT_EQ(Writer().Written(), 1) << what;
    }
    // Written since the last box: the next refusal is told again.
    limit = std::make_unique<FileSizeLimit>(100000);
    change();
    limit.reset();
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Last().text, "Recovery copies cannot be written in " + Folder() + ": File too large" + tail);
}

// A damaged copy that cannot be moved is not said to be; copies in a folder
// that may not be written are said to be there, and why they are not offered.
TEST_F(RecoveryFolderTest, CopiesThatCannotBeClaimedOrSetAsideAreToldAtStart)
{
    Plant("77-1", "short");
    WriteAll(Folder() + "/Damaged", "a file where the folder goes");
    Restart();
    EXPECT_EQ(boxes.boxes, (Boxes{{"The recovery copy " + Folder() + "/77-1.txt cannot be used: its image holds 5 "
                                   "bytes; a copy holds 262144.\nIt could not be set aside: " + Folder()
                                       + "/Damaged is a file, not a folder.", 48, "LumentorMGW"}}));
    EXPECT_TRUE(QFileInfo::exists(Folder() + "/77-1.txt"));
    window.reset();

    // A folder the user may not write: as nobody, in a child.
    QFile::remove(Folder() + "/Damaged");
    QFile::remove(Folder() + "/77-1.lock");
    Plant("77-1");
    Plant("78-1");
    ASSERT_EQ(chmod(QFile::encodeName(Folder()), 0555) | chmod(QFile::encodeName(home.path()), 0755)
                  | chmod(QFile::encodeName(home.filePath("state")), 0755)
                  | chmod(QFile::encodeName(home.filePath("state/LumentorMGW")), 0755),
              0);
    const std::string said = InChild([&] {
        const std::string why = BecomeUnprivileged();
        if (!why.empty())
            return why;
        std::vector<DamagedCopy> damaged;
        UnclaimedCopies unclaimed;
        const size_t claimed = ClaimLeftCopies(Folder(), &damaged, &unclaimed).size();
        std::string written;
        {
            RecoveryWriter writer(Folder());
            writer.OnFailure([&](const QString &why) { written += why.toStdString(); });
            writer.Write(QByteArray(MapFileBytes, '\0'), RecoveryNote());
            writer.Finish();
        }
        return std::to_string(claimed + damaged.size()) + " " + std::to_string(unclaimed.count) + " "
            + unclaimed.why.toStdString() + "; " + written;
    });
    chmod(QFile::encodeName(Folder()), 0755);
    EXPECT_EQ(said, "0 2 Permission denied; Permission denied");
}

// A crashed window's copy, its lock naming this very process (a container
// gives the program the same id at every start): offered, not taken for a
// live window's.
TEST_F(RecoveryFolderTest, ACopyLockedUnderThisProcessIdIsOffered)
{
    QByteArray image(MapFileBytes, '\0');
    image[0] = 5;
    Plant("9-1", image);
    QByteArray lockText;
    {
        QLockFile crashed(Folder() + "/9-1.lock");
        ASSERT_TRUE(crashed.tryLock(0));
        lockText = ReadAll(Folder() + "/9-1.lock");
    }
    ASSERT_TRUE(WriteAll(Folder() + "/9-1.lock", lockText)); // left behind, held by no one
    Restart(vbYes);
    EXPECT_EQ(boxes.Count(), 1);   // the offer's words: RecoveryTest
    EXPECT_EQ(ConfigImage[0], 5);
    // The lock this window now holds is never taken for a crashed one's.
    std::vector<DamagedCopy> damaged;
    EXPECT_TRUE(ClaimLeftCopies(Folder(), &damaged).empty());
}
