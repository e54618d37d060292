#pragma once

#include <QString>

#include <functional>

/// Copies a file or a folder tree without ever leaving a half-written target.
///
/// Each file is written under a temporary name in its destination folder and
/// renamed into place once complete, so an existing file is either kept as it
/// was or replaced by the whole copy. A folder tree that does not exist yet at
/// the destination is built under a temporary name and renamed as a whole;
/// a failure or a cancel removes everything written. Copying a folder onto an
/// existing folder (after the question) merges the two: files of the source
/// replace those of the same name, other files of the target are kept.
/// Symbolic links inside a tree are copied as links; devices, sockets and
/// pipes inside a tree are skipped.
class ShellCopy
{
public:
    enum class Result {
        Copied, ///< the whole copy is in place
        Declined, ///< the target exists and replacing it was refused
        Cancelled, ///< stopped by the cancel check; nothing left behind
        Failed, ///< see reason; nothing half-written left behind
        IntoItself, ///< a folder cannot be copied into its own tree
    };

    /// How a copy ended.
    struct Outcome
    {
        Result result = Result::Failed;
        QString target; ///< full path of the copy (also when it did not happen)
        QString failedPath; ///< the path a failure concerns
        QString reason; ///< the system's reason for a failure
        bool ok() const { return result == Result::Copied; }
    };

    /// Asked before an existing target is replaced; true replaces it. Without
    /// it an existing target is never replaced.
    std::function<bool(const QString &target)> confirmReplace;
    /// Told the bytes copied so far and the total, once per chunk.
    std::function<void(qint64 done, qint64 total)> progress;
    /// Polled between chunks; true stops the copy.
    std::function<bool()> cancelled;

    /// Copies \a source into \a destinationFolder under its own name. Copying
    /// into the folder it already lies in makes a duplicate "name - Copy".
    Outcome copyInto(const QString &source, const QString &destinationFolder) const;

    /// Copies \a source to the full path \a target.
    Outcome copyTo(const QString &source, const QString &target) const;

    /// Bytes read and written between two progress reports and cancel checks.
    static constexpr qint64 kChunkSize = qint64(1) << 20;

private:
    class Run;
};

/// \a parent + \a name when nothing of that path exists; otherwise the first of
/// \a parent + \a name + " 1", " 2", … that does not exist. \a parent ends in "/".
QString MakeUniqueFolderName(const QString &parent, const QString &name);

/// Creates the directory \a path together with its missing parents. A path with
/// a "." or ".." part is refused. On failure the directories created here are
/// removed again, \a reason (if given) holds the system's reason and false is
/// returned.
bool MakeDirectoryPath(const QString &path, QString *reason = nullptr);
