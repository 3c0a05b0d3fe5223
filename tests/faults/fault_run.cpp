#include "fault_run.h"

#include <algorithm>

namespace fault_testing {

namespace fs = std::filesystem;
using namespace testing_support;

std::string TemplatePicture() {
    return std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + "Vorschau";
}

std::string LogAfterArguments(const ProductTree& tree) {
    const std::string log = tree.ReadLog();
    const std::size_t at = log.rfind("Lizenz: '");
    if (at == std::string::npos) return "<no argument lines>" + log;
    return log.substr(log.find("\r\n", at) + 2);
}

std::vector<std::string> FolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void InstallStandInArchiver(const ProductTree& tree, const std::string& body) {
    const fs::path archiver = tree.CgiBin() / "zip";
    fs::remove(archiver);
    WriteBytes(archiver, "#!/bin/sh\n" + body);
    fs::permissions(archiver, fs::perms::owner_all);
}

void FaultRun::SetUp() {
    tree.InstallRealArchiver();
    WriteConnectionSettings(tree.SettingsFile(), db.Settings());
    WriteBytes(tree.Presentations() / "_Eigene.gif", TemplatePicture());
}

BinaryRun FaultRun::Run(const std::string& name, const std::string& client, bool verbose) const {
    std::vector<std::string> args{"operator", name, kLicence, client};
    if (verbose) args.push_back("/D");
    return tree.Run(args, db.OdbcEnvironment());
}

int FaultRun::CatalogueRows(const std::string& name, const std::string& client) const {
    return std::stoi(
        db.Query("SELECT count(*) FROM Ovsystem.O2006TrmDatei WHERE TrdNam = " + SqlLiteral(name) +
                 " AND TrdLiz = " + SqlLiteral(kLicence) + " AND TrdMnd = " + SqlLiteral(client)));
}

}  // namespace fault_testing
