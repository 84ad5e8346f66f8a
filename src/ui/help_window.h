#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

#include <string>

class QHelpEngine;
class QLineEdit;
class QTabWidget;

namespace shiftex {

class HelpCollection;

// The pages of the help, read from the help collection; links to the web go to the desktop.
class HelpBrowser final : public QTextBrowser {
    Q_OBJECT

public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override;

private:
    QHelpEngine* engine_;
};

// The help window: contents, keyword index and full-text search beside the page.
class HelpWindow final : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(HelpCollection& help, QWidget* parent = nullptr);

    // "&Index" and "Show help file": the contents, on the first page unless one is shown.
    void showContents();
    // "&Seach keyword": the keyword index with an empty keyword, ready for typing.
    void showKeywordSearch();
    // The page of a topic; false (nothing shown) when the help has no such topic.
    bool showTopic(const std::string& name);
    void showPage(const QUrl& url);

    QUrl currentPage() const { return browser_->source(); }
    HelpBrowser* browser() const { return browser_; }
    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* keywordField() const { return keyword_; }

private:
    void bringUp();

    HelpCollection* help_;
    HelpBrowser* browser_;
    QTabWidget* tabs_;
    QLineEdit* keyword_;
};

} // namespace shiftex
