#pragma once

#include "app/MessageKind.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

/// Every modal question the program asks the user: message boxes and the
/// file, folder, colour and font dialogs. Tests install a scripted stand-in.
class UserDialogs
{
public:
    enum class Answer { Ok, Yes, No };

    virtual ~UserDialogs() = default;

    virtual Answer message(QWidget *parent, MessageKind kind, const QString &title, const QString &text) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;
    virtual std::optional<QColor> colour(QWidget *parent, const QColor &initial) = 0;
    virtual std::optional<QFont> font(QWidget *parent, const QFont &initial) = 0;

    /// The dialogs in use: the real ones unless a test installed others.
    static UserDialogs &instance();
    /// Installs \a dialogs (not owned); nullptr restores the real ones.
    static void setInstance(UserDialogs *dialogs);
};

/// The real dialogs of the platform.
class PlatformDialogs final : public UserDialogs
{
public:
    Answer message(QWidget *parent, MessageKind kind, const QString &title, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    std::optional<QColor> colour(QWidget *parent, const QColor &initial) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;
};
