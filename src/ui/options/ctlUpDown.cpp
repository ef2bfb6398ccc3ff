#include "ui/options/ctlUpDown.h"

#include "ui/options/modOptions.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace brevlin {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    return button;
}

} // namespace

ctlUpDown::ctlUpDown(QWidget* parent) : QWidget(parent) {
    m_up = MakeArrow(this, Qt::UpArrow, QStringLiteral("Up"));
    m_down = MakeArrow(this, Qt::DownArrow, QStringLiteral("Down"));
    m_up->setAccessibleName(tr("増やす"));
    m_up->setAccessibleDescription(tr("値を 1 増やします。"));
    m_down->setAccessibleName(tr("減らす"));
    m_down->setAccessibleDescription(tr("値を 1 減らします。"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, &ctlUpDown::StepUp);
    connect(m_down, &QToolButton::clicked, this, &ctlUpDown::StepDown);
}

void ctlUpDown::SetBuddy(QLineEdit* buddy) {
    m_buddy = buddy;
}

void ctlUpDown::SetRange(int min, int max) {
    m_min = min;
    m_max = max;
    m_value = std::clamp(m_value, m_min, m_max);
}

void ctlUpDown::SetValue(int value) {
    m_value = std::clamp(value, m_min, m_max);
}

void ctlUpDown::Step(int direction) {
    // The box is the truth: the user may have typed since the last step.
    if (m_buddy != nullptr) {
        const double typed = std::clamp(Val(m_buddy->text()), static_cast<double>(m_min),
                                        static_cast<double>(m_max));
        m_value = static_cast<int>(std::lround(typed));
    }
    m_value = std::clamp(m_value + direction * m_increment, m_min, m_max);
    if (m_buddy != nullptr)
        m_buddy->setText(QString::number(m_value));
}

} // namespace brevlin
