#pragma once
// Where the listing of a map file goes: beside it, its name ending in "CSV"
// in place of the map file name's last three characters.
#include <QString>

namespace modLumentorMGW {

// "C:\maps\plant.MGW" -> "C:\maps\plant.CSV"; "C:\maps\plant" -> "C:\maps\plCSV".
// The characters replaced never reach past a folder separator ('/' or '\'):
// a file name part shorter than three characters is replaced whole, so the
// listing still lands beside the map file ("/maps/ab" -> "/maps/CSV").
// An empty name gives an empty path.
QString CsvPathFor(const QString &mapFileName);

// False, with *reason set, when csvPath cannot take the listing: it is
// empty, or it names the map file itself (the same text in any letter case,
// or the same file on disk, by any link), which the listing would destroy.
bool CsvPathAllowed(const QString &mapFileName, const QString &csvPath, QString *reason = nullptr);

} // namespace modLumentorMGW
