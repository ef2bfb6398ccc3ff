#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace brevlin {

// Leave checks for the controls of one window (Validate and CausesValidation).
//
// When the focus is about to leave a checked control for a control that causes validation,
// the control's check runs; a refusal keeps the focus in the control and swallows the click,
// access key or wheel turn that would have moved it. Every control causes validation unless
// SetCausesValidation(control, false) says otherwise (the cancel button, for one). A check
// passed over that way stays due until the focus returns to its control or reaches one that
// causes validation.
// Commands that act without moving the focus (the default button taking Enter, a keyboard
// shortcut of the window) call ValidatePending() first.
class clsLeaveCheck : public QObject {
    Q_OBJECT
public:
    // The check sets `cancel` to refuse leaving the control.
    using Check = std::function<void(bool& cancel)>;

    explicit clsLeaveCheck(QWidget* window);
    ~clsLeaveCheck() override;

    void Watch(QWidget* control, Check check);

    static void SetCausesValidation(QWidget* control, bool causes);
    static bool CausesValidation(const QWidget* control);

    // Runs the check that is due (of the checked control that holds the focus, or of the one
    // left for a control that does not cause validation); false when it refuses.
    bool ValidatePending();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        Check check;
    };

    void OnFocusChanged(QWidget* old, QWidget* now);
    Entry* EntryFor(const QWidget* widget);
    Entry* DueEntry();
    bool Run(Entry& entry);
    bool Refuses(QWidget* target);

    QWidget* m_window;
    std::vector<Entry> m_entries;
    // The checked control left for one that does not cause validation.
    QPointer<QWidget> m_passedOver;
    bool m_running = false;
    bool m_refusedJustNow = false;
    bool m_swallowRelease = false;
};

} // namespace brevlin
