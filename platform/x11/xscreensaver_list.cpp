#include "platform/x11/xscreensaver_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/log.h"

namespace {

// Where Debian and the other distributions keep XScreenSaver's defaults.
const char* const kDefaultsFiles[] = {"/etc/X11/app-defaults/XScreenSaver", "/usr/share/X11/app-defaults/XScreenSaver",
                                      "/usr/lib/X11/app-defaults/XScreenSaver"};

constexpr size_t kLargestList = 4 << 20;  // a settings file is a few kilobytes

struct Span {
    size_t begin = 0;  // the first byte of the resource's first line
    size_t lastLine = 0;  // the first byte of its last line
    size_t end = 0;       // the line end of its last line (or the end of the text)
    size_t valueBegin = 0;
};

// A line end may be CRLF: the '\r' is a blank to a reader, and kept.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

size_t LineEnd(const std::string& text, size_t from) {
    const size_t end = text.find('\n', from);
    return end == std::string::npos ? text.size() : end;
}

// Where the line ending at `end` stops, before its CR if it has one.
size_t ContentEnd(const std::string& text, size_t line, size_t end) {
    return end > line && text[end - 1] == '\r' ? end - 1 : end;
}

bool Continues(const std::string& text, size_t line, size_t end) {
    const size_t content = ContentEnd(text, line, end);
    return content > line && text[content - 1] == '\\';
}

// The programs resource: a line "programs:" (with a leading '*' in app-defaults), and the
// lines that a final backslash continues.
bool FindPrograms(const std::string& text, Span* span) {
    for (size_t line = 0; line < text.size(); line = LineEnd(text, line) + 1) {
        size_t p = line;
        while (p < text.size() && IsBlank(text[p])) ++p;
        if (p < text.size() && text[p] == '*') ++p;
        if (text.compare(p, 8, "programs") != 0) continue;
        p += 8;
        while (p < text.size() && IsBlank(text[p])) ++p;
        if (p >= text.size() || text[p] != ':') continue;
        span->begin = line;
        span->valueBegin = p + 1;
        size_t last = line;
        size_t end = LineEnd(text, line);
        while (end < text.size() && Continues(text, last, end)) {
            last = end + 1;
            end = LineEnd(text, last);
        }
        // A continuation at the very end of the text has no line after it.
        span->lastLine = last;
        span->end = end;
        return true;
    }
    return false;
}

// The value as X reads it: continuations joined, then one program per "\n".
std::vector<std::string> Programs(const std::string& value) {
    std::string joined;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == '\n') {
            ++i;
        } else if (value[i] == '\\' && i + 2 < value.size() && value[i + 1] == '\r' && value[i + 2] == '\n') {
            i += 2;
        } else {
            joined += value[i];
        }
    }
    std::vector<std::string> programs(1);
    for (size_t i = 0; i < joined.size(); ++i) {
        if (joined[i] == '\\' && i + 1 < joined.size() && joined[i + 1] == 'n') {
            programs.emplace_back();
            ++i;
        } else {
            programs.back() += joined[i];
        }
    }
    return programs;
}

bool IsEmpty(const std::string& program) {
    for (char c : program) {
        if (!IsBlank(c) && c != '\n') return false;
    }
    return true;
}

bool IsVisualNameCharacter(char c) { return isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-'; }

// The command's name in one program: past an off switch ('-'), a quoted title and a
// visual ("GL:", with or without a blank after it), the first word's last path part.
std::string CommandName(const std::string& program) {
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < program.size() && (IsBlank(program[p]) || program[p] == '\n')) ++p;
    };
    skipBlanks();
    if (p < program.size() && program[p] == '-') ++p;
    for (int prefix = 0; prefix < 2; ++prefix) {
        skipBlanks();
        if (p < program.size() && program[p] == '"') {
            const size_t close = program.find('"', p + 1);
            p = close == std::string::npos ? program.size() : close + 1;
            continue;
        }
        size_t word = p;
        while (word < program.size() && IsVisualNameCharacter(program[word])) ++word;
        if (word > p && word < program.size() && program[word] == ':') p = word + 1;
    }
    skipBlanks();
    size_t word = p;
    while (word < program.size() && !IsBlank(program[word]) && program[word] != '\n') ++word;
    const std::string command = program.substr(p, word - p);
    const size_t slash = command.rfind('/');
    return slash == std::string::npos ? command : command.substr(slash + 1);
}

