// Starts the program: one window; closing it ends the program.
#include "ui/MessageBox.h"
#include "ui/frmLumentorMGW.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("LumentorMGW"));
    modLumentorMGW::InstallMessageBox();
    frmLumentorMGW window;
    window.show();
    return app.exec();
}
