#pragma once

// What the fault tests share: a product tree ready for a whole installation
// against a catalogue server, and the few looks at what a run left behind.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/archive_members.h"
#include "support/export_fixture.h"
#include "support/product_tree.h"
#include "support/test_database.h"

namespace fault_testing {

using testing_support::BinaryRun;
using testing_support::ExportFile;
using testing_support::ProductTree;
using testing_support::TestDatabase;

// The template of the preview picture that every tree gets.
std::string TemplatePicture();

// The lines of the run log after the start line and the two argument lines
// of the last run.
std::string LogAfterArguments(const ProductTree& tree);

using testing_support::ArchiveMembers;

// Names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// Replaces the tree's archiver by a shell script with this body.
void InstallStandInArchiver(const ProductTree& tree, const std::string& body);

// A tree with the real archiver, the preview template and the settings of
// the database, and the database's rows for this run's names.
class FaultRun : public ::testing::Test {
  protected:
    void SetUp() override;

    BinaryRun Run(const std::string& name, const std::string& client, bool verbose = false) const;

    // Number of catalogue rows of the presentation under licence "FLT".
    int CatalogueRows(const std::string& name, const std::string& client) const;

    static constexpr const char* kLicence = "FLT";

    const TestDatabase& db = TestDatabase::Get();
    ProductTree tree;
};

}  // namespace fault_testing
