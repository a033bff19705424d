#include "gui_demo/demo.h"

int main() { return gui_demo::main(); }
