#include "ui/TThemeIconStore.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

QIcon TThemeIconStore::IconForType(const QString& fullFileName)
{
    // By extension only: reading every file's content would slow down large folders.
    static const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(fullFileName, QMimeDatabase::MatchExtension);
    const QString key = type.name();
    auto it = m_byType.constFind(key);
    if (it != m_byType.cend())
        return *it;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("video-x-generic"));
    if (icon.isNull()) {
        static const QFileIconProvider provider;
        icon = provider.icon(QFileIconProvider::File);
    }
    m_byType.insert(key, icon);
    return icon;
}

int TThemeIconStore::AddIcon(const QString& fullFileName)
{
    const QIcon icon = IconForType(fullFileName);
    if (icon.isNull())
        return -1;
    m_entries << icon;
    return int(m_entries.size()) - 1;
}

QIcon TThemeIconStore::Icon(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries[index] : QIcon();
}

void TThemeIconStore::Clear()
{
    m_entries.clear();
}
