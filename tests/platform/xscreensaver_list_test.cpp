#include "platform/x11/xscreensaver_list.h"

#include <gtest/gtest.h>

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
                                "brisalo --window-id 7", "  -  /opt/x/brisalo"}) {
        const std::string text = std::string("programs: maze \\n\\\n") + program + " \\n\n";
        EXPECT_EQ(AddToProgramsList(text, kEntry, &edited), ListEdit::AlreadyListed) << program;
    }
    for (const char* program : {"xmatrix --program brisalo", "brisalo2 --root", "GL: brisalo.sh"}) {
        const std::string text = std::string("programs: ") + program + " \\n\n";
        EXPECT_EQ(AddToProgramsList(text, kEntry, &edited), ListEdit::Added) << program;
    }
    EXPECT_EQ(AddToProgramsList("mode: one\n# programs: brisalo\nprogramsX: a\n", kEntry, &edited), ListEdit::NoList);
}

}  // namespace
