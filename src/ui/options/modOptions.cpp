#include "ui/options/modOptions.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace brevlin {

namespace {

const char* const kHelpProperty = "HelpContextID";

class SelectAllFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                SelectAllText(box);
        }
        return false;
    }
};

} // namespace

void SelectAllText(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void SelectAllTextOnFocus(QLineEdit* box) {
    // One filter per application serves every box.
    static SelectAllFilter* filter = new SelectAllFilter(qApp);
    box->installEventFilter(filter);
}

QFont TextBoxFont() {
    QFont font(QStringLiteral("ＭＳ ゴシック"), 9);
    if (QFontInfo(font).family() == font.family())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    if (!QFontInfo(fixed).fixedPitch()) {
        // Where even the system's fixed font is missing (Wine has no Courier New), Qt stands
        // in the first family it knows: under Wine a math font, and the boxes showed no text.
        const QStringList families = QFontDatabase::families();
        const auto found = std::find_if(families.begin(), families.end(), [](const QString& f) {
            return QFontDatabase::isFixedPitch(f) && QFontDatabase::isSmoothlyScalable(f);
        });
        if (found != families.end())
            fixed.setFamily(*found);
    }
    return fixed;
}

void SetHelpContextID(QObject* control, int id) {
    control->setProperty(kHelpProperty, id);
}

int HelpContextID(const QObject* control) {
    return control->property(kHelpProperty).toInt();
}

double Val(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    QString number = text.mid(start, i - start);
    if (number.endsWith(u'.'))
        number.chop(1);
    return number.toDouble();
}

void ReturnFocus(std::initializer_list<QWidget*> candidates) {
    for (QWidget* control : candidates) {
        if (control == nullptr || !control->isVisible() || !control->isEnabled() ||
            control->focusPolicy() == Qt::NoFocus)
            continue;
        control->setFocus(Qt::OtherFocusReason);
        if (QWidget* window = control->window(); !window->isActiveWindow())
            window->activateWindow();
        return;
    }
}

namespace {

int RunBox(QMessageBox& box, QWidget* parent) {
    const QPointer<QWidget> before = parent ? parent->window()->focusWidget() : nullptr;
    const int answer = box.exec();
    ReturnFocus({before.data()});
    return answer;
}

} // namespace

bool AskYesNo(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return RunBox(box, parent) == QMessageBox::Yes;
}

void ShowError(QWidget* parent, const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, kProductName, QString::fromUtf8(error.what()),
                    QMessageBox::Ok, parent);
    RunBox(box, parent);
}

void Exclaim(QWidget* parent, const QString& text, const QString& title, const QString& detail) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(detail);
    RunBox(box, parent);
}

} // namespace brevlin
