#include "app/ShellCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

/// Temporary names start with a dot so that file lists do not show them.
const QString kTemporaryPattern = QStringLiteral("/.vorn-copy-XXXXXX");

fs::path fsPath(const QString &path)
{
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

QString fromFsPath(const fs::path &path)
{
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

QString reasonOf(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

QString reasonOf(std::errc error)
{
    return reasonOf(std::make_error_code(error));
}

/// True for anything at \a path, a dangling symbolic link included.
bool entryExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

/// "name - Copy.ext", then "name - Copy (2).ext", … : the first name free in \a folder.
QString duplicateName(const QString &folder, const QString &name, bool isFolder)
{
    qsizetype dot = isFolder ? -1 : name.lastIndexOf(u'.');
    if (dot <= 0) {
        dot = name.size();
    }
    const QString base = name.left(dot) + u" - Copy";
    const QString suffix = name.mid(dot);
    QString candidate = QDir(folder).filePath(base + suffix);
    for (int n = 2; entryExists(candidate); ++n) {
        candidate = QDir(folder).filePath(base + u" (" + QString::number(n) + u')' + suffix);
    }
    return candidate;
}

/// Sum of the sizes of the regular files below \a folder (links not followed).
qint64 treeSize(const QString &folder)
{
    qint64 total = 0;
    std::error_code error;
    const auto options = fs::directory_options::skip_permission_denied;
    for (auto it = fs::recursive_directory_iterator(fsPath(folder), options, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (it->is_regular_file(ignored) && !it->is_symlink(ignored)) {
            total += qint64(it->file_size(ignored));
        }
    }
    return total;
}

} // namespace

/// One copy operation: its progress so far and how it failed.
class ShellCopy::Run
{
public:
    explicit Run(const ShellCopy &options)
        : m_options(options)
    { }

    Outcome copy(const QString &source, const QString &target);

private:
    bool copyFile(const QString &source, const QString &target);
    /// Copies the entries of \a sourceFolder into the existing \a targetFolder.
    bool copyEntries(const QString &sourceFolder, const QString &targetFolder);
    bool copyLink(const QString &source, const QString &target);
    bool copyNewFolder(const QFileInfo &source, const QString &target);
    /// Gives the folders created the permissions of their sources. Done at the
    /// end, so that a read-only source folder does not stop the copy (or the
    /// removal of a failed one) from writing into its copy.
    void applyFolderPermissions(bool restoreOwnerAccess = false);
    bool fail(const QString &path, const QString &reason)
    {
        m_failedPath = path;
        m_reason = reason;
        return false;
    }
    /// Counts \a bytes as copied; false when the copy is to stop.
    bool advance(qint64 bytes);
    bool confirm(const QString &target) const { return m_options.confirmReplace && m_options.confirmReplace(target); }

    const ShellCopy &m_options;
    qint64 m_total = 0;
    qint64 m_done = 0;
    bool m_cancelled = false;
    QString m_failedPath;
    QString m_reason;
    QList<std::pair<QString, QFile::Permissions>> m_createdFolders; ///< deepest first
};

void ShellCopy::Run::applyFolderPermissions(bool restoreOwnerAccess)
{
    for (const auto &[folder, permissions] : std::as_const(m_createdFolders)) {
        QFile::setPermissions(folder,
                              restoreOwnerAccess ? permissions | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                 : permissions);
    }
}

bool ShellCopy::Run::advance(qint64 bytes)
{
    m_done += bytes;
    if (m_options.progress) {
        m_options.progress(m_done, m_total);
    }
    if (m_options.cancelled && m_options.cancelled()) {
        m_cancelled = true;
        return false;
    }
    return true;
}

ShellCopy::Outcome ShellCopy::Run::copy(const QString &source, const QString &target)
{
    Outcome outcome;
    outcome.target = target;
    const QFileInfo from(source);
    const QFileInfo to(target);
    const bool targetExists = entryExists(target);
    bool copied = false;

    if (!from.exists()) {
        fail(source, reasonOf(std::errc::no_such_file_or_directory));
    } else if (from.isDir()) {
        // Refuse a target inside the source tree before anything is written.
        const QString sourceTree = from.canonicalFilePath();
        const QString targetParent = QFileInfo(to.absolutePath()).canonicalFilePath();
        if (!targetParent.isEmpty()) {
            const QString targetPath = QDir(targetParent).filePath(to.fileName());
            const QString prefix = sourceTree.endsWith(u'/') ? sourceTree : sourceTree + u'/';
            if (targetPath == sourceTree || targetPath.startsWith(prefix)) {
                outcome.result = Result::IntoItself;
                outcome.failedPath = source;
                return outcome;
            }
        }
        if (!targetExists) {
            m_total = treeSize(source);
            copied = copyNewFolder(from, target);
        } else if (!to.isDir()) {
            fail(target, reasonOf(std::errc::not_a_directory));
        } else if (!confirm(target)) {
            outcome.result = Result::Declined;
            return outcome;
        } else {
            m_total = treeSize(source);
            copied = copyEntries(source, target);
            applyFolderPermissions(!copied);
        }
    } else if (from.isFile()) {
        if (targetExists && to.isDir()) {
            fail(target, reasonOf(std::errc::is_a_directory));
        } else if (targetExists && !confirm(target)) {
            outcome.result = Result::Declined;
            return outcome;
        } else {
            m_total = from.size();
            copied = copyFile(source, target);
        }
    } else {
        fail(source, reasonOf(std::errc::not_supported));
    }

    outcome.result = copied ? Result::Copied : m_cancelled ? Result::Cancelled : Result::Failed;
    if (outcome.result == Result::Failed) {
        outcome.failedPath = m_failedPath;
        outcome.reason = m_reason;
    }
    return outcome;
}

bool ShellCopy::Run::copyFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return fail(source, in.errorString());
    }
    QTemporaryFile out(QFileInfo(target).absolutePath() + kTemporaryPattern);
    if (!out.open()) {
        return fail(target, out.errorString());
    }
    QByteArray buffer(kChunkSize, Qt::Uninitialized);
    for (;;) {
        const qint64 read = in.read(buffer.data(), buffer.size());
        if (read < 0) {
            return fail(source, in.errorString());
        }
        if (read == 0) {
            break;
        }
        if (out.write(buffer.constData(), read) != read) {
            return fail(target, out.errorString());
        }
        if (!advance(read)) {
            return false;
        }
    }
    if (!out.flush()) {
        return fail(target, out.errorString());
    }
#ifdef Q_OS_UNIX
    // The copy is on the disk before it takes the target's name.
    if (::fsync(out.handle()) != 0) {
        return fail(target, reasonOf(std::error_code(errno, std::generic_category())));
    }
#endif
    out.setFileTime(in.fileTime(QFileDevice::FileModificationTime), QFileDevice::FileModificationTime);
    out.setPermissions(in.permissions());
    out.close();

    std::error_code error;
    fs::rename(fsPath(out.fileName()), fsPath(target), error);
    if (error) {
        return fail(target, reasonOf(error));
    }
    out.setAutoRemove(false);
    return true;
}

bool ShellCopy::Run::copyNewFolder(const QFileInfo &source, const QString &target)
{
    QTemporaryDir building(QFileInfo(target).absolutePath() + kTemporaryPattern);
    if (!building.isValid()) {
        return fail(target, building.errorString());
    }
    if (!copyEntries(source.filePath(), building.path())) {
        return false;
    }
    m_createdFolders.append({building.path(), source.permissions()});
    applyFolderPermissions();
    std::error_code error;
    fs::rename(fsPath(building.path()), fsPath(target), error);
    if (error) {
        applyFolderPermissions(true);
        return fail(target, reasonOf(error));
    }
    building.setAutoRemove(false);
    return true;
}

bool ShellCopy::Run::copyLink(const QString &source, const QString &target)
{
    std::error_code error;
    if (entryExists(target)) {
        if (QFileInfo(target).isDir() && !QFileInfo(target).isSymLink()) {
            return fail(target, reasonOf(std::errc::is_a_directory));
        }
        fs::remove(fsPath(target), error);
        if (error) {
            return fail(target, reasonOf(error));
        }
    }
    fs::copy_symlink(fsPath(source), fsPath(target), error);
    return error ? fail(target, reasonOf(error)) : true;
}

bool ShellCopy::Run::copyEntries(const QString &sourceFolder, const QString &targetFolder)
{
    std::error_code error;
    for (auto it = fs::directory_iterator(fsPath(sourceFolder), error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const QString name = fromFsPath(it->path().filename());
        const QString source = QDir(sourceFolder).filePath(name);
        const QString target = QDir(targetFolder).filePath(name);
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        if (statusError) {
            return fail(source, reasonOf(statusError));
        }
        if (fs::is_symlink(status)) {
            if (!copyLink(source, target)) {
                return false;
            }
        } else if (fs::is_directory(status)) {
            const bool created = !entryExists(target);
            if (created) {
                std::error_code mkdirError;
                fs::create_directory(fsPath(target), mkdirError);
                if (mkdirError) {
                    return fail(target, reasonOf(mkdirError));
                }
            } else if (!QFileInfo(target).isDir()) {
                return fail(target, reasonOf(std::errc::not_a_directory));
            }
            if (!copyEntries(source, target)) {
                return false;
            }
            if (created) {
                m_createdFolders.append({target, QFileInfo(source).permissions()});
            }
        } else if (fs::is_regular_file(status)) {
            if (QFileInfo(target).isDir()) {
                return fail(target, reasonOf(std::errc::is_a_directory));
            }
            if (!copyFile(source, target)) {
                return false;
            }
        }
        // Devices, sockets and pipes have no content to copy.
    }
    return error ? fail(sourceFolder, reasonOf(error)) : true;
}

ShellCopy::Outcome ShellCopy::copyTo(const QString &source, const QString &target) const
{
    Run run(*this);
    return run.copy(QDir::cleanPath(source), QDir::cleanPath(target));
}

ShellCopy::Outcome ShellCopy::copyInto(const QString &source, const QString &destinationFolder) const
{
    const QFileInfo from(QDir::cleanPath(source));
    QString target = QDir(destinationFolder).filePath(from.fileName());
    const QFileInfo to(target);
    if (from.exists() && to.exists() && from.canonicalFilePath() == to.canonicalFilePath()) {
        target = duplicateName(destinationFolder, from.fileName(), from.isDir());
    }
    return copyTo(from.filePath(), target);
}

QString MakeUniqueFolderName(const QString &parent, const QString &name)
{
    QString candidate = parent + name;
    for (int n = 1; entryExists(candidate); ++n) {
        candidate = parent + name + u' ' + QString::number(n);
    }
    return candidate;
}

bool MakeDirectoryPath(const QString &path, QString *reason)
{
    const auto failed = [reason](const QString &why) {
        if (reason) {
            *reason = why;
        }
        return false;
    };
    // A NUL would cut the name short at the system call; "." and ".." would
    // put the directory somewhere else than the path reads.
    const QStringList parts = path.split(u'/');
    if (path.isEmpty() || path.contains(QChar(0)) || parts.contains(QStringLiteral("."))
        || parts.contains(QStringLiteral(".."))) {
        return failed(reasonOf(std::errc::invalid_argument));
    }
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!entryExists(existing)) {
        missing.prepend(existing);
        const QString parent = QFileInfo(existing).path();
        if (parent == existing) {
            break;
        }
        existing = parent;
    }
    if (!QFileInfo(existing).isDir()) {
        return failed(reasonOf(missing.isEmpty() ? std::errc::file_exists : std::errc::not_a_directory));
    }
    QStringList created;
    for (const QString &folder : std::as_const(missing)) {
        std::error_code error;
        if (!fs::create_directory(fsPath(folder), error)) {
            if (!error) {
                error = std::make_error_code(std::errc::file_exists);
            }
            for (auto it = created.crbegin(); it != created.crend(); ++it) {
                std::error_code ignored;
                fs::remove(fsPath(*it), ignored);
            }
            return failed(reasonOf(error));
        }
        created << folder;
    }
    return true;
}
