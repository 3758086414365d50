#pragma once

#include "HelpSearch.h"

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QUrl;

namespace qmv {

class PathOpener;

// The help inside the program: the pages the help file is compiled from, with their table of
// contents and a full-text search. The pages of the user's language are found in the resource
// folder `root` through the default locale (resources tagged with a language). Those who have a
// viewer for the compiled help file can open it from here too.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow(const QString& helpFile, PathOpener& opener, QWidget* parent = nullptr,
               const QString& root = QStringLiteral(":/help"));

    // False when the pages could not be read: the window then has nothing to show.
    bool hasPages() const { return m_hasPages; }

    // Shows the help in front, opening over the middle of the window it belongs to and on that
    // window's screen.
    void showOverParent();

    void showPage(const QString& page);
    // The page shown, relative to the help folder ("learn.html").
    QString currentPage() const;
    // Lists the pages holding every word of the query and shows the best of them.
    void search(const QString& query);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildContents();
    QWidget* buildSearch();
    void readPages();
    QString pageOf(const QUrl& url) const;
    void followPage(const QUrl& url);
    void showHit(const QString& page);
    void openHelpFile();
    void fitPictures();

    QString m_root;
    QString m_helpFile;
    PathOpener& m_opener;
    bool m_hasPages = false;
    HelpSearch m_index;
    QString m_lastQuery;

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_query = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_searchState = nullptr;
    QTextBrowser* m_browser = nullptr;
    QPushButton* m_openHelpFile = nullptr;
};

} // namespace qmv
