<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Batch</name>
    <message>
        <source>batch %1% left %2</source>
        <extracomment>The headless progress line&apos;s end: the share of the whole batch done and its time left (h:mm:ss, or ?)</extracomment>
        <translation>Stapel %1% noch %2</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be written into a batch file safely (it holds a double quote, %, !, a line break or another control character): the file is left out of the script. A .sh script can hold any name.</source>
        <translation>Der Name &quot;%1&quot; kann nicht sicher in eine Batch-Datei geschrieben werden (er enthält ein doppeltes Anführungszeichen, %, !, einen Zeilenumbruch oder ein anderes Steuerzeichen): Die Datei wird im Skript ausgelassen. Ein .sh-Skript kann jeden Namen aufnehmen.</translation>
    </message>
    <message>
        <source>Shell scripts (*.sh)</source>
        <translation>Shell-Skripte (*.sh)</translation>
    </message>
    <message>
        <source>Batch files (*.bat)</source>
        <extracomment>Windows batch files</extracomment>
        <translation>Batch-Dateien (*.bat)</translation>
    </message>
    <message>
        <source>GNU parallel job lists (*.jobs)</source>
        <translation>Auftragslisten für GNU parallel (*.jobs)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last two of a list of file name endings: &quot;.sh, .bat or .jobs&quot;</extracomment>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>The script name &quot;%1&quot; must end in %2.</source>
        <extracomment>%2: the endings of the script kinds, &quot;.sh, .bat or .jobs&quot;</extracomment>
        <translation>Der Skriptname &quot;%1&quot; muss auf %2 enden.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid UTF-8 and cannot be written into this script: the file is left out of it. A .sh script can hold it.</source>
        <translation>Der Name &quot;%1&quot; ist kein gültiges UTF-8 und kann nicht in dieses Skript geschrieben werden: Die Datei wird darin ausgelassen. Ein .sh-Skript kann ihn aufnehmen.</translation>
    </message>
</context>
<context>
    <name>BatchScriptWriter</name>
    <message>
        <source>invalid setting (%1)</source>
        <translation>ungültige Einstellung (%1)</translation>
    </message>
    <message>
        <source>Couldn&apos;t write the file &quot;%1&quot;: %2</source>
        <translation>Die Datei &quot;%1&quot; konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>report on the encoder and the MediaInfo library</source>
        <translation>Bericht über den Encoder und die MediaInfo-Bibliothek</translation>
    </message>
    <message>
        <source>the file information report of FILE</source>
        <translation>der Dateiinformationsbericht zu FILE</translation>
    </message>
    <message>
        <source>the encoder command line for FILE</source>
        <translation>die Encoder-Befehlszeile für FILE</translation>
    </message>
    <message>
        <source>convert every INPUT</source>
        <translation>jede Eingabe INPUT konvertieren</translation>
    </message>
    <message>
        <source>write the batch as a script instead of running it</source>
        <translation>den Stapel als Skript schreiben, statt ihn auszuführen</translation>
    </message>
    <message>
        <source>check the batch before converting: problems, then a forecast</source>
        <translation>den Stapel vor dem Konvertieren prüfen: Probleme, dann eine Prognose</translation>
    </message>
    <message>
        <source>ask the maker&apos;s server for a newer version</source>
        <translation>beim Server des Herstellers nach einer neueren Version fragen</translation>
    </message>
    <message>
        <source>--set needs KEY=VALUE, got &apos;%1&apos;</source>
        <translation>--set erwartet KEY=VALUE, erhalten: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>set one profile key (the KEYS below); repeatable</source>
        <translation>einen Profilschlüssel setzen (die KEYS unten); wiederholbar</translation>
    </message>
    <message>
        <source>write the outputs to DIR (default: beside the input)</source>
        <translation>die Ausgaben nach DIR schreiben (Standard: neben die Eingabe)</translation>
    </message>
    <message>
        <source>--if-exists takes rename, overwrite or skip, not &apos;%1&apos;</source>
        <translation>--if-exists erwartet rename, overwrite oder skip, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>when the output exists (default: rename)</source>
        <translation>wenn die Ausgabe schon existiert (Standard: rename)</translation>
    </message>
    <message>
        <source>give each output its input&apos;s file dates</source>
        <translation>jeder Ausgabe die Zeitstempel ihrer Eingabedatei geben</translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to %1 or auto, not &apos;%2&apos;</source>
        <translation>--jobs erwartet eine Zahl von 1 bis %1 oder auto, nicht &apos;%2&apos;</translation>
    </message>
    <message>
        <source>convert N files side by side (auto: one per core; default 1)</source>
        <translation>N Dateien gleichzeitig konvertieren (auto: eine pro Kern; Standard 1)</translation>
    </message>
    <message>
        <source>use DIR as the program home</source>
        <translation>DIR als Programmordner verwenden</translation>
    </message>
    <message>
        <source>end of options</source>
        <translation>Ende der Optionen</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last two of a list of options: &quot;--convert, --script or --check&quot;</extracomment>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; takes no value</source>
        <translation>Option &apos;%1&apos; erwartet keinen Wert</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be combined with &apos;%2&apos;</source>
        <translation>&apos;%1&apos; kann nicht mit &apos;%2&apos; kombiniert werden</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs an argument</source>
        <translation>Option &apos;%1&apos; erwartet ein Argument</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs %2</source>
        <extracomment>%2: the options of the modes it belongs to, &quot;--convert, --script or --check&quot;</extracomment>
        <translation>Option &apos;%1&apos; erfordert %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a FILE</source>
        <extracomment>FILE as in the usage lines of --help</extracomment>
        <translation>&apos;%1&apos; benötigt eine Datei (FILE)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs at least one INPUT</source>
        <extracomment>INPUT as in the usage lines of --help</extracomment>
        <translation>&apos;%1&apos; benötigt mindestens eine Eingabe (INPUT)</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>open the window; every INPUT is added to the list</source>
        <translation>das Fenster öffnen; jede Eingabe INPUT wird der Liste hinzugefügt</translation>
    </message>
    <message>
        <source>SETTINGS (start from the default encoder settings):</source>
        <translation>SETTINGS (ausgehend von den Standard-Encodereinstellungen):</translation>
    </message>
    <message>
        <source>KEYS of --set (any case; a value that cannot be used warns and is replaced):</source>
        <translation>KEYS von --set (Schreibweise egal; unbrauchbare Werte warnen und werden ersetzt):</translation>
    </message>
    <message>
        <source>OUTPUT:</source>
        <translation>OUTPUT (Ausgabe):</translation>
    </message>
    <message>
        <source>INPUT: files, folders and .lst file lists.</source>
        <translation>INPUT: Dateien, Ordner und .lst-Dateilisten.</translation>
    </message>
    <message>
        <source>Exit status: 0 all done, 1 a file failed, 2 usage or set-up error, 130 interrupted.</source>
        <translation>Rückgabewert: 0 fertig, 1 Datei fehlgeschlagen, 2 Aufruf-/Einrichtungsfehler, 130 unterbrochen.</translation>
    </message>
    <message>
        <source>Try &apos;vexaconv --help&apos; for more information.</source>
        <translation>Mit &apos;vexaconv --help&apos; erhalten Sie weitere Informationen.</translation>
    </message>
    <message>
        <source>convert ten seconds from the middle of FILE into the temp folder, print the file&apos;s path and how long the whole file would take</source>
        <translation>zehn Sekunden aus der Mitte von FILE in den Temp-Ordner konvertieren, den Pfad der Datei ausgeben und wie lange die ganze Datei dauern würde</translation>
    </message>
    <message>
        <source>load a profile: a file, a profile of the program home&apos;s profiles folder or one that comes with the program, by the name the window&apos;s profile box shows (or its file name), or last: the last-session settings</source>
        <translation>ein Profil laden: eine Datei, ein Profil aus dem Profilordner des Programmordners oder ein mitgeliefertes, unter dem Namen, den das Profilfeld des Fensters zeigt (oder unter seinem Dateinamen), oder last: die Einstellungen der letzten Sitzung</translation>
    </message>
    <message>
        <source>with --out-dir: a file found in an INPUT folder goes to the same subfolder of DIR as it has in that folder</source>
        <translation>mit --out-dir: eine in einem INPUT-Ordner gefundene Datei kommt in denselben Unterordner von DIR wie in diesem Ordner</translation>
    </message>
</context>
<context>
    <name>ContentCheck</name>
    <message>
        <source>The output is mirrored left to right against its source.</source>
        <translation>Die Ausgabe ist gegenüber der Quelle seitenverkehrt gespiegelt.</translation>
    </message>
    <message>
        <source>The output is upside down (flipped top to bottom) against its source.</source>
        <translation>Die Ausgabe ist gegenüber der Quelle von oben nach unten gespiegelt.</translation>
    </message>
    <message>
        <source>The output is turned upside down against its source.</source>
        <translation>Die Ausgabe steht gegenüber der Quelle auf dem Kopf.</translation>
    </message>
    <message>
        <source>The output is turned on its side against its source.</source>
        <translation>Die Ausgabe ist gegenüber der Quelle um eine Vierteldrehung gedreht.</translation>
    </message>
    <message>
        <source>The output is turned and mirrored against its source.</source>
        <translation>Die Ausgabe ist gegenüber der Quelle gedreht und gespiegelt.</translation>
    </message>
    <message>
        <source>The output shows the first picture for the whole length.</source>
        <translation>Die Ausgabe zeigt die ganze Zeit über das erste Bild.</translation>
    </message>
    <message>
        <source>The output shows one still picture where its source moves.</source>
        <translation>Die Ausgabe zeigt ein Standbild, wo sich die Quelle bewegt.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures come at the wrong moments: at %1 it shows its source&apos;s picture of %2.</source>
        <extracomment>The output plays pictures at the wrong moments: &quot;at 2.00 s it shows the source&apos;s picture of 4.00 s&quot;</extracomment>
        <translation>Die Bilder der Ausgabe kommen zur falschen Zeit: Bei %1 zeigt sie das Bild der Quelle von %2.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures come %1 late against its source&apos;s.</source>
        <translation>Die Bilder der Ausgabe kommen %1 später als die der Quelle.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures come %1 early against its source&apos;s.</source>
        <translation>Die Bilder der Ausgabe kommen %1 früher als die der Quelle.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures differ from its source&apos;s at %1 of %2 moments.</source>
        <translation>Die Bilder der Ausgabe weichen an %1 von %2 Stellen von denen der Quelle ab.</translation>
    </message>
    <message>
        <source>The sound drifts against the picture: from %1 to %2 late.</source>
        <extracomment>Lip sync that changes along the file: &quot;from 0.00 s to 0.80 s late&quot;</extracomment>
        <translation>Der Ton verschiebt sich gegenüber dem Bild: von %1 bis %2 zu spät.</translation>
    </message>
    <message>
        <source>The sound is %1 late against the picture.</source>
        <translation>Der Ton kommt %1 nach dem Bild.</translation>
    </message>
    <message>
        <source>The sound is %1 early against the picture.</source>
        <translation>Der Ton kommt %1 vor dem Bild.</translation>
    </message>
    <message>
        <source>No picture of the output can be decoded.</source>
        <translation>Kein Bild der Ausgabe lässt sich dekodieren.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures drift against its source&apos;s: from %1 to %2 late.</source>
        <extracomment>%1, %2: the smallest and the largest offset of the output&apos;s pictures, &quot;-0.16 s&quot;, &quot;0.08 s&quot;</extracomment>
        <translation>Die Bilder der Ausgabe verschieben sich gegenüber denen der Quelle: von %1 bis %2 zu spät.</translation>
    </message>
    <message>
        <source>The output has no sound from %1 on.</source>
        <translation>Die Ausgabe hat ab %1 keinen Ton.</translation>
    </message>
    <message>
        <source>The output&apos;s pictures carry their times out of order: players show them in the wrong order.</source>
        <translation>Die Bilder der Ausgabe tragen ihre Zeiten in falscher Reihenfolge: Player zeigen sie in der falschen Reihenfolge.</translation>
    </message>
</context>
<context>
    <name>ConversionJob</name>
    <message>
        <source>The encoder ended without an error but wrote no output file.</source>
        <translation>Der Encoder wurde ohne Fehler beendet, hat aber keine Ausgabedatei geschrieben.</translation>
    </message>
    <message>
        <source>The encoder ended without an error but wrote nothing: the output file is empty (0 bytes); it was deleted.</source>
        <translation>Der Encoder wurde ohne Fehler beendet, hat aber nichts geschrieben: Die Ausgabedatei ist leer (0 Byte); sie wurde gelöscht.</translation>
    </message>
    <message>
        <source>Output check failed: %1</source>
        <translation>Prüfung der Ausgabe fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Output check failed: %1 (%2)</source>
        <translation>Prüfung der Ausgabe fehlgeschlagen: %1 (%2)</translation>
    </message>
    <message>
        <source>MEncoder&apos;s output failed the check (%1)</source>
        <extracomment>%1: what the check found wrong in MEncoder&apos;s output (&quot;The output&apos;s pictures come at the wrong moments&quot;)</extracomment>
        <translation>Die Ausgabe von MEncoder hat die Prüfung nicht bestanden (%1)</translation>
    </message>
