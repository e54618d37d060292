#pragma once

#include <QByteArray>

/// The program length the tool benchmarks work on.
constexpr int kLines = 1000000;

/// A generated milling program of \a lines lines with CR LF breaks: header,
/// tool changes, plunges, linear and circular moves with block numbers,
/// comments and a few macro lines. The same every time.
QByteArray millingProgram(int lines);
