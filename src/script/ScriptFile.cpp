#include "ScriptWriter.h"

#include "files/SaveFile.h"

namespace lamina {

void saveScript(const QString &path, const QByteArray &bytes, ExistingFile existing)
{
    saveFile(path, bytes, existing);
}

}  // namespace lamina
