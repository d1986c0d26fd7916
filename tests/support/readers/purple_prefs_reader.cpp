// SPDX-License-Identifier: GPL-3.0-or-later
// Pidgin's own reading of prefs.xml, for tests of what Sonatrix writes there:
// libpurple loads "<folder>/prefs.xml" and this prints what Pidgin would
// play for one event.
//
//     purple_prefs_reader <folder> <event>
//
// prints "file=<path>" and "enabled=<0|1>" (a pref that is not there:
// "file=(none)", "enabled=(none)"), and exits with 2 when libpurple could
// not load the file. The file is only read: libpurple saves prefs.xml
// only from its event loop, which never runs here.
#include <prefs.h>
#include <util.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder> <event>\n", argv[0]);
        return 1;
    }
    purple_util_set_user_dir(argv[1]);
    purple_prefs_init();
    if (!purple_prefs_load()) {
        std::fprintf(stderr, "libpurple could not load %s/prefs.xml\n", argv[1]);
        return 2;
    }
    const std::string file = std::string("/pidgin/sound/file/") + argv[2];
    const std::string enabled = std::string("/pidgin/sound/enabled/") + argv[2];
    if (purple_prefs_exists(file.c_str()))
        std::printf("file=%s\n", purple_prefs_get_path(file.c_str()));
    else
        std::printf("file=(none)\n");
    if (purple_prefs_exists(enabled.c_str()))
        std::printf("enabled=%d\n", purple_prefs_get_bool(enabled.c_str()) ? 1 : 0);
    else
        std::printf("enabled=(none)\n");
    return 0;
}
