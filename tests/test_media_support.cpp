#include "test_media_support.h"

#include "base/AppParams.h"
#include "base/Platform.h"

#include <gtest/gtest.h>

namespace MediaTest {

FakeMediaFile::FakeMediaFile() : m_asked(std::make_shared<std::map<std::pair<int, int>, int>>()) {}

void FakeMediaFile::Set(TMediaStreamKind kind, int number, const wchar_t* parameter, const char* answer)
{
    m_answers[Key(int(kind), number, std::wstring(parameter))] = QString::fromUtf8(answer);
}

void FakeMediaFile::Counts(int general, int video, int audio)
{
    const auto count = [](int n) { return n > 0 ? QByteArray::number(n) : QByteArray(); };
    Set(mskGeneral, 0, L"StreamCount", count(general).constData());
    Set(mskVideo, 0, L"StreamCount", count(video).constData());
    Set(mskAudio, 0, L"StreamCount", count(audio).constData());
}

TMediaInfoQuery FakeMediaFile::Query() const
{
    const std::map<Key, QString> answers = m_answers;
    const auto asked = m_asked;
    return [answers, asked](TMediaStreamKind kind, int number, const wchar_t* parameter) {
        ++(*asked)[{int(kind), number}];
        const auto it = answers.find(Key(int(kind), number, std::wstring(parameter)));
        return it == answers.end() ? QString() : it->second;
    };
}

int FakeMediaFile::Asked(TMediaStreamKind kind, int number) const
{
    const auto it = m_asked->find({int(kind), number});
    return it == m_asked->end() ? 0 : it->second;
}

QString SystemLibrary()
{
    static const QString path = SystemMediaInfoLibrary();
    return path;
}

void UseSystemMediaInfo()
{
    Platform::EnsureUtf8CType();
    EditAppParams().MediaInfoDll = SystemLibrary();
    if (AppParams().MediaInfoDll.isEmpty())
        ADD_FAILURE() << "the system's MediaInfo library was not found";
}

} // namespace MediaTest
