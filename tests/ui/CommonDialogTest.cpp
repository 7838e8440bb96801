// The file dialog's pieces that the driven dialog cannot show: the pipe
// filter's translation and which names each flag set refuses.
#include "ui/CommonDialog.h"
#include "ui/FileChooser.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Mode = CommonDialog::Mode;

TEST(CommonDialog, PipeEntriesBecomeNameFiltersThatMatchEveryName)
{
    EXPECT_EQ(CommonDialog::NameFilters("Lumentor Data Files (*.MGW)|*.MGW|All Files (*.*)|*.*"),
              (QStringList{"Lumentor Data Files (*.MGW) (*.MGW)", "All Files (*.*) (*)"}));
    EXPECT_EQ(CommonDialog::NameFilters("Pictures|*.bmp; *.ico|Odd"), QStringList{"Pictures (*.bmp *.ico)"});
    EXPECT_TRUE(CommonDialog::NameFilters(QString()).isEmpty());
}

TEST(CommonDialog, FlagsDecideWhatEachDialogAccepts)
{
    QTemporaryDir dir;
    const QString existing = dir.filePath("a.MGW");
    ASSERT_TRUE(QFile(existing).open(QIODevice::WriteOnly));
    const QString fresh = dir.filePath("new"), noFolder = dir.filePath("missing/x.MGW");
    const struct { Mode mode; int flags; QString path; bool accepted; } cases[] = {
        {Mode::Open, 6150, existing, true}, {Mode::Open, 6150, fresh, false}, {Mode::Open, 6150, dir.path(), false},
        {Mode::Save, 6150, existing, true}, {Mode::Save, 6150, fresh, true},  {Mode::Save, 6150, noFolder, false},
        {Mode::Save, 0, noFolder, true}};
    for (const auto &c : cases)
        EXPECT_EQ(FileChooser::Refusal(c.mode, c.flags, c.path).isEmpty(), c.accepted) << qPrintable(c.path);
    EXPECT_TRUE(FileChooser(nullptr, Mode::Save, 0).testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_FALSE(FileChooser(nullptr, Mode::Save, 6150).testOption(QFileDialog::DontConfirmOverwrite));
}