</context>
<context>
    <name>DesktopEntry</name>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>the folder %1 is not writable.</source>
        <translation>in den Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>Encoding</name>
    <message>
        <source>CBR - Constant</source>
        <translation>CBR - Konstant</translation>
    </message>
    <message>
        <source>ABR - Average</source>
        <translation>ABR - Durchschnitt</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>Joint-Stereo</source>
        <translation>Joint-Stereo</translation>
    </message>
    <message>
        <source>Dual channel</source>
        <extracomment>Two independent mono channels in one stream</extracomment>
        <translation>Zweikanal</translation>
    </message>
    <message>
        <source>Mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>0 - Highest quality</source>
        <translation>0 - Höchste Qualität</translation>
    </message>
    <message>
        <source>2 - Recommended</source>
        <translation>2 - Empfohlen</translation>
    </message>
    <message>
        <source>5 - LAME default</source>
        <extracomment>LAME is the MP3 encoder&apos;s name</extracomment>
        <translation>5 - LAME-Standard</translation>
    </message>
    <message>
        <source>8 - Low quality</source>
        <translation>8 - Niedrige Qualität</translation>
    </message>
    <message>
        <source>to the right</source>
        <extracomment>Rotate by 90°: clockwise</extracomment>
        <translation>nach rechts</translation>
    </message>
    <message>
        <source>to the left</source>
        <translation>nach links</translation>
    </message>
    <message>
        <source>Deinterlace</source>
        <translation>Deinterlacen</translation>
    </message>
    <message>
        <source>Keep original</source>
        <extracomment>Keep the interlaced picture as it is</extracomment>
        <translation>Original beibehalten</translation>
    </message>
    <message>
        <source>Rename file</source>
        <extracomment>What to do when the output file exists already: give the new one another name</extracomment>
        <translation>Datei umbenennen</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Skip file</source>
        <extracomment>What to do when the output file exists already: leave the input out</extracomment>
        <translation>Datei überspringen</translation>
    </message>
    <message>
        <source>Do nothing</source>
        <translation>Nichts tun</translation>
    </message>
    <message>
        <source>Close application</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Video bitrate: %s\nBitrate must be an integer value!</source>
        <translation>Video-Bitrate: %s\nDie Bitrate muss eine ganze Zahl sein!</translation>
    </message>
    <message>
        <source>Video FPS: %s\nFPS must be a float value!</source>
        <translation>Video-Bildwiederholrate: %s\nDie Bildwiederholrate muss eine Dezimalzahl sein!</translation>
    </message>
    <message>
        <source>Audio bitrate: %s\nBitrate must be an integer value!</source>
        <translation>Audio-Bitrate: %s\nDie Bitrate muss eine ganze Zahl sein!</translation>
    </message>
    <message>
        <source>Audio sampling frequency: %s\nFrequency must be an integer value!</source>
        <translation>Audio-Abtastrate: %s\nDie Abtastrate muss eine ganze Zahl sein!</translation>
    </message>
    <message>
        <source>fastest, largest files</source>
        <translation>am schnellsten, größte Dateien</translation>
    </message>
    <message>
        <source>very quick, very large files</source>
        <translation>sehr schnell, sehr große Dateien</translation>
    </message>
    <message>
        <source>quicker, larger files</source>
        <translation>schneller, größere Dateien</translation>
    </message>
    <message>
        <source>a bit quicker, a bit larger</source>
        <translation>etwas schneller, etwas größer</translation>
    </message>
    <message>
        <source>slightly quicker</source>
        <translation>ein wenig schneller</translation>
    </message>
    <message>
        <source>balanced</source>
        <translation>ausgewogen</translation>
    </message>
    <message>
        <source>slower, smaller files</source>
        <translation>langsamer, kleinere Dateien</translation>
    </message>
    <message>
        <source>much slower, smallest files</source>
        <translation>viel langsamer, kleinste Dateien</translation>
    </message>
    <message>
        <source>extremely slow, hardly smaller</source>
        <translation>äußerst langsam, kaum kleiner</translation>
    </message>
    <message>
        <source>live-action footage</source>
        <translation>Realfilm</translation>
    </message>
    <message>
        <source>cartoons and anime</source>
        <translation>Zeichentrick und Anime</translation>
    </message>
    <message>
        <source>keeps film grain</source>
        <translation>erhält das Filmkorn</translation>
    </message>
    <message>
        <source>slide shows</source>
        <translation>Diashows</translation>
    </message>
    <message>
        <source>for PSNR measurements</source>
        <translation>für PSNR-Messungen</translation>
    </message>
    <message>
        <source>for SSIM measurements</source>
        <translation>für SSIM-Messungen</translation>
    </message>
    <message>
        <source>plays on slow devices</source>
        <translation>für langsame Abspielgeräte</translation>
    </message>
    <message>
        <source>live streaming</source>
        <translation>Live-Streaming</translation>
    </message>
    <message>
        <source>Bit rate</source>
        <extracomment>How the video&apos;s size is steered: by a bit rate, or by a quality the encoder keeps</extracomment>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>By language</source>
        <extracomment>Subtitles: burn the file&apos;s subtitle track in the languages typed below</extracomment>
        <translation>Nach Sprache</translation>
    </message>
    <message>
        <source>Forced only</source>
        <extracomment>Subtitles: burn the file&apos;s forced subtitle track (the lines in a foreign language)</extracomment>
        <translation>Nur erzwungene</translation>
    </message>
    <message>
        <source>File beside it</source>
        <extracomment>Subtitles: burn a subtitle file of the same name beside the video</extracomment>
        <translation>Datei daneben</translation>
    </message>
    <message>
        <source>Automatic</source>
        <extracomment>The encoder setting: MEncoder, and FFmpeg where MEncoder cannot convert a file faithfully</extracomment>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>FaithfulOutput</name>
    <message>
        <source>the picture size %1x%2 becomes %3x%4 (the codec needs even sides)</source>
        <translation>die Bildgröße %1x%2 wird zu %3x%4 (der Codec braucht gerade Seitenlängen)</translation>
    </message>
    <message>
        <source>the picture is turned %1° clockwise to stand upright</source>
        <translation>das Bild wird um %1° im Uhrzeigersinn gedreht, damit es aufrecht steht</translation>
    </message>
    <message>
        <source>the picture is shown at %1:1 as in the source</source>
        <extracomment>%1 is the display aspect as a number: 1.778 for 16:9</extracomment>
        <translation>das Bild wird wie in der Quelle im Seitenverhältnis %1:1 angezeigt</translation>
    </message>
    <message>
        <source>the frame rate varies: the pictures are read at their mean rate of %1 fps to keep the length</source>
        <translation>die Bildwiederholrate schwankt: Die Bilder werden mit ihrer mittleren Rate von %1 fps gelesen, damit die Dauer erhalten bleibt</translation>
    </message>
    <message>
        <source>The sound starts %1 after the picture, and an %2 file from the encoder cannot keep that offset: convert this file to AVI.</source>
        <extracomment>%1 is a time in seconds (&quot;0.25 s&quot;), %2 the output&apos;s container (&quot;MP4&quot;, &quot;MKV&quot;)</extracomment>
        <translation>Der Ton beginnt %1 nach dem Bild, und eine %2-Datei des Encoders kann diesen Versatz nicht beibehalten: Konvertieren Sie diese Datei nach AVI.</translation>
    </message>
    <message>
        <source>the sound starts %1 after the picture, as in the source</source>
        <translation>der Ton beginnt wie in der Quelle %1 nach dem Bild</translation>
    </message>
    <message>
        <source>the picture is mirrored as players show it</source>
        <translation>das Bild wird gespiegelt, wie Player es zeigen</translation>
    </message>
    <message>
        <source>the frame rate varies: the pictures keep their own moments at up to %1 fps</source>
        <translation>die Bildrate schwankt: die Bilder behalten ihre Zeitpunkte, mit bis zu %1 fps</translation>
    </message>
    <message>
        <source>the picture starts %1 after the sound, as in the source</source>
        <translation>das Bild beginnt %1 nach dem Ton, wie in der Quelle</translation>
    </message>
    <message>
        <source>The picture starts %1 after the sound, and an %2 file from the encoder cannot keep that offset: convert this file to AVI.</source>
        <translation>Das Bild beginnt %1 nach dem Ton, und eine %2-Datei des Encoders kann diesen Versatz nicht halten: Wandeln Sie diese Datei in AVI um.</translation>
    </message>
    <message>
        <source>The file was cut without re-encoding and hides pictures before its start, which the encoder would show: the output would not start where the file does.</source>
        <translation>Die Datei wurde ohne Neukodierung geschnitten und verbirgt Bilder vor ihrem Anfang, die der Encoder zeigen würde: Die Ausgabe würde nicht dort beginnen, wo die Datei beginnt.</translation>
    </message>
    <message>
        <source>the picture size %1x%2 becomes %3x%4 (largest height %5)</source>
        <extracomment>%1x%2 the picture&apos;s size, %3x%4 the smaller size it gets, %5 the largest height set</extracomment>
        <translation>die Bildgröße %1x%2 wird zu %3x%4 (größte Höhe %5)</translation>
    </message>
    <message>
        <source>the AVI file has empty picture chunks: it is read by a second reader that keeps every picture</source>
        <translation>die AVI-Datei enthält leere Bildblöcke: sie wird mit einem zweiten Lesemodul gelesen, das jedes Bild behält</translation>
    </message>
</context>
<context>
    <name>FfmpegCommand</name>
    <message>
        <source>Opus sound goes into MKV only: choose MKV as the output format, or AAC sound for %1.</source>
        <extracomment>%1: the output format (&quot;MP4&quot;)</extracomment>
        <translation>Opus-Ton passt nur in MKV: Wählen Sie MKV als Ausgabeformat oder AAC-Ton für %1.</translation>
    </message>
    <message>
        <source>This ffmpeg program has no Opus encoder (libopus): choose AAC sound.</source>
        <translation>Diesem ffmpeg-Programm fehlt der Opus-Encoder (libopus): Wählen Sie AAC-Ton.</translation>
    </message>
    <message>
        <source>%1 video goes into MP4 or MKV only: choose MP4 or MKV as the output format, or H.264 video for %2.</source>
        <extracomment>%1: the video codec (&quot;HEVC&quot;, &quot;AV1&quot;), %2: the output format (&quot;AVI&quot;)</extracomment>
        <translation>%1-Video passt nur in MP4 oder MKV: Wählen Sie MP4 oder MKV als Ausgabeformat oder H.264-Video für %2.</translation>
    </message>
    <message>
        <source>This ffmpeg program has no %1 encoder (%2): install Debian&apos;s package ffmpeg, which has it, or choose H.264 video.</source>
        <extracomment>%1: the video codec (&quot;HEVC&quot;, &quot;AV1&quot;), %2: ffmpeg&apos;s encoder (&quot;libx265&quot;, &quot;libsvtav1&quot;)</extracomment>
        <translation>Diesem ffmpeg-Programm fehlt der %1-Encoder (%2): Installieren Sie Debians Paket ffmpeg, das ihn enthält, oder wählen Sie H.264-Video.</translation>
    </message>
    <message>
        <source>The AV1 encoder takes pictures of at least %1x%1 pixels, and this file&apos;s is %2x%3: choose H.264 or HEVC video, or a larger size.</source>
        <extracomment>%1: the smallest side (64), %2 and %3: the output&apos;s width and height</extracomment>
        <translation>Der AV1-Encoder nimmt Bilder ab %1x%1 Pixeln, das Bild dieser Datei hat %2x%3: Wählen Sie H.264- oder HEVC-Video oder eine größere Auflösung.</translation>
    </message>
