#include "app/ProgramWindows.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "editor/SearchReplace.h"
#include "editor/dlgConfirmReplace.h"
#include "editor/dlgSearchText.h"
#include "editor/dlgReplaceText.h"
#include "support/TestFiles.h"
#include "i18n/Catalogue.h"
#include <QComboBox>
#include <QPushButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
using namespace std::chrono_literals;
class Scratch : public QObject { Q_OBJECT
private Q_SLOTS:
void run() {
    QTemporaryDir dir;
    TestFiles::write(dir.filePath(QStringLiteral("VORNTransfer.ini")), "[LANGUAGE]\nVALUE=EN\n");
    ProgramWindows w(ProgramWindows::Options{dir.path(), 0ms});
    Catalogue::current().load(QStringLiteral("EN"));
    auto *sr = new SearchReplace(*w.main);
    const int N = qEnvironmentVariableIntValue("LINES"); QString text; text.reserve(32'000'000);
    for (int i = 0; i < N; ++i) text += QStringLiteral("N%1 G01 X%2.5 Y-3.25 Z0.5 F1200 (Ä)\n").arg(i).arg(i % 1000);
    w.main->documents().newDocument();
    ProgramEditor *e = w.main->documents().activeEditor();
    QElapsedTimer t; t.start(); e->setText(text); qint64 load = t.restart(); std::fprintf(stderr,"loaded %lld\n", load);
    sr->settings().SearchText = QStringLiteral("NOPE"); 
    int n = sr->RunSearchReplace(false, false); qint64 fail = t.restart(); std::fprintf(stderr,"fail %lld\n", fail);
    sr->settings().SearchText = QStringLiteral("Z0\\.\\d"); sr->settings().SearchRegex = true;
    n = sr->RunSearchReplace(false, true); qint64 back = t.restart(); std::fprintf(stderr,"back %lld\n", back);
    sr->settings().SearchRegex = false;
    sr->settings().SearchText = QStringLiteral("G01"); sr->settings().ReplaceText = QStringLiteral("G1");
    int asked = 0;
    sr->setDialogRunner([&](QDialog &) { ++asked; return int(TConfirmReplaceDialog::YesToAll); });
    e->setCursorPosition(0,0);
    n = sr->RunSearchReplace(true, false); qint64 rep = t.restart(); std::fprintf(stderr,"rep %lld\n", rep);
    sr->settings().SearchText = QStringLiteral("X(\\d+)"); sr->settings().ReplaceText = QStringLiteral("X\\1.0"); sr->settings().SearchRegex = true;
    e->setCursorPosition(0,0);
    int n2 = sr->RunSearchReplace(true, true); qint64 rep2 = t.restart();
    e->undo(); qint64 undo = t.restart();
    std::printf("load %lld ms, failed find %lld ms, backward regex find %lld ms, replace all %d in %lld ms (asked %d), regex backward replace %d in %lld ms, undo %lld ms\n", load, fail, back, n, rep, asked, n2, rep2, undo);
    e->setModified(false);
}
};
QTEST_MAIN(Scratch)
#include "SearchScratch.moc"
