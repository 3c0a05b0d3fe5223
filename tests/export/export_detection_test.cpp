#include "export/export_detection.h"

#include <gtest/gtest.h>

#include <string>

#include "support/export_fixture.h"
#include "support/product_tree.h"

namespace {

using testing_support::kExportLayout2000;
using testing_support::kExportLayout2003;
using testing_support::PlaceExport;
using testing_support::ProductTree;
using testing_support::ScopedCurrentDirectory;

struct DetectionCase {
    const char* what;
    bool with2003;
    bool with2000;
    std::int32_t version;
    const char* scriptSuffix;
};

TEST(DetectExportVersion, ProbesTheLayoutsInOrderAndLeavesTheLastPath) {
    const DetectionCase cases[] = {
        {"both layouts", true, true, 2003, "_script.js"},
        {"2003 only", true, false, 2003, "_script.js"},
        {"2000 only", false, true, 2000, "-Dateien\\script.js"},
        {"neither", false, false, -1, "-Dateien\\script.js"},
    };
    for (const std::string name : {"Rundgang", " Vidazara Rundgang \xE4 "}) {
        for (const DetectionCase& c : cases) {
            SCOPED_TRACE(c.what + (" for '" + name + "'"));
            ProductTree tree;
            ScopedCurrentDirectory inWorkDir(tree.WorkDir());
            if (c.with2003) PlaceExport(tree.Transfer(), name, kExportLayout2003);
            if (c.with2000) PlaceExport(tree.Transfer(), name, kExportLayout2000);

            std::string scriptPath = "vorher";
            EXPECT_EQ(DetectExportVersion(name, scriptPath), c.version);
            EXPECT_EQ(scriptPath, "..\\..\\Transfer\\Vidazara Dirodav\\" + name + c.scriptSuffix);
        }
    }
}

// Only the player script counts: a main page or an empty export folder alone
// is no export.
TEST(DetectExportVersion, NeedsThePlayerScriptItself) {
    ProductTree tree;
    ScopedCurrentDirectory inWorkDir(tree.WorkDir());
    testing_support::WriteBytes(tree.Transfer() / "Rundgang.htm", "<html></html>\r\n");
    std::filesystem::create_directories(tree.Transfer() / "Rundgang-Dateien");
    std::string scriptPath;
    EXPECT_EQ(DetectExportVersion("Rundgang", scriptPath), -1);

    // A folder that carries the 2003 script's name is no script either.
    std::filesystem::create_directories(tree.Transfer() / "Rundgang_script.js");
    PlaceExport(tree.Transfer(), "Rundgang", kExportLayout2000);
    EXPECT_EQ(DetectExportVersion("Rundgang", scriptPath), 2000);
}

}  // namespace
