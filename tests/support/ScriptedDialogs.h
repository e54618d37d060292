#pragma once

#include "app/UserDialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

/// A stand-in for every dialog: answers come from a script, and every message
/// shown is recorded. Installs itself for its lifetime.
class ScriptedDialogs final : public UserDialogs
{
public:
    struct Shown
    {
        MessageKind kind;
        QString title;
        QString text;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    /// The answer to the next question (Yes or No); questions beyond the script answer No.
    void answerNext(Answer answer) { m_answers.enqueue(answer); }
    /// The result of the next file, folder, colour or font dialog; empty means cancelled.
    void chooseNext(const QString &result) { m_choices.enqueue(result); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList shownTexts() const;
    void clear() { m_shown.clear(); }

    Answer message(QWidget *parent, MessageKind kind, const QString &title, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    std::optional<QColor> colour(QWidget *parent, const QColor &initial) override;
    std::optional<QFont> font(QWidget *parent, const QFont &initial) override;

private:
    QString nextChoice();

    QQueue<Answer> m_answers;
    QQueue<QString> m_choices;
    QList<Shown> m_shown;
};
