#pragma once

#include <QHash>
#include <QWidget>

class QLabel;

// "About": the program, its maker and home page, the encoder and MediaInfo in use, and
// the projects the program is built with. One rich-text template whose placeholders are
// filled in when the window is made; the two tool lines follow once the tools have
// answered (the encoder is started for its banner, off the user-interface thread).
class TFormAbout : public QWidget {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* owner);
    ~TFormAbout() override;

    // The window's template: four blocks separated by "<!--block-->".
    static QString Template();
    // Placeholders matched without regard to case; "%APP_URL%" everywhere, the others at
    // their first occurrence only.
    static QString FillTemplate(const QString& templ, const QHash<QString, QString>& values);
    // The values of every placeholder; the tool texts as given.
    static QHash<QString, QString> PlaceholderValues(const QString& encoderVersion, const QString& mediaInfoVersion);

    // The filled HTML of the blocks, as shown.
    QString Html() const { return m_html; }
    // The blocks' labels (lblBlock1..4).
    QList<QLabel*> Blocks() const { return m_blocks; }

    static QString LinkColor() { return QStringLiteral("#015cb8"); }
    static QString HoverLinkColor() { return QStringLiteral("#e60000"); }

Q_SIGNALS:
    void ToolsShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(const QString& encoderVersion, const QString& mediaInfoVersion);
    void Render();
    void StartToolQuery();

    QList<QLabel*> m_blocks;
    QString m_html;
    QString m_hovered; // the link under the mouse
    bool m_toolsAsked = false;
    QThread* m_thread = nullptr;
};
