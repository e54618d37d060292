#include "app/TForm_Main.h"

#include "app/Clock.h"
#include "app/HelpPages.h"
#include "app/LogEntry.h"
#include "app/MessageBoxes.h"
#include "app/NamedControls.h"
#include "app/ProgramWindows.h"
#include "app/Ribbon.h"
#include "app/TForm_MSG.h"
#include "app/TForm_Screen.h"
#include "editor/EditorDocuments.h"
#include "editor/GCodeLexer.h"
#include "editor/ProgramEditor.h"
#include "editor/TSynSampleSyn.h"
#include "i18n/ApplyLanguage.h"
#include "i18n/Catalogue.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

using NamedControls::namedLabel;

namespace {

/// A themed icon; the symbolic variant when the theme has only that one.
QIcon themeIcon(const QString &name)
{
    if (QIcon::hasThemeIcon(name)) {
        return QIcon::fromTheme(name);
    }
    return QIcon::fromTheme(name + u"-symbolic");
}

struct ButtonSpec
{
    QStringView name;
    QStringView icon;
};

struct GroupSpec
{
    QStringView name;
    QStringView caption; ///< Portuguese design caption
    std::initializer_list<ButtonSpec> buttons;
};

struct PageSpec
{
    QStringView name;
    QStringView caption;
    std::initializer_list<GroupSpec> groups;
};

// The ribbon as designed: pages, their groups in order, and each group's buttons.
const std::array<PageSpec, 3> kRibbon = {{
    {u"RibbonPage1",
     u"Produtos e Peças Cadastrados",
     {
         {u"RibbonGroup1", u"Selecionar Máquina", {{u"SpeedButton1", u"system-search"}}},
         {u"RibbonGroup2", u"Abrir Arquivo CNC", {{u"SpeedButton2", u"document-open"}}},
         {u"RibbonGroup3", u"Criar Diretório", {{u"SpeedButton3", u"folder-new"}}},
         {u"RibbonGroup4", u"Transferir Programa", {{u"SpeedButton4", u"document-send"}}},
         {u"RibbonGroup19", u"Receber Programa", {{u"SpeedButton19", u"document-save"}}},
         {u"RibbonGroup10",
          u"Visualização",
          {{u"SpeedButton9", u"view-grid"},
           {u"SpeedButton10", u"view-app-grid"},
           {u"SpeedButton12", u"view-list"},
           {u"SpeedButton11", u"view-list-bullet"},
           {u"SpeedButton20", u"folder-new"},
           {u"SpeedButton21", u"edit-delete"},
           {u"SpeedButton22", u"edit-copy"},
           {u"SpeedButton23", u"edit-paste"}}},
         {u"RibbonGroup25", u"Configurações", {{u"SpeedButton32", u"preferences-system"}}},
     }},
    {u"RibbonPage2",
     u"Máquinas",
     {
         {u"RibbonGroup5", u"Cadastrar", {{u"SpeedButton5", u"list-add"}}},
         {u"RibbonGroup6", u"Editar", {{u"SpeedButton6", u"document-edit"}}},
         {u"RibbonGroup7", u"Exibir", {{u"SpeedButton7", u"document-properties"}}},
         {u"RibbonGroup8", u"Excluir", {{u"SpeedButton8", u"list-remove"}}},
         {u"RibbonGroup9", u"Filtrar Máquinas Cadastradas", {}},
     }},
    {u"RibbonPage3",
     u"Editar Programa CNC",
     {
         {u"RibbonGroup11",
          u"Arquivo",
          {{u"SpeedButton15", u"document-open"},
           {u"SpeedButton24", u"document-new"},
           {u"SpeedButton14", u"window-close"},
           {u"SpeedButton13", u"document-save"},
           {u"SpeedButton16", u"document-save-as"},
           {u"SpeedButton33", u"media-floppy"}}},
         {u"RibbonGroup22",
          u"Localizar",
          {{u"SpeedButton27", u"edit-find"}, {u"SpeedButton28", u"go-down"}, {u"SpeedButton29", u"go-up"}}},
         {u"RibbonGroup23", u"Substituir", {{u"SpeedButton30", u"edit-find-replace"}}},
         {u"RibbonGroup12", u"Espaços", {{u"BT01", u"format-text-plaintext"}}},
         {u"RibbonGroup13", u"Nº. Blocos", {{u"BT02", u"format-list-ordered"}}},
         {u"RibbonGroup14", u"Converter IJ", {{u"BT06", u"object-flip-vertical"}}},
         {u"RibbonGroup15", u"Translação XYZ", {{u"BT07", u"object-move"}}},
         {u"RibbonGroup16", u"Espelhar XY", {{u"BT08", u"object-flip-horizontal"}}},
         {u"RibbonGroup17", u"Fonte", {{u"SpeedButton17", u"font-select"}}},
         {u"RibbonGroup18", u"Cor Código G", {{u"SpeedButton18", u"color-select"}}},
         {u"RibbonGroup20", u"Mensagens", {{u"SpeedButton25", u"mail-unread"}}},
         {u"RibbonGroup24", u"Transferir Programa", {{u"SpeedButton31", u"document-send"}}},
     }},
}};

// The help page of each ribbon page's pane.
const std::array<QStringView, 3> kHelpPages = {u"func03.html", u"func04.html", u"func05.html"};

} // namespace

