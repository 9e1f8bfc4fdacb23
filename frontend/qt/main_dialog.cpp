// The main window's layout, its queries and the input box's width limit.
#include "main_dialog.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTextCursor>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

#include "binding.h"
#include "facts.h"
#include "product.h"
#include "window_layout.h"

namespace {

// The Windows dialog's font is 18 pixels from the top of its tallest glyph
// to the bottom of its deepest (ascent plus descent); Qt's pixel size is the
// em, about three quarters of that. The largest em whose line fits in 18
// pixels gives the same line height, and so as many characters per box.
QFont DialogFont()
{
    QFont font;
    // The Windows face first, then CJK faces that Linux systems carry.
    font.setFamilies({"Microsoft Yahei", "Noto Sans CJK SC", "WenQuanYi Micro Hei", "WenQuanYi Zen Hei"});
    const auto lineAt = [&font](int pixels) {
        font.setPixelSize(pixels);
        return QFontMetrics(font).height();
    };
    // A line grows in proportion to the em: measured once, at the cell's
    // height, it points at the em; the sizes beside it settle the rounding.
    int pixels = std::clamp(FONT_CELL_HEIGHT * FONT_CELL_HEIGHT / std::max(lineAt(FONT_CELL_HEIGHT), 1), 2,
                            FONT_CELL_HEIGHT);
    while (pixels > 2 && lineAt(pixels) > FONT_CELL_HEIGHT)
        --pixels;
    while (pixels < FONT_CELL_HEIGHT && lineAt(pixels + 1) <= FONT_CELL_HEIGHT)
        ++pixels;
    font.setPixelSize(pixels);
    return font;
}

// Places `widget` as the layout's control `index`.
template <typename Widget>
Widget *Placed(Widget *widget, ControlIndex index)
{
    const ControlLayout &c = CONTROL_LAYOUT[index];
    widget->setGeometry(c.x, c.y, c.width, ControlHeight(c, TEXT_HEIGHT));
    return widget;
}

QString LayoutText(ControlIndex index)
{
    return QString::fromUtf16(CONTROL_LAYOUT[index].text);
}

QSettings Settings()
{
    return QSettings(QStringLiteral(QUOVANT_SETTINGS_ORGANIZATION), QStringLiteral(QUOVANT_SETTINGS_APPLICATION));
}

// The rule the player chose last time; classic at first.
int RememberedRules()
{
    const QSettings settings = Settings();
    const int rule = RuleNamed(settings.value(QStringLiteral("rule")).toString().toStdString());
    const bool four = settings.value(QStringLiteral("four"), false).toBool();
    return (rule < 0 ? QUOVANT_RULE_CLASSIC : rule) | (four ? QUOVANT_FOUR_ONLY : 0);
}

QString FromLibrary(const QuovantChar *text)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(text));
}

}  // namespace

MainDialog::MainDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      rules_(RememberedRules())
{
    setWindowTitle(QStringLiteral(QUOVANT_PRODUCT_NAME));
    setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT);

    // Created in the layout's order, which is also the Tab order.
    Placed(new QLabel(LayoutText(PROMPT_CONTROL), this), PROMPT_CONTROL);
    input_ = Placed(new QLineEdit(LayoutText(INPUT_CONTROL), this), INPUT_CONTROL);
    start_ = Placed(new QPushButton(LayoutText(START_CONTROL), this), START_CONTROL);
    start_->setDefault(true);
    output_ = Placed(new QPlainTextEdit(LayoutText(OUTPUT_CONTROL), this), OUTPUT_CONTROL);
    output_->setReadOnly(true);
    output_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    output_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    output_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    output_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    output_->viewport()->installEventFilter(this);
    output_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(output_, &QWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        QMenu *menu = OutputMenu(point);
        menu->exec(output_->viewport()->mapToGlobal(point));
        delete menu;
    });

    connect(start_, &QPushButton::clicked, this, &MainDialog::OnStart);
    connect(input_, &QLineEdit::textEdited, this, &MainDialog::OnInputEdited);

    // Centred in the primary screen's available area, its origin added: the
    // Windows dialog leaves the work area's origin out, but on Linux the
    // primary screen need not start at 0,0, and that formula would put the
    // window on another monitor.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.x() + available.width() / 2 - CLIENT_WIDTH / 2,
             available.y() + available.height() / 2 - CLIENT_HEIGHT / 2);
    }
    start_->setFocus();
}

