#pragma once

#include <QTextBrowser>

// The view of a help body in both programs. A body is text from whoever
// made the help file: it is shown as rich text and nothing more. The view
// loads no resource (an image shows as Qt's placeholder for a missing one),
// follows no link, and shows a body that Qt's layout would take long over
// (see BodyLayoutBudget) as its plain source; of a very long source only the
// start is shown, with a note that says so. The body itself is never changed.
class HelpBodyView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBodyView(QWidget *parent = nullptr);

    // The most of a body's source shown, laid out in a fraction of a second.
    static constexpr int MaxSourceShown = 100000;

    void showBody(const QString &body);
    // Whether the body last shown is shown as its source, not rendered.
    bool showsSource() const { return m_showsSource; }

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    bool m_showsSource = false;
};
