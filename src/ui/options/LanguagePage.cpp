#include "ui/options/LanguagePage.h"

#include "ui/options/OptionsContext.h"
#include "ui/options/OptionsControls.h"
#include "ui/options/clsLeaveCheck.h"
#include "ui/options/ctlUpDown.h"
#include "ui/options/modOptions.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace brevlin {

LanguagePage::LanguagePage(OptionsContext& context, OptionsControls& controls,
                           clsLeaveCheck& leaveCheck, QObject* parent)
    : QObject(parent), m_context(context), m_c(controls) {
    connect(m_c.txtStartHTML, &QLineEdit::textChanged, this, &LanguagePage::txtStartHTML_Change);
    connect(m_c.txtEndHTML, &QLineEdit::textChanged, this, &LanguagePage::txtEndHTML_Change);
    connect(m_c.chkIgnoreCase, &QCheckBox::toggled, this, &LanguagePage::chkIgnoreCase_Click);
    connect(m_c.chkReplaceTab, &QCheckBox::toggled, this, &LanguagePage::chkReplaceTab_Click);
    connect(m_c.txtTabs, &QLineEdit::textChanged, this, &LanguagePage::txtTabs_Change);
    leaveCheck.Watch(m_c.txtTabs, [this](bool& cancel) { txtTabs_Validate(cancel); });
    m_c.txtTabs->installEventFilter(this);
}

void LanguagePage::Fill(const Language& language) {
    m_c.txtStartHTML->setText(ToQString(language.StartTag()));
    m_c.txtEndHTML->setText(ToQString(language.EndTag()));
    m_c.chkIgnoreCase->setChecked(language.IgnoreCase());
    m_c.chkReplaceTab->setChecked(language.ReplaceTab());
    // Brought into range before it reaches the two-character box, so that 123 shows 16
    // rather than its first two digits; stored even when the box already showed that text.
    const int columns = std::clamp(language.TabColumns(), m_c.updTabs->Min(), m_c.updTabs->Max());
    m_c.txtTabs->setText(QString::number(columns));
    if (m_context.ShowsLanguage())
        m_context.Current().SetTabColumns(columns);
}

void LanguagePage::txtStartHTML_Change() {
    if (m_context.ShowsLanguage())
        m_context.Current().SetStartTag(ToText(m_c.txtStartHTML->text()));
}

void LanguagePage::txtEndHTML_Change() {
    if (m_context.ShowsLanguage())
        m_context.Current().SetEndTag(ToText(m_c.txtEndHTML->text()));
}

void LanguagePage::chkIgnoreCase_Click() {
    if (m_context.ShowsLanguage())
        m_context.Current().SetIgnoreCase(m_c.chkIgnoreCase->isChecked());
}

void LanguagePage::chkReplaceTab_Click() {
    const bool on = m_c.chkReplaceTab->isChecked();
    m_c.txtTabs->setEnabled(on);
    m_c.updTabs->setEnabled(m_c.txtTabs->isEnabled());
    m_c.lblCaption[4]->setEnabled(m_c.txtTabs->isEnabled());
    if (m_context.ShowsLanguage())
        m_context.Current().SetReplaceTab(m_c.txtTabs->isEnabled());
}

void LanguagePage::txtTabs_Change() {
    // Setting the text runs this handler again for the corrected text first.
    if (Val(m_c.txtTabs->text()) < m_c.updTabs->Min())
        m_c.txtTabs->setText(QString::number(m_c.updTabs->Min()));
    if (Val(m_c.txtTabs->text()) > m_c.updTabs->Max())
        m_c.txtTabs->setText(QString::number(m_c.updTabs->Max()));
    const int columns = static_cast<int>(std::lround(Val(m_c.txtTabs->text())));
    m_c.updTabs->SetValue(columns);
    if (m_context.ShowsLanguage())
        m_context.Current().SetTabColumns(columns);
}

void LanguagePage::txtTabs_Validate(bool& cancel) {
    const double value = Val(m_c.txtTabs->text());
    if (value < m_c.updTabs->Min() || value > m_c.updTabs->Max()) {
        SystemBeep();
        cancel = true;
    }
}

bool LanguagePage::eventFilter(QObject* watched, QEvent* event) {
    // While the box has the focus its arrows step the number without a leave check.
    if (watched == m_c.txtTabs) {
        if (event->type() == QEvent::FocusIn)
            clsLeaveCheck::SetCausesValidation(m_c.updTabs, false);
        else if (event->type() == QEvent::FocusOut)
            clsLeaveCheck::SetCausesValidation(m_c.updTabs, true);
    }
    return false;
}

} // namespace brevlin
