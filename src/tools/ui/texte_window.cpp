#include "texte_window.h"

#include "cards/ui/file_dialogs.h"

#include "print/ui/renderer.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString kRtfFilter = QStringLiteral("Fichiers rtf (*.rtf)");
constexpr int kMarkerHalf = 5;

QString chooseRtf(QWidget *parent, QFileDialog::AcceptMode mode, const QString &current)
{
    QFileDialog dialog(parent, mode == QFileDialog::AcceptOpen ? QStringLiteral("Ouvrir")
                                                               : QStringLiteral("Enregistrer sous"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(kRtfFilter);
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    proposeIn(dialog, FileKind::Letter);
    // A letter already named is saved again where it is.
    if (!current.isEmpty())
        dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return acceptedFile(dialog, FileKind::Letter);
}

} // namespace

// ---- the ruler -----------------------------------------------------------------

TRegle::TRegle(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(false);
    setToolTip(QStringLiteral("Retraits : première ligne, gauche et droit"));
}

QSize TRegle::sizeHint() const
{
    return {400, 22};
}

void TRegle::setIndents(double first, double left, double right)
{
    m_first = first, m_left = left, m_right = right;
    update();
}

void TRegle::setTabStop(double pixels)
{
    m_tab = pixels > 4 ? pixels : 80;
    update();
}

void TRegle::setTextEdges(int left, int right)
{
    m_textLeft = left, m_textRight = right;
    update();
}

int TRegle::markerX(Marker m) const
{
    switch (m) {
    case First:
        return m_textLeft + int(std::trunc(m_left + m_first));
    case Left:
        return m_textLeft + int(std::trunc(m_left));
    case Right:
        return width() - m_textRight - int(std::trunc(m_right));
    case None:
        break;
    }
    return -100;
}

TRegle::Marker TRegle::markerAt(const QPoint &pos) const
{
    // The first-line marker hangs from the top, the other two stand at the bottom.
    const bool top = pos.y() < height() / 2;
    static constexpr std::array<Marker, 3> fromTop = {First, Right, Left};
    static constexpr std::array<Marker, 3> fromBottom = {Left, Right, First};
    for (Marker m : top ? fromTop : fromBottom)
        if (std::abs(pos.x() - markerX(m)) <= kMarkerHalf + 1)
            return m;
    return None;
}

void TRegle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const int right = width() - m_textRight;
    p.fillRect(QRect(QPoint(m_textLeft, 3), QPoint(right, height() - 4)), palette().base());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(QRect(QPoint(m_textLeft, 3), QPoint(right, height() - 4)));
    // A mark at each tab stop, as the tabs of the text fall.
    p.setPen(palette().color(QPalette::WindowText));
    for (double x = m_tab; m_textLeft + x < right; x += m_tab)
        p.drawLine(QPointF(m_textLeft + x, height() / 2.0 - 3), QPointF(m_textLeft + x, height() / 2.0 + 3));
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(palette().color(QPalette::Highlight));
    auto down = [&](int x) { // hanging from the top
        p.drawPolygon(QPolygon({QPoint(x - kMarkerHalf, 0), QPoint(x + kMarkerHalf, 0), QPoint(x, 7)}));
    };
    auto up = [&](int x) {
        const int b = height() - 1;
        p.drawPolygon(QPolygon({QPoint(x - kMarkerHalf, b), QPoint(x + kMarkerHalf, b), QPoint(x, b - 7)}));
    };
    down(markerX(First));
    up(markerX(Left));
    up(markerX(Right));
}

void TRegle::mousePressEvent(QMouseEvent *event)
{
    m_dragged = markerAt(event->position().toPoint());
    m_grab = event->position().toPoint().x() - markerX(m_dragged);
}

void TRegle::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragged == None)
        return;
    const double x = event->position().x() - m_grab;
    const double usable = std::max(0, width() - m_textLeft - m_textRight);
    switch (m_dragged) {
    case First:
        m_first = std::clamp(x - m_textLeft, 0.0, usable) - m_left;
        break;
    case Left: {
        // The first line keeps its place.
        const double firstAt = m_left + m_first;
        m_left = std::clamp(x - m_textLeft, 0.0, usable);
        m_first = firstAt - m_left;
        break;
    }
    case Right:
        m_right = std::clamp(width() - m_textRight - x, 0.0, usable);
        break;
    case None:
        break;
    }
    update();
}

void TRegle::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragged == None)
        return;
    mouseMoveEvent(event);
    m_dragged = None;
    emit indentsChanged(std::round(m_first), std::round(m_left), std::round(m_right));
}

// ---- the letter editor -------------------------------------------------------------

