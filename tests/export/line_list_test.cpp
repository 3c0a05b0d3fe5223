#include "export/line_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/product_tree.h"

namespace {

using testing_support::ProductTree;
using testing_support::ReadBytes;
using testing_support::ScopedCurrentDirectory;
using testing_support::WriteBytes;

// Paths as the system names them: Windows form, relative to the working
// directory.
constexpr char kListFile[] = "..\\..\\Transfer\\Vidazara Dirodav\\liste.txt";

class LineListFile : public ::testing::Test {
  protected:
    ProductTree tree;
    ScopedCurrentDirectory inWorkDir{tree.WorkDir()};
    std::filesystem::path listFile = tree.Transfer() / "liste.txt";
};

std::vector<std::string> Lines(const LineListHandle& list) {
    if (!list) return {};
    return list->lines;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
    std::string written;
};

TEST_F(LineListFile, ReadsLinesAndWritesThemBackWithLineFeeds) {
    const std::string longLine(5000, 'x');
    const std::string almostBlock(1021,
                                  'y');  // with CR LF the old 1022-byte piece split the CR off
    const ReadCase cases[] = {
        {"only CR LF", "\r\n", {""}, "\n"},
        {"only LF", "\n", {""}, "\n"},
        {"only CR", "\r", {""}, "\n"},
        {"no final line end", "a\r\nb", {"a", "b"}, "a\nb\n"},
        {"CR CR LF keeps one CR", "a\r\r\n", {"a\r"}, "a\r\n"},
        {"two CRs at the end of the file", "a\r\r", {"a"}, "a\n"},
        {"CR inside a line", "a\rb\n", {"a\rb"}, "a\rb\n"},
        {"LF CR LF: the CR belongs to the second line", "\n\r\n", {"", ""}, "\n\n"},
        {"empty lines in the middle", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}, "a\n\n\nb\n"},
        {"mixed line ends", "a\nb\r\nc", {"a", "b", "c"}, "a\nb\nc\n"},
        {"blanks and TABs kept", " \ta \t\r\n", {" \ta \t"}, " \ta \t\n"},
        {"NUL bytes kept",
         std::string("a\0b\r\n\0\n", 7),
         {std::string("a\0b", 3), std::string(1, '\0')},
         std::string("a\0b\n\0\n", 6)},
        {"Windows-1252 bytes",
         "Pr\xE4sentation \x96 \xFC\r\n",
         {"Pr\xE4sentation \x96 \xFC"},
         "Pr\xE4sentation \x96 \xFC\n"},
        {"long line kept whole", longLine + "\r\nz", {longLine, "z"}, longLine + "\nz\n"},
        {"line end past byte 1022", almostBlock + "\r\n", {almostBlock}, almostBlock + "\n"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(listFile, c.bytes);
        LineListHandle list = LineListRead(kListFile);
        ASSERT_TRUE(list);
        EXPECT_EQ(Lines(list), c.lines);
        EXPECT_EQ(list->count, static_cast<std::int32_t>(c.lines.size()));
        EXPECT_EQ(LineListWrite(list, kListFile), 1);
        EXPECT_EQ(ReadBytes(listFile), c.written);
    }
}

TEST_F(LineListFile, NothingToReadGivesNoList) {
    WriteBytes(listFile, "");
    EXPECT_FALSE(LineListRead(kListFile));
    EXPECT_FALSE(LineListRead("..\\..\\Transfer\\Vidazara Dirodav\\fehlt.txt"));
    EXPECT_FALSE(LineListRead("..\\..\\Transfer\\kein Ordner\\liste.txt"));
    // Opens on some platforms but yields no byte.
    EXPECT_FALSE(LineListRead("..\\..\\Transfer\\Vidazara Dirodav"));
}

// Lines that end right at, just before or just after the edge of a read
// block, and one that spans several blocks, come out whole.
TEST_F(LineListFile, LinesAcrossReadBlocksStayWhole) {
    const std::size_t block = kLineListReadBlockSize;
    std::vector<std::string> expected;
    std::string bytes;
    auto add = [&](std::string line, const std::string& end) {
        bytes += line + end;
        expected.push_back(std::move(line));
    };
    add(std::string(block - 2, 'a'), "\r\n");  // LF is the last byte of block 1
    add(std::string(block - 1, 'b'), "\r\n");  // CR last in block 2, LF first in block 3
    add(std::string(block - 3, 'c'), "\n");    // block 3 ends with the first byte of the next line
    add(std::string(3 * block + 7, 'd'), "\r\n");  // spans four blocks
    add("", "\n");
    add(std::string(block, 'e'), "");  // no line end, file ends at a block edge or not
    WriteBytes(listFile, bytes);

    LineListHandle list = LineListRead(kListFile);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list->lines[i].size(), expected[i].size());
        EXPECT_TRUE(list->lines[i] == expected[i]);
    }
}

