// The program's window: a prompt, an input box, the 开始 button and a
// read-only output box at fixed places in a 400 × 200 client area; each press
// of 开始 runs one query through the bound library, by the rule of play that
// the output box's context menu offers (classic until a player chooses
// another; the choice is remembered between runs).
#ifndef QUOVANT_QT_MAIN_DIALOG_H
#define QUOVANT_QT_MAIN_DIALOG_H

#include <QDialog>

#include <functional>

class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// Drops text from just before `cursor`, where it was inserted, until `fits`
// accepts it, never splitting a surrogate pair; returns the new cursor.
int DropUntilFits(QString &text, int cursor, const std::function<bool(const QString &)> &fits);

class MainDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainDialog(QWidget *parent = nullptr);

    QLineEdit *Input() const { return input_; }
    // The idiom of the output box at `point` of its viewport; empty where none.
    QString IdiomAt(const QPoint &point) const;
    QPushButton *StartButton() const { return start_; }
    QPlainTextEdit *Output() const { return output_; }

    // The output box's context menu at `point` of its viewport: its own
    // entries, then the rules and the four-character switch. The caller
    // owns it.
    QMenu *OutputMenu(const QPoint &point);
    // The rule 开始 and the tooltips follow (QUOVANT_RULE_*, maybe with
    // QUOVANT_FOUR_ONLY); classic with a library that knows GetIdioms alone.
    int Rules() const;

    // Brings the window to the front and gives it the focus, without
    // restoring it when it is minimized.
    void BringToFront();

    // Esc does not close the window; only its close button does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    // The output box's viewport: a tooltip tells an idiom's meaning,
    // followers and outcome; a double click asks for what follows it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The font is fitted once the window is shown, before it first paints.
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void OnStart();
    void OnInputEdited();
    QString FactsText(const QString &idiom) const;
    void ChooseRules(int rules);
    // Gives the window its font, measured, once.
    void FitFont();

    QLineEdit *input_;
    QPushButton *start_;
    QPlainTextEdit *output_;
    int rules_;
    bool fontFitted_ = false;
};

#endif