</context>
<context>
    <name>FileInfo</name>
    <message>
        <source>bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Byte)</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Overall bitrate:</source>
        <translation>Gesamtbitrate:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Encoded application:</source>
        <translation>Kodierprogramm:</translation>
    </message>
    <message>
        <source>Number of all data streams:</source>
        <translation>Anzahl aller Spuren:</translation>
    </message>
    <message>
        <source>Number of video streams:</source>
        <translation>Anzahl der Videospuren:</translation>
    </message>
    <message>
        <source>Number of audio streams:</source>
        <translation>Anzahl der Audiospuren:</translation>
    </message>
    <message>
        <source>Codec:</source>
        <translation>Codec:</translation>
    </message>
    <message>
        <source>Profile:</source>
        <extracomment>The codec&apos;s profile (as in &quot;High@L4.1&quot;), not a settings profile</extracomment>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Display aspect:</source>
        <translation>Seitenverhältnis:</translation>
    </message>
    <message>
        <source>FPS:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Scan type:</source>
        <translation>Bildaufbau:</translation>
    </message>
    <message>
        <source>Pixel format:</source>
        <translation>Pixelformat:</translation>
    </message>
    <message>
        <source>Bits per pixel:</source>
        <translation>Bits pro Pixel:</translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation>Bilder:</translation>
    </message>
    <message>
        <source>Stream size:</source>
        <translation>Spurgröße:</translation>
    </message>
    <message>
        <source>Encoded library:</source>
        <translation>Kodierbibliothek:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Sampling rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Bits per sample:</source>
        <translation>Bittiefe:</translation>
    </message>
    <message>
        <source>Samples:</source>
        <extracomment>The count of the sound stream&apos;s samples (frames of sound)</extracomment>
        <translation>Abtastwerte:</translation>
    </message>
    <message>
        <source>Video delay:</source>
        <extracomment>How much later than the picture this sound stream starts</extracomment>
        <translation>Versatz zum Video:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>GENERAL INFO</source>
        <translation>ALLGEMEINE INFORMATIONEN</translation>
    </message>
    <message>
        <source>File size: %1 bytes (%2)</source>
        <translation>Dateigröße: %1 Byte (%2)</translation>
    </message>
    <message>
        <source>VIDEO STREAM %1</source>
        <translation>VIDEOSPUR %1</translation>
    </message>
    <message>
        <source>VIDEO STREAM</source>
        <translation>VIDEOSPUR</translation>
    </message>
    <message>
        <source>AUDIO STREAM %1</source>
        <translation>AUDIOSPUR %1</translation>
    </message>
    <message>
        <source>%1 - Video file information report</source>
        <extracomment>The report&apos;s first line; %1 is the program&apos;s name, version and build width</extracomment>
        <translation>%1 - Informationsbericht zur Videodatei</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation>Die Datei &quot;%1&quot; kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>SUBTITLE STREAM %1</source>
        <translation>UNTERTITELSTROM %1</translation>
    </message>
    <message>
        <source>forced</source>
        <extracomment>Beside a subtitle stream&apos;s language: shown even when the sound&apos;s language is understood</extracomment>
        <translation>erzwungen</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>No</source>
        <extracomment>&quot;No&quot; as in number: the row&apos;s position in the list</extracomment>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Video-Codec</translation>
    </message>
    <message>
        <source>Video codec ID</source>
        <translation>Video-Codec-ID</translation>
    </message>
    <message>
        <source>Video profile</source>
        <translation>Videoprofil</translation>
    </message>
    <message>
        <source>Video bitrate [kbit/s]</source>
        <translation>Video-Bitrate [kbit/s]</translation>
    </message>
    <message>
        <source>Video bitrate</source>
        <translation>Video-Bitrate</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Display aspect</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>Frames/sec</source>
        <translation>Bilder/s</translation>
    </message>
    <message>
        <source>Frames/sec.</source>
        <translation>Bilder/Sek.</translation>
    </message>
    <message>
        <source>Bits/pixel</source>
        <translation>Bits/Pixel</translation>
    </message>
    <message>
        <source>Scan type</source>
        <translation>Bildaufbau</translation>
    </message>
    <message>
        <source>Video stream size</source>
        <translation>Größe der Videospur</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Audio codec</source>
        <translation>Audio-Codec</translation>
    </message>
    <message>
        <source>Audio codec ID</source>
        <translation>Audio-Codec-ID</translation>
    </message>
    <message>
        <source>Audio profile</source>
        <translation>Audioprofil</translation>
    </message>
    <message>
        <source>Audio bitrate [kbit/s]</source>
        <translation>Audio-Bitrate [kbit/s]</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Audio-Bitrate</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Sampling [Hz]</source>
        <extracomment>The sound&apos;s sampling rate</extracomment>
        <translation>Abtastrate [Hz]</translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Audio stream size</source>
        <translation>Größe der Audiospur</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>no such file, left out: %1</source>
        <translation>Datei nicht gefunden, ausgelassen: %1</translation>
    </message>
    <message>
        <source>not a regular file (a pipe, socket or device), left out: %1</source>
        <translation>keine reguläre Datei (eine Pipe, ein Socket oder ein Gerät), ausgelassen: %1</translation>
    </message>
    <message>
        <source>Cannot read the file list: %1</source>
        <translation>Die Dateiliste kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>AVG %1</source>
        <extracomment>The footer&apos;s average of a column&apos;s values</extracomment>
        <translation>Ø %1</translation>
    </message>
    <message>
        <source>AVI video files</source>
        <translation>AVI-Videodateien</translation>
    </message>
    <message>
        <source>All video files</source>
        <translation>Alle Videodateien</translation>
    </message>
    <message>
        <source>File list (*.LST)</source>
        <translation>Dateiliste (*.LST)</translation>
    </message>
    <message>
        <source>Channels: %1</source>
        <translation>Kanäle: %1</translation>
    </message>
    <message>
        <source>Reason</source>
        <extracomment>Why a row failed or cannot be read, in one sentence</extracomment>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation>Spuren</translation>
    </message>
    <message>
        <source>untagged</source>
        <translation>ohne Angabe</translation>
    </message>
    <message>
        <source>Sound: %1</source>
        <extracomment>The Tracks column: the file&apos;s sound tracks by language, &quot;Sound: English, German&quot;</extracomment>
        <translation>Ton: %1</translation>
    </message>
    <message>
        <source>Subtitles: %1</source>
        <extracomment>The Tracks column: the file&apos;s subtitle tracks by language</extracomment>
        <translation>Untertitel: %1</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>&quot;%1&quot; kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>No file name given for the settings document.</source>
        <translation>Für das Einstellungsdokument ist kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation>&quot;%1&quot; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message>
        <source>warning: the MediaInfo library was not found; the file is not analysed</source>
        <translation>Warnung: Die MediaInfo-Bibliothek wurde nicht gefunden; die Datei wird nicht analysiert</translation>
    </message>
    <message>
        <source>warning: the MediaInfo library was not found; files are not analysed</source>
        <translation>Warnung: Die MediaInfo-Bibliothek wurde nicht gefunden; die Dateien werden nicht analysiert</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>no input file was accepted</source>
        <translation>keine Eingabedatei wurde angenommen</translation>
    </message>
    <message>
        <source>note: %1</source>
        <extracomment>A line of --check: something the batch adjusts on its own</extracomment>
        <translation>Hinweis: %1</translation>
    </message>
    <message>
        <source>no such file: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>cannot write the error log &quot;%1&quot;: %2</source>
        <translation>das Fehlerprotokoll &quot;%1&quot; kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>not a regular file (a pipe, socket or device): %1</source>
        <translation>keine reguläre Datei (eine Pipe, ein Socket oder ein Gerät): %1</translation>
    </message>
    <message>
        <source>the MediaInfo library was not found</source>
        <translation>die MediaInfo-Bibliothek wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the MediaInfo library cannot be loaded: %1</source>
        <translation>die MediaInfo-Bibliothek kann nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Converted: %1, skipped: %2, failed: %3</source>
        <extracomment>The last line of a headless conversion: how many files were converted, skipped and failed</extracomment>
        <translation>Konvertiert: %1, übersprungen: %2, fehlgeschlagen: %3</translation>
    </message>
</context>
<context>
    <name>InputProblem</name>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>not a media file the program can read (unknown container, or damaged)</source>
        <translation>keine Mediendatei, die das Programm lesen kann (unbekannter Container oder beschädigt)</translation>
    </message>
    <message>
        <source>the file has no video stream</source>
        <translation>die Datei hat keine Videospur</translation>
    </message>
    <message>
        <source>the file has no video stream, only a cover picture</source>
        <extracomment>A sound file (MP4, MKV) whose only picture is its cover art</extracomment>
        <translation>die Datei hat keine Videospur, nur ein Titelbild</translation>
    </message>
</context>
<context>
    <name>OutputCheck</name>
    <message>
        <source>with the picture</source>
        <extracomment>Where the sound starts: together with the picture</extracomment>
        <translation>gleichzeitig mit dem Bild</translation>
    </message>
    <message>
        <source>%1 after the picture</source>
        <extracomment>Where the sound starts: &quot;0.50 s after the picture&quot;</extracomment>
        <translation>%1 nach dem Bild</translation>
    </message>
    <message>
        <source>%1 before the picture</source>
        <extracomment>Where the sound starts: &quot;0.50 s before the picture&quot;</extracomment>
        <translation>%1 vor dem Bild</translation>
    </message>
    <message>
        <source>The output file is empty</source>
        <translation>Die Ausgabedatei ist leer</translation>
    </message>
    <message>
        <source>MediaInfo cannot read the output file</source>
        <translation>MediaInfo kann die Ausgabedatei nicht lesen</translation>
    </message>
    <message>
        <source>The output file cannot be read: the encoder wrote no media file.</source>
        <translation>Die Ausgabedatei kann nicht gelesen werden: Der Encoder hat keine Mediendatei geschrieben.</translation>
    </message>
    <message>
        <source>The output file&apos;s format is unknown, not %1.</source>
        <translation>Das Format der Ausgabedatei ist unbekannt, nicht %1.</translation>
    </message>
    <message>
        <source>The output file&apos;s format is %1, not %2.</source>
        <translation>Das Format der Ausgabedatei ist %1, nicht %2.</translation>
    </message>
    <message>
        <source>The output file is cut short.</source>
        <translation>Die Ausgabedatei ist abgeschnitten.</translation>
    </message>
    <message>
        <source>The output has no video stream.</source>
        <translation>Die Ausgabe hat keine Videospur.</translation>
    </message>
    <message>
        <source>The video is of an unknown format, not %1.</source>
        <translation>Das Video hat ein unbekanntes Format, nicht %1.</translation>
    </message>
    <message>
        <source>The video is %1, not %2.</source>
        <translation>Das Video ist %1, nicht %2.</translation>
    </message>
    <message>
        <source>The picture is %1x%2, not %3x%4.</source>
        <extracomment>Picture sizes: &quot;The picture is 640x480, not 720x576.&quot;</extracomment>
        <translation>Das Bild ist %1x%2 groß, nicht %3x%4.</translation>
    </message>
    <message>
        <source>The output is shown at %1, the input at %2: its shape is wrong.</source>
        <extracomment>Display aspects: &quot;The output is shown at 1.33:1, the input at 1.78:1: its shape is wrong.&quot;</extracomment>
        <translation>Die Ausgabe wird im Seitenverhältnis %1 angezeigt, die Eingabe in %2: Ihre Form ist falsch.</translation>
    </message>
    <message>
        <source>The output&apos;s length is unknown.</source>
        <translation>Die Länge der Ausgabe ist unbekannt.</translation>
    </message>
    <message>
        <source>The output lasts %1, the input %2: the encoder lost frames.</source>
        <translation>Die Ausgabe dauert %1, die Eingabe %2: Der Encoder hat Bilder verloren.</translation>
    </message>
    <message>
        <source>The output lasts %1, the input %2: the encoder added frames.</source>
        <translation>Die Ausgabe dauert %1, die Eingabe %2: Der Encoder hat Bilder hinzugefügt.</translation>
    </message>
    <message>
        <source>The output has no audio stream.</source>
        <translation>Die Ausgabe hat keine Audiospur.</translation>
    </message>
    <message>
        <source>The sound starts %1 in the output, %2 in the input.</source>
        <extracomment>%1, %2: &quot;with the picture&quot;, &quot;0.50 s after the picture&quot;, &quot;0.50 s before the picture&quot;</extracomment>
        <translation>Der Ton beginnt in der Ausgabe %1, in der Eingabe %2.</translation>
    </message>
