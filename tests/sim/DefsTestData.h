// Loads the definition test tree under tests/sim/data/defs into the game's managers and gives
// the tests what the error log received while they ran.
#pragma once

#include <gtest/gtest.h>

#include <string>

class DefsTestData : public ::testing::Test
{
protected:
    static std::string Root(const std::string& set = "basic");

    void SetUp() override;
    void TearDown() override;

    // Loads every definition under root in the game's set-up order; strings.ini and
    // simconfig.txt come from textFolder (root when empty).
    void LoadAll(const std::string& root = Root(), const std::string& textFolder = "");
    // Empties every definition manager (the managers live for the whole process).
    static void ClearAll();
    // The error-log text written since SetUp.
    std::string NewErrors() const;

private:
    long m_errorStart = 0;
};
