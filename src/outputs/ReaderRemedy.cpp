#include "outputs/ReaderRemedy.h"

bool RemedyMayHelp(const TRowPlan& plan)
{
    // the user's own -demuxer comes last on the command line, and so wins
    const QString reader = plan.UserReader.isEmpty() ? plan.Reader : plan.UserReader;
    return reader != QLatin1String("lavf") && reader != QLatin1String("mov");
}

TRowPlan RemedyPlan(const TRowPlan& plan)
{
    return RowPlan(plan.Settings, plan.Input, TReaderChoice::Lavf);
}
