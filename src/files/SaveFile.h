#pragma once

#include <QByteArray>
#include <QString>

namespace lamina {

// Whether an existing file at the target may be replaced: the caller's
// --force or the user's Yes to the overwrite question.
enum class ExistingFile { keep, replace };

// The one way Lamina puts a file on disk. The bytes go to a temporary file
// beside the target, are flushed and synced, and only then take the target's
// name, so the target is either the old file or the complete new one.
// Throws LaminaError, naming the path and the cause, when it cannot; the old
// file is then left as it was and no temporary file remains.
void saveFile(const QString &path, const QByteArray &bytes, ExistingFile existing);

}  // namespace lamina