TForm_Main::TForm_Main(const QString &programDir, ProgramWindows &windows)
    : m_windows(windows)
{
    setObjectName(QStringLiteral("Form_Main"));
    setWindowTitle(QStringLiteral("VORN - Transfer"));

    // Loading the settings is the window's creation step; the shared scanner
    // takes the colours just read.
    settings = loadProgramSettings(programDir);
    Highlighter = std::make_shared<TSynSampleSyn>(settings.GCodeColours);

    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);

    buildRibbon();
    buildActions();
    column->addWidget(m_ribbon);
    buildFileBrowserPane();
    buildMachineListPane();
    buildEditorPane();
    for (QWidget *pane : m_panes) {
        column->addWidget(pane, 1);
    }

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusText"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_status, 1);

    connect(m_ribbon, &Ribbon::currentChanged, this, &TForm_Main::FUNC_ViewRibbon);
    connect(m_ribbon, &Ribbon::helpRequested, this, &TForm_Main::Ribbon1HelpButtonClick);
    QToolButton *messagesButton = ribbonButton(QStringLiteral("SpeedButton25"));
    messagesButton->setEnabled(true);
    connect(messagesButton, &QToolButton::clicked, this, &TForm_Main::SpeedButton25Click);
    wireDocuments();
    FUNC_ViewRibbon(0);
    resize(1200, 800);
}

void TForm_Main::wireDocuments()
{
    m_editorDocuments = new EditorDocuments(m_documents, CurrentFileName, this);
    m_editorDocuments->setEditorSetup([this](ProgramEditor *editor) {
        editor->setLexer(new GCodeLexer(Highlighter, editor->font(), editor));
        editor->applyFont(settings.EditorFontName, settings.EditorFontSize);
    });
    EditorDocuments *docs = m_editorDocuments;

    // Each file operation is a ribbon button and a window-wide shortcut.
    struct Operation
    {
        QStringView button;
        QStringView action;
        QKeySequence keys;
        std::function<void()> run;
    };
    const std::array<Operation, 6> operations = {{
        {u"SpeedButton15", u"actFileOpen", QKeySequence::Open,
         [docs] {
             docs->openFromDialog();
         }},
        {u"SpeedButton24", u"actFileNew", QKeySequence::New,
         [docs] {
             docs->newDocument();
         }},
        {u"SpeedButton14", u"actFileClose", QKeySequence::Close,
         [docs] {
             docs->closeActive();
         }},
        {u"SpeedButton13", u"actFileSave", QKeySequence::Save,
         [docs] {
             docs->FUNC_Salvar_Arquivo();
         }},
        {u"SpeedButton16", u"actFileSaveAs", QKeySequence::SaveAs,
         [docs] {
             docs->FUNC_Salvar_Arquivo_Como();
         }},
        {u"SpeedButton33", u"actFileSaveAll", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S),
         [docs] {
             docs->FUNC_Salvar_Arquivo_ALL();
         }},
    }};
    for (const Operation &op : operations) {
        QToolButton *button = ribbonButton(op.button.toString());
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, op.run);
        QAction *act = action(op.action.toString());
        if (!act) {
            act = new QAction(this);
            act->setObjectName(op.action.toString());
            act->setShortcut(op.keys);
            addAction(act);
        }
        act->setEnabled(true);
        connect(act, &QAction::triggered, this, op.run);
    }
}

