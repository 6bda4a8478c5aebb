#pragma once

#include <QUrl>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

// THelp: the help of the program, French HTML pages with a contents list and
// a keyword index. One window serves the three help commands.
class THelp : public QWidget
{
    Q_OBJECT
public:
    explicit THelp(QWidget *parent = nullptr);

    // "&Index": the contents, opening on the first page.
    void showContents();
    // "&Recherche...": the keyword index, filtered by `key` as if typed.
    void showSearch(const QString &key = {});
    // "&Utiliser l'aide": how to use this window.
    void showHelpOnHelp();

    // F1: the page, or the section "page#anchor", on what is on screen.
    void showTopic(QStringView target);

    // The page shown, as a "qrc:/help/..." address.
    QUrl page() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPage(QStringView target);
    void filterKeywords(const QString &key);
    void openChosenKeyword();
    void followPage(const QUrl &url);
    void present();

    QTabWidget *m_tabs = nullptr;
    QListWidget *m_chapters = nullptr;
    QLineEdit *m_key = nullptr;
    QListWidget *m_keywords = nullptr;
    QTextBrowser *m_browser = nullptr;
};
