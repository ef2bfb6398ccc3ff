// The command line's reader of compiled translations, against Qt's own on the program's
// English translation.
#include "cli/MessageCatalog.h"

#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

const std::filesystem::path Compiled =
    std::filesystem::path(BREVLIN_BINARY_DIR) / "share/brevlin-glosser/translations/brevlin_en.qm";

struct Message {
    std::string context;
    std::string source;
};

// Every message of the translation's source file.
std::vector<Message> MessagesOf(const QString& tsFile) {
    QFile file(tsFile);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << tsFile.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    std::string context;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText().toStdString();
        else if (xml.name() == u"source")
            messages.push_back({context, xml.readElementText().toStdString()});
    }
    return messages;
}

} // namespace

TEST(MessageCatalog, FindsWhatQtFindsForEveryMessage) {
    brevlin::cli::MessageCatalog catalog;
    ASSERT_TRUE(catalog.Load(Compiled));
    QTranslator qt;
    ASSERT_TRUE(qt.load(QString::fromStdString(Compiled.string())));
    const std::vector<Message> messages =
        MessagesOf(QStringLiteral(BREVLIN_SOURCE_DIR "/translations/brevlin_en.ts"));
    ASSERT_GT(messages.size(), 100u);
    EXPECT_EQ(catalog.Count(), messages.size());
    for (const Message& message : messages) {
        const QString expected = qt.translate(message.context.c_str(), message.source.c_str());
        ASSERT_FALSE(expected.isEmpty()) << message.source;
        EXPECT_EQ(catalog.Find(message.context, message.source), expected.toStdString())
            << message.context << " | " << message.source;
    }
    EXPECT_EQ(catalog.Find("LanguageFile", "no such text"), "");
    EXPECT_EQ(catalog.Find("no such context", "ファイルが見つかりません。: %1"), "");
}

TEST(MessageCatalog, RefusesFilesCutShortOrOfAnotherKind) {
    std::ifstream in(Compiled, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 100u);
    const std::filesystem::path cut = std::filesystem::temp_directory_path() /
                                      ("brevlin-catalog-" + std::to_string(bytes.size()) + ".qm");
    brevlin::cli::MessageCatalog catalog;
    ASSERT_TRUE(catalog.Load(Compiled));
    const std::size_t whole = catalog.Count();
    // A length short of the whole is refused, never read past its end; only a file cut after
    // its messages (before the plural rules) still holds them all. Every 17th length, and
    // every one near the end, where the plural rules are.
    for (std::size_t size = 0; size < bytes.size(); size += size + 32 < bytes.size() ? 17 : 1) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(size));
        const bool loaded = catalog.Load(cut);
        EXPECT_EQ(catalog.Count(), loaded ? whole : 0u) << size;
    }
    std::ofstream(cut, std::ios::binary | std::ios::trunc) << "[Brevlin]\r\nVersion=2.0\r\n";
    EXPECT_FALSE(catalog.Load(cut));
    EXPECT_FALSE(catalog.Load(cut.string() + ".missing"));
    std::filesystem::remove(cut);
}
