#include "app/FileBrowser.h"

#include "app/FileListModel.h"
#include "app/MessageBoxes.h"
#include "app/Ribbon.h"
#include "app/ShellCopy.h"
#include "app/ShellCopyDialog.h"
#include "app/TForm_Main.h"
#include "editor/EditorDocuments.h"
#include "i18n/Catalogue.h"

#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <array>
#include <functional>

namespace {

const QString kNewFolderName = QStringLiteral("New Folder");

/// Design captions of the file list's columns.
constexpr std::array<QStringView, FileListModel::kColumns> kDesignCaptions
    = {u"Nome", u"Tamanho", u"Tipo", u"Modificado em"};

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

FileBrowser::FileBrowser(TForm_Main &main)
    : QObject(&main)
    , m_main(main)
    , m_folders(new QFileSystemModel(this))
    , m_files(new QFileSystemModel(this))
    , m_list(new FileListModel(this))
{
    setObjectName(QStringLiteral("FileBrowser"));
    QWidget *pane = main.fileBrowserPane();

    m_folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_folders->setReadOnly(true);
    m_folders->setRootPath(QDir::rootPath());
    m_files->setFilter(QDir::AllDirs | QDir::Files | QDir::Drives | QDir::NoDotAndDotDot);
    m_files->setReadOnly(false);
    m_list->setSourceModel(m_files);
    for (int i = 0; i < FileListModel::kColumns; ++i) {
        m_list->setHeaderData(i, Qt::Horizontal, kDesignCaptions[std::size_t(i)].toString());
    }
    m_list->renameFailed = [this](const QString &path, const QString &newName) {
        // Report once the in-place editor has closed.
        QTimer::singleShot(0, this, [this, path, newName] {
            MessageBoxes::show(&m_main,
                               T(u"Msg.Main.RenameFailedPrefix") + path + T(u"Msg.Main.RenameFailedMiddle") + newName
                                   + T(u"Msg.Main.RenameFailedSuffix"));
        });
    };

    m_tree = new QTreeView(pane);
    m_tree->setObjectName(QStringLiteral("ShellTreeView1"));
    m_tree->setAccessibleName(QStringLiteral("Folders"));
    m_tree->setModel(m_folders);
    for (int column = 1; column < m_folders->columnCount(); ++column) {
        m_tree->hideColumn(column);
    }
    m_tree->setHeaderHidden(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (const QModelIndex index = m_tree->indexAt(position); index.isValid()) {
            m_tree->setCurrentIndex(index);
        }
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { treeFolderChanged(current); });

    m_path = new QLineEdit(pane);
    m_path->setObjectName(QStringLiteral("ShellComboBox1"));
    m_path->setAccessibleName(QStringLiteral("Path"));
    m_path->setCompleter(new QCompleter(m_folders, m_path));
    connect(m_path, &QLineEdit::returnPressed, this, &FileBrowser::pathBoxEntered);
    connect(m_path, &QLineEdit::editingFinished, this, [this] { m_path->setText(m_currentFolder); });

    m_listArea = new QStackedWidget(pane);
    m_listArea->setObjectName(QStringLiteral("ShellListArea"));
    m_details = new QTreeView(m_listArea);
    m_details->setObjectName(QStringLiteral("ShellListView1"));
    m_details->setAccessibleName(QStringLiteral("Files"));
    m_details->setModel(m_list);
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->setSortingEnabled(true);
    m_details->sortByColumn(0, Qt::AscendingOrder);
    m_details->header()->resizeSection(0, 280);
    m_icons = new QListView(m_listArea);
    m_icons->setObjectName(QStringLiteral("ShellListIcons"));
    m_icons->setAccessibleName(QStringLiteral("Files"));
    m_icons->setModel(m_list);
    m_icons->setSelectionModel(m_details->selectionModel());
    for (QAbstractItemView *view : std::initializer_list<QAbstractItemView *> {m_details, m_icons}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::activated, this, &FileBrowser::listItemActivated);
    }
    m_listArea->addWidget(m_details);
    m_listArea->addWidget(m_icons);
    m_listArea->setCurrentWidget(m_details);

    // Until a machine's directory is chosen the browser shows the user's home.
    showFolder(QDir::homePath());
}

