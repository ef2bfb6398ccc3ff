// Runs the real brevlin command on files in a temporary folder.
#include "CommandFixture.h"

#include <vector>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;
using brevlin::test::CommandResult;

namespace {

class ConvertCommand : public brevlin::test::CommandFixture {
protected:
    const std::string m_bvl = std::string(BREVLIN_TEST_DATA) + "/example.bvl";
};

} // namespace

TEST_F(ConvertCommand, WorkedExampleWithLfAndRawLineEnds) {
    const fs::path in = Write("in.c", "int  x; // a<b\nif (x) return \"a&\\\"b\";\n");
    const CommandResult lf = Run("convert --bvl " + m_bvl + " " + in.string());
    EXPECT_EQ(lf.status, 0) << m_stderr;
    EXPECT_EQ(lf.out, "<b>int</b>  x; <i>// a&lt;b</i>\n<b>if</b> (x) <b>return</b> "
                      "<tt>&quot;a&amp;\\&quot;b&quot;</tt>;\n");

    // CR LF in the input comes back as LF unless --raw.
    const fs::path crlf = Write("crlf.c", "int\r\nx\n");
    EXPECT_EQ(Run("convert --raw --bvl " + m_bvl + " " + crlf.string()).out, "<b>int</b>\r\nx\n");
    EXPECT_EQ(Run("convert --bvl " + m_bvl + " " + crlf.string()).out, "<b>int</b>\nx\n");
}

TEST_F(ConvertCommand, LineEndsSurviveTheResultComingInPieces) {
    // A long comment reaches the output in pieces; with lines of 3 characters plus CR LF
    // one piece ends between CR and LF.
    std::string body;
    for (int i = 0; i < 40000; ++i)
        body += "abc\n";
    const fs::path in = Write("long.c", "/*" + body + "*/ int\n");
    const CommandResult r = Run("convert --bvl " + m_bvl + " " + in.string());
    EXPECT_EQ(r.status, 0) << m_stderr;
    EXPECT_TRUE(r.out == "<i>/*" + body + "*/</i> <b>int</b>\n") << "output differs";
}

TEST_F(ConvertCommand, OptimizeTagsStdinAndOutputFile) {
    const fs::path out = Write("out.html", "old content that must go");
    const CommandResult r = Run("convert --optimize-tags --bvl " + m_bvl + " -o " + out.string() +
                                " - < " + Write("in.c", "static int  x;\tint y /* c */").string());
    EXPECT_EQ(r.status, 0) << m_stderr;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Read(out), "<b>static int</b>  x;\t<b>int</b> y <i>/* c */</i>");
}

TEST_F(ConvertCommand, Cp932Input) {
    const fs::path in = Write("sjis.c", "int \x82\xA0\n");
    const CommandResult r = Run("convert --encoding cp932 --bvl " + m_bvl + " " + in.string());
    EXPECT_EQ(r.status, 0) << m_stderr;
    EXPECT_EQ(r.out, "<b>int</b> \xE3\x81\x82\n");
}

TEST_F(ConvertCommand, BothEnginesGiveTheSameResult) {
    const fs::path in = Write("in.c", "/* a *// b */ \"x\\\"y\\\" z\nint /*/ q */\n");
    const std::string expected = "<i>/* a *// b */</i> <tt>&quot;x\\&quot;y\\&quot;</tt> z\n"
                                 "<b>int</b> /*/ q */\n";
    for (const std::string engine : {"", "--engine fast ", "--engine regex ", "--engine=regex "}) {
        const CommandResult r = Run("convert " + engine + "--bvl " + m_bvl + " " + in.string());
        EXPECT_EQ(r.status, 0) << engine << m_stderr;
        EXPECT_EQ(r.out, expected) << engine;
    }
    EXPECT_EQ(Run("convert --engine pcre --bvl " + m_bvl + " " + in.string()).status, 2);
    EXPECT_NE(m_stderr.find("fast or regex"), std::string::npos) << m_stderr;
}

