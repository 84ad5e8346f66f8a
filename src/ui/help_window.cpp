#include "ui/help_window.h"

#include "platform/help_collection.h"
#include "ui/icons.h"

#include <QDesktopServices>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace shiftex {

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent)
    : QTextBrowser(parent), engine_(&engine)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    // Pictures and the style sheet come with names relative to the page that names them.
    QUrl url = name;
    if (url.isRelative()) {
        const QUrl page(document()->metaInformation(QTextDocument::DocumentUrl));
        url = (page.isValid() && !page.isEmpty() ? page : source()).resolved(name);
    }
    if (url.scheme() == QLatin1String("qthelp")) {
        const QByteArray data = engine_->fileData(url);
        if (type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }
    return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::doSetSource(const QUrl& url, QTextDocument::ResourceType type)
{
    // A link out of the help (the web, mail) goes to the desktop's program for it.
    const QUrl resolved = source().resolved(url);
    if (resolved.scheme() != QLatin1String("qthelp") && !resolved.scheme().isEmpty()) {
        QDesktopServices::openUrl(resolved);
        return;
    }
    QTextBrowser::doSetSource(url, type);
}

HelpWindow::HelpWindow(HelpCollection& help, QWidget* parent)
    : QWidget(parent, Qt::Window), help_(&help)
{
    setWindowTitle(QStringLiteral("Shiftex Help"));
    setWindowIcon(HelpIcon());
    QHelpEngine& engine = *help.engine();
    browser_ = new HelpBrowser(engine);
    // The pages' style sheet for every page, whatever the text browser makes of their links.
    browser_->document()->setDefaultStyleSheet(QString::fromUtf8(
        engine.fileData(help.HomeUrl().resolved(QUrl(QStringLiteral("style.css"))))));

    tabs_ = new QTabWidget;
    QHelpContentWidget* contents = engine.contentWidget();
    tabs_->addTab(contents, QStringLiteral("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(QStringLiteral("Type in the keyword to find:")));
    keyword_ = new QLineEdit;
    keyword_->setClearButtonEnabled(true);
    indexLayout->addWidget(keyword_);
    QHelpIndexWidget* index = engine.indexWidget();
    indexLayout->addWidget(index, 1);
    tabs_->addTab(indexPage, QStringLiteral("Index"));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchEngine* search = engine.searchEngine();
    searchLayout->addWidget(search->queryWidget());
    searchLayout->addWidget(search->resultWidget(), 1);
    tabs_->addTab(searchPage, QStringLiteral("Search"));

    auto* toolBar = new QToolBar;
    QAction* back = toolBar->addAction(QStringLiteral("Back"), browser_, &QTextBrowser::backward);
    QAction* forward =
        toolBar->addAction(QStringLiteral("Forward"), browser_, &QTextBrowser::forward);
    toolBar->addAction(QStringLiteral("Contents"), this, [this] {
        showPage(help_->HomeUrl());
        tabs_->setCurrentIndex(0);
    });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto* splitter = new QSplitter;
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(splitter, 1);

    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link) { showPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links) {
                if (!links.isEmpty())
                    showPage(links.constFirst().url);
            });
    connect(keyword_, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(keyword_, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(search->queryWidget(), &QHelpSearchQueryWidget::search, search, [search] {
        search->search(search->queryWidget()->searchInput());
    });
    connect(search->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this,
            &HelpWindow::showPage);
    // The full-text index is made in the background while the window is new (a moment for
    // the pages of this help), so that the first search finds something.
    search->scheduleIndexDocumentation();
    // The chapters show from the start.
    connect(engine.contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    // The contents follow the page shown.
    connect(browser_, &QTextBrowser::sourceChanged, this, [contents](const QUrl& url) {
        const QModelIndex at = contents->indexOf(url);
        if (at.isValid())
            contents->setCurrentIndex(at);
    });
    resize(920, 640);
}

void HelpWindow::showPage(const QUrl& url)
{
    if (url.isValid())
        browser_->setSource(url);
    bringUp();
}

void HelpWindow::bringUp()
{
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    tabs_->setCurrentIndex(0);
    if (browser_->source().isEmpty())
        browser_->setSource(help_->HomeUrl());
    bringUp();
}

void HelpWindow::showKeywordSearch()
{
    tabs_->setCurrentIndex(1);
    keyword_->clear();
    if (browser_->source().isEmpty())
        browser_->setSource(help_->HomeUrl());
    bringUp();
    keyword_->setFocus(Qt::OtherFocusReason);
}

bool HelpWindow::showTopic(const std::string& name)
{
    const QUrl url = help_->TopicUrl(name);
    if (url.isEmpty())
        return false;
    showPage(url);
    return true;
}

} // namespace shiftex