FileBrowser *FileBrowser::install(TForm_Main &main)
{
    QWidget *pane = main.fileBrowserPane();
    QWidget *treePlaceholder = pane->findChild<QWidget *>(QStringLiteral("ShellTreeView1"));
    QWidget *pathPlaceholder = pane->findChild<QWidget *>(QStringLiteral("ShellComboBox1"));
    QWidget *listPlaceholder = pane->findChild<QWidget *>(QStringLiteral("ShellListView1"));

    auto *browser = new FileBrowser(main);
    const auto place = [](QWidget *placeholder, QWidget *control) {
        if (!placeholder) {
            return;
        }
        QLayout *layout = placeholder->parentWidget()->layout();
        delete layout->replaceWidget(placeholder, control);
        delete placeholder;
    };
    place(treePlaceholder, browser->m_tree);
    place(pathPlaceholder, browser->m_path);
    place(listPlaceholder, browser->m_listArea);

    const auto wire = [&main, browser](QStringView name, std::function<void()> action) {
        QToolButton *button = main.ribbonButton(name.toString());
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, browser, std::move(action));
    };
    wire(u"SpeedButton2", [browser] { browser->SpeedButton2Click(); });
    const std::array<std::pair<QStringView, int>, 4> styles = {{{u"SpeedButton9", LargeIcons},
                                                                {u"SpeedButton10", SmallIcons},
                                                                {u"SpeedButton12", List},
                                                                {u"SpeedButton11", Details}}};
    for (const auto &[name, style] : styles) {
        wire(name, [browser, style] { browser->FUNC_Atualizar_DIR(style, browser->currentFolder()); });
    }
    wire(u"SpeedButton20", [browser] { browser->SpeedButton20Click(); });
    wire(u"SpeedButton21", [browser] { browser->SpeedButton21Click(); });
    wire(u"SpeedButton22", [browser] { browser->SpeedButton22Click(); });
    wire(u"SpeedButton23", [browser] { browser->SpeedButton23Click(); });
    main.startupSteps.refreshFileListCaptions = [browser] {
        browser->Refresh_Menu_ShellList();
    };
    return browser;
}

void FileBrowser::FUNC_Atualizar_DIR(int style, const QString &path)
{
    if (style >= LargeIcons && style <= Details) {
        setViewStyle(style);
    }
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        return;
    }
    const QModelIndex folder = m_folders->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!folder.isValid()) {
        return;
    }
    m_tree->setCurrentIndex(folder);
    m_tree->collapse(folder);
    m_tree->expand(folder);
    m_tree->scrollTo(folder);
    m_tree->setFocus();
}

void FileBrowser::Refresh_Menu_ShellList()
{
    for (int i = 0; i < FileListModel::kColumns; ++i) {
        m_list->setHeaderData(i, Qt::Horizontal, T(QStringLiteral("Form_Main.ShellListView1.Column%1").arg(i)));
    }
}

QString FileBrowser::currentFolder() const
{
    return m_currentFolder;
}

QString FileBrowser::selectedPath() const
{
    const QModelIndexList selected = m_details->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected) {
        if (index.column() == 0 && index.parent() == m_details->rootIndex()) {
            return pathOfListIndex(index);
        }
    }
    return {};
}

