<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>1月</translation>
    </message>
    <message>
        <source>February</source>
        <translation>2月</translation>
    </message>
    <message>
        <source>March</source>
        <translation>3月</translation>
    </message>
    <message>
        <source>April</source>
        <translation>4月</translation>
    </message>
    <message>
        <source>May</source>
        <translation>5月</translation>
    </message>
    <message>
        <source>June</source>
        <translation>6月</translation>
    </message>
    <message>
        <source>July</source>
        <translation>7月</translation>
    </message>
    <message>
        <source>August </source>
        <translation>8月</translation>
    </message>
    <message>
        <source>September </source>
        <translation>9月</translation>
    </message>
    <message>
        <source>October </source>
        <translation>10月</translation>
    </message>
    <message>
        <source>November</source>
        <translation>11月</translation>
    </message>
    <message>
        <source>December</source>
        <translation>12月</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>SimpChinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>TradChinese</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Türkçe</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>العربية</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Português</translation>
    </message>
    <message>
        <source>Main Stream</source>
        <translation>メインストリーム</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>サブストリーム</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>タイムラプス録画</translation>
    </message>
    <message>
        <source>Baidu</source>
        <translation>Baidu</translation>
    </message>
    <message>
        <source>Gaode</source>
        <translation>Gaode</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Is Out China</source>
        <translation>中国国外</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>セキュリティコード</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>このプログラムはレコーダーのディスクを読み取るだけで、書き込みは一切行いません。表示される録画は法令に従ってご利用ください。</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>オープンソースライセンス</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>利用規約</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>追加...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>録画ストリーム</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>地図の種類</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>地図キー</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>録画の保存先</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>画像の保存先</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>ディスクイメージ</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>ビルド日</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>ディスクイメージを開く</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>地図キーを %1 に保存できませんでした。</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>変更は Korvane の再起動後に有効になります。</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>再起動</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>録画の保存先を選択</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>スナップショットの保存先を選択</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>カット</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>H264/H265</source>
        <translation>H264/H265</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>Cut Range </source>
        <translation>カット範囲</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>保存先</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>開始時刻</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>終了時刻</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>録画の保存先を選択</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>ファイル名に時間範囲が含まれていないため、カットできません</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>時刻が正しくありません</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>録画のカットを中止しますか?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>変換に失敗しました</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>カットが完了しました</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>カットに失敗しました</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>カットが完了しました</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>カット開始</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>開始位置を検索中</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>録画を変換中</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>MP4 に変換中</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>録画 %1 を開けません</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 を作成できません: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>ファイルに %1 という名前を付けられません: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>録画の長さを読み取れません</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>時間範囲にフレームがありません</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>変換に失敗しました: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>ローカル録画を追加</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>録画の保存先を選択</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>インデックスファイルが見つかりません</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>該当する録画ファイルがありません</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>カット</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同期再生</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS トラックをエクスポート</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>ファイルが存在しません。</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>これはフォルダーで、ディスクイメージファイルではありません。</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>これはディスクイメージファイルではありません。</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>ファイルを読み取り用に開けません（権限がありません）。</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>ファイル内にレコーダーのディスク（WFS）が見つかりません。</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>ディスクイメージ (*.img *.dd *.001 *.raw *.bin);;すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>ディスクイメージを開く...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>レコーダーのディスク（WFS）が見つかりません。</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>レコーダーのディスクが %n 台見つかりましたが、設定で選択した録画ストリームの録画はありません。</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>次のディスクは存在しますが、読み取り用に開けません: %1。読み取るには「disk」グループへの所属（参加後に再ログインしてください）か、これらのディスクの読み取り権限を持つユーザーで Korvane を実行する必要があります。</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>スキップしたディスクイメージ:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>ディスクイメージファイル（.img、.dd、.001）は、下の「ディスクイメージを開く...」またはこの一覧のメニューから、あるいはコマンドラインの --image FILE で開けます。</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>ディスクイメージを開く</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>ディスク情報</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>エクスポート</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>カット</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同期再生</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS トラックをエクスポート</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>総容量</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>空き容量</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>画像領域の容量</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>録画領域の容量</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>スロー</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>早送り</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>コマ送り</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音声</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>ファイルのインデックスを読み込み中のため、進行状況バーは操作できません</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>アクティブなウィンドウのレコーダー時刻 / その録画の終了時刻</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>I フレームのみ再生</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>音声オン</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>音声オフ</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>同期モードでは、ファイルのインデックスが作成されるまでお待ちください</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>先に同期再生を停止してください</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>スナップショットを保存できませんでした</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>すべて閉じる</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>スナップショット</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>録画</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>部分拡大</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>ウィンドウのラベル</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>画面分割</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1画面</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4画面</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8画面</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9画面</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16画面</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>録画を開始できませんでした</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>エクスポート</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>ファイル単位でエクスポート</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>時間範囲でエクスポート</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>H264/H265</source>
        <translation>H264/H265</translation>
    </message>
    <message>
        <source>MP4</source>
        <translation>MP4</translation>
    </message>
    <message>
        <source>Merge Export</source>
        <translation>結合してエクスポート</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>強制結合</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>形式:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存先:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>選択解除</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>録画の時間範囲</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>開始時刻:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>終了時刻:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>エクスポート先</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>録画の保存先を選択</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>録画のエクスポートを中止しますか?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>このエクスポートの %1 個のファイルが別の内容でフォルダーに既にあります (最初: %2)。置き換えますか?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置き換える</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>チャンネル</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>エクスポート先</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>エクスポート完了</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>エクスポート完了: %2 件中 %1 件のファイルが失敗しました</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>時間範囲外</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>エクスポート中</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>開けませんでした</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>エクスポート失敗</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>エクスポートを中止しました</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>フレームが時間範囲外です</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>フォルダー %1 を作成できません</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>変換を開始できませんでした </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>変換完了</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>変換中</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>変換失敗</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>ファイルが選択されていません</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>時刻が正しくありません</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>チャンネルが選択されていません</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>録画の長さを読み取れません</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>ディレクトリの時刻が壊れています: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>ファイルに %1 という名前を付けられません: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>エクスポートしていません: %1 は既にあります</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 を書き込めません: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>エクスポートログ %1 を書き込めません</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>保存先フォルダーを選んでください: %1 のような完全なパス</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>%2 バイト中 %1 バイトを読んだところで読み取りに失敗しました: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>録画は %2 バイト中 %1 バイト目で終わっています</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>ストリーム解析器がデータを受け付けませんでした</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>録画を開けません。</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>録画を最後まで読み取れませんでした。トラックはそこで終わります。</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>中止しました。</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>トラックを書き込めません。</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>録画に GPS 位置情報がありません。%1 に保存したトラックは空です。</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 件の GPS 位置を %2 に保存しました。</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS トラックをエクスポート</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX ファイル (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>録画の GPS 位置を読み込み中...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>CKorvane</name>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>Do you want to close</source>
        <translation>Korvane を終了しますか</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>地図を読み込むには、先に地図キーを設定してください</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>追従</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>車両を表示範囲内に保つ</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>プログラムと同じ場所に地図ライブラリ（Leaflet）がありません。</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Baidu 地図: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>Baidu 地図サービスを読み込めませんでした（ネットワークがないか、地図キーが無効です）。</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>Baidu 地図を開始できませんでした: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>Gaode 地図サービスを読み込めませんでした（ネットワークがないか、地図キーが無効です）。</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>Gaode 地図を開始できませんでした: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>Google マップのサービスを読み込めませんでした（ネットワークがないか、地図キーが無効です）。</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>Google マップのサービスが地図キーを拒否しました。</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>Google マップを開始できませんでした: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>メッセージ</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>ディスク</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>ローカル</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地図</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>ファイル %1 を開けませんでした。</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>確認しました</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>チャンネル %1 は同期再生できません。画面は %2 ウィンドウまでです。</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>元に戻す</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>CH%1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>火</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>水</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>木</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>金</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>土</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>読み込み中</translation>
    </message>
</context>
</TS>
