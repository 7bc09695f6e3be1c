<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>Январь</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Февраль</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Март</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Апрель</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Май</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Июнь</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Июль</translation>
    </message>
    <message>
        <source>August </source>
        <translation>Август</translation>
    </message>
    <message>
        <source>September </source>
        <translation>Сентябрь</translation>
    </message>
    <message>
        <source>October </source>
        <translation>Октябрь</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Ноябрь</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Декабрь</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
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
        <translation>Основной поток</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Дополнительный поток</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Интервальная запись</translation>
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
        <translation>За пределами Китая</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Код безопасности</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>Программа только читает диски видеорегистраторов и никогда не записывает на них. Используйте показанные записи в соответствии с законом.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Лицензии открытого ПО</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Пользовательское соглашение</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>Поток записи</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Тип карты</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Ключ карты</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Папка записей</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Папка снимков</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>Образы дисков</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Дата сборки</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Открыть образ диска</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>Не удалось сохранить ключ карты в %1.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>Изменение вступит в силу после перезапуска Korvane.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Перезапуск</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Позже</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Выберите папку для записей</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Выберите папку для снимков</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>Вырезать фрагмент</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
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
        <translation>Диапазон вырезания </translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Начать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Выберите папку для записей</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>В имени файла нет диапазона времени, вырезать фрагмент нельзя</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Неверное время</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>Отменить вырезание фрагмента?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Ошибка преобразования</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Фрагмент вырезан</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>Не удалось вырезать фрагмент</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Фрагмент вырезан</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>Вырезание начато</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>Поиск начала</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>Преобразование записи</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>Преобразование в MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>не удаётся открыть запись %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>не удаётся создать %1: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>не удаётся дать файлу имя %1: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>не удаётся прочитать длину записи</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>В интервале времени нет кадров</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>преобразование не удалось: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>Добавить локальные записи</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Выберите папку для записей</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>Файл индекса не найден</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>Подходящих файлов записей нет</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать фрагмент</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Синхронное воспроизведение</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Экспорт GPS-трека</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>Файл не существует.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>Это папка, а не файл образа диска.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>Это не файл образа диска.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>Файл нельзя открыть для чтения (нет прав).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>В файле не найден диск видеорегистратора (WFS).</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>Образы дисков (*.img *.dd *.001 *.raw *.bin);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>Открыть образ диска...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>Диск видеорегистратора (WFS) не найден.</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>Найден %n диск видеорегистратора, но на нём нет записей потока, выбранного в настройках.</numerusform>
            <numerusform>Найдено %n диска видеорегистратора, но ни на одном нет записей потока, выбранного в настройках.</numerusform>
            <numerusform>Найдено %n дисков видеорегистратора, но ни на одном нет записей потока, выбранного в настройках.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>Эти диски есть, но их нельзя открыть для чтения: %1. Для чтения нужно членство в группе «disk» (после вступления войдите в систему заново) или запуск Korvane с правами на чтение этих дисков.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>Пропущенные образы дисков:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>Файл образа диска (.img, .dd, .001) открывается командой «Открыть образ диска...» ниже или в меню этого списка либо параметром --image FILE в командной строке.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Открыть образ диска</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Сведения о диске</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать фрагмент</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Синхронное воспроизведение</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Экспорт GPS-трека</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Общий объём</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Свободно</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Объём для снимков</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Объём для записей</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Медленнее</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Быстрее</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>Следующий кадр</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Звук</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>Читается индекс файла, ползунок пока недоступен</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>Время регистратора в активном окне / конец его записи</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Только опорные кадры (I)</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>Звук включён</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>Звук выключен</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>В синхронном режиме нужно дождаться построения индекса файла</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Сначала остановите синхронное воспроизведение</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>Не удалось сделать снимок</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Окно</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Закрыть все</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Снимок кадра</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Увеличить область</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>Подписи окон</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>Раскладка окон</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1 окно</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 окна</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 окон</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 окон</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 окон</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>Не удалось начать запись</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>Экспорт по файлам</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>Экспорт по времени</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
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
        <translation>Объединить</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>Принудительно объединить</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Формат:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Сохранить в:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Выбрать все</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Снять выбор</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>Время записи</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Путь экспорта</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Выберите папку для записей</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>Отменить экспорт записей?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>%1 файлов этого экспорта уже есть в папке с другим содержимым (первый: %2). Заменить их?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Путь экспорта</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>Экспорт завершён</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>Экспорт завершён. Файлы с ошибкой: %1 из %2</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>Вне диапазона времени</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Не удалось открыть</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Ошибка экспорта</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Экспорт отменён</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>Кадры вне диапазона времени</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>не удалось создать папку %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>Не удалось начать преобразование </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>Преобразование завершено</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Преобразование</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>Ошибка преобразования</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>Не выбран ни один файл</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Неверное время</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>Не выбран ни один канал</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>не удаётся прочитать длину записи</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>повреждённое время в каталоге: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>не удаётся дать файлу имя %1: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>Не экспортировано: %1 уже есть</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>не удаётся записать журнал экспорта %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>Выберите папку для сохранения: полный путь, например %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>чтение прервалось после %1 из %2 байт: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>запись обрывается на байте %1 из %2</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>анализатор потока отверг данные</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>Не удаётся открыть запись.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>Запись не удалось прочитать до конца; трек обрывается на этом месте.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Отменено.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>Не удаётся записать трек.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>В записи нет GPS-координат; трек, сохранённый в %1, пуст.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>GPS-координат сохранено в %2: %1.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Экспорт GPS-трека</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>Файлы GPX (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>Чтение GPS-координат записи...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
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
        <translation>Закрыть Korvane</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Чтобы загрузить карту, задайте ключ карты</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>Следовать</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>Держать транспорт в поле зрения</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>Рядом с программой нет библиотеки карт (Leaflet).</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Карта Baidu: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>Не удалось загрузить сервис карт Baidu (нет сети или недействительный ключ карты).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>Не удалось запустить карту Baidu: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>Не удалось загрузить сервис карт Gaode (нет сети или недействительный ключ карты).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>Не удалось запустить карту Gaode: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>Не удалось загрузить сервис Google Карт (нет сети или недействительный ключ карты).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>Сервис Google Карт отклонил ключ карты.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>Не удалось запустить Google Карты: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Сообщение</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Локальные</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Карта</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>Не удалось открыть файл %1.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>Понятно</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>Каналы %1 нельзя воспроизвести синхронно: на экране только %2 окон.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>Канал %1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>Вс</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Пн</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Вт</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Ср</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Чт</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Пт</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Сб</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Загрузка</translation>
    </message>
</context>
</TS>
