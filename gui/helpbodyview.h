#pragma once

#include <QTextBrowser>

// The view of a help body in both programs. A body is text from whoever
// made the help file: it is shown as rich text and nothing more. The view
// loads no resource (an image shows as Qt's placeholder for a missing one),
// follows no link, and shows a body nested too deeply for the layout to
// finish in reasonable time as its plain source.
class HelpBodyView : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBodyView(QWidget *parent = nullptr);

    void showBody(const QString &body);

    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
};
