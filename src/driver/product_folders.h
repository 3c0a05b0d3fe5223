#pragma once

#include <string_view>

// Folders and files of the product, as Windows paths relative to the working
// directory. The working directory and the transfer folder both lie two
// levels below the product's base folder, so every "..\..\" path names the
// same place from either of them.
inline constexpr std::string_view kTransferFolder = "..\\..\\Transfer\\Vidazara Dirodav\\";
inline constexpr std::string_view kPresentationsFolder =
    "..\\..\\Zusatzmodule\\ExternePraesentationen\\";
inline constexpr std::string_view kArchiverPath = "..\\..\\cgi-bin\\zip.exe";
inline constexpr std::string_view kSettingsFilePath = "..\\..\\Files\\Orvantica.Ini";
inline constexpr std::string_view kLogFilePath = "..\\..\\Orvantica_php\\log\\SlidePublishLog.txt";
inline constexpr std::string_view kLogBackupPath =
    "..\\..\\Orvantica_php\\log\\SlidePublishLog.bak";
