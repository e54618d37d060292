#include "app/ProgramWindows.h"
#include "app/TForm_Main.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VORN - Transfer"));
    QApplication::setApplicationDisplayName(QStringLiteral("VORN - Transfer"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor") {
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    }

    ProgramWindows windows({QApplication::applicationDirPath(), std::chrono::milliseconds(5000), true});
    windows.main->show();
    return QApplication::exec();
}