TTexte::TTexte(Ui &ui, QWidget *parent, Letter::Files files)
    : QDialog(parent), m_ui(ui), m_letter(ui, [&] {
          if (!files.chooseOpen)
              files.chooseOpen = [this] { return chooseRtf(this, QFileDialog::AcceptOpen, {}); };
          if (!files.chooseSave)
              files.chooseSave = [this](const QString &current) {
                  return chooseRtf(this, QFileDialog::AcceptSave, current);
              };
          return files;
      }())
{
    setWindowTitle(QStringLiteral("Texte"));
    setSizeGripEnabled(true);
    resize(900, 700);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setIconSize(QSize(20, 20));
    layout->addWidget(bar);
    m_ruler = new TRegle(this);
    layout->addWidget(m_ruler);
    m_edit = new QTextEdit(this);
    m_edit->setDocument(&m_letter.document());
    m_edit->setAcceptRichText(true);
    m_letter.document().setDocumentMargin(6);
    layout->addWidget(m_edit, 1);
    buildToolBar(bar);

    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &TTexte::refresh);
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this, &TTexte::refresh);
    connect(m_edit, &QTextEdit::selectionChanged, this, &TTexte::refresh);
    connect(m_ruler, &TRegle::indentsChanged, this, &TTexte::setIndents);
    setFocusProxy(m_edit);
    refresh();
}

QAction *TTexte::action(const QString &caption) const
{
    for (QAction *a : findChildren<QAction *>())
        if (a->text() == caption || a->toolTip() == caption)
            return a;
    return nullptr;
}

void TTexte::buildToolBar(QToolBar *bar)
{
    auto add = [&](const QString &text, const QString &tip, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
        QAction *a = bar->addAction(text);
        a->setToolTip(tip);
        if (icon != QStyle::SP_CustomBase) {
            a->setIcon(style()->standardIcon(icon));
        }
        return a;
    };
    QAction *fresh = add(QString(), QStringLiteral("Nouvelle lettre (Ctrl+N)"), QStyle::SP_FileIcon);
    fresh->setShortcut(QKeySequence::New);
    connect(fresh, &QAction::triggered, this, [this] {
        m_letter.newLetter();
        m_edit->setFocus();
    });
    // The keys of every editor: Ctrl+O, Ctrl+S, Ctrl+P.
    QAction *open = add(QStringLiteral("Ouvrir"), QStringLiteral("Ouvrir une lettre (Ctrl+O)"),
                        QStyle::SP_DialogOpenButton);
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, [this] { m_letter.open(); });
    QAction *save = add(QStringLiteral("Enregistrer"), QStringLiteral("Enregistrer (Ctrl+S)"),
                        QStyle::SP_DialogSaveButton);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { m_letter.save(); });
    QAction *print = add(QStringLiteral("Imprimer"), QStringLiteral("Imprimer (Ctrl+P)"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &TTexte::printLetter);
    bar->addSeparator();

    auto styleButton = [&](const QString &caption, const QString &tip, auto apply) {
        QAction *a = add(caption, tip);
        a->setCheckable(true);
        QFont f = a->font();
        apply(f);
        a->setFont(f);
        return a;
    };
    m_bold = styleButton(QStringLiteral("G"), QStringLiteral("Gras"), [](QFont &f) { f.setBold(true); });
    m_italic = styleButton(QStringLiteral("I"), QStringLiteral("Italique"), [](QFont &f) { f.setItalic(true); });
    m_underline = styleButton(QStringLiteral("S"), QStringLiteral("Souligné"), [](QFont &f) { f.setUnderline(true); });
    m_bold->setShortcut(QKeySequence::Bold);
    m_italic->setShortcut(QKeySequence::Italic);
    m_underline->setShortcut(QKeySequence::Underline);
    connect(m_bold, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(f);
    });
    connect(m_italic, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        mergeFormat(f);
    });
    connect(m_underline, &QAction::toggled, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        mergeFormat(f);
    });
    bar->addSeparator();

    auto *align = new QActionGroup(this);
    auto alignButton = [&](const QString &caption, Qt::Alignment a) {
        QAction *act = add(caption, caption);
        act->setCheckable(true);
        align->addAction(act);
        connect(act, &QAction::triggered, this, [this, a] {
            if (!m_busy)
                m_edit->setAlignment(a);
        });
        return act;
    };
    m_left = alignButton(QStringLiteral("Gauche"), Qt::AlignLeft | Qt::AlignAbsolute);
    m_centre = alignButton(QStringLiteral("Centré"), Qt::AlignHCenter);
    m_right = alignButton(QStringLiteral("Droite"), Qt::AlignRight | Qt::AlignAbsolute);
    m_left->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_centre->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_right->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_bullets = add(QStringLiteral("Puces"), QStringLiteral("Puces"));
    m_bullets->setCheckable(true);
    connect(m_bullets, &QAction::toggled, this, &TTexte::setBullets);
    bar->addSeparator();

    connect(add(QStringLiteral("Police"), QStringLiteral("Police")), &QAction::triggered, this,
            &TTexte::chooseFont);
    m_font = new QFontComboBox(bar);
    m_font->setCurrentFont(QFont(QStringLiteral("Times New Roman")));
    m_font->setToolTip(QStringLiteral("Police"));
    bar->addWidget(m_font);
    connect(m_font, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{font.family()});
        mergeFormat(f);
    });
    m_size = new QSpinBox(bar);
    m_size->setRange(4, 200);
    m_size->setValue(12);
    m_size->setToolTip(QStringLiteral("Taille"));
    bar->addWidget(m_size);
    connect(m_size, &QSpinBox::valueChanged, this, [this](int size) {
        QTextCharFormat f;
        f.setFontPointSize(size);
        mergeFormat(f);
    });
    bar->addSeparator();
    connect(add(QStringLiteral("Fermer"), QStringLiteral("Fermer")), &QAction::triggered, this,
            &TTexte::reject);
}

