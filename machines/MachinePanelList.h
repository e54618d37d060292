#pragma once

#include "machines/MachineRow.h"

#include <QList>
#include <QListView>

class MachineListModel;
class MachinePanelDelegate;

/// A list of machine panels with a fixed number of panels in view; the
/// current row is the selected panel.
class MachinePanelList : public QListView
{
    Q_OBJECT

public:
    /// Panels read their captions from window \a captionWindow's catalogue
    /// keys; \a panelsInView panels share the height of the view.
    MachinePanelList(const QString &captionWindow, int panelsInView, bool showDates, QWidget *parent = nullptr);

    /// Shows \a rows, positioned on the first row (none when empty).
    void setMachines(const QList<MachineRow> &rows);
    const QList<MachineRow> &machines() const;

    /// The current row, 1-based; 0 when there is none.
    int currentRowNumber() const;
    /// Moves to row \a rowNumber (1-based) when the list has it; false otherwise.
    bool moveToRow(int rowNumber);
    /// The machine of the current row; empty when there is none.
    MachineRow currentMachine() const;

    int panelHeight() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void updatePanelHeight();

    MachineListModel *m_model;
    MachinePanelDelegate *m_delegate;
    int m_panelsInView;
};
