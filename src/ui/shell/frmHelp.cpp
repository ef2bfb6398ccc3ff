#include "ui/shell/frmHelp.h"
#include "ui/common/modCommon.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace brevlin::shell {

namespace {

QToolButton* MakeButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

} // namespace

frmHelp::frmHelp(const QString& startPage, QWidget* owner)
    : QWidget(owner, Qt::Window), m_startPage(startPage) {
    setObjectName(QStringLiteral("frmHelp"));
    if (owner)
        setWindowIcon(owner->windowIcon());

    cmdBack = MakeButton(QStringLiteral("cmdBack"), tr("戻る(&B)"), this);
    cmdForward = MakeButton(QStringLiteral("cmdForward"), tr("進む(&F)"), this);
    cmdHome = MakeButton(QStringLiteral("cmdHome"), tr("目次(&C)"), this);
    brwHelp = new QTextBrowser(this);
    brwHelp->setObjectName(QStringLiteral("brwHelp"));
    brwHelp->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addWidget(cmdHome);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(brwHelp);

    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QToolButton::clicked, brwHelp, &QTextBrowser::backward);
    connect(cmdForward, &QToolButton::clicked, brwHelp, &QTextBrowser::forward);
    connect(cmdHome, &QToolButton::clicked, this, &frmHelp::ShowStartPage);
    connect(brwHelp, &QTextBrowser::backwardAvailable, cmdBack, &QToolButton::setEnabled);
    connect(brwHelp, &QTextBrowser::forwardAvailable, cmdForward, &QToolButton::setEnabled);
    connect(brwHelp, &QTextBrowser::sourceChanged, this, &frmHelp::UpdateCaption);

    // Escape closes it, as it closes the program's other windows.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    resize(760, 600);
    ShowStartPage();
}

void frmHelp::ShowStartPage() {
    const QFileInfo page(m_startPage);
    if (page.isFile()) {
        brwHelp->setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
        UpdateCaption();
        return;
    }
    brwHelp->setHtml(QStringLiteral("<h1>%1</h1><p>%2</p><p>%3</p>")
                         .arg(tr("ヘルプ"), tr("ヘルプ ファイルが見つかりません。"),
                              m_startPage.toHtmlEscaped()));
    UpdateCaption();
}

void frmHelp::UpdateCaption() {
    // The page's own title, as a help viewer shows it; the window's name when there is none.
    const QString title = brwHelp->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("ヘルプ - %1").arg(kProductName) : title);
}

} // namespace brevlin::shell