std::string EntryLine(const std::string& entry, const char* lineEnd) {
    return "\t\t  " + entry + "\t\t\t    \\n" + lineEnd;
}

bool ReadSmallFile(const char* path, std::string* text) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    char buffer[8192];
    size_t got = 0;
    bool fits = true;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (text->size() + got > kLargestList) {
            fits = false;
            errno = EFBIG;
            break;
        }
        text->append(buffer, got);
    }
    const bool ok = fits && !std::ferror(file);
    std::fclose(file);
    return ok;
}

// The brisalo that a search of PATH finds, if it is this very program: then the entry need
// not name the folder.
std::string CommandForEntry() {
    struct stat self{};
    if (stat("/proc/self/exe", &self) != 0) return "brisalo";
    const char* path = std::getenv("PATH");
    for (std::string rest = path != nullptr ? path : ""; !rest.empty();) {
        const size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        rest = colon == std::string::npos ? "" : rest.substr(colon + 1);
        struct stat found{};
        if (!folder.empty() && stat((folder + "/brisalo").c_str(), &found) == 0) {
            if (found.st_dev == self.st_dev && found.st_ino == self.st_ino) return "brisalo";
            break;  // another brisalo comes first
        }
    }
    char real[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", real, sizeof real - 1);
    if (length <= 0) return "brisalo";
    return std::string(real, static_cast<size_t>(length));
}

// The file a chain of symbolic links ends in, whether or not it exists; a relative link
// counts from its own folder. Past the system's own limit of links the path is left as
// it is, and reading it says why.
std::string FollowLinks(std::string path) {
    for (int link = 0; link < 40; ++link) {
        struct stat status{};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0) return path;
        const std::string next(target, static_cast<size_t>(length));
        const size_t slash = path.rfind('/');
        path = next[0] == '/' || slash == std::string::npos ? next : path.substr(0, slash + 1) + next;
    }
    return path;
}

// The new text in a file of its own beside the old one, then renamed over it: a reader
// sees the old list or the new one, never a part.
bool ReplaceFile(const std::string& path, const std::string& text, mode_t mode, std::string* error) {
    std::string temporary = path + ".brisalo-XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    temporary = name.data();
    bool ok = fchmod(fd, mode) == 0;
    for (size_t written = 0; ok && written < text.size();) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) written += static_cast<size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    if (!ok) *error = std::strerror(errno != 0 ? errno : EIO);
    if (close(fd) != 0 && ok) {
        ok = false;
        *error = std::strerror(errno);
    }
    if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        *error = std::strerror(errno);
    }
    if (!ok) unlink(temporary.c_str());
    return ok;
}

}  // namespace

ListEdit AddToProgramsList(const std::string& text, const std::string& entry, std::string* edited) {
    Span span;
    if (!FindPrograms(text, &span)) return ListEdit::NoList;
    // The last line is cut before its CR, which the new lines repeat, and before a
    // continuation into nothing at the end of the text, which the joint gives back.
    const size_t lineStart = span.lastLine > span.valueBegin ? span.lastLine : span.valueBegin;
    size_t cut = ContentEnd(text, lineStart, span.end);
    const char* lineEnd = cut < span.end ? "\r\n" : "\n";
    if (span.end == text.size() && cut > lineStart && text[cut - 1] == '\\') --cut;

    const std::vector<std::string> programs = Programs(text.substr(span.valueBegin, cut - span.valueBegin));
    bool empty = true;
    for (const std::string& program : programs) {
        if (CommandName(program) == "brisalo") return ListEdit::AlreadyListed;
        empty = empty && IsEmpty(program);
    }
    // The last program gains its end, unless it has one or there is none.
    const bool ended = programs.size() > 1 && IsEmpty(programs.back());
    if ((ended || empty) && cut == lineStart && span.lastLine > span.valueBegin) {
        // An empty line that a continuation leads to: the entry is that line.
        *edited = text.substr(0, lineStart) + EntryLine(entry, lineEnd);
    } else {
        *edited = text.substr(0, cut) + ((ended || empty) ? "\\" : "\\n\\") + lineEnd + EntryLine(entry, lineEnd);
    }
    // EntryLine ends the line itself; the old line end (if any) follows what came after it.
    if (span.end < text.size()) *edited += text.substr(span.end + 1);
    return ListEdit::Added;
}

