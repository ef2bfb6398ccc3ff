#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

namespace brevlin {

class Language;
class StyleSheet;
struct OptionsContext;
struct OptionsControls;

// The preview of the language page: the sample (kept in the language) converted with the
// language as it stands, shown as a rich paste shows it (the paste style sheet's rules inline)
// or as HTML source. Every edit of the page
// restarts a short pause; then a snapshot of the language is converted and laid out on a
// thread of its own, so typing never waits for a conversion. At most one runs at a time; edits
// made meanwhile are converted when it ends, and only the newest result is shown.
class LanguagePreview : public QObject {
    Q_OBJECT
public:
    // `optimizeTags` tells the dialog's switch and `pasteSheet` the paste style sheet at the
    // moment of each conversion.
    LanguagePreview(OptionsContext& context, OptionsControls& controls,
                    std::function<bool()> optimizeTags,
                    std::function<std::shared_ptr<const StyleSheet>()> pasteSheet, QObject* parent);
    ~LanguagePreview() override;

    // Shows the language's sample and converts it.
    void Fill(const Language& language);
    // Conversions started so far.
    int ConversionsStarted() const { return m_started; }

    // How long the page waits after an edit before converting.
    static constexpr int PauseMs = 250;

signals:
    // A conversion's result is on show.
    void Shown();

private:
    struct Job;
    void Schedule();
    void Start();
    void Finished();
    void txtPreviewSample_Change();

    OptionsContext& m_context;
    OptionsControls& m_c;
    std::function<bool()> m_optimizeTags;
    std::function<std::shared_ptr<const StyleSheet>()> m_pasteSheet;
    QTimer m_pause;
    QThread* m_worker = nullptr;
    std::shared_ptr<Job> m_job;
    bool m_again = false;
    int m_started = 0;
};

} // namespace brevlin
