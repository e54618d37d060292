#include "app/TForm_MSG.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TForm_MSG::TForm_MSG(QWidget *parent)
    : QWidget(parent)
    , m_title(new QLabel(this))
    , m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("Form_MSG"));
    setWindowTitle(QStringLiteral("VORN - Transfer - Mensagens"));

    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setAccessibleName(QStringLiteral("Close"));
    connect(close, &QToolButton::clicked, this, &TForm_MSG::closeRequested);

    m_title->setText(windowTitle());
    m_title->setObjectName(QStringLiteral("TitleBar"));
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 0, 0, 0);
    bar->addWidget(m_title, 1);
    bar->addWidget(close);

    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setAccessibleName(windowTitle());
    m_tree->setUniformRowHeights(true);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(bar);
    column->addWidget(m_tree, 1);
}

void TForm_MSG::addEntry(const LogEntry &entry)
{
    auto *top = new QTreeWidgetItem(m_tree, QStringList {entry.text});
    for (const QString &line : entry.details) {
        new QTreeWidgetItem(top, QStringList {line});
    }
    top->setExpanded(false);
}

void TForm_MSG::dockInto(QWidget *panel, bool visible)
{
    if (parentWidget() != panel) {
        setParent(panel);
        if (panel->layout()) {
            panel->layout()->addWidget(this);
        }
    }
    setVisible(visible);
}

void TForm_MSG::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        m_title->setText(windowTitle());
        m_tree->setAccessibleName(windowTitle());
    }
    QWidget::changeEvent(event);
}