</context>
<context>
    <name>Outputs</name>
    <message>
        <source>&quot;%1&quot; is one of the files to convert: it is not written over.</source>
        <translation>&quot;%1&quot; ist eine der zu konvertierenden Dateien: Sie wird nicht überschrieben.</translation>
    </message>
    <message>
        <source>Cannot create a file in &quot;%1&quot;: %2</source>
        <translation>In &quot;%1&quot; kann keine Datei angelegt werden: %2</translation>
    </message>
    <message>
        <source>No free temporary name in &quot;%1&quot;</source>
        <translation>Kein freier temporärer Name in &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation>&quot;%1&quot; kann nicht in &quot;%2&quot; umbenannt werden: %3</translation>
    </message>
    <message>
        <source>Cannot remove &quot;%1&quot;: %2</source>
        <translation>&quot;%1&quot; kann nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>Preflight</name>
    <message>
        <source>the file does not exist</source>
        <translation>die Datei existiert nicht</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>the file cannot be read (no permission)</source>
        <translation>die Datei kann nicht gelesen werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>the output directory %1 cannot be created</source>
        <translation>der Ausgabeordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the output directory %1 cannot be written (no permission)</source>
        <translation>in den Ausgabeordner %1 kann nicht geschrieben werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>the output directory %1 cannot be created in %2 (no permission)</source>
        <translation>der Ausgabeordner %1 kann nicht in %2 angelegt werden (keine Berechtigung)</translation>
    </message>
    <message>
        <source>%1 file</source>
        <extracomment>A count of files in the forecast before a batch: &quot;1 file&quot;</extracomment>
        <translation>%1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <extracomment>A count of files in the forecast before a batch: &quot;0 files&quot;, &quot;3 files&quot;</extracomment>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>Forecast: %1.</source>
        <extracomment>%1: &quot;0 files&quot;</extracomment>
        <translation>Prognose: %1.</translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, about %3.</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the time (h:mm:ss)</extracomment>
        <translation>Prognose: %1, etwa %2, etwa %3.</translation>
    </message>
    <message>
        <source>the MediaInfo library was not found: the files were not probed</source>
        <translation>die MediaInfo-Bibliothek wurde nicht gefunden: Die Dateien wurden nicht untersucht</translation>
    </message>
    <message>
        <source>no output directory is given</source>
        <translation>kein Ausgabeordner angegeben</translation>
    </message>
    <message>
        <source>its output %1 is also the output of %2; it is written as %3</source>
        <translation>ihre Ausgabe %1 ist auch die Ausgabe von %2; sie wird als %3 geschrieben</translation>
    </message>
    <message>
        <source>the output %1 exists; the file is skipped</source>
        <translation>die Ausgabe %1 existiert; die Datei wird übersprungen</translation>
    </message>
    <message>
        <source>the output %1 exists; it is written as %2</source>
        <translation>die Ausgabe %1 existiert; sie wird als %2 geschrieben</translation>
    </message>
    <message>
        <source>the output %1 exists and is written over</source>
        <translation>die Ausgabe %1 existiert und wird überschrieben</translation>
    </message>
    <message>
        <source>every numbered name of %1 is taken</source>
        <translation>alle nummerierten Namen von %1 sind vergeben</translation>
    </message>
    <message>
        <source>not enough free space for the outputs in %1: about %2 needed, %3 free</source>
        <translation>nicht genug freier Speicherplatz für die Ausgaben in %1: etwa %2 benötigt, %3 frei</translation>
    </message>
    <message>
        <source>%1 (a guess: the size follows the quality)</source>
        <extracomment>The forecast size of outputs whose video follows a quality; %1: the size (&quot;210.7 MB&quot;)</extracomment>
        <translation>%1 (geschätzt: die Größe folgt der Qualität)</translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, time unknown (no file converted on this machine yet with %3).</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the settings never measured (&quot;H.264 veryfast, HD&quot;)</extracomment>
        <translation>Prognose: %1, etwa %2, Dauer unbekannt (auf diesem Rechner wurde noch keine Datei mit %3 konvertiert).</translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, about %3 and %4 of unknown time (none converted yet with %5).</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the time (h:mm:ss), %4: &quot;1 file&quot; whose time is unknown, %5: the settings never measured (&quot;H.264 veryfast, HD&quot;)</extracomment>
        <translation>Prognose: %1, etwa %2, etwa %3 und %4 mit unbekannter Dauer (noch keine mit %5 konvertiert).</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>%1 s from about %2, made in %3</source>
        <extracomment>%1: the preview&apos;s length in seconds (&quot;10&quot;), %2: where it starts (hh:mm:ss), %3: the time it took (&quot;4.2 s&quot;). Where the encoder began is not known, hence &quot;about&quot;.</extracomment>
        <translation>%1 s ab etwa %2, erstellt in %3</translation>
    </message>
    <message>
        <source>%1; the whole file would take about %2.</source>
        <extracomment>%1: how the preview was made, %2: the time the whole file would take (hh:mm:ss, or &quot;4.2 s&quot; under a minute)</extracomment>
        <translation>%1; die ganze Datei würde etwa %2 dauern.</translation>
    </message>
    <message>
        <source>The temp folder cannot be written: %1</source>
        <translation>In den Temp-Ordner kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation>Die Vorschau wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The encoder wrote nothing.</source>
        <translation>Der Encoder hat nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1 s from %2, made in %3</source>
        <extracomment>%1: the preview&apos;s length in seconds (&quot;10&quot;), %2: where it begins in the file (hh:mm:ss), %3: the time it took (&quot;4.2 s&quot;)</extracomment>
        <translation>%1 s ab %2, erstellt in %3</translation>
    </message>
</context>
<context>
    <name>RowPlan</name>
    <message>
        <source>MEncoder would show the pictures this trimmed clip hides before its start</source>
        <translation>MEncoder würde die Bilder zeigen, die dieser gekürzte Clip vor seinem Anfang verbirgt</translation>
    </message>
    <message>
        <source>MEncoder cannot keep this file&apos;s sound offset in %1</source>
        <extracomment>%1: the output&apos;s container (&quot;MP4&quot;)</extracomment>
        <translation>MEncoder kann den Tonversatz dieser Datei in %1 nicht erhalten</translation>
    </message>
    <message>
        <source>MEncoder&apos;s readers lose the timing of this file&apos;s variable rate</source>
        <translation>MEncoders Leser verlieren das Timing der variablen Bildrate dieser Datei</translation>
    </message>
    <message>
        <source>MEncoder&apos;s reader loses the AC-3 sound of this MPEG file</source>
        <translation>MEncoders Leser verliert den AC-3-Ton dieser MPEG-Datei</translation>
    </message>
    <message>
        <source>MEncoder&apos;s B-pictures would show each picture of this slow clip one picture late</source>
        <translation>MEncoders B-Bilder würden jedes Bild dieses langsamen Clips ein Bild zu spät zeigen</translation>
    </message>
    <message>
        <source>MEncoder would cut the still picture this file ends on</source>
        <translation>MEncoder würde das Standbild abschneiden, mit dem diese Datei endet</translation>
    </message>
    <message>
        <source>MEncoder would drop the last picture of this MPEG video</source>
        <translation>MEncoder würde das letzte Bild dieses MPEG-Videos weglassen</translation>
    </message>
</context>
<context>
    <name>RowStatus</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Konvertiere</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>OK - Renamed</source>
        <extracomment>Done, under a new numbered name because the output existed; the Status column is narrow</extracomment>
        <translation>Als Kopie</translation>
    </message>
    <message>
        <source>OK - Overwritten</source>
        <extracomment>Done, over the output that existed; the Status column is narrow</extracomment>
        <translation>Überschrieben</translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>The row was left out: its output exists and the policy says to skip it</extracomment>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <extracomment>The batch the row belonged to ended before the row did (the program was closed or crashed)</extracomment>
        <translation>Unterbrochen</translation>
    </message>
    <message>
        <source>Converting %1%</source>
        <translation>Konvertiere %1%</translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation>Fehler (%1)</translation>
    </message>
    <message>
        <source>Error = %1</source>
        <extracomment>The second pass of a two-pass encode failed with this exit code</extracomment>
        <translation>Fehler = %1</translation>
    </message>
    <message>
        <source>Refused</source>
        <extracomment>A file named by the user that is not a video the program can convert</extracomment>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <extracomment>The Status cell of a refused file: why, as the check before a batch says it</extracomment>
        <translation>Abgelehnt: %1</translation>
    </message>
    <message>
        <source>Output: %1</source>
        <extracomment>The Status cell&apos;s tool tip: where the row&apos;s output was written</extracomment>
        <translation>Ausgabe: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>The row failed, not by the encoder&apos;s exit code: the output check or a refusal; the Reason column says why</extracomment>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>Runner</name>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>System Error.  Code: %1.
%2</source>
        <extracomment>The encoder could not be started; %1: the system&apos;s error number, %2: its description</extracomment>
        <translation>Systemfehler.  Code: %1.
%2</translation>
    </message>
    <message>
        <source>[%1 earlier lines of the encoder&apos;s output are left out]</source>
        <translation>[%1 frühere Zeilen der Encoder-Ausgabe sind ausgelassen]</translation>
    </message>
    <message>
        <source>The encoder refused the picture size %1x%2.</source>
        <translation>Der Encoder hat die Bildgröße %1x%2 abgelehnt.</translation>
    </message>
    <message>
        <source>The encoder does not know an option of the command line: check the additional parameters.</source>
        <translation>Der Encoder kennt eine Option der Befehlszeile nicht: Prüfen Sie die zusätzlichen Parameter.</translation>
    </message>
    <message>
        <source>The disk is full: the output could not be written.</source>
        <translation>Der Datenträger ist voll: Die Ausgabe konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The output file could not be written (no permission, or a read-only folder).</source>
        <translation>Die Ausgabedatei konnte nicht geschrieben werden (keine Berechtigung oder ein schreibgeschützter Ordner).</translation>
    </message>
    <message>
        <source>The encoder cannot read this file.</source>
        <translation>Der Encoder kann diese Datei nicht lesen.</translation>
    </message>
    <message>
        <source>The encoder has no decoder for this file&apos;s video.</source>
        <translation>Der Encoder hat keinen Decoder für das Video dieser Datei.</translation>
    </message>
    <message>
        <source>The encoder crashed or was killed (exit status %1).</source>
        <translation>Der Encoder ist abgestürzt oder wurde beendet (Rückgabewert %1).</translation>
    </message>
    <message>
        <source>The encoder stopped with exit status %1.</source>
        <translation>Der Encoder wurde mit Rückgabewert %1 beendet.</translation>
    </message>
    <message>
        <source>Progress: %1%</source>
        <translation>Fortschritt: %1%</translation>
    </message>
    <message>
        <source>Est. output size: &lt;b&gt;~%1 MB&lt;/b&gt;</source>
        <extracomment>The estimated size of the file being written, in megabytes</extracomment>
        <translation>Geschätzte Ausgabegröße: &lt;b&gt;~%1 MB&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Converting file &lt;b&gt;%1&lt;/b&gt; / &lt;b&gt;%2&lt;/b&gt;</source>
        <translation>Konvertiere Datei &lt;b&gt;%1&lt;/b&gt; / &lt;b&gt;%2&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Pass %1</source>
        <extracomment>&quot;Pass&quot; as in the first pass of two; a badge of the two-pass encoding</extracomment>
        <translation>Pass %1</translation>
    </message>
    <message>
        <source>Speed: %1 fps</source>
        <extracomment>%1: the encoding speed, a number on a coloured badge</extracomment>
        <translation>Geschwindigkeit: %1 fps</translation>
    </message>
    <message>
        <source>Frame: %1 / ~%2</source>
        <extracomment>The frame being encoded of the (estimated) frame count</extracomment>
        <translation>Bild: %1 / ~%2</translation>
    </message>
    <message>
        <source>file %1/%2 pass %3</source>
        <translation>Datei %1/%2 Pass %3</translation>
    </message>
    <message>
        <source>file %1/%2</source>
        <translation>Datei %1/%2</translation>
    </message>
    <message>
        <source>%1: starting</source>
        <extracomment>A headless progress line before the encoder&apos;s first status; %1: &quot;file 1/3&quot;, &quot;file 1/3 pass 2&quot;</extracomment>
        <translation>%1: wird gestartet</translation>
    </message>
    <message>
        <source>%1: %2% %3 fps frame %4/~%5 ~%6 MB</source>
        <extracomment>A headless progress line; %1: &quot;file 1/3&quot;, %2: percent, %3: speed, %4: frame, %5: frame count, %6: megabytes</extracomment>
        <translation>%1: %2% %3 fps Bild %4/~%5 ~%6 MB</translation>
    </message>
    <message>
        <source>The encoder showed no progress for %1 and was stopped: it hangs on this file.</source>
        <extracomment>%1: how long the encoder went without progress (&quot;300 s&quot;)</extracomment>
        <translation>Der Encoder zeigte %1 lang keinen Fortschritt und wurde angehalten: Er hängt an dieser Datei.</translation>
    </message>
    <message>
        <source>The encoder was still running after %1, far longer than a piece of this length takes, and was stopped: it hangs on this file.</source>
        <extracomment>%1: the time the run was given (hh:mm:ss)</extracomment>
        <translation>Der Encoder lief nach %1 noch immer, weit länger, als ein Stück dieser Länge braucht, und wurde angehalten: Er hängt an dieser Datei.</translation>
    </message>
    <message>
        <source>The input&apos;s sound cannot be decoded (the file is damaged there): convert it with &quot;No audio&quot;.</source>
        <translation>Der Ton der Eingabe lässt sich nicht dekodieren (die Datei ist dort beschädigt): konvertieren Sie sie mit „Kein Audio“.</translation>
    </message>
    <message>
        <source>The input cannot be decoded (the file is damaged there).</source>
        <translation>Die Eingabe lässt sich nicht dekodieren (die Datei ist dort beschädigt).</translation>
    </message>
