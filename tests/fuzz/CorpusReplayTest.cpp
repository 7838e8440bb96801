// Replays every saved input of every fuzz target: what the fuzzer once found
// (and every seed) stays fixed, and a target's failed check fails the test.
#include "FuzzTargets.h"
#include "common/MsgBoxRecorder.h"
#include "common/TestFiles.h"

TEST(CorpusReplay, EveryTargetHoldsOnEverySavedInput)
{
    MsgBoxRecorder boxes; // the view's multi relay refusal may show
    SetFuzzFailure([](const char *what) { ADD_FAILURE() << "fuzz check failed: " << what; });
    const std::pair<const char *, int (*)(const uint8_t *, size_t)> targets[] = {{"mapfile", FuzzMapFile},
        {"listing", FuzzListing}, {"import", FuzzImport}, {"reply", FuzzReply}, {"uploadblock", FuzzUploadBlock},
        {"view", FuzzView}};
    for (const auto &[corpus, target] : targets) {
        const QDir dir(QStringLiteral(MGW_FUZZ_CORPUS "/") + QLatin1String(corpus));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(names.isEmpty()) << corpus;
        for (const QString &name : names) {
            SCOPED_TRACE(dir.filePath(name).toStdString());
            const QByteArray input = ReadAll(dir.filePath(name));
            target(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
        }
    }
}
