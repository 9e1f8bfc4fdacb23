// The Qt window over the real libQuovant.so, on the offscreen platform:
// layout, texts, order and focus, queries, the information box, Esc,
// closing, and the input box's width limit.
#include <memory>

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "binding.h"
#include "examples.h"
#include "main_dialog.h"
#include "product.h"

namespace {

// An expected answer of the shared examples as Qt's text.
QString QtText(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

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

void ForgetTheChosenRule()
{
    QSettings(QStringLiteral(QUOVANT_SETTINGS_ORGANIZATION), QStringLiteral(QUOVANT_SETTINGS_APPLICATION)).clear();
}

// Chooses the entry `text` of the output box's context menu, as a player would.
void ChooseInOutputMenu(MainDialog *dialog, const QString &text)
{
    const std::unique_ptr<QMenu> menu(dialog->OutputMenu(QPoint(5, 5)));
    for (QAction *action : menu->actions())
        if (action->text() == text) {
            action->trigger();
            return;
        }
    QFAIL(qPrintable(QStringLiteral("no menu entry ") + text));
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
        ForgetTheChosenRule();
    }

    void cleanupTestCase() { ForgetTheChosenRule(); }

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

    void layoutFitsAndTabFollowsIt()
    {
        QCOMPARE(dialog_->size(), QSize(400, 200));
        QCOMPARE(dialog_->minimumSize(), dialog_->maximumSize());
        // The controls lie inside the window, apart, in the layout's order.
        const QList<QWidget *> controls = dialog_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 4);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QVERIFY(dialog_->rect().contains(controls[i]->geometry()));
            for (qsizetype k = 0; k < i; ++k)
                QVERIFY(!controls[i]->geometry().intersects(controls[k]->geometry()));
        }
        QCOMPARE(controls[1], dialog_->Input());
        QCOMPARE(dialog_->StartButton()->height(), dialog_->Input()->height() + 4);

        // The Windows font's height of 18 is its whole line; so is Qt's here.
        const int lineHeight = QFontMetrics(dialog_->font()).height();
        QVERIFY2(lineHeight >= 17 && lineHeight <= 18, qPrintable(QString::number(lineHeight)));

