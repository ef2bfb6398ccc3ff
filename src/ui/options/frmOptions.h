#pragma once

#include "engine/Languages.h"

#include <QDialog>

namespace brevlin {

// Stand-in for the options dialog until the real one lands: the same interface, so the tray
// program runs every path through it. It edits nothing.
class frmOptions : public QDialog {
    Q_OBJECT

public:
    frmOptions(Languages& languages, bool& beepOnProcess, bool& optimizeTags, QWidget* owner);

    bool Canceled() const { return m_canceled; }

    void done(int result) override;

signals:
    // Raised once when the dialog closes: false after OK, true after any other close.
    void Unload(bool canceled);

private:
    bool m_canceled = true;
    bool m_unloaded = false;
};

} // namespace brevlin
