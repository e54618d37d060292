#pragma once

#include <QObject>
#include <QString>

class QEvent;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QModelIndex;
class QStackedWidget;
class QTreeView;
class TForm_Main;
class FileListModel;

/// The file browser of ribbon page 0: the folder tree, the path box and the
/// file list, linked so that a folder chosen in any of them shows in the
/// other two, with the view styles, new folder, delete, copy, paste and
/// opening a program in the editor.
///
/// The file list is a details view (`ShellListView1`) and an icon/list view
/// over the same model and selection; the view style picks which one shows.
class FileBrowser : public QObject
{
    Q_OBJECT

public:
    /// View styles of the file list.
    enum ViewStyle { LargeIcons = 1, SmallIcons = 2, List = 3, Details = 4 };

    /// Builds the three controls inside \a main's file browser pane, not yet
    /// placed in its layouts (install() does that).
    explicit FileBrowser(TForm_Main &main);

    /// Puts a new browser into \a main's file browser pane in place of the
    /// placeholder controls, wires the ribbon buttons of the browser and the
    /// start-up step that captions the file list. The browser lives as long as \a main.
    static FileBrowser *install(TForm_Main &main);

    /// Full path of the item last copied with the copy button; empty when none.
    QString CopiedPath;

    /// Sets the view style (1 to 4; 0 keeps it) and moves the browser to the
    /// folder \a path, giving the folder tree the focus. A path that is not a
    /// folder the tree can show leaves the folder unchanged.
    void FUNC_Atualizar_DIR(int style, const QString &path);
    /// Captions the four columns of the file list in the current language.
    void Refresh_Menu_ShellList();

    /// The folder the tree shows as current; empty when none.
    QString currentFolder() const;
    /// Full path of the item selected in the file list; empty when none.
    QString selectedPath() const;
    /// Selects the item \a path of the folder shown; false when it is not there.
    bool selectPath(const QString &path);
    int viewStyle() const { return m_style; }

    /// "Abrir Arquivo CNC": opens the selected file in an editor tab and shows the editor page.
    void SpeedButton2Click();
    /// New folder "New Folder", "New Folder 1", … in the tree's folder.
    void SpeedButton20Click();
    /// Moves the selected item to the trash after asking.
    void SpeedButton21Click();
    /// Remembers the selected item for pasting and empties the clipboard.
    void SpeedButton22Click();
    /// Pastes the clipboard's files, or else the item copied here, into the tree's folder.
    void SpeedButton23Click();

    QTreeView *folderTree() const { return m_tree; }
    QLineEdit *pathBox() const { return m_path; }
    /// The details view; its model is the one the icon views show.
    QTreeView *fileList() const { return m_details; }
    QListView *iconList() const { return m_icons; }
    /// The area holding both file list views.
    QStackedWidget *fileListArea() const { return m_listArea; }

Q_SIGNALS:
    /// The tree's current folder changed.
    void folderChanged(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setViewStyle(int style);
    void showFolder(const QString &path);
    void treeFolderChanged(const QModelIndex &current);
    void pathBoxEntered();
    void listItemActivated(const QModelIndex &index);
    QString pathOfListIndex(const QModelIndex &index) const;

    TForm_Main &m_main;
    QFileSystemModel *m_folders;
    QFileSystemModel *m_files;
    FileListModel *m_list;
    QTreeView *m_tree;
    QLineEdit *m_path;
    QStackedWidget *m_listArea;
    QTreeView *m_details;
    QListView *m_icons;
    QString m_currentFolder;
    int m_style = Details;
};
