<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>CCalendar</name>
    <message>
        <source>January</source>
        <translation>Janeiro</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Fevereiro</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Março</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Abril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Maio</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Junho</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Julho</translation>
    </message>
    <message>
        <source>August </source>
        <translation>Agosto</translation>
    </message>
    <message>
        <source>September </source>
        <translation>Setembro</translation>
    </message>
    <message>
        <source>October </source>
        <translation>Outubro</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Novembro</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezembro</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
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
        <translation>Fluxo principal</translation>
    </message>
    <message>
        <source>Sub Stream</source>
        <translation>Fluxo secundário</translation>
    </message>
    <message>
        <source>Timelapse Video</source>
        <translation>Vídeo em time-lapse</translation>
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
        <translation>Fora da China</translation>
    </message>
    <message>
        <source>Security Code</source>
        <translation>Código de segurança</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Procurar</translation>
    </message>
    <message>
        <source>This program only reads recorder disks; it never writes to them. Use the recordings it shows in accordance with the law.</source>
        <translation>Este programa apenas lê os discos dos gravadores; nunca grava neles. Use as gravações exibidas de acordo com a lei.</translation>
    </message>
    <message>
        <source>Open Source Licenses</source>
        <translation>Licenças de código aberto</translation>
    </message>
    <message>
        <source>Service Agreements</source>
        <translation>Termos de serviço</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Adicionar...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <translation>Fluxo de gravação</translation>
    </message>
    <message>
        <source>Map Type</source>
        <translation>Tipo de mapa</translation>
    </message>
    <message>
        <source>Map Key</source>
        <translation>Chave do mapa</translation>
    </message>
    <message>
        <source>Record Path</source>
        <translation>Pasta de gravações</translation>
    </message>
    <message>
        <source>Picture Path</source>
        <translation>Pasta de imagens</translation>
    </message>
    <message>
        <source>Disk Images</source>
        <translation>Imagens de disco</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versão</translation>
    </message>
    <message>
        <source>Build Date</source>
        <translation>Data de compilação</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Abrir imagem de disco</translation>
    </message>
    <message>
        <source>The map key could not be saved into %1.</source>
        <translation>Não foi possível salvar a chave do mapa em %1.</translation>
    </message>
    <message>
        <source>The change will take effect after a restart of Korvane.</source>
        <translation>A alteração terá efeito após reiniciar o Korvane.</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Mais tarde</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Selecione a pasta de gravações</translation>
    </message>
    <message>
        <source>Select the path for capture</source>
        <translation>Selecione a pasta de capturas</translation>
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
        <translation>Procurar</translation>
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
        <translation>Pasta</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Hora inicial</translation>
    </message>
    <message>
        <source>End Time</source>
        <translation>Hora final</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formato</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Selecione a pasta de gravações</translation>
    </message>
    <message>
        <source>The file name holds no time range; it cannot be cut</source>
        <translation>O nome do arquivo não contém um intervalo de tempo; não é possível recortá-lo</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Horário inválido</translation>
    </message>
    <message>
        <source>Whether to cancel cut recording</source>
        <translation>Cancelar o recorte da gravação?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>Convert Failed</source>
        <translation>Falha na conversão</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Recorte concluído</translation>
    </message>
</context>
<context>
    <name>CCutWorker</name>
    <message>
        <source>Cut Failed</source>
        <translation>Falha no recorte</translation>
    </message>
    <message>
        <source>Cut Success</source>
        <translation>Recorte concluído</translation>
    </message>
    <message>
        <source>Start Cut</source>
        <translation>Iniciando o recorte</translation>
    </message>
    <message>
        <source>Find Start Pos</source>
        <translation>Procurando a posição inicial</translation>
    </message>
    <message>
        <source>Convert Record</source>
        <translation>Convertendo a gravação</translation>
    </message>
    <message>
        <source>Convert To Mp4</source>
        <translation>Convertendo para MP4</translation>
    </message>
    <message>
        <source>cannot open the recording %1</source>
        <translation>não é possível abrir a gravação %1</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>não é possível criar %1: %2</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>não é possível dar ao arquivo o nome %1: %2</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>não é possível ler o tamanho da gravação</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>não é possível gravar %1: %2</translation>
    </message>
    <message>
        <source>No frame in the time range</source>
        <translation>Nenhum quadro no intervalo de tempo</translation>
    </message>
    <message>
        <source>the conversion failed: %1</source>
        <translation>a conversão falhou: %1</translation>
    </message>
</context>
<context>
    <name>CDirManagePage</name>
    <message>
        <source>Add Local Record</source>
        <translation>Adicionar gravações locais</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendário</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Selecione a pasta de gravações</translation>
    </message>
    <message>
        <source>Index file not found</source>
        <translation>Arquivo de índice não encontrado</translation>
    </message>
    <message>
        <source>No matching record file</source>
        <translation>Nenhum arquivo de gravação correspondente</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Reprodução sincronizada</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar trajeto GPS</translation>
    </message>