bool FileBrowser::selectPath(const QString &path)
{
    const QModelIndex index = m_list->mapFromSource(m_files->index(QDir::cleanPath(path)));
    if (!index.isValid() || index.parent() != m_details->rootIndex()) {
        return false;
    }
    m_details->selectionModel()->setCurrentIndex(index,
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void FileBrowser::setViewStyle(int style)
{
    m_style = style;
    if (style == Details) {
        m_listArea->setCurrentWidget(m_details);
        return;
    }
    const bool large = style == LargeIcons;
    m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    m_icons->setMovement(QListView::Static);
    m_icons->setFlow(style == List ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setWordWrap(large);
    m_icons->setUniformItemSizes(!large);
    const int extent = m_icons->style()->pixelMetric(large ? QStyle::PM_IconViewIconSize : QStyle::PM_SmallIconSize);
    m_icons->setIconSize(QSize(extent, extent));
    m_icons->setGridSize(large ? QSize(extent * 3, extent + 3 * m_icons->fontMetrics().height()) : QSize());
    const bool hadFocus = m_details->hasFocus();
    m_listArea->setCurrentWidget(m_icons);
    if (hadFocus) {
        m_icons->setFocus();
    }
}

void FileBrowser::showFolder(const QString &path)
{
    const QModelIndex folder = m_folders->index(path);
    if (!folder.isValid()) {
        return;
    }
    m_tree->setCurrentIndex(folder);
    m_tree->scrollTo(folder);
}

void FileBrowser::treeFolderChanged(const QModelIndex &current)
{
    const QString path = current.isValid() ? m_folders->filePath(current) : QString();
    if (path == m_currentFolder) {
        return;
    }
    m_currentFolder = path;
    const QModelIndex root = m_list->mapFromSource(m_files->setRootPath(path));
    m_details->selectionModel()->clear();
    m_details->setRootIndex(root);
    m_icons->setRootIndex(root);
    m_path->setText(path);
    Q_EMIT folderChanged(path);
}

void FileBrowser::pathBoxEntered()
{
    const QString typed = m_path->text().trimmed();
    if (QFileInfo(typed).isDir()) {
        FUNC_Atualizar_DIR(0, typed);
    }
    m_path->setText(m_currentFolder);
}

void FileBrowser::listItemActivated(const QModelIndex &index)
{
    const QString path = pathOfListIndex(index);
    if (QFileInfo(path).isDir()) {
        showFolder(path);
    } else {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

QString FileBrowser::pathOfListIndex(const QModelIndex &index) const
{
    return m_files->filePath(m_list->mapToSource(index.siblingAtColumn(0)));
}

bool FileBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        || (watched != m_details && watched != m_icons)) {
        return QObject::eventFilter(watched, event);
    }
    // Keys typed into an item being renamed are the editor's.
    const QWidget *focus = QApplication::focusWidget();
    if (focus && focus != watched && static_cast<QWidget *>(watched)->isAncestorOf(focus)) {
        return false;
    }
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool control = key->modifiers().testFlag(Qt::ControlModifier);
    const bool remove = key->key() == Qt::Key_Delete;
    const bool copy = control && key->key() == Qt::Key_C;
    const bool paste = control && key->key() == Qt::Key_V;
    if (!remove && !copy && !paste) {
        return false;
    }
    // These keys act when released; their press is taken too, so the view
    // does not put the item's name on the clipboard as text.
    if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat()) {
        if (remove) {
            SpeedButton21Click();
        } else if (copy) {
            SpeedButton22Click();
        } else {
            SpeedButton23Click();
        }
    }
    return true;
}

void FileBrowser::SpeedButton2Click()
{
    const QString path = selectedPath();
    if (path.isEmpty()) {
        MessageBoxes::show(&m_main, T(u"Msg.Main.SelectToOpen"));
        return;
    }
    if (!QFileInfo(path).isFile()) {
        return;
    }
    m_main.documents().openFile(path);
    m_main.ribbon()->setCurrentIndex(2);
    m_main.FUNC_ViewRibbon(2);
}

void FileBrowser::SpeedButton20Click()
{
    QToolButton *button = m_main.ribbonButton(QStringLiteral("SpeedButton20"));
    if (button) {
        button->setEnabled(false);
    }
    const QString folder = currentFolder();
    const QFileInfo info(folder);
    // Only a real directory gets a new folder.
    if (!folder.isEmpty() && info.isDir()) {
        if (info.isWritable() && QDir().mkdir(MakeUniqueFolderName(withSlash(folder), kNewFolderName))) {
            m_main.update();
        } else {
            MessageBoxes::show(&m_main, T(u"Msg.Main.CreateFolderFailed"));
        }
    }
    if (button) {
        button->setEnabled(true);
    }
}

void FileBrowser::SpeedButton21Click()
{
    const QString path = selectedPath();
    if (path.isEmpty()) {
        MessageBoxes::show(&m_main, T(u"Msg.Main.SelectToDelete"));
        return;
    }
    if (!MessageBoxes::ask(&m_main, T(u"Msg.Main.TrashQuestionPrefix") + path + T(u"Msg.Main.TrashQuestionSuffix"))) {
        return;
    }
    QFile item(path);
    if (item.moveToTrash()) {
        m_main.update();
    } else {
        MessageBoxes::show(
            &m_main, T(u"Msg.Main.TrashFailedPrefix") + path + T(u"Msg.Main.TrashFailedSuffix") + item.errorString());
    }
}

void FileBrowser::SpeedButton22Click()
{
    const QString path = selectedPath();
    if (path.isEmpty()) {
        MessageBoxes::show(&m_main, T(u"Msg.Main.SelectToCopy"));
        return;
    }
    CopiedPath = path;
    // A later paste takes this item, not files another program copied before.
    QGuiApplication::clipboard()->clear();
}

void FileBrowser::SpeedButton23Click()
{
    const QString target = currentFolder();
    if (target.isEmpty()) {
        return;
    }
    QStringList files;
    if (const QMimeData *clipboard = QGuiApplication::clipboard()->mimeData()) {
        for (const QUrl &url : clipboard->urls()) {
            if (url.isLocalFile()) {
                files << url.toLocalFile();
            }
        }
    }
    if (!files.isEmpty()) {
        for (const QString &file : std::as_const(files)) {
            ShellCopyDialog::copyInto(&m_main, file, target);
        }
        CopiedPath.clear();
    }
    if (!CopiedPath.trimmed().isEmpty()) {
        ShellCopyDialog::copyInto(&m_main, CopiedPath, target);
    }
}
