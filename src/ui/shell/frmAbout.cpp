#include "ui/shell/frmAbout.h"

#include "ui/common/modCommon.h"
#include "ui/shell/tray/ctlNotify.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace brevlin::shell {

namespace {

#ifdef Q_OS_WIN
// The Windows build's Qt reads no SVG.
const char* const kLogo = ":/brevlin/icons/logo.png";
#else
const char* const kLogo = ":/brevlin/icons/logo.svg";
#endif

} // namespace

QString frmAbout::VersionCaption() {
    return QStringLiteral("%1 Ver %2.%3")
        .arg(kProductName)
        .arg(BREVLIN_VERSION_MAJOR)
        .arg(BREVLIN_VERSION_MINOR);
}

QString frmAbout::ContactLines() {
    return QStringLiteral("Copyright (C) 2024 Morvane\r\n"
                          "Morvane\r\n"
                          "https://morvane.example/brevlin/\r\n"
                          "mailto:brevlin@morvane.example");
}

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const QIcon icon = owner && !owner->windowIcon().isNull()
                           ? owner->windowIcon()
                           : ctlNotify::LoadIcon(ctlNotify::AppIconID);
    setWindowIcon(icon);

    auto* imgAppIcon = new QLabel(this);
    imgAppIcon->setObjectName(QStringLiteral("imgAppIcon"));
    imgAppIcon->setAccessibleName(tr("%1 のアイコン").arg(kProductName));
    imgAppIcon->setPixmap(icon.pixmap(32, 32));
    imgAppIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    setWindowTitle(tr("バージョン情報 - %1").arg(kProductName));

    auto* caption = new QLabel(VersionCaption(), this);
    caption->setObjectName(QStringLiteral("lblCaption0"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);

    // Plain text: the contact lines are shown, not clickable.
    QString lines = ContactLines();
    auto* contact = new QLabel(lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
    contact->setObjectName(QStringLiteral("lblCaption1"));
    contact->setTextFormat(Qt::PlainText);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setAccessibleName(tr("ロゴ"));
    logo->setPixmap(QIcon(QString::fromLatin1(kLogo)).pixmap(120, 48));

    auto* cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdOk->setAutoDefault(true);
    // OK is also the cancel button: Esc closes the box through reject().
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(imgAppIcon, 0, 0, 2, 1);
    grid->addWidget(caption, 0, 1);
    grid->addWidget(contact, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(logo);
    bottom->addStretch();
    bottom->addWidget(cmdOk, 0, Qt::AlignBottom);
    grid->addLayout(bottom, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    // The design's 4620 x 2775 twips; larger only when the texts need it. A fixed-size
    // layout would shrink the box to its contents.
    setFixedSize(TwipsToPixels(this, 4620, 2775).expandedTo(sizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmAbout::done(int result) {
    QDialog::done(result);
    if (!m_unloaded) {
        m_unloaded = true;
        emit Unload(result != QDialog::Accepted);
    }
}

} // namespace brevlin::shell