TEST_F(ConvertCommand, StandaloneWrapsTheSameCodeInAPageWithTheStyleSheet) {
#ifdef _WIN32
    const fs::path in = Write("a&b.c", "int x; // c\r\n"); // < and > are not in Windows' names
    const std::string title = "a&amp;b.c</title>";
#else
    const fs::path in = Write("a<b>.c", "int x; // c\r\n");
    const std::string title = "a&lt;b&gt;.c</title>";
#endif
    const std::string quoted = Quote(in);
    const std::string code = Run("convert --bvl " + m_bvl + " " + quoted).out;
    const CommandResult page = Run("convert --standalone --bvl " + m_bvl + " " + quoted);
    EXPECT_EQ(page.status, 0) << m_stderr;
    const std::size_t pre = page.out.find("<body>\n<pre>") + 7;
    ASSERT_NE(pre, std::string::npos + 7);
    EXPECT_EQ(page.out.substr(0, 16), "<!DOCTYPE html>\n");
    EXPECT_EQ(page.out.substr(pre + 5), code + "</pre>\n</body>\n</html>\n");
    const std::string head = page.out.substr(0, pre);
    EXPECT_NE(head.find("<meta charset=\"utf-8\">"), std::string::npos);
    // The page's own background follows a dark scheme, as the style sheet's colours do.
    EXPECT_NE(head.find("<meta name=\"color-scheme\" content=\"light dark\">"), std::string::npos);
    EXPECT_NE(head.find(title), std::string::npos) << head;
    // The bundled style sheet, whole.
    EXPECT_NE(head.find("<style>\n" + Read(fs::path(BREVLIN_SOURCE_DIR) / "languages/brevlin.css") +
                        "</style>"),
              std::string::npos);
    // Standard input has no name to show.
    EXPECT_NE(Run("convert --standalone --bvl " + m_bvl + " < " + quoted)
                  .out.find("<title>Brevlin Glosser</title>"),
              std::string::npos);
}

