#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace brevlin::shell {

// The help window: the help pages in a browser with back, forward and contents buttons.
// A start page that does not exist is reported in the window itself and nowhere else.
class frmHelp : public QWidget {
    Q_OBJECT

public:
    frmHelp(const QString& startPage, QWidget* owner);

    void ShowStartPage();
    QTextBrowser* Browser() const { return brwHelp; }

private:
    void UpdateCaption();

    QString m_startPage;
    QTextBrowser* brwHelp;
    QToolButton* cmdBack;
    QToolButton* cmdForward;
    QToolButton* cmdHome;
};

} // namespace brevlin::shell
