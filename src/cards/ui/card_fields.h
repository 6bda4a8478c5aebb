#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QValidator;
class QWidget;

// The fields of a card page, each bound to one value it shows. A factory
// makes the widget and writes every edit into its value; an edit of a card
// value also calls `touch`, which marks the card modified, while the entry
// row of a history (the page's, not the card's) marks nothing. show() puts
// every value back on screen with the fields' signals blocked, so reading a
// card never marks it. The values are members of the page model, which
// outlives its page widget: the fields keep pointers to them.
class CardFields : public QObject
{
public:
    enum Marks { MarksCard, MarksNothing };

    CardFields(QWidget *page, std::function<void()> touch);

    // A one-line text that refuses what a file cannot hold.
    QLineEdit *text(QString &value, Marks marks = MarksCard);
    // An amount, right-aligned, in which a typed "." is the decimal comma.
    QLineEdit *amount(QString &value, Marks marks = MarksCard);
    // A date typed in a mask ("00/00/0000"), kept as its ten characters with
    // blanks where nothing is typed.
    QLineEdit *maskedDate(QString &value, const QString &mask, Marks marks = MarksCard);
    // A date picked in a calendar.
    QDateEdit *date(QDate &value, Marks marks = MarksCard);
    QCheckBox *check(const QString &label, bool &value);
    QSpinBox *number(int &value);
    // A drop-down whose text may also be typed.
    QComboBox *combo(QString &value, const QStringList &items);
    // The "Observations" lines: a character Windows-1252 cannot hold is taken
    // out as it is typed, and each line break ends a line.
    QPlainTextEdit *note(QStringList &lines);

    // Runs a rule of the page when the person leaves `field` (Tab, a click
    // elsewhere), then shows the field's value as the rule left it.
    void onLeave(QWidget *field, std::function<void()> rule);
    // Runs a rule of the page when the cursor enters `field`, then shows the
    // field's value as the rule left it (an amount shown without its blanks).
    void onEnter(QWidget *field, std::function<void()> rule);

    // A widget the page shows itself: show() blocks its signals too.
    void addInput(QObject *input) { m_inputs << input; }
    // A widget the Tab key visits, in the order of the calls and factories.
    void addToTabOrder(QWidget *widget) { m_tabOrder << widget; }
    void chainTabOrder() const;

    // Blocks the signals of every field while the result lives, for what a
    // page shows beside its bound values.
    std::vector<QSignalBlocker> block() const;
    // Shows every bound value again, signals blocked.
    void show() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *line(QString &value, Marks marks, QValidator *validator);
    template <typename W> W *bind(W *widget, std::function<void()> show);
    void edited(Marks marks) const;

    std::function<void()> m_touch;
    // How each bound value is shown, in the order the fields were made, and
    // by field for the fields with a rule on leaving.
    QList<std::function<void()>> m_shows;
    QHash<QObject *, std::function<void()>> m_showOf;
    QHash<QObject *, std::function<void()>> m_leaveRules;
    QHash<QObject *, std::function<void()>> m_enterRules;
    // Every widget whose signals show() blocks.
    QList<QObject *> m_inputs;
    // Widgets in the order the Tab key visits them.
    QList<QWidget *> m_tabOrder;
};

// A label naming a field: a click on it, or its mnemonic, reaches the field.
QLabel *buddyLabel(const QString &text, QWidget *buddy);
// A fixed width for that many digits and the field's frame.
void fitChars(QWidget *widget, int chars);
// A date picker with its calendar, as wide as its date and a little air.
QDateEdit *datePicker();
