// vireluna-saver: reads its command line and hands it to the X11 driver.
#include <iostream>
#include <string>
#include <vector>

#include "drivers/x11/SaverOptions.h"
#include "drivers/x11/SaverSession.h"

int main(int argc, char** argv) {
    using namespace vireluna::saver;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    SaverOptions options;
    std::string error;
    switch (ParseSaverOptions(arguments, options, error)) {
        case ParseOutcome::Help:
            std::cout << SaverUsage();
            return ExitNormal;
        case ParseOutcome::Version:
            std::cout << "vireluna-saver " << VIRELUNA_VERSION << '\n';
            return ExitNormal;
        case ParseOutcome::UsageError:
            std::cerr << "vireluna-saver: " << error << "\n(see vireluna-saver --help)\n";
            return ExitUsage;
        case ParseOutcome::Run:
            break;
    }
    return vireluna::x11::RunSaver(options);
}
