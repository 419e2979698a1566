#include "FileMessages.h"

#include "model/LaminaError.h"

#include <cerrno>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace lamina {

QString quotedPath(const QString &path)
{
    QString inner = path;
    inner.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u'"' + escapedForMessage(inner) + u'"';
}

namespace {

// The system's own English name for an error number the table below does
// not know; glibc says "Unknown error N" for a number it has no name for.
QString systemText(int errorNumber)
{
    const char *name = strerrorname_np(errorNumber);
    const char *description = strerrordesc_np(errorNumber);
    if (!name || !description)
        return u"system error %1"_s.arg(errorNumber);
    QString text = QString::fromUtf8(description);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return u"%1 (%2)"_s.arg(text, QString::fromLatin1(name));
}

}  // namespace

FileErrorCause causeOfError(int errorNumber, Blame blame)
{
    const bool folder = blame == Blame::folder;
    switch (errorNumber) {
    case ENOSPC: return {u"no space left on the disk"_s, u"磁盘空间不足"_s};
    case EDQUOT: return {u"the disk quota is used up"_s, u"磁盘配额已用完"_s};
    case EFBIG: return {u"the file is too large for the file system"_s, u"文件超出文件系统允许的大小"_s};
    case EACCES:
    case EPERM:
        if (folder)
            return {u"permission denied: the folder may not be written to"_s,
                    u"权限不足：不能写入该文件夹"_s};
        return {u"permission denied: the file may not be written"_s, u"权限不足：不能写入该文件"_s};
    case EROFS: return {u"the file system is read-only"_s, u"文件系统是只读的"_s};
    case ENAMETOOLONG: return {u"the file name is too long"_s, u"文件名太长"_s};
    case ELOOP:
        return {u"too many symbolic links (a link that points back to itself?)"_s,
                u"符号链接层数过多（链接可能指向自身）"_s};
    case ENOENT:
        if (folder)
            return {u"the folder does not exist"_s, u"文件夹不存在"_s};
        return {u"the file does not exist"_s, u"文件不存在"_s};
    case ENOTDIR: return {u"a part of the path is not a folder"_s, u"路径中有一部分不是文件夹"_s};
    case EISDIR: return {u"it is a folder"_s, u"这是一个文件夹"_s};
    case EEXIST: return {u"the file exists already"_s, u"文件已存在"_s};
    case EIO: return {u"input/output error: the disk failed"_s, u"磁盘读写错误"_s};
    case EBUSY:
    case ETXTBSY: return {u"the file is in use by another program"_s, u"文件正被其他程序使用"_s};
    case EMFILE:
    case ENFILE: return {u"too many files are open"_s, u"打开的文件过多"_s};
    case ENOMEM: return {u"out of memory"_s, u"内存不足"_s};
    case EXDEV: return {u"the file lies on another file system"_s, u"文件位于另一个文件系统上"_s};
    case 0:
        // A write that stopped short without an error number.
        return {u"the disk accepted only part of the data"_s, u"磁盘只接受了部分数据"_s};
    default: {
        const QString text = systemText(errorNumber);
        return {text, u"系统错误：%1"_s.arg(text)};
    }
    }
}

}  // namespace lamina
