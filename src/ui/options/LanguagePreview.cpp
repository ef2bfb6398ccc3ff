#include "ui/options/LanguagePreview.h"

#include "engine/Highlighter.h"
#include "engine/TextRoutines.h"
#include "settings/InlineStyles.h"
#include "ui/common/LanguageSnapshot.h"
#include "ui/options/OptionsContext.h"
#include "ui/options/OptionsControls.h"
#include "ui/options/modOptions.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QThread>
#include <QTreeWidget>

namespace brevlin {

struct LanguagePreview::Job {
    std::shared_ptr<const Language> language;
    Text sample;
    bool source = false;
    bool optimizeTags = false;
    std::shared_ptr<const StyleSheet> sheet;
    // Made on the worker thread, handed to the interface thread when done.
    std::unique_ptr<QTextDocument> document;
    QThread* home = nullptr;
};

LanguagePreview::LanguagePreview(OptionsContext& context, OptionsControls& controls,
                                 std::function<bool()> optimizeTags,
                                 std::function<std::shared_ptr<const StyleSheet>()> pasteSheet,
                                 QObject* parent)
    : QObject(parent), m_context(context), m_c(controls), m_optimizeTags(std::move(optimizeTags)),
      m_pasteSheet(std::move(pasteSheet)) {
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &LanguagePreview::Start);

    // Every edit of the page writes into the language at once; each of them restarts the
    // pause, so a burst of typing leads to one conversion.
    const auto schedule = [this] { Schedule(); };
    for (QLineEdit* box : {m_c.txtStartHTML, m_c.txtEndHTML, m_c.txtTabs})
        connect(box, &QLineEdit::textChanged, this, schedule);
    for (QCheckBox* box : {m_c.chkIgnoreCase, m_c.chkReplaceTab, m_c.chkPreviewSource})
        connect(box, &QCheckBox::toggled, this, schedule);
    for (QTreeWidget* list : {m_c.lvwKeywords, m_c.lvwComments}) {
        QAbstractItemModel* model = list->model();
        connect(model, &QAbstractItemModel::dataChanged, this, schedule);
        connect(model, &QAbstractItemModel::rowsInserted, this, schedule);
        connect(model, &QAbstractItemModel::rowsRemoved, this, schedule);
        connect(model, &QAbstractItemModel::modelReset, this, schedule);
    }
    connect(m_c.txtPreviewSample, &QPlainTextEdit::textChanged, this,
            &LanguagePreview::txtPreviewSample_Change);
}

LanguagePreview::~LanguagePreview() {
    if (m_worker != nullptr) {
        m_worker->disconnect(this);
        m_worker->wait();
        delete m_worker;
    }
}

void LanguagePreview::Fill(const Language& language) {
    {
        const QSignalBlocker blocker(m_c.txtPreviewSample);
        m_c.txtPreviewSample->setPlainText(ToQString(language.PreviewSample()));
    }
    // The page of another language must not show this one's result meanwhile.
    m_c.txtPreview->clear();
    Schedule();
}

void LanguagePreview::txtPreviewSample_Change() {
    if (m_context.ShowsLanguage())
        m_context.Current().SetPreviewSample(ToText(m_c.txtPreviewSample->toPlainText()));
    Schedule();
}

void LanguagePreview::Schedule() {
    m_pause.start();
}

void LanguagePreview::Start() {
    if (!m_context.ShowsLanguage())
        return;
    if (m_worker != nullptr) {
        m_again = true; // converted once this one ends
        return;
    }
    auto job = std::make_shared<Job>();
    job->language = LanguageSnapshot::Of(m_context.Current());
    job->sample = ToCrLf(job->language->PreviewSample());
    job->source = m_c.chkPreviewSource->isChecked();
    job->optimizeTags = m_optimizeTags ? m_optimizeTags() : false;
    job->sheet = m_pasteSheet ? m_pasteSheet() : nullptr;
    if (!job->sheet)
        job->sheet = StyleSheet::Bundled();
    job->home = thread();
    m_job = job;
    ++m_started;
    m_worker = QThread::create([job] {
        auto document = std::make_unique<QTextDocument>();
        Text html;
        try {
            HighlightOptions options;
            options.OptimizeTags = job->optimizeTags;
            html = ToLf(HighlightText(*job->language, job->sample, options));
        } catch (const std::exception& error) {
            // A pattern the engine refuses: the page says why instead of a result.
            document->setPlainText(QString::fromUtf8(error.what()));
            document->moveToThread(job->home);
            job->document = std::move(document);
            return;
        }
        if (job->source) {
            document->setPlainText(QString::fromStdU16String(html));
        } else {
            document->setHtml(QString::fromStdU16String(InlineStyles::Apply(job->sheet, html)));
            // A paste lands on a light page, and its colours are meant for one: on a dark
            // desktop too, the code is shown on white, never dark on the dark palette.
            QTextFrameFormat page = document->rootFrame()->frameFormat();
            page.setBackground(Qt::white);
            document->rootFrame()->setFrameFormat(page);
        }
        document->moveToThread(job->home);
        job->document = std::move(document);
    });
    connect(m_worker, &QThread::finished, this, &LanguagePreview::Finished);
    m_worker->start();
}

void LanguagePreview::Finished() {
    m_worker->deleteLater();
    m_worker = nullptr;
    std::shared_ptr<Job> job = std::move(m_job);
    if (m_again) {
        // The page changed meanwhile: this result is already out of date.
        m_again = false;
        Start();
        return;
    }
    // An edit or another language's page since this began: a newer conversion follows.
    if (m_pause.isActive())
        return;
    if (job && job->document) {
        QTextDocument* shown = job->document.release();
        // The view deletes a document of its own itself; an earlier result is this one's.
        QTextDocument* old = m_c.txtPreview->document();
        if (old != nullptr && old->parent() != m_c.txtPreview)
            old = nullptr;
        shown->setParent(m_c.txtPreview);
        shown->setDefaultFont(m_c.txtPreview->font());
        m_c.txtPreview->setDocument(shown);
        delete old;
        emit Shown();
    }
}

} // namespace brevlin
