#include "editor/SearchReplace.h"

#include "app/MessageBoxes.h"
#include "app/TForm_Main.h"
#include "editor/ConfirmPlacement.h"
#include "editor/EditorDocuments.h"
#include "editor/ProgramEditor.h"
#include "editor/SearchHistory.h"
#include "editor/dlgConfirmReplace.h"
#include "editor/dlgReplaceText.h"
#include "editor/dlgSearchText.h"
#include "i18n/Catalogue.h"

#include <QAction>
#include <QApplication>
#include <QToolButton>

#include <array>

namespace {

using Sci = QsciScintillaBase;

long send(const ProgramEditor *editor, unsigned int message, qint64 wParam = 0, qint64 lParam = 0)
{
    return editor->SendScintilla(message, static_cast<unsigned long>(wParam), static_cast<long>(lParam));
}

/// The document's text, read straight from the editor's buffer.
QString documentText(const ProgramEditor *editor)
{
    const long length = send(editor, Sci::SCI_GETLENGTH);
    const auto *bytes = static_cast<const char *>(editor->SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return QString::fromUtf8(bytes, length);
}

/// Selects \a range with the caret at its end, or at its start for a backward search.
void select(ProgramEditor *editor, const SearchRun::ByteRange &range, bool backwards)
{
    const qint64 anchor = backwards ? range.end : range.start;
    const qint64 caret = backwards ? range.start : range.end;
    send(editor, Sci::SCI_SETSEL, anchor, caret);
    send(editor, Sci::SCI_SCROLLRANGE, anchor, caret);
}

} // namespace

SearchReplace::SearchReplace(TForm_Main &main)
    : m_main(main)
{ }

SearchReplace::~SearchReplace() = default;

void SearchReplace::connectTo(TForm_Main &main)
{
    struct Entry
    {
        QStringView button;
        QStringView action;
        void (SearchReplace::*slot)();
    };
    const std::array<Entry, 4> entries = {{
        {u"SpeedButton27", u"actSearch", &SearchReplace::SpeedButton27Click},
        {u"SpeedButton28", u"actSearchNext", &SearchReplace::SpeedButton28Click},
        {u"SpeedButton29", u"actSearchPrev", &SearchReplace::SpeedButton29Click},
        {u"SpeedButton30", u"actSearchReplace", &SearchReplace::SpeedButton30Click},
    }};
    for (const Entry &entry : entries) {
        if (QToolButton *button = main.ribbonButton(entry.button.toString())) {
            button->setEnabled(true);
            connect(button, &QToolButton::clicked, this, entry.slot);
        }
        if (QAction *action = main.action(entry.action.toString())) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, entry.slot);
        }
    }
}

void SearchReplace::setDialogRunner(DialogRunner runner)
{
    m_runDialog = std::move(runner);
}

int SearchReplace::runDialog(QDialog &dialog)
{
    return m_runDialog ? m_runDialog(dialog) : dialog.exec();
}

ProgramEditor *SearchReplace::activeEditorOrWarn(QStringView functionKey)
{
    ProgramEditor *editor = m_main.documents().activeEditor();
    if (!editor) {
        FUNC_Mensagem(&m_main, 1, T(functionKey));
    }
    return editor;
}

void SearchReplace::SpeedButton27Click()
{
    if (activeEditorOrWarn(u"Msg.Main.FuncFind")) {
        OpenSearchDialog(false);
    }
}

void SearchReplace::SpeedButton28Click()
{
    if (activeEditorOrWarn(u"Msg.Main.FuncFindNext")) {
        RunSearchReplace(false, false);
    }
}

void SearchReplace::SpeedButton29Click()
{
    if (activeEditorOrWarn(u"Msg.Main.FuncFindPrevious")) {
        RunSearchReplace(false, true);
    }
}

void SearchReplace::SpeedButton30Click()
{
    if (activeEditorOrWarn(u"Msg.Main.FuncReplace")) {
        OpenSearchDialog(true);
    }
}

