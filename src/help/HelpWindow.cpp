#include "HelpWindow.h"

#include "HelpContents.h"
#include "PathOpener.h"

#include <QBoxLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

#include <vector>

namespace qmv {

namespace {

constexpr int pageRole = Qt::UserRole;
const QSize preferredSize(900, 640);

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

HelpWindow::HelpWindow(const QString& helpFile, PathOpener& opener, QWidget* parent, const QString& root)
    : QWidget(parent, Qt::Window)
    , m_root(root)
    , m_helpFile(helpFile)
    , m_opener(opener)
{
    setObjectName(QStringLiteral("helpwindow"));
    setWindowTitle(tr("QMV-718 自学习软件帮助"));

    m_tabs = new QTabWidget;
    m_tabs->addTab(buildContents(), tr("目录"));
    m_tabs->addTab(buildSearch(), tr("搜索"));

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("helppage"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);

    m_openHelpFile = new QPushButton(tr("用帮助查看器打开 %1").arg(QFileInfo(helpFile).fileName()));
    m_openHelpFile->setObjectName(QStringLiteral("openhelpfile"));
    m_openHelpFile->setVisible(QFileInfo::exists(helpFile));
    connect(m_openHelpFile, &QPushButton::clicked, this, &HelpWindow::openHelpFile);

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_tabs);
    sideLayout->addWidget(m_openHelpFile);

    auto* splitter = new QSplitter;
    splitter->addWidget(side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, preferredSize.width() - 240});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    // Never larger than the screen it opens on.
    QSize size = preferredSize;
    if (const QScreen* display = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(display->availableSize());
    resize(size);

    readPages();
}

QWidget* HelpWindow::buildContents()
{
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("helpcontents"));
    m_contents->setHeaderHidden(true);
    m_contents->setRootIsDecorated(false);
    connect(m_contents, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            showPage(item->data(0, pageRole).toString());
    });
    return m_contents;
}

QWidget* HelpWindow::buildSearch()
{
    auto* page = new QWidget;
    m_query = new QLineEdit;
    m_query->setObjectName(QStringLiteral("helpquery"));
    m_query->setPlaceholderText(tr("输入要查找的文字"));
    m_query->setClearButtonEnabled(true);
    auto* find = new QPushButton(tr("查找"));
    connect(m_query, &QLineEdit::returnPressed, this, [this] { search(m_query->text()); });
    connect(find, &QPushButton::clicked, this, [this] { search(m_query->text()); });

    m_searchState = new QLabel;
    m_searchState->setWordWrap(true);
    m_results = new QListWidget;
    m_results->setObjectName(QStringLiteral("helpresults"));
    connect(m_results, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            showHit(item->data(pageRole).toString());
    });

    auto* queryRow = new QHBoxLayout;
    queryRow->addWidget(m_query, 1);
    queryRow->addWidget(find);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(queryRow);
    layout->addWidget(m_searchState);
    layout->addWidget(m_results, 1);
    return page;
}

// The contents list the pages; the search knows what the contents know.
void HelpWindow::readPages()
{
    const QList<HelpTopic> topics = readHelpContents(readText(m_root + QStringLiteral("/toc.hhc")));
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpTopic& topic : topics) {
        const QString html = readText(m_root + u'/' + topic.page);
        if (html.isEmpty())
            continue;
        m_index.addPage(topic.page, html);
        auto* item = new QTreeWidgetItem({topic.title});
        item->setData(0, pageRole, topic.page);
        parents.resize(static_cast<std::size_t>(topic.depth));
        if (parents.empty())
            m_contents->addTopLevelItem(item);
        else
            parents.back()->addChild(item);
        parents.push_back(item);
    }
    m_contents->expandAll();
    m_hasPages = m_contents->topLevelItemCount() > 0;
    if (m_hasPages)
        m_contents->setCurrentItem(m_contents->topLevelItem(0));
}

void HelpWindow::showPage(const QString& page)
{
    const QUrl url(QStringLiteral("qrc") + m_root + u'/' + page);
    if (m_browser->source() != url)
        m_browser->setSource(url);
}

QString HelpWindow::currentPage() const
{
    return pageOf(m_browser->source());
}

QString HelpWindow::pageOf(const QUrl& url) const
{
    const QString path = url.path();
    const QString folder = QString(m_root).remove(0, 1) + u'/';
    return path.startsWith(folder) ? path.mid(folder.size()) : path;
}

// A link followed in the page selects its entry in the contents. The browser tells the new
// address before it answers it from source().
void HelpWindow::followPage(const QUrl& url)
{
    const QString page = pageOf(url);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if ((*it)->data(0, pageRole).toString() == page) {
            const QSignalBlocker quiet(m_contents);
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}

void HelpWindow::search(const QString& query)
{
    m_lastQuery = query.simplified();
    m_tabs->setCurrentIndex(1);
    if (m_query->text() != query)
        m_query->setText(query);
    const QList<HelpHit> hits = m_index.find(m_lastQuery);
    {
        const QSignalBlocker quiet(m_results);
        m_results->clear();
        for (const HelpHit& hit : hits) {
            auto* item = new QListWidgetItem(hit.title, m_results);
            item->setData(pageRole, hit.page);
        }
    }
    if (m_lastQuery.isEmpty())
        m_searchState->clear();
    else if (hits.isEmpty())
        m_searchState->setText(tr("没有找到“%1”。").arg(m_lastQuery));
    else
        m_searchState->setText(tr("找到 %n 页：", nullptr, static_cast<int>(hits.size())));
    if (!hits.isEmpty())
        m_results->setCurrentRow(0);
}

// Shows a found page with the first place the query's first word occurs selected.
void HelpWindow::showHit(const QString& page)
{
    showPage(page);
    const QString word = m_lastQuery.section(u' ', 0, 0);
    if (word.isEmpty())
        return;
    m_browser->moveCursor(QTextCursor::Start);
    m_browser->find(word);
}

void HelpWindow::openHelpFile()
{
    if (!m_opener.open(m_helpFile))
        m_openHelpFile->setText(tr("没有能打开 %1 的帮助查看器").arg(QFileInfo(m_helpFile).fileName()));
}

} // namespace qmv
