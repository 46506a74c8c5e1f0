<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Batch</name>
    <message>
        <source>batch %1% left %2</source>
        <extracomment>The headless progress line&apos;s end: the share of the whole batch done and its time left (h:mm:ss, or ?)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be written into a batch file safely (it holds a double quote, %, !, a line break or another control character): the file is left out of the script. A .sh script can hold any name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shell scripts (*.sh)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch files (*.bat)</source>
        <extracomment>Windows batch files</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNU parallel job lists (*.jobs)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last two of a list of file name endings: &quot;.sh, .bat or .jobs&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script name &quot;%1&quot; must end in %2.</source>
        <extracomment>%2: the endings of the script kinds, &quot;.sh, .bat or .jobs&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid UTF-8 and cannot be written into this script: the file is left out of it. A .sh script can hold it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BatchScriptWriter</name>
    <message>
        <source>invalid setting (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t write the file &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>report on the encoder and the MediaInfo library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file information report of FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the encoder command line for FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>convert every INPUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the batch as a script instead of running it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check the batch before converting: problems, then a forecast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ask the maker&apos;s server for a newer version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--set needs KEY=VALUE, got &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set one profile key (the KEYS below); repeatable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write the outputs to DIR (default: beside the input)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--if-exists takes rename, overwrite or skip, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>when the output exists (default: rename)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give each output its input&apos;s file dates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--jobs takes a number from 1 to %1 or auto, not &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>convert N files side by side (auto: one per core; default 1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use DIR as the program home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>end of options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last two of a list of options: &quot;--convert, --script or --check&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option &apos;%1&apos; takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be combined with &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs an argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option &apos;%1&apos; needs %2</source>
        <extracomment>%2: the options of the modes it belongs to, &quot;--convert, --script or --check&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a FILE</source>
        <extracomment>FILE as in the usage lines of --help</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs at least one INPUT</source>
        <extracomment>INPUT as in the usage lines of --help</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open the window; every INPUT is added to the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SETTINGS (start from the default encoder settings):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEYS of --set (any case; a value that cannot be used warns and is replaced):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OUTPUT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INPUT: files, folders and .lst file lists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit status: 0 all done, 1 a file failed, 2 usage or set-up error, 130 interrupted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;vexaconv --help&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>convert ten seconds from the middle of FILE into the temp folder, print the file&apos;s path and how long the whole file would take</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load a profile: a file, a profile of the program home&apos;s profiles folder or one that comes with the program, by the name the window&apos;s profile box shows (or its file name), or last: the last-session settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with --out-dir: a file found in an INPUT folder goes to the same subfolder of DIR as it has in that folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentCheck</name>
    <message>
        <source>The output is mirrored left to right against its source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output is upside down (flipped top to bottom) against its source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output is turned upside down against its source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output is turned on its side against its source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output is turned and mirrored against its source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output shows the first picture for the whole length.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output shows one still picture where its source moves.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures come at the wrong moments: at %1 it shows its source&apos;s picture of %2.</source>
        <extracomment>The output plays pictures at the wrong moments: &quot;at 2.00 s it shows the source&apos;s picture of 4.00 s&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures come %1 late against its source&apos;s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures come %1 early against its source&apos;s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures differ from its source&apos;s at %1 of %2 moments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound drifts against the picture: from %1 to %2 late.</source>
        <extracomment>Lip sync that changes along the file: &quot;from 0.00 s to 0.80 s late&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound is %1 late against the picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound is %1 early against the picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No picture of the output can be decoded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures drift against its source&apos;s: from %1 to %2 late.</source>
        <extracomment>%1, %2: the smallest and the largest offset of the output&apos;s pictures, &quot;-0.16 s&quot;, &quot;0.08 s&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output has no sound from %1 on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s pictures carry their times out of order: players show them in the wrong order.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConversionJob</name>
    <message>
        <source>The encoder ended without an error but wrote no output file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder ended without an error but wrote nothing: the output file is empty (0 bytes); it was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output check failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output check failed: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder&apos;s output failed the check (%1)</source>
        <extracomment>%1: what the check found wrong in MEncoder&apos;s output (&quot;The output&apos;s pictures come at the wrong moments&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopEntry</name>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder %1 is not writable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be made: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Encoding</name>
    <message>
        <source>CBR - Constant</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ABR - Average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Joint-Stereo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dual channel</source>
        <extracomment>Two independent mono channels in one stream</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mono</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 - Highest quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 - Recommended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 - LAME default</source>
        <extracomment>LAME is the MP3 encoder&apos;s name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 - Low quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to the right</source>
        <extracomment>Rotate by 90°: clockwise</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to the left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deinterlace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep original</source>
        <extracomment>Keep the interlaced picture as it is</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename file</source>
        <extracomment>What to do when the output file exists already: give the new one another name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip file</source>
        <extracomment>What to do when the output file exists already: leave the input out</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video bitrate: %s\nBitrate must be an integer value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video FPS: %s\nFPS must be a float value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio bitrate: %s\nBitrate must be an integer value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio sampling frequency: %s\nFrequency must be an integer value!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fastest, largest files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>very quick, very large files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quicker, larger files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a bit quicker, a bit larger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>slightly quicker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>balanced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>slower, smaller files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>much slower, smallest files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extremely slow, hardly smaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>live-action footage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cartoons and anime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keeps film grain</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>slide shows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for PSNR measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for SSIM measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>plays on slow devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>live streaming</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit rate</source>
        <extracomment>How the video&apos;s size is steered: by a bit rate, or by a quality the encoder keeps</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By language</source>
        <extracomment>Subtitles: burn the file&apos;s subtitle track in the languages typed below</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forced only</source>
        <extracomment>Subtitles: burn the file&apos;s forced subtitle track (the lines in a foreign language)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File beside it</source>
        <extracomment>Subtitles: burn a subtitle file of the same name beside the video</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <extracomment>The encoder setting: MEncoder, and FFmpeg where MEncoder cannot convert a file faithfully</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FaithfulOutput</name>
    <message>
        <source>the picture size %1x%2 becomes %3x%4 (the codec needs even sides)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture is turned %1° clockwise to stand upright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture is shown at %1:1 as in the source</source>
        <extracomment>%1 is the display aspect as a number: 1.778 for 16:9</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the frame rate varies: the pictures are read at their mean rate of %1 fps to keep the length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound starts %1 after the picture, and an %2 file from the encoder cannot keep that offset: convert this file to AVI.</source>
        <extracomment>%1 is a time in seconds (&quot;0.25 s&quot;), %2 the output&apos;s container (&quot;MP4&quot;, &quot;MKV&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sound starts %1 after the picture, as in the source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture is mirrored as players show it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the frame rate varies: the pictures keep their own moments at up to %1 fps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture starts %1 after the sound, as in the source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture starts %1 after the sound, and an %2 file from the encoder cannot keep that offset: convert this file to AVI.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file was cut without re-encoding and hides pictures before its start, which the encoder would show: the output would not start where the file does.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture size %1x%2 becomes %3x%4 (largest height %5)</source>
        <extracomment>%1x%2 the picture&apos;s size, %3x%4 the smaller size it gets, %5 the largest height set</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the AVI file has empty picture chunks: it is read by a second reader that keeps every picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FfmpegCommand</name>
    <message>
        <source>Opus sound goes into MKV only: choose MKV as the output format, or AAC sound for %1.</source>
        <extracomment>%1: the output format (&quot;MP4&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This ffmpeg program has no Opus encoder (libopus): choose AAC sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 video goes into MP4 or MKV only: choose MP4 or MKV as the output format, or H.264 video for %2.</source>
        <extracomment>%1: the video codec (&quot;HEVC&quot;, &quot;AV1&quot;), %2: the output format (&quot;AVI&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This ffmpeg program has no %1 encoder (%2): install Debian&apos;s package ffmpeg, which has it, or choose H.264 video.</source>
        <extracomment>%1: the video codec (&quot;HEVC&quot;, &quot;AV1&quot;), %2: ffmpeg&apos;s encoder (&quot;libx265&quot;, &quot;libsvtav1&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AV1 encoder takes pictures of at least %1x%1 pixels, and this file&apos;s is %2x%3: choose H.264 or HEVC video, or a larger size.</source>
        <extracomment>%1: the smallest side (64), %2 and %3: the output&apos;s width and height</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileInfo</name>
    <message>
        <source>bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded application:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of all data streams:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of video streams:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of audio streams:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Codec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile:</source>
        <extracomment>The codec&apos;s profile (as in &quot;High@L4.1&quot;), not a settings profile</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display aspect:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FPS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pixel format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bits per pixel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stream size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded library:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sampling rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bits per sample:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Samples:</source>
        <extracomment>The count of the sound stream&apos;s samples (frames of sound)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video delay:</source>
        <extracomment>How much later than the picture this sound stream starts</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GENERAL INFO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size: %1 bytes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VIDEO STREAM %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VIDEO STREAM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AUDIO STREAM %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Video file information report</source>
        <extracomment>The report&apos;s first line; %1 is the program&apos;s name, version and build width</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUBTITLE STREAM %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>forced</source>
        <extracomment>Beside a subtitle stream&apos;s language: shown even when the sound&apos;s language is understood</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>No</source>
        <extracomment>&quot;No&quot; as in number: the row&apos;s position in the list</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video codec ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video bitrate [kbit/s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video bitrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display aspect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames/sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames/sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bits/pixel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video stream size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio codec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio codec ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio bitrate [kbit/s]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sampling [Hz]</source>
        <extracomment>The sound&apos;s sampling rate</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sampling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio stream size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file, left out: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file (a pipe, socket or device), left out: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the file list: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVG %1</source>
        <extracomment>The footer&apos;s average of a column&apos;s values</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AVI video files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All video files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File list (*.LST)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reason</source>
        <extracomment>Why a row failed or cannot be read, in one sentence</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>untagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound: %1</source>
        <extracomment>The Tracks column: the file&apos;s sound tracks by language, &quot;Sound: English, German&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitles: %1</source>
        <extracomment>The Tracks column: the file&apos;s subtitle tracks by language</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file name given for the settings document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <extracomment>%1 is a file&apos;s name, %2 the system&apos;s reason</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Headless</name>
    <message>
        <source>warning: the MediaInfo library was not found; the file is not analysed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: the MediaInfo library was not found; files are not analysed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no input file was accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note: %1</source>
        <extracomment>A line of --check: something the batch adjusts on its own</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the error log &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file (a pipe, socket or device): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the MediaInfo library was not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the MediaInfo library cannot be loaded: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converted: %1, skipped: %2, failed: %3</source>
        <extracomment>The last line of a headless conversion: how many files were converted, skipped and failed</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InputProblem</name>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a media file the program can read (unknown container, or damaged)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has no video stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file has no video stream, only a cover picture</source>
        <extracomment>A sound file (MP4, MKV) whose only picture is its cover art</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputCheck</name>
    <message>
        <source>with the picture</source>
        <extracomment>Where the sound starts: together with the picture</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 after the picture</source>
        <extracomment>Where the sound starts: &quot;0.50 s after the picture&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 before the picture</source>
        <extracomment>Where the sound starts: &quot;0.50 s before the picture&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MediaInfo cannot read the output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file cannot be read: the encoder wrote no media file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file&apos;s format is unknown, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file&apos;s format is %1, not %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file is cut short.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output has no video stream.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video is of an unknown format, not %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video is %1, not %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is %1x%2, not %3x%4.</source>
        <extracomment>Picture sizes: &quot;The picture is 640x480, not 720x576.&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output is shown at %1, the input at %2: its shape is wrong.</source>
        <extracomment>Display aspects: &quot;The output is shown at 1.33:1, the input at 1.78:1: its shape is wrong.&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s length is unknown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output lasts %1, the input %2: the encoder lost frames.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output lasts %1, the input %2: the encoder added frames.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output has no audio stream.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The sound starts %1 in the output, %2 in the input.</source>
        <extracomment>%1, %2: &quot;with the picture&quot;, &quot;0.50 s after the picture&quot;, &quot;0.50 s before the picture&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Outputs</name>
    <message>
        <source>&quot;%1&quot; is one of the files to convert: it is not written over.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create a file in &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No free temporary name in &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot rename &quot;%1&quot; to &quot;%2&quot;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot remove &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Preflight</name>
    <message>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read (no permission)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output directory %1 cannot be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output directory %1 cannot be written (no permission)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output directory %1 cannot be created in %2 (no permission)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 file</source>
        <extracomment>A count of files in the forecast before a batch: &quot;1 file&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files</source>
        <extracomment>A count of files in the forecast before a batch: &quot;0 files&quot;, &quot;3 files&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forecast: %1.</source>
        <extracomment>%1: &quot;0 files&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, about %3.</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the time (h:mm:ss)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the MediaInfo library was not found: the files were not probed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no output directory is given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its output %1 is also the output of %2; it is written as %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output %1 exists; the file is skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output %1 exists; it is written as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the output %1 exists and is written over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every numbered name of %1 is taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not enough free space for the outputs in %1: about %2 needed, %3 free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (a guess: the size follows the quality)</source>
        <extracomment>The forecast size of outputs whose video follows a quality; %1: the size (&quot;210.7 MB&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, time unknown (no file converted on this machine yet with %3).</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the settings never measured (&quot;H.264 veryfast, HD&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forecast: %1, about %2, about %3 and %4 of unknown time (none converted yet with %5).</source>
        <extracomment>%1: &quot;3 files&quot;, %2: the size of the outputs, %3: the time (h:mm:ss), %4: &quot;1 file&quot; whose time is unknown, %5: the settings never measured (&quot;H.264 veryfast, HD&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>%1 s from about %2, made in %3</source>
        <extracomment>%1: the preview&apos;s length in seconds (&quot;10&quot;), %2: where it starts (hh:mm:ss), %3: the time it took (&quot;4.2 s&quot;). Where the encoder began is not known, hence &quot;about&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; the whole file would take about %2.</source>
        <extracomment>%1: how the preview was made, %2: the time the whole file would take (hh:mm:ss, or &quot;4.2 s&quot; under a minute)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The temp folder cannot be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preview was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder wrote nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s from %2, made in %3</source>
        <extracomment>%1: the preview&apos;s length in seconds (&quot;10&quot;), %2: where it begins in the file (hh:mm:ss), %3: the time it took (&quot;4.2 s&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RowPlan</name>
    <message>
        <source>MEncoder would show the pictures this trimmed clip hides before its start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder cannot keep this file&apos;s sound offset in %1</source>
        <extracomment>%1: the output&apos;s container (&quot;MP4&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder&apos;s readers lose the timing of this file&apos;s variable rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder&apos;s reader loses the AC-3 sound of this MPEG file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder&apos;s B-pictures would show each picture of this slow clip one picture late</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder would cut the still picture this file ends on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder would drop the last picture of this MPEG video</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RowStatus</name>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK - Renamed</source>
        <extracomment>Done, under a new numbered name because the output existed; the Status column is narrow</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK - Overwritten</source>
        <extracomment>Done, over the output that existed; the Status column is narrow</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped</source>
        <extracomment>The row was left out: its output exists and the policy says to skip it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrupted</source>
        <extracomment>The batch the row belonged to ended before the row did (the program was closed or crashed)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error = %1</source>
        <extracomment>The second pass of a two-pass encode failed with this exit code</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused</source>
        <extracomment>A file named by the user that is not a video the program can convert</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <extracomment>The Status cell of a refused file: why, as the check before a batch says it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output: %1</source>
        <extracomment>The Status cell&apos;s tool tip: where the row&apos;s output was written</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <extracomment>The row failed, not by the encoder&apos;s exit code: the output check or a refusal; the Reason column says why</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Runner</name>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Error.  Code: %1.
%2</source>
        <extracomment>The encoder could not be started; %1: the system&apos;s error number, %2: its description</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1 earlier lines of the encoder&apos;s output are left out]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder refused the picture size %1x%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder does not know an option of the command line: check the additional parameters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk is full: the output could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output file could not be written (no permission, or a read-only folder).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder cannot read this file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder has no decoder for this file&apos;s video.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder crashed or was killed (exit status %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder stopped with exit status %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress: %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Est. output size: &lt;b&gt;~%1 MB&lt;/b&gt;</source>
        <extracomment>The estimated size of the file being written, in megabytes</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting file &lt;b&gt;%1&lt;/b&gt; / &lt;b&gt;%2&lt;/b&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass %1</source>
        <extracomment>&quot;Pass&quot; as in the first pass of two; a badge of the two-pass encoding</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed: %1 fps</source>
        <extracomment>%1: the encoding speed, a number on a coloured badge</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame: %1 / ~%2</source>
        <extracomment>The frame being encoded of the (estimated) frame count</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file %1/%2 pass %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: starting</source>
        <extracomment>A headless progress line before the encoder&apos;s first status; %1: &quot;file 1/3&quot;, &quot;file 1/3 pass 2&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2% %3 fps frame %4/~%5 ~%6 MB</source>
        <extracomment>A headless progress line; %1: &quot;file 1/3&quot;, %2: percent, %3: speed, %4: frame, %5: frame count, %6: megabytes</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder showed no progress for %1 and was stopped: it hangs on this file.</source>
        <extracomment>%1: how long the encoder went without progress (&quot;300 s&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder was still running after %1, far longer than a piece of this length takes, and was stopped: it hangs on this file.</source>
        <extracomment>%1: the time the run was given (hh:mm:ss)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input&apos;s sound cannot be decoded (the file is damaged there): convert it with &quot;No audio&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input cannot be decoded (the file is damaged there).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingRows</name>
    <message>
        <source>Video codec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kbit/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames per sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aspect:</source>
        <extracomment>The picture&apos;s display aspect ratio (16:9, 4:3)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2-pass encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Threads:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preset:</source>
        <extracomment>The encoder&apos;s speed preset (ultrafast ... placebo), for H.264, HEVC and AV1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tune:</source>
        <extracomment>x264&apos;s tuning for a kind of picture (film, animation, grain)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sampling freq.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Algorithm quality:</source>
        <extracomment>The MP3 encoder&apos;s algorithm quality: 0 best and slowest, 9 fastest</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitrate mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Additional encoder command-line parameters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deinterlacing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip horizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate by 90°:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum number of skipped frames:</source>
        <extracomment>A check box; the number of frames the encoder may drop follows it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Force encoding of duplicate frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kind of file written: AVI for older players, MP4 for phones and the web, MKV for computers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many kilobits each second of video may take: more gives a better picture and a larger file; Auto chooses from the input.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures per second in the output; Auto keeps the input&apos;s rate, so change it only for a player that needs another.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture&apos;s shape on screen (16:9 wide, 4:3 old TV); Auto keeps the input&apos;s, so change it only when the picture looks squeezed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encodes every file twice to spend the bitrate where the picture needs it: better quality at the same size, but twice the time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slower presets make smaller files at the same quality; &apos;medium&apos; is a good balance.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fits H.264 to a kind of picture, such as film, cartoons or grainy footage; Auto suits most videos.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many kilobits each second of MP3 sound takes: 128 to 192 suits music; Auto chooses from the input.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound samples per second; Auto keeps the input&apos;s rate, and 44100 or 48000 play everywhere.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the MP3 stores the sound&apos;s channels; Auto lets the encoder choose, and Mono suits speech and saves room.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How hard the MP3 encoder works: 0 is best and slowest, 9 fastest; the file size stays the same.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CBR keeps the bitrate the same throughout; ABR lets it vary around it, which often sounds better at the same size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leaves the sound out, for a silent video.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s picture size; Auto keeps the input&apos;s, and Custom takes the width and height you enter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s width in pixels when the picture size is Custom.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The output&apos;s height in pixels when the picture size is Custom.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removes the comb-like lines of interlaced video (from TV or camcorders); Auto does so only when the input is interlaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes the picture lighter or darker by the amount set beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right makes the picture lighter, left darker; 0 leaves it as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes the colours stronger or paler by the amount set beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right makes the colours stronger, left paler; 1 leaves them as they are and 0 turns the picture grey.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirrors the picture left to right, for video filmed through a mirror.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirrors the picture top to bottom; with the horizontal flip it turns an upside-down video the right way up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turns the picture a quarter turn, for video filmed with the camera held on its side.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which way the picture turns: to the right is clockwise.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Limits how many frames in a row the encoder may drop to keep sound and picture in step.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The most frames in a row the encoder may drop; 0 keeps every frame.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encodes repeated frames instead of leaving them out, which keeps sound and picture in step in more players.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size by:</source>
        <extracomment>How the video&apos;s size is steered (a list: bit rate or quality)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit rate gives a file size you can plan; Quality keeps the picture&apos;s look and lets the size follow it, as most converters do.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality (H.264):</source>
        <extracomment>x264&apos;s constant rate factor: lower is better and larger (18 looks like the source, 28 is small)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 18 looks like the source, 22 is a good balance, 28 is small.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality (Xvid):</source>
        <extracomment>Xvid&apos;s fixed quantizer: lower is better and larger (2 looks like the source, 6 is small)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 2 looks like the source, 4 is a good balance, 6 is small.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Largest height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With the picture size on Auto, a taller picture is made smaller to this many lines, keeping its shape; a smaller one keeps its size, and 0 keeps every size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which sound track of a file with several is converted: languages in order, such as &quot;de, en&quot; or &quot;German&quot;; Auto, or none found, takes the file&apos;s default track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitles burnt into the picture: the file&apos;s track in the languages below, its forced track, or a file of the same name beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtitle language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The subtitle languages to look for, in order, such as &quot;en, de&quot;; the first track found is burnt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Burn subtitles:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoder:</source>
        <extracomment>Which program converts the files (a list: Automatic, MEncoder, FFmpeg)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program that converts: Automatic uses MEncoder and FFmpeg for the files MEncoder cannot convert faithfully; choose one to use it for every file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound codec:</source>
        <extracomment>The sound&apos;s codec (a list: MP3, AAC, Opus)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MP3 plays everywhere; AAC sounds better at the same size and suits MP4; Opus, smaller still, goes into MKV only (FFmpeg makes AAC and Opus).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep all sound and subtitle tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps every sound and subtitle track, with its language and title, for the player to switch between (subtitles in MKV and MP4; made by FFmpeg).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MEncoder&apos;s options, added to its command line as typed (a file FFmpeg makes is made without them); leave this empty unless you know them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xvid plays almost anywhere; H.264 looks better at the same size, HEVC and AV1 better still but slower (FFmpeg makes them).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality (HEVC):</source>
        <extracomment>x265&apos;s constant rate factor: lower is better and larger (22 looks like the source, 32 is small)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 22 looks like the source, 28 is a good balance, 32 is small.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality (AV1):</source>
        <extracomment>SVT-AV1&apos;s constant rate factor: lower is better and larger (25 looks like the source, 45 is small)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower numbers look better and make larger files: 25 looks like the source, 35 is a good balance, 45 is small.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many processor cores H.264, HEVC or AV1 encoding uses; Auto suits the computer, fewer leave it free for other work.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>no selection</source>
        <extracomment>What a list setting holds when none of its entries is chosen</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not an integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outside %1..%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not an index of the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>neither %1 nor %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such profile: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>profile name &apos;%1&apos; is shown by several profiles, give one of their files: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such profile: %1 (neither a file nor a profile in %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the profile: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown settings key: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: --set %1=%2: %3; %4 is used instead</source>
        <extracomment>%1=%2 is the option&apos;s key and value as given, %3 why the value cannot be used, %4 the value used instead</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last session settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default encoder settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>outputs with all sound and subtitle tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AAC sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opus sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only FFmpeg makes %1, and no ffmpeg program was found: install the package ffmpeg.</source>
        <extracomment>%1: &quot;HEVC video&quot;, &quot;AAC sound&quot;, &quot;Opus sound&quot;, &quot;outputs with all sound and subtitle tracks&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only FFmpeg makes %1, but the encoder setting is MEncoder: set it to Automatic or FFmpeg.</source>
        <extracomment>%1: &quot;HEVC video&quot;, &quot;AAC sound&quot;, &quot;Opus sound&quot;, &quot;outputs with all sound and subtitle tracks&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HEVC video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AV1 video</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShippedProfiles</name>
    <message>
        <source>Plays everywhere (MP4, H.264)</source>
        <extracomment>A profile that comes with the program, named by what its outputs are for</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phones and sharing (smaller)</source>
        <extracomment>A profile that comes with the program: smaller files for phones and for sending</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TV and media players (MKV)</source>
        <extracomment>A profile that comes with the program, for television sets and media players</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old players (AVI, Xvid)</source>
        <extracomment>A profile that comes with the program, for DVD players and other old devices</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAdvancedPanel</name>
    <message>
        <source>Advanced settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <extracomment>A button beside the additional parameters: opens the encoder&apos;s documentation</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <extracomment>Between the width and the height of a resolution, as in 640 x 480</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAnalysisPool</name>
    <message>
        <source>media analysis runs inside the program, without a time limit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the analysis of &quot;%1&quot; took longer than %2 s and was stopped; the file is treated as unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the analysis of &quot;%1&quot; failed; the file is treated as unreadable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the analysis worker &quot;%1&quot; cannot be started (%2); files are not analysed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TAudioPanel</name>
    <message>
        <source>Audio settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitrate/Sampling info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBatchController</name>
    <message>
        <source>Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The check before converting found problems:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files no longer exist and were left out:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the %2 checked files were converted already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert them again, or only the others?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert them again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the others</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBatchNotice</name>
    <message>
        <source>%1 done, %2 skipped, %3 failed in %4</source>
        <extracomment>The end of a batch as a desktop notification: how many files were converted, skipped and failed, and the time the batch took (00:02:05)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TBatchPlanner</name>
    <message>
        <source>Couldn&apos;t create directory &quot;%1&quot;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid setting (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 for the output could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is where this batch puts the output of %1: it is not converted again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The existing output was incomplete (%1): it was converted again.</source>
        <extracomment>%1: what is wrong with it, &quot;The output file is cut short&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder setting is FFmpeg, but no ffmpeg program was found: install the package ffmpeg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converted by FFmpeg: %1.</source>
        <extracomment>%1: why, &quot;MEncoder cannot keep this file&apos;s sound offset in MP4&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The additional parameters are MEncoder&apos;s: FFmpeg makes this file without them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FFmpeg&apos;s AV1 encoder makes no second pass: this file is made in one pass at the bit rate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The input is cut short: only its first %1 can be read, and the output holds them.</source>
        <extracomment>%1: how long the readable part plays, &quot;1.05 s&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(asking the encoder...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(asking the library...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <extracomment>%1 is the version and the build&apos;s word size (&quot;1.0 64-bit&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Freeware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other open source projects used in the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adwaita icon theme</source>
        <extracomment>The name of the icon set the program&apos;s toolbar uses</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support the author</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The MediaInfo library was not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormCheckUpdate</name>
    <message>
        <source>Check for updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The latest version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the download page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormCmdLine</name>
    <message>
        <source>Encoder command-line parameters</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormErrors</name>
    <message>
        <source>Errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save log...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log files (*.log)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Errors (%1)</source>
        <extracomment>The error window&apos;s title at the end of a batch: %1 is the number of errors</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reports</source>
        <extracomment>The error window&apos;s first page: each failure explained</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log text</source>
        <extracomment>The error window&apos;s second page: the log as &quot;Save log&quot; writes it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoder ended with exit code %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2 (%3)</source>
        <extracomment>One failure in the error window: %1 its number, %2 why it failed, %3 the input&apos;s file name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command line</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The encoder&apos;s output (%n lines)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TFormFileInfo</name>
    <message>
        <source>File info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy to the Clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stream:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormMain</name>
    <message>
        <source>A batch was interrupted (%1 files, %2 not converted).

Restore the list from the interrupted batch?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings could not be saved:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Directory &quot;%1&quot; does not exists!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load encoder settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save encoder settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ini files (*.ini *.INI)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The manual is not installed. It was looked for here:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profiles that come with the program cannot be changed: save yours in your own profiles folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The bitrate information could not be written to %1.
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormOptions</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow row moving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow column moving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show grid lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show table footer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show selected row indicator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file after click on the icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File analysis:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default video encoder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create shortcut on the Desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(at the next start)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop shortcut was not made.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormProgress</name>
    <message>
        <source>Conversion progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t show encoder output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close after conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass</source>
        <extracomment>Column of the running jobs: the number of the pass running, &quot;Pass&quot; as in the first pass of two</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <extracomment>Column of the running jobs: the time the job has left</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoder output:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output file:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paused</source>
        <extracomment>The window title while the batch is paused; the main window puts it before its own title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress: 100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Elapsed: %1    ::    Left: %2</source>
        <extracomment>The file being converted: the time it has taken and the time it has left (a clock time, &quot;~00:01:30&quot; estimated, or &quot;?&quot; before any progress)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch: %1%    ::    Batch left: %2</source>
        <extracomment>The whole batch: the share of it done (%1 percent) and the time it has left</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TFormToolsInfo</name>
    <message>
        <source>Tools info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the tools...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TListController</name>
    <message>
        <source>Add files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file, %1 checked</source>
        <extracomment>The status bar: the list holds one file, %1 of them checked (0 or 1)</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files, %2 checked</source>
        <extracomment>The status bar: the list holds %1 files (never one), %2 of them checked</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TMainActions</name>
    <message>
        <source>&amp;Add files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add f&amp;older...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove checked files from list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove s&amp;elected files from list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Check all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uncheck all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Invert selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chec&amp;k selected files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unc&amp;heck selected files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loa&amp;d file list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save file list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Con&amp;vert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;script...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stay on &amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimize to tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show prog&amp;ress window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show / hide video file &amp;properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show / hide &amp;error log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load encoder settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save encoder settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;-- Load</source>
        <extracomment>The button after the profile box: applies the profile chosen in it</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default encoder settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy video encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste video encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default &amp;video encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;opy audio encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;aste audio encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default a&amp;udio encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cop&amp;y advanced encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pas&amp;te advanced encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default adva&amp;nced encoding settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoder command-l&amp;ine parameters...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tools in&amp;fo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check for &amp;updates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Home page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Donation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Facebook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Twitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Explore...</source>
        <extracomment>Opens the output directory in the file manager</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize to system tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colu&amp;mns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main</source>
        <extracomment>The name of the main toolbar</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove checked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stay on top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xplore directory %1</source>
        <extracomment>A menu entry; %1 is the selected file&apos;s directory, or nothing before a row is selected</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previe&amp;w...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert ten seconds of the selected file with these settings and play them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <extracomment>Help menu: opens the user guide in the web browser</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TOutputStrip</name>
    <message>
        <source>Keep the dates of the original file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keeps the creation, last write and the last access time of the original file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If output file exists:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After conversion:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output directory = Input directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the folder structure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each file goes to the same folder under the output directory as under the folder it was added from</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TPreviewController</name>
    <message>
        <source>Converting ten seconds from the middle of %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No preview of %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preview of %1 plays in your video player.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preview of %1 is ready, but no program to play it was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preview of %1 plays in %2.</source>
        <extracomment>%2: the player&apos;s program name, as &quot;mpv&quot; or &quot;vlc&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open folder</source>
        <extracomment>Opens the folder the preview was written to in the file manager</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TSettingsPanel</name>
    <message>
        <source>Copy, paste or reset these settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TVideoPanel</name>
    <message>
        <source>Output file format / Video settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tools</name>
    <message>
        <source>Could not find the encoder: mencoder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolsInfo</name>
    <message>
        <source>File name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File CRC32:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Binary type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File description:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TrackChoice</name>
    <message>
        <source>track %1</source>
        <extracomment>A sound or subtitle track without a language tag; %1 is its number, from 1</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sound tracks; the %2 one is converted</source>
        <extracomment>The check before a batch; %1 the number of sound tracks (2 or more), %2 a language (&quot;German&quot;) or &quot;track 2&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n subtitle track(s) left out</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>the subtitles of %1 are burnt into the picture</source>
        <extracomment>%1 is a file name</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the %1 subtitles are burnt into the picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no subtitles to burn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sound tracks; the %2 one, &quot;%3&quot;, is converted</source>
        <extracomment>The check before a batch; %1 the number of sound tracks (2 or more), %2 a language (&quot;German&quot;) or &quot;track 2&quot;, %3 the track&apos;s title as the file names it (&quot;Director&apos;s commentary&quot;)</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UiKit</name>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Checking available updates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can not connect to the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please try again in a few minutes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to retrieve version information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No updates available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have the latest version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your version (%1) is newer than the latest release (%2).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
