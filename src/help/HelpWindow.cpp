#include "HelpWindow.h"

#include "HelpContents.h"
#include "PathOpener.h"

#include <QBoxLayout>
#include <QEvent>
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
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace qmv {

namespace {

constexpr int pageRole = Qt::UserRole;
const QSize preferredSize(900, 640);

// What the page's CSS puts around a picture: the body's padding on either side and its border.
constexpr int pictureSurround = 2 * 18 + 2;

// A picture's own size, from the data the page's document holds for it.
QSize naturalSize(const QVariant& data)
{
    if (data.userType() == QMetaType::QImage)
        return data.value<QImage>().size();
    if (data.userType() == QMetaType::QPixmap)
        return data.value<QPixmap>().deviceIndependentSize().toSize();
    if (data.userType() == QMetaType::QByteArray)
        return QImage::fromData(data.toByteArray()).size();
    return {};
}

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
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::fitPictures);
    m_browser->viewport()->installEventFilter(this);

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

void HelpWindow::showOverParent()
{
    if (const QWidget* owner = parentWidget(); owner && !isVisible()) {
        QRect frame(QPoint(), frameGeometry().size());
        frame.moveCenter(owner->frameGeometry().center());
        if (const QScreen* display = owner->screen()) {
            const QRect area = display->availableGeometry();
            frame.moveLeft(std::clamp(frame.left(), area.left(),
                                      std::max(area.left(), area.right() - frame.width() + 1)));
            frame.moveTop(std::clamp(frame.top(), area.top(),
                                     std::max(area.top(), area.bottom() - frame.height() + 1)));
        }
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_browser->viewport() && event->type() == QEvent::Resize)
        fitPictures();
    return QWidget::eventFilter(watched, event);
}

// Pictures wider than the pane are shown at its width, their proportions kept; narrower ones at
// their own size. Without it a wide picture needs the pane scrolled sideways.
void HelpWindow::fitPictures()
{
    QTextDocument* page = m_browser->document();
    const int available =
        m_browser->viewport()->width() - 2 * static_cast<int>(page->documentMargin()) - pictureSurround;
    if (available <= 0)
        return;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QSize natural =
                naturalSize(page->resource(QTextDocument::ImageResource, QUrl(picture.name())));
            if (natural.isEmpty())
                continue;
            const QSize shown = natural.width() > available
                                    ? QSize(available, natural.height() * available / natural.width())
                                    : natural;
            if (picture.width() == shown.width() && picture.height() == shown.height())
                continue;
            picture.setWidth(shown.width());
            picture.setHeight(shown.height());
            QTextCursor cursor(page);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

void HelpWindow::openHelpFile()
{
    if (!m_opener.open(m_helpFile))
        m_openHelpFile->setText(tr("没有能打开 %1 的帮助查看器").arg(QFileInfo(m_helpFile).fileName()));
}

} // namespace qmv
