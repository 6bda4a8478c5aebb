#pragma once

#include "tools/letter.h"

#include <QDialog>
#include <QWidget>

#include <array>

class QAction;
class QActionGroup;
class QFontComboBox;
class QSpinBox;
class QTextCharFormat;
class QTextDocument;
class QTextEdit;
class QToolBar;

// The ruler above a letter: the first-line, left and right indents of the
// paragraph at the caret as three markers that can be dragged. Positions
// are in the letter's pixels from the text's left edge.
class TRegle : public QWidget
{
    Q_OBJECT
public:
    explicit TRegle(QWidget *parent = nullptr);
    // first and left are from the text's left edge, right from its right edge.
    void setIndents(double first, double left, double right);
    void setTabStop(double pixels);
    // Where the text starts and ends inside the ruler.
    void setTextEdges(int left, int right);
    QSize sizeHint() const override;

signals:
    void indentsChanged(double first, double left, double right);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum Marker { First, Left, Right, None };
    int markerX(Marker m) const;
    Marker markerAt(const QPoint &pos) const;

    double m_first = 0, m_left = 0, m_right = 0;
    double m_tab = 80;
    int m_textLeft = 6, m_textRight = 6;
    Marker m_dragged = None;
    int m_grab = 0;
};

// The letter editor, opened maximised: the tool bar, the ruler and the letter.
class TTexte : public QDialog
{
    Q_OBJECT
public:
    // The file dialogs default to real ones; tests give their own.
    TTexte(Ui &ui, QWidget *parent = nullptr, Letter::Files files = {});
    // The editor shows the letter's document, which goes before the editor
    // does: a window still shown is hidden first, while the document is there.
    ~TTexte() override { hide(); }

    // The company name, address lines and town of the letterhead; the window
    // opens on a new letter that begins with them.
    void Setsoc(const std::array<QString, 4> &lines);

    Letter &letter() { return m_letter; }
    QTextEdit *editor() const { return m_edit; }
    QAction *action(const QString &caption) const;

public slots:
    void reject() override;

private:
    void buildToolBar(QToolBar *bar);
    void refresh();
    void mergeFormat(const QTextCharFormat &format);
    void setBullets(bool on);
    void setIndents(double first, double left, double right);
    void chooseFont();
    void printLetter();

    Ui &m_ui;
    Letter m_letter;
    QTextEdit *m_edit = nullptr;
    TRegle *m_ruler = nullptr;
    QAction *m_bold = nullptr, *m_italic = nullptr, *m_underline = nullptr;
    QAction *m_left = nullptr, *m_centre = nullptr, *m_right = nullptr, *m_bullets = nullptr;
    QFontComboBox *m_font = nullptr;
    QSpinBox *m_size = nullptr;
    bool m_busy = false;
};

// Prints a text document through the print dialog, or as a PDF file on a
// machine without a printer; failures are told through `ui`.
void printTextDocument(QWidget *parent, Ui &ui, const QTextDocument &doc);
