#pragma once

#include "media/MediaAnalysis.h"
#include "support/TestSupport.h"

#include <QString>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>

// Readable failures for the texts compared everywhere here.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Helpers of the media tests: a made-up file's MediaInfo answers, and the real library.
namespace MediaTest {

class FakeMediaFile {
public:
    FakeMediaFile();
    void Set(TMediaStreamKind kind, int number, const wchar_t* parameter, const char* answer);
    // "StreamCount" of the general, video and audio streams.
    void Counts(int general, int video, int audio);
    // A query bound to this file's answers; unknown parameters answer empty.
    TMediaInfoQuery Query() const;
    // How many queries stream number of kind received.
    int Asked(TMediaStreamKind kind, int number) const;

private:
    using Key = std::tuple<int, int, std::wstring>;
    std::map<Key, QString> m_answers;
    std::shared_ptr<std::map<std::pair<int, int>, int>> m_asked;
};

// The system's libmediainfo (its real path) as the program's library.
QString SystemLibrary();
void UseSystemMediaInfo();

} // namespace MediaTest