TEST_F(ConvertCommand, ErrorsAndUsage) {
    const fs::path bad = Write("bad.c", "ok\n\xFF");
    const fs::path out = m_dir / "never.html";
    CommandResult r = Run("convert --bvl " + m_bvl + " -o " + out.string() + " " + bad.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(m_stderr.find("brevlin: "), std::string::npos);
    EXPECT_NE(m_stderr.find("byte offset 3"), std::string::npos) << m_stderr;
    EXPECT_FALSE(fs::exists(out));

    for (const std::string version :
         {"", "Version=0\n", "Version=2.01\n", "Version=abc\n", "Version=3\n"}) {
        const fs::path file =
            Write("v.bvl", "[Brevlin]\n" + version + "[Language]\nName=X\nKeywords1=int\n");
        r = Run("convert --bvl " + file.string() + " " + bad.string());
        EXPECT_EQ(r.status, 1) << version;
        EXPECT_NE(m_stderr.find("ファイル形式が認識できないか、または互換性がありません。"),
                  std::string::npos)
            << m_stderr;
    }
    const fs::path noName = Write("n.bvl", "[Brevlin]\nVersion=1.0\n[Language]\nName=\n");
    EXPECT_EQ(Run("convert --bvl " + noName.string() + " " + bad.string()).status, 1);

    EXPECT_EQ(Run("convert " + bad.string()).status, 2);
    EXPECT_EQ(Run("convert --bvl " + m_bvl + " --frobnicate").status, 2);
    EXPECT_EQ(Run("frobnicate").status, 2);
    EXPECT_EQ(Run("convert --bvl " + m_bvl + " " + (m_dir / "missing.c").string()).status, 1);
    EXPECT_EQ(Run("--version").out, "brevlin 2.0\n");
}

TEST_F(ConvertCommand, AnOutputThatIsAFileBeingReadIsRefusedAndLeftAlone) {
    const std::string source = "int x; // keep me\n";
    const fs::path in = Write("b.c", source);
    const fs::path bvl = Write("copy.bvl", Read(m_bvl));
    // The same file however it is named: as given, by another path, through links.
    std::vector<std::string> outputs = {in.string(), (m_dir / "work" / "." / "b.c").string()};
#ifndef _WIN32
    fs::create_hard_link(in, m_dir / "work" / "hard.c");
    fs::create_symlink(in, m_dir / "work" / "soft.c");
    outputs.push_back((m_dir / "work" / "hard.c").string());
    outputs.push_back((m_dir / "work" / "soft.c").string());
#endif
    for (const std::string& output : outputs) {
        for (const std::string standalone : {"", "--standalone "}) {
            const CommandResult r = Run("convert " + standalone + "--bvl " + bvl.string() + " -o " +
                                        Quote(output) + " " + Quote(in));
            EXPECT_EQ(r.status, 1) << output;
            EXPECT_NE(m_stderr.find("入力ファイルと同じファイルです"), std::string::npos)
                << m_stderr;
            EXPECT_EQ(Read(in), source) << output;
        }
    }
    // Read from standard input, or the language file itself.
    EXPECT_EQ(Run("convert --bvl " + bvl.string() + " -o " + Quote(in) + " < " + Quote(in)).status,
              1);
    EXPECT_EQ(Read(in), source);
    const std::string language = Read(bvl);
    EXPECT_EQ(Run("convert --bvl " + bvl.string() + " -o " + Quote(bvl) + " " + Quote(in)).status,
              1);
    EXPECT_EQ(Read(bvl), language);

    // Another file is written as before.
    const std::string html = "<b>int</b> x; <i>// keep me</i>\n";
    EXPECT_EQ(Run("convert --bvl " + bvl.string() + " -o out.html " + Quote(in)).status, 0)
        << m_stderr;
    EXPECT_EQ(Read(m_dir / "work" / "out.html"), html);
#ifndef _WIN32
    // A pipe (or a device such as /dev/null, read and written alike) takes the bytes; it is
    // neither refused nor replaced by a file.
    const fs::path pipe = m_dir / "work" / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Run("convert --bvl " + bvl.string() + " -o pipe " + Quote(in)).status, 0) << m_stderr;
    EXPECT_TRUE(fs::is_fifo(pipe));
    std::string piped(4096, '\0');
    const ssize_t n = ::read(reader, piped.data(), piped.size());
    ::close(reader);
    piped.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    EXPECT_EQ(piped, html);
#endif
}

