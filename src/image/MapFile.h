#pragma once
// Map files (*.MGW): the image's cells as 16-bit little-endian integers in
// storage order, 262,144 bytes, no header.
#include <QByteArray>
#include <QString>

namespace modLumentorMGW {

constexpr qint64 MapFileSize = 262144;

// Full path of the current map file, or "None" while the image belongs to no file.
extern QString FileName;

// Loads the first 262,144 bytes of FileName into the image. A file that is
// missing, unreadable, shorter or not a regular file is refused: the image and Dirty stay as they
// were, the result is false and *reason says why. Dirty is never touched.
bool ReadImageFile(QString *reason = nullptr);

// The image as a map file holds it.
QByteArray ImageFileBytes();

// Writes the image to FileName, exactly 262,144 bytes, atomically: on failure
// the file on disk is unchanged, the result is false and *reason says why.
bool WriteImageFile(QString *reason = nullptr);

} // namespace modLumentorMGW
