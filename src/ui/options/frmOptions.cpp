#include "frmOptions.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevlin {

frmOptions::frmOptions(Languages& languages, bool& beepOnProcess, bool& optimizeTags,
                       QWidget* owner)
    : QDialog(owner) {
    (void)beepOnProcess;
    (void)optimizeTags;
    setWindowTitle(QStringLiteral("オプション - Brevlin Glosser"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("言語の数: %1").arg(languages.Count()), this);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void frmOptions::done(int result) {
    m_canceled = result != QDialog::Accepted;
    QDialog::done(result);
    if (!m_unloaded) {
        m_unloaded = true;
        emit Unload(m_canceled);
    }
}

} // namespace brevlin
