#pragma once

#include "export/line_list.h"

// Whole-line rewrites of the export's player script that let the show run
// unattended in the browser: shown in the browser, advancing by itself, and
// starting again at the first slide where it would end. The two sets match
// the two ways the player scripts write their flags (false/true, 0/1); both
// are applied to every script, the first set first.

// Every patch replaces only the first line that equals its searched line as
// a whole; a patch whose line is missing changes nothing, and the next one
// is tried all the same. Nothing is reported.

// The false/true set: g_showInBrowser on, g_hasTrans and g_autoTrans on, and
// the frameless EndShow() turned into GoToFirst().
void PatchScriptSet1(LineList& script);

// The 0/1 set: g_showInBrowser on, and the TAB-indented EndShow() turned into
// GoToFirst().
void PatchScriptSet2(LineList& script);
