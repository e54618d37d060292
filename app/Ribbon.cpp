#include "app/Ribbon.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

RibbonGroup::RibbonGroup(const QString &objectName, const QString &caption, QWidget *parent)
    : QFrame(parent)
    , m_caption(new QLabel(caption, this))
    , m_row(new QHBoxLayout)
{
    setObjectName(objectName);
    setFrameShape(QFrame::StyledPanel);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setObjectName(objectName + u"_caption");
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 2);
    column->setSpacing(2);
    m_row->setSpacing(2);
    column->addLayout(m_row, 1);
    column->addWidget(m_caption);
    setAccessibleName(caption);
}

QString RibbonGroup::caption() const
{
    return m_caption->text();
}

void RibbonGroup::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    setAccessibleName(caption);
    updateAccessibleNames();
}

QToolButton *RibbonGroup::addButton(const QString &objectName, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setAutoRaise(true);
    m_row->addWidget(button);
    button->installEventFilter(this);
    updateAccessibleNames();
    return button;
}

bool RibbonGroup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange) {
        updateAccessibleNames();
    }
    return QFrame::eventFilter(watched, event);
}

void RibbonGroup::addWidget(QWidget *widget)
{
    widget->setParent(this);
    m_row->addWidget(widget);
}

void RibbonGroup::updateAccessibleNames()
{
    // An icon-only button is announced by its tool tip, or else by its group.
    for (QToolButton *button : findChildren<QToolButton *>(Qt::FindDirectChildrenOnly)) {
        button->setAccessibleName(button->toolTip().isEmpty() ? caption() : button->toolTip());
    }
}

RibbonPage::RibbonPage(const QString &objectName, const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
    , m_groups(new QHBoxLayout(this))
{
    setObjectName(objectName);
    m_groups->setContentsMargins(2, 2, 2, 2);
    m_groups->addStretch(1);
}

void RibbonPage::setCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    Q_EMIT captionChanged(caption);
}

RibbonGroup *RibbonPage::addGroup(const QString &objectName, const QString &caption)
{
    auto *group = new RibbonGroup(objectName, caption, this);
    m_groups->insertWidget(m_groups->count() - 1, group);
    return group;
}

Ribbon::Ribbon(const QString &objectName, QWidget *parent)
    : QWidget(parent)
    , m_caption(new QLabel(this))
    , m_help(new QToolButton(this))
    , m_tabs(new QTabBar(this))
    , m_pages(new QStackedWidget(this))
{
    setObjectName(objectName);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setObjectName(objectName + u"_caption");
    m_help->setObjectName(objectName + u"_help");
    m_help->setIcon(
        QIcon::fromTheme(QStringLiteral("help-browser"), style()->standardIcon(QStyle::SP_DialogHelpButton)));
    m_help->setAutoRaise(true);
    m_help->setToolTip(QStringLiteral("F1"));
    m_help->setAccessibleName(QStringLiteral("Help"));
    m_help->setShortcut(QKeySequence::HelpContents);
    m_tabs->setObjectName(objectName + u"_tabs");
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);

    auto *strip = new QHBoxLayout;
    strip->addWidget(m_caption, 1);
    strip->addWidget(m_help);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(strip);
    column->addWidget(m_tabs);
    column->addWidget(m_pages);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        m_pages->setCurrentIndex(index);
        Q_EMIT currentChanged(index);
    });
    connect(m_help, &QToolButton::clicked, this, &Ribbon::helpRequested);
}

QString Ribbon::caption() const
{
    return m_caption->text();
}

void Ribbon::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    setAccessibleName(caption);
}

RibbonPage *Ribbon::addPage(const QString &objectName, const QString &caption)
{
    auto *page = new RibbonPage(objectName, caption, m_pages);
    const int index = m_tabs->addTab(caption);
    m_pages->addWidget(page);
    connect(page, &RibbonPage::captionChanged, this,
            [this, index](const QString &text) { m_tabs->setTabText(index, text); });
    return page;
}

RibbonPage *Ribbon::page(int index) const
{
    return qobject_cast<RibbonPage *>(m_pages->widget(index));
}

int Ribbon::count() const
{
    return m_pages->count();
}

int Ribbon::currentIndex() const
{
    return m_tabs->currentIndex();
}

void Ribbon::setCurrentIndex(int index)
{
    m_tabs->setCurrentIndex(index);
}
