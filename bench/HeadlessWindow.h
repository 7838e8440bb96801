#pragma once
// The real window, shown headless, its home folder in a temporary directory.
#include "Headless.h"

#include "ui/window/frmLumentorMGW.h"

#include <QApplication>

namespace bench {

// Prepares the environment before the application is made.
struct HeadlessHome {
    HeadlessHome() { PrepareHeadless(dir); }
    QTemporaryDir dir;
};

struct HeadlessWindow {
    HeadlessWindow(int &argc, char **argv) : app(argc, argv)
    {
        window.show();
        QCoreApplication::processEvents();
    }
    HeadlessHome home;
    QApplication app;
    frmLumentorMGW window;
};

} // namespace bench
