// The Linux front end's entry: binds libQuovant.so and takes the player's own
// idioms, lets one copy run (a second one asks the first to come forward and
// ends), then shows the window until it is closed.
#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>

#include "binding.h"
#include "main_dialog.h"
#include "message.h"
#include "player_idioms.h"
#include "product.h"
#include "single_instance.h"

namespace {

// Makes the player's own idioms, from their file, the library's; a line left
// out is told on standard error, by its number.
void TakePlayerIdioms(const std::string &path)
{
    if (g_library.SetPlayerIdioms == nullptr || path.empty())
        return;
    std::ifstream in(path, std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<PlayerLine> lines = PlayerLines(content);
    std::vector<int> results;
    if (lines.empty() || SetPlayerLines(lines, results) < 0)
        return;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (results[i] != QUOVANT_PLAYER_ADDED)
            std::cerr << path << ":" << lines[i].number << ": "
                      << FilledMessage(PlayerResultMessage(results[i]), {lines[i].idiom}) << " (left out)\n";
}

}  // namespace

int main(int, char *argv[])
{
    // Unpacking the dictionary waits for nothing: it runs while Qt starts
    // and the window is made, and is done before anything is shown.
    bool bound = false;
    // The environment is read here, before Qt may change it on its own thread.
    const std::string playerFile = PlayerFilePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::jthread binding([&bound, &playerFile] {
        bound = BindLibrary(LIBRARY_FILE_NAME);
        if (bound)
            TakePlayerIdioms(playerFile);
    });

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
