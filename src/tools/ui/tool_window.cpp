#include "tool_window.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

class KeyForwarder : public QObject
{
public:
    KeyForwarder(QObject *parent, std::function<bool(QKeyEvent *)> handler)
        : QObject(parent), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && m_handler(static_cast<QKeyEvent *>(event));
    }

private:
    std::function<bool(QKeyEvent *)> m_handler;
};

} // namespace

QGridLayout *makeKeypad(const QList<QStringList> &rows,
                        const std::function<void(const QString &)> &pressed)
{
    auto caption = [&rows](int r, int c) { return rows.value(r).value(c); };
    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString text = caption(r, c);
            // A caption repeated to the right or below widens its button.
            if (text.isEmpty() || caption(r, c - 1) == text || caption(r - 1, c) == text)
                continue;
            int columns = 1, height = 1;
            while (caption(r, c + columns) == text)
                ++columns;
            while (caption(r + height, c) == text)
                ++height;
            auto *button = new QPushButton(text);
            button->setFocusPolicy(Qt::NoFocus);
            button->setAutoDefault(false);
            button->setMinimumSize(44, 32);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            QObject::connect(button, &QPushButton::clicked, button,
                             [pressed, text] { pressed(text); });
            grid->addWidget(button, r, c, height, columns);
        }
    }
    return grid;
}

QPushButton *addCloseButton(QDialog *dialog, QBoxLayout *layout)
{
    auto *close = new QPushButton(QStringLiteral("Fermer"));
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
    return close;
}

void forwardKeys(QDialog *dialog, std::function<bool(QKeyEvent *)> handler)
{
    auto *forwarder = new KeyForwarder(dialog, std::move(handler));
    dialog->installEventFilter(forwarder);
    for (QWidget *child : dialog->findChildren<QWidget *>())
        child->installEventFilter(forwarder);
}

QLineEdit *makeDisplayLine(int characters, int pointSize)
{
    auto *line = new QLineEdit;
    line->setReadOnly(true);
    line->setFocusPolicy(Qt::NoFocus);
    line->setAlignment(Qt::AlignRight);
    QFont font = line->font();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    line->setFont(font);
    line->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QString(characters + 2, u'0')));
    return line;
}
