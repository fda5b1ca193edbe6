// Where the game's files live: the data folder found beside the executable, and the
// player's folder under the XDG data home.
#include "shell/file_places.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool is_dir(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool is_file(const std::string &path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool same_file(const std::string &a, const std::string &b) {
    struct stat sa, sb;
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// An environment variable that names an absolute path, else "".
std::string absolute_env(const char *name) {
    const char *value = getenv(name);
    return value && value[0] == '/' ? value : "";
}

// The real path of a folder that exists, a tidied one of a folder that does not.
std::string canonical(const std::string &path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
    return std::filesystem::path(path).lexically_normal().string();
}

// Copies `from` to `to` through a temporary file beside `to`, so that `to` is either
// absent or whole.
bool copy_whole(const std::string &from, const std::string &to) {
    std::string temp = to + ".tmp";
    int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    int out = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = out >= 0;
    int why = errno;
    char buf[65536];
    for (ssize_t got; ok && (got = read(in, buf, sizeof buf)) != 0;) {
        ok = got > 0 && write(out, buf, (size_t)got) == got;
        why = ok ? why : errno ? errno : EIO;
    }
    close(in);
    if (out >= 0) {
        ok = ok && fsync(out) == 0;
        ok = close(out) == 0 && ok;
        ok = ok && rename(temp.c_str(), to.c_str()) == 0;
        why = ok ? why : errno;
        if (!ok) remove(temp.c_str());
    }
    errno = why;
    return ok;
}

} // namespace

std::string data_dir_find(const std::string &exe_path, const char *from_exe, const char *installed,
                          std::string *looked) {
    std::string exe_dir = exe_path.substr(0, exe_path.rfind('/') + 1);
    if (exe_dir.empty()) exe_dir = "./";
    // The installed layout first: an unpacked package works wherever it lies. Then
    // the build tree, where the assets are generated into "data" beside the program.
    const std::string candidates[] = {exe_dir + from_exe, exe_dir + "data", installed};
    if (looked) looked->clear();
    for (const std::string &dir : candidates) {
        if (dir.empty()) continue;
        if (is_dir(dir)) return canonical(dir);
        if (looked) *looked += (looked->empty() ? "" : ", ") + canonical(dir);
    }
    return "";
}

#ifndef HIGHRISE_DATA_FROM_EXE
#define HIGHRISE_DATA_FROM_EXE "../share/games/highrise-rescue"
#endif
#ifndef HIGHRISE_INSTALLED_DATA_DIR
#define HIGHRISE_INSTALLED_DATA_DIR "/usr/share/games/highrise-rescue"
#endif

std::string data_dir_of_this_program(std::string *looked) {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string exe_path = n > 0 ? std::string(exe, (size_t)n) : "";
    return data_dir_find(exe_path.empty() ? "/nonexistent/" : exe_path, HIGHRISE_DATA_FROM_EXE,
                         HIGHRISE_INSTALLED_DATA_DIR, looked);
}

std::string player_dir() {
    // Relative values are to be ignored, as if unset.
    std::string base = absolute_env("XDG_DATA_HOME");
    if (base.empty()) {
        std::string home = absolute_env("HOME");
        if (home.empty()) return "";
        base = home + "/.local/share";
    }
    return base + "/" + GAME_DIR_NAME;
}

std::string player_file(const char *name) {
    std::string dir = player_dir();
    return dir.empty() ? "" : dir + "/" + name;
}

bool player_dir_make() {
    std::string dir = player_dir();
    if (dir.empty()) {
        errno = ENOENT;
        return false;
    }
    // Every missing folder on the way, as `mkdir -p` would.
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        std::string part = dir.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    if (!is_dir(dir)) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

std::string player_file_adopt(const std::string &old_dir, const char *name, std::string *problem) {
    if (problem) problem->clear();
    std::string from = old_dir + "/" + name;
    if (!is_file(from)) return "";
    std::string to = player_file(name);
    auto fail = [&](const char *why) {
        if (problem) *problem = why;
        return std::string();
    };
    if (to.empty()) return fail("neither XDG_DATA_HOME nor HOME names a folder for it");
    // The player's own copy wins; and an old folder that is the new one holds nothing old.
    if (is_file(to) || same_file(from, to)) return "";
    if (!player_dir_make()) return fail(strerror(errno));
    if (rename(from.c_str(), to.c_str()) == 0) return to;
    if (errno != EXDEV) return fail(strerror(errno));
    // Another file system: copy it whole, and only then let the old one go.
    if (!copy_whole(from, to)) return fail(strerror(errno));
    remove(from.c_str());
    return to;
}

bool player_file_write(const char *name, const void *data, size_t size) {
    std::string path = player_file(name);
    if (path.empty()) errno = ENOENT;
    if (path.empty() || !player_dir_make()) return false;
    std::string temp = path + ".tmp";
    FILE *f = fopen(temp.c_str(), "wb");
    if (!f) return false;
    int why = 0;
    auto step = [&](bool ok) {
        if (!ok && !why) why = errno ? errno : EIO;
    };
    step(fwrite(data, 1, size, f) == size);
    step(fflush(f) == 0);
    step(fsync(fileno(f)) == 0);
    step(fclose(f) == 0);
    if (!why) step(rename(temp.c_str(), path.c_str()) == 0);
    if (why) remove(temp.c_str());
    errno = why;
    return why == 0;
}
