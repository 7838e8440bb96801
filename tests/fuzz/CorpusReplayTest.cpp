// Replays every saved input of every fuzz target: what the fuzzer once found
// (and every seed) stays fixed.
#include "FuzzTargets.h"
#include "common/MsgBoxRecorder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
using Target = int (*)(const uint8_t *, size_t);

int replay(const char *corpus, Target target)
{
    SetFuzzFailure([](const char *what) { ADD_FAILURE() << "fuzz check failed: " << what; });
    const QDir dir(QStringLiteral(MGW_FUZZ_CORPUS "/") + QLatin1String(corpus));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray input = file.readAll();
        SCOPED_TRACE(name.toStdString());
        target(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
    }
    return int(names.size());
}
} // namespace

TEST(CorpusReplay, MapFile) { EXPECT_GT(replay("mapfile", FuzzMapFile), 0); }
TEST(CorpusReplay, Listing) { EXPECT_GT(replay("listing", FuzzListing), 0); }
TEST(CorpusReplay, Reply) { EXPECT_GT(replay("reply", FuzzReply), 0); }
TEST(CorpusReplay, UploadBlock) { EXPECT_GT(replay("uploadblock", FuzzUploadBlock), 0); }
TEST(CorpusReplay, View)
{
    MsgBoxRecorder boxes; // the multi relay refusal may show
    EXPECT_GT(replay("view", FuzzView), 0);
}
