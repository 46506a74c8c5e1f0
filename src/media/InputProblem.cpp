#include "media/InputProblem.h"

#include <QCoreApplication>

TInputProblem InputProblemOf(const TVideoFileInfo& info, int64_t fileSize)
{
    if (fileSize == 0)
        return TInputProblem::Empty;
    const TAvProbeInfo& p = info.Probe;
    if (p.HasVideo)
        return TInputProblem::None;
    // The library may count a cover as a video stream of one picture; the second prober
    // tells the two apart.
    if (p.Opened && p.CoverPicture)
        return TInputProblem::CoverArtOnly;
    if (info.NumberOfVideoStreams > 0)
        return TInputProblem::None;
    if (!p.Opened && info.Format.isEmpty() && info.NumberOfAudioStreams == 0)
        return TInputProblem::NotMedia;
    return TInputProblem::NoVideo;
}

QString InputProblemText(TInputProblem problem)
{
    switch (problem) {
    case TInputProblem::None:
        break;
    case TInputProblem::Empty:
        return QCoreApplication::translate("InputProblem", "the file is empty");
    case TInputProblem::NotMedia:
        return QCoreApplication::translate("InputProblem",
                                           "not a media file the program can read (unknown container, or damaged)");
    case TInputProblem::NoVideo:
        return QCoreApplication::translate("InputProblem", "the file has no video stream");
    case TInputProblem::CoverArtOnly:
        //: A sound file (MP4, MKV) whose only picture is its cover art
        return QCoreApplication::translate("InputProblem", "the file has no video stream, only a cover picture");
    }
    return QString();
}

bool RefusedBeforeRun(TInputProblem problem)
{
    return problem == TInputProblem::Empty || problem == TInputProblem::NoVideo ||
           problem == TInputProblem::CoverArtOnly;
}