void SearchReplace::OpenSearchDialog(bool replace)
{
    m_main.setStatusText(QString());

    std::unique_ptr<TTextSearchDialog> dialog;
    TTextReplaceDialog *replaceDialog = nullptr;
    if (replace) {
        auto created = std::make_unique<TTextReplaceDialog>(m_main.settings.HelpDir, &m_main);
        replaceDialog = created.get();
        dialog = std::move(created);
    } else {
        dialog = std::make_unique<TTextSearchDialog>(m_main.settings.HelpDir, &m_main);
    }

    dialog->setSearchBackwards(m_settings.SearchBackwards);
    dialog->setSearchCaseSensitive(m_settings.SearchCaseSensitive);
    dialog->setSearchFromCursor(m_settings.SearchFromCaret);
    dialog->setSearchSelectedOnly(m_settings.SearchSelectionOnly);
    dialog->setSearchWholeWords(m_settings.SearchWholeWords);
    dialog->setSearchRegularExpression(false);
    dialog->setSearchTextHistory(SearchHistory::lines(m_settings.SearchTextHistory));
    dialog->setSearchText(m_settings.SearchText);
    if (replaceDialog) {
        replaceDialog->setReplaceTextHistory(SearchHistory::lines(m_settings.ReplaceTextHistory));
        replaceDialog->setReplaceText(m_settings.ReplaceText);
    }
    dialog->centreOnScreen();

    if (runDialog(*dialog) != QDialog::Accepted) {
        return;
    }

    m_settings.SearchBackwards = dialog->searchBackwards();
    m_settings.SearchCaseSensitive = dialog->searchCaseSensitive();
    m_settings.SearchFromCaret = dialog->searchFromCursor();
    m_settings.SearchSelectionOnly = dialog->searchSelectedOnly();
    m_settings.SearchWholeWords = dialog->searchWholeWords();
    m_settings.SearchRegex = dialog->searchRegularExpression();
    m_settings.SearchText = dialog->searchText();
    m_settings.SearchTextHistory = SearchHistory::join(dialog->searchTextHistory());
    if (replaceDialog) {
        m_settings.ReplaceText = replaceDialog->replaceText();
        m_settings.ReplaceTextHistory = SearchHistory::join(replaceDialog->replaceTextHistory());
    }
    dialog.reset();

    m_settings.ContinueFromCaret = m_settings.SearchFromCaret;
    if (!m_settings.SearchText.isEmpty()) {
        if (RunSearchReplace(replace, m_settings.SearchBackwards) < 0) {
            return; // the expression's error ended the action
        }
        m_settings.ContinueFromCaret = true;
    }
    if (replace) {
        const QString line = T(u"Msg.Log.Replaced") + u" \"" + m_settings.SearchText + u"\" " + T(u"Msg.Log.By")
            + u" \"" + m_settings.ReplaceText + u'"';
        m_main.FUNC_Historico(T(u"Msg.Log.ReplaceTitle"), line, QString(), QString(), QString());
    }
}

SearchScope SearchReplace::scopeFor(ProgramEditor *editor, qsizetype textLength, bool backwards, bool *inSelection,
                                    qint64 *limitStart, qint64 *limitEnd)
{
    const qint64 length = send(editor, Sci::SCI_GETLENGTH);
    const qint64 selectionStart = send(editor, Sci::SCI_GETSELECTIONSTART);
    const qint64 selectionEnd = send(editor, Sci::SCI_GETSELECTIONEND);
    *limitStart = 0;
    *limitEnd = length;
    *inSelection = false;
    bool fromCaret = m_settings.ContinueFromCaret;
    if (m_settings.SearchSelectionOnly) {
        const SelectionScope &kept = m_selectionScope;
        if (kept.editor == editor && kept.matchStart == selectionStart && kept.matchEnd == selectionEnd
            && kept.start <= selectionStart && selectionEnd <= kept.end && kept.end <= length) {
            *limitStart = kept.start;
            *limitEnd = kept.end;
            *inSelection = true;
        } else if (selectionStart < selectionEnd) {
            // A new selection is searched as a whole.
            *limitStart = selectionStart;
            *limitEnd = selectionEnd;
            *inSelection = true;
            fromCaret = false;
        }
    }
    const auto index = [&](qint64 position) -> qsizetype {
        if (position <= 0) {
            return 0;
        }
        if (position >= length) {
            return textLength;
        }
        return send(editor, Sci::SCI_COUNTCODEUNITS, 0, position);
    };
    return searchScope(index(*limitStart), index(*limitEnd), index(selectionStart), index(selectionEnd), backwards,
                       fromCaret);
}

