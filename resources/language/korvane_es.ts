<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>Enero</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Febrero</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Marzo</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Abril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mayo</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Junio</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Julio</translation>
    </message>
    <message>
        <source>August </source>
        <translation>Agosto</translation>
    </message>
    <message>
        <source>September </source>
        <translation>Septiembre</translation>
    </message>
    <message>
        <source>October </source>
        <translation>Octubre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Noviembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Diciembre</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
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
        <translation>Flujo principal</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Flujo secundario</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Vídeo a intervalos</translation>
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
        <translation>Fuera de China</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Código de seguridad</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>Este programa solo lee los discos de las grabadoras; nunca escribe en ellos. Utilice las grabaciones que muestra conforme a la ley.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Licencias de código abierto</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Acuerdos de servicio</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Añadir...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Record Stream</source>
        <translation>Flujo de grabación</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Tipo de mapa</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Clave del mapa</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Carpeta de grabaciones</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Carpeta de imágenes</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>Imágenes de disco</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Fecha de compilación</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Abrir imagen de disco</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>No se pudo guardar la clave del mapa en %1.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>El cambio se aplicará cuando se reinicie Korvane.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Seleccione la carpeta de grabaciones</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Seleccione la carpeta de capturas</translation>
    </message>
</context>
<context>
    <name>CCutFileDlg</name>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Examinar</translation>
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
        <translation>Intervalo de recorte </translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>FilePath</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Hora de inicio</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Hora de fin</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Seleccione la carpeta de grabaciones</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>El nombre del archivo no contiene un intervalo de tiempo; no se puede recortar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Hora no válida</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>¿Cancelar el recorte de la grabación?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Error de conversión</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Recorte completado</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>Error al recortar</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Recorte completado</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>Iniciando el recorte</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>Buscando la posición inicial</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>Convirtiendo la grabación</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>Convirtiendo a MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>no se puede abrir la grabación %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>no se puede crear %1: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>no se puede dar al archivo el nombre %1: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>no se puede leer la longitud de la grabación</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>Ningún fotograma en el intervalo de tiempo</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>la conversión falló: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>Añadir grabaciones locales</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Seleccione la carpeta de grabaciones</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>No se encontró el archivo de índice</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>No hay archivos de grabación coincidentes</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Reproducción sincronizada</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar track GPS</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>El archivo no existe.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>Es una carpeta, no un archivo de imagen de disco.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>No es un archivo de imagen de disco.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>No se puede abrir el archivo para lectura (sin permiso).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>No se encontró ningún disco de grabadora (WFS) en el archivo.</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>Imágenes de disco (*.img *.dd *.001 *.raw *.bin);;Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>Abrir imagen de disco...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>No se encontró ningún disco de grabadora (WFS).</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>Se encontró %n disco de grabadora, pero no contiene grabaciones del flujo elegido en la configuración.</numerusform>
            <numerusform>Se encontraron %n discos de grabadora, pero ninguno contiene grabaciones del flujo elegido en la configuración.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>Estos discos existen, pero no se pueden abrir para lectura: %1. Para leerlos hay que pertenecer al grupo «disk» (vuelva a iniciar sesión después de unirse) o ejecutar Korvane con permiso de lectura sobre ellos.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>Imágenes de disco omitidas:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>Un archivo de imagen de disco (.img, .dd, .001) se abre con «Abrir imagen de disco...» abajo o en el menú de esta lista, o con --image FILE en la línea de órdenes.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Abrir imagen de disco</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Información del disco</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Reproducción sincronizada</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar track GPS</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Espacio total</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Espacio libre</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Espacio total de imágenes</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Espacio total de grabaciones</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Más lento</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Más rápido</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>Fotograma siguiente</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>Se está leyendo el índice del archivo; la barra de progreso no se puede usar todavía</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>Hora de la grabadora en la ventana activa / fin de su grabación</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Solo fotogramas I</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>Audio activado</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>Audio desactivado</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>En modo sincronizado hay que esperar a que se cree el índice del archivo</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Detenga primero la reproducción sincronizada</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>No se pudo capturar la imagen</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Ventana</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Cerrar todas</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Capturar imagen</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Ampliar zona</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>Etiquetas de ventana</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>División de pantalla</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1 ventana</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 ventanas</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 ventanas</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 ventanas</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 ventanas</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>No se pudo iniciar la grabación</translation>
    </message>
