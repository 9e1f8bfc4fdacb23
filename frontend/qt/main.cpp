// The Linux front end's entry: binds libQuovant.so, lets one copy run (a
// second one asks the first to come forward and ends), then shows the window
// until it is closed.
#include <QApplication>
#include <QMessageBox>

#include "binding.h"
#include "main_dialog.h"
#include "single_instance.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    if (!BindLibrary(LIBRARY_FILE_NAME)) {
        QMessageBox::critical(nullptr, QString::fromUtf16(PRODUCT_NAME),
                              QString::fromUtf16(MISSING_LIBRARY_TEXT));
        return 0;
    }

    SingleInstance instance(QStringLiteral("trevul.mutex.idioms"));
    if (!instance.Claim())
        return 0;

    MainDialog dialog;
    QObject::connect(&instance, &SingleInstance::RaiseRequested, &dialog, &MainDialog::BringToFront);
    return dialog.exec();
}
