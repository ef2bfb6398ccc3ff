#pragma once

#include <QDialog>

namespace brevlin::shell {

// Stand-in for the about box until the real one lands: caption, name and version, OK.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* owner);

    void done(int result) override;

signals:
    // Raised once when the box closes, however it closes.
    void Unload(bool canceled);

private:
    bool m_unloaded = false;
};

} // namespace brevlin::shell