void TForm_Main::applyHighlighterColours()
{
    Highlighter = std::make_shared<TSynSampleSyn>(settings.GCodeColours);
    m_editorDocuments->forEachEditor([this](ProgramEditor *editor) {
        if (auto *lexer = qobject_cast<GCodeLexer *>(editor->lexer())) {
            lexer->setScanner(Highlighter);
        }
    });
}

void TForm_Main::applyEditorFont()
{
    m_editorDocuments->forEachEditor(
        [this](ProgramEditor *editor) { editor->applyFont(settings.EditorFontName, settings.EditorFontSize); });
}

void TForm_Main::closeEvent(QCloseEvent *event)
{
    const QStringList modified = m_editorDocuments->modifiedCaptions();
    QString list;
    for (const QString &caption : modified) {
        list += caption + u'\n';
    }
    if (!list.trimmed().isEmpty() && MessageBoxes::ask(this, T(u"Msg.Main.CloseSystemQuestion") + u'\n' + list)) {
        m_editorDocuments->FUNC_Salvar_Arquivo_ALL();
        if (!m_editorDocuments->modifiedCaptions().isEmpty()) {
            event->ignore(); // a save was cancelled or failed: nothing is lost
            return;
        }
    }
    event->accept();
}

void TForm_Main::buildRibbon()
{
    m_ribbon = new Ribbon(QStringLiteral("Ribbon1"), this);
    m_ribbon->setCaption(QStringLiteral("VORN Transfer - Vs.2.3.0"));
    for (const PageSpec &pageSpec : kRibbon) {
        RibbonPage *page = m_ribbon->addPage(pageSpec.name.toString(), pageSpec.caption.toString());
        for (const GroupSpec &groupSpec : pageSpec.groups) {
            RibbonGroup *group = page->addGroup(groupSpec.name.toString(), groupSpec.caption.toString());
            for (const ButtonSpec &button : groupSpec.buttons) {
                // Each button stays disabled until its function is wired up.
                group->addButton(button.name.toString(), themeIcon(button.icon.toString()))->setEnabled(false);
            }
        }
    }

    // The machine filter lives in its ribbon group.
    RibbonGroup *filter = m_ribbon->findChild<RibbonGroup *>(QStringLiteral("RibbonGroup9"));
    auto *fields = new QWidget;
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *nameEdit = new QLineEdit(fields);
    nameEdit->setObjectName(QStringLiteral("Edit3"));
    auto *numberEdit = new QLineEdit(fields);
    numberEdit->setObjectName(QStringLiteral("Edit4"));
    QLabel *nameLabel = namedLabel(QStringLiteral("Label6"), QStringLiteral("Nome Máquina :"), fields);
    QLabel *numberLabel = namedLabel(QStringLiteral("Label5"), QStringLiteral("Número Máquina :"), fields);
    nameLabel->setBuddy(nameEdit);
    numberLabel->setBuddy(numberEdit);
    auto *search = new QPushButton(QStringLiteral("Pesquisar"), fields);
    search->setObjectName(QStringLiteral("Button2"));
    auto *clear = new QPushButton(QStringLiteral("Limpar"), fields);
    clear->setObjectName(QStringLiteral("Button3"));
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(nameEdit, 0, 1);
    grid->addWidget(clear, 0, 2);
    grid->addWidget(numberLabel, 1, 0);
    grid->addWidget(numberEdit, 1, 1);
    grid->addWidget(search, 1, 2);
    filter->addWidget(fields);
    for (QWidget *w : std::initializer_list<QWidget *> {nameEdit, numberEdit, search, clear}) {
        w->setEnabled(false);
    }
    nameEdit->setAccessibleName(nameLabel->text());
    numberEdit->setAccessibleName(numberLabel->text());
}

