#include "app/startup.h"

int main() { return RunOrbivore(PlatformOptions{}); }
