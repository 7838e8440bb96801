// Starts the program: one window; closing it ends the program.
// --port PORT chooses the port (a COM name or any device path).
#include "ui/MessageBox.h"
#include "ui/frmLumentorMGW.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LumentorMGW"));
    QApplication::setApplicationVersion(QStringLiteral("1.6"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Configuration tool for the Lumentor mapped gateway."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Choose the serial port PORT: COM1 to COM8, a port "
                                                 "of the list, or any device path."),
                                  QStringLiteral("PORT"));
    parser.addOption(port);
    parser.process(app);

    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW window;
    if (parser.isSet(port))
        window.ChoosePort(parser.value(port));
    window.show();
    return app.exec();
}
