#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    UserDialogs::setInstance(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    UserDialogs::setInstance(nullptr);
}

QStringList ScriptedDialogs::shownTexts() const
{
    QStringList texts;
    for (const Shown &s : m_shown) {
        texts.append(s.text);
    }
    return texts;
}

UserDialogs::Answer ScriptedDialogs::message(QWidget *, MessageKind kind, const QString &title, const QString &text)
{
    m_shown.append({kind, title, text});
    if (kind != MessageKind::Question) {
        return Answer::Ok;
    }
    return m_answers.isEmpty() ? Answer::No : m_answers.dequeue();
}

QString ScriptedDialogs::nextChoice()
{
    return m_choices.isEmpty() ? QString() : m_choices.dequeue();
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return nextChoice();
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return nextChoice();
}

QString ScriptedDialogs::existingDirectory(QWidget *, const QString &, const QString &)
{
    return nextChoice();
}

std::optional<QColor> ScriptedDialogs::colour(QWidget *, const QColor &)
{
    const QString choice = nextChoice();
    return choice.isEmpty() ? std::nullopt : std::optional<QColor>(QColor::fromString(choice));
}

std::optional<QFont> ScriptedDialogs::font(QWidget *, const QFont &)
{
    const QString choice = nextChoice();
    if (choice.isEmpty()) {
        return std::nullopt;
    }
    QFont font;
    font.fromString(choice);
    return font;
}