        // Tab: 开始 → output box → input box → 开始; the prompt takes no focus.
        QCOMPARE(QApplication::focusWidget(), dialog_->StartButton());
        for (QWidget *next : {static_cast<QWidget *>(dialog_->Output()), static_cast<QWidget *>(dialog_->Input()),
                              static_cast<QWidget *>(dialog_->StartButton())}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void outputWrapsAndCannotBeEdited()
    {
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QPlainTextEdit *output = dialog_->Output();
        QVERIFY(output->document()->firstBlock().layout()->lineCount() > 1);
        output->setFocus();
        QTest::keyClicks(output, QStringLiteral("abc"));
        QTest::keyClick(output, Qt::Key_Backspace);
        QCOMPARE(output->toPlainText(), QtText(AFTER_TIAN));
    }

    void startOnTheUntouchedInputChainsFromItsLastCharacter()
    {
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QCOMPARE(dialog_->Output()->toPlainText(), QtText(AFTER_TIAN));
        QCOMPARE(dialog_->Input()->text(), QStringLiteral("翠岫弈天"));
    }

    void enterInTheInputBoxPressesStart()
    {
        dialog_->Input()->clear();
        TypeText(dialog_->Input(), QStringLiteral("一心一意"));
        QTest::keyClick(dialog_->Input(), Qt::Key_Return);
        QCOMPARE(dialog_->Output()->toPlainText(), QtText(AFTER_YI));
    }

    void queryTakesTheFirst259Units()
    {
        // Only another program can put this much into the box.
        dialog_->Input()->setText(QStringLiteral("一心一意") + QString(255, u' ') + QStringLiteral("龍"));
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QCOMPARE(dialog_->Output()->toPlainText(), QtText(AFTER_YI));
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
        QCOMPARE(dialog_->Output()->toPlainText(), QtText(AFTER_TIAN));  // left as it was
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

    // The middle of the n-th idiom of the output box, in its viewport.
    QPoint IdiomPoint(int n) const
    {
        const QString text = dialog_->Output()->toPlainText();
        int at = 0;
        for (int k = 0; k < n; ++k)
            at = text.indexOf(u' ', at) + 1;
        QTextCursor cursor(dialog_->Output()->document());
        cursor.setPosition(at + 1);
        return dialog_->Output()->cursorRect(cursor).center();
    }

    void hoveringAnIdiomTellsWhatAPlayerWantsToKnow()
    {
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);  // 天宝当年 天保九如 ...
        QWidget *viewport = dialog_->Output()->viewport();
        QCOMPARE(dialog_->IdiomAt(IdiomPoint(1)), QStringLiteral("天保九如"));
        QHelpEvent hover(QEvent::ToolTip, IdiomPoint(1), viewport->mapToGlobal(IdiomPoint(1)));
        QApplication::sendEvent(viewport, &hover);
        const QString tip = QToolTip::text();
        QVERIFY2(tip.startsWith(QStringLiteral("天保九如\ntiān bǎo jiǔ rú\n")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("可接成语：")) && tip.contains(QStringLiteral("出此成语：")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("常用度：20")), qPrintable(tip));
        QVERIFY2(tip.contains(QStringLiteral("仅供参考")), qPrintable(tip));
        QCOMPARE(dialog_->IdiomAt(QPoint(370, 100)), QString());  // nothing right of the text
    }

    void doubleClickingAnIdiomAsksWhatFollowsIt()
    {
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QTest::mouseDClick(dialog_->Output()->viewport(), Qt::LeftButton, {}, IdiomPoint(0));
        QCOMPARE(dialog_->Input()->text(), QStringLiteral("天宝当年"));
        QVERIFY(dialog_->Output()->toPlainText().startsWith(QStringLiteral("年")));
    }

    void theOutputMenuChoosesTheRuleAndItIsRemembered()
    {
        // 一目十行 reads its 行 háng: by sound, 行 idioms read xíng may not
        // follow it, and 航 and 沆 (háng, hàng) may; by the classic rule, the
        // reverse (the first eight idioms of 行 read xíng).
        QCOMPARE(dialog_->Rules(), QUOVANT_RULE_CLASSIC);
        dialog_->Input()->setText(QStringLiteral("一目十行"));
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        const QString classic = dialog_->Output()->toPlainText();
        QVERIFY2(classic.startsWith(QStringLiteral("行百里者半九十 ")) && !classic.contains(u'航'), qPrintable(classic));

        ChooseInOutputMenu(dialog_, QStringLiteral("同音"));
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        const QString bySound = dialog_->Output()->toPlainText();
        QVERIFY2(bySound.contains(QStringLiteral("行家里手 ")) && bySound.contains(QStringLiteral("航海梯山 ")) &&
                     !bySound.contains(QStringLiteral("行百里者")),
                 qPrintable(bySound));

        ChooseInOutputMenu(dialog_, QStringLiteral("只接四字成语"));
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        for (const QString &idiom : dialog_->Output()->toPlainText().split(u' ', Qt::SkipEmptyParts))
            QCOMPARE(idiom.size(), 4);

        cleanup();
        init();
        QCOMPARE(dialog_->Rules(), QUOVANT_RULE_SOUND | QUOVANT_FOUR_ONLY);  // remembered
        ForgetTheChosenRule();
        cleanup();
        init();
        QCOMPARE(dialog_->Rules(), QUOVANT_RULE_CLASSIC);  // a fresh start
        QTest::mouseClick(dialog_->StartButton(), Qt::LeftButton);
        QCOMPARE(dialog_->Output()->toPlainText(), QtText(AFTER_TIAN));
    }

    void unusableLibrariesDoNotBind()
    {
        QVERIFY(!BindLibrary("/nonexistent/libQuovant.so"));
        QVERIFY(!BindLibrary(QUOVANT_BAD_PINYIN_LIBRARY));
        QVERIFY(!BindLibrary(QUOVANT_BAD_IDIOMS_LIBRARY));
    }

private:
    MainDialog *dialog_ = nullptr;
};

QTEST_MAIN(TestMainDialog)
#include "test_main_dialog.moc"
