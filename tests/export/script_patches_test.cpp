#include "export/script_patches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

LineListHandle ListOf(const Lines& lines) {
    LineListHandle list;
    for (const std::string& line : lines) LineListAppend(list, line);
    return list;
}

void PatchBothSets(LineList& script) {
    PatchScriptSet1(script);
    PatchScriptSet2(script);
}

enum class Set { One, Two };

struct Patch {
    Set set;
    std::string searched;
    std::string replacement;
};

// Written out here rather than taken from the code, so a changed byte in
// either place shows.
const Patch kPatches[] = {
    {Set::One, "    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = false;",
     "    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = true;"},
    {Set::One, "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;",
     "var g_hasTrans = true, g_autoTrans = true, g_transSecs = 0;"},
    {Set::One, " if(\t!IsFramesMode() ) EndShow()", " if( !IsFramesMode() ) GoToFirst()"},
    {Set::Two,
     "    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = 1, "
     "gUseSldTimings = 1;",
     "    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 1, gLoopCont = 1, "
     "gUseSldTimings = 1;"},
    {Set::Two, "\t\t\tEndShow()", "\t\t\tGoToFirst()"},
};

// Each line alone among ordinary lines, so every patch is also seen to work
// when the others find nothing; and only its own set touches it.
TEST(ScriptPatches, EachSearchedLineIsReplacedByItsOwnSet) {
    for (const Patch& patch : kPatches) {
        SCOPED_TRACE(patch.searched);
        const Lines before = {"function X()", "{", patch.searched, "}"};
        LineListHandle script = ListOf(before);

        if (patch.set == Set::One)
            PatchScriptSet2(*script);
        else
            PatchScriptSet1(*script);
        EXPECT_EQ(script->lines, before);

        if (patch.set == Set::One)
            PatchScriptSet1(*script);
        else
            PatchScriptSet2(*script);
        EXPECT_EQ(script->lines, (Lines{"function X()", "{", patch.replacement, "}"}));
        EXPECT_EQ(script->count, 4);
    }
}

TEST(ScriptPatches, NearMissesStayUntouched) {
    const Lines nearMisses = {
        // a trailing blank, a trailing TAB, a leading blank too many or too few
        "    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = false; ",
        "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;\t",
        "     g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = "
        "1, "
        "gUseSldTimings = 1;",
        "if(\t!IsFramesMode() ) EndShow()",
        // letter case
        "VAR g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;",
        "\t\t\tendShow()",
        // blanks for a TAB, and the TAB where the blank belongs
        " if( !IsFramesMode() ) EndShow()",
        " if(    !IsFramesMode() ) EndShow()",
        "\tif( !IsFramesMode() ) EndShow()",
        "            EndShow()",
        "\t\tEndShow()",
        "\t\t\t\tEndShow()",
        "\t\t\tEndShow();",
        // exports made without the kiosk settings
        "    g_scaleHyperlinks = false, g_allowAdvOnClick = true, g_showInBrowser = false;",
        "    g_scaleHyperlinks = false, g_allowAdvOnClick = 1, g_showInBrowser = 0, gLoopCont = 1, "
        "gUseSldTimings = 1;",
        "var g_hasTrans = false, g_autoTrans = false, g_transSecs = 5;",
        // the searched line as part of a longer one
        "x = 1; var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;",
    };
    LineListHandle script = ListOf(nearMisses);
    PatchBothSets(*script);
    EXPECT_EQ(script->lines, nearMisses);
}

TEST(ScriptPatches, OnlyTheFirstOccurrenceIsReplaced) {
    LineListHandle script =
        ListOf({"\t\t\tEndShow()", "x", "\t\t\tEndShow()", " if(\t!IsFramesMode() ) EndShow()",
                " if(\t!IsFramesMode() ) EndShow()"});
    PatchBothSets(*script);
    EXPECT_EQ(script->lines,
              (Lines{"\t\t\tGoToFirst()", "x", "\t\t\tEndShow()",
                     " if( !IsFramesMode() ) GoToFirst()", " if(\t!IsFramesMode() ) EndShow()"}));
}

TEST(ScriptPatches, ASecondApplicationChangesNothing) {
    Lines all = {"// Anfang"};
    for (const Patch& patch : kPatches) all.push_back(patch.searched);
    LineListHandle script = ListOf(all);
    PatchBothSets(*script);
    const Lines once = script->lines;
    ASSERT_NE(once, all);
    PatchBothSets(*script);
    EXPECT_EQ(script->lines, once);
}

}  // namespace
