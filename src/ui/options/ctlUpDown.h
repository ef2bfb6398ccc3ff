#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace brevlin {

// An up-down control bound to a text box: each arrow steps the number in the box by
// Increment within Min and Max and writes it back into the box's text.
class ctlUpDown : public QWidget {
    Q_OBJECT
public:
    explicit ctlUpDown(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* buddy);
    void SetRange(int min, int max);
    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Value() const { return m_value; }
    void SetValue(int value);

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

public slots:
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

private:
    void Step(int direction);

    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    int m_increment = 1;
};

} // namespace brevlin
