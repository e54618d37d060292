#include "editor/EditorDocuments.h"

#include "app/MessageBoxes.h"
#include "app/UserDialogs.h"
#include "editor/ProgramEditor.h"
#include "i18n/Catalogue.h"

#include <QFileInfo>
#include <QIcon>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kAllFiles = QStringLiteral("All files (*)");

QString newListEntry(const QString &name)
{
    return u"*\\" + name + u"/*";
}

QIcon documentIcon()
{
    static const QIcon icon = QIcon::fromTheme(QStringLiteral("text-x-generic"),
                                               QIcon::fromTheme(QStringLiteral("text-x-generic-symbolic")));
    return icon;
}

/// The standard error box for a file the system refused, naming file and reason.
void showFileError(QWidget *parent, const QString &path, const QString &reason)
{
    MessageBoxes::showStandardError(parent, path + u": " + reason);
}

} // namespace

EditorDocuments::EditorDocuments(QTabWidget *tabs, QString &currentFileName, QWidget *dialogParent)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_currentFileName(currentFileName)
    , m_dialogParent(dialogParent)
{
    m_tabs->setIconSize(QSize(24, 24));
    m_tabs->setDocumentMode(true);
    connect(m_tabs, &QTabWidget::currentChanged, this, &EditorDocuments::FUNC_Selecionar_TAB_SynMemo);
}

int EditorDocuments::count() const
{
    return m_tabs->count();
}

ProgramEditor *EditorDocuments::editorOfTab(QWidget *tab) const
{
    return tab ? tab->findChild<ProgramEditor *>(u"SMemo_" + tab->objectName()) : nullptr;
}

ProgramEditor *EditorDocuments::editorAt(int position) const
{
    return editorOfTab(m_tabs->widget(position));
}

QString EditorDocuments::captionAt(int position) const
{
    return m_tabs->tabText(position);
}

bool EditorDocuments::isUnsavedNew(const QString &caption) const
{
    return NewDocumentList.contains(newListEntry(caption));
}

QStringList EditorDocuments::modifiedCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (ProgramEditor *editor = editorAt(i); editor && editor->isModified()) {
            captions << captionAt(i);
        }
    }
    return captions;
}

void EditorDocuments::FUNC_Selecionar_TAB_SynMemo(int position)
{
    if (position < 0) {
        m_currentFileName.clear();
        m_activeTab = nullptr;
        m_activeEditor = nullptr;
    } else {
        m_activeTab = m_tabs->currentWidget();
        m_activeEditor = editorOfTab(m_activeTab);
        m_currentFileName = m_tabs->tabText(m_tabs->currentIndex());
    }
    Q_EMIT activeDocumentChanged();
}

ProgramEditor *EditorDocuments::FUNC_Criar_SynMemo(const QString &requested)
{
    QString name = requested;
    if (name == T(u"Msg.Main.New")) {
        ++NewDocumentCount;
        name += u'(' + QString::number(NewDocumentCount) + u')';
        NewDocumentList << newListEntry(name);
    }

    bool found = false;
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->tabText(i) == name) {
            found = true;
            m_tabs->setCurrentIndex(i);
            FUNC_Selecionar_TAB_SynMemo(i);
        }
    }
    if (found) {
        return m_activeEditor;
    }

    auto *tab = new QWidget;
    tab->setObjectName(u"TAB" + QString::number(TabCount));
    auto *editor = new ProgramEditor(tab);
    editor->setObjectName(u"SMemo_" + tab->objectName());
    editor->setAccessibleName(name);
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor);
    if (m_setup) {
        m_setup(editor);
    }
    editor->clearAll();
    ++TabCount;

    const QSignalBlocker quiet(m_tabs);
    const int index = m_tabs->addTab(tab, documentIcon(), name);
    m_tabs->setCurrentIndex(index);
    FUNC_Selecionar_TAB_SynMemo(index);
    return editor;
}

void EditorDocuments::newDocument()
{
    FUNC_Criar_SynMemo(T(u"Msg.Main.New"));
    if (m_activeEditor) {
        m_activeEditor->setFocus();
    }
}

bool EditorDocuments::load(ProgramEditor *editor, const QString &path)
{
    QString error;
    std::optional<DecodedProgram> program = readProgramFile(path, &error);
    if (!program) {
        showFileError(m_dialogParent, path, error);
        return false;
    }
    editor->loadProgram(*program);
    return true;
}

bool EditorDocuments::openFile(const QString &path)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        ProgramEditor *open = editorAt(i);
        if (m_tabs->tabText(i) == path && open && open->isModified()) {
            m_tabs->setCurrentIndex(i);
            // Reloading would throw away the user's edits: ask first.
            if (!MessageBoxes::ask(m_dialogParent,
                                   T(u"Msg.Main.ReloadChangedPrefix") + path + T(u"Msg.Main.ReloadChangedSuffix"))) {
                return false;
            }
        }
    }
    ProgramEditor *editor = FUNC_Criar_SynMemo(path);
    return editor && load(editor, path);
}

void EditorDocuments::openFromDialog()
{
    const QString dir = m_currentFileName.isEmpty() || isUnsavedNew(m_currentFileName)
        ? QString()
        : QFileInfo(m_currentFileName).absolutePath();
    const QString path = UserDialogs::instance().openFileName(m_dialogParent, QString(), dir, kAllFiles);
    if (!path.isEmpty()) {
        openFile(QFileInfo(path).absoluteFilePath());
    }
}

