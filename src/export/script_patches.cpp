#include "export/script_patches.h"

#include <cstdint>
#include <string_view>

namespace {

// A line equal to searched, byte for byte, becomes replacement.
struct ScriptPatch {
    std::string_view searched;
    std::string_view replacement;
};

// The leading blanks and the TABs belong to the lines: a line matches only
// as a whole. No replacement equals a searched line, so patching a patched
// script changes nothing.
constexpr ScriptPatch kPatchSet1[] = {
    {"    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = false;",
     "    g_scaleHyperlinks = false, g_allowAdvOnClick = false, g_showInBrowser = true;"},
    {"var g_hasTrans = false, g_autoTrans = false, g_transSecs = 0;",
     "var g_hasTrans = true, g_autoTrans = true, g_transSecs = 0;"},
    {" if(\t!IsFramesMode() ) EndShow()", " if( !IsFramesMode() ) GoToFirst()"},
};

constexpr ScriptPatch kPatchSet2[] = {
    {"    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 0, gLoopCont = 1, "
     "gUseSldTimings = 1;",
     "    g_scaleHyperlinks = false, g_allowAdvOnClick = 0, g_showInBrowser = 1, gLoopCont = 1, "
     "gUseSldTimings = 1;"},
    {"\t\t\tEndShow()", "\t\t\tGoToFirst()"},
};

void ApplyPatch(LineList& script, const ScriptPatch& patch) {
    for (std::int32_t index = 0; index < script.count; ++index) {
        if (script.lines[static_cast<std::size_t>(index)] == patch.searched) {
            LineListReplace(script, index, patch.replacement);
            return;
        }
    }
}

}  // namespace

void PatchScriptSet1(LineList& script) {
    for (const ScriptPatch& patch : kPatchSet1) ApplyPatch(script, patch);
}

void PatchScriptSet2(LineList& script) {
    for (const ScriptPatch& patch : kPatchSet2) ApplyPatch(script, patch);
}
