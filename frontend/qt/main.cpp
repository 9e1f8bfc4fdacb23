// The Linux front end's entry: binds libQuovant.so, lets one copy run (a
// second one asks the first to come forward and ends), then shows the window
// until it is closed.
#include <QApplication>
#include <QMessageBox>

#include <thread>

#include "binding.h"
#include "main_dialog.h"
#include "product.h"
#include "single_instance.h"

int main(int, char *argv[])
{
    // Unpacking the dictionary waits for nothing: it runs while Qt starts
    // and the window is made, and is done before anything is shown.
    bool bound = false;
    std::jthread binding([&bound] { bound = BindLibrary(LIBRARY_FILE_NAME); });

    // The program takes no command line, and so gives Qt none of it either:
    // options such as -reverse or -style would change the window.
    int qtArgc = 1;
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    MainDialog dialog;

    binding.join();
    if (!bound) {
        QMessageBox::critical(nullptr, QStringLiteral(QUOVANT_PRODUCT_NAME), QString::fromUtf16(BINDING_FAILURE_TEXT));
        return 0;
    }
    SingleInstance instance(QStringLiteral(QUOVANT_INSTANCE_NAME));
    if (!instance.Claim())
        return 0;

    QObject::connect(&instance, &SingleInstance::RaiseRequested, &dialog, &MainDialog::BringToFront);
    return dialog.exec();
}
