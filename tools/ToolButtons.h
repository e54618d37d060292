#pragma once

class TForm_EDT1;
class TForm_EDT2;
class TForm_EDT3;
class TForm_EDT4;
class TForm_EDT5;
class TForm_EDT_Progress;
class TForm_Main;

/// Gives the five tool windows their progress window and wires the main
/// window's tool buttons to them: BT01 spaces, BT02 renumbering, BT06 I/J
/// conversion, BT07 translation, BT08 mirroring. Each button opens its window,
/// or warns that no document is open.
void connectToolButtons(TForm_Main &main, TForm_EDT_Progress &progress, TForm_EDT1 &spaces, TForm_EDT2 &renumber,
                        TForm_EDT3 &arcCentres, TForm_EDT4 &translate, TForm_EDT5 &mirror);