void TTexte::Setsoc(const std::array<QString, 4> &lines)
{
    m_letter.Setsoc(lines);
    QTextCursor end(&m_letter.document());
    end.movePosition(QTextCursor::End);
    m_edit->setTextCursor(end);
    refresh();
}

void TTexte::reject()
{
    if (m_letter.close())
        QDialog::reject();
}

void TTexte::mergeFormat(const QTextCharFormat &format)
{
    if (m_busy)
        return;
    m_edit->mergeCurrentCharFormat(format);
}

void TTexte::refresh()
{
    m_busy = true;
    const QTextCursor cursor = m_edit->textCursor();
    const QTextBlockFormat block = cursor.blockFormat();
    m_ruler->setIndents(block.textIndent(), block.leftMargin(), block.rightMargin());
    m_ruler->setTabStop(m_letter.document().defaultTextOption().tabStopDistance());
    const int frame = m_edit->frameWidth() + int(m_letter.document().documentMargin());
    const QScrollBar *bar = m_edit->verticalScrollBar();
    m_ruler->setTextEdges(frame, frame + (bar->isVisible() ? bar->width() : 0));
    const QTextCharFormat chr = m_edit->currentCharFormat();
    const QFont font = chr.font().resolve(m_letter.document().defaultFont());
    m_bold->setChecked(font.bold());
    m_italic->setChecked(font.italic());
    m_underline->setChecked(font.underline());
    m_bullets->setChecked(cursor.currentList() != nullptr);
    m_size->setValue(qRound(font.pointSizeF() > 0 ? font.pointSizeF() : 12));
    m_font->setCurrentFont(font);
    const Qt::Alignment a = block.alignment() & Qt::AlignHorizontal_Mask;
    (a & Qt::AlignHCenter ? m_centre : a & Qt::AlignRight ? m_right : m_left)->setChecked(true);
    m_busy = false;
}

void TTexte::setBullets(bool on)
{
    if (m_busy)
        return;
    QTextCursor cursor = m_edit->textCursor();
    cursor.beginEditBlock();
    if (on && !cursor.currentList()) {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        cursor.createList(format);
    } else if (!on) {
        if (QTextList *list = cursor.currentList()) {
            list->remove(cursor.block());
            QTextBlockFormat block = cursor.blockFormat();
            block.setIndent(0);
            cursor.setBlockFormat(block);
        }
    }
    cursor.endEditBlock();
}

void TTexte::setIndents(double first, double left, double right)
{
    QTextCursor cursor = m_edit->textCursor();
    QTextBlockFormat block;
    block.setTextIndent(first);
    block.setLeftMargin(left);
    block.setRightMargin(right);
    cursor.mergeBlockFormat(block);
    m_edit->setFocus();
}

void TTexte::chooseFont()
{
    bool ok = false;
    const QFont current = m_edit->currentCharFormat().font().resolve(m_letter.document().defaultFont());
    const QFont chosen = QFontDialog::getFont(&ok, current, this, QStringLiteral("Police"));
    if (!ok)
        return;
    QTextCharFormat f;
    f.setFont(chosen, QTextCharFormat::FontPropertiesSpecifiedOnly);
    mergeFormat(f);
}

void TTexte::printLetter()
{
    printTextDocument(this, m_ui, m_letter.document());
}

void printTextDocument(QWidget *parent, Ui &ui, const QTextDocument &doc)
{
    PrintUi printUi;
    QPrinter printer(QPrinter::HighResolution);
    if (printUi.hasPrinter()) {
        if (!printUi.choosePrinter(parent, printer, nullptr))
            return;
    } else {
        const QString path = printUi.choosePdfFile(parent, QStringLiteral("Lettre.pdf"));
        if (path.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    printer.setDocName(QString());
    // A file is written whole or not at all.
    if (const QString file = printer.outputFileName(); !file.isEmpty()) {
        QString error;
        if (!paintPdf(
                printer, file,
                [&] {
                    doc.print(&printer);
                    return true;
                },
                &error))
            ui.inform(error);
        return;
    }
    doc.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        ui.inform(QStringLiteral("L'impression n'a pas pu se faire."));
}