EditorDocuments::SaveResult EditorDocuments::saveTo(ProgramEditor *editor, const QString &path)
{
    const QString text = editor->programText();
    bool lossless = true;
    if (editor->programFormat().encoding == ProgramFormat::Encoding::Ansi) {
        encodeProgram(text, editor->programFormat(), &lossless);
    }
    if (!lossless
        && !MessageBoxes::ask(m_dialogParent, T(u"Msg.File.LossyPrefix") + path + T(u"Msg.File.LossySuffix"))) {
        return SaveResult::Cancelled;
    }
    QString error;
    if (!writeProgramFile(path, text, editor->programFormat(), &error)) {
        showFileError(m_dialogParent, path, error);
        return SaveResult::Failed;
    }
    editor->setModified(false);
    return SaveResult::Saved;
}

QString EditorDocuments::askSavePath(const QString &caption)
{
    const QString path = UserDialogs::instance().saveFileName(m_dialogParent, QString(), caption, QString());
    if (path.isEmpty()) {
        return {};
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(absolute)
        && !MessageBoxes::ask(m_dialogParent, T(u"Msg.File.ReplacePrefix") + absolute + T(u"Msg.File.ReplaceSuffix"))) {
        return {};
    }
    return absolute;
}

void EditorDocuments::rename(int position, const QString &path)
{
    m_tabs->setTabText(position, path);
    if (ProgramEditor *editor = editorAt(position)) {
        editor->setAccessibleName(path);
    }
    if (position == m_tabs->currentIndex()) {
        m_currentFileName = path;
        Q_EMIT activeDocumentChanged();
    }
}

EditorDocuments::SaveResult EditorDocuments::FUNC_Salvar_Arquivo()
{
    if (m_currentFileName.trimmed().isEmpty() || !m_activeEditor || !m_activeEditor->isModified()) {
        return SaveResult::NotNeeded;
    }
    const int position = m_tabs->currentIndex();
    if (!isUnsavedNew(m_currentFileName)) {
        return saveTo(m_activeEditor, m_currentFileName);
    }
    const QString path = askSavePath(m_currentFileName);
    if (path.isEmpty()) {
        return SaveResult::Cancelled;
    }
    const SaveResult result = saveTo(m_activeEditor, path);
    if (result == SaveResult::Saved) {
        rename(position, path);
    }
    return result;
}

EditorDocuments::SaveResult EditorDocuments::FUNC_Salvar_Arquivo_Como()
{
    if (m_currentFileName.trimmed().isEmpty() || !m_activeEditor) {
        return SaveResult::NotNeeded;
    }
    const int position = m_tabs->currentIndex();
    const QString path = askSavePath(m_currentFileName);
    if (path.isEmpty()) {
        return SaveResult::Cancelled;
    }
    const SaveResult result = saveTo(m_activeEditor, path);
    if (result == SaveResult::Saved) {
        rename(position, path);
    }
    return result;
}

EditorDocuments::SaveResult EditorDocuments::FUNC_Salvar_Arquivo_ALL()
{
    SaveResult worst = SaveResult::NotNeeded;
    auto note = [&worst](SaveResult r) {
        if (static_cast<int>(r) > static_cast<int>(worst)) {
            worst = r;
        }
    };
    const int remembered = m_tabs->currentIndex();
    for (int i = 0; i < m_tabs->count(); ++i) {
        m_tabs->setCurrentIndex(i);
        ProgramEditor *editor = editorAt(i);
        if (!editor || !editor->isModified()) {
            continue;
        }
        const QString caption = captionAt(i);
        if (isUnsavedNew(caption)) {
            const QString path = askSavePath(caption);
            if (path.isEmpty()) {
                note(SaveResult::Cancelled);
                continue;
            }
            const SaveResult result = saveTo(editor, path);
            if (result == SaveResult::Saved) {
                rename(i, path);
            }
            note(result);
        } else {
            note(saveTo(editor, caption));
        }
    }
    if (remembered >= 0) {
        m_tabs->setCurrentIndex(remembered);
        FUNC_Selecionar_TAB_SynMemo(remembered);
    }
    return worst;
}

bool EditorDocuments::closeActive()
{
    if (!m_activeTab || !m_activeEditor) {
        return false;
    }
    if (m_activeEditor->isModified()) {
        const QString question =
            T(u"Msg.Main.CloseFilePrefix") + m_currentFileName + T(u"Msg.Main.CloseFileSuffix");
        if (MessageBoxes::ask(m_dialogParent, question)) {
            // A save that was cancelled or failed keeps the document open.
            if (FUNC_Salvar_Arquivo() != SaveResult::Saved) {
                return false;
            }
        }
    }
    QWidget *tab = m_activeTab;
    const int position = m_tabs->indexOf(tab);
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->removeTab(position);
        if (m_tabs->count() > 0) {
            m_tabs->setCurrentIndex(position < m_tabs->count() ? position : 0);
        }
    }
    m_activeTab = nullptr;
    m_activeEditor = nullptr;
    tab->deleteLater();
    FUNC_Selecionar_TAB_SynMemo(m_tabs->count() > 0 ? m_tabs->currentIndex() : -1);
    return true;
}

void EditorDocuments::forEachEditor(const std::function<void(ProgramEditor *)> &visit)
{
    const int remembered = m_tabs->currentIndex();
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (ProgramEditor *editor = editorAt(i)) {
            visit(editor);
        }
    }
    if (remembered >= 0) {
        m_tabs->setCurrentIndex(remembered);
        FUNC_Selecionar_TAB_SynMemo(remembered);
    }
}