</context>
<context>
    <name>CExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Export by File</source>
        <translation>Exportar por archivo</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>Exportar por hora</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
        <translation>Unir al exportar</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>Unión forzada</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Examinar...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Guardar en:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Quitar selección</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>Intervalo de la grabación</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Hora de inicio:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Hora de fin:</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nombre del archivo</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Ruta de exportación</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Seleccione la carpeta de grabaciones</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>¿Cancelar la exportación de las grabaciones?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>%1 archivos de esta exportación ya existen en la carpeta con otro contenido (el primero: %2). ¿Reemplazarlos?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
</context>
<context>
    <name>CExportLog</name>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nombre del archivo</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Ruta de exportación</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>Exportación terminada</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>Exportación terminada: fallaron %1 de %2 archivos</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>Fuera del intervalo</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Exportando</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Error al abrir</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Error de exportación</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Exportación cancelada</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>Fotogramas fuera del intervalo</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>No se pudo iniciar la conversión </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>Conversión terminada</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Convirtiendo</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>Error de conversión</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>No hay archivos seleccionados</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Hora no válida</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>No hay canales seleccionados</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>no se puede leer la longitud de la grabación</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>hora dañada en el directorio: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>no se puede dar al archivo el nombre %1: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>No exportado: %1 ya existe</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>no se puede escribir el registro de exportación %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>Elija la carpeta de destino: una ruta completa, como %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>la lectura falló tras %1 de %2 bytes: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>la grabación termina en el byte %1 de %2</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>el analizador del flujo rechazó los datos</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>No se puede abrir la grabación.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>No se pudo leer la grabación hasta el final; el track termina ahí.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Cancelado.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>No se puede escribir el track.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>La grabación no tiene posiciones GPS; el track guardado en %1 está vacío.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 posiciones GPS guardadas en %2.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar track GPS</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>Archivos GPX (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>Leyendo las posiciones GPS de la grabación...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
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
        <translation>¿Desea cerrar Korvane</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Para cargar el mapa hay que configurar antes una clave</translation>
    </message>
</context>
<context>
    <name>CMapWebView</name>
    <message>
        <source>Follow</source>
        <translation>Seguir</translation>
    </message>
    <message>
        <source>Keep the vehicle in view</source>
        <translation>Mantener el vehículo a la vista</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>Falta la biblioteca de mapas (Leaflet) junto al programa.</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Mapa de Baidu: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>No se pudo cargar el servicio de mapas de Baidu (sin red o sin una clave de mapa válida).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>No se pudo iniciar el mapa de Baidu: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>No se pudo cargar el servicio de mapas de Gaode (sin red o sin una clave de mapa válida).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>No se pudo iniciar el mapa de Gaode: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>No se pudo cargar el servicio de Google Maps (sin red o sin una clave de mapa válida).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>El servicio de Google Maps rechazó la clave del mapa.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>No se pudo iniciar Google Maps: %1</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Prompt</source>
        <translation>Aviso</translation>
    </message>
</context>
<context>
    <name>CRecordListManage</name>
    <message>
        <source>Disk</source>
        <translation>Disco</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Mapa</translation>
    </message>
</context>
<context>
    <name>CShowLicenseDlg</name>
    <message>
        <source>The file %1 could not be opened.</source>
        <translation>No se pudo abrir el archivo %1.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>Entendido</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>Los canales %1 no se pueden reproducir sincronizados: la pantalla tiene %2 ventanas.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximizar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
</context>
<context>
    <name>CVideoFrame</name>
    <message>
        <source>CH%1</source>
        <translation>Canal %1</translation>
    </message>
</context>
<context>
    <name>CWeekWidget</name>
    <message>
        <source>Sun</source>
        <translation>Do</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Lu</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Ma</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Mi</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Ju</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Vi</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sá</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
</context>
</TS>
