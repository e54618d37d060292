#pragma once

#include "app/LogEntry.h"

#include <QWidget>

class QLabel;
class QTreeWidget;

/// The message window: the log of every change a tool or replace made to a
/// document. It lives docked in the main window's bottom panel; its own close
/// button hides that panel. The log only grows while the program runs.
class TForm_MSG : public QWidget
{
    Q_OBJECT

public:
    explicit TForm_MSG(QWidget *parent = nullptr);

    /// Appends one entry with its detail lines as collapsed children.
    void addEntry(const LogEntry &entry);

    QTreeWidget *tree() const { return m_tree; }

    /// Makes \a panel this window's parent, filling it, and shows or hides it.
    void dockInto(QWidget *panel, bool visible);

Q_SIGNALS:
    /// The window's own close button was pressed.
    void closeRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    QLabel *m_title;
    QTreeWidget *m_tree;
};
