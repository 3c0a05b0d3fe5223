#pragma once

// Console texts of the command runner. They are printed in every run,
// verbose or not; each ends with a blank before its line end.
inline constexpr char kConsoleProgramNotStarted[] = "Programm konnte nicht ausgefuehrt werden \n";
inline constexpr char kConsoleProgramTimedOut[] = "Timeout : Programm abgebrochen \n";
inline constexpr char kConsoleProgramEnded[] = "Programm beendet \n";
