#include "ui/shell/ClipboardText.h"
#include "ui/shell/modMain.h"
#include "ui/shell/tray/ctlNotify.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace brevlin::shell {
namespace {

TEST(ClipboardText, LineEndsBecomeCrLfForTheEngineAndLfAgainAfter) {
    EXPECT_EQ(ClipboardText::ToEngine(QStringLiteral("a\nb\r\nc\n")), u"a\r\nb\r\nc\r\n");
    EXPECT_EQ(ClipboardText::ToEngine(QStringLiteral("\n\n")), u"\r\n\r\n");
    EXPECT_EQ(ClipboardText::ToEngine(QStringLiteral("a\rb")), u"a\rb");
    EXPECT_EQ(ClipboardText::FromEngine(u"a\r\nb\r\r\nc\r"), QStringLiteral("a\nb\r\nc\r"));
    const QString japanese = QStringLiteral("日本語\n// コメント\n");
    EXPECT_EQ(ClipboardText::FromEngine(ClipboardText::ToEngine(japanese)), japanese);
}

TEST(TipText, IsCutTo63Cp932BytesAtACharacterBoundary) {
    const QString ascii(70, u'x');
    EXPECT_EQ(ctlNotify::CutTipText(ascii), QString(63, u'x'));
    // 40 double-byte characters are 80 bytes: 31 of them fit, the 32nd would straddle.
    const QString wide(40, QChar(u'あ'));
    EXPECT_EQ(ctlNotify::CutTipText(wide), QString(31, QChar(u'あ')));
    const QString mixed = QStringLiteral("x") + QString(40, QChar(u'あ'));
    EXPECT_EQ(ctlNotify::CutTipText(mixed), QStringLiteral("x") + QString(31, QChar(u'あ')));
    EXPECT_EQ(ctlNotify::CutTipText(QStringLiteral("Brevlin Glosser")),
              QStringLiteral("Brevlin Glosser"));
    // A surrogate pair is never split.
    QString pairs;
    for (int i = 0; i < 40; ++i)
        pairs += QString::fromUcs4(U"\U0001F600", 1);
    const QString cut = ctlNotify::CutTipText(pairs);
    EXPECT_FALSE(cut.isEmpty());
    EXPECT_FALSE(cut.back().isHighSurrogate());
}

TEST(Platform, XcbOnlyForAWaylandSessionWithAnXDisplayAndNoChoice) {
    auto with = [](std::map<std::string, QByteArray> variables) {
        return [variables](const char* name) {
            auto found = variables.find(name);
            return found == variables.end() ? QByteArray() : found->second;
        };
    };
    const QStringList none;
    EXPECT_EQ(
        modMain::PlatformFor(with({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}), none),
        "xcb");
    EXPECT_EQ(
        modMain::PlatformFor(with({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), none),
        "xcb");
    EXPECT_EQ(modMain::PlatformFor(with({{"XDG_SESSION_TYPE", "wayland"}}), none), "");
    EXPECT_EQ(modMain::PlatformFor(with({{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}), none),
              "");
    EXPECT_EQ(modMain::PlatformFor(with({{"XDG_SESSION_TYPE", "wayland"},
                                         {"DISPLAY", ":0"},
                                         {"QT_QPA_PLATFORM", "wayland"}}),
                                   none),
              "");
    EXPECT_EQ(modMain::PlatformFor(with({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}),
                                   {QStringLiteral("-platform"), QStringLiteral("wayland")}),
              "");
}

} // namespace
} // namespace brevlin::shell
