#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brevlin {

class Comment;
class LoadedTextValidator;

// The rule editor "コメント／リテラルの設定": the six fields of one comment or literal rule.
// Its caller fills it, shows it and applies it when Unload reports the close.
class frmEditComment : public QDialog {
    Q_OBJECT
public:
    explicit frmEditComment(QWidget* owner);

    bool AddMode() const { return m_addMode; }
    void SetAddMode(bool value) { m_addMode = value; }
    bool Canceled() const { return m_canceled; }

    QCheckBox* chkMatchWord() const { return m_chkMatchWord; }
    QLineEdit* txtStartTag() const { return m_txtStartTag; }
    QLineEdit* txtEndTag() const { return m_txtEndTag; }
    QLineEdit* txtEscapeChar() const { return m_txtEscapeChar; }
    QLineEdit* txtStartHTML() const { return m_txtStartHTML; }
    QLineEdit* txtEndHTML() const { return m_txtEndHTML; }

    // Shows the rule to edit. A clause or escape character longer than the editor's limit
    // (from a language file or the store) is shown whole and kept as it is unless the user
    // edits it; the limits apply to what is typed.
    void Fill(const Comment& rule);
    // The end clause to store: none for a whole-word rule, except one the rule already had
    // and the user left as it was.
    QString ClauseEnd() const;

signals:
    // Raised once, when the window closes; `canceled` is Canceled().
    void Unload(bool canceled);

public slots:
    // The dialog's own accept and reject are OK (while it is enabled) and Cancel.
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void chkMatchWord_Click();
    void txtStartTag_Change();
    void cmdOk_Click();
    void cmdCancel_Click();
    // The box's limit and what the user may type into it; a text over the new limit is cut,
    // unless it is what was loaded (or what remains of it).
    void ApplyLimit(QLineEdit* box, LoadedTextValidator* validator, int limit);
    void SetLoadedText(QLineEdit* box, LoadedTextValidator* validator, const QString& text);
    // A close by the program's own code (OK, Cancel); any other close cancels.
    void UnloadByCode();

    bool m_addMode = false;
    bool m_canceled = false;
    bool m_unloadByCode = false;
    bool m_unloaded = false;
    bool m_placed = false;
    bool m_filled = false;
    bool m_loadedMatchWord = false;
    QString m_loadedEnd;

    QLabel* m_lblCaption[5] = {};
    QLineEdit* m_txtStartTag = nullptr;
    QLineEdit* m_txtEndTag = nullptr;
    QCheckBox* m_chkMatchWord = nullptr;
    QLineEdit* m_txtEscapeChar = nullptr;
    QGroupBox* m_fraTags = nullptr;
    QLineEdit* m_txtStartHTML = nullptr;
    QLineEdit* m_txtEndHTML = nullptr;
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    LoadedTextValidator* m_startLimit = nullptr;
    LoadedTextValidator* m_endLimit = nullptr;
    LoadedTextValidator* m_escapeLimit = nullptr;
};

} // namespace brevlin
