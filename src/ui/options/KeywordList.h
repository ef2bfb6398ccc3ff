#pragma once

#include <QObject>

class QString;

namespace brevlin {

class Language;
class clsLabelEditDelegate;
class clsListEvents;
struct OptionsContext;
struct OptionsControls;

// The keyword list of the language page: rows mirror the shown language's keywords
// position for position; keywords are added under a default name and edited in place.
class KeywordList : public QObject {
    Q_OBJECT
public:
    KeywordList(OptionsContext& context, OptionsControls& controls, QObject* parent);

    void Fill(const Language& language);
    void UpdateKeywordButtons();
    void AddKeyword();
    void EditKeyword();
    // After the question the focus returns to `opener` (to the list where it can no longer
    // take it); without one, to the focused control.
    void DeleteKeyword(QWidget* opener = nullptr);
    // Ends an in-place edit still open, into the shown language (before the page changes),
    // or, without `commit`, drops it (when the dialog is cancelled).
    void EndLabelEdit(bool commit = true);

    clsListEvents* Events() const { return m_events; }

    // The keyword text rule: not empty, only \w characters and "#".
    static bool IsKeywordText(const QString& text);

private:
    int SelectedRow() const;
    bool lvwKeywords_AfterLabelEdit(int row, const QString& newString);
    void lvwKeywords_KeyUp(int key);
    void lvwKeywords_MouseUp(Qt::MouseButton button, const QPoint& position);

    OptionsContext& m_context;
    OptionsControls& m_c;
    clsListEvents* m_events;
    clsLabelEditDelegate* m_labelEdit;
};

} // namespace brevlin