</context>
<context>
    <name>SettingRows</name>
    <message>
        <source>Video codec:</source>
        <translation>Videocodec:</translation>
    </message>
    <message>
        <source>Output format:</source>
        <translation>Ausgabeformat:</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>kbit/s</source>
        <translation>kbit/s</translation>
    </message>
    <message>
        <source>Frames per sec.:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <extracomment>The picture&apos;s display aspect ratio (16:9, 4:3)</extracomment>
        <translation>Seitenverhältnis:</translation>
    </message>
    <message>
        <source>2-pass encoding</source>
        <translation>Zwei-Pass-Kodierung</translation>
    </message>
    <message>
        <source>Threads:</source>
        <translation>Threads:</translation>
    </message>
    <message>
        <source>Preset:</source>
        <extracomment>The encoder&apos;s speed preset (ultrafast ... placebo), for H.264, HEVC and AV1</extracomment>
        <translation>Voreinstellung:</translation>
    </message>
    <message>
        <source>Tune:</source>
        <extracomment>x264&apos;s tuning for a kind of picture (film, animation, grain)</extracomment>
        <translation>Tuning:</translation>
    </message>
    <message>
        <source>Sampling freq.:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Hz</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Algorithm quality:</source>
        <extracomment>The MP3 encoder&apos;s algorithm quality: 0 best and slowest, 9 fastest</extracomment>
        <translation>Kodierqualität:</translation>
    </message>
    <message>
        <source>Bitrate mode:</source>
        <translation>Bitratenmodus:</translation>
    </message>
    <message>
        <source>No audio</source>
        <translation>Kein Audio</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Additional encoder command-line parameters:</source>
        <translation>Zusätzliche Befehlszeilenparameter für den Encoder:</translation>
    </message>
    <message>
        <source>Deinterlacing:</source>
        <translation>Deinterlacing:</translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation>Helligkeit:</translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation>Sättigung:</translation>
    </message>
    <message>
        <source>Flip horizontal</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Flip vertical</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Rotate by 90°:</source>
        <translation>Um 90° drehen:</translation>
    </message>
    <message>
        <source>Maximum number of skipped frames:</source>
        <extracomment>A check box; the number of frames the encoder may drop follows it</extracomment>
        <translation>Höchstzahl übersprungener Bilder:</translation>
    </message>
    <message>
        <source>Force encoding of duplicate frames</source>
        <translation>Doppelte Bilder immer kodieren</translation>
    </message>
    <message>
        <source>The kind of file written: AVI for older players, MP4 for phones and the web, MKV for computers.</source>
        <translation>Die Art der geschriebenen Datei: AVI für ältere Abspielgeräte, MP4 für Smartphones und das Web, MKV für Computer.</translation>
    </message>
    <message>
        <source>How many kilobits each second of video may take: more gives a better picture and a larger file; Auto chooses from the input.</source>
        <translation>Wie viele Kilobit jede Sekunde Video belegen darf: mehr ergibt ein besseres Bild und eine größere Datei; Auto wählt passend zur Eingabe.</translation>
    </message>
    <message>
        <source>Pictures per second in the output; Auto keeps the input&apos;s rate, so change it only for a player that needs another.</source>
        <translation>Bilder pro Sekunde in der Ausgabe; Auto behält die Bildrate der Eingabe, ändern Sie sie nur für ein Gerät, das eine andere braucht.</translation>
    </message>
    <message>
        <source>The picture&apos;s shape on screen (16:9 wide, 4:3 old TV); Auto keeps the input&apos;s, so change it only when the picture looks squeezed.</source>
        <translation>Die Form des Bildes (16:9 breit, 4:3 altes Fernsehen); Auto behält die der Eingabe, ändern Sie sie nur bei gestauchtem Bild.</translation>
    </message>
    <message>
        <source>Encodes every file twice to spend the bitrate where the picture needs it: better quality at the same size, but twice the time.</source>
        <translation>Kodiert jede Datei zweimal, um die Bitrate dort einzusetzen, wo das Bild sie braucht: bessere Qualität bei gleicher Größe, aber doppelte Zeit.</translation>
    </message>
    <message>
        <source>Slower presets make smaller files at the same quality; &apos;medium&apos; is a good balance.</source>
        <translation>Langsamere Voreinstellungen ergeben bei gleicher Qualität kleinere Dateien; „medium“ ist ein guter Kompromiss.</translation>
    </message>
    <message>
        <source>Fits H.264 to a kind of picture, such as film, cartoons or grainy footage; Auto suits most videos.</source>
        <translation>Stimmt H.264 auf eine Art von Bild ab, etwa Film, Zeichentrick oder körniges Material; Auto passt für die meisten Videos.</translation>
    </message>
    <message>
        <source>How many kilobits each second of MP3 sound takes: 128 to 192 suits music; Auto chooses from the input.</source>
        <translation>Wie viele Kilobit jede Sekunde MP3-Ton belegt: 128 bis 192 genügt für Musik; Auto wählt passend zur Eingabe.</translation>
    </message>
    <message>
        <source>Sound samples per second; Auto keeps the input&apos;s rate, and 44100 or 48000 play everywhere.</source>
        <translation>Tonabtastungen pro Sekunde; Auto behält die Rate der Eingabe, 44100 oder 48000 spielt jedes Gerät ab.</translation>
    </message>
    <message>
        <source>How the MP3 stores the sound&apos;s channels; Auto lets the encoder choose, and Mono suits speech and saves room.</source>
        <translation>Wie die MP3-Datei die Tonkanäle speichert; Auto überlässt die Wahl dem Encoder, Mono genügt für Sprache und spart Platz.</translation>
    </message>
    <message>
        <source>How hard the MP3 encoder works: 0 is best and slowest, 9 fastest; the file size stays the same.</source>
        <translation>Wie gründlich der MP3-Encoder arbeitet: 0 ist am besten und langsamsten, 9 am schnellsten; die Dateigröße bleibt gleich.</translation>
    </message>
    <message>
        <source>CBR keeps the bitrate the same throughout; ABR lets it vary around it, which often sounds better at the same size.</source>
        <translation>CBR hält die Bitrate durchgehend gleich; ABR lässt sie um diesen Wert schwanken, was bei gleicher Größe oft besser klingt.</translation>
    </message>
    <message>
        <source>Leaves the sound out, for a silent video.</source>
        <translation>Lässt den Ton weg, für ein stummes Video.</translation>
    </message>
    <message>
        <source>The output&apos;s picture size; Auto keeps the input&apos;s, and Custom takes the width and height you enter.</source>
        <translation>Die Bildgröße der Ausgabe; Auto behält die der Eingabe, Custom nimmt die eingegebene Breite und Höhe.</translation>
    </message>
    <message>
        <source>The output&apos;s width in pixels when the picture size is Custom.</source>
        <translation>Die Breite der Ausgabe in Pixeln, wenn die Bildgröße Custom ist.</translation>
    </message>
    <message>
        <source>The output&apos;s height in pixels when the picture size is Custom.</source>
        <translation>Die Höhe der Ausgabe in Pixeln, wenn die Bildgröße Custom ist.</translation>
    </message>
    <message>
        <source>Removes the comb-like lines of interlaced video (from TV or camcorders); Auto does so only when the input is interlaced.</source>
        <translation>Entfernt die kammartigen Streifen von Zeilensprungvideo (aus Fernsehen oder Camcorder); Auto tut das nur bei einer Eingabe mit Zeilensprung.</translation>
    </message>
    <message>
        <source>Makes the picture lighter or darker by the amount set beside it.</source>
        <translation>Macht das Bild um den daneben eingestellten Wert heller oder dunkler.</translation>
    </message>
    <message>
        <source>Right makes the picture lighter, left darker; 0 leaves it as it is.</source>
        <translation>Nach rechts wird das Bild heller, nach links dunkler; bei 0 bleibt es, wie es ist.</translation>
    </message>
    <message>
        <source>Makes the colours stronger or paler by the amount set beside it.</source>
        <translation>Macht die Farben um den daneben eingestellten Wert kräftiger oder blasser.</translation>
    </message>
    <message>
        <source>Right makes the colours stronger, left paler; 1 leaves them as they are and 0 turns the picture grey.</source>
        <translation>Nach rechts werden die Farben kräftiger, nach links blasser; bei 1 bleiben sie, wie sie sind, bei 0 wird das Bild grau.</translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, for video filmed through a mirror.</source>
        <translation>Spiegelt das Bild von links nach rechts, etwa für Aufnahmen durch einen Spiegel.</translation>
    </message>
    <message>
        <source>Mirrors the picture top to bottom; with the horizontal flip it turns an upside-down video the right way up.</source>
        <translation>Spiegelt das Bild von oben nach unten; zusammen mit der horizontalen Spiegelung stellt es ein kopfstehendes Video richtig herum.</translation>
    </message>
    <message>
        <source>Turns the picture a quarter turn, for video filmed with the camera held on its side.</source>
        <translation>Dreht das Bild um eine Vierteldrehung, für Aufnahmen mit seitlich gehaltener Kamera.</translation>
    </message>
    <message>
        <source>Which way the picture turns: to the right is clockwise.</source>
        <translation>In welche Richtung das Bild gedreht wird: nach rechts ist im Uhrzeigersinn.</translation>
    </message>
    <message>
        <source>Limits how many frames in a row the encoder may drop to keep sound and picture in step.</source>
        <translation>Begrenzt, wie viele Bilder hintereinander der Encoder auslassen darf, um Ton und Bild synchron zu halten.</translation>
    </message>
    <message>
        <source>The most frames in a row the encoder may drop; 0 keeps every frame.</source>
        <translation>Die höchste Zahl von Bildern hintereinander, die der Encoder auslassen darf; bei 0 bleibt jedes Bild erhalten.</translation>
    </message>
    <message>
        <source>Encodes repeated frames instead of leaving them out, which keeps sound and picture in step in more players.</source>
        <translation>Kodiert wiederholte Bilder, statt sie auszulassen; so bleiben Ton und Bild in mehr Abspielgeräten synchron.</translation>
    </message>
    <message>
        <source>Size by:</source>
        <extracomment>How the video&apos;s size is steered (a list: bit rate or quality)</extracomment>
        <translation>Größe nach:</translation>
    </message>
    <message>
        <source>Bit rate gives a file size you can plan; Quality keeps the picture&apos;s look and lets the size follow it, as most converters do.</source>
        <translation>Bitrate ergibt eine planbare Dateigröße; Qualität hält das Bild und lässt die Größe folgen, wie die meisten Konverter es tun.</translation>
    </message>
    <message>
        <source>Quality (H.264):</source>
        <extracomment>x264&apos;s constant rate factor: lower is better and larger (18 looks like the source, 28 is small)</extracomment>
        <translation>Qualität (H.264):</translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 18 looks like the source, 22 is a good balance, 28 is small.</source>
        <translation>Kleinere Zahlen sehen besser aus und ergeben größere Dateien: 18 sieht aus wie die Quelle, 22 ist ein guter Mittelweg, 28 ist klein.</translation>
    </message>
    <message>
        <source>Quality (Xvid):</source>
        <extracomment>Xvid&apos;s fixed quantizer: lower is better and larger (2 looks like the source, 6 is small)</extracomment>
        <translation>Qualität (Xvid):</translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 2 looks like the source, 4 is a good balance, 6 is small.</source>
        <translation>Kleinere Zahlen sehen besser aus und ergeben größere Dateien: 2 sieht aus wie die Quelle, 4 ist ein guter Mittelweg, 6 ist klein.</translation>
    </message>
    <message>
        <source>Largest height:</source>
        <translation>Größte Höhe:</translation>
    </message>
    <message>
        <source>With the picture size on Auto, a taller picture is made smaller to this many lines, keeping its shape; a smaller one keeps its size, and 0 keeps every size.</source>
        <translation>Bei der Bildgröße Auto wird ein höheres Bild auf so viele Zeilen verkleinert, ohne seine Form zu ändern; ein kleineres behält seine Größe, und 0 behält jede Größe.</translation>
    </message>
    <message>
        <source>Sound language:</source>
        <translation>Tonsprache:</translation>
    </message>
    <message>
        <source>Which sound track of a file with several is converted: languages in order, such as &quot;de, en&quot; or &quot;German&quot;; Auto, or none found, takes the file&apos;s default track.</source>
        <translation>Welche Tonspur einer Datei mit mehreren konvertiert wird: Sprachen der Reihe nach, etwa „de, en“ oder „German“; Auto, oder keine gefunden, nimmt die Standardspur der Datei.</translation>
    </message>
    <message>
        <source>Subtitles burnt into the picture: the file&apos;s track in the languages below, its forced track, or a file of the same name beside it.</source>
        <translation>Ins Bild eingebrannte Untertitel: die Spur der Datei in den Sprachen unten, ihre erzwungene Spur oder eine gleichnamige Datei daneben.</translation>
    </message>
    <message>
        <source>Subtitle language:</source>
        <translation>Untertitelsprache:</translation>
    </message>
    <message>
        <source>The subtitle languages to look for, in order, such as &quot;en, de&quot;; the first track found is burnt.</source>
        <translation>Die gesuchten Untertitelsprachen der Reihe nach, etwa „en, de“; die erste gefundene Spur wird eingebrannt.</translation>
    </message>
    <message>
        <source>Burn subtitles:</source>
        <translation>Untertitel einbrennen:</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <extracomment>Which program converts the files (a list: Automatic, MEncoder, FFmpeg)</extracomment>
        <translation>Encoder:</translation>
    </message>
    <message>
        <source>The program that converts: Automatic uses MEncoder and FFmpeg for the files MEncoder cannot convert faithfully; choose one to use it for every file.</source>
        <translation>Das Programm, das umwandelt: Automatisch nimmt MEncoder und FFmpeg für die Dateien, die MEncoder nicht originalgetreu umwandeln kann; wählen Sie eines, um es für jede Datei zu nehmen.</translation>
    </message>
    <message>
        <source>Sound codec:</source>
        <extracomment>The sound&apos;s codec (a list: MP3, AAC, Opus)</extracomment>
        <translation>Audiocodec:</translation>
    </message>
    <message>
        <source>MP3 plays everywhere; AAC sounds better at the same size and suits MP4; Opus, smaller still, goes into MKV only (FFmpeg makes AAC and Opus).</source>
        <translation>MP3 spielt überall; AAC klingt bei gleicher Größe besser und passt zu MP4; Opus, noch kleiner, passt nur in MKV (AAC und Opus erzeugt FFmpeg).</translation>
    </message>
    <message>
        <source>Keep all sound and subtitle tracks</source>
        <translation>Alle Ton- und Untertitelspuren behalten</translation>
    </message>
    <message>
        <source>Keeps every sound and subtitle track, with its language and title, for the player to switch between (subtitles in MKV and MP4; made by FFmpeg).</source>
        <translation>Behält jede Ton- und Untertitelspur mit ihrer Sprache und ihrem Titel, zum Umschalten im Player (Untertitel in MKV und MP4; erzeugt von FFmpeg).</translation>
    </message>
    <message>
        <source>MEncoder&apos;s options, added to its command line as typed (a file FFmpeg makes is made without them); leave this empty unless you know them.</source>
        <translation>Optionen für MEncoder, unverändert an seine Befehlszeile angehängt (eine Datei, die FFmpeg erstellt, entsteht ohne sie); lassen Sie das Feld leer, wenn Sie sie nicht kennen.</translation>
    </message>
    <message>
        <source>Xvid plays almost anywhere; H.264 looks better at the same size, HEVC and AV1 better still but slower (FFmpeg makes them).</source>
        <translation>Xvid spielt fast überall; H.264 sieht bei gleicher Größe besser aus, HEVC und AV1 noch besser, aber langsamer (FFmpeg erzeugt sie).</translation>
    </message>
    <message>
        <source>Quality (HEVC):</source>
        <extracomment>x265&apos;s constant rate factor: lower is better and larger (22 looks like the source, 32 is small)</extracomment>
        <translation>Qualität (HEVC):</translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 22 looks like the source, 28 is a good balance, 32 is small.</source>
        <translation>Kleinere Zahlen sehen besser aus und ergeben größere Dateien: 22 sieht aus wie die Quelle, 28 ist ein guter Mittelweg, 32 ist klein.</translation>
    </message>
    <message>
        <source>Quality (AV1):</source>
        <extracomment>SVT-AV1&apos;s constant rate factor: lower is better and larger (25 looks like the source, 45 is small)</extracomment>
        <translation>Qualität (AV1):</translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 25 looks like the source, 35 is a good balance, 45 is small.</source>
        <translation>Kleinere Zahlen sehen besser aus und ergeben größere Dateien: 25 sieht aus wie die Quelle, 35 ist ein guter Mittelweg, 45 ist klein.</translation>
    </message>
    <message>
        <source>How many processor cores H.264, HEVC or AV1 encoding uses; Auto suits the computer, fewer leave it free for other work.</source>
        <translation>Wie viele Prozessorkerne die Kodierung von H.264, HEVC oder AV1 nutzt; Auto passt zum Computer, weniger lassen Kerne für andere Arbeit frei.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>no selection</source>
        <extracomment>What a list setting holds when none of its entries is chosen</extracomment>
        <translation>keine Auswahl</translation>
    </message>
    <message>
        <source>not an integer</source>
        <translation>keine ganze Zahl</translation>
    </message>
    <message>
        <source>outside %1..%2</source>
        <translation>außerhalb von %1..%2</translation>
    </message>
    <message>
        <source>not an index of the list</source>
        <translation>kein Index der Liste</translation>
    </message>
    <message>
        <source>neither %1 nor %2</source>
        <translation>weder %1 noch %2</translation>
    </message>
    <message>
        <source>no such profile: %1</source>
        <translation>Profil nicht gefunden: %1</translation>
    </message>
    <message>
        <source>profile name &apos;%1&apos; is shown by several profiles, give one of their files: %2</source>
        <translation>den Profilnamen &apos;%1&apos; zeigen mehrere Profile, geben Sie eine ihrer Dateien an: %2</translation>
    </message>
    <message>
        <source>no such profile: %1 (neither a file nor a profile in %2)</source>
        <translation>Profil nicht gefunden: %1 (weder eine Datei noch ein Profil in %2)</translation>
    </message>
    <message>
        <source>cannot read the profile: %1</source>
        <translation>das Profil kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>unknown settings key: %1</source>
        <translation>unbekannter Einstellungsschlüssel: %1</translation>
    </message>
    <message>
        <source>warning: --set %1=%2: %3; %4 is used instead</source>
        <extracomment>%1=%2 is the option&apos;s key and value as given, %3 why the value cannot be used, %4 the value used instead</extracomment>
        <translation>Warnung: --set %1=%2: %3; stattdessen wird %4 verwendet</translation>
    </message>
    <message>
        <source>The last session settings</source>
        <translation>Einstellungen der letzten Sitzung</translation>
    </message>
    <message>
        <source>Default encoder settings</source>
        <translation>Standard-Encodereinstellungen</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>outputs with all sound and subtitle tracks</source>
        <translation>Ausgaben mit allen Ton- und Untertitelspuren</translation>
    </message>
    <message>
        <source>AAC sound</source>
        <translation>AAC-Ton</translation>
    </message>
    <message>
        <source>Opus sound</source>
        <translation>Opus-Ton</translation>
    </message>
    <message>
        <source>Only FFmpeg makes %1, and no ffmpeg program was found: install the package ffmpeg.</source>
        <extracomment>%1: &quot;HEVC video&quot;, &quot;AAC sound&quot;, &quot;Opus sound&quot;, &quot;outputs with all sound and subtitle tracks&quot;</extracomment>
        <translation>%1 erzeugt nur FFmpeg, und kein ffmpeg-Programm wurde gefunden: Installieren Sie das Paket ffmpeg.</translation>
    </message>
    <message>
        <source>Only FFmpeg makes %1, but the encoder setting is MEncoder: set it to Automatic or FFmpeg.</source>
        <extracomment>%1: &quot;HEVC video&quot;, &quot;AAC sound&quot;, &quot;Opus sound&quot;, &quot;outputs with all sound and subtitle tracks&quot;</extracomment>
        <translation>%1 erzeugt nur FFmpeg, aber als Encoder ist MEncoder eingestellt: Stellen Sie Automatisch oder FFmpeg ein.</translation>
    </message>
    <message>
        <source>HEVC video</source>
        <translation>HEVC-Video</translation>
    </message>
    <message>
        <source>AV1 video</source>
        <translation>AV1-Video</translation>
    </message>
