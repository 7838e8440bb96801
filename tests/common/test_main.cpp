// Every suite runs inside a headless QApplication, so window tests and
// serial-port tests share one event loop set-up. The home and XDG folders
// point into a temporary folder first, so nothing a test does (the file
// dialog's history, settings, the default folder) reaches the real ones.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    const std::pair<const char *, const char *> folders[] = {
        {"HOME", ""}, {"XDG_CONFIG_HOME", ".config"}, {"XDG_DATA_HOME", ".local/share"},
        {"XDG_STATE_HOME", ".local/state"}, {"XDG_CACHE_HOME", ".cache"}, {"XDG_RUNTIME_DIR", "runtime"}};
    for (const auto &[variable, folder] : folders) {
        const QString path = home.filePath(QString::fromUtf8(folder));
        QDir().mkpath(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(variable, QFile::encodeName(path));
    }

    qunsetenv("MGW_RECORD"); // the record too stays in the temporary folder

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
