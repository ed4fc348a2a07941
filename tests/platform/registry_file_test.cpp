#include "platform/unix/registry_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Data(const std::string& text) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ParseRegistryData(text, &bytes)) << text;
    return bytes;
}

TEST(RegistryFile, DataFormats) {
    EXPECT_EQ(Data("dword:0000012c"), (std::vector<uint8_t>{0x2c, 0x01, 0, 0}));
    EXPECT_EQ(Data("dword:FFFFFFFF"), (std::vector<uint8_t>{0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(Data("\"a\\\"b\\\\\""), (std::vector<uint8_t>{'a', '"', 'b', '\\', 0}));
    EXPECT_EQ(Data("hex(4):01,02,03,04"), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(Data("hex: 0a , b "), (std::vector<uint8_t>{0x0a, 0x0b}));
    std::vector<uint8_t> bytes;
    for (const char* bad : {"dword:", "dword:1g", "dword:123456789", "hex:1,", "hex:123", "hex():01", "\"open",
                            "\"a\"b", "42", "-"}) {
        EXPECT_FALSE(ParseRegistryData(bad, &bytes)) << bad;
    }
}

TEST(RegistryFile, LaterDefinitionsWinAndDeletionsRemove) {
    RegistryFile file = RegistryFile::parse(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=dword:00000001\n[HKEY_CURRENT_USER\\B]\n"
        "\"V\"=dword:00000002\n[hkey_current_user\\a]\n\"v\"=hex:03,\\\n 00\n\"W\"=-\n");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file.queryValue("A", "V", &bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{3, 0}));
    EXPECT_FALSE(file.queryValue("A", "W", &bytes));
    EXPECT_FALSE(file.queryValue("A", "X", &bytes));
    EXPECT_TRUE(file.hasKey("B"));
    EXPECT_FALSE(file.hasKey("C"));

    file.setDword("a", "V", 9);  // changes the definition that counts, keeps the other
    EXPECT_EQ(file.text(),
              "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=dword:00000001\n[HKEY_CURRENT_USER\\B]\n"
              "\"V\"=dword:00000002\n[hkey_current_user\\a]\n\"V\"=dword:00000009\n\"W\"=-\n");
}

std::vector<uint8_t> Query(const RegistryFile& file, const std::string& path, const std::string& name) {
    std::vector<uint8_t> bytes;
    if (!file.queryValue(path, name, &bytes)) bytes = {0xEE};  // no byte sequence a test expects
    return bytes;
}

const std::vector<uint8_t> kNone{0xEE};
std::vector<uint8_t> Dword(uint32_t value) {
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

TEST(RegistryFile, OnlyHexDataContinuesAndNeverIntoASectionOrValue) {
    const std::string text =
        "REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"S\"=\"ends in a backslash\\\\\"\n\"D\"=dword:00000001\\\n"
        "\"E\"=dword:00000002\n\"H\"=hex:01,\\\n  02\n\"T\"=hex:03,\\\n[HKEY_CURRENT_USER\\B]\n\"V\"=dword:00000004\\\n"
        "[HKEY_CURRENT_USER\\C]\n\"W\"=hex:05\\\n@=dword:00000006\n";
    RegistryFile file = RegistryFile::parse(text);
    EXPECT_EQ(Query(file, "A", "E"), Dword(2));
    EXPECT_EQ(Query(file, "A", "H"), (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(Query(file, "A", "D"), kNone) << "a dword with a backslash after it is malformed";
    EXPECT_EQ(Query(file, "A", "T"), kNone) << "a trailing comma stays";
    EXPECT_EQ(Query(file, "C", "W"), (std::vector<uint8_t>{5}));
    EXPECT_TRUE(file.hasKey("B"));
    EXPECT_EQ(Query(file, "C", ""), Dword(6));

    // A value added after a line that ends in a backslash is read back, in its own key.
    file.setDword("B", "New", 7);
    file.setDword("C", "W", 8);
    const RegistryFile again = RegistryFile::parse(file.text());
    EXPECT_EQ(Query(again, "B", "New"), Dword(7));
    EXPECT_EQ(Query(again, "C", "W"), Dword(8));
    EXPECT_EQ(Query(again, "C", ""), Dword(6));
    EXPECT_EQ(Query(again, "A", "New"), kNone);
}

TEST(RegistryFile, TheWriterChangesTheDefinitionTheReaderObeys) {
    RegistryFile file = RegistryFile::parse(
        "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"UseMirrors\"=dword:00000000\n\"Other\"=\"x\"\n"
        "\"usemirrors\"=hex:01,\\\n 00,00,00\n\"UseMirrors\"=dword:00000002\n; end\n");
    EXPECT_EQ(Query(file, "K", "UseMirrors"), Dword(2));
    file.setDword("K", "UseMirrors", 0);
    EXPECT_EQ(Query(file, "K", "UseMirrors"), Dword(0));
    EXPECT_EQ(file.text(),
              "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"UseMirrors\"=dword:00000000\n\"Other\"=\"x\"\n"
              "\"usemirrors\"=hex:01,\\\n 00,00,00\n\"UseMirrors\"=dword:00000000\n; end\n");
}

// ASCII as UTF-16LE code units.
std::string Wide(const std::string& text) {
    std::string out;
    for (char c : text) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

TEST(RegistryFile, ARegeditFiveExportIsReadAndWrittenBackInItsOwnForm) {
    // "Ä" (U+00C4) and "😀" (U+1F600, a surrogate pair) in a comment.
    const std::string comment = Wide(";") + std::string("\xC4\x00", 2) + std::string("\x3D\xD8\x00\xDE", 4);
    const std::string exported = "\xFF\xFE" + Wide("Windows Registry Editor Version 5.00\r\n\r\n") + comment +
                                 Wide("\r\n[HKEY_CURRENT_USER\\Software\\Vormix\\Talvane]\r\n"
                                      "\"UseMirrors\"=dword:00000000\r\n\r\n");
    RegistryFile file = RegistryFile::parse(exported);
    EXPECT_EQ(Query(file, "Software\\Vormix\\Talvane", "UseMirrors"), Dword(0));
    EXPECT_EQ(file.text(), exported);

    file.setDword("Software\\Vormix\\Talvane", "UseMirrors", 1);
    file.setDword("Other", "V", 2);
    EXPECT_EQ(file.text(), "\xFF\xFE" + Wide("Windows Registry Editor Version 5.00\r\n\r\n") + comment +
                               Wide("\r\n[HKEY_CURRENT_USER\\Software\\Vormix\\Talvane]\r\n"
                                    "\"UseMirrors\"=dword:00000001\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\n"
                                    "\"V\"=dword:00000002\r\n"));

    // An empty UTF-16 file gets the header of its kind.
    RegistryFile empty = RegistryFile::parse("\xFF\xFE");
    empty.setDword("K", "V", 3);
    EXPECT_EQ(empty.text(), "\xFF\xFE" + Wide("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n"
                                              "\"V\"=dword:00000003\n"));
}

TEST(RegistryFile, LineEndsStayAsTheFileHasThem) {
    RegistryFile crlf = RegistryFile::parse("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"A\"=dword:1\r\n");
    crlf.setDword("K", "B", 2);
    EXPECT_EQ(crlf.text(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"A\"=dword:1\r\n\"B\"=dword:00000002\r\n");
    RegistryFile lf = RegistryFile::parse("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"A\"=dword:1");
    lf.setDword("K", "A", 2);
    EXPECT_EQ(lf.text(), "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"A\"=dword:00000002\n");
}

}  // namespace
