#pragma once

#include <QString>

namespace lamina {

// A path as a message names it: in double quotes, with every character that
// would break the message's one line escaped (see escapedForMessage), and
// a quote or backslash in the name escaped too, so the name stays readable
// as what it is.
QString quotedPath(const QString &path);

// What a failed system call means for the file being written, in both
// languages, from its error number: a lower-case phrase without a full stop,
// e.g. "no space left on the disk". Permission and a missing entry are
// blamed on the file or on the folder that holds it, whichever the call
// touched. Any error number gives a phrase, never "Unknown error".
enum class Blame { file, folder };

struct FileErrorCause
{
    QString english;
    QString chinese;
};

FileErrorCause causeOfError(int errorNumber, Blame blame);

}  // namespace lamina
