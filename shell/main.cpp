#include "program/startup.h"
#include "shell/main_window.h"

int main(int argc, char** argv) { return WinMain(argc, argv, kDesignerProgram); }
