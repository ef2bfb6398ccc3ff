// Loading arbitrary bytes as a language file: refused with a BrevlinError, or a language that,
// written out and loaded again, writes the same file.

#include "engine/BrevlinError.h"
#include "settings/LanguageFile.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace brevlin;

namespace {

QString Folder() {
    static const QString folder = [] {
        QString path = QDir::tempPath() + "/brevlin-fuzz-" + QString::number(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = Folder() + "/input.bvl";
    const QString first = Folder() + "/first.bvl";
    const QString second = Folder() + "/second.bvl";
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    std::unique_ptr<Language> language;
    try {
        language = LanguageFile::Load(input);
    } catch (const BrevlinError&) {
        return 0;
    }
    try {
        QFile::remove(first);
        QFile::remove(second);
        LanguageFile::Write(*language, first);
        auto again = LanguageFile::Load(first);
        again->SetName(language->Name());
        LanguageFile::Write(*again, second);
    } catch (const BrevlinError& error) {
        std::fprintf(stderr, "a loaded language does not write and load again: %s\n",
                     error.Description().c_str());
        std::abort();
    }
    if (ReadAll(first) != ReadAll(second)) {
        std::fprintf(stderr, "a language changes when written, loaded and written again\n");
        std::abort();
    }
    return 0;
}
