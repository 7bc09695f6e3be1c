<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="tr">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>Ocak</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Şubat</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Mart</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Nisan</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mayıs</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Haziran</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Temmuz</translation>
    </message>
    <message>
        <source>August </source>
        <translation>Ağustos</translation>
    </message>
    <message>
        <source>September </source>
        <translation>Eylül</translation>
    </message>
    <message>
        <source>October </source>
        <translation>Ekim</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Kasım</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Aralık</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
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
        <translation>Ana akış</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Alt akış</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Hızlandırılmış video</translation>
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
        <translation>Çin dışında</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Güvenlik kodu</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Gözat</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>Bu program kayıt cihazı disklerini yalnızca okur, onlara asla yazmaz. Gösterdiği kayıtları yasalara uygun şekilde kullanın.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Açık kaynak lisansları</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Hizmet sözleşmeleri</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Ekle...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Kaldır</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Dil</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>Kayıt akışı</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Harita türü</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Harita anahtarı</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Kayıt klasörü</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Resim klasörü</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>Disk görüntüleri</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Sürüm</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Derleme tarihi</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Disk görüntüsü aç</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>Harita anahtarı %1 dosyasına kaydedilemedi.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>Değişiklik Korvane yeniden başlatıldıktan sonra geçerli olacak.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Yeniden başlat</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Daha sonra</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Kayıtlar için klasör seçin</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Anlık görüntüler için klasör seçin</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>Kes</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Gözat</translation>
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
        <translation>Kesme aralığı </translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Başlat</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>Kayıt yeri</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Başlangıç</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Bitiş</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Biçim</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Kayıtlar için klasör seçin</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>Dosya adında zaman aralığı yok; dosya kesilemez</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Geçersiz zaman</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>Kaydın kesilmesi iptal edilsin mi?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Hayır</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Dönüştürme başarısız</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Kesme tamamlandı</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>Kesme başarısız</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Kesme tamamlandı</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>Kesme başlıyor</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>Başlangıç konumu aranıyor</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>Kayıt dönüştürülüyor</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>MP4&apos;e dönüştürülüyor</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>%1 kaydı açılamıyor</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 oluşturulamıyor: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>dosyaya %1 adı verilemiyor: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>kaydın uzunluğu okunamıyor</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 yazılamıyor: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>Zaman aralığında kare yok</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>dönüştürme başarısız oldu: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>Yerel kayıt ekle</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Takvim</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Kayıtlar için klasör seçin</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>Dizin dosyası bulunamadı</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>Eşleşen kayıt dosyası yok</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Oynat</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Kes</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Eşzamanlı oynat</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS izini dışa aktar</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>Dosya mevcut değil.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>Bu bir klasör, disk görüntüsü dosyası değil.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>Bu bir disk görüntüsü dosyası değil.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>Dosya okumak için açılamıyor (izin yok).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>Dosyada kayıt cihazı diski (WFS) bulunamadı.</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>Disk görüntüleri (*.img *.dd *.001 *.raw *.bin);;Tüm dosyalar (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>Disk görüntüsü aç...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Takvim</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>Kayıt cihazı diski (WFS) bulunamadı.</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>%n kayıt cihazı diski bulundu ancak hiçbirinde ayarlarda seçilen kayıt akışına ait kayıt yok.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>Bu diskler mevcut ancak okumak için açılamıyor: %1. Okumak için &quot;disk&quot; grubuna üye olmak (katıldıktan sonra yeniden oturum açın) ya da Korvane&apos;i bu diskleri okuma izniyle çalıştırmak gerekir.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>Atlanan disk görüntüleri:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>Bir disk görüntüsü dosyası (.img, .dd, .001) aşağıdaki veya bu listenin menüsündeki &quot;Disk görüntüsü aç...&quot; ile ya da komut satırında --image FILE ile açılır.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Disk görüntüsü aç</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Disk bilgisi</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Dışa aktar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Oynat</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Kes</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Eşzamanlı oynat</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS izini dışa aktar</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Toplam alan</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Boş alan</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Resim alanı toplamı</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Kayıt alanı toplamı</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>Durdur</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Oynat</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Yavaşlat</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Hızlandır</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>Sonraki kare</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Ses</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>Dosya dizini okunuyor; ilerleme çubuğu henüz kullanılamaz</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>Etkin pencerenin kayıt cihazı saati / kaydının bitişi</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Duraklat</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Yalnızca I kareleri</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>Ses açık</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>Ses kapalı</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>Eşzamanlı modda dosya dizininin oluşturulmasını beklemeniz gerekir</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Lütfen önce eşzamanlı oynatmayı durdurun</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>Görüntü yakalanamadı</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Pencere</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Tümünü kapat</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Görüntü yakala</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Kayıt</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Bölgeyi yakınlaştır</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>Pencere etiketleri</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>Ekran bölme</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1 pencere</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 pencere</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 pencere</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 pencere</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 pencere</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>Kayıt başlatılamadı</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Dışa aktar</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>Dosyaya göre dışa aktar</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>Zamana göre dışa aktar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
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
        <translation>Birleştirerek aktar</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>Zorla birleştir</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Gözat...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Biçim:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Kayıt yeri:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Tümünü seç</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Seçimi kaldır</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>Kayıt zaman aralığı</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Başlangıç:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Bitiş:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tümü</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dosya adı</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Durum</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Dışa aktarma yolu</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Kayıtlar için klasör seçin</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>Kayıtların dışa aktarılması iptal edilsin mi?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Hayır</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>Bu dışa aktarmanın %1 dosyası klasörde başka içerikle zaten var (ilki: %2). Değiştirilsin mi?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Değiştir</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dosya adı</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Durum</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Dışa aktarma yolu</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>Dışa aktarma tamamlandı</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>Dışa aktarma tamamlandı: %2 dosyadan %1 tanesi başarısız oldu</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>Zaman aralığı dışında</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Dışa aktarılıyor</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Açılamadı</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Dışa aktarma başarısız</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Dışa aktarma iptal edildi</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>Kareler zaman aralığı dışında</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>%1 klasörü oluşturulamıyor</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>Dönüştürme başlatılamadı </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>Dönüştürme tamamlandı</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Dönüştürülüyor</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>Dönüştürme başarısız</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>Dosya seçilmedi</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Geçersiz zaman</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>Kanal seçilmedi</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>kaydın uzunluğu okunamıyor</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>dizinde bozuk zaman: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>dosyaya %1 adı verilemiyor: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>Dışa aktarılmadı: %1 zaten var</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 yazılamıyor: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>dışa aktarma günlüğü %1 yazılamıyor</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>Kaydedilecek klasörü seçin: %1 gibi tam bir yol</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>okuma %2 baytın %1 baytından sonra başarısız oldu: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>kayıt %2 baytın %1. baytında bitiyor</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>akış çözümleyicisi verileri reddetti</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>Kayıt açılamıyor.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>Kayıt sonuna kadar okunamadı; iz orada bitiyor.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>İptal edildi.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>İz yazılamıyor.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>Kayıtta GPS konumu yok; %1 dosyasına kaydedilen iz boş.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 GPS konumu %2 dosyasına kaydedildi.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>GPS izini dışa aktar</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>GPX dosyaları (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>Kaydın GPS konumları okunuyor...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>İptal</translation>
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
        <translation>Korvane kapatılsın mı</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Evet</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Hayır</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Haritayı yüklemek için önce bir anahtar ayarlanmalı</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>Takip et</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>Aracı görünür tut</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>Harita kitaplığı (Leaflet) programın yanında bulunamadı.</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Baidu haritası: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>Baidu harita hizmeti yüklenemedi (ağ yok veya geçerli bir harita anahtarı yok).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>Baidu haritası başlatılamadı: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>Gaode harita hizmeti yüklenemedi (ağ yok veya geçerli bir harita anahtarı yok).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>Gaode haritası başlatılamadı: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>Google Haritalar hizmeti yüklenemedi (ağ yok veya geçerli bir harita anahtarı yok).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>Google Haritalar hizmeti harita anahtarını reddetti.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>Google haritası başlatılamadı: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>Tamam</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Bilgi</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Yerel</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Harita</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>%1 dosyası açılamadı.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>Anladım</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>%1 kanalları eşzamanlı oynatılamaz: ekranda %2 pencere var.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Ayarlar</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Simge durumuna küçült</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Ekranı kapla</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Kapat</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Önceki boyut</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>Kanal %1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>Paz</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Pzt</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Sal</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Çar</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Per</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Cum</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Cmt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Yükleniyor</translation>
    </message>
</context>
</TS>
