#pragma once

#include "filelist/FileIconStore.h"

#include <QHash>
#include <QList>

// File icons from the desktop's icon theme, by the file's type. One entry per added
// file, as the list expects; files of one type share one icon.
class TThemeIconStore : public TFileIconStore {
public:
    int AddIcon(const QString& fullFileName) override;
    QIcon Icon(int index) const override;
    void Clear() override;

private:
    QIcon IconForType(const QString& fullFileName);

    QList<QIcon> m_entries;
    QHash<QString, QIcon> m_byType; // mime type name -> icon
};
