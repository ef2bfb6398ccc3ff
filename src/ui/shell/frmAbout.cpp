#include "frmAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevlin::shell {

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("バージョン情報 - Brevlin Glosser"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("Brevlin Glosser Ver %1.%2")
                                   .arg(BREVLIN_VERSION_MAJOR)
                                   .arg(BREVLIN_VERSION_MINOR),
                               this);
    caption->setObjectName(QStringLiteral("lblCaption0"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    layout->addWidget(caption);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void frmAbout::done(int result) {
    QDialog::done(result);
    if (!m_unloaded) {
        m_unloaded = true;
        emit Unload(result != QDialog::Accepted);
    }
}

} // namespace brevlin::shell
