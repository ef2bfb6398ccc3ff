#pragma once

#include <QObject>
#include <QPointer>

namespace brevlin {

class Comment;
class Language;
class clsListEvents;
class frmEditComment;
struct OptionsContext;
struct OptionsControls;

// The comment and literal rules of the language page: rows mirror the shown language's
// rules; a rule is added or edited in the rule editor and deleted after confirmation.
class CommentList : public QObject {
    Q_OBJECT
public:
    CommentList(OptionsContext& context, OptionsControls& controls, QObject* parent);

    void Fill(const Language& language);
    void UpdateCommentButtons();
    // `opener` is the control the command came from; the focus returns to it afterwards (to
    // the list where it can no longer take it). Without one, to the focused control.
    void AddComment(QWidget* opener = nullptr);
    void EditComment(QWidget* opener = nullptr);
    void DeleteComment(QWidget* opener = nullptr);

    clsListEvents* Events() const { return m_events; }
    // The open rule editor, if any.
    frmEditComment* CommentForm() const { return m_commentForm; }

private:
    int SelectedRow() const;
    frmEditComment* OpenEditor(bool addMode, QWidget* opener);
    void ShowEditor(frmEditComment* editor);
    void CommentForm_Unload(bool canceled);
    void lvwComments_KeyUp(int key);
    void lvwComments_MouseUp(Qt::MouseButton button, const QPoint& position);

    OptionsContext& m_context;
    OptionsControls& m_c;
    clsListEvents* m_events;
    QPointer<frmEditComment> m_commentForm;
    // The rule being edited, by position; the dialog is disabled meanwhile.
    int m_editRow = -1;
    // The control that opened the editor; the focus returns there.
    QPointer<QWidget> m_opener;
};

} // namespace brevlin