</context>
<context>
    <name>ShippedProfiles</name>
    <message>
        <source>Plays everywhere (MP4, H.264)</source>
        <extracomment>A profile that comes with the program, named by what its outputs are for</extracomment>
        <translation>Spielt überall (MP4, H.264)</translation>
    </message>
    <message>
        <source>Phones and sharing (smaller)</source>
        <extracomment>A profile that comes with the program: smaller files for phones and for sending</extracomment>
        <translation>Handys und Teilen (kleiner)</translation>
    </message>
    <message>
        <source>TV and media players (MKV)</source>
        <extracomment>A profile that comes with the program, for television sets and media players</extracomment>
        <translation>Fernseher und Mediaplayer (MKV)</translation>
    </message>
    <message>
        <source>Old players (AVI, Xvid)</source>
        <extracomment>A profile that comes with the program, for DVD players and other old devices</extracomment>
        <translation>Ältere Abspielgeräte (AVI, Xvid)</translation>
    </message>
</context>
<context>
    <name>TAdvancedPanel</name>
    <message>
        <source>Advanced settings</source>
        <translation>Erweiterte Einstellungen</translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>A button beside the additional parameters: opens the encoder&apos;s documentation</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>X</source>
        <extracomment>Between the width and the height of a resolution, as in 640 x 480</extracomment>
        <translation>x</translation>
    </message>
</context>
<context>
    <name>TAnalysisPool</name>
    <message>
        <source>media analysis runs inside the program, without a time limit</source>
        <translation>die Medienanalyse läuft im Programm selbst, ohne Zeitlimit</translation>
    </message>
    <message>
        <source>the analysis of &quot;%1&quot; took longer than %2 s and was stopped; the file is treated as unreadable</source>
        <translation>die Analyse von &quot;%1&quot; dauerte länger als %2 s und wurde abgebrochen; die Datei gilt als unlesbar</translation>
    </message>
    <message>
        <source>the analysis of &quot;%1&quot; failed; the file is treated as unreadable</source>
        <translation>die Analyse von &quot;%1&quot; ist fehlgeschlagen; die Datei gilt als unlesbar</translation>
    </message>
    <message>
        <source>the analysis worker &quot;%1&quot; cannot be started (%2); files are not analysed</source>
        <translation>der Analyseprozess &quot;%1&quot; kann nicht gestartet werden (%2); Dateien werden nicht analysiert</translation>
    </message>
</context>
<context>
    <name>TAudioPanel</name>
    <message>
        <source>Audio settings</source>
        <translation>Audio-Einstellungen</translation>
    </message>
    <message>
        <source>Bitrate/Sampling info</source>
        <translation>Info zu Bitraten</translation>
    </message>
</context>
<context>
    <name>TBatchController</name>
    <message>
        <source>Notes:</source>
        <translation>Hinweise:</translation>
    </message>
    <message>
        <source>The check before converting found problems:</source>
        <translation>Die Prüfung vor der Konvertierung hat Probleme gefunden:</translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation>Trotzdem konvertieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>These files no longer exist and were left out:
%1</source>
        <translation>Diese Dateien existieren nicht mehr und wurden ausgelassen:
%1</translation>
    </message>
    <message>
        <source>Save script</source>
        <translation>Skript speichern</translation>
    </message>
    <message>
        <source>Resume conversion</source>
        <translation>Konvertierung fortsetzen</translation>
    </message>
    <message>
        <source>Pause conversion</source>
        <translation>Konvertierung pausieren</translation>
    </message>
    <message>
        <source>%1 of the %2 checked files were converted already.</source>
        <translation>%1 der %2 markierten Dateien wurden schon umgewandelt.</translation>
    </message>
    <message>
        <source>Convert them again, or only the others?</source>
        <translation>Sollen sie noch einmal umgewandelt werden oder nur die anderen?</translation>
    </message>
    <message>
        <source>Convert them again</source>
        <translation>Noch einmal umwandeln</translation>
    </message>
    <message>
        <source>Only the others</source>
        <translation>Nur die anderen</translation>
    </message>
