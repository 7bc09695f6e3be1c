<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>一月</translation>
    </message>
    <message>
        <source>February</source>
        <translation>二月</translation>
    </message>
    <message>
        <source>March</source>
        <translation>三月</translation>
    </message>
    <message>
        <source>April</source>
        <translation>四月</translation>
    </message>
    <message>
        <source>May</source>
        <translation>五月</translation>
    </message>
    <message>
        <source>June</source>
        <translation>六月</translation>
    </message>
    <message>
        <source>July</source>
        <translation>七月</translation>
    </message>
    <message>
        <source>August </source>
        <translation>八月</translation>
    </message>
    <message>
        <source>September </source>
        <translation>九月</translation>
    </message>
    <message>
        <source>October </source>
        <translation>十月</translation>
    </message>
    <message>
        <source>November</source>
        <translation>十一月</translation>
    </message>
    <message>
        <source>December</source>
        <translation>十二月</translation>
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
        <translation>主碼流</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>子碼流</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>縮時錄影</translation>
    </message>
    <message>
        <source>Baidu</source>
        <translation>百度</translation>
    </message>
    <message>
        <source>Gaode</source>
        <translation>高德</translation>
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
        <translation>位於中國境外</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>安全金鑰</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>瀏覽</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>本程式只讀取錄影機硬碟，從不寫入資料。請依法使用所顯示的錄影。</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>開放原始碼授權</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>服務協議</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>新增...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>錄影碼流</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>地圖類型</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>地圖金鑰</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>錄影路徑</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>圖片路徑</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>磁碟映像檔</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>建置日期</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>開啟磁碟映像檔</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>無法將地圖金鑰儲存到 %1。</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>變更將在 Korvane 重新啟動後生效。</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重新啟動</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍後</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>選擇錄影儲存路徑</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>選擇擷圖儲存路徑</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>剪輯</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>瀏覽</translation>
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
        <translation>剪輯範圍</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>儲存路徑</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>開始時間</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>結束時間</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>選擇錄影儲存路徑</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>檔案名稱中沒有時間範圍，無法剪輯</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>時間異常</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>是否取消剪輯錄影？</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>轉換失敗</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>剪輯成功</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>剪輯失敗</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>剪輯成功</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>開始剪輯</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>尋找起始位置</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>正在轉換錄影</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>正在轉換為MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>無法開啟錄影 %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>無法建立 %1：%2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>無法將檔案命名為 %1：%2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>無法讀取錄影的長度</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>時間範圍內沒有畫格</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>轉換失敗：%1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>新增本機錄影</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>日曆</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>選擇錄影儲存路徑</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>找不到索引檔</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>沒有符合的錄影檔</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪輯</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同步播放</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>匯出GPS軌跡</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>檔案不存在。</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>這是資料夾，不是磁碟映像檔。</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>這不是磁碟映像檔。</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>無法開啟檔案以讀取（沒有權限）。</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>檔案中找不到錄影機硬碟（WFS）。</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>磁碟映像檔 (*.img *.dd *.001 *.raw *.bin);;所有檔案 (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>開啟磁碟映像檔...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>日曆</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>找不到錄影機硬碟（WFS）。</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>找到 %n 個錄影機硬碟，但其中沒有設定中所選錄影碼流的錄影。</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>這些磁碟存在，但無法開啟以讀取：%1。讀取它們需要加入「disk」群組（加入後請重新登入），或以對它們有讀取權限的身分執行 Korvane。</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>已略過的磁碟映像檔：</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>磁碟映像檔（.img、.dd、.001）可透過下方或此清單選單中的「開啟磁碟映像檔...」開啟，也可在命令列中使用 --image FILE 開啟。</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>開啟磁碟映像檔</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>硬碟資訊</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪輯</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同步播放</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>匯出GPS軌跡</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>總容量</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>剩餘容量</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>圖片總容量</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>錄影總容量</translation>
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
        <translation>播放</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢速</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快轉</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>逐格播放</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音訊</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>正在讀取檔案索引，進度列暫時無法操作</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>目前視窗的錄影機時間 / 其錄影的結束時間</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>僅播放 I 格</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>音訊已開啟</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>音訊已關閉</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>同步模式下，需要等待檔案索引建立完成</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>請先停止同步播放</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>擷取畫面失敗</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>視窗</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>全部關閉</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>擷取畫面</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>錄影</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>局部放大</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>視窗標籤</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>畫面分割</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1畫面</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4畫面</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8畫面</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9畫面</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16畫面</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>開始錄影失敗</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>依檔案匯出</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>依時間匯出</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
        <translation>合併匯出</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>強制合併</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>儲存至：</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全選</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>全不選</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>錄影時間範圍</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>開始時間：</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>結束時間：</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>檔案名稱</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>匯出路徑</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>選擇錄影儲存路徑</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>是否取消匯出錄影？</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>此次匯出的 %1 個檔案已以不同內容存在於資料夾中（第一個：%2）。是否取代？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>取代</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>檔案名稱</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>匯出路徑</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>匯出完成</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>匯出完成：%2 個檔案中有 %1 個失敗</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>不在時間範圍內</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>正在匯出</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>開啟失敗</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>匯出已取消</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>畫格不在時間範圍內</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>無法建立資料夾 %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>啟動轉換失敗 </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>轉換完成</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>正在轉換</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>轉換失敗</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>未選擇檔案</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>時間異常</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>未選擇通道</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>無法讀取錄影的長度</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>目錄中的時間已損壞：%1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>無法將檔案命名為 %1：%2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>未匯出：%1 已存在</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>無法寫入匯出日誌 %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>請選擇儲存資料夾：完整路徑，例如 %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>讀取 %1/%2 位元組後失敗：%3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>錄影在第 %1 位元組處結束（共 %2 位元組）</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>碼流解析器拒絕了資料</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>無法開啟錄影。</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>錄影無法讀取到結尾；軌跡到此為止。</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>已取消。</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>無法寫入軌跡。</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>錄影中沒有GPS位置；儲存在 %1 中的軌跡為空。</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>已將 %1 個GPS位置儲存到 %2。</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>匯出GPS軌跡</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX 檔案 (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>正在讀取錄影的GPS位置...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
        <translation>確定要關閉</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>載入地圖需要先設定金鑰</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>跟隨</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>讓車輛保持在畫面中</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>程式旁缺少地圖程式庫（Leaflet）。</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>百度地圖：%1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>無法載入百度地圖服務（沒有網路，或地圖金鑰無效）。</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>無法啟動百度地圖：%1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>無法載入高德地圖服務（沒有網路，或地圖金鑰無效）。</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>無法啟動高德地圖：%1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>無法載入 Google 地圖服務（沒有網路，或地圖金鑰無效）。</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>Google 地圖服務拒絕了此地圖金鑰。</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>無法啟動 Google 地圖：%1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>硬碟</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>本機</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地圖</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>無法開啟檔案 %1。</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>我已知悉</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>通道 %1 無法同步播放：畫面牆只有 %2 個視窗。</translation>
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
        <translation>關閉</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>還原</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>通道%1</translation>
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
        <translation>一</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>二</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>三</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>四</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>五</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>六</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>正在載入</translation>
    </message>
</context>
</TS>