int MainDialog::Rules() const
{
    // A library that knows GetIdioms alone plays by the classic rule only.
    return g_library.GetIdiomCandidatesByRule != nullptr ? rules_ : QUOVANT_RULE_CLASSIC;
}

void MainDialog::FitFont()
{
    if (!fontFitted_)
        setFont(DialogFont());
    fontFitted_ = true;
}

void MainDialog::showEvent(QShowEvent *event)
{
    // Measuring the font opens the CJK face, which takes a while: that is
    // done once the window is on its way to the screen, before it paints.
    if (!fontFitted_)
        QTimer::singleShot(0, this, &MainDialog::FitFont);
    QDialog::showEvent(event);
}

void MainDialog::paintEvent(QPaintEvent *event)
{
    FitFont();  // where the window paints before the posted fitting ran
    QDialog::paintEvent(event);
}

void MainDialog::BringToFront()
{
    raise();
    activateWindow();
}

void MainDialog::reject()
{
}

void MainDialog::closeEvent(QCloseEvent *event)
{
    done(0);
    event->accept();
}

QString MainDialog::IdiomAt(const QPoint &point) const
{
    const QString text = output_->toPlainText();
    // The caret's place before character i, in viewport pixels.
    const auto caretAt = [this](int i) {
        QTextCursor cursor(output_->document());
        cursor.setPosition(i);
        return output_->cursorRect(cursor);
    };
    // The point lies on character i when it is between its caret place and
    // the next one on the same line.
    const auto under = [&](int i) {
        if (i < 0 || i >= text.size() || text[i].isSpace())
            return false;
        const QRect here = caretAt(i), next = caretAt(i + 1);
        const bool sameLine = next.top() == here.top();
        return point.y() >= here.top() && point.y() <= here.bottom() && point.x() >= here.left() &&
               (!sameLine || point.x() < next.left());
    };
    const int at = output_->cursorForPosition(point).position();
    const int i = under(at) ? at : under(at - 1) ? at - 1 : -1;
    if (i < 0)
        return {};
    int begin = i, end = i;
    while (begin > 0 && !text[begin - 1].isSpace())
        --begin;
    while (end < text.size() && !text[end].isSpace())
        ++end;
    return text.mid(begin, end - begin);
}

QMenu *MainDialog::OutputMenu(const QPoint &point)
{
    QMenu *menu = output_->createStandardContextMenu(point);
    if (g_library.GetIdiomCandidatesByRule == nullptr)
        return menu;  // a library that knows GetIdioms alone
    menu->addSeparator();
    auto *rules = new QActionGroup(menu);
    for (const RuleName &rule : RULE_NAMES) {
        QAction *action = menu->addAction(QString::fromUtf8(rule.chinese));
        action->setCheckable(true);
        action->setChecked((rules_ & QUOVANT_RULE_MASK) == rule.rule);
        rules->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, r = rule.rule] { ChooseRules((rules_ & ~QUOVANT_RULE_MASK) | r); });
    }
    menu->addSeparator();
    QAction *four = menu->addAction(QString::fromUtf8(FOUR_ONLY_CHINESE));
    four->setCheckable(true);
    four->setChecked((rules_ & QUOVANT_FOUR_ONLY) != 0);
    connect(four, &QAction::toggled, this,
            [this](bool on) { ChooseRules(on ? rules_ | QUOVANT_FOUR_ONLY : rules_ & ~QUOVANT_FOUR_ONLY); });
    return menu;
}

