#include "app/ShellCopyDialog.h"

#include "app/MessageBoxes.h"
#include "app/Messages.h"
#include "app/ShellCopy.h"
#include "i18n/Catalogue.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>

#include <functional>
#include <memory>

namespace {

/// A copy that takes longer than this shows its progress window.
constexpr qint64 kQuietMilliseconds = 400;
constexpr int kProgressSteps = 1000;

bool run(QWidget *parent, const QString &source, const std::function<ShellCopy::Outcome(const ShellCopy &)> &copy)
{
    std::unique_ptr<QProgressDialog> window;
    QElapsedTimer clock;
    clock.start();

    ShellCopy shell;
    shell.confirmReplace = [parent](const QString &target) {
        return MessageBoxes::ask(parent, T(u"Msg.Copy.ReplacePrefix") + target + T(u"Msg.Copy.ReplaceSuffix"));
    };
    shell.progress = [&](qint64 done, qint64 total) {
        if (!window && clock.elapsed() >= kQuietMilliseconds) {
            window = std::make_unique<QProgressDialog>(parent);
            window->setWindowTitle(Messages::kBoxTitle.toString());
            window->setLabelText(T(u"Msg.Copy.CopyingPrefix") + QFileInfo(source).fileName()
                                 + T(u"Msg.Copy.CopyingSuffix"));
            window->setCancelButtonText(T(u"Msg.Copy.Cancel"));
            window->setWindowModality(Qt::WindowModal);
            window->setAutoClose(false);
            window->setAutoReset(false);
            window->setMinimumDuration(0);
            window->setRange(0, kProgressSteps);
            window->show();
        }
        if (window) {
            // A modal progress window processes pending events as it moves.
            window->setValue(total > 0 ? int(done * kProgressSteps / total) : 0);
        }
    };
    shell.cancelled = [&] {
        return window && window->wasCanceled();
    };

    const ShellCopy::Outcome outcome = copy(shell);
    window.reset();
    switch (outcome.result) {
    case ShellCopy::Result::Failed:
        MessageBoxes::show(
            parent, T(u"Msg.Copy.FailedPrefix") + outcome.failedPath + T(u"Msg.Copy.FailedSuffix") + outcome.reason);
        break;
    case ShellCopy::Result::IntoItself:
        MessageBoxes::show(parent,
                           T(u"Msg.Copy.FailedPrefix") + outcome.failedPath + T(u"Msg.Copy.FailedSuffix")
                               + T(u"Msg.Copy.IntoItself"));
        break;
    case ShellCopy::Result::Copied:
    case ShellCopy::Result::Declined:
    case ShellCopy::Result::Cancelled:
        break;
    }
    return outcome.ok();
}

} // namespace

namespace ShellCopyDialog {

bool copyInto(QWidget *parent, const QString &source, const QString &destinationFolder)
{
    return run(parent, source, [&](const ShellCopy &shell) { return shell.copyInto(source, destinationFolder); });
}

bool copyTo(QWidget *parent, const QString &source, const QString &target)
{
    return run(parent, source, [&](const ShellCopy &shell) { return shell.copyTo(source, target); });
}

} // namespace ShellCopyDialog
