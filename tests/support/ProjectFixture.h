#pragma once

#include "ProjectBuilder.h"
#include "QtPrinters.h"
#include "ScriptedPrompter.h"
#include "TempProject.h"

#include "core/sales/ProjectConsistency.h"

#include <gtest/gtest.h>

// A fresh project for each scenario, with a scripted prompter and a builder; once
// the scenario is over every item's totals must still match its lots and lines,
// and every invoice's payment chain must hold.
class ProjectFixture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(project.isValid()); }
    void TearDown() override
    {
        const ConsistencyReport report = CheckProjectConsistency(t());
        EXPECT_EQ(report.stock, QStringList());
        EXPECT_EQ(report.chains, QStringList());
    }

    ProjectTables& t() { return project.tables(); }
    // What the user was told or asked last; empty when nothing was said.
    ScriptedPrompter::Entry last() const
    {
        return prompter.log().isEmpty() ? ScriptedPrompter::Entry{} : prompter.log().constLast();
    }
    // From now on every `when` (INSERT, UPDATE or DELETE) on `table` fails, so a
    // scenario can prove that an operation is taken back whole.
    void failEvery(const char* when, const char* table)
    {
        ASSERT_TRUE(project.db().execNative(
            QStringLiteral(
                "CREATE TRIGGER fail_%1_%2 BEFORE %1 ON \"%2\" BEGIN SELECT RAISE(ABORT, 'forced'); END")
                .arg(QLatin1String(when), QLatin1String(table))));
    }

    TempProject project;
    ScriptedPrompter prompter;
    ProjectBuilder b{project};
};
