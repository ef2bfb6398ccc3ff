#pragma once

#include <QObject>

namespace brevlin {

class Language;
class clsLeaveCheck;
struct OptionsContext;
struct OptionsControls;

// The scalar settings of the language page: keyword tags, case switch and tab settings.
// Every change goes into the shown language at once.
class LanguagePage : public QObject {
    Q_OBJECT
public:
    LanguagePage(OptionsContext& context, OptionsControls& controls, clsLeaveCheck& leaveCheck,
                 QObject* parent);

    // Fills the controls from the language, in the designed order (after the name).
    void Fill(const Language& language);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtStartHTML_Change();
    void txtEndHTML_Change();
    void chkIgnoreCase_Click();
    void chkReplaceTab_Click();
    void txtTabs_Change();
    void txtTabs_Validate(bool& cancel);

    OptionsContext& m_context;
    OptionsControls& m_c;
};

} // namespace brevlin
