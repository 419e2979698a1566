#include "ScriptWriter.h"

#include "files/SaveFile.h"

namespace lamina {

void saveScript(const QString &path, const QByteArray &bytes)
{
    saveFile(path, bytes, ExistingFile::replace);
}

}  // namespace lamina