</context>
<context>
    <name>TBatchNotice</name>
    <message>
        <source>%1 done, %2 skipped, %3 failed in %4</source>
        <extracomment>The end of a batch as a desktop notification: how many files were converted, skipped and failed, and the time the batch took (00:02:05)</extracomment>
        <translation>%1 fertig, %2 übersprungen, %3 fehlgeschlagen in %4</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Konvertierung mit Fehlern beendet</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Konvertierung beendet</translation>
    </message>
</context>
<context>
    <name>TBatchPlanner</name>
    <message>
        <source>Couldn&apos;t create directory &quot;%1&quot;!</source>
        <translation>Der Ordner &quot;%1&quot; konnte nicht angelegt werden!</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>invalid setting (%1)</source>
        <translation>ungültige Einstellung (%1)</translation>
    </message>
    <message>
        <source>The folder %1 for the output could not be made.</source>
        <translation>Der Ordner %1 für die Ausgabe konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>This file is where this batch puts the output of %1: it is not converted again.</source>
        <translation>Hier legt dieser Stapel die Ausgabe von %1 ab: Die Datei wird nicht noch einmal konvertiert.</translation>
    </message>
    <message>
        <source>The existing output was incomplete (%1): it was converted again.</source>
        <extracomment>%1: what is wrong with it, &quot;The output file is cut short&quot;</extracomment>
        <translation>Die vorhandene Ausgabe war unvollständig (%1): Sie wurde noch einmal konvertiert.</translation>
    </message>
    <message>
        <source>The encoder setting is FFmpeg, but no ffmpeg program was found: install the package ffmpeg.</source>
        <translation>Als Encoder ist FFmpeg eingestellt, aber kein ffmpeg-Programm wurde gefunden: Installieren Sie das Paket ffmpeg.</translation>
    </message>
    <message>
        <source>Converted by FFmpeg: %1.</source>
        <extracomment>%1: why, &quot;MEncoder cannot keep this file&apos;s sound offset in MP4&quot;</extracomment>
        <translation>Mit FFmpeg umgewandelt: %1.</translation>
    </message>
    <message>
        <source>The additional parameters are MEncoder&apos;s: FFmpeg makes this file without them.</source>
        <translation>Die zusätzlichen Parameter sind MEncoders: FFmpeg erstellt diese Datei ohne sie.</translation>
    </message>
    <message>
        <source>FFmpeg&apos;s AV1 encoder makes no second pass: this file is made in one pass at the bit rate.</source>
        <translation>Der AV1-Encoder von FFmpeg macht keinen zweiten Durchgang: Diese Datei entsteht in einem Durchgang mit der Bitrate.</translation>
    </message>
    <message>
        <source>The input is cut short: only its first %1 can be read, and the output holds them.</source>
        <extracomment>%1: how long the readable part plays, &quot;1.05 s&quot;</extracomment>
        <translation>Die Eingabedatei ist abgeschnitten: Nur ihre ersten %1 sind lesbar, und die Ausgabe enthält sie.</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>(asking the encoder...)</source>
        <translation>(Encoder wird abgefragt...)</translation>
    </message>
    <message>
        <source>(asking the library...)</source>
        <translation>(Bibliothek wird abgefragt...)</translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>%1 is the version and the build&apos;s word size (&quot;1.0 64-bit&quot;)</extracomment>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Freeware</source>
        <translation>Freeware</translation>
    </message>
    <message>
        <source>Other open source projects used in the program</source>
        <translation>Weitere Open-Source-Projekte, die das Programm verwendet</translation>
    </message>
    <message>
        <source>Adwaita icon theme</source>
        <extracomment>The name of the icon set the program&apos;s toolbar uses</extracomment>
        <translation>Adwaita-Symbolthema</translation>
    </message>
    <message>
        <source>Support the author</source>
        <translation>Den Autor unterstützen</translation>
    </message>
    <message>
        <source>The MediaInfo library was not found</source>
        <translation>Die MediaInfo-Bibliothek wurde nicht gefunden</translation>
    </message>
</context>
<context>
    <name>TFormCheckUpdate</name>
    <message>
        <source>Check for updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Your version:</source>
        <translation>Ihre Version:</translation>
    </message>
    <message>
        <source>The latest version:</source>
        <translation>Neueste Version:</translation>
    </message>
    <message>
        <source>Check now</source>
        <translation>Jetzt prüfen</translation>
    </message>
    <message>
        <source>Download...</source>
        <translation>Herunterladen...</translation>
    </message>
    <message>
        <source>Go to the download page...</source>
        <translation>Zur Download-Seite...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TFormCmdLine</name>
    <message>
        <source>Encoder command-line parameters</source>
        <translation>Encoder-Befehlszeilenparameter</translation>
    </message>
</context>
<context>
    <name>TFormErrors</name>
    <message>
        <source>Errors</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save log...</source>
        <translation>Protokoll speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Errors (%1)</source>
        <extracomment>The error window&apos;s title at the end of a batch: %1 is the number of errors</extracomment>
        <translation>Fehler (%1)</translation>
    </message>
    <message>
        <source>Save log</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <source>Log files (*.log)</source>
        <translation>Protokolldateien (*.log)</translation>
    </message>
    <message>
        <source>Reports</source>
        <extracomment>The error window&apos;s first page: each failure explained</extracomment>
        <translation>Berichte</translation>
    </message>
    <message>
        <source>Log text</source>
        <extracomment>The error window&apos;s second page: the log as &quot;Save log&quot; writes it</extracomment>
        <translation>Protokolltext</translation>
    </message>
    <message>
        <source>The encoder ended with exit code %1.</source>
        <translation>Der Encoder endete mit dem Exit-Code %1.</translation>
    </message>
    <message>
        <source>%1. %2 (%3)</source>
        <extracomment>One failure in the error window: %1 its number, %2 why it failed, %3 the input&apos;s file name</extracomment>
        <translation>%1. %2 (%3)</translation>
    </message>
    <message>
        <source>Input file</source>
        <translation>Eingabedatei</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Exit code</source>
        <translation>Exit-Code</translation>
    </message>
    <message>
        <source>Command line</source>
        <translation>Befehlszeile</translation>
    </message>
    <message numerus="yes">
        <source>The encoder&apos;s output (%n lines)</source>
        <translation>
            <numerusform>Ausgabe des Encoders (%n Zeile)</numerusform>
            <numerusform>Ausgabe des Encoders (%n Zeilen)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFormFileInfo</name>
    <message>
        <source>File info</source>
        <translation>Dateiinfo</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Ordner:</translation>
    </message>
    <message>
        <source>Video stream</source>
        <translation>Videostream</translation>
    </message>
    <message>
        <source>Audio stream</source>
        <translation>Audiostream</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>General info</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Stream:</source>
        <translation>Stream:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>A batch was interrupted (%1 files, %2 not converted).

Restore the list from the interrupted batch?</source>
        <translation>Eine Stapelkonvertierung wurde unterbrochen (%1 Dateien, %2 nicht konvertiert).

Die Liste aus der unterbrochenen Stapelkonvertierung wiederherstellen?</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Konvertierungseinstellungen</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>The settings could not be saved:
%1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden:
%1</translation>
    </message>
    <message>
        <source>Directory &quot;%1&quot; does not exists!</source>
        <translation>Der Ordner „%1“ existiert nicht!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Ini files (*.ini *.INI)</source>
        <translation>INI-Dateien (*.ini *.INI)</translation>
    </message>
    <message>
        <source>Load encoder settings</source>
        <translation>Encoder-Einstellungen laden</translation>
    </message>
    <message>
        <source>Save encoder settings</source>
        <translation>Encoder-Einstellungen speichern</translation>
    </message>
    <message>
        <source>The manual is not installed. It was looked for here:
%1</source>
        <translation>Das Handbuch ist nicht installiert. Es wurde hier gesucht:
%1</translation>
    </message>
    <message>
        <source>The profiles that come with the program cannot be changed: save yours in your own profiles folder.</source>
        <translation>Die mitgelieferten Profile lassen sich nicht ändern: Speichern Sie Ihres in Ihrem eigenen Profilordner.</translation>
    </message>
    <message>
        <source>The bitrate information could not be written to %1.
%2</source>
        <translation>Die Bitraten-Information konnte nicht nach %1 geschrieben werden.
%2</translation>
    </message>
</context>
<context>
    <name>TFormOptions</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>File list</source>
        <translation>Dateiliste</translation>
    </message>
    <message>
        <source>Allow row moving</source>
        <translation>Zeilen verschieben erlauben</translation>
    </message>
    <message>
        <source>Allow column moving</source>
        <translation>Spalten verschieben erlauben</translation>
    </message>
    <message>
        <source>Show grid lines</source>
        <translation>Gitterlinien anzeigen</translation>
    </message>
    <message>
        <source>Show table footer</source>
        <translation>Tabellenfuß anzeigen</translation>
    </message>
    <message>
        <source>Show selected row indicator</source>
        <translation>Zeilenmarkierung anzeigen</translation>
    </message>
    <message>
        <source>Font name:</source>
        <translation>Schriftart:</translation>
    </message>
    <message>
        <source>Font size:</source>
        <translation>Schriftgröße:</translation>
    </message>
    <message>
        <source>Row height:</source>
        <translation>Zeilenhöhe:</translation>
    </message>
    <message>
        <source>Open file after click on the icon</source>
        <translation>Datei beim Klick auf das Symbol öffnen</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Vollständig</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>File analysis:</source>
        <translation>Dateianalyse:</translation>
    </message>
    <message>
        <source>Default video encoder:</source>
        <translation>Standard-Videoencoder:</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Gleichzeitige Konvertierungen:</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>(at the next start)</source>
        <translation>(beim nächsten Start)</translation>
    </message>
    <message>
        <source>Create shortcut on the Desktop</source>
        <translation>Verknüpfung auf dem Desktop anlegen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The desktop shortcut was not made.
%1</source>
        <translation>Die Verknüpfung auf dem Desktop wurde nicht angelegt.
%1</translation>
    </message>
</context>
<context>
    <name>TFormProgress</name>
    <message>
        <source>Conversion progress</source>
        <translation>Konvertierungsfortschritt</translation>
    </message>
    <message>
        <source>Don&apos;t show encoder output</source>
        <translation>Encoder-Ausgabe nicht anzeigen</translation>
    </message>
    <message>
        <source>Close after conversion</source>
        <translation>Nach der Konvertierung schließen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Pass</source>
        <extracomment>Column of the running jobs: the number of the pass running, &quot;Pass&quot; as in the first pass of two</extracomment>
        <translation>Pass</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Column of the running jobs: the time the job has left</extracomment>
        <translation>Rest</translation>
    </message>
    <message>
        <source>Encoder output:</source>
        <translation>Encoder-Ausgabe:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Input file:</source>
        <translation>Eingabedatei:</translation>
    </message>
    <message>
        <source>Output file:</source>
        <translation>Ausgabedatei:</translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation>Fortschritt:</translation>
    </message>
    <message>
        <source>Paused</source>
        <extracomment>The window title while the batch is paused; the main window puts it before its own title</extracomment>
        <translation>Pausiert</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Progress: 100%</source>
        <translation>Fortschritt: 100%</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Elapsed: %1    ::    Left: %2</source>
        <extracomment>The file being converted: the time it has taken and the time it has left (a clock time, &quot;~00:01:30&quot; estimated, or &quot;?&quot; before any progress)</extracomment>
        <translation>Vergangen: %1    ::    Verbleibend: %2</translation>
    </message>
    <message>
        <source>Batch: %1%    ::    Batch left: %2</source>
        <extracomment>The whole batch: the share of it done (%1 percent) and the time it has left</extracomment>
        <translation>Gesamt: %1%    ::    Gesamt verbleibend: %2</translation>
    </message>
</context>
<context>
    <name>TFormToolsInfo</name>
    <message>
        <source>Tools info</source>
        <translation>Werkzeuginformationen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reading the tools...</source>
        <translation>Werkzeuge werden gelesen...</translation>
    </message>
</context>
<context>
    <name>TListController</name>
    <message>
        <source>1 file, %1 checked</source>
        <extracomment>The status bar: the list holds one file, %1 of them checked (0 or 1)</extracomment>
        <translation>1 Datei, %1 markiert</translation>
    </message>
    <message>
        <source>%1 files, %2 checked</source>
        <extracomment>The status bar: the list holds %1 files (never one), %2 of them checked</extracomment>
        <translation>%1 Dateien, %2 markiert</translation>
    </message>
    <message>
        <source>Add files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Load file list</source>
        <translation>Dateiliste laden</translation>
    </message>
    <message>
        <source>Save file list</source>
        <translation>Dateiliste speichern</translation>
    </message>