</context>
<context>
    <name>CDiskImage</name>
    <message>
        <source>The file does not exist.</source>
        <translation>O arquivo não existe.</translation>
    </message>
    <message>
        <source>This is a folder, not a disk image file.</source>
        <translation>Isto é uma pasta, não um arquivo de imagem de disco.</translation>
    </message>
    <message>
        <source>This is not a disk image file.</source>
        <translation>Isto não é um arquivo de imagem de disco.</translation>
    </message>
    <message>
        <source>The file cannot be opened for reading (no permission).</source>
        <translation>Não é possível abrir o arquivo para leitura (sem permissão).</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found in the file.</source>
        <translation>Nenhum disco de gravador (WFS) foi encontrado no arquivo.</translation>
    </message>
    <message>
        <source>Disk images (*.img *.dd *.001 *.raw *.bin);;All files (*)</source>
        <translation>Imagens de disco (*.img *.dd *.001 *.raw *.bin);;Todos os arquivos (*)</translation>
    </message>
</context>
<context>
    <name>CDiskManagePage</name>
    <message>
        <source>Open Disk Image...</source>
        <translation>Abrir imagem de disco...</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Calendário</translation>
    </message>
    <message>
        <source>No recorder disk (WFS) was found.</source>
        <translation>Nenhum disco de gravador (WFS) foi encontrado.</translation>
    </message>
    <message numerus="yes">
        <source>%n recorder disk(s) found, but none holds recordings of the record stream chosen in the settings.</source>
        <translation>
            <numerusform>%n disco de gravador encontrado, mas ele não contém gravações do fluxo escolhido nas configurações.</numerusform>
            <numerusform>%n discos de gravador encontrados, mas nenhum contém gravações do fluxo escolhido nas configurações.</numerusform>
        </translation>
    </message>
    <message>
        <source>These disks exist but cannot be opened for reading: %1. Reading them needs membership of the &quot;disk&quot; group (log in again after joining it) or running Korvane with read permission for them.</source>
        <translation>Estes discos existem, mas não podem ser abertos para leitura: %1. Para lê-los é preciso pertencer ao grupo &quot;disk&quot; (entre novamente na sessão depois de entrar no grupo) ou executar o Korvane com permissão de leitura sobre eles.</translation>
    </message>
    <message>
        <source>Disk images skipped:</source>
        <translation>Imagens de disco ignoradas:</translation>
    </message>
    <message>
        <source>A disk image file (.img, .dd, .001) opens with &quot;Open Disk Image...&quot; below or in the menu of this list, or with --image FILE on the command line.</source>
        <translation>Um arquivo de imagem de disco (.img, .dd, .001) é aberto com &quot;Abrir imagem de disco...&quot; abaixo ou no menu desta lista, ou com --image FILE na linha de comando.</translation>
    </message>
    <message>
        <source>Open Disk Image</source>
        <translation>Abrir imagem de disco</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Disk Info</source>
        <translation>Informações do disco</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Sync Play</source>
        <translation>Reprodução sincronizada</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar trajeto GPS</translation>
    </message>
    <message>
        <source>Total Space</source>
        <translation>Espaço total</translation>
    </message>
    <message>
        <source>Remain Space</source>
        <translation>Espaço livre</translation>
    </message>
    <message>
        <source>Picture Total Space</source>
        <translation>Espaço total de imagens</translation>
    </message>
    <message>
        <source>Record Total Space</source>
        <translation>Espaço total de gravações</translation>
    </message>
