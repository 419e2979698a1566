#pragma once

#include "model/LaminaError.h"

#include <QByteArray>
#include <QString>

namespace lamina {

// Whether an existing file at the target may be replaced: the caller's
// --force or the user's Yes to the overwrite question.
enum class ExistingFile { keep, replace };

// The one way Lamina puts a file on disk. The bytes go to a temporary file
// beside the target, are written out and synced to the disk with every
// result checked, and only then take the target's name, so the target is
// either the old file or the complete new one.
//
// The target may be missing or a regular file, reached through symbolic
// links or not (the links stay, the file they lead to is replaced); a
// folder, pipe, device, socket, link loop or read-only file is refused, and
// an existing file with ExistingFile::keep too (FileExistsError). With keep
// the new file takes the name only while it is free, in one step: a file
// another program made there meanwhile is refused as existing as well, and
// stays as it was.
//
// Throws LaminaError, one line in each language naming the path and the
// cause, when it cannot; the old file is then left as it was and no
// temporary file remains.
void saveFile(const QString &path, const QByteArray &bytes, ExistingFile existing);

// saveFile's refusal of an existing target under ExistingFile::keep, so a
// caller can say how to allow it.
class FileExistsError : public LaminaError
{
public:
    using LaminaError::LaminaError;
};

}  // namespace lamina