TEST_F(ConvertCommand, InputInAnotherEncodingIsReadOrPlacedForTheUser) {
    const std::string expected = "<b>int</b> \xE3\x81\x82; <i>// \xF0\x9F\x98\x80</i>\n";
    // "int あ; // 😀" with LF, in UTF-16 of both byte orders after their byte-order marks.
    const std::u16string text = u"int \u3042; // \U0001F600\n";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (const char16_t c : text) {
        little += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        big += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    for (const std::string& bytes : {little, big}) {
        const CommandResult r =
            Run("convert --bvl " + m_bvl + " " + Write("u16.c", bytes).string());
        EXPECT_EQ(r.status, 0) << m_stderr;
        EXPECT_EQ(r.out, expected);
    }
    EXPECT_EQ(Run("convert --bvl " + m_bvl + " " + Write("odd.c", little + "x").string()).status,
              1);
    EXPECT_NE(m_stderr.find("UTF-16"), std::string::npos) << m_stderr;

    // Shift_JIS read as UTF-8: where, in an editor's terms, and what to do about it.
    const fs::path sjis = Write("sjis.c", "int x;\n\xE3\x81\x82 \x82\xA0;\n");
    EXPECT_EQ(Run("convert --bvl " + m_bvl + " " + sjis.string()).status, 1);
    EXPECT_NE(m_stderr.find("line 2, column 3 (byte offset 11)"), std::string::npos) << m_stderr;
    EXPECT_NE(m_stderr.find("--encoding cp932"), std::string::npos) << m_stderr;
}

TEST_F(ConvertCommand, InlineStylesWriteTheRichPasteWithTheSheetChosen) {
    const fs::path in = Write("in.c", "int x; // note\r\n");
    const fs::path mine = Write("mine.css", ".kw { color: rgb(1, 2, 3) }");
    // A language stored with class tags, and the sheet chosen in the options.
    std::string sheetPath = mine.string();
    for (std::size_t k = sheetPath.find('\\'); k != std::string::npos;
         k = sheetPath.find('\\', k + 2))
        sheetPath.insert(k, 1, '\\');
    fs::create_directories(m_store.parent_path());
    std::ofstream(m_store) << "Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin]\n"
                              "\"LangCount\"=dword:00000001\n"
                              "\"PasteStyleSheet\"=\""
                           << sheetPath
                           << "\"\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Morvane\\Brevlin\\1]\n"
                              "@=\"C\"\n\"StartTag\"=\"<span class=\\\"kw\\\">\"\n"
                              "\"EndTag\"=\"</span>\"\n\"Keywords\"=str(7):\"int\\0\"\n";
    const std::string pre =
        "<meta charset=\"utf-8\"><pre style=\"color: #000000; font-family: Consolas, Menlo, "
        "'DejaVu Sans Mono', 'Courier New', monospace; white-space: pre-wrap\">";

    // With --bvl the bundled sheet; the CR LF held back across the styling still becomes LF.
    const std::string c = Quote(fs::path(BREVLIN_SOURCE_DIR) / "languages" / "c.bvl");
    CommandResult r = Run("convert --inline-styles --bvl " + c + " " + Quote(in));
    EXPECT_EQ(r.status, 0) << m_stderr;
    EXPECT_EQ(r.out,
              pre + "<span class=\"kw\" style=\"color: #0033b3; font-weight: bold\">int</span> "
                    "x; <span class=\"cm\" style=\"color: #5f7a5f; font-style: italic\">// "
                    "note</span>\n</pre>");
    EXPECT_EQ(
        Run("convert --raw --inline-styles --bvl " + c + " " + Quote(in)).out.substr(pre.size()),
        "<span class=\"kw\" style=\"color: #0033b3; font-weight: bold\">int</span> x; <span "
        "class=\"cm\" style=\"color: #5f7a5f; font-style: italic\">// note</span>\r\n</pre>");
    // With --language the sheet chosen in the options; --stylesheet before both.
    r = Run("convert --inline-styles --language C " + Quote(in));
    EXPECT_EQ(r.out,
              pre + "<span class=\"kw\" style=\"color: #010203\">int</span> x; // note\n</pre>");
    const fs::path other = Write("other.css", "pre .kw { color: #00f }");
    r = Run("convert --inline-styles --stylesheet " + Quote(other) + " --language C " + Quote(in));
    EXPECT_EQ(r.out,
              pre + "<span class=\"kw\" style=\"color: #0000ff\">int</span> x; // note\n</pre>");

    // A chosen sheet gone: said on standard error, and the bundled one does the work.
    fs::remove(mine);
    r = Run("convert --inline-styles --language C " + Quote(in));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("style=\"color: #0033b3; font-weight: bold\">int</span>"),
              std::string::npos);
    EXPECT_NE(m_stderr.find("スタイルシートを読めません: "), std::string::npos) << m_stderr;
    EXPECT_NE(m_stderr.find("同梱のスタイルシートを使います"), std::string::npos) << m_stderr;
    // One named on the command line must be there.
    const fs::path out = m_dir / "never.html";
    r = Run("convert --inline-styles --stylesheet " + Quote(mine) + " --bvl " + c + " -o " +
            Quote(out) + " " + Quote(in));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(out));
    // Nor written over by the output.
    EXPECT_EQ(Run("convert --inline-styles --stylesheet " + Quote(other) + " --bvl " + c + " -o " +
                  Quote(other) + " " + Quote(in))
                  .status,
              1);
    EXPECT_EQ(Read(other), "pre .kw { color: #00f }");

    EXPECT_EQ(Run("convert --inline-styles --standalone --bvl " + c + " " + Quote(in)).status, 2);
    EXPECT_EQ(Run("convert --stylesheet " + Quote(other) + " --bvl " + c + " " + Quote(in)).status,
              2);
}