</context>
<context>
    <name>CDisplayBox</name>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproduzir</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Mais lento</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Mais rápido</translation>
    </message>
    <message>
        <source>NextFrame</source>
        <translation>Próximo quadro</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Áudio</translation>
    </message>
    <message>
        <source>The file index is being read and the progress bar cannot be operated</source>
        <translation>O índice do arquivo está sendo lido; a barra de progresso ainda não pode ser usada</translation>
    </message>
    <message>
        <source>Recorder clock of the active window / end of its recording</source>
        <translation>Relógio do gravador na janela ativa / fim da sua gravação</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Single I frame playback</source>
        <translation>Somente quadros I</translation>
    </message>
    <message>
        <source>AudioOn</source>
        <translation>Áudio ligado</translation>
    </message>
    <message>
        <source>AudioOff</source>
        <translation>Áudio desligado</translation>
    </message>
    <message>
        <source>In synchronous mode, you need to wait for the file index to be created</source>
        <translation>No modo sincronizado é preciso aguardar a criação do índice do arquivo</translation>
    </message>
    <message>
        <source>Please stop sync playback first</source>
        <translation>Pare primeiro a reprodução sincronizada</translation>
    </message>
    <message>
        <source>Failed to catch the picture</source>
        <translation>Não foi possível capturar a imagem</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Janela</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Fechar todas</translation>
    </message>
    <message>
        <source>Catch Picture</source>
        <translation>Capturar imagem</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Gravar</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Ampliar área</translation>
    </message>
    <message>
        <source>Window Labels</source>
        <translation>Rótulos das janelas</translation>
    </message>
    <message>
        <source>Video Split</source>
        <translation>Divisão da tela</translation>
    </message>
    <message>
        <source>Split1</source>
        <translation>1 janela</translation>
    </message>
    <message>
        <source>Split4</source>
        <translation>4 janelas</translation>
    </message>
    <message>
        <source>Split8</source>
        <translation>8 janelas</translation>
    </message>
    <message>
        <source>Split9</source>
        <translation>9 janelas</translation>
    </message>
    <message>
        <source>Split16</source>
        <translation>16 janelas</translation>
    </message>
    <message>
        <source>Failed to start recording</source>
        <translation>Não foi possível iniciar a gravação</translation>
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
        <translation>Exportar por arquivo</translation>
    </message>
    <message>
        <source>Export by Time</source>
        <translation>Exportar por horário</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
        <translation>Mesclar ao exportar</translation>
    </message>
    <message>
        <source>Forced Merge</source>
        <translation>Mesclagem forçada</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Procurar...</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Formato:</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Salvar em:</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Selecionar tudo</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Limpar seleção</translation>
    </message>
    <message>
        <source>Record Time Range</source>
        <translation>Intervalo da gravação</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Hora inicial:</translation>
    </message>
    <message>
        <source>End Time:</source>
        <translation>Hora final:</translation>
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
        <translation>Nome do arquivo</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Caminho de exportação</translation>
    </message>
    <message>
        <source>Select the path for record</source>
        <translation>Selecione a pasta de gravações</translation>
    </message>
    <message>
        <source>Whether to cancel export recording</source>
        <translation>Cancelar a exportação das gravações?</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Não</translation>
    </message>
    <message>
        <source>%1 files of this export already exist in the folder with other contents (the first: %2). Replace them?</source>
        <translation>%1 arquivos desta exportação já existem na pasta com outro conteúdo (o primeiro: %2). Substituí-los?</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Substituir</translation>
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
        <translation>Nome do arquivo</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Export Path</source>
        <translation>Caminho de exportação</translation>
    </message>
</context>
<context>
    <name>CExportWorker</name>
    <message>
        <source>Export Finish</source>
        <translation>Exportação concluída</translation>
    </message>
    <message>
        <source>Export finished: %1 of %2 files failed</source>
        <translation>Exportação concluída: %1 de %2 arquivos falharam</translation>
    </message>
    <message>
        <source>Not in time range</source>
        <translation>Fora do intervalo</translation>
    </message>
    <message>
        <source>Exporting</source>
        <translation>Exportando</translation>
    </message>
    <message>
        <source>Open failed</source>
        <translation>Falha ao abrir</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Falha na exportação</translation>
    </message>
    <message>
        <source>Export cancelled</source>
        <translation>Exportação cancelada</translation>
    </message>
    <message>
        <source>Frame not in time range</source>
        <translation>Quadros fora do intervalo</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>não é possível criar a pasta %1</translation>
    </message>
    <message>
        <source>Start convert failed </source>
        <translation>Não foi possível iniciar a conversão </translation>
    </message>
    <message>
        <source>Convert finish</source>
        <translation>Conversão concluída</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Convertendo</translation>
    </message>
    <message>
        <source>Convert failed</source>
        <translation>Falha na conversão</translation>
    </message>
    <message>
        <source>No files selected</source>
        <translation>Nenhum arquivo selecionado</translation>
    </message>
    <message>
        <source>Abnormal time</source>
        <translation>Horário inválido</translation>
    </message>
    <message>
        <source>No channels selected</source>
        <translation>Nenhum canal selecionado</translation>
    </message>
    <message>
        <source>the length of the recording cannot be read</source>
        <translation>não é possível ler o tamanho da gravação</translation>
    </message>
    <message>
        <source>damaged time in the directory: %1</source>
        <translation>hora danificada no diretório: %1</translation>
    </message>
    <message>
        <source>cannot name the file %1: %2</source>
        <translation>não é possível dar ao arquivo o nome %1: %2</translation>
    </message>
    <message>
        <source>Not exported: %1 exists</source>
        <translation>Não exportado: %1 já existe</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>não é possível gravar %1: %2</translation>
    </message>
    <message>
        <source>cannot write the export log %1</source>
        <translation>não é possível gravar o registro de exportação %1</translation>
    </message>
    <message>
        <source>Choose the folder to save to: a full path, such as %1</source>
        <translation>Escolha a pasta de destino: um caminho completo, como %1</translation>
    </message>