TEST(LineList, AppendCreatesTheListAndGrowsItByTenSlots) {
    LineListHandle list;
    ASSERT_EQ(LineListAppend(list, "line 0"), 1);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->count, 1);
    EXPECT_EQ(list->capacity, 10);

    const std::pair<std::int32_t, std::int32_t> countToCapacity[] = {
        {10, 10}, {11, 20}, {20, 20}, {21, 30}, {31, 40}};
    std::int32_t appended = 1;
    for (auto [count, capacity] : countToCapacity) {
        while (appended < count) {
            ASSERT_EQ(LineListAppend(list, "line " + std::to_string(appended)), 1);
            ++appended;
        }
        EXPECT_EQ(list->count, count);
        EXPECT_EQ(list->capacity, capacity) << "after " << count << " appends";
    }
    EXPECT_EQ(list->lines.front(), "line 0");
    EXPECT_EQ(list->lines.back(), "line 30");

    LineListDispose(list);
    EXPECT_FALSE(list);
}

TEST(LineList, ReplaceOnlyInsideTheList) {
    LineListHandle none;
    EXPECT_EQ(LineListReplace(none, 0, "x"), 0);
    EXPECT_FALSE(none);

    LineListHandle list;
    for (const char* line : {"a", "b", "c"}) LineListAppend(list, line);
    EXPECT_EQ(LineListReplace(list, 3, "x"), 0);
    EXPECT_EQ(LineListReplace(list, -1, "x"), 0);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c"}));

    EXPECT_EQ(LineListReplace(list, 2, std::string("lang\0er", 7)), 1);
    EXPECT_EQ(LineListReplace(list, 0, ""), 1);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"", "b", std::string("lang\0er", 7)}));
    EXPECT_EQ(list->count, 3);
}

TEST_F(LineListFile, WriteWithoutListLeavesTheFileAlone) {
    LineListHandle none;
    EXPECT_EQ(LineListWrite(none, kListFile), 0);
    EXPECT_FALSE(std::filesystem::exists(listFile));

    WriteBytes(listFile, "bleibt\r\n");
    EXPECT_EQ(LineListWrite(none, kListFile), 0);
    EXPECT_EQ(ReadBytes(listFile), "bleibt\r\n");
}

TEST_F(LineListFile, WriteReplacesTheWholeFileOrReportsItCannot) {
    WriteBytes(listFile, "eine viel l\xE4ngere alte Datei\r\nmit zwei Zeilen\r\n");
    LineListHandle list;
    LineListAppend(list, "neu");
    EXPECT_EQ(LineListWrite(list, kListFile), 1);
    EXPECT_EQ(ReadBytes(listFile), "neu\n");

    EXPECT_EQ(LineListWrite(list, "..\\..\\Transfer\\kein Ordner\\liste.txt"), 0);
    EXPECT_EQ(LineListWrite(list, "..\\..\\Transfer\\Vidazara Dirodav"), 0);
}

}  // namespace
