// The yardstick of the window's start-up: a bare Qt dialog with the window's
// four controls in the same places and the same caption, and nothing else
// (no library, no single-instance lock, no font choice, no settings).
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "window_layout.h"

namespace {

template <typename Widget>
Widget *Placed(Widget *widget, ControlIndex index)
{
    const ControlLayout &c = CONTROL_LAYOUT[index];
    widget->setGeometry(c.x, c.y, c.width, ControlHeight(c, TEXT_HEIGHT));
    return widget;
}

QString Text(ControlIndex index)
{
    return QString::fromUtf16(CONTROL_LAYOUT[index].text);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral(QUOVANT_PRODUCT_NAME));
    dialog.setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT);
    Placed(new QLabel(Text(PROMPT_CONTROL), &dialog), PROMPT_CONTROL);
    Placed(new QLineEdit(Text(INPUT_CONTROL), &dialog), INPUT_CONTROL);
    Placed(new QPushButton(Text(START_CONTROL), &dialog), START_CONTROL)->setDefault(true);
    Placed(new QPlainTextEdit(&dialog), OUTPUT_CONTROL);
    return dialog.exec();
}
