#pragma once

#include <QDialog>

namespace brevlin::shell {

// The about box: the product name with the program's version, the application icon, the
// maker's notice and contact lines, the maker's logo and OK (default and cancel button).
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* owner);

    // "Brevlin Glosser Ver 2.0": the display name, the major and the minor version.
    static QString VersionCaption();
    // The four contact lines, joined by line breaks.
    static QString ContactLines();

    void done(int result) override;

signals:
    // Raised once when the box closes, however it closes.
    void Unload(bool canceled);

private:
    bool m_unloaded = false;
};

} // namespace brevlin::shell
