#include "ui/CommonDialog.h"
#include "ui/FileChooser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {
const QString MapFilter = QStringLiteral("Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*");
constexpr int MapFlags = 6150;

using Mode = CommonDialog::Mode;

// Installs a handler for one test and puts the real dialog back afterwards.
class CommonDialogTest : public ::testing::Test {
protected:
    std::vector<CommonDialog::Request> asked;
    std::vector<std::optional<QString>> answers;

    void SetUp() override
    {
        CommonDialog::SetHandler([this](const CommonDialog::Request &r) {
            asked.push_back(r);
            const std::optional<QString> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }
    void TearDown() override { CommonDialog::SetHandler(nullptr); }
};
} // namespace

TEST(CommonDialogFilter, PipeEntriesBecomeNameFiltersThatMatchEveryName)
{
    EXPECT_EQ(CommonDialog::NameFilters(MapFilter),
              (QStringList{QStringLiteral("Lumentor Data Files (*.MGW) (*.MGW)"),
                           QStringLiteral("All Files (*.*) (*)")}));
    EXPECT_EQ(CommonDialog::NameFilters(QStringLiteral("Pictures|*.bmp; *.ico|Odd")),
              QStringList{QStringLiteral("Pictures (*.bmp *.ico)")});
    EXPECT_TRUE(CommonDialog::NameFilters(QString()).isEmpty());
}

TEST(CommonDialogFlags, FlagsDecideWhatEachDialogAccepts)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("a.MGW"));
    QFile(existing).open(QIODevice::WriteOnly);
    const QString fresh = dir.filePath(QStringLiteral("new"));
    const QString noFolder = dir.filePath(QStringLiteral("missing/x.MGW"));

    EXPECT_TRUE(FileChooser::Refusal(Mode::Open, MapFlags, existing).isEmpty());
    EXPECT_FALSE(FileChooser::Refusal(Mode::Open, MapFlags, fresh).isEmpty());
    EXPECT_FALSE(FileChooser::Refusal(Mode::Open, MapFlags, dir.path()).isEmpty());
    EXPECT_TRUE(FileChooser::Refusal(Mode::Save, MapFlags, existing).isEmpty());
    EXPECT_TRUE(FileChooser::Refusal(Mode::Save, MapFlags, fresh).isEmpty());
    EXPECT_FALSE(FileChooser::Refusal(Mode::Save, MapFlags, noFolder).isEmpty());
    EXPECT_TRUE(FileChooser::Refusal(Mode::Save, 0, noFolder).isEmpty());

    FileChooser open(nullptr, Mode::Open, MapFlags);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_TRUE(open.testOption(QFileDialog::DontUseNativeDialog));
    FileChooser save(nullptr, Mode::Save, MapFlags);
    EXPECT_EQ(save.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(save.defaultSuffix().isEmpty());
    EXPECT_FALSE(save.filter() & QDir::CaseSensitive);
    EXPECT_TRUE(FileChooser(nullptr, Mode::Save, 0).testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(CommonDialogPreset, PatternNameOpensItsFolderThroughItsEntry)
{
    QTemporaryDir dir;
    FileChooser dialog(nullptr, Mode::Open, MapFlags);
    dialog.setNameFilters(CommonDialog::NameFilters(MapFilter));
    dialog.Preset(dir.path() + QStringLiteral("/*.mgw"), QString());
    EXPECT_EQ(QDir(dialog.directory()), QDir(dir.path()));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Lumentor Data Files (*.MGW)"));
    dialog.Preset(QStringLiteral("*.txt"), QString());   // no entry shows it: it gets one
    EXPECT_EQ(dialog.nameFilters().value(0), QStringLiteral("*.txt (*.txt)"));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("*.txt"));
}

TEST_F(CommonDialogTest, ChoiceKeepsTheNameAndCancelLeavesIt)
{
    CommonDialog cd;
    cd.Filter = MapFilter;
    cd.Flags = MapFlags;
    cd.FileName = QStringLiteral("/home/x/Arvane Lumentor Mapped Gateway/*.MGW");
    answers = {QStringLiteral("/m/plant.MGW"), std::nullopt, QString(), QStringLiteral("/m/b")};

    EXPECT_TRUE(cd.ShowOpen());
    EXPECT_FALSE(cd.Cancelled);
    EXPECT_EQ(cd.FileName, QStringLiteral("/m/plant.MGW"));
    EXPECT_FALSE(cd.ShowSave());
    EXPECT_TRUE(cd.Cancelled);
    EXPECT_EQ(cd.FileName, QStringLiteral("/m/plant.MGW"));
    EXPECT_FALSE(cd.ShowSave());   // an empty answer is no choice either
    EXPECT_TRUE(cd.Cancelled);
    EXPECT_TRUE(cd.ShowSave());
    EXPECT_EQ(cd.FileName, QStringLiteral("/m/b"));

    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].mode, Mode::Open);
    EXPECT_EQ(asked[0].fileName, QStringLiteral("/home/x/Arvane Lumentor Mapped Gateway/*.MGW"));
    EXPECT_EQ(asked[0].filter, MapFilter);
    EXPECT_EQ(asked[0].flags, MapFlags);
    EXPECT_EQ(asked[1].mode, Mode::Save);
    EXPECT_EQ(asked[1].fileName, QStringLiteral("/m/plant.MGW"));   // proposes the last choice
}
