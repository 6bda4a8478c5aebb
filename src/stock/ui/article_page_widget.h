#pragma once

#include "cards/ui/question_dialogs.h"
#include "stock/article_page.h"

#include <QWidget>

class CardFields;
class GridModel;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The article page of the record window: shows the card of its page model
// and reports every edit to it. The model does the work; this page only
// binds and asks the questions of the article commands.
class TArticlePage : public QWidget
{
    Q_OBJECT
public:
    explicit TArticlePage(ArticlePage &page, QWidget *parent = nullptr);

    // The cursor in "Code article".
    void focusFirstField();

    // The article commands that ask something first: the selection (mode 2
    // asks for the family), the search by designation and the list window.
    void SetArt(int mode, const ShowDialog &show = execDialog);
    void RechArt(const ShowDialog &show = execDialog);
    void Liste(const ShowDialog &show = execDialog);

    static int execDialog(QDialog &dialog);

public slots:
    // Shows the card again, after the model changed it. Never marks it modified.
    void refresh();

private:
    QWidget *buildArticleGroup();
    QWidget *buildNotes();
    QWidget *buildMovementGroup();
    void addMovement();

    ArticlePage &m_page;
    CardFields *m_fields = nullptr;
    QLineEdit *m_code = nullptr;
    QComboBox *m_family = nullptr;
    GridModel *m_movements = nullptr;
};
