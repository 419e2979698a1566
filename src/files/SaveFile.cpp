#include "SaveFile.h"

#include "model/LaminaError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

[[noreturn]] void fail(const QString &path, const QString &reasonEn, const QString &reasonZh)
{
    throw LaminaError(u"cannot write \"%1\": %2"_s.arg(path, reasonEn),
                      u"无法写入文件“%1”：%2"_s.arg(path, reasonZh));
}

}  // namespace

void saveFile(const QString &path, const QByteArray &bytes, ExistingFile existing)
{
    if (path.isEmpty())
        fail(path, u"no file name was given"_s, u"没有给出文件名"_s);
    const QFileInfo target(path);
    if (target.isDir())
        fail(path, u"it is a folder"_s, u"这是一个文件夹"_s);
    // A device or pipe would be replaced by a plain file, not written to.
    if (target.exists() && !target.isFile())
        fail(path, u"it is not a regular file"_s, u"这不是普通文件"_s);
    if (target.exists() && existing == ExistingFile::keep)
        fail(path, u"the file exists already"_s, u"文件已存在"_s);
    // Replacing by rename would get past a read-only file (and root passes
    // every access test), so the file's own write bit decides too.
    if (target.exists() && (!target.isWritable() || !(target.permissions() & QFile::WriteOwner)))
        fail(path, u"the file is read-only"_s, u"文件是只读的"_s);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString(), file.errorString());
    // Flush before committing: an error while the last buffered bytes go
    // out (a full disk) is not seen by commit(), which would then put a
    // truncated file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(path, reason, reason);
    }
    if (!file.commit())
        fail(path, file.errorString(), file.errorString());
}

}  // namespace lamina
