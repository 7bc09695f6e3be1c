<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <translation>设置</translation>
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
        <translation>主码流</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>子码流</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>延时录像</translation>
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
        <translation>谷歌</translation>
    </message>
    <message>
        <source>Is Out China</source>
        <translation>位于中国境外</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>安全密钥</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>本程序只读取录像机硬盘，从不向其写入数据。请依法使用所显示的录像。</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>开源许可</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>服务协议</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>录像码流</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>地图类型</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>地图密钥</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>录像路径</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>图片路径</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>编译日期</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>更改将在 Korvane 重新启动后生效。</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>立即重启</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍后</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>选择录像保存路径</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>选择截图保存路径</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>无法将地图密钥保存到 %1。</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>添加...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>磁盘映像</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>打开磁盘映像</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>剪辑</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
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
        <translation>剪辑范围</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>保存路径</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>开始时间</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>结束时间</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>选择录像保存路径</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>文件名中没有时间范围，无法剪辑</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>时间异常</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>是否取消剪辑录像？</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>剪辑成功</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>剪辑失败</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>剪辑成功</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>开始剪辑</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>查找起始位置</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>正在转换录像</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>正在转换为MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>无法打开录像 %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>无法创建 %1：%2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>无法将文件命名为 %1：%2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>无法读取录像的长度</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>时间范围内没有帧</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>转换失败：%1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>添加本地录像</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>日历</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>选择录像保存路径</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>未找到索引文件</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>没有匹配的录像文件</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪辑</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同步播放</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>导出GPS轨迹</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>文件不存在。</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>这是一个文件夹，不是磁盘映像文件。</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>这不是磁盘映像文件。</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>无法打开文件进行读取（没有权限）。</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>文件中未找到录像机硬盘（WFS）。</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>磁盘映像 (*.img *.dd *.001 *.raw *.bin);;所有文件 (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Calendar</source>
        <translation>日历</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>硬盘信息</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪辑</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>同步播放</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>总容量</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>剩余容量</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>图片总容量</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>录像总容量</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>导出GPS轨迹</translation>
    </message>
    <message>
        <source>Open Disk Image...</source>
        <translation>打开磁盘映像...</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>未找到录像机硬盘（WFS）。</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>找到 %n 个录像机硬盘，但其中没有设置中所选录像码流的录像。</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>这些磁盘存在，但无法打开进行读取：%1。读取它们需要加入“disk”用户组（加入后请重新登录），或以对它们有读取权限的身份运行 Korvane。</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>已跳过的磁盘映像：</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>磁盘映像文件（.img、.dd、.001）可通过下方或此列表菜单中的“打开磁盘映像...”打开，也可在命令行中使用 --image FILE 打开。</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>打开磁盘映像</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>正在读取文件索引，进度条暂不可操作</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢放</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快放</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>单帧</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>音频已开</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>音频已关</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>单I帧播放</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>同步模式下，需要等待文件索引创建完成</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>请先停止同步回放</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>窗口</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>全部关闭</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>抓图</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>录像</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>局部放大</translation>
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
        <source>Failed to catch the picture</source>
        <translation>抓图失败</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>开始录像失败</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>当前窗口的录像机时间 / 其录像的结束时间</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>窗口标签</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>按文件导出</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>按时间导出</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>合并导出</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>强制合并</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存到：</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>全不选</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>录像时间范围</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>结束时间：</translation>
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
        <translation>文件名</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>导出路径</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>选择录像保存路径</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>是否取消导出录像？</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>此次导出的 %1 个文件已以不同内容存在于文件夹中（第一个：%2）。是否替换？</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>替换</translation>
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
        <translation>文件名</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>导出路径</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>导出完成</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>导出完成：%2 个文件中有 %1 个失败</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>不在时间范围内</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>正在导出</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>打开失败</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>导出已取消</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>帧不在时间范围内</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>启动转换失败 </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>转换完成</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>正在转换</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>转换失败</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>未选择文件</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>时间异常</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>未选择通道</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>无法读取录像的长度</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>目录中的时间已损坏：%1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>无法将文件命名为 %1：%2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>未导出：%1 已存在</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>无法写入导出日志 %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>请选择保存文件夹：完整路径，例如 %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>读取 %1/%2 字节后失败：%3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>录像在第 %1 字节处结束（共 %2 字节）</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>码流解析器拒绝了数据</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>无法打开录像。</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>录像无法读取到结尾；轨迹到此为止。</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>已取消。</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>无法写入轨迹。</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>录像中没有GPS位置；保存在 %1 中的轨迹为空。</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>已将 %1 个GPS位置保存到 %2。</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>导出GPS轨迹</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX 文件 (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>正在读取录像的GPS位置...</translation>
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
        <translation>确定要关闭</translation>
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
        <translation>加载地图需要先设置密钥</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>跟随</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>让车辆保持在视野内</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>程序旁缺少地图库（Leaflet）。</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>百度地图：%1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>无法加载百度地图服务（没有网络，或地图密钥无效）。</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>无法启动百度地图：%1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>无法加载高德地图服务（没有网络，或地图密钥无效）。</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>无法启动高德地图：%1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>无法加载谷歌地图服务（没有网络，或地图密钥无效）。</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>谷歌地图服务拒绝了该地图密钥。</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>无法启动谷歌地图：%1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>硬盘</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>本地</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>无法打开文件 %1。</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>我已知晓</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>通道 %1 无法同步播放：画面墙只有 %2 个窗口。</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
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
        <translation>关闭</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
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
        <translation>正在加载</translation>
    </message>
</context>
</TS>
