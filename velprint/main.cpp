#include "program/startup.h"
#include "velprint/main_window.h"

int main(int argc, char** argv) { return WinMain(argc, argv, kVelprintProgram); }
