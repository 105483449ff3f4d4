#include "cli.h"

int main(int argc, char** argv) {
    return quiesc_tool::runCommandLine(argc, argv);
}