int SearchReplace::RunSearchReplace(bool replace, bool backwards)
{
    m_main.setStatusText(QString());
    ProgramEditor *editor = m_main.documents().activeEditor();
    if (!editor) {
        return 0;
    }
    const SearchOptions options {m_settings.SearchCaseSensitive, m_settings.SearchWholeWords, m_settings.SearchRegex};
    const TextSearch search(m_settings.SearchText, options);
    if (!search.isValid()) {
        MessageBoxes::showStandardError(&m_main, search.errorString());
        return -1;
    }

    const QString text = documentText(editor);
    bool inSelection = false;
    qint64 limitStart = 0;
    qint64 limitEnd = 0;
    const SearchScope scope = scopeFor(editor, text.size(), backwards, &inSelection, &limitStart, &limitEnd);
    SearchRun run(text, search, scope, backwards);

    int found = 0;
    if (replace) {
        found = replaceAll(editor, run, backwards);
        m_confirmation.reset();
    } else if (const TextMatch match = run.next(); match.found()) {
        found = 1;
        select(editor, run.documentRange(match), backwards);
    }

    if (found == 0) {
        QApplication::beep();
        m_main.setStatusText(T(u"Msg.Search.NotFound"));
        const qint64 position = send(editor, backwards ? Sci::SCI_GETSELECTIONSTART : Sci::SCI_GETSELECTIONEND);
        send(editor, Sci::SCI_SETSEL, position, position);
    }

    m_selectionScope = {};
    if (inSelection && found > 0) {
        m_selectionScope = {editor, limitStart, limitEnd + run.growth(), send(editor, Sci::SCI_GETSELECTIONSTART),
                            send(editor, Sci::SCI_GETSELECTIONEND)};
    }
    return found;
}

int SearchReplace::replaceAll(ProgramEditor *editor, SearchRun &run, bool backwards)
{
    const QPointer<ProgramEditor> alive(editor);
    int found = 0;
    bool replaced = false;
    SearchRun::ByteRange last;
    const auto apply = [&](const SearchRun::ByteRange &range, const QString &text) {
        const QByteArray bytes = text.toUtf8();
        send(editor, Sci::SCI_SETTARGETRANGE, range.start, range.end);
        editor->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
        replaced = true;
        return qint64(bytes.size());
    };

    editor->beginUndoAction();
    for (TextMatch match = run.next(); match.found(); match = run.next()) {
        ++found;
        const SearchRun::ByteRange range = run.documentRange(match);
        select(editor, range, backwards);
        replaced = false;
        const int answer = confirm(editor, range.start);
        if (!alive) {
            return found;
        }
        if (answer == TConfirmReplaceDialog::No) {
            continue;
        }
        if (answer == TConfirmReplaceDialog::Yes) {
            const qint64 size = apply(range, run.replacementFor(match, m_settings.ReplaceText));
            run.replaced(match, size);
            last = {range.start, range.start + size};
            continue;
        }
        if (answer == TConfirmReplaceDialog::YesToAll) {
            const SearchRun::Edit edit = run.replaceRest(match, m_settings.ReplaceText);
            found += edit.count - 1;
            apply(edit.range, edit.text);
            last = edit.last;
        }
        break; // Yes to all has done the rest; anything else cancels
    }
    editor->endUndoAction();
    if (replaced) {
        select(editor, last, backwards);
    }
    return found;
}

int SearchReplace::confirm(ProgramEditor *editor, qint64 position)
{
    if (m_settings.SearchText == m_settings.ReplaceText) {
        return TConfirmReplaceDialog::No;
    }
    const int x = static_cast<int>(send(editor, Sci::SCI_POINTXFROMPOSITION, 0, position));
    const int y = static_cast<int>(send(editor, Sci::SCI_POINTYFROMPOSITION, 0, position));
    const QPoint match = editor->viewport()->mapToGlobal(QPoint(x, y));
    const int line = static_cast<int>(send(editor, Sci::SCI_LINEFROMPOSITION, position));
    const int lineHeight = static_cast<int>(send(editor, Sci::SCI_TEXTHEIGHT, line));
    const QRect client(m_main.mapToGlobal(QPoint(0, 0)), m_main.size());

    if (!m_confirmation) {
        m_confirmation = std::make_unique<TConfirmReplaceDialog>(&m_main);
    }
    m_confirmation->setSearchText(m_settings.SearchText);
    m_confirmation->move(confirmReplacePosition(match, lineHeight, client, m_confirmation->outerSize()));
    return runDialog(*m_confirmation);
}
