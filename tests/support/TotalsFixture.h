#pragma once

#include "ProjectFixture.h"

#include "core/sales/ProjectConsistency.h"

// A project fixture that, once the scenario is over, also requires every
// invoice's receivables to owe what its sales come to now. A scenario that
// changes a tax rate or deletes records under an invoice turns this off.
class TotalsFixture : public ProjectFixture
{
protected:
    void TearDown() override
    {
        if (checkTotals) {
            EXPECT_EQ(CheckProjectConsistency(t()).staleTotals, QStringList());
        }
        ProjectFixture::TearDown();
    }

    bool checkTotals = true;
};
