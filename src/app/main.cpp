// Starts the program: one window; closing it ends the program.
// --port PORT chooses the port (a COM name or any device path); a file named
// after the options is opened.
#include "ui/dialogs/MessageBox.h"
#include "ui/window/frmLumentorMGW.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {
void Describe(QCoreApplication &app)
{
    app.setApplicationName(QStringLiteral("LumentorMGW"));
    app.setApplicationVersion(QStringLiteral(MGW_VERSION));
}

// What the command line holds that would otherwise be taken silently: a
// second file, a second --port, an empty one. Empty when nothing.
QString Refusal(const QCommandLineParser &parser, const QCommandLineOption &port)
{
    if (parser.positionalArguments().size() > 1)
        return QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().at(1));
    if (parser.values(port).size() > 1)
        return QStringLiteral("--port is given more than once");
    if (parser.isSet(port) && parser.value(port).isEmpty())
        return QStringLiteral("--port needs a value, not an empty one");
    return QString();
}

// Wayland knows a window's program by this id alone: the launcher's entry
// and icon are found under it.
void Identify()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumentormgw.LumentorMGW"));
}
} // namespace

int main(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Configuration tool for the Lumentor mapped gateway."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Choose the serial port PORT: COM1 to COM8, a port "
                                                 "of the list, or any device path."),
                                  QStringLiteral("PORT"));
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A map file to open."), QStringLiteral("[file]"));
    {
        // Help and version answer before any window system is needed, so
        // they work without a display; the rest waits for the window
        // system to take its own options (-platform, -style) out first.
        // The window system's options are still in, so a single-dash word is
        // one option here: -reverse is not -r -e -v...
        QCoreApplication bare(argc, argv);
        Describe(bare);
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.parse(bare.arguments());
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
            parser.showHelp();
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
    }

    QApplication app(argc, argv);
    Describe(app);
    Identify();
    parser.process(app);
    if (const QString refusal = Refusal(parser, port); !refusal.isEmpty()) {
        std::fputs(qPrintable(QStringLiteral("LumentorMGW: %1\n\n").arg(refusal) + parser.helpText()), stderr);
        return 2;
    }
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW window;
    if (parser.isSet(port))
        window.ChoosePort(parser.value(port));
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.OpenAtStart(parser.positionalArguments().constFirst());
    return app.exec();
}
