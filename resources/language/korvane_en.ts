<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>January</translation>
    </message>
    <message>
        <source>February</source>
        <translation>February</translation>
    </message>
    <message>
        <source>March</source>
        <translation>March</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>May</translation>
    </message>
    <message>
        <source>June</source>
        <translation>June</translation>
    </message>
    <message>
        <source>July</source>
        <translation>July</translation>
    </message>
    <message>
        <source>August </source>
        <translation>August</translation>
    </message>
    <message>
        <source>September </source>
        <translation>September</translation>
    </message>
    <message>
        <source>October </source>
        <translation>October</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>December</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>SimpChinese</source>
        <translation>Simplified Chinese</translation>
    </message>
    <message>
        <source>TradChinese</source>
        <translation>Traditional Chinese</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Russian</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>Turkish</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>Arabic</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spanish</translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>Portuguese</translation>
    </message>
    <message>
        <source>Main Stream</source>
        <translation>Main Stream</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Sub Stream</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Timelapse Video</translation>
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
        <source>Is Out China</source>
        <translation>Is Out China</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Security Code</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Open Source Licenses</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Service Agreements</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>Record Stream</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Map Type</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Map Key</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Record Path</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Picture Path</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Build Date</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>The change will take effect after a restart of Korvane.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Select the path for record</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Select the path for capture</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>The map key could not be saved into %1.</translation>
    </message>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Calendar</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Disk Info</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Sync Play</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Total Space</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Remain Space</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Picture Total Space</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Record Total Space</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Export GPS Track</translation>
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
        <translation>Do you want to close</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
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
        <translation>Prompt</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Map</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>The file %1 could not be opened.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>I already know</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sat</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Loading</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>The file index is being read and the progress bar cannot be operated</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>NextFrame</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>AudioOn</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>AudioOff</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Single I frame playback</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>In synchronous mode, you need to wait for the file index to be created</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Please stop sync playback first</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Close All</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Catch Picture</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>Video Split</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>Split1</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>Split4</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>Split8</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>Split9</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>Split16</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>Failed to catch the picture</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>Failed to start recording</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>The recording cannot be opened.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>The recording could not be read to its end; the track ends there.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>The track cannot be written.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>The recording has no GPS positions; the track saved in %1 is empty.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 GPS positions saved in %2.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Export GPS Track</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX files (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>Reading the GPS positions of the recording...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Map loading requires initialization of a key</translation>
    </message>
</context>
</TS>