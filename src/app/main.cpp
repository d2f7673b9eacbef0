#include <iostream>
#include <optional>

#include "app/data_folder_choice.h"
#include "app/options.h"
#include "app/window.h"

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv);
    if (const std::optional<int> status = answerCommandLine(line, std::cout, std::cerr)) {
        return *status;
    }
    gDisplayChoice = line.display;
    if (!chooseDataFolder()) {
        return NO_DATA_EXIT_STATUS;
    }
    return gameMain();
}
