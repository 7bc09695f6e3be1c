<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>يناير</translation>
    </message>
    <message>
        <source>February</source>
        <translation>فبراير</translation>
    </message>
    <message>
        <source>March</source>
        <translation>مارس</translation>
    </message>
    <message>
        <source>April</source>
        <translation>أبريل</translation>
    </message>
    <message>
        <source>May</source>
        <translation>مايو</translation>
    </message>
    <message>
        <source>June</source>
        <translation>يونيو</translation>
    </message>
    <message>
        <source>July</source>
        <translation>يوليو</translation>
    </message>
    <message>
        <source>August </source>
        <translation>أغسطس</translation>
    </message>
    <message>
        <source>September </source>
        <translation>سبتمبر</translation>
    </message>
    <message>
        <source>October </source>
        <translation>أكتوبر</translation>
    </message>
    <message>
        <source>November</source>
        <translation>نوفمبر</translation>
    </message>
    <message>
        <source>December</source>
        <translation>ديسمبر</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
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
        <translation>الدفق الرئيسي</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>الدفق الفرعي</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>فيديو الفاصل الزمني</translation>
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
        <translation>خارج الصين</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>رمز الأمان</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>استعراض</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>يقرأ هذا البرنامج أقراص مسجّلات الفيديو فقط ولا يكتب عليها أبدًا. استخدم التسجيلات التي يعرضها وفقًا للقانون.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>تراخيص المصادر المفتوحة</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>اتفاقيات الخدمة</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>إضافة...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>إزالة</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>دفق التسجيل</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>نوع الخريطة</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>مفتاح الخريطة</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>مسار التسجيلات</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>مسار الصور</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>صور الأقراص</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>الإصدار</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>تاريخ البناء</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>فتح صورة قرص</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>تعذّر حفظ مفتاح الخريطة في %1.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>سيسري التغيير بعد إعادة تشغيل Korvane.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>إعادة التشغيل</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>لاحقًا</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>اختر مسار حفظ التسجيلات</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>اختر مسار حفظ اللقطات</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>قص</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>استعراض</translation>
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
        <translation>نطاق القص </translation>
    </message>
    <message>
        <source>Start</source>
        <translation>بدء</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>مسار الحفظ</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>وقت البدء</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>وقت الانتهاء</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>الصيغة</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>اختر مسار حفظ التسجيلات</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>لا يتضمن اسم الملف نطاقًا زمنيًا، لذا لا يمكن قصّه</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>وقت غير صالح</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>هل تريد إلغاء قص التسجيل؟</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>لا</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>فشل التحويل</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>تم القص بنجاح</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>فشل القص</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>تم القص بنجاح</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>بدء القص</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>البحث عن موضع البدء</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>جارٍ تحويل التسجيل</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>جارٍ التحويل إلى MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>لا يمكن فتح التسجيل %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>لا يمكن إنشاء %1: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>لا يمكن تسمية الملف %1: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>لا يمكن قراءة طول التسجيل</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>لا يمكن كتابة %1: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>لا يوجد إطار في النطاق الزمني</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>فشل التحويل: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>إضافة تسجيلات محلية</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>التقويم</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>اختر مسار حفظ التسجيلات</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>لم يُعثر على ملف الفهرس</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>لا توجد ملفات تسجيل مطابقة</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>قص</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>تشغيل متزامن</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>تصدير مسار GPS</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>الملف غير موجود.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>هذا مجلد وليس ملف صورة قرص.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>هذا ليس ملف صورة قرص.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>لا يمكن فتح الملف للقراءة (لا توجد صلاحية).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>لم يُعثر على قرص مسجّل فيديو (WFS) في الملف.</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>صور الأقراص (*.img *.dd *.001 *.raw *.bin);;كل الملفات (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>فتح صورة قرص...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>التقويم</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>لم يُعثر على قرص مسجّل فيديو (WFS).</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>لم يُعثر على أي قرص مسجّل فيديو يحتوي على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
            <numerusform>عُثر على قرص مسجّل فيديو واحد، لكنه لا يحتوي على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
            <numerusform>عُثر على قرصَي مسجّل فيديو، لكن لا يحتوي أيٌّ منهما على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
            <numerusform>عُثر على %n أقراص مسجّل فيديو، لكن لا يحتوي أيٌّ منها على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
            <numerusform>عُثر على %n قرصًا لمسجّل فيديو، لكن لا يحتوي أيٌّ منها على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
            <numerusform>عُثر على %n قرص مسجّل فيديو، لكن لا يحتوي أيٌّ منها على تسجيلات من دفق التسجيل المختار في الإعدادات.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>هذه الأقراص موجودة لكن لا يمكن فتحها للقراءة: %1. تتطلب قراءتها العضوية في المجموعة &quot;disk&quot; (سجّل الدخول من جديد بعد الانضمام إليها) أو تشغيل Korvane بصلاحية القراءة عليها.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>صور الأقراص التي تم تخطيها:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>يُفتح ملف صورة القرص (.img أو .dd أو .001) بالأمر &quot;فتح صورة قرص...&quot; أدناه أو من قائمة هذه القائمة، أو بالخيار --image FILE في سطر الأوامر.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>فتح صورة قرص</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>معلومات القرص</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>تصدير</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>قص</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>تشغيل متزامن</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>تصدير مسار GPS</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>السعة الإجمالية</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>المساحة المتبقية</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>السعة الإجمالية للصور</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>السعة الإجمالية للتسجيلات</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>إيقاف</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>تشغيل</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>أبطأ</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>أسرع</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>الإطار التالي</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>الصوت</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>جارٍ قراءة فهرس الملف، ولا يمكن استخدام شريط التقدم حاليًا</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>ساعة المسجّل في النافذة النشطة / نهاية تسجيلها</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>إيقاف مؤقت</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>تشغيل الإطارات الرئيسية (I) فقط</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>الصوت مُشغَّل</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>الصوت متوقف</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>في الوضع المتزامن يجب انتظار إنشاء فهرس الملف</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>يُرجى إيقاف التشغيل المتزامن أولًا</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>تعذّر التقاط الصورة</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>النافذة</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>إغلاق الكل</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>التقاط صورة</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>تسجيل</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>تكبير منطقة</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>تسميات النوافذ</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>تقسيم الشاشة</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>نافذة واحدة</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 نوافذ</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 نوافذ</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 نوافذ</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 نافذة</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>تعذّر بدء التسجيل</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>تصدير</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>تصدير حسب الملف</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>تصدير حسب الوقت</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
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
        <translation>دمج عند التصدير</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>دمج إجباري</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>استعراض...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>الصيغة:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>الحفظ في:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>تحديد الكل</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>إلغاء التحديد</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>النطاق الزمني للتسجيل</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>وقت البدء:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>وقت الانتهاء:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>الكل</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>القناة</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>اسم الملف</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>الحالة</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>مسار التصدير</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>اختر مسار حفظ التسجيلات</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>هل تريد إلغاء تصدير التسجيلات؟</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>لا</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>يوجد بالفعل %1 من ملفات هذا التصدير في المجلد بمحتوى مختلف (أولها: %2). هل تريد استبدالها؟</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>استبدال</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>القناة</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>اسم الملف</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>الحالة</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>مسار التصدير</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>اكتمل التصدير</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>اكتمل التصدير: عدد الملفات التي فشل تصديرها %1 من %2</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>خارج النطاق الزمني</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>جارٍ التصدير</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>فشل الفتح</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>فشل التصدير</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>أُلغي التصدير</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>الإطارات خارج النطاق الزمني</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>تعذّر إنشاء المجلد %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>تعذّر بدء التحويل </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>اكتمل التحويل</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>جارٍ التحويل</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>فشل التحويل</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>لم يُحدَّد أي ملف</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>وقت غير صالح</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>لم تُحدَّد أي قناة</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>لا يمكن قراءة طول التسجيل</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>وقت تالف في الدليل: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>لا يمكن تسمية الملف %1: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>لم يُصدَّر: %1 موجود</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>لا يمكن كتابة %1: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>لا يمكن كتابة سجل التصدير %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>اختر مجلد الحفظ: مسار كامل، مثل %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>فشلت القراءة بعد %1 من %2 بايت: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>ينتهي التسجيل عند البايت %1 من %2</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>رفض محلل البث البيانات</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>لا يمكن فتح التسجيل.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>تعذّرت قراءة التسجيل حتى نهايته، وينتهي المسار عند ذلك الموضع.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>أُلغي.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>لا يمكن كتابة المسار.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>لا يحتوي التسجيل على مواقع GPS؛ المسار المحفوظ في %1 فارغ.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>حُفظت مواقع GPS (%1) في %2.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>تصدير مسار GPS</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>ملفات GPX (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>جارٍ قراءة مواقع GPS من التسجيل...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
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
        <translation>هل تريد إغلاق Korvane</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>نعم</translation>
    </message>
    <message>
        <source>No</source>
        <translation>لا</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>يتطلب تحميل الخريطة إعداد المفتاح أولًا</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>تتبّع</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>إبقاء المركبة ضمن العرض</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>مكتبة الخرائط (Leaflet) غير موجودة بجانب البرنامج.</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>خريطة Baidu: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>تعذّر تحميل خدمة خرائط Baidu (لا توجد شبكة، أو مفتاح الخريطة غير صالح).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>تعذّر تشغيل خريطة Baidu: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>تعذّر تحميل خدمة خرائط Gaode (لا توجد شبكة، أو مفتاح الخريطة غير صالح).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>تعذّر تشغيل خريطة Gaode: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>تعذّر تحميل خدمة خرائط Google (لا توجد شبكة، أو مفتاح الخريطة غير صالح).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>رفضت خدمة خرائط Google مفتاح الخريطة.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>تعذّر تشغيل خريطة Google: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>تنبيه</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>القرص</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>محلي</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>الخريطة</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>تعذّر فتح الملف %1.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>فهمت</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>لا يمكن تشغيل القنوات %1 بشكل متزامن: تحتوي الشاشة على %2 نافذة فقط.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>الإعدادات</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>تصغير</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>تكبير</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>إغلاق</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>استعادة</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>القناة %1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>ح</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>ن</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>ث</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>ر</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>خ</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>ج</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>س</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>جارٍ التحميل</translation>
    </message>
</context>
</TS>
