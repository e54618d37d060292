#pragma once

#include "transfer/SerialPortSettings.h"

#include <QString>

struct CurrentMachine;

/// The line settings of a serial transfer window's port and the texts its
/// fields show. Each stored code is applied on its own: a code that is not in
/// its table leaves that setting and its text as they were, so a port keeps
/// its preset (COM1, 9600 baud, 8 data bits, no parity, 1 stop bit, no flow)
/// or what the last machine gave it.
struct SerialWindowSettings
{
    SerialPortSettings port; ///< flow Custom keeps the flow the port has
    QString shownPort;
    QString shownSpeed;
    QString shownDataBits;
    QString shownParity;
    QString shownStopBits;
    QString shownFlow;

    /// Applies the machine's port name (always, even when empty) and its five codes.
    void apply(const CurrentMachine &machine);
};
