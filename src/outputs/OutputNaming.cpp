#include "outputs/OutputNaming.h"

#include "outputs/BatchFiles.h"
#include "lib/Files.h"

#include <QDir>
#include <QFileInfo>

QString FoldInputPath(const QString& path)
{
    QString p = path;
    while (p.contains(QLatin1String("//")))
        p.replace(QLatin1String("//"), QLatin1String("/"));
    return p;
}

QString TreeFolder(const QString& root, const QString& input)
{
    if (root.isEmpty())
        return QString();
    const QString base = QDir::cleanPath(root);
    const QString dir = QDir::cleanPath(QFileInfo(input).path());
    const QString prefix = base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/');
    if (!dir.startsWith(prefix))
        return QString();
    const QString rel = dir.mid(prefix.size());
    // A ".." that cleaning could not fold leads above the root: such a file keeps no tree.
    if (rel.split(QLatin1Char('/')).contains(QLatin1String("..")))
        return QString();
    return rel;
}

QString PlannedOutputPath(const QString& input, bool outDirIsInDir, const QString& outDir, const QString& ext,
                          const QString& root)
{
    QString out = input;
    if (!outDirIsInDir) {
        QString dir = StripDirEnd(outDir);
        if (dir.isEmpty() && outDir.startsWith(QLatin1Char('/')))
            dir = QStringLiteral("/");
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        const QString tree = TreeFolder(root, input);
        if (!tree.isEmpty())
            dir += tree + QLatin1Char('/');
        out = dir + QFileInfo(input).fileName();
    }
    // Replace the extension of the last path element only: a dot in a directory name is
    // not an extension, nor is the leading dot of a hidden file's name.
    const int slash = int(out.lastIndexOf(QLatin1Char('/')));
    const int dot = int(out.lastIndexOf(QLatin1Char('.')));
    if (dot > slash + 1)
        out.truncate(dot);
    return out + ext;
}

QString NumberedOutputName(const QString& path, const std::function<bool(const QString&)>& isTaken)
{
    if (!isTaken(path))
        return path;
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    const bool hasExt = dot > slash + 1;
    const QString base = hasExt ? path.left(dot) : path;
    const QString ext = hasExt ? path.mid(dot) : QString();
    for (int i = 1; i <= 100000; ++i) {
        const QString candidate = base + QLatin1Char('_') + QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')) + ext;
        if (!isTaken(candidate))
            return candidate;
    }
    return QString();
}

bool SameFile(const QString& a, const QString& b)
{
    if (QDir::cleanPath(a) == QDir::cleanPath(b))
        return true;
    const auto ia = FileIdOf(a, true);
    return ia && ia == FileIdOf(b, true);
}

TOutputChoice ChooseOutputName(const QString& planned, TOutputPolicy policy, const TBatchFiles& files)
{
    TOutputChoice c;
    c.Output = planned;
    c.FinalStatus = TRowStatus::Of(TRowStatusKind::Done);

    // An output that an earlier row of this batch writes is always taken: two inputs
    // that map to one name must not overwrite each other, whatever the policy.
    const auto taken = [&files](const QString& p) { return files.IsTaken(p); };
    if (files.IsEarlierOutput(planned)) {
        c.EarlierRow = true;
        c.Output = NumberedOutputName(planned, taken);
        c.FinalStatus = TRowStatus::Of(TRowStatusKind::Renamed);
        return c;
    }
    // Taken is what the file system says is there, a dangling symbolic link included.
    if (!NameExists(planned))
        return c;
    c.OnDisk = true;
    // Skip file leaves even an output that names the input alone; what is reported is
    // the name that exists.
    if (policy == TOutputPolicy::Skip) {
        c.Skipped = true;
        return c;
    }
    // Overwrite never reaches a file this batch reads, under whatever name (the row's own
    // input, another row's input, a hard link, a case-folding card), and never follows a
    // symbolic link to wherever it points.
    if (policy == TOutputPolicy::Rename || files.IsInput(planned) || IsSymLinkName(planned)) {
        c.Output = NumberedOutputName(planned, taken);
        c.FinalStatus = TRowStatus::Of(TRowStatusKind::Renamed);
    } else if (policy == TOutputPolicy::Overwrite) {
        c.FinalStatus = TRowStatus::Of(TRowStatusKind::Overwritten);
    }
    return c;
}
