#include "machines/MachinePanelList.h"

#include "machines/MachineListModel.h"
#include "machines/MachinePanelDelegate.h"

#include <QResizeEvent>

namespace {

/// A panel needs room for its picture frame and four rows of text.
constexpr int kMinimumPanelHeight = 116;

} // namespace

MachinePanelList::MachinePanelList(const QString &captionWindow, int panelsInView, bool showDates, QWidget *parent)
    : QListView(parent)
    , m_model(new MachineListModel(this))
    , m_delegate(new MachinePanelDelegate(captionWindow, showDates, this))
    , m_panelsInView(std::max(panelsInView, 1))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setStyleSheet(QStringLiteral("QListView { background: white; }"));
    updatePanelHeight();
}

void MachinePanelList::setMachines(const QList<MachineRow> &rows)
{
    m_model->setRows(rows);
    moveToRow(1);
}

const QList<MachineRow> &MachinePanelList::machines() const
{
    return m_model->rows();
}

int MachinePanelList::currentRowNumber() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

bool MachinePanelList::moveToRow(int rowNumber)
{
    if (rowNumber < 1 || rowNumber > m_model->rowCount()) {
        return false;
    }
    const QModelIndex index = m_model->index(rowNumber - 1);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    return true;
}

MachineRow MachinePanelList::currentMachine() const
{
    return m_model->rowAt(currentRowNumber() - 1);
}

int MachinePanelList::panelHeight() const
{
    return m_delegate->panelHeight();
}

void MachinePanelList::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    updatePanelHeight();
}

void MachinePanelList::updatePanelHeight()
{
    const int height = std::max(viewport()->height() / m_panelsInView, kMinimumPanelHeight);
    if (height != m_delegate->panelHeight()) {
        m_delegate->setPanelHeight(height);
        scheduleDelayedItemsLayout();
    }
}
