#include "MillingProgram.h"
#include <QStringBuilder>

QByteArray millingProgram(int lines)
{
    QByteArray text;
    text.reserve(34 * lines);
    quint32 seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(range));
    };
    auto coordinate = [&next]() {
        const int thousandths = next(400000) - 200000;
        QByteArray value = QByteArray::number(thousandths / 1000.0, 'f', 3);
        while (value.endsWith('0')) {
            value.chop(1);
        }
        return value;
    };
    text += "%\r\nO1000 (BENCH POCKET 1M)\r\n(T1 D10 FLAT END MILL)\r\nG21 G90 G94 G17\r\n";
    int count = 4;
    int block = 10;
    auto add = [&](const QByteArray &line) {
        text += 'N' + QByteArray::number(block) + ' ' + line + "\r\n";
        block += 10;
        ++count;
    };
    while (count < lines - 3) {
        const int kind = next(100);
        if (kind < 60) {
            add("G01 X" + coordinate() + " Y" + coordinate());
        } else if (kind < 75) {
            add((kind % 2 ? "G02 X" : "G03 X") + coordinate() + " Y" + coordinate() + " I" + coordinate() + " J"
                + coordinate());
        } else if (kind < 85) {
            add("Z-" + QByteArray::number(next(50) / 10.0) + " F" + QByteArray::number(300 + next(900)) + '.');
        } else if (kind < 92) {
            add("G00 X" + coordinate() + " Y" + coordinate() + " Z5.");
        } else if (kind < 96) {
            text += "(PASS " + QByteArray::number(next(1000)) + " DEPTH " + QByteArray::number(next(30)) + ")\r\n";
            ++count;
        } else if (kind < 98) {
            add("G41 D1 G01 X" + coordinate() + " F1200.");
        } else if (kind < 99) {
            add("T" + QByteArray::number(1 + next(12)) + " M06");
        } else {
            text += "#100=#100+" + QByteArray::number(next(9)) + "\r\n";
            ++count;
        }
    }
    text += "G00 Z50.\r\nM30\r\n%\r\n";
    return text;
}
