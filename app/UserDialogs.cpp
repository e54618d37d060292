#include "app/UserDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace {
UserDialogs *&installed()
{
    static UserDialogs *dialogs = nullptr;
    return dialogs;
}
} // namespace

UserDialogs &UserDialogs::instance()
{
    static PlatformDialogs platform;
    return installed() ? *installed() : platform;
}

void UserDialogs::setInstance(UserDialogs *dialogs)
{
    installed() = dialogs;
}

UserDialogs::Answer PlatformDialogs::message(QWidget *parent, MessageKind kind, const QString &title,
                                             const QString &text)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (kind) {
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageKind::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageKind::Attention:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    if (kind == MessageKind::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

QString PlatformDialogs::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString PlatformDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                      const QString &filter)
{
    // The program asks its own replace question, so the dialog must not ask too.
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString PlatformDialogs::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

std::optional<QColor> PlatformDialogs::colour(QWidget *parent, const QColor &initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

std::optional<QFont> PlatformDialogs::font(QWidget *parent, const QFont &initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}
