#pragma once
// The program's icon: every size drawn from its SVG at build time (see
// src/CMakeLists.txt), so that the title bar, the task switcher and the
// desktop's menus show one drawing.
#include <QDir>
#include <QIcon>

namespace modLumentorMGW {

inline QIcon ProgramIcon()
{
    QIcon icon;
    for (const QFileInfo &size : QDir(QStringLiteral(":/icons")).entryInfoList())
        icon.addFile(size.filePath());
    return icon;
}

} // namespace modLumentorMGW
