// emulated_host_app: runs the real gen_qlv.dll in the emulated player.
//   --demo <folder>            plays the scenes, saving a picture per scene and the
//                              frames of two scrolling titles into <folder>
//   --demo-modern <folder>     the 5.x player's scenes (Unicode windows and titles)
//   --demo[-modern] <folder> readme
//                              only the scenes whose pictures the README shows
//   --demo-dialogs <folder> <language>
//                              both dialogs in this run's language, the pictures
//                              named by <language> (zh-cn, say)
//   --live <folder> [seconds [tour]]
//                              opens the player with real timers until its main
//                              window is closed (or for `seconds`); a right click
//                              on the main window opens the player's menu; `tour`
//                              opens the menu and from it the configuration dialog
//                              (at 4 to 6 s) and the About dialog (at 9 to 11 s),
//                              for a display nobody watches
//   --ini <file>               (first) lays the plug-in's section of the user's own
//                              plugin.ini over the demo's settings; the file is only read
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "demo_player.h"
#include "demo_scenes.h"
#include "live_player.h"
#include "plugin_folder.h"

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--ini") == 0) {
        if (!demo::LayUserSettings(argv[2])) return 2;
        argc -= 2;
        argv += 2;
    }
    const bool readme = argc >= 4 && std::strcmp(argv[3], "readme") == 0;
    if (argc >= 3 && std::strcmp(argv[1], "--demo") == 0) return demo::RunDemo(argv[2], readme);
    if (argc >= 3 && std::strcmp(argv[1], "--demo-modern") == 0) return demo::RunModernDemo(argv[2], readme);
    if (argc >= 4 && std::strcmp(argv[1], "--demo-dialogs") == 0) return demo::RunDialogsDemo(argv[2], argv[3]);
    if (argc >= 2 && std::strcmp(argv[1], "--live") == 0) {
        const std::string folder = argc >= 3 ? argv[2] : host::ProgramFolder() + "\\live";
        const bool tour = argc >= 5 && std::strcmp(argv[4], "tour") == 0;
        return demo::RunLive(folder, argc >= 4 ? std::atoi(argv[3]) : 0, tour);
    }
    std::fprintf(stderr, "usage: emulated_host_app [--ini <file>] --demo <folder> | --demo-modern <folder>"
                         " | --demo-dialogs <folder> <language> | --live [<folder> [seconds [tour]]]\n");
    return 2;
}