std::string NewListFromDefaults(const std::string& defaults, const std::string& entry) {
    Span span;
    if (!FindPrograms(defaults, &span)) return "";
    std::string list = "programs:" + defaults.substr(span.valueBegin, span.end - span.valueBegin) + "\n";
    std::string edited;
    if (AddToProgramsList(list, entry, &edited) == ListEdit::AlreadyListed) edited = list;
    return "# XScreenSaver's settings, made by brisalo --add-to-xscreensaver from the system's list.\n"
           "# xscreensaver-settings keeps the rest as its defaults until you change it.\n\n" + edited;
}

int AddToXScreenSaver() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        PlatformLogError("--add-to-xscreensaver: HOME is not set, so there is no ~/.xscreensaver to add to");
        return 1;
    }
    // A link (a dotfile kept elsewhere) stays a link: its target is the file edited, or
    // made when it does not exist yet.
    const std::string path = FollowLinks(std::string(home) + "/.xscreensaver");
    const std::string entry = "GL: " + CommandForEntry() + " --root";

    std::string text;
    std::string edited;
    mode_t mode = 0644;
    struct stat existing{};
    if (stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            PlatformLogError("--add-to-xscreensaver: %s is not a regular file; nothing changed", path.c_str());
            return 1;
        }
        mode = existing.st_mode & 07777;
        if (!ReadSmallFile(path.c_str(), &text)) {
            PlatformLogError("--add-to-xscreensaver: cannot read %s: %s", path.c_str(), std::strerror(errno));
            return 1;
        }
    } else if (errno != ENOENT) {
        PlatformLogError("--add-to-xscreensaver: cannot read %s: %s", path.c_str(), std::strerror(errno));
        return 1;
    }

    const char* source = nullptr;
    if (!text.empty() || existing.st_mode != 0) {
        switch (AddToProgramsList(text, entry, &edited)) {
        case ListEdit::AlreadyListed:
            std::printf("Brisalo is already in XScreenSaver's list in %s; nothing changed.\n", path.c_str());
            return 0;
        case ListEdit::Added:
            break;
        case ListEdit::NoList:
            source = "";  // the file keeps XScreenSaver's list as its default: copy that in
            break;
        }
    }
    if (edited.empty()) {
        std::string defaults;
        for (const char* candidate : kDefaultsFiles) {
            defaults.clear();
            if (ReadSmallFile(candidate, &defaults) && !NewListFromDefaults(defaults, entry).empty()) {
                source = candidate;
                break;
            }
        }
        if (source == nullptr || *source == '\0') {
            PlatformLogError("--add-to-xscreensaver: found no XScreenSaver defaults (%s); is XScreenSaver installed?",
                             kDefaultsFiles[0]);
            return 1;
        }
        const std::string list = NewListFromDefaults(defaults, entry);
        edited = text.empty() ? list : text + (text.back() == '\n' ? "\n" : "\n\n") + list.substr(list.find("programs:"));
    }

    std::string error;
    if (!ReplaceFile(path, edited, mode, &error)) {
        PlatformLogError("--add-to-xscreensaver: cannot write %s: %s; nothing changed", path.c_str(), error.c_str());
        return 1;
    }
    if (text.empty() && existing.st_mode == 0) {
        std::printf("Created %s with XScreenSaver's list from %s and \"%s\" at its end.\n", path.c_str(), source,
                    entry.c_str());
    } else if (source != nullptr) {
        std::printf("Added XScreenSaver's list from %s with \"%s\" at its end to %s.\n", source, entry.c_str(),
                    path.c_str());
    } else {
        std::printf("Added \"%s\" to the end of XScreenSaver's list in %s.\n", entry.c_str(), path.c_str());
    }
    std::printf("Choose Brisalo in xscreensaver-settings.\n");
    return 0;
}
