#pragma once

#include "tools/generator/ProjectGenerator.h"

// A generated project small enough for any test, but with unreceived order
// lines, partial receipts and uneven line counts.
inline GeneratorScale TinyScale()
{
    GeneratorScale scale;
    scale.vendors = 6;
    scale.items = 25;
    scale.stockLots = 80;
    scale.purchaseOrders = 5;
    scale.orderLines = 17;
    scale.receipts = 11;
    scale.customers = 7;
    scale.invoices = 12;
    scale.salesLines = 40;
    return scale;
}
