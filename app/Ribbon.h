#pragma once

#include <QFrame>
#include <QIcon>
#include <QWidget>

class QLabel;
class QHBoxLayout;
class QStackedWidget;
class QTabBar;
class QToolButton;

class RibbonPage;

/// A ribbon group: a row of tool buttons above a caption.
class RibbonGroup : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    RibbonGroup(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);

    /// Adds an icon-only button named \a objectName.
    QToolButton *addButton(const QString &objectName, const QIcon &icon);
    /// Adds any other control (a filter field with its label, a push button).
    void addWidget(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateAccessibleNames();

    QLabel *m_caption;
    QHBoxLayout *m_row;
};

/// A ribbon page: groups side by side; its caption is the page's tab text.
class RibbonPage : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    RibbonPage(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    RibbonGroup *addGroup(const QString &objectName, const QString &caption);

Q_SIGNALS:
    void captionChanged(const QString &caption);

private:
    QString m_caption;
    QHBoxLayout *m_groups;
};

/// A small ribbon: a caption strip with a help button, page tabs, and the
/// pages themselves. Its caption is the strip's text.
class Ribbon : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit Ribbon(const QString &objectName, QWidget *parent = nullptr);

    QString caption() const;
    void setCaption(const QString &caption);

    RibbonPage *addPage(const QString &objectName, const QString &caption);
    RibbonPage *page(int index) const;
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);

    QToolButton *helpButton() const { return m_help; }

Q_SIGNALS:
    void currentChanged(int index);
    void helpRequested();

private:
    QLabel *m_caption;
    QToolButton *m_help;
    QTabBar *m_tabs;
    QStackedWidget *m_pages;
};
