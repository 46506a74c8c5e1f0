#pragma once

#include <QIcon>
#include <QString>

// The list's store of small file icons. The GUI provides it (icons come from the
// desktop's icon theme); the model only keeps each row's index into it.
class TFileIconStore {
public:
    virtual ~TFileIconStore() = default;
    // Adds the icon for a file and returns its index, or -1 when there is none.
    virtual int AddIcon(const QString& fullFileName) = 0;
    // The icon at index; a null icon for an unknown index.
    virtual QIcon Icon(int index) const = 0;
    virtual void Clear() = 0;
};
