#include "app/cli/commands.h"

#include <cstring>
#include <iostream>
#include <string_view>

namespace {

struct Command {
    std::string_view name;
    std::string_view summary;
    int (*run)(int argc, char* argv[]);
};

constexpr Command kCommands[] = {
    {"help", "list the commands", nullptr},
    {"calc", "calculate designs given as JSON, write the results as JSON", runCalcCommand},
    {"sheet", "write the spring data sheet of a design as a one-page PDF", runSheetCommand},
    {"diagram", "draw the fatigue-strength diagram as a PNG picture", runDiagramCommand},
    {"dxf", "write the spring drawing as a DXF file", runDxfCommand},
    {"outline", "print the segments and arcs of the spring drawing as JSON", runOutlineCommand},
    {"shape", "render the spring shape page as a PNG picture", runShapeCommand},
};

int printUsage(std::ostream& out) {
    out << "Usage: hspring-cli COMMAND [OPTIONS]\n\n"
           "Extension spring design calculator, command-line tool.\n\nCommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
            << "\n";
    out << "\nRun 'hspring-cli COMMAND --help' for the options of a command.\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0)
        return printUsage(std::cout);
    for (const Command& command : kCommands)
        if (command.name == argv[1] && command.run)
            return command.run(argc - 1, argv + 1);
    std::cerr << "hspring-cli: unknown command '" << argv[1] << "'\n";
    printUsage(std::cerr);
    return 2;
}