void TForm_Main::buildActions()
{
    const std::array<std::pair<QStringView, QKeySequence>, 5> actions = {{
        {u"actFileOpen", QKeySequence::Open},
        {u"actSearch", QKeySequence::Find},
        {u"actSearchNext", QKeySequence::FindNext},
        {u"actSearchPrev", QKeySequence::FindPrevious},
        {u"actSearchReplace", QKeySequence(Qt::CTRL | Qt::Key_H)},
    }};
    const std::array<QStringView, 5> captions
        = {u"&Abrir ...", u"&Localizar...", u"Localizar &Próximo", u"Localizar A&nterior", u"&Substituir ..."};
    for (std::size_t i = 0; i < actions.size(); ++i) {
        auto *act = new QAction(captions[i].toString(), this);
        act->setObjectName(actions[i].first.toString());
        act->setShortcut(actions[i].second);
        act->setShortcutContext(Qt::WindowShortcut);
        act->setEnabled(false);
        addAction(act);
    }
}

void TForm_Main::buildFileBrowserPane()
{
    auto *pane = new QSplitter(Qt::Horizontal, this);
    pane->setObjectName(QStringLiteral("PaneFileBrowser"));
    m_panes[0] = pane;

    // Left column: the current machine's summary above the folder tree.
    auto *left = new QWidget(pane);
    auto *leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(4, 4, 4, 4);
    auto *summary = new QFrame(left);
    summary->setObjectName(QStringLiteral("PanelMachineSummary"));
    summary->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(summary);
    QLabel *heading = namedLabel(QStringLiteral("Panel4"), QStringLiteral("Máquina"), summary);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    grid->addWidget(heading, 0, 0, 1, 3);
    auto *picture = namedLabel(QStringLiteral("ImageMachine"), QString(), summary);
    picture->setFixedSize(154, 154);
    picture->setFrameShape(QFrame::Box);
    picture->setStyleSheet(QStringLiteral("QLabel { border: 2px solid grey; }"));
    picture->setScaledContents(true);
    grid->addWidget(picture, 1, 0, 4, 1);
    const std::array<std::pair<QStringView, QStringView>, 4> rows = {{
        {u"Label3", u"Número"},
        {u"Label1", u"Máquina"},
        {u"Label7", u"Diretório"},
        {u"Label10", u"Tipo"},
    }};
    const std::array<QStringView, 4> values
        = {u"ValueNumber", u"ValueDescription", u"ValueProgramsDir", u"ValueTransferType"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(namedLabel(rows[i].first.toString(), rows[i].second.toString(), summary), i + 1, 1);
        QLabel *value = namedLabel(values[i].toString(), QStringLiteral("--------------------"), summary);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, i + 1, 2);
    }
    grid->setColumnStretch(2, 1);
    leftColumn->addWidget(summary);
    auto *folders = new QTreeView(left);
    folders->setObjectName(QStringLiteral("ShellTreeView1"));
    folders->setAccessibleName(QStringLiteral("Folders"));
    leftColumn->addWidget(folders, 1);

    // Right column: the folder path above the file list.
    auto *right = new QWidget(pane);
    auto *rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(4, 4, 4, 4);
    auto *path = new QLineEdit(right);
    path->setObjectName(QStringLiteral("ShellComboBox1"));
    path->setAccessibleName(QStringLiteral("Path"));
    rightColumn->addWidget(path);
    auto *files = new QTreeView(right);
    files->setObjectName(QStringLiteral("ShellListView1"));
    files->setAccessibleName(QStringLiteral("Files"));
    auto *columns = new QStandardItemModel(0, 4, files);
    const std::array<QStringView, 4> headings = {u"Nome", u"Tamanho", u"Tipo", u"Data de Modificação"};
    for (int i = 0; i < 4; ++i) {
        columns->setHeaderData(i, Qt::Horizontal, headings[i].toString());
    }
    files->setModel(columns);
    files->setRootIsDecorated(false);
    rightColumn->addWidget(files, 1);

    pane->addWidget(left);
    pane->addWidget(right);
    pane->setStretchFactor(1, 1);
}

void TForm_Main::buildMachineListPane()
{
    auto *pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PaneMachines"));
    auto *column = new QVBoxLayout(pane);
    auto *list = new QTreeView(pane);
    list->setObjectName(QStringLiteral("DBCtrlGrid1"));
    list->setAccessibleName(QStringLiteral("Machines"));
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    column->addWidget(list, 1);
    m_panes[1] = pane;
}

