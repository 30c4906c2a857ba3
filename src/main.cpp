#include "app/command_line.h"
#include "app/startup.h"
#include "common/file_places.h"

int main(int argc, char** argv) {
    if (const int code = HandleCommandLine(argc, argv); code >= 0) return code;
    const bool canSave = EnterUserFolder();
    return RunOrbivore(PlatformOptions{}, -1, canSave);
}
