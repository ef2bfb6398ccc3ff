<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja">
<context>
    <name>ContextHelp</name>
    <message>
        <source>項目の説明を表示します (Shift+F1)</source>
        <translation>Show what an item is for (Shift+F1)</translation>
    </message>
</context>
<context>
    <name>ConvertCommand</name>
    <message>
        <source>%1: %2; 同梱のスタイルシートを使います</source>
        <translation>%1: %2; using the bundled style sheet</translation>
    </message>
</context>
<context>
    <name>CssReader</name>
    <message>
        <source>貼り付けに使える規則 (.クラス名 や pre の規則) がありません</source>
        <translation>no rules that a paste can use (rules for .class names or pre)</translation>
    </message>
    <message>
        <source>%1 行目: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>テキストではありません (NUL 文字があります)</source>
        <translation>not text (it holds a NUL character)</translation>
    </message>
    <message>
        <source>文字列が閉じていません</source>
        <translation>a string is not closed</translation>
    </message>
    <message>
        <source>コメントが閉じていません</source>
        <translation>a comment is not closed</translation>
    </message>
    <message>
        <source>「{」を閉じる「}」がありません</source>
        <translation>no &quot;}&quot; closes the &quot;{&quot;</translation>
    </message>
    <message>
        <source>閉じるブロックのない「}」があります</source>
        <translation>a &quot;}&quot; closes no block</translation>
    </message>
    <message>
        <source>規則の「{」がありません</source>
        <translation>a rule has no &quot;{&quot;</translation>
    </message>
</context>
<context>
    <name>FileRegistryStore</name>
    <message>
        <source>設定ファイルの場所が決まりません (HOME がありません)</source>
        <translation>Cannot tell where the settings file belongs (HOME is not set)</translation>
    </message>
    <message>
        <source>設定ファイルを読み込めません</source>
        <translation>Cannot read the settings file</translation>
    </message>
    <message>
        <source>設定ファイルが通常のファイルではありません: </source>
        <translation>The settings file is not a regular file: </translation>
    </message>
    <message>
        <source>設定ファイルが大きすぎます: </source>
        <translation>The settings file is too large: </translation>
    </message>
    <message>
        <source>設定ファイルを解釈できません: </source>
        <translation>Cannot make sense of the settings file: </translation>
    </message>
    <message>
        <source>設定ファイルは他のプロセスが書き込み中です: </source>
        <translation>Another process is writing the settings file: </translation>
    </message>
    <message>
        <source>設定ファイルをロックできません</source>
        <translation>Cannot lock the settings file</translation>
    </message>
    <message>
        <source>設定ファイルのフォルダーを作れません</source>
        <translation>Cannot create the settings file&apos;s folder</translation>
    </message>
    <message>
        <source>値が見つかりません: </source>
        <translation>Value not found: </translation>
    </message>
    <message>
        <source>キー不正</source>
        <translation>Invalid key</translation>
    </message>
    <message>
        <source>キーが見つかりません: </source>
        <translation>Key not found: </translation>
    </message>
    <message>
        <source>サブキーのあるキーは削除できません: </source>
        <translation>Cannot delete a key that has subkeys: </translation>
    </message>
    <message>
        <source>読めない設定ファイルの控えを作れません</source>
        <translation>Cannot keep a copy of the unreadable settings file</translation>
    </message>
    <message>
        <source>設定ファイルを置き換えられません</source>
        <translation>Cannot replace the settings file</translation>
    </message>
    <message>
        <source>設定ファイルを書き込めません</source>
        <translation>Cannot write the settings file</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>言語設定「%1」は既に存在します。置き換えるには --replace を指定してください。</source>
        <translation>The language &quot;%1&quot; already exists. To replace it, give --replace.</translation>
    </message>
</context>
<context>
    <name>KeywordListFile</name>
    <message>
        <source>キーワードの一覧の %1 行目に空白があります。1 行に 1 つのキーワードを書いてください。: %2</source>
        <translation>Line %1 of the keyword list holds a space; write one keyword a line: %2</translation>
    </message>
    <message>
        <source>キーワードの一覧にキーワードがありません。: %1</source>
        <translation>The keyword list holds no keyword: %1</translation>
    </message>
</context>
<context>
    <name>LanguageFile</name>
    <message>
        <source>ファイル形式が認識できないか、または互換性がありません。</source>
        <translation>The file format is not recognized or not compatible.</translation>
    </message>
    <message>
        <source>[Brevlin] に Version がありません (言語設定ファイルではないか、壊れています)</source>
        <translation>[Brevlin] has no Version (not a language file, or a damaged one)</translation>
    </message>
    <message>
        <source>%1 行目の Version=%2 は読めない版です (読めるのは 0 より大きく 2.0 以下の版)</source>
        <translation>line %1: Version=%2 cannot be read (readable versions are above 0 and up to 2.0)</translation>
    </message>
    <message>
        <source>%1 行目の Name が空です</source>
        <translation>line %1: Name is empty</translation>
    </message>
    <message>
        <source>[Language] セクションがありません</source>
        <translation>there is no [Language] section</translation>
    </message>
    <message>
        <source>[Language] (%1 行目) に Name がありません</source>
        <translation>[Language] (line %1) has no Name</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。: %1</source>
        <translation>File not found: %1</translation>
    </message>
</context>
<context>
    <name>LanguageSet</name>
    <message>
        <source>新しい言語</source>
        <translation>New language </translation>
    </message>
    <message>
        <source>キーワードの一覧のファイル名から言語の名前が作れません。: %1</source>
        <translation>Cannot make a language name of the keyword list&apos;s file name: %1</translation>
    </message>
</context>
<context>
    <name>Languages</name>
    <message>
        <source>Name重複</source>
        <translation>Duplicate name</translation>
    </message>
</context>
<context>
    <name>ListCommand</name>
    <message>
        <source>言語設定がありません。brevlin import FILE で言語設定ファイル (.bvl) を取り込めます。</source>
        <translation>There are no languages. brevlin import FILE brings in a language file (.bvl).</translation>
    </message>
</context>
<context>
    <name>OptionsControls</name>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>新規(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>インポート(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>エクスポート(&amp;X)</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>全般設定</source>
        <translation>General settings</translation>
    </message>
    <message>
        <source>変換時に音を鳴らす(&amp;B)</source>
        <translation>&amp;Beep when converting</translation>
    </message>
    <message>
        <source>連続タグの最適化(&amp;O)</source>
        <translation>&amp;Optimize consecutive tags</translation>
    </message>
    <message>
        <source>HTML形式でもクリップボードに置く(&amp;H)</source>
        <translation>Put &amp;HTML on the clipboard too</translation>
    </message>
    <message>
        <source>貼り付け用のスタイルシート(&amp;S)</source>
        <translation>&amp;Style sheet for pasting</translation>
    </message>
    <message>
        <source>同梱の brevlin.css</source>
        <translation>The bundled brevlin.css</translation>
    </message>
    <message>
        <source>参照(&amp;R)...</source>
        <translation>B&amp;rowse...</translation>
    </message>
    <message>
        <source>同梱に戻す(&amp;U)</source>
        <translation>&amp;Use bundled</translation>
    </message>
    <message>
        <source>設定名(&amp;N)</source>
        <translation>Na&amp;me</translation>
    </message>
    <message>
        <source>開始タグ</source>
        <translation>Start delimiter</translation>
    </message>
    <message>
        <source>終了タグ</source>
        <translation>Closing delimiter</translation>
    </message>
    <message>
        <source>エスケープ</source>
        <translation>Escape</translation>
    </message>
    <message>
        <source>単語単位</source>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>開始HTML</source>
        <translation>Opening HTML</translation>
    </message>
    <message>
        <source>終了HTML</source>
        <translation>Closing HTML</translation>
    </message>
    <message>
        <source>コメント／リテラル(&amp;C)</source>
        <translation>&amp;Comments and literals</translation>
    </message>
    <message>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>削除(&amp;L)</source>
        <translation>De&amp;lete</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>変換を試すコードをここに入力します</source>
        <translation>Type code here to try the conversion on</translation>
    </message>
    <message>
        <source>サンプル(&amp;Y)</source>
        <translation>&amp;Sample</translation>
    </message>
    <message>
        <source>HTMLソースを表示(&amp;V)</source>
        <translation>&amp;View HTML source</translation>
    </message>
    <message>
        <source>書式設定</source>
        <translation>Formatting</translation>
    </message>
    <message>
        <source>開始HTMLタグ(&amp;H)</source>
        <translation>Opening &amp;HTML tag</translation>
    </message>
    <message>
        <source>終了HTMLタグ(&amp;M)</source>
        <translation>Cl&amp;osing HTML tag</translation>
    </message>
    <message>
        <source>Tabを空白に変換(&amp;P)</source>
        <translation>Replace tabs with s&amp;paces</translation>
    </message>
    <message>
        <source>桁</source>
        <translation>columns</translation>
    </message>
    <message>
        <source>キーワード</source>
        <translation>Keywords</translation>
    </message>
    <message>
        <source>大文字小文字を区別しない(&amp;G)</source>
        <translation>I&amp;gnore case</translation>
    </message>
    <message>
        <source>新規(&amp;W)</source>
        <translation>Ne&amp;w</translation>
    </message>
    <message>
        <source>編集(&amp;T)</source>
        <translation>Edi&amp;t</translation>
    </message>
    <message>
        <source>削除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>タブの幅（桁）</source>
        <translation>Tab width (columns)</translation>
    </message>
    <message>
        <source>タブの幅</source>
        <translation>Tab width</translation>
    </message>
</context>
<context>
    <name>OutputGuard</name>
    <message>
        <source>設定ファイル</source>
        <translation>settings file</translation>
    </message>
    <message>
        <source>標準入力</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>出力先が%1と同じファイルです。上書きすると失われるため、書き込みません。: %2</source>
        <translation>The output is the same file as the %1; writing it would destroy it, so nothing is written: %2</translation>
    </message>
    <message>
        <source>入力ファイル</source>
        <translation>input file</translation>
    </message>
    <message>
        <source>言語設定ファイル</source>
        <translation>language file</translation>
    </message>
    <message>
        <source>スタイルシート</source>
        <translation>style sheet</translation>
    </message>
</context>
<context>
    <name>RegExp</name>
    <message>
        <source>正規表現の構文が正しくありません: %1 (%2, %3)</source>
        <translation>Invalid regular expression syntax: %1 (%2, %3)</translation>
    </message>
    <message>
        <source>正規表現の照合に失敗しました: %1 (%2)</source>
        <translation>Regular expression matching failed: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>RegFile</name>
    <message>
        <source>閉じる &quot; がありません</source>
        <translation>no closing &quot;</translation>
    </message>
    <message>
        <source>\u の後に 16 進数 4 桁がありません</source>
        <translation>\u is not followed by 4 hexadecimal digits</translation>
    </message>
    <message>
        <source>不明なエスケープです</source>
        <translation>unknown escape</translation>
    </message>
    <message>
        <source>hex の値が不正です</source>
        <translation>invalid hex value</translation>
    </message>
    <message>
        <source>値の後に余分な文字があります</source>
        <translation>extra characters after the value</translation>
    </message>
    <message>
        <source>dword の値が不正です</source>
        <translation>invalid dword value</translation>
    </message>
    <message>
        <source>hex の型が不正です</source>
        <translation>invalid hex type</translation>
    </message>
    <message>
        <source>値の削除 (=-) は使えません</source>
        <translation>deleting a value (=-) is not supported</translation>
    </message>
    <message>
        <source>値の形式が不正です</source>
        <translation>invalid value format</translation>
    </message>
    <message>
        <source>UTF-8 として読めません</source>
        <translation>not readable as UTF-8</translation>
    </message>
    <message>
        <source>キーの行が不正です</source>
        <translation>invalid key line</translation>
    </message>
    <message>
        <source>キーの削除 ([-...]) は使えません</source>
        <translation>deleting a key ([-...]) is not supported</translation>
    </message>
    <message>
        <source>不明なルートキーです</source>
        <translation>unknown root key</translation>
    </message>
    <message>
        <source>キーの階層が深すぎます (%1 まで)</source>
        <translation>keys nested too deep (%1 levels at most)</translation>
    </message>
    <message>
        <source>キーの名前が不正です</source>
        <translation>invalid key name</translation>
    </message>
    <message>
        <source>キーの行より前に値があります</source>
        <translation>a value before any key line</translation>
    </message>
    <message>
        <source>値の名前がありません</source>
        <translation>a value without a name</translation>
    </message>
    <message>
        <source>= がありません</source>
        <translation>no =</translation>
    </message>
</context>
<context>
    <name>RegistryKey</name>
    <message>
        <source>RegCreateKeyEx のエラー</source>
        <translation>RegCreateKeyEx error</translation>
    </message>
</context>
<context>
    <name>SettingsLayout</name>
    <message>
        <source>値が大きすぎます: </source>
        <translation>Value too large: </translation>
    </message>
    <message>
        <source>キーワードの一覧 (REG_MULTI_SZ) がありません: </source>
        <translation>No keyword list (REG_MULTI_SZ): </translation>
    </message>
</context>
<context>
    <name>StoredSettings</name>
    <message>
        <source>言語設定「%1」は大文字小文字の違いだけで複数あります: %2 名前をそのとおりに指定してください。</source>
        <translation>Several languages differ from &quot;%1&quot; only in letter case: %2. Give the name exactly as stored.</translation>
    </message>
    <message>
        <source>言語設定「%1」はありません。言語設定がまだありません (brevlin import FILE で追加できます)。</source>
        <translation>There is no language &quot;%1&quot;. There are no languages yet (brevlin import FILE adds one).</translation>
    </message>
    <message>
        <source>言語設定「%1」はありません。保存されている言語設定: %2</source>
        <translation>There is no language &quot;%1&quot;. Stored languages: %2</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1%2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>StyleSheet</name>
    <message>
        <source>スタイルシートを読めません: </source>
        <translation>Cannot read the style sheet: </translation>
    </message>
    <message>
        <source>スタイルシートとして読めません: </source>
        <translation>Cannot read this as a style sheet: </translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>インデックスが有効範囲にありません。</source>
        <translation>Subscript out of range.</translation>
    </message>
</context>
<context>
    <name>TokenClassifier</name>
    <message>
        <source>言語「%1」のキーワード「%2」が正しいパターンではありません。</source>
        <translation>The keyword &quot;%2&quot; of the language &quot;%1&quot; is not a valid pattern.</translation>
    </message>
</context>
<context>
    <name>Variant</name>
    <message>
        <source>型が一致しません。</source>
        <translation>Type mismatch.</translation>
    </message>
    <message>
        <source>オーバーフローしました。</source>
        <translation>Overflow.</translation>
    </message>
</context>
<context>
    <name>WinRegistryStore</name>
    <message>
        <source>見つかりません: </source>
        <translation>Not found: </translation>
    </message>
    <message>
        <source>アクセスが拒否されました: </source>
        <translation>Access denied: </translation>
    </message>
    <message>
        <source>レジストリにアクセスできません (%1): %2</source>
        <translation>Cannot access the registry (%1): %2</translation>
    </message>
    <message>
        <source>設定の排他制御</source>
        <translation>settings lock</translation>
    </message>
    <message>
        <source>ほかのプログラムが設定を書き込み中です: </source>
        <translation>Another program is writing the settings: </translation>
    </message>
    <message>
        <source>RegCreateKeyEx のエラー: </source>
        <translation>RegCreateKeyEx error: </translation>
    </message>
    <message>
        <source>値が見つかりません: </source>
        <translation>Value not found: </translation>
    </message>
    <message>
        <source>キー不正</source>
        <translation>Invalid key</translation>
    </message>
    <message>
        <source>キーが見つかりません: </source>
        <translation>Key not found: </translation>
    </message>
    <message>
        <source>サブキーのあるキーは削除できません: </source>
        <translation>Cannot delete a key that has subkeys: </translation>
    </message>
</context>
<context>
    <name>brevlin::CommentList</name>
    <message>
        <source>「%1」を削除しますか？</source>
        <translation>Delete &quot;%1&quot;?</translation>
    </message>
</context>
<context>
    <name>brevlin::KeywordList</name>
    <message>
        <source>新規キーワード</source>
        <translation>NewKeyword</translation>
    </message>
    <message>
        <source>キーワード「%1」を削除しますか？</source>
        <translation>Delete the keyword &quot;%1&quot;?</translation>
    </message>
</context>
<context>
    <name>brevlin::ctlUpDown</name>
    <message>
        <source>増やす</source>
        <translation>Increase</translation>
    </message>
    <message>
        <source>値を 1 増やします。</source>
        <translation>Adds 1 to the value.</translation>
    </message>
    <message>
        <source>減らす</source>
        <translation>Decrease</translation>
    </message>
    <message>
        <source>値を 1 減らします。</source>
        <translation>Takes 1 from the value.</translation>
    </message>
</context>
<context>
    <name>brevlin::frmEditComment</name>
    <message>
        <source>コメント／リテラルの設定</source>
        <translation>Comment/Literal Rule</translation>
    </message>
    <message>
        <source>単語単位(&amp;W)</source>
        <translation>&amp;Whole word</translation>
    </message>
    <message>
        <source>書式設定</source>
        <translation>Formatting</translation>
    </message>
    <message>
        <source>開始タグ(&amp;S)</source>
        <translation>&amp;Start delimiter</translation>
    </message>
    <message>
        <source>終了タグ(&amp;C)</source>
        <translation>&amp;Closing delimiter</translation>
    </message>
    <message>
        <source>タグのエスケープ文字(&amp;E)</source>
        <translation>&amp;Escape character</translation>
    </message>
    <message>
        <source>開始HTMLタグ(&amp;H)</source>
        <translation>Opening &amp;HTML tag</translation>
    </message>
    <message>
        <source>終了HTMLタグ(&amp;T)</source>
        <translation>Closing HTML &amp;tag</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>この 1 文字の直後にある終了タグは、範囲の終わりになりません。例: 文字列の \&quot;。</source>
        <translation>A closing delimiter right after this one character does not end the range, as \&quot; in a string.</translation>
    </message>
</context>
<context>
    <name>brevlin::frmOptions</name>
    <message>
        <source>出力先が設定ファイルと同じファイルです。上書きすると失われるため、書き込みません。</source>
        <translation>The destination is the settings file itself. Writing it would destroy the settings, so nothing is written.</translation>
    </message>
    <message>
        <source>オプション - %1</source>
        <translation>Options - %1</translation>
    </message>
    <message>
        <source>貼り付け用のスタイルシート</source>
        <translation>Style Sheet for Pasting</translation>
    </message>
    <message>
        <source>スタイルシート (*.css)</source>
        <translation>Style sheets (*.css)</translation>
    </message>
    <message>
        <source>すべてのファイル (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>%1 (%2)
貼り付けと表示には同梱のスタイルシートを使います。</source>
        <translation>%1 (%2)
Pasting and the preview use the bundled style sheet.</translation>
    </message>
    <message>
        <source>同じ名前が既にあります。</source>
        <translation>That name is already taken.</translation>
    </message>
    <message>
        <source>言語設定「%1」を削除しますか？</source>
        <translation>Delete the language &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>言語設定のエクスポート</source>
        <translation>Export Language</translation>
    </message>
    <message>
        <source>言語設定のインポート</source>
        <translation>Import Languages</translation>
    </message>
    <message>
        <source>言語設定ファイル (*.bvl)</source>
        <translation>Language files (*.bvl)</translation>
    </message>
    <message>
        <source>キーワードの一覧 (*.txt)</source>
        <translation>Keyword lists (*.txt)</translation>
    </message>
    <message>
        <source>言語設定「%1」は既に存在します。キーワードを一覧の内容で置き換えますか？</source>
        <translation>The language &quot;%1&quot; already exists. Replace its keywords with the list?</translation>
    </message>
    <message>
        <source>言語設定「%1」は既に存在します。ファイルの内容で置き換えますか？</source>
        <translation>The language &quot;%1&quot; already exists. Replace it with the file&apos;s content?</translation>
    </message>
</context>
<context>
    <name>brevlin::shell::frmAbout</name>
    <message>
        <source>ロゴ</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>%1 のアイコン</source>
        <translation>%1 icon</translation>
    </message>
    <message>
        <source>バージョン情報 - %1</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>brevlin::shell::frmHelp</name>
    <message>
        <source>戻る(&amp;B)</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>進む(&amp;F)</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ヘルプ ファイルが見つかりません。</source>
        <translation>The help file cannot be found.</translation>
    </message>
    <message>
        <source>ヘルプ - %1</source>
        <translation>Help - %1</translation>
    </message>
</context>
<context>
    <name>brevlin::shell::frmMain</name>
    <message>
        <source>変換結果をクリップボードに書き込めませんでした。ほかのプログラムがクリップボードを使用しています。</source>
        <translation>Could not put the result on the clipboard. Another program is using the clipboard.</translation>
    </message>
    <message>
        <source>メモリが不足しています。</source>
        <translation>Out of memory.</translation>
    </message>
    <message>
        <source> - 言語がありません (オプションでインポート)</source>
        <translation> - no languages (import one in Options)</translation>
    </message>
    <message>
        <source>(設定がありません)</source>
        <translation>(No languages)</translation>
    </message>
    <message>
        <source>言語設定がまだありません。アイコンを右クリックして「オプション」を開き、「インポート」で言語設定ファイル (*.bvl) を取り込んでください。同梱の言語設定は次のフォルダーにあります: %1</source>
        <translation>There are no languages yet. Right-click the icon, open &quot;Options&quot; and bring in a language file (*.bvl) with &quot;Import&quot;. The bundled languages are in this folder: %1</translation>
    </message>
    <message>
        <source>左クリック</source>
        <translation>Left click</translation>
    </message>
    <message>
        <source>右クリック</source>
        <translation>Right click</translation>
    </message>
    <message>
        <source>オプション(&amp;O)....</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>変換を元に戻す(&amp;U)</source>
        <translation>&amp;Undo Conversion</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>閉じる(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>変換する言語</source>
        <translation>Language to convert with</translation>
    </message>
    <message>
        <source>言語とその設定を編集するオプション ダイアログを開きます。</source>
        <translation>Opens the Options dialog, where languages and their settings are edited.</translation>
    </message>
    <message>
        <source>最後の変換の前にクリップボードにあったテキストを元に戻します。</source>
        <translation>Puts back the text that was on the clipboard before the last conversion.</translation>
    </message>
    <message>
        <source>バージョンと連絡先を表示します。</source>
        <translation>Shows the version and how to reach the author.</translation>
    </message>
    <message>
        <source>クリップボードのテキストを「%1」の設定で HTML に変換します。</source>
        <translation>Converts the text on the clipboard to HTML with the settings of &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>言語がありません。オプション ダイアログで追加するか、言語設定ファイルをインポートしてください。</source>
        <translation>There are no languages. Add one in the Options dialog or import a language file.</translation>
    </message>
    <message>
        <source>%1
HTML 形式には同梱のスタイルシート (brevlin.css) を使いました。</source>
        <translation>%1
The HTML on the clipboard was styled with the bundled style sheet (brevlin.css).</translation>
    </message>
    <message>
        <source>%1について(&amp;A)...</source>
        <translation>&amp;About %1...</translation>
    </message>
    <message>
        <source>%1 のヘルプを表示します。</source>
        <translation>Shows the %1 help.</translation>
    </message>
    <message>
        <source>%1 を終了し、通知領域のアイコンを消します。</source>
        <translation>Quits %1 and removes its icon from the notification area.</translation>
    </message>
</context>
<context>
    <name>clsINIFile</name>
    <message>
        <source>ファイルを読み込めません</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます (16 MiB まで)</source>
        <translation>The file is too large (16 MiB at most)</translation>
    </message>
    <message>
        <source>INI ファイルに書けない文字 (改行など) を含んでいます: [%1] %2</source>
        <translation>Holds characters that an INI file cannot keep (such as line breaks): [%1] %2</translation>
    </message>
    <message>
        <source>ファイルに書き込めません</source>
        <translation>Cannot write the file</translation>
    </message>
</context>
<context>
    <name>clsRegistry</name>
    <message>
        <source>キー不正</source>
        <translation>Invalid key</translation>
    </message>
    <message>
        <source>型が一致しません。: %1</source>
        <translation>Type mismatch: %1</translation>
    </message>
</context>
<context>
    <name>clsSingleInstance</name>
    <message>
        <source>%1 をロックできません。</source>
        <translation>Cannot lock %1.</translation>
    </message>
    <message>
        <source>起動中の %1 がコマンドを受け付けませんでした。</source>
        <translation>The running %1 did not accept the command.</translation>
    </message>
    <message>
        <source>起動中の %1 が応答しません。</source>
        <translation>The running %1 does not answer.</translation>
    </message>
</context>
</TS>
