#include "SaveFile.h"

#include "FileMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstdio>  // renameat2
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace lamina {
namespace {

[[noreturn]] void fail(const QString &path, const QString &reasonEn, const QString &reasonZh)
{
    throw LaminaError(u"cannot write %1: %2"_s.arg(quotedPath(path), reasonEn),
                      u"无法写入文件 %1：%2"_s.arg(quotedPath(path), reasonZh));
}

[[noreturn]] void failWith(const QString &path, int errorNumber, Blame blame)
{
    const FileErrorCause cause = causeOfError(errorNumber, blame);
    fail(path, cause.english, cause.chinese);
}

FileExistsError existsError(const QString &path)
{
    return FileExistsError(u"cannot write %1: the file exists already"_s.arg(quotedPath(path)),
                           u"无法写入文件 %1：文件已存在"_s.arg(quotedPath(path)));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

struct Target
{
    QString path;  // where the bytes go: the end of any chain of symbolic links
    bool exists = false;
    mode_t mode = 0;
};

// The file a write to path lands in. stat() has already refused a loop, so
// the chain ends; the bound only guards against a link changed meanwhile.
QString endOfLinks(const QString &path)
{
    QString target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status;
        if (::lstat(native(target).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return target;
        target = QFileInfo(target).symLinkTarget();
    }
    failWith(path, ELOOP, Blame::file);
}

Target examineTarget(const QString &path, ExistingFile existing)
{
    if (path.isEmpty() || QFileInfo(path).fileName().isEmpty())
        fail(path, u"no file name was given"_s, u"没有给出文件名"_s);

    struct stat status;
    if (::stat(native(path).constData(), &status) != 0) {
        // A missing file (or a link to one) is written; a missing folder is
        // found when the temporary file cannot be made in it.
        if (errno != ENOENT)
            failWith(path, errno, Blame::folder);
        return {endOfLinks(path), false, 0};
    }
    // A pipe or device would be replaced by a plain file, not written to.
    if (S_ISDIR(status.st_mode))
        fail(path, u"it is a folder"_s, u"这是一个文件夹"_s);
    if (S_ISFIFO(status.st_mode))
        fail(path, u"it is a named pipe, not a regular file"_s, u"这是命名管道，不是普通文件"_s);
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        fail(path, u"it is a device, not a regular file"_s, u"这是设备，不是普通文件"_s);
    if (!S_ISREG(status.st_mode))
        fail(path, u"it is not a regular file"_s, u"这不是普通文件"_s);
    if (existing == ExistingFile::keep)
        throw existsError(path);
    // Replacing by rename would get past a read-only file (and root passes
    // every access test), so the file's own write bit decides too.
    if (!(status.st_mode & S_IWUSR))
        fail(path, u"the file is read-only"_s, u"文件是只读的"_s);
    if (::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) != 0)
        failWith(path, errno, Blame::file);
    return {endOfLinks(path), true, status.st_mode};
}

// Writes every byte and syncs them to the disk. Qt's own sync on commit
// ignores its result, and a short write leaves it without an error number.
void writeAndSync(int handle, const QByteArray &bytes, const QString &path)
{
    const char *next = bytes.constData();
    auto left = std::size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(handle, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            failWith(path, errno, Blame::file);
        if (written == 0)
            failWith(path, 0, Blame::file);
        next += written;
        left -= std::size_t(written);
    }
    // EINVAL: a file system that cannot sync has nothing to check.
    while (::fdatasync(handle) != 0) {
        if (errno == EINVAL)
            break;
        if (errno != EINTR)
            failWith(path, errno, Blame::file);
    }
}

// Makes the new name itself last through a power cut. The file's data is
// on the disk already and the rename cannot be undone, so a failure here
// has nothing left to protect and is not reported.
void syncFolder(const QString &target)
{
    const int folder
        = ::open(native(QFileInfo(target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
}

// QSaveFile names its temporary file after the target plus ".XXXXXX".
bool temporaryNameFits(const QString &target)
{
    const long limit = ::pathconf(native(QFileInfo(target).path()).constData(), _PC_NAME_MAX);
    return native(QFileInfo(target).fileName()).size() + 7 <= (limit > 0 ? limit : NAME_MAX);
}

void saveThroughQSaveFile(const Target &target, const QString &path, const QByteArray &bytes)
{
    QSaveFile file(target.path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        if (errno == 0)
            fail(path, u"no temporary file could be made beside it"_s, u"无法在其旁边创建临时文件"_s);
        failWith(path, errno, Blame::folder);
    }
    // On a throw, QSaveFile's destructor discards the temporary file.
    writeAndSync(int(file.handle()), bytes, path);
    errno = 0;
    if (!file.commit()) {
        if (errno == 0)
            fail(path, u"the new file could not take its name"_s, u"新文件无法改用目标文件名"_s);
        failWith(path, errno, Blame::folder);
    }
}

// A temporary file with a short name beside the target, for a target whose
// name leaves no room for QSaveFile's suffix or that must not replace a
// file. Removed unless committed.
class ShortTemporaryFile
{
public:
    ShortTemporaryFile(const Target &target, const QString &path)
        : path(path)
    {
        const QString folder = QFileInfo(target.path).path();
        // Readable by others only once it has the old file's permissions.
        const mode_t mode = target.exists ? 0600 : 0666;
        for (int attempt = 0; handle < 0; ++attempt) {
            QString candidate = folder + u"/.lamina-"_s;
            for (int i = 0; i < 6; ++i)
                candidate += QChar(
                    u"abcdefghijklmnopqrstuvwxyz0123456789"[QRandomGenerator::global()->bounded(36)]);
            handle = ::open(native(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (handle >= 0)
                name = native(candidate);
            else if (errno != EEXIST || attempt == 100)
                failWith(path, errno, Blame::folder);
        }
    }
    ShortTemporaryFile(const ShortTemporaryFile &) = delete;
    ShortTemporaryFile &operator=(const ShortTemporaryFile &) = delete;

    ~ShortTemporaryFile()
    {
        if (handle >= 0)
            ::close(handle);
        if (!name.isEmpty())
            ::unlink(name.constData());
    }

    int fileHandle() const { return handle; }

    void takeModeOf(const Target &target)
    {
        if (target.exists && ::fchmod(handle, target.mode & 07777) != 0)
            failWith(path, errno, Blame::file);
    }

    void commitAs(const QString &target, ExistingFile existing)
    {
        const int closing = handle;
        handle = -1;
        if (::close(closing) != 0 && errno != EINTR)
            failWith(path, errno, Blame::file);
        if (existing == ExistingFile::keep)
            takeNameUnlessTaken(native(target));
        else if (::rename(name.constData(), native(target).constData()) != 0)
            failWith(path, errno, Blame::folder);
        name.clear();
    }

private:
    // The target was missing when examined, but another program may have
    // put a file there since: the name is taken only if it is still free,
    // in one step the file system does, so that file is never replaced.
    void takeNameUnlessTaken(const QByteArray &target)
    {
        if (::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return;
        // A file system or kernel without the flag: a second name, which
        // cannot replace either, then the temporary one goes.
        if (errno == EINVAL || errno == ENOSYS) {
            if (::link(name.constData(), target.constData()) == 0) {
                ::unlink(name.constData());
                return;
            }
        }
        if (errno == EEXIST)
            throw existsError(path);
        failWith(path, errno, Blame::folder);
    }

    const QString path;
    int handle = -1;
    QByteArray name;
};

void saveThroughShortName(const Target &target, const QString &path, const QByteArray &bytes,
                          ExistingFile existing)
{
    ShortTemporaryFile file(target, path);
    file.takeModeOf(target);
    writeAndSync(file.fileHandle(), bytes, path);
    file.commitAs(target.path, existing);
}

}  // namespace

void saveFile(const QString &path, const QByteArray &bytes, ExistingFile existing)
{
    const Target target = examineTarget(path, existing);
    // QSaveFile's rename replaces whatever is there; keeping needs our own.
    if (existing == ExistingFile::replace && temporaryNameFits(target.path))
        saveThroughQSaveFile(target, path, bytes);
    else
        saveThroughShortName(target, path, bytes, existing);
    syncFolder(target.path);
}

}  // namespace lamina