void MainDialog::ChooseRules(int rules)
{
    rules_ = rules;
    QSettings settings = Settings();
    settings.setValue(QStringLiteral("rule"), QString::fromUtf8(NameOfRule(rules)));
    settings.setValue(QStringLiteral("four"), (rules & QUOVANT_FOUR_ONLY) != 0);
}

// What a player wants to know of an idiom under the rule chosen, for its
// tooltip; empty where the library cannot tell.
QString MainDialog::FactsText(const QString &idiom) const
{
    QuovantFacts facts{};
    if (g_library.GetIdiomFactsByRule == nullptr ||
        g_library.GetIdiomFactsByRule(Rules(), reinterpret_cast<const QuovantChar *>(idiom.utf16()), &facts) !=
            QUOVANT_FOUND)
        return {};
    QString text = idiom + u'\n';
    if (facts.reading != nullptr)
        text += FromLibrary(facts.reading) + u'\n';
    if (facts.meaning != nullptr)
        text += FromLibrary(facts.meaning) + u'\n';
    if (facts.english != nullptr)
        text += FromLibrary(facts.english) + u'\n';
    return text + QString::fromStdString(FactsLineChinese(facts)) + u'\n' + QString::fromUtf8(OUTCOME_NOTE_CHINESE);
}

bool MainDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != output_->viewport())
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString facts = FactsText(IdiomAt(help->pos()));
        if (facts.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), facts, output_->viewport());
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        const QString idiom = IdiomAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (!idiom.isEmpty()) {
            input_->setText(idiom);
            OnStart();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Runs one query on at most the first 259 units of the input box's text.
void MainDialog::OnStart()
{
    char16_t buffer[QUERY_UNITS] = {};
    const QString text = input_->text();
    const auto units = std::min<qsizetype>(text.size(), QUERY_UNITS - 1);
    std::copy_n(reinterpret_cast<const char16_t *>(text.utf16()), units, buffer);

    QString result;
    if (Rules() == QUOVANT_RULE_CLASSIC) {
        const char16_t *idioms = g_library.GetIdioms(buffer);
        result = idioms != nullptr ? QString::fromUtf16(idioms) : QString();
    } else {
        // As GetIdioms lists them: the first eight, each followed by a space.
        QuovantFacts first[QUOVANT_MAX_IDIOMS];
        const long count = g_library.GetIdiomCandidatesByRule(Rules(), reinterpret_cast<const QuovantChar *>(buffer),
                                                              nullptr, 0, first, QUOVANT_MAX_IDIOMS);
        for (long i = 0; i < count && i < QUOVANT_MAX_IDIOMS; ++i)
            result += FromLibrary(first[i].idiom) + u' ';
    }
    if (!result.isEmpty())
        output_->setPlainText(result);
    else
        QMessageBox::information(this, QStringLiteral(QUOVANT_PRODUCT_NAME), QStringLiteral(QUOVANT_NOT_FOUND_TEXT));
}

int DropUntilFits(QString &text, int cursor, const std::function<bool(const QString &)> &fits)
{
    while (cursor > 0 && !fits(text)) {
        // A character outside the Basic Multilingual Plane is two units: both go.
        const bool pair = cursor > 1 && text[cursor - 1].isLowSurrogate() && text[cursor - 2].isHighSurrogate();
        const int units = pair ? 2 : 1;
        cursor -= units;
        text.remove(cursor, units);
    }
    return cursor;
}

// Like the Windows box without horizontal scrolling, the input box takes
// only as much typed or pasted text as it can show.
void MainDialog::OnInputEdited()
{
    const QMargins margins = input_->textMargins();
    const int frame = input_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, input_);
    const int room = input_->contentsRect().width() - margins.left() - margins.right() - 2 * frame - 4;
    const QFontMetrics metrics(input_->font());
    const auto fits = [&](const QString &text) { return metrics.horizontalAdvance(text) <= room; };
    QString text = input_->text();
    if (fits(text))
        return;
    const int cursor = DropUntilFits(text, input_->cursorPosition(), fits);
    input_->setText(text);
    input_->setCursorPosition(cursor);
}
