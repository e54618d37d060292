#include "tools/ToolButtons.h"

#include "app/TForm_Main.h"
#include "tools/TForm_EDT1.h"
#include "tools/TForm_EDT2.h"
#include "tools/TForm_EDT3.h"
#include "tools/TForm_EDT4.h"
#include "tools/TForm_EDT5.h"

#include <QToolButton>

void connectToolButtons(TForm_Main &main, TForm_EDT_Progress &progress, TForm_EDT1 &spaces, TForm_EDT2 &renumber,
                        TForm_EDT3 &arcCentres, TForm_EDT4 &translate, TForm_EDT5 &mirror)
{
    const std::pair<const char16_t *, ToolWindow *> tools[] = {
        {u"BT01", &spaces}, {u"BT02", &renumber}, {u"BT06", &arcCentres}, {u"BT07", &translate}, {u"BT08", &mirror},
    };
    for (const auto &[name, window] : tools) {
        window->setProgressWindow(&progress);
        if (QToolButton *button = main.ribbonButton(QString::fromUtf16(name))) {
            button->setEnabled(true);
            QObject::connect(button, &QToolButton::clicked, window, [window] { window->open(); });
        }
    }
}
