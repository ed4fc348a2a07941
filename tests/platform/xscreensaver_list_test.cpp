#include "platform/x11/xscreensaver_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kEntry = "GL: brisalo --root";

// The shape xscreensaver-settings writes: one program a line, "\n\" between them, some off.
const std::string kUserFile =
    "# XScreenSaver Preferences File\n"
    "mode:\t\trandom\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "\t\t\t\tqix --root\t\t\t\t    \\n\n"
    "\n"
    "pointerHysteresis:\t10\n";

// What is left of `edited` once the inserted bytes are taken out again.
std::string WithoutInsertion(const std::string& original, const std::string& edited) {
    size_t head = 0;
    while (head < original.size() && original[head] == edited[head]) ++head;
    const size_t tail = original.size() - head;
    return edited.substr(0, head) + edited.substr(edited.size() - tail);
}

TEST(XScreenSaverList, TheEntryEndsTheListAndEveryOtherByteStays) {
    std::string edited;
    ASSERT_EQ(AddToProgramsList(kUserFile, kEntry, &edited), ListEdit::Added);
    EXPECT_EQ(WithoutInsertion(kUserFile, edited), kUserFile);
    EXPECT_NE(edited.find("\t\t\t\tqix --root\t\t\t\t    \\n\\\n\t\t  GL: brisalo --root\t\t\t    \\n\n\n"
                          "pointerHysteresis:\t10\n"),
              std::string::npos)
        << edited;

    std::string again;
    EXPECT_EQ(AddToProgramsList(edited, kEntry, &again), ListEdit::AlreadyListed) << "never twice";
}

// Lines ended the DOS way continue as the others do; the entry is last and ends the same way.
TEST(XScreenSaverList, CrlfListsGetTheEntryLastAndOnlyOnce) {
    std::string crlf;
    for (char c : kUserFile) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string edited;
    ASSERT_EQ(AddToProgramsList(crlf, kEntry, &edited), ListEdit::Added);
    EXPECT_EQ(WithoutInsertion(crlf, edited), crlf);
    EXPECT_NE(edited.find("qix --root\t\t\t\t    \\n\\\r\n\t\t  GL: brisalo --root\t\t\t    \\n\r\n\r\n"
                          "pointerHysteresis"),
              std::string::npos)
        << edited;
    std::string again;
    EXPECT_EQ(AddToProgramsList(edited, kEntry, &again), ListEdit::AlreadyListed);

    ASSERT_EQ(AddToProgramsList("programs:\r\n", kEntry, &edited), ListEdit::Added);
    EXPECT_EQ(edited, "programs:\\\r\n\t\t  GL: brisalo --root\t\t\t    \\n\r\n");
    EXPECT_EQ(AddToProgramsList(edited, kEntry, &again), ListEdit::AlreadyListed);
}

TEST(XScreenSaverList, OneLineListsAnEmptyOneAndAppDefaults) {
    std::string edited;
    ASSERT_EQ(AddToProgramsList("programs:\tGL: qix --root", kEntry, &edited), ListEdit::Added);
    EXPECT_EQ(edited, "programs:\tGL: qix --root\\n\\\n\t\t  GL: brisalo --root\t\t\t    \\n\n");
    ASSERT_EQ(AddToProgramsList("lock: False\nprograms:\n", kEntry, &edited), ListEdit::Added);
    EXPECT_EQ(edited, "lock: False\nprograms:\\\n\t\t  GL: brisalo --root\t\t\t    \\n\n");

    const std::string defaults = "! the system's\n*programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\n*lock: False\n";
    const std::string made = NewListFromDefaults(defaults, kEntry);
    EXPECT_EQ(made.substr(made.find("programs:")),
              "programs:\t\\\n  maze --root \\n\\\n  qix --root \\n\\\n\t\t  GL: brisalo --root\t\t\t    \\n\n");
    EXPECT_EQ(NewListFromDefaults("*lock: False\n", kEntry), "");
}

TEST(XScreenSaverList, AnyProgramRunningBrisaloCountsAsListedOthersDoNot) {
    std::string edited;
    for (const char* program : {"-\t\tGL: /usr/bin/brisalo --root", "\"Brisalo\" GL: brisalo -root --fps",
                                "brisalo --window-id 7", "  -  /opt/x/brisalo", "GL:brisalo --root",
                                "-GL:brisalo --root", "GL: \"Brisalo\" brisalo"}) {
        const std::string text = std::string("programs: maze \\n\\\n") + program + " \\n\n";
        EXPECT_EQ(AddToProgramsList(text, kEntry, &edited), ListEdit::AlreadyListed) << program;
    }
    for (const char* program : {"xmatrix --program brisalo", "brisalo2 --root", "GL: brisalo.sh"}) {
        const std::string text = std::string("programs: ") + program + " \\n\n";
        EXPECT_EQ(AddToProgramsList(text, kEntry, &edited), ListEdit::Added) << program;
    }
    EXPECT_EQ(AddToProgramsList("mode: one\n# programs: brisalo\nprogramsX: a\n", kEntry, &edited), ListEdit::NoList);
}

// A ~/.xscreensaver that links to a file not made yet (a dotfile folder's) stays a link,
// and the list goes where it points.
TEST(XScreenSaverList, ADanglingLinkIsWrittenThrough) {
    char folder[] = "/tmp/brisalo-list-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string home = folder;
    ASSERT_EQ(mkdir((home + "/dotfiles").c_str(), 0755), 0);
    ASSERT_EQ(symlink("dotfiles/xscreensaver", (home + "/.xscreensaver").c_str()), 0);
    const char* oldHome = getenv("HOME");
    const std::string kept = oldHome != nullptr ? oldHome : "";
    setenv("HOME", folder, 1);
    const int result = AddToXScreenSaver();
    if (oldHome != nullptr) setenv("HOME", kept.c_str(), 1); else unsetenv("HOME");

    struct stat link{};
    ASSERT_EQ(lstat((home + "/.xscreensaver").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    std::ifstream made(home + "/dotfiles/xscreensaver");
    std::stringstream text;
    text << made.rdbuf();
    // Without XScreenSaver's own defaults there is no list to start from, and nothing is made.
    if (result == 0) {
        char self[4096] = {};
        ASSERT_GT(readlink("/proc/self/exe", self, sizeof self - 1), 0);
        EXPECT_NE(text.str().find(std::string("GL: ") + self + " --root"), std::string::npos) << text.str();
    } else {
        EXPECT_FALSE(made.is_open());
    }
    unlink((home + "/dotfiles/xscreensaver").c_str());
    unlink((home + "/.xscreensaver").c_str());
    rmdir((home + "/dotfiles").c_str());
    rmdir(folder);
}

}  // namespace
