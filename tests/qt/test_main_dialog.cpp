// The Qt window over the real libQuovant.so, on the offscreen platform:
// layout, texts, order and focus, queries, the information box, Esc,
// closing, and the input box's width limit.
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "binding.h"
#include "main_dialog.h"

namespace {

const QString AFTER_TIAN = QStringLiteral("天宝当年 天保九如 天崩地坼 天崩地解 天崩地裂 天崩地塌 天崩地坍 天崩地陷 ");
const QString AFTER_YI = QStringLiteral("意出望外 意得志满 意广才疏 意合情投 意懒心灰 意懒心慵 意料之外 意乱心忙 ");

// What a message box showed before it was closed with its OK button.
struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes the next modal message box as a user would, remembering what it showed.
void CloseNextMessageBox(SeenBox *seen)
{
    QTimer::singleShot(50, [seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr) {
            CloseNextMessageBox(seen);  // not up yet
            return;
        }
        *seen = {true, box->windowTitle(), box->text(), box->icon()};
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
}

// Types Chinese text as an input method does: one committed character at a
// time, a character outside the Basic Multilingual Plane as its two units.
void TypeText(QWidget *widget, const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUcs4(&c, 1));
        QApplication::sendEvent(widget, &commit);
    }
}

}  // namespace

class TestMainDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(BindLibrary(QUOVANT_LIBRARY), "the real library binds and initialises");
    }

    void init()
    {
        dialog_ = new MainDialog;
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
    }

    void cleanup()
    {
        delete dialog_;
        dialog_ = nullptr;
    }

    void layoutTextsAndOrder()
    {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("翠岫弈天"));
        QCOMPARE(dialog_->size(), QSize(400, 200));
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());

        const QList<QWidget *> controls = dialog_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 4);
        auto *prompt = qobject_cast<QLabel *>(controls[0]);
        QVERIFY(prompt != nullptr);
        QCOMPARE(prompt->text(), QStringLiteral("请输入你要接龙的成语："));
        QCOMPARE(controls[1], dialog_->Input());
        QCOMPARE(controls[2], dialog_->StartButton());
        QCOMPARE(controls[3], dialog_->Output());

        QCOMPARE(prompt->geometry(), QRect(10, 10, 200, 24));
        QCOMPARE(dialog_->Input()->geometry(), QRect(10, 35, 290, 24));
        QCOMPARE(dialog_->StartButton()->geometry(), QRect(315, 33, 75, 28));
        QCOMPARE(dialog_->Output()->geometry(), QRect(10, 75, 380, 115));
        QCOMPARE(dialog_->Input()->text(), QStringLiteral("翠岫弈天"));
        QCOMPARE(dialog_->StartButton()->text(), QStringLiteral("开始"));
        QVERIFY(dialog_->Output()->toPlainText().isEmpty());
        QCOMPARE(dialog_->font().families().value(0), QStringLiteral("Microsoft Yahei"));
        // The Windows font's height of 18 is its whole line; so is Qt's here.
        const int lineHeight = QFontMetrics(dialog_->font()).height();
        QVERIFY2(lineHeight >= 17 && lineHeight <= 18, qPrintable(QString::number(lineHeight)));

        // Tab: input box → 开始 → output box; the prompt takes no focus.
        QCOMPARE(prompt->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dialog_->Input()->nextInFocusChain(), dialog_->StartButton());
        QCOMPARE(dialog_->StartButton()->nextInFocusChain(), dialog_->Output());
    }

    void focusStartsOnTheButtonWhichIsTheDefault()
    {
        QCOMPARE(QApplication::focusWidget(), dialog_->StartButton());
        QVERIFY(dialog_->StartButton()->isDefault());
    }

    void outputIsReadOnlyWrappedAndScrollsVertically()
    {
        QPlainTextEdit *output = dialog_->Output();
        QVERIFY(output->isReadOnly());
        QCOMPARE(output->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(output->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(output->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(output->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(output->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    }

    void startOnTheUntouchedInputChainsFromItsLastCharacter()
    {
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QCOMPARE(dialog_->Output()->toPlainText(), AFTER_TIAN);
        QCOMPARE(dialog_->Input()->text(), QStringLiteral("翠岫弈天"));
    }

    void enterInTheInputBoxPressesStart()
    {
        dialog_->Input()->clear();
        TypeText(dialog_->Input(), QStringLiteral("一心一意"));
        QTest::keyClick(dialog_->Input(), Qt::Key_Return);
        QCOMPARE(dialog_->Output()->toPlainText(), AFTER_YI);
    }

    void queryTakesTheFirst259Units()
    {
        // Only another program can put this much into the box.
        dialog_->Input()->setText(QStringLiteral("一心一意") + QString(255, u' ') + QStringLiteral("龍"));
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QCOMPARE(dialog_->Output()->toPlainText(), AFTER_YI);
    }

    void emptyAndBlankInputBringTheInformationBox_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << QStringLiteral("   ");
        QTest::newRow("ideographic space") << QStringLiteral("\u3000");
        QTest::newRow("no such reading") << QStringLiteral("abc");
    }

    void emptyAndBlankInputBringTheInformationBox()
    {
        QFETCH(QString, input);
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        dialog_->Input()->setText(input);
        SeenBox seen;
        CloseNextMessageBox(&seen);
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("翠岫弈天"));
        QCOMPARE(seen.text, QStringLiteral("没有找到合适的成语，请重试。"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(dialog_->Output()->toPlainText(), AFTER_TIAN);  // left as it was
    }

    void escapeLeavesTheWindowOpen()
    {
        QSignalSpy finished(dialog_, &QDialog::finished);
        QTest::keyClick(dialog_->StartButton(), Qt::Key_Escape);
        QTest::keyClick(dialog_, Qt::Key_Escape);
        QVERIFY(dialog_->isVisible());
        QCOMPARE(finished.count(), 0);
    }

    void closingEndsTheEventLoopWithCodeZero()
    {
        QTimer::singleShot(100, dialog_, &QWidget::close);
        QCOMPARE(dialog_->exec(), 0);
        QVERIFY(!dialog_->isVisible());
    }

    void inputBoxTakesOnlyWhatFitsItsWidth()
    {
        QLineEdit *input = dialog_->Input();
        input->clear();
        const QString typed = QString(40, u'意');
        TypeText(input, typed);
        const QString kept = input->text();
        QVERIFY2(kept.size() < typed.size(), qPrintable(QString::number(kept.size())));
        QVERIFY(kept.size() >= 10);
        QVERIFY(QFontMetrics(input->font()).horizontalAdvance(kept) <= input->contentsRect().width());
        QCOMPARE(input->cursorPosition(), kept.size());

        // Typing in the middle of a full box changes nothing.
        input->setCursorPosition(2);
        TypeText(input, QStringLiteral("一"));
        QCOMPARE(input->text(), kept);
        QCOMPARE(input->cursorPosition(), 2);
    }

    void inputBoxNeverSplitsACharacterOfTwoUnits()
    {
        // U+20089, a surrogate pair, typed or pasted before 心: whatever the
        // room, what does not fit goes as whole characters.
        const QString pair = QString::fromUcs4(U"\U00020089");
        for (int room = 2; room <= 10; ++room) {
            QString text = QStringLiteral("一") + pair.repeated(4) + QStringLiteral("心");
            const int cursor = DropUntilFits(text, 9, [room](const QString &t) { return t.size() <= room; });
            QVERIFY2(QStringView(text).isValidUtf16(), qPrintable(QString::number(room)));
            QCOMPARE(text, QStringLiteral("一") + pair.repeated((room - 2) / 2) + QStringLiteral("心"));
            QCOMPARE(cursor, text.size() - 1);
        }
    }

    void unusableLibrariesDoNotBind()
    {
        QVERIFY(!BindLibrary("/nonexistent/libQuovant.so"));
        QVERIFY(!BindLibrary(QUOVANT_BAD_PINYIN_LIBRARY));
        QVERIFY(!BindLibrary(QUOVANT_BAD_IDIOMS_LIBRARY));
        QCOMPARE(QString::fromUtf16(MISSING_LIBRARY_TEXT), QStringLiteral("丢失基本组件 libQuovant.so 程序无法运行。"));
    }

private:
    MainDialog *dialog_ = nullptr;
};

QTEST_MAIN(TestMainDialog)
#include "test_main_dialog.moc"