void TForm_Main::buildEditorPane()
{
    auto *pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PaneEditor"));
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);
    m_editorSplitter = new QSplitter(Qt::Vertical, pane);
    m_editorSplitter->setObjectName(QStringLiteral("Splitter1"));
    m_documents = new QTabWidget(m_editorSplitter);
    m_documents->setObjectName(QStringLiteral("PageControl1"));
    m_documents->setAccessibleName(QStringLiteral("Documents"));
    m_messagePanel = new QWidget(m_editorSplitter);
    m_messagePanel->setObjectName(QStringLiteral("PanelMessages"));
    auto *panelLayout = new QVBoxLayout(m_messagePanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    m_messagePanel->setVisible(false);
    m_editorSplitter->addWidget(m_documents);
    m_editorSplitter->addWidget(m_messagePanel);
    m_editorSplitter->setStretchFactor(0, 1);
    m_editorSplitter->setSizes({600, 150});
    column->addWidget(m_editorSplitter);
    m_panes[2] = pane;
}

QToolButton *TForm_Main::ribbonButton(const QString &objectName) const
{
    return m_ribbon->findChild<QToolButton *>(objectName);
}

QAction *TForm_Main::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName, Qt::FindDirectChildrenOnly);
}

void TForm_Main::FUNC_ViewRibbon(int page)
{
    if (page < 0 || page > 2) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        m_panes[i]->setVisible(i == page);
    }
}

void TForm_Main::Ribbon1HelpButtonClick()
{
    for (int i = 0; i < 3; ++i) {
        if (m_panes[i]->isVisibleTo(this)) {
            HelpPages::open(settings.HelpDir, kHelpPages[i].toString());
            return;
        }
    }
}

void TForm_Main::FUNC_Historico(const QString &title, const QString &line1, const QString &line2, const QString &line3,
                                const QString &line4)
{
    m_windows.messages->addEntry(makeLogEntry(CurrentFileName, Clock::now(), title, {line1, line2, line3, line4}));
}

void TForm_Main::setMessageWindow(TForm_MSG *messages)
{
    connect(messages, &TForm_MSG::closeRequested, this, [this, messages] {
        messages->hide();
        m_messagePanel->setVisible(false);
    });
}

void TForm_Main::SpeedButton25Click()
{
    TForm_MSG *messages = m_windows.messages.get();
    const bool show = m_messagePanel->isHidden();
    messages->dockInto(m_messagePanel, show);
    m_messagePanel->setVisible(show);
}

void TForm_Main::showMachineSummary(const QPixmap &picture, const QString &number, const QString &description,
                                    const QString &programsDir, const QString &transferType)
{
    auto *image = m_panes[0]->findChild<QLabel *>(QStringLiteral("ImageMachine"));
    if (picture.isNull()) {
        image->clear();
    } else {
        image->setPixmap(picture);
    }
    const std::array<std::pair<QStringView, QString>, 4> values = {{
        {u"ValueNumber", number},
        {u"ValueDescription", description},
        {u"ValueProgramsDir", programsDir},
        {u"ValueTransferType", transferType},
    }};
    for (const auto &[name, text] : values) {
        m_panes[0]->findChild<QLabel *>(name.toString())->setText(text);
    }
}

QString TForm_Main::statusText() const
{
    return m_status->text();
}

void TForm_Main::setStatusText(const QString &text)
{
    m_status->setText(text);
}

void TForm_Main::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // Run the start-up sequence once the window is on screen.
        QMetaObject::invokeMethod(this, &TForm_Main::FormShow, Qt::QueuedConnection);
    }
}

void TForm_Main::FormShow()
{
    // The platform shows no critical-error boxes for absent media, so there is
    // nothing to switch off before the folder tree starts probing drives.
    Catalogue::current().load(settings.LanguageCode);
    ApplyLanguage(m_windows.all(), Catalogue::current());

    m_windows.screen->exec();
    showMaximized();

    if (startupSteps.listAllMachines && !startupSteps.listAllMachines()) {
        return; // the database could not be read: the rest of start-up is not run
    }
    if (startupSteps.searchMachines) {
        startupSteps.searchMachines();
    }

    m_windows.messages->dockInto(m_messagePanel, true);
    m_messagePanel->setVisible(true);

    m_ribbon->setCurrentIndex(0);
    FUNC_ViewRibbon(0);

    if (startupSteps.selectFirstMachine) {
        startupSteps.selectFirstMachine();
    }
    if (startupSteps.refreshFileListCaptions) {
        startupSteps.refreshFileListCaptions();
    }
    update();
    m_startupCompleted = true;
    Q_EMIT startupFinished();
}