</context>
<context>
    <name>TMainActions</name>
    <message>
        <source>E&amp;xplore directory %1</source>
        <extracomment>A menu entry; %1 is the selected file&apos;s directory, or nothing before a row is selected</extracomment>
        <translation>Ordner an&amp;zeigen %1</translation>
    </message>
    <message>
        <source>&amp;Add files...</source>
        <translation>Dateien &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>Add f&amp;older...</source>
        <translation>&amp;Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove checked files from list</source>
        <translation>Markierte Dateien aus der Liste en&amp;tfernen</translation>
    </message>
    <message>
        <source>Remove s&amp;elected files from list</source>
        <translation>A&amp;usgewählte Dateien aus der Liste entfernen</translation>
    </message>
    <message>
        <source>C&amp;lear file list</source>
        <translation>Dateiliste &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Check all</source>
        <translation>&amp;Alle markieren</translation>
    </message>
    <message>
        <source>&amp;Uncheck all</source>
        <translation>Alle Markierungen aufhe&amp;ben</translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation>Markierung umkeh&amp;ren</translation>
    </message>
    <message>
        <source>Chec&amp;k selected files</source>
        <translation>Ausgewählte Dateien &amp;markieren</translation>
    </message>
    <message>
        <source>Unc&amp;heck selected files</source>
        <translation>Markierung aus&amp;gewählter Dateien aufheben</translation>
    </message>
    <message>
        <source>Loa&amp;d file list...</source>
        <translation>Dateiliste la&amp;den...</translation>
    </message>
    <message>
        <source>&amp;Save file list...</source>
        <translation>Dateiliste s&amp;peichern...</translation>
    </message>
    <message>
        <source>Con&amp;vert</source>
        <translation>&amp;Konvertieren</translation>
    </message>
    <message>
        <source>Save &amp;script...</source>
        <translation>&amp;Skript speichern...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>Stay on &amp;top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Minimize to tray</source>
        <translation>In den Infobereich &amp;minimieren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Show prog&amp;ress window</source>
        <translation>&amp;Fortschrittsfenster anzeigen</translation>
    </message>
    <message>
        <source>Show / hide video file &amp;properties</source>
        <translation>&amp;Eigenschaften der Videodatei ein-/ausblenden</translation>
    </message>
    <message>
        <source>Show / hide &amp;error log</source>
        <translation>Fehler&amp;protokoll ein-/ausblenden</translation>
    </message>
    <message>
        <source>&amp;Load encoder settings...</source>
        <translation>Encoder-Einstellungen &amp;laden...</translation>
    </message>
    <message>
        <source>&amp;Save encoder settings...</source>
        <translation>Encoder-Einstellungen &amp;speichern...</translation>
    </message>
    <message>
        <source>&lt;-- Load</source>
        <extracomment>The button after the profile box: applies the profile chosen in it</extracomment>
        <translation>&lt;-- Laden</translation>
    </message>
    <message>
        <source>&amp;Default encoder settings</source>
        <translation>Encoder-Stan&amp;dardeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Copy video encoding settings</source>
        <translation>Video-Einstellungen &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste video encoding settings</source>
        <translation>Video-Einstellungen &amp;einfügen</translation>
    </message>
    <message>
        <source>Default &amp;video encoding settings</source>
        <translation>&amp;Video-Standardeinstellungen</translation>
    </message>
    <message>
        <source>C&amp;opy audio encoding settings</source>
        <translation>Audio-Einstellungen k&amp;opieren</translation>
    </message>
    <message>
        <source>P&amp;aste audio encoding settings</source>
        <translation>Audio-Einstellungen ein&amp;fügen</translation>
    </message>
    <message>
        <source>Default a&amp;udio encoding settings</source>
        <translation>&amp;Audio-Standardeinstellungen</translation>
    </message>
    <message>
        <source>Cop&amp;y advanced encoding settings</source>
        <translation>Erweiterte Einstellungen kop&amp;ieren</translation>
    </message>
    <message>
        <source>Pas&amp;te advanced encoding settings</source>
        <translation>Erwei&amp;terte Einstellungen einfügen</translation>
    </message>
    <message>
        <source>Default adva&amp;nced encoding settings</source>
        <translation>E&amp;rweiterte Standardeinstellungen</translation>
    </message>
    <message>
        <source>Encoder command-l&amp;ine parameters...</source>
        <translation>Encoder-&amp;Befehlszeilenparameter...</translation>
    </message>
    <message>
        <source>Tools in&amp;fo...</source>
        <translation>&amp;Werkzeuginformationen...</translation>
    </message>
    <message>
        <source>Check for &amp;updates...</source>
        <translation>Nach &amp;Updates suchen...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Home page</source>
        <translation>Home&amp;page</translation>
    </message>
    <message>
        <source>&amp;Donation</source>
        <translation>&amp;Spenden</translation>
    </message>
    <message>
        <source>&amp;Facebook</source>
        <translation>&amp;Facebook</translation>
    </message>
    <message>
        <source>&amp;Twitter</source>
        <translation>&amp;Twitter</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Explore...</source>
        <extracomment>Opens the output directory in the file manager</extracomment>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Minimize to system tray</source>
        <translation>In den Infobereich minimieren</translation>
    </message>
    <message>
        <source>Pause conversion</source>
        <translation>Konvertierung pausieren</translation>
    </message>
    <message>
        <source>Colu&amp;mns</source>
        <translation>&amp;Spalten</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>File &amp;list</source>
        <translation>Datei&amp;liste</translation>
    </message>
    <message>
        <source>&amp;Encoder</source>
        <translation>&amp;Encoder</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Main</source>
        <extracomment>The name of the main toolbar</extracomment>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Add files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Remove checked</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>File info</source>
        <translation>Dateiinfo</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <translation>Vordergrund</translation>
    </message>
    <message>
        <source>Show main window</source>
        <translation>Hauptfenster anzeigen</translation>
    </message>
    <message>
        <source>Previe&amp;w...</source>
        <translation>Vors&amp;chau...</translation>
    </message>
    <message>
        <source>Convert ten seconds of the selected file with these settings and play them</source>
        <translation>Zehn Sekunden der gewählten Datei mit diesen Einstellungen konvertieren und abspielen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <extracomment>Help menu: opens the user guide in the web browser</extracomment>
        <translation>&amp;Handbuch</translation>
    </message>
</context>
<context>
    <name>TOutputStrip</name>
    <message>
        <source>Keep the dates of the original file</source>
        <translation>Zeitstempel der Originaldatei beibehalten</translation>
    </message>
    <message>
        <source>Keeps the creation, last write and the last access time of the original file</source>
        <translation>Behält die Erstellungs-, Änderungs- und Zugriffszeit der Originaldatei bei</translation>
    </message>
    <message>
        <source>If output file exists:</source>
        <translation>Wenn die Ausgabedatei existiert:</translation>
    </message>
    <message>
        <source>After conversion:</source>
        <translation>Nach der Konvertierung:</translation>
    </message>
    <message>
        <source>Output directory</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Output directory = Input directory</source>
        <translation>Ausgabeordner = Eingabeordner</translation>
    </message>
    <message>
        <source>Keep the folder structure</source>
        <translation>Ordnerstruktur beibehalten</translation>
    </message>
    <message>
        <source>Each file goes to the same folder under the output directory as under the folder it was added from</source>
        <translation>Jede Datei kommt im Ausgabeordner in denselben Ordner wie unter dem Ordner, aus dem sie hinzugefügt wurde</translation>
    </message>
</context>
<context>
    <name>TPreviewController</name>
    <message>
        <source>Converting ten seconds from the middle of %1...</source>
        <translation>Zehn Sekunden aus der Mitte von %1 werden konvertiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>No preview of %1: %2</source>
        <translation>Keine Vorschau von %1: %2</translation>
    </message>
    <message>
        <source>The preview of %1 plays in your video player.</source>
        <translation>Die Vorschau von %1 läuft in Ihrem Videoplayer.</translation>
    </message>
    <message>
        <source>The preview of %1 is ready, but no program to play it was found.</source>
        <translation>Die Vorschau von %1 ist fertig, aber kein Programm zum Abspielen wurde gefunden.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Erneut abspielen</translation>
    </message>
    <message>
        <source>The preview of %1 plays in %2.</source>
        <extracomment>%2: the player&apos;s program name, as &quot;mpv&quot; or &quot;vlc&quot;</extracomment>
        <translation>Die Vorschau von %1 läuft in %2.</translation>
    </message>
    <message>
        <source>Open folder</source>
        <extracomment>Opens the folder the preview was written to in the file manager</extracomment>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>TSettingsPanel</name>
    <message>
        <source>Copy, paste or reset these settings</source>
        <translation>Diese Einstellungen kopieren, einfügen oder zurücksetzen</translation>
    </message>
</context>
<context>
    <name>TVideoPanel</name>
    <message>
        <source>Output file format / Video settings</source>
        <translation>Ausgabeformat / Video-Einstellungen</translation>
    </message>
</context>
<context>
    <name>Tools</name>
    <message>
        <source>Could not find the encoder: mencoder</source>
        <translation>Der Encoder wurde nicht gefunden: mencoder</translation>
    </message>
</context>
<context>
    <name>ToolsInfo</name>
    <message>
        <source>File name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>File size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>%1 bytes (%2)</source>
        <translation>%1 Byte (%2)</translation>
    </message>
    <message>
        <source>File CRC32:</source>
        <translation>Datei-CRC32:</translation>
    </message>
    <message>
        <source>Binary type:</source>
        <translation>Binärtyp:</translation>
    </message>
    <message>
        <source>Product version:</source>
        <translation>Produktversion:</translation>
    </message>
    <message>
        <source>File version:</source>
        <translation>Dateiversion:</translation>
    </message>
    <message>
        <source>File description:</source>
        <translation>Dateibeschreibung:</translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>track %1</source>
        <extracomment>A sound or subtitle track without a language tag; %1 is its number, from 1</extracomment>
        <translation>Spur %1</translation>
    </message>
    <message>
        <source>%1 sound tracks; the %2 one is converted</source>
        <extracomment>The check before a batch; %1 the number of sound tracks (2 or more), %2 a language (&quot;German&quot;) or &quot;track 2&quot;</extracomment>
        <translation>%1 Tonspuren; konvertiert wird: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n subtitle track(s) left out</source>
        <translation>
            <numerusform>%n Untertitelspur weggelassen</numerusform>
            <numerusform>%n Untertitelspuren weggelassen</numerusform>
        </translation>
    </message>
    <message>
        <source>the subtitles of %1 are burnt into the picture</source>
        <extracomment>%1 is a file name</extracomment>
        <translation>die Untertitel aus %1 werden ins Bild eingebrannt</translation>
    </message>
    <message>
        <source>the %1 subtitles are burnt into the picture</source>
        <translation>die Untertitel (%1) werden ins Bild eingebrannt</translation>
    </message>
    <message>
        <source>no subtitles to burn</source>
        <translation>keine Untertitel zum Einbrennen</translation>
    </message>
    <message>
        <source>%1 sound tracks; the %2 one, &quot;%3&quot;, is converted</source>
        <extracomment>The check before a batch; %1 the number of sound tracks (2 or more), %2 a language (&quot;German&quot;) or &quot;track 2&quot;, %3 the track&apos;s title as the file names it (&quot;Director&apos;s commentary&quot;)</extracomment>
        <translation>%1 Tonspuren; konvertiert wird: %2, „%3“</translation>
    </message>
</context>
<context>
    <name>UiKit</name>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Checking available updates.</source>
        <translation>Suche nach verfügbaren Aktualisierungen.</translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Can not connect to the server.</source>
        <translation>Keine Verbindung zum Server möglich.</translation>
    </message>
    <message>
        <source>Please try again in a few minutes.</source>
        <translation>Bitte versuchen Sie es in ein paar Minuten erneut.</translation>
    </message>
    <message>
        <source>Unable to retrieve version information.</source>
        <translation>Die Versionsinformationen konnten nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>No updates available.</source>
        <translation>Keine Aktualisierungen verfügbar.</translation>
    </message>
    <message>
        <source>You have the latest version.</source>
        <translation>Sie haben die neueste Version.</translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation>Eine neue Version ist verfügbar.</translation>
    </message>
    <message>
        <source>Your version (%1) is newer than the latest release (%2).</source>
        <translation>Ihre Version (%1) ist neuer als die neueste Veröffentlichung (%2).</translation>
    </message>
</context>
</TS>
