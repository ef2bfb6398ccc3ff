#include "ui/shell/modMain.h"

int main(int argc, char** argv) {
    return brevlin::shell::modMain::Main(argc, argv);
}