</context>
<context>
    <name>CFSFile</name>
    <message>
        <source>read failed after %1 of %2 bytes: %3</source>
        <translation>a leitura falhou após %1 de %2 bytes: %3</translation>
    </message>
    <message>
        <source>the recording ends at byte %1 of %2</source>
        <translation>a gravação termina no byte %1 de %2</translation>
    </message>
</context>
<context>
    <name>CFrameWalker</name>
    <message>
        <source>the stream parser refused the data</source>
        <translation>o analisador do fluxo recusou os dados</translation>
    </message>
</context>
<context>
    <name>CGpsTrack</name>
    <message>
        <source>The recording cannot be opened.</source>
        <translation>Não é possível abrir a gravação.</translation>
    </message>
    <message>
        <source>The recording could not be read to its end; the track ends there.</source>
        <translation>Não foi possível ler a gravação até o fim; o trajeto termina ali.</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>Cancelado.</translation>
    </message>
    <message>
        <source>The track cannot be written.</source>
        <translation>Não é possível gravar o trajeto.</translation>
    </message>
</context>
<context>
    <name>CGpsTrackExport</name>
    <message>
        <source>The recording has no GPS positions; the track saved in %1 is empty.</source>
        <translation>A gravação não tem posições de GPS; o trajeto salvo em %1 está vazio.</translation>
    </message>
    <message>
        <source>%1 GPS positions saved in %2.</source>
        <translation>%1 posições de GPS salvas em %2.</translation>
    </message>
    <message>
        <source>Export GPS Track</source>
        <translation>Exportar trajeto GPS</translation>
    </message>
    <message>
        <source>GPX files (*.gpx)</source>
        <translation>Arquivos GPX (*.gpx)</translation>
    </message>
    <message>
        <source>Reading the GPS positions of the recording...</source>
        <translation>Lendo as posições de GPS da gravação...</translation>
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
        <translation>Deseja fechar o Korvane</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sim</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Não</translation>
    </message>
</context>
<context>
    <name>CMapView</name>
    <message>
        <source>Map loading requires initialization of a key</source>
        <translation>Para carregar o mapa é preciso configurar uma chave</translation>
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
        <translation>Manter o veículo à vista</translation>
    </message>
    <message>
        <source>The map library (Leaflet) is missing beside the program.</source>
        <translation>A biblioteca de mapas (Leaflet) não está junto ao programa.</translation>
    </message>
    <message>
        <source>Baidu map: %1</source>
        <translation>Mapa do Baidu: %1</translation>
    </message>
    <message>
        <source>The Baidu map service could not be loaded (no network, or no valid map key).</source>
        <translation>Não foi possível carregar o serviço de mapas do Baidu (sem rede ou sem uma chave de mapa válida).</translation>
    </message>
    <message>
        <source>The Baidu map could not be started: %1</source>
        <translation>Não foi possível iniciar o mapa do Baidu: %1</translation>
    </message>
    <message>
        <source>The Gaode map service could not be loaded (no network, or no valid map key).</source>
        <translation>Não foi possível carregar o serviço de mapas do Gaode (sem rede ou sem uma chave de mapa válida).</translation>
    </message>
    <message>
        <source>The Gaode map could not be started: %1</source>
        <translation>Não foi possível iniciar o mapa do Gaode: %1</translation>
    </message>
    <message>
        <source>The Google map service could not be loaded (no network, or no valid map key).</source>
        <translation>Não foi possível carregar o serviço do Google Maps (sem rede ou sem uma chave de mapa válida).</translation>
    </message>
    <message>
        <source>The Google map service refused the map key.</source>
        <translation>O serviço do Google Maps recusou a chave do mapa.</translation>
    </message>
    <message>
        <source>The Google map could not be started: %1</source>
        <translation>Não foi possível iniciar o Google Maps: %1</translation>
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
        <translation>Não foi possível abrir o arquivo %1.</translation>
    </message>
    <message>
        <source>I already know</source>
        <translation>Entendi</translation>
    </message>
</context>
<context>
    <name>CSyncPlayPlan</name>
    <message>
        <source>Channels %1 cannot play in step: the wall has %2 windows.</source>
        <translation>Os canais %1 não podem ser reproduzidos em sincronia: a tela tem %2 janelas.</translation>
    </message>
</context>
<context>
    <name>CTitleWidget</name>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
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
        <translation>Fechar</translation>
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
        <translation>Dom</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>Seg</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>Ter</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>Qua</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>Qui</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>Sáb</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Loading</source>
        <translation>Carregando</translation>
    </message>
</context>
</TS>
